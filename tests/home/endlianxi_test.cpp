// The end of practice: the records each study mode writes, and the page the home window returns
// to; and the home window's own commands: exit, links, help topics, deferred replays and the
// module check.

#include "home/homeflow.h"
#include "home/unitmodule.h"
#include "records/recordio.h"

#include <gtest/gtest.h>

using testsupport::UnitModule;

namespace {

struct EndCase {
    const char* name;
    int studyMode, setNo, recordNo;
    QStringList ids;
    QList<int> states;
    // Records before and after: unit progress lines (units 0..2), favourites and their review.
    QStringList progressBefore, progressAfter;
    QString favBefore, revBefore, favAfter, revAfter;
    int page; // DeferredCommand
};

TEST(EndOfPractice, EachStudyModeWritesItsRecordsAndReturnsToItsPage)
{
    const EndCase cases[] = {
        { "whole unit, questions 1 and 4 done", 20, 1, 0,
            { "0101", "0102", "0103", "0104", "0105" }, { 4, 0, 1, 5, 0 },
            { "FFFFF", "TTFFF", "FF" }, { "FFFFF", "TFFTF", "FF" }, "", "", "", "", 16 },
        { "whole unit, nothing done", 20, 1, 0, { "0101", "0102" }, { 1, 0 },
            { "FFFFF", "TTFFF", "FF" }, { "FFFFF", "TTFFF", "FF" }, "", "", "", "", 16 },
        { "unlearned questions, the second done", 6, 13, 1, { "0103", "0105" }, { 0, 4 },
            { "FFFFF", "TTFFF", "FF" }, { "FFFFF", "TTFFT", "FF" }, "", "", "", "", 16 },
        { "learned questions write no progress", 5, 14, 1, { "0101" }, { 4 },
            { "FFFFF", "TTFFF", "FF" }, { "FFFFF", "TTFFF", "FF" }, "", "", "", "", 16 },
        { "a flagged question joins the favourites, an unflagged one leaves", 20, 0, 0,
            { "0001", "0002", "0003", "0004", "0005" }, { 2, 0, 6, 0, 0 },
            { "FFFFF", "FFFFF", "FF" }, { "FFTFF", "FFFFF", "FF" }, "01010002", "TF",
            "010100010003", "TFF", 16 },
        { "unreviewed favourites: the second unreviewed one done", 10, 9, 0, { "0102", "0104" },
            { 2, 6 }, { "FFFFF", "FFFFF", "FF" }, { "FFFFF", "FFFFF", "FF" }, "0101010201030104",
            "TFTF", "0101010201030104", "TFTT", 18 },
        { "all favourites: an unflagged one leaves with its review mark", 9, 10, 0,
            { "0101", "0102" }, { 6, 4 }, { "FFFFF", "FFFFF", "FF" }, { "FFFFF", "FFFFF", "FF" },
            "01010102", "FT", "0101", "T", 18 },
        { "wrong-question book", 12, 7, 0, { "0101" }, { 4 }, { "FFFFF", "FFFFF", "FF" },
            { "FFFFF", "FFFFF", "FF" }, "", "", "", "", 19 },
    };
    for (const EndCase& c : cases) {
        UnitModule m({ 5, 5, 2 }, c.progressBefore);
        if (!c.favBefore.isEmpty()) {
            m.writeRecord("288862", c.favBefore.toLatin1() + "\r\n");
            m.writeRecord("288872", c.revBefore.toLatin1() + "\r\n");
        }
        shell::AppState& st = m.st;
        st.UnitCount = 3;
        st.StudyMode = static_cast<int16_t>(c.studyMode);
        st.SetNo = static_cast<int16_t>(c.setNo);
        st.RecordNo = static_cast<int16_t>(c.recordNo);
        st.QuestionCount = static_cast<int16_t>(c.ids.size());
        for (int i = 1; i <= c.ids.size(); ++i) {
            st.QuestionIds(i) = c.ids[i - 1];
            st.QuestionState(i) = static_cast<int16_t>(c.states[i - 1]);
        }
        flow::EndLianXi(*m.app.sys);
        EXPECT_EQ(st.DeferredCommand, c.page) << c.name;
        EXPECT_EQ(st.PanelCanClose, -1) << c.name;
        EXPECT_EQ(m.recordLines("288893").mid(0, 3), c.progressAfter) << c.name;
        EXPECT_EQ(m.recordLines("288862").value(0), c.favAfter) << c.name;
        EXPECT_EQ(m.recordLines("288872").value(0), c.revAfter) << c.name;
        // The home window is back, and 100 ms later on the page the practice came from.
        ASSERT_TRUE(m.home().visible()) << c.name;
        m.app.driver->advance(100);
        plat::PictureBox* pages[]
            = { &m.ui().PicTiKu, &m.ui().PicKaCH, &m.ui().PicBiaoZhi, &m.ui().PicCuoTi };
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(pages[k]->visible(), 16 + k == c.page) << c.name << " page " << 16 + k;
        EXPECT_FALSE(m.ui().TimFH.enabled()) << c.name;
    }
}

TEST(EndOfPractice, APapersWrongQuestionsAreNarrowedOnlyWhenTheLearnerAgrees)
{
    for (bool agree : { false, true }) {
        UnitModule m({ 5 });
        m.writeRecord("182403", "010101020103\r\n");
        m.systemBoxes().answers = { agree };
        shell::AppState& st = m.st;
        st.StudyMode = 2;
        st.SetNo = 17;
        st.RecordNo = 3;
        st.QuestionCount = 3;
        const int states[] = { 4, 0, 4 };
        for (int i = 1; i <= 3; ++i) {
            st.QuestionIds(i) = QStringLiteral("010%1").arg(i);
            st.QuestionState(i) = static_cast<int16_t>(states[i - 1]);
        }
        flow::EndLianXi(*m.app.sys);
        ASSERT_EQ(m.systemBoxes().shown.size(), 1u);
        EXPECT_EQ(m.recordLines("182403").value(0),
            agree ? QStringLiteral("0102") : QStringLiteral("010101020103"));
        EXPECT_EQ(st.DeferredCommand, 0);
        m.app.driver->advance(100);
        EXPECT_FALSE(m.ui().PicTop.visible()); // the start page
    }
}

// A records folder that is full or takes no writes: the practice still ends, the learner is
// told what was not saved and why, the failure is logged and the old records stay byte for byte.
TEST(EndOfPractice, AFailedSaveIsToldAndKeepsTheOldRecords)
{
    const struct {
        records::io::Failure fault;
        const char* why;
    } cases[] = { { records::io::Failure::FolderFull, "磁盘已满" },
        { records::io::Failure::FolderNotWritable, "不能写入" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        UnitModule m({ 5, 5 }, { "FFFFF", "TTFFF" });
        m.writeRecord("288862", "0201\r\n");
        m.writeRecord("288872", "T\r\n");
        const QStringList names { "288893", "288862", "288872" };
        QList<QByteArray> before;
        for (const QString& n : names)
            before << m.record(n);
        shell::AppState& st = m.st;
        st.UnitCount = 2;
        st.StudyMode = 20;
        st.SetNo = 1;
        st.QuestionCount = 2;
        st.QuestionIds(1) = QStringLiteral("0101");
        st.QuestionState(1) = 6; // done and flagged: progress and favourites would change
        st.QuestionIds(2) = QStringLiteral("0102");
        st.QuestionState(2) = 4;

        records::io::setFaultHook([&](const QString&) { return c.fault; });
        flow::EndLianXi(*m.app.sys);
        records::io::setFaultHook({});

        ASSERT_EQ(m.systemBoxes().shown.size(), 1u);
        const QString text = m.systemBoxes().shown[0].text;
        EXPECT_TRUE(text.contains(QStringLiteral("没有保存"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.why))) << text.toStdString();
        EXPECT_TRUE(m.reports.join(u'\n').contains(QStringLiteral("endlianxi")));
        for (int i = 0; i < names.size(); ++i)
            EXPECT_EQ(m.record(names[i]), before[i]) << names[i].toStdString();
        EXPECT_TRUE(m.home().visible());
        EXPECT_EQ(st.DeferredCommand, 16);
    }
}

TEST(HomeCommands, ExitAsksFirstAndTheWindowCloseIsTheExitCommand)
{
    UnitModule m({ 2 });
    m.home().show();
    QString title;
    m.answerBox(false, &title);
    m.click(3);
    EXPECT_EQ(title, QStringLiteral("退出系统"));
    EXPECT_FALSE(m.app.sys->ended());
    m.answerBox(false);
    m.home().unload(); // what the window manager's close does
    EXPECT_TRUE(m.home().isLoaded());
    EXPECT_FALSE(m.app.sys->ended());
    m.answerBox(true);
    m.home().unload();
    EXPECT_TRUE(m.app.sys->ended());
}

TEST(HomeCommands, OnlyWebLinksAreOpened)
{
    struct Case {
        QString link;
        bool opened;
    };
    const Case cases[] = { { "https://www.example.org/", true }, { "file:///etc/passwd", false },
        { "/usr/bin/xterm", false }, { "", false } };
    for (const Case& c : cases) {
        UnitModule m({ 2 });
        m.st.ProductInfo[2] = c.link;
        m.home().show();
        m.click(12);
        auto& shell = static_cast<testsupport::FakeShell&>(*m.app.sys->services().shell);
        EXPECT_EQ(shell.opened.size(), c.opened ? 1 : 0) << c.link.toStdString();
        EXPECT_EQ(m.reports.join(u'\n').contains(QStringLiteral("link not opened")), !c.opened)
            << c.link.toStdString();
    }
}

TEST(HomeCommands, HelpTopicsAndIndexesWithoutACommand)
{
    UnitModule m({ 2 });
    m.home().show();
    m.click(11);
    ASSERT_TRUE(m.ui().PicHelp.visible());
    m.click(34);
    EXPECT_EQ(m.ui().LlbHelpCAP.caption(), QStringLiteral("考试大纲"));
    for (int i = 32; i <= 36; ++i)
        EXPECT_EQ(m.button(i).enabled(), i != 34) << i;
    for (int i : { 0, 1, 9, 10, 26, 27, 44, 45, 46, 100, -1 })
        m.home().ClickBotn_Click(i);
    EXPECT_TRUE(m.ui().PicHelp.visible());
    EXPECT_EQ(m.app.driver->unansweredModals(), 0);
    EXPECT_FALSE(m.app.sys->ended());
}

TEST(HomeCommands, TheTimerReplaysOnlyPageCommands)
{
    for (int command : { 3, 16, 20 }) {
        UnitModule m({ 2 });
        m.st.DeferredCommand = static_cast<int16_t>(command);
        m.home().ui().TimFH.setEnabled(true);
        m.home().show();
        m.app.driver->advance(100);
        EXPECT_EQ(m.ui().PicTiKu.visible(), command == 16) << command;
        EXPECT_EQ(m.app.driver->unansweredModals(), 0) << command;
        EXPECT_FALSE(m.ui().TimFH.enabled()) << command;
        m.app.driver->advance(500);
        EXPECT_FALSE(m.app.sys->ended());
    }
}

TEST(ModuleCheck, TheNumberIsComparedAsANumberAndAMismatchEndsWithAMessage)
{
    {
        UnitModule m({ 2 }); // "07" against module 7
        m.home().show();
        EXPECT_TRUE(m.home().visible());
        EXPECT_TRUE(m.systemBoxes().shown.empty());
    }
    UnitModule m({ 2 });
    m.writeData("288899", "8\r\n");
    m.home().show();
    EXPECT_TRUE(m.app.sys->ended());
    EXPECT_FALSE(m.home().visible());
    ASSERT_EQ(m.systemBoxes().shown.size(), 1u);
    EXPECT_TRUE(m.systemBoxes().shown[0].text.contains(QStringLiteral("模块编号")));
    EXPECT_TRUE(m.reports.join(u'\n').contains(QStringLiteral("fengmaincsh")));
    EXPECT_FALSE(m.st.LogPath.isEmpty());
}

} // namespace
