#include "exam/examrules.h"

#include "core/exercisemodes.h"
#include "platform/text.h"
#include "records/idlist.h"
#include "records/learnerrecords.h"

#include <cmath>

namespace exam {

QString seatNumber(const QString& typed)
{
    return plat::right(QStringLiteral("00") + plat::trimSpaces(typed), 2);
}

QString idCardNumber(const QString& typed)
{
    return plat::right(kIdCardFiller + plat::trimSpaces(typed), kIdCardLength);
}

QString filterIdCard(const QString& text)
{
    QString kept;
    for (const QChar c : text) {
        if (kept.size() >= kIdCardLength)
            break;
        const bool digit = c >= u'0' && c <= u'9';
        const bool checkDigit = (c == u'X' || c == u'x') && kept.size() == kIdCardLength - 1;
        if (digit || checkDigit)
            kept += c;
    }
    return kept;
}

int progressFullTick(double scaleX)
{
    double width = kProgressStart;
    const double track = kProgressTrack * scaleX;
    int tick = 0;
    // The bar grows by at least 1500 x ScaleX a tick, so this ends for any positive scale.
    while (width <= track && tick < 1000) {
        ++tick;
        width += kProgressStep * scaleX;
    }
    return tick;
}

CountdownTick countdownTick(int16_t studyMode, int16_t minutesLeft)
{
    CountdownTick t;
    if (!shell::isPaper(shell::studyModeOf(studyMode))) {
        t.stop = true;
        t.minutesLeft = minutesLeft;
        return t;
    }
    t.minutesLeft = static_cast<int16_t>(minutesLeft - 1);
    t.timeUp = t.minutesLeft == 0;
    return t;
}

bool questionOpen(int16_t state) { return state % 2 == 0 || state == 3 || state == 7; }

QString handInPrompt(const shell::PerQuestion<int16_t>& states)
{
    bool open = false;
    for (int i = 1; i <= kPaperQuestions; ++i)
        open = open || questionOpen(states(i));
    if (open)
        return QStringLiteral("您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?");
    return QStringLiteral("\r\n您是否确定交卷?");
}

bool isPaperLine(const QString& line)
{
    if (line.size() != 4 * kPaperQuestions)
        return false;
    for (int i = 1; i <= kPaperQuestions; ++i)
        if (!records::isIdText(plat::mid(line, 4 * i - 3, 4)))
            return false;
    return true;
}

QString paperIdLine(const QString& fileLine, const shell::PerQuestion<QString>& exerciseIds)
{
    if (isPaperLine(fileLine))
        return fileLine;
    // An exercise id is kept as text or as its number ("3" for 0003); a missing one keeps its
    // place blank, so the later ids stay at their questions.
    QString line;
    for (int i = 1; i <= kPaperQuestions; ++i) {
        line += records::idText(exerciseIds(i)).value_or(QStringLiteral("    "));
    }
    return line;
}

PaperResult scorePaper(const shell::PerQuestion<int16_t>& states)
{
    PaperResult r;
    for (int i = 1; i <= kPaperQuestions; ++i) {
        r.done[i] = records::isDone(states(i));
        if (r.done[i])
            r.score += 2.5;
    }
    return r;
}

QString scoreCaption(int16_t studyMode, int16_t setNo, double score)
{
    if (shell::studyModeOf(studyMode) == shell::StudyMode::RandomPaper)
        return QStringLiteral("随机题得分：") + records::scoreText(score) + QStringLiteral("分");
    return QStringLiteral("第") + QString::number(setNo + 1) + QStringLiteral("套得分：")
        + records::scoreText(score) + QStringLiteral("分");
}

QString questionText(const QString& line)
{
    const QString text = plat::mid(line, 7);
    if (text.startsWith(QStringLiteral("picture")))
        return plat::mid(line, 20);
    return text;
}

} // namespace exam
