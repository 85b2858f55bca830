// The examination's rules: candidate data, the identity-card filter, the progress bar, the
// countdown tick, the hand-in warning and the score sheet's arithmetic.

#include "exam/examrules.h"
#include "records/learnerrecords.h"

#include <gtest/gtest.h>

using namespace exam;

TEST(LoginRules, SeatNumberIsTheLastTwoOfZeroPaddedEntry)
{
    const std::pair<QString, QString> cases[] = {
        { "", "00" },
        { "7", "07" },
        { "123", "23" },
        { " 5 ", "05" },
        { "18", "18" },
    };
    for (const auto& [typed, seat] : cases)
        EXPECT_EQ(seatNumber(typed), seat) << typed.toStdString();
}

TEST(LoginRules, ShortIdCardEntriesAreCompletedFromTheFillerNumber)
{
    EXPECT_EQ(idCardNumber(""), kIdCardFiller);
    EXPECT_EQ(idCardNumber("1234567890"), kIdCardFiller.right(8) + "1234567890");
    EXPECT_EQ(idCardNumber("11010519491231002X"), "11010519491231002X");
    EXPECT_NE(kIdCardFiller, kIdCardPrefill);
    EXPECT_EQ(kIdCardFiller.size(), 18);
    EXPECT_EQ(kIdCardPrefill.size(), 18);
}

TEST(LoginRules, IdCardFilterKeepsDigitsAndTheCheckLetterOnlyLast)
{
    const std::pair<QString, QString> cases[] = {
        { "X", "" }, // a letter into an empty field
        { "x", "" },
        { "12345678901234567X", "12345678901234567X" }, // 17 present: accepted
        { "12345678901234567x", "12345678901234567x" }, // stays lower case
        { "1234567890123456X7", "12345678901234567" }, // not as 17th character
        { "12a3 4-5", "12345" }, // pasted text with other characters
        { "１２3", "3" }, // full-width digits from an input method are not digits here
        { "1234567890123456789", "123456789012345678" }, // at most 18
        { "123456789012345678X", "123456789012345678" },
    };
    for (const auto& [text, kept] : cases)
        EXPECT_EQ(filterIdCard(text), kept) << text.toStdString();
}

TEST(LoginRules, ProgressBarIsFullOnTheSeventhTickAtEveryScale)
{
    for (const double scale : { 1.0, 1.25, 0.8 })
        EXPECT_EQ(progressFullTick(scale), 7) << scale;
}

TEST(CountdownRules, PracticeStopsAtTheFirstTickWithoutChange)
{
    for (const int16_t mode : { 2, 5, 9, 20 }) {
        const CountdownTick t = countdownTick(mode, 50);
        EXPECT_TRUE(t.stop) << mode;
        EXPECT_EQ(t.minutesLeft, 50) << mode;
        EXPECT_FALSE(t.timeUp) << mode;
    }
}

TEST(CountdownRules, ATickTakesAMinuteAndZeroHandsIn)
{
    struct Case {
        int16_t mode, before, after;
        bool timeUp;
    };
    const Case cases[] = {
        { 0, 50, 49, false },
        { 8, 49, 48, false },
        { 0, 25, 24, false },
        { 8, 1, 0, true },
    };
    for (const Case& c : cases) {
        const CountdownTick t = countdownTick(c.mode, c.before);
        EXPECT_FALSE(t.stop) << c.before;
        EXPECT_EQ(t.minutesLeft, c.after) << c.before;
        EXPECT_EQ(t.timeUp, c.timeUp) << c.before;
    }
}

TEST(CountdownRules, FiftyTicksFromFiftyHandInOnTheLast)
{
    int16_t minutes = 50;
    int handedInAt = 0;
    for (int k = 1; k <= 50 && handedInAt == 0; ++k) {
        const CountdownTick t = countdownTick(0, minutes);
        minutes = t.minutesLeft;
        if (t.timeUp)
            handedInAt = k;
    }
    EXPECT_EQ(handedInAt, 50);
}

