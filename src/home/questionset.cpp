#include "home/questionset.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QFile>
#include <QHash>

namespace home {

int questionStepCount(const QString& questionLine)
{
    int n = 0;
    for (const QChar c : plat::mid(questionLine, 5, 2)) {
        if (c == u' ' || c == u'\t')
            continue;
        if (c < u'0' || c > u'9')
            break;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

QList<int> firstStepLines(const QStringList& questionLines)
{
    QList<int> table { 1 };
    for (const QString& line : questionLines) {
        if (plat::trimSpaces(line).isEmpty() || table.size() >= kMaxSetQuestions)
            break;
        table.append(table.last() + questionStepCount(line));
    }
    return table;
}

QList<QByteArray> byteLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

namespace {
    // A unit's two files, read once per build.
    struct UnitFiles {
        bool readable = false;
        QList<QByteArray> questions;
        QList<int> firstLines; // firstLines[q - 1]: step line of question q's first step
        QList<int> stepCounts;
        QList<QByteArray> steps;
    };

    bool readBytes(const QString& path, QByteArray& out)
    {
        QFile f(plat::resolvePath(path));
        if (f.size() > plat::kMaxDataFileBytes || !f.open(QIODevice::ReadOnly))
            return false;
        out = f.readAll();
        return true;
    }

    UnitFiles readUnit(const QString& dataDir, int unit)
    {
        UnitFiles u;
        QByteArray questions;
        QByteArray steps;
        if (!readBytes(dataDir + QStringLiteral("2888%1.mxy").arg(70 + unit), questions)
            || !readBytes(dataDir + QStringLiteral("2888%1.mxy").arg(20 + unit), steps))
            return u;
        u.readable = true;
        u.questions = byteLines(questions);
        u.steps = byteLines(steps);
        int first = 1;
        for (const QByteArray& line : u.questions) {
            const int count = questionStepCount(plat::decodeGbk(line));
            u.firstLines.append(first);
            u.stepCounts.append(count);
            first += count;
        }
        return u;
    }

    bool isDigits(const QString& s)
    {
        for (const QChar c : s)
            if (c < u'0' || c > u'9')
                return false;
        return !s.isEmpty();
    }
}

BuiltSlot buildSlot(const QString& dataDir, const QString& ids)
{
    BuiltSlot slot;
    QHash<int, UnitFiles> units;
    const qsizetype whole = ids.size() / 4;
    for (qsizetype i = 0; i < whole; ++i) {
        const QString id = ids.mid(i * 4, 4);
        auto reject = [&](const QString& why) { slot.rejected << id + QStringLiteral(": ") + why; };
        if (slot.ids.size() >= kMaxSetQuestions) {
            reject(QStringLiteral("more than %1 questions").arg(kMaxSetQuestions));
            continue;
        }
        if (!isDigits(id)) {
            reject(QStringLiteral("not a question id"));
            continue;
        }
        const int unit = id.left(2).toInt();
        const int question = id.mid(2).toInt();
        if (unit > 19 || question < 1) {
            reject(QStringLiteral("no such unit or question"));
            continue;
        }
        auto it = units.find(unit);
        if (it == units.end())
            it = units.insert(unit, readUnit(dataDir, unit));
        const UnitFiles& u = *it;
        if (!u.readable) {
            reject(QStringLiteral("the unit's files cannot be read"));
            continue;
        }
        if (question > u.questions.size()
            || plat::trimSpaces(plat::decodeGbk(u.questions[question - 1])).isEmpty()) {
            reject(QStringLiteral("the unit has no such question"));
            continue;
        }
        const int first = u.firstLines[question - 1];
        const int count = u.stepCounts[question - 1];
        if (count < 1 || first + count - 1 > u.steps.size()) {
            reject(QStringLiteral("the question's step lines are missing"));
            continue;
        }
        slot.questionFile += u.questions[question - 1] + "\r\n";
        for (int line = first; line < first + count; ++line)
            slot.stepFile += u.steps[line - 1] + "\r\n";
        slot.ids << id;
    }
    if (ids.size() % 4 != 0)
        slot.rejected << ids.mid(whole * 4) + QStringLiteral(": not a whole question id");
    return slot;
}

} // namespace home
