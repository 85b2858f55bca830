// The unit panel on small modules of its own: fitting the progress file, pages, the automatic
// choice, the chart, and the launch of unit practice in its three scopes.

#include "home/unitmodule.h"

#include <QImage>

#include <gtest/gtest.h>

using testsupport::UnitModule;

namespace {

TEST(UnitPanel, FirstRunFillsEveryUnitWithUnlearnedQuestions)
{
    UnitModule m({ 3, 50 });
    m.home().show();
    // 25 lines and an empty last one.
    QStringList expected { "FFF", QString(50, u'F') };
    while (expected.size() < 26)
        expected << QString();
    EXPECT_EQ(m.recordLines("288893"), expected);
    EXPECT_TRUE(m.record("288893").endsWith("\r\n\r\n"));
    EXPECT_EQ(m.st.ModuleSettings[1][2], QStringLiteral("50"));
    EXPECT_EQ(m.ui().LblUnitDQCAP[1].caption(), QStringLiteral("所有题库中题目"));
    EXPECT_EQ(m.ui().LblUnitDQCAP[2].caption(), QStringLiteral("53题"));
    EXPECT_EQ(m.ui().LblUnitDQCAP[3].caption(), QStringLiteral("0题"));
    EXPECT_EQ(m.ui().LblUnitDQCAP[4].caption(), QStringLiteral("53题"));
    // Only the skin pictures, which this module lacks, are reported.
    for (const QString& r : m.reports)
        EXPECT_TRUE(r.contains(QStringLiteral("/skin/l")) || r.contains(QStringLiteral("/skin/9l")))
            << r.toStdString();
}

TEST(UnitPanel, ALongerLineIsCutAndLearnedFlagsAreCounted)
{
    UnitModule m({ 4, 2 }, { "TFTFTT" });
    m.home().show();
    m.click(4);
    m.click(51);
    EXPECT_EQ(m.st.ModuleSettings[0][4], QStringLiteral("TFTF"));
    EXPECT_EQ(m.st.ModuleSettings[0][3], QStringLiteral("2"));
    m.click(50);
    EXPECT_EQ(m.ui().LblUnitDQCAP[1].caption(), QStringLiteral("第1单元 单元名1"));
    EXPECT_EQ(m.ui().LblUnitDQCAP[3].caption(), QStringLiteral("2题"));
    // Half learned: both bars half of the full height, on one base line.
    EXPECT_DOUBLE_EQ(m.ui().ImgUnitD.height(), 1785);
    EXPECT_DOUBLE_EQ(m.ui().ImgUnitC.top() + m.ui().ImgUnitC.height(), 5550);
    EXPECT_FALSE(m.button(50).enabled());
    EXPECT_TRUE(m.button(49).enabled());
}

TEST(UnitPanel, PagesFollowTheUnitCount)
{
    struct Case {
        int units;
        QString page1, page2;
        bool page2Enabled;
        QList<int> shownOnPage2;
    };
    const Case cases[] = {
        { 8, "1-8单元", "", false, {} },
        { 10, "1-10单元", "", false, {} },
        { 15, "1-10单元", "11-15单元", true, { 60, 61, 62, 63, 64 } },
    };
    for (const Case& c : cases) {
        UnitModule m(QList<int>(c.units, 2));
        m.home().show();
        m.click(4);
        EXPECT_EQ(m.button(47).caption(), c.page1) << c.units;
        EXPECT_EQ(m.button(48).caption(), c.page2) << c.units;
        EXPECT_EQ(m.button(48).enabled(), c.page2Enabled) << c.units;
        if (!c.page2Enabled)
            continue;
        m.click(48);
        EXPECT_EQ(m.home().SelectedUnit, 10);
        QList<int> shown;
        for (int i = 50; i <= 69; ++i)
            if (m.button(i).visible())
                shown << i;
        EXPECT_EQ(shown, c.shownOnPage2);
        // All units keeps page 2 on screen.
        m.click(49);
        EXPECT_TRUE(m.button(60).visible());
        EXPECT_FALSE(m.button(50).visible());
        m.click(47);
        EXPECT_EQ(m.home().SelectedUnit, 0);
        EXPECT_TRUE(m.button(50).visible());
    }
}

TEST(UnitPanel, TheUnitTabChoosesTheFirstUnitWithMuchLeftToLearn)
{
    UnitModule m({ 10, 10, 10 }, { "TTTTTTTTFF", "TTTTTTTFFF", "TTTTTTTTTT" });
    m.home().show();
    EXPECT_FALSE(m.ui().PicTiKu.visible());
    m.click(4);
    EXPECT_TRUE(m.ui().PicTiKu.visible());
    EXPECT_TRUE(m.ui().PicTop.visible());
    EXPECT_TRUE(m.ui().PicAd.visible());
    EXPECT_FALSE(m.button(16).enabled());
    EXPECT_EQ(m.home().SelectedUnit, 1);
    EXPECT_FALSE(m.button(51).enabled());
}

TEST(UnitPanel, AnEmptyUnitDrawsEmptyBars)
{
    UnitModule m({ 4, 0 }, { "TTTT", "" });
    m.home().show();
    m.click(4);
    EXPECT_EQ(m.home().SelectedUnit, 1); // the empty unit stops the automatic choice
    m.click(50);
    ASSERT_GT(m.ui().ImgUnitD.height(), 0);
    m.click(51);
    EXPECT_EQ(m.ui().LblUnitDQCAP[2].caption(), QStringLiteral("0题"));
    EXPECT_DOUBLE_EQ(m.ui().ImgUnitD.height(), 0);
    EXPECT_DOUBLE_EQ(m.ui().ImgUnitC.height(), 0);
}

TEST(UnitPanel, ScopeButtonsShowTheChosenFace)
{
    UnitModule m({ 2 });
    // Normal faces l20037..l20039 in grey, chosen faces l20087..l20089 in blue.
    for (int i = 37; i <= 39; ++i) {
        QImage face(240, 25, QImage::Format_RGB32);
        face.fill(QColor(200, 200, 200));
        m.app.writeSkin(QStringLiteral("l200%1").arg(i), face);
        face.fill(QColor(30, 90, 200));
        m.app.writeSkin(QStringLiteral("l200%1").arg(i + 50), face);
    }
    auto chosenFaces = [&m] {
        QList<int> chosen;
        for (int i = 37; i <= 39; ++i)
            if (QColor(m.button(i).picture().image().pixel(5, 5)) == QColor(30, 90, 200))
                chosen << i;
        return chosen;
    };
    m.home().show();
    EXPECT_EQ(chosenFaces(), QList<int> { 37 });
    m.click(4);
    m.click(38);
    EXPECT_EQ(m.home().UnitScope, 1);
    EXPECT_EQ(chosenFaces(), QList<int> { 38 });
    m.home().FengMainCsh();
    EXPECT_EQ(m.home().UnitScope, 0);
    EXPECT_EQ(chosenFaces(), QList<int> { 37 });
}

TEST(UnitPractice, EachScopeLaunchesItsSet)
{
    struct Case {
        int scope;
        int studyMode, setNo, count;
        QStringList ids;
        // After the launch; question 0203 is a favourite, and the panel's load marks the first
        // question visited.
        QList<int> states;
        QString stepFile;
    };
    const Case cases[] = {
        { 0, 20, 2, 4, { "0201", "0202", "0203", "0204" }, { 5, 0, 2, 4 }, "288822.mxy" },
        { 1, 5, 14, 2, { "0201", "0204" }, { 5, 4 }, "288819.mxy" },
        { 2, 6, 13, 2, { "0202", "0203" }, { 1, 2 }, "288819.mxy" },
    };
    for (const Case& c : cases) {
        UnitModule m({ 4, 4, 4 }, { "FFFF", "FFFF", "TFFT" });
        m.writeRecord("288862", "0203\r\n");
        m.home().show();
        m.click(4);
        m.click(52);
        m.click(37 + c.scope);
        m.click(20);
        const shell::AppState& st = m.st;
        EXPECT_EQ(st.StudyMode, c.studyMode) << c.scope;
        EXPECT_EQ(st.SetNo, c.setNo) << c.scope;
        EXPECT_EQ(st.QuestionCount, c.count) << c.scope;
        if (c.scope > 0) {
            EXPECT_EQ(st.RecordNo, 2) << c.scope;
        }
        for (int i = 1; i <= c.count; ++i) {
            EXPECT_EQ(st.QuestionIds(i), c.ids[i - 1]) << c.scope;
            EXPECT_EQ(st.QuestionState(i), c.states[i - 1]) << c.scope << " question " << i;
        }
        EXPECT_TRUE(st.StepFile.endsWith(c.stepFile)) << st.StepFile.toStdString();
        EXPECT_EQ(st.FirstStepTable(c.count + 1), c.count + 1) << c.scope;
        // The home window made way for the panel and the simulated window.
        EXPECT_FALSE(m.home().isLoaded()) << c.scope;
        EXPECT_TRUE(m.app.sys->form<exercise::FrmTm>().visible()) << c.scope;
        EXPECT_TRUE(m.app.sys->form<workspace::FrmMain>().visible()) << c.scope;
    }
}

TEST(UnitPractice, NothingStartsWithoutAUnitOrWithAnEmptyScope)
{
    struct Case {
        QList<int> clicks;
        QString title, prompt;
    };
    const Case cases[] = {
        { { 4, 49, 20 }, "单元练习",
            "\r\n本模块共有2单元\r\n\r\n请先点击左边单元名称选择您要学习的单元，再点开始学习！" },
        { { 4, 50, 38, 20 }, "章节练习", "\r\n\r\n\r\n您本部分没有已学题！" },
        { { 4, 51, 39, 20 }, "章节练习", "\r\n\r\n\r\n您本部分没有未学题！" },
    };
    for (const Case& c : cases) {
        UnitModule m({ 3, 2 }, { "FFF", "TT" });
        m.home().show();
        QString title, prompt;
        m.answerBox(true, &title, &prompt);
        for (int i : c.clicks)
            m.click(i);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(prompt, c.prompt);
        EXPECT_TRUE(m.home().visible());
        EXPECT_FALSE(QFile::exists(m.st.SkinPath + "288819.mxy"));
    }
}

TEST(UnitPractice, AMissingUnitFileStopsTheLaunchAndKeepsTheHomeWindow)
{
    UnitModule m({ 3 });
    QFile::remove(m.st.SkinPath + "288870.mxy");
    m.home().show();
    QString prompt;
    m.answerBox(true, nullptr, &prompt);
    m.click(4);
    m.click(20);
    EXPECT_TRUE(prompt.contains(QStringLiteral("不能开始练习")));
    EXPECT_TRUE(m.home().visible());
    EXPECT_FALSE(m.app.sys->form<workspace::FrmMain>().isLoaded());
    EXPECT_TRUE(m.reports.join(u'\n').contains(QStringLiteral("startlianxi")));
}

} // namespace
