// The paper panel's rules: sprint and mock groups, titles, card texts, the pass test of the
// paper tab and what each list shows.

#include "home/paperrules.h"

#include <gtest/gtest.h>

#include <QList>

#include <map>

using namespace home;

TEST(PaperRules, LastSprintRowByPaperCount)
{
    const std::pair<int, int> cases[] = { { 0, 7 }, { 3, 7 }, { 4, 1 }, { 7, 1 }, { 8, 3 },
        { 10, 3 }, { 11, 3 }, { 12, 5 }, { 15, 5 }, { 16, 7 }, { 20, 7 } };
    for (const auto& [count, last] : cases)
        EXPECT_EQ(lastSprintRow(count), last) << count;
}

TEST(PaperRules, TitlesFollowTheRowWithinItsGroup)
{
    struct Case {
        int row, lastSprint;
        QString title;
    };
    const Case cases[] = {
        { 0, 3, "冲刺试卷一" },
        { 3, 3, "冲刺试卷四" },
        { 4, 3, "模拟试卷一" },
        { 9, 3, "模拟试卷六" },
        { 17, 7, "模拟试卷十" },
        { 18, 7, "模拟试卷" },
        { 19, 7, "模拟试卷" },
        { 20, 3, "随机试卷一" },
        { 29, 3, "随机试卷十" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(paperTitle(c.row, c.lastSprint), c.title) << c.row;
}

TEST(PaperRules, EveryGroupStartsAtThePanelsTop)
{
    EXPECT_EQ(cardTop(0, 3), 120);
    EXPECT_EQ(cardTop(3, 3), 1470);
    EXPECT_EQ(cardTop(4, 3), 120);
    EXPECT_EQ(cardTop(9, 3), 2820);
    EXPECT_EQ(cardTop(20, 3), 120);
    EXPECT_EQ(cardTop(29, 3), 120 + 4 * 1350);
    EXPECT_EQ(cardLeft(4), 2880);
    EXPECT_EQ(cardLeft(5), 2880 + 4560);
}

TEST(PaperRules, CardTexts)
{
    EXPECT_EQ(lastExamCaption("2026-12-10 17:05:33"), "最后考试时间：2026-12-10 17:05");
    EXPECT_EQ(lastExamCaption("您还未考试！"), "最后考试时间：您还未考试！");
    const std::pair<QString, QString> counts[]
        = { { "", "(0)" }, { "   ", "(0)" }, { "0001000200030004000500060007", "(7)" },
              { QString(30, '1'), "(7)" }, { " 0101 ", "(1)" } };
    for (const auto& [line, caption] : counts)
        EXPECT_EQ(wrongCountCaption(line), caption) << line.toStdString();
}

TEST(PaperRules, PassTestChecksSprintRowsOneToLast)
{
    struct Case {
        const char* what;
        std::map<int, QString> best; // others "0"
        int lastSprint;
        bool passed;
    };
    const Case cases[] = {
        { "defaults", {}, 3, false },
        { "all 75", { { 1, "75" }, { 2, "75" }, { 3, "75" } }, 3, true },
        { "one at 74.5", { { 1, "100" }, { 2, "74.5" }, { 3, "90" } }, 3, false },
        { "row 0 ignored", { { 0, "0" }, { 1, "80" }, { 2, "80" }, { 3, "80" } }, 3, true },
        { "only row 1 decides", { { 1, "75" } }, 1, true },
        { "row 2 beyond the group", { { 1, "75" }, { 2, "0" } }, 1, true },
        { "not a number", { { 1, "优秀" } }, 1, false },
    };
    for (const Case& c : cases) {
        auto best = [&](int r) {
            const auto it = c.best.find(r);
            return it == c.best.end() ? QStringLiteral("0") : it->second;
        };
        EXPECT_EQ(sprintPassed(best, c.lastSprint), c.passed) << c.what;
    }
}

TEST(PaperRules, ListsShowTheirRowsOnly)
{
    auto shown = [](const PaperListView& v) {
        QList<int> rows;
        for (int r = 0; r < kPaperRows; ++r)
            if (v.rowShown[r])
                rows << r;
        return rows;
    };
    const PaperListView sprint = paperListView(28, 3, 10, 2);
    EXPECT_EQ(shown(sprint), (QList<int> { 0, 1, 2, 3 }));
    EXPECT_EQ(sprint.face, "l20047");
    EXPECT_FALSE(sprint.randomPageShown);
    const PaperListView mock = paperListView(29, 3, 10, 2);
    EXPECT_EQ(shown(mock), (QList<int> { 4, 5, 6, 7, 8, 9 }));
    EXPECT_EQ(mock.face, "l20048");
    EXPECT_TRUE(shown(paperListView(29, 7, 8, 0)).isEmpty()); // FixedPaperCount - 1 <= last
    const PaperListView page = paperListView(30, 3, 10, 2);
    EXPECT_TRUE(shown(page).isEmpty());
    EXPECT_TRUE(page.randomPageShown);
    const PaperListView none = paperListView(31, 3, 10, 0);
    EXPECT_TRUE(shown(none).isEmpty());
    EXPECT_TRUE(none.noRandomNoticeShown);
    const PaperListView three = paperListView(31, 3, 10, 3);
    EXPECT_EQ(shown(three), (QList<int> { 20, 21, 22 }));
    EXPECT_FALSE(three.noRandomNoticeShown);
    EXPECT_EQ(shown(paperListView(31, 3, 10, 10)).size(), 10);
}