TEST(HandInRules, WarningByTheStatesOfTheFortyQuestions)
{
    const QString warning
        = QStringLiteral("您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?");
    const QString plain = QStringLiteral("\r\n您是否确定交卷?");
    struct Case {
        const char* what;
        std::vector<std::pair<int, int16_t>> set; // on top of every question at `base`
        int16_t base;
        QString text;
    };
    const Case cases[] = {
        { "all shown, some done", { { 3, 5 }, { 40, 5 } }, 1, plain },
        { "all done", {}, 5, plain },
        { "one never shown", { { 17, 0 } }, 5, warning },
        { "one flagged, not done", { { 2, 3 } }, 1, warning },
        { "one flagged and done", { { 40, 7 } }, 5, warning },
        { "done but never visited", { { 9, 4 } }, 1, warning },
        { "nothing shown", {}, 0, warning },
    };
    for (const Case& c : cases) {
        shell::PerQuestion<int16_t> states;
        for (int i = 1; i <= 40; ++i)
            states(i) = c.base;
        for (const auto& [q, s] : c.set)
            states(q) = s;
        states(41) = 0; // beyond the paper: never tested
        EXPECT_EQ(handInPrompt(states), c.text) << c.what;
    }
}

namespace {
QString paperOf(int first)
{
    QString line;
    for (int i = 0; i < 40; ++i)
        line += QStringLiteral("%1").arg(first + i, 4, 10, QLatin1Char('0'));
    return line;
}
}

TEST(ScoreRules, ScoreTextByCompletedCount)
{
    struct Case {
        int done; // questions 1..done completed
        QString score;
    };
    for (const Case& c :
        { Case { 0, "0" }, Case { 1, "2.5" }, Case { 39, "97.5" }, Case { 40, "100" } }) {
        shell::PerQuestion<int16_t> states;
        for (int i = 1; i <= 40; ++i)
            states(i) = i <= c.done ? 5 : 1;
        states(41) = 5; // beyond the paper: never counted
        const PaperResult r = scorePaper(states);
        EXPECT_EQ(records::scoreText(r.score), c.score);
        EXPECT_EQ(r.done[1], c.done >= 1);
        EXPECT_EQ(r.done[40], c.done == 40);
    }
}

TEST(ScoreRules, FlaggedAndDoneCountsFlaggedNotDoneDoesNot)
{
    shell::PerQuestion<int16_t> states;
    for (int i = 1; i <= 40; ++i)
        states(i) = 5;
    states(2) = 7; // flagged and done
    states(3) = 3; // flagged, not done
    states(4) = 6; // done, flagged, never visited
    const PaperResult r = scorePaper(states);
    EXPECT_FALSE(r.done[3]);
    EXPECT_TRUE(r.done[2] && r.done[4]);
    EXPECT_DOUBLE_EQ(r.score, 97.5);
}

TEST(ScoreRules, AShortPaperLineIsReplacedByTheExercisesIds)
{
    shell::PerQuestion<QString> ids;
    for (int i = 1; i <= 40; ++i)
        ids(i) = QString::number(200 + i); // numbers as the question-set builder keeps them
    const QString full = paperOf(101);
    EXPECT_EQ(paperIdLine(full, ids), full);
    EXPECT_EQ(paperIdLine(full.left(156), ids), paperOf(201));
    EXPECT_EQ(paperIdLine("", ids), paperOf(201));
    EXPECT_EQ(paperIdLine(QString(full).replace(8, 1, "x"), ids), paperOf(201));
    ids(5) = "";
    ids(6) = "12345"; // not an id: never another question's
    EXPECT_EQ(paperIdLine("", ids), paperOf(201).replace(16, 8, QString(8, ' ')));
}

TEST(ScoreRules, CaptionNamesThePaperOrTheRandomPaper)
{
    EXPECT_EQ(scoreCaption(0, 3, 97.5), "第4套得分：97.5分");
    EXPECT_EQ(scoreCaption(0, 0, 0), "第1套得分：0分");
    EXPECT_EQ(scoreCaption(8, 11, 100), "随机题得分：100分");
}

TEST(ScoreRules, QuestionTextSkipsThePictureName)
{
    EXPECT_EQ(questionText("010303打开文件|然后保存"), "打开文件|然后保存");
    EXPECT_EQ(questionText("0103 3pictureqp0001将图片旋转"), "将图片旋转");
    EXPECT_EQ(questionText("0103"), "");
}
