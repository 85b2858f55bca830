#include "stepengine/answers.h"

#include "platform/text.h"
#include "stepengine/keptlines.h"

#include <algorithm>

namespace stepengine {

namespace {
    constexpr int kBeyondAnyFile = 1'000'000;

    // Bytes that are not text in the code page decode to U+FFFD; control characters other than
    // the tab are no text of a bank either. Either way the line was damaged.
    bool isDamaged(const QString& line)
    {
        return std::any_of(line.begin(), line.end(),
            [](QChar c) { return c == QChar::ReplacementCharacter || (c < u' ' && c != u'\t'); });
    }
}

plat::Result<QString> readAnswerLine(const QString& answerFile, int n)
{
    const auto lines = keptLines(answerFile);
    if (!lines.ok())
        return lines.error();
    const QStringList& l = lines.value();
    // No bank addresses a line beyond its file; such a field gets no text, never another line's.
    if (n < 1 || n > l.size())
        return plat::Error { plat::err::InputPastEndOfFile,
            QStringLiteral("Answer line %1 is beyond the end of %2").arg(n).arg(answerFile) };
    if (isDamaged(l[n - 1]))
        return plat::Error { plat::err::FileIo,
            QStringLiteral("Answer line %1 of %2 is damaged: it is not text in the code page")
                .arg(n)
                .arg(answerFile) };
    return l[n - 1];
}

std::optional<int> answerLineNumber(const QString& field)
{
    int n = 0;
    bool anyDigit = false;
    for (QChar c : field) {
        if (c == u' ')
            continue;
        if (c < u'0' || c > u'9')
            return std::nullopt;
        anyDigit = true;
        // Three digits in every bank; a longer run only has to stay out of every file's range.
        n = std::min(n * 10 + (c.unicode() - u'0'), kBeyondAnyFile);
    }
    if (!anyDigit)
        return std::nullopt;
    return n;
}

plat::Result<QString> answerLineOf(const QString& answerFile, const QString& field)
{
    const std::optional<int> n = answerLineNumber(field);
    if (!n)
        return QString();
    return readAnswerLine(answerFile, *n);
}

QString lineText(const QString& line) { return plat::mid(line, 4); }

plat::Result<QString> acceptedAnswer(const QString& answerFile, const QString& field)
{
    if (field == QStringLiteral("000"))
        return QString();
    const std::optional<int> number = answerLineNumber(field);
    if (!number)
        return plat::Error { plat::err::TypeMismatch,
            QStringLiteral("Answer line field is not a number: \"%1\"").arg(field) };
    const auto line = readAnswerLine(answerFile, *number);
    if (!line.ok())
        return line.error();
    return lineText(line.value());
}

std::pair<QString, std::optional<QString>> alternatives(const QString& answer)
{
    const qsizetype bar = answer.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return { answer, std::nullopt };
    return { answer.left(bar), answer.mid(bar + 1) };
}

QString normalised(const QString& text, bool keepCase)
{
    const QString t = plat::trimSpaces(text);
    return keepCase ? t : t.toLower();
}

bool matchesAnswer(const QString& typed, const QString& answer, bool keepCase)
{
    const QString t = normalised(typed, keepCase);
    const auto [first, second] = alternatives(answer);
    return t == normalised(first, keepCase) || (second && t == normalised(*second, keepCase));
}

QString printableAscii(const QString& text)
{
    QString kept;
    for (QChar c : text)
        if (c.unicode() >= 33 && c.unicode() <= 126)
            kept += c;
    return kept;
}

} // namespace stepengine
