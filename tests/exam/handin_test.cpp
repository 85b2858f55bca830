// The countdown of a paper on the virtual clock and the two hand-in confirmations: the warning,
// cancel, the final hand-in that closes the examination, and the guards against a second
// dialog and windows left over the score sheet.

#include "demo/frmyanshi.h"
#include "exam/examflow.h"
#include "exam/examrules.h"
#include "exam/frmchengji.h"
#include "exam/frmend.h"
#include "examapp.h"
#include "exercise/frmpicture.h"
#include "exercise/frmtm.h"
#include "home/homeflow.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

namespace {

using examtest::ExamApp;

class HandInTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_SAMPLE_MODULE();
        app.readModule();
    }

    // Fixed paper 1 as the paper command leaves it, logged in: the panel and the simulated
    // window show question 1 at virtual time `loadedAt`.
    void startPaper(int16_t studyMode = 0)
    {
        app.startPaper(studyMode);
        loadedAt = app.clock->nowMs();
        app.driver->advance(1000); // the question, the button set
    }
    exercise::FrmTm& tm() { return app.sys->form<exercise::FrmTm>(); }
    // Runs the clock to `ms` after the panel loaded.
    void runTo(qint64 ms) { app.driver->advance(loadedAt + ms - app.clock->nowMs()); }

    ExamApp app;
    qint64 loadedAt = 0;
};

TEST_F(HandInTest, PracticeStopsTheCountdownAtItsFirstTick)
{
    auto& st = app.st();
    st.StudyMode = 20;
    st.SetNo = 0;
    st.PanelMode = 2;
    st.QuestionCount = 5;
    flow::startLianXi(*app.sys);
    app.driver->advance(59000);
    EXPECT_TRUE(tm().ui().TimeKS.enabled());
    app.driver->advance(1000);
    EXPECT_FALSE(tm().ui().TimeKS.enabled());
    EXPECT_EQ(st.MinutesLeft, 50);
    EXPECT_EQ(tm().ui().LblTime.caption(), QStringLiteral("剩余50分钟"));
}

TEST_F(HandInTest, ClockShowsTheMinuteBeforeEachTickAndHandsInAtFifty)
{
    startPaper(8);
    auto& st = app.st();
    auto& ui = tm().ui();
    runTo(60000);
    EXPECT_EQ(ui.LblTime.caption(), "剩余50分钟");
    EXPECT_EQ(ui.LblTimeJD.width(), 0);
    EXPECT_EQ(st.MinutesLeft, 49);
    runTo(10 * 60000);
    EXPECT_EQ(ui.LblTime.caption(), "剩余41分钟");
    EXPECT_NEAR(ui.LblTimeJD.width(), ui.PTime.width() * 9 / 50, 0.01);

    // At zero: the clock stops before the message, then the first dialog opens.
    bool stoppedBeforeMessage = false;
    app.messageBoxes().answers = { true };
    struct Seen {
        QString text;
        bool end1Open = false;
    } seen;
    app.driver->answerModal([&](plat::Form& f) {
        seen.text = f.name();
        seen.end1Open = &f == &app.sys->form<exam::FrmEnd1>();
        app.driver->click(app.sys->form<exam::FrmEnd1>().ui().Command2.control());
    });
    runTo(49 * 60000);
    EXPECT_TRUE(ui.TimeKS.enabled());
    EXPECT_EQ(ui.LblTime.caption(), "剩余2分钟");
    EXPECT_TRUE(app.messageBoxes().shown.empty());
    stoppedBeforeMessage = true;
    runTo(50 * 60000);
    ASSERT_EQ(app.messageBoxes().shown.size(), 1u);
    EXPECT_EQ(app.messageBoxes().shown[0].text, "时间已到，自动交卷！");
    EXPECT_EQ(app.messageBoxes().shown[0].title, st.ModuleName);
    EXPECT_TRUE(seen.end1Open) << seen.text.toStdString();
    EXPECT_TRUE(stoppedBeforeMessage);
    EXPECT_EQ(ui.LblTime.caption(), "剩余1分钟");
    EXPECT_EQ(st.MinutesLeft, 0);
    EXPECT_FALSE(ui.TimeKS.enabled());
    // Cancelled: the paper goes on with the clock stopped.
    EXPECT_TRUE(tm().visible());
    runTo(55 * 60000);
    EXPECT_EQ(app.messageBoxes().shown.size(), 1u);
    EXPECT_EQ(st.MinutesLeft, 0);
}

TEST_F(HandInTest, WarningAndCancelInEitherDialogReturnToTheExamination)
{
    startPaper();
    auto& st = app.st();
    auto& end1 = app.sys->form<exam::FrmEnd1>();
    auto& end2 = app.sys->form<exam::FrmEnd2>();
    auto& main = app.sys->form<workspace::FrmMain>();
    QString shown;
    // First dialog, cancelled.
    app.driver->answerModal([&](plat::Form&) {
        shown = end1.ui().Label1.caption();
        testsupport::HeadlessDriver::saveRendering(end1, app.out("exam-handin1.png"));
        app.driver->click(end1.ui().Command2.control());
    });
    tm().move(0, 0);
    flow::openHandIn(*app.sys);
    EXPECT_EQ(shown, "您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?");
    EXPECT_FALSE(end1.isLoaded());
    EXPECT_TRUE(tm().visible());
    EXPECT_DOUBLE_EQ(tm().left(), main.left() + main.width() - tm().width());
    EXPECT_DOUBLE_EQ(tm().top(), main.top() + main.height() - tm().height());

    // Every question shown and none flagged: no warning; the second dialog, cancelled.
    for (int i = 1; i <= 40; ++i)
        st.QuestionState(i) = i % 2 ? 1 : 5;
    app.driver->answerModal([&](plat::Form&) {
        shown = end1.ui().Label1.caption();
        app.driver->click(end1.ui().Command1.control());
    });
    app.driver->answerModal([&](plat::Form&) {
        testsupport::HeadlessDriver::saveRendering(end2, app.out("exam-handin2.png"));
        shown += "|" + end2.ui().Label1.caption();
        EXPECT_FALSE(end1.isLoaded());
        app.driver->click(end2.ui().Command2.control());
    });
    tm().move(0, 0);
    flow::openHandIn(*app.sys);
    EXPECT_EQ(shown, "\r\n您是否确定交卷?|" + exam::kFinalHandInPrompt);
    EXPECT_FALSE(end2.isLoaded());
    EXPECT_TRUE(tm().visible());
    EXPECT_DOUBLE_EQ(tm().left(), main.left() + main.width() - tm().width());
    EXPECT_FALSE(app.sys->form<exam::FrmChengji>().isLoaded());
    EXPECT_EQ(app.driver->unansweredModals(), 0);
}

TEST_F(HandInTest, ASecondHandInNeverOpensOverTheFirst)
{
    startPaper();
    auto& end1 = app.sys->form<exam::FrmEnd1>();
    int dialogs = 0;
    app.driver->answerModal([&](plat::Form&) {
        ++dialogs;
        // The clock runs out while the dialog is open: it stops and opens nothing more.
        app.st().MinutesLeft = 1;
        app.driver->advance(60000);
        flow::openHandIn(*app.sys);
        app.driver->click(end1.ui().Command2.control());
    });
    flow::openHandIn(*app.sys);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(app.driver->unansweredModals(), 0);
    EXPECT_EQ(app.st().MinutesLeft, 0);
    EXPECT_FALSE(tm().ui().TimeKS.enabled());
}

TEST_F(HandInTest, FinalHandInClosesEveryExaminationWindowAndOpensTheScoreSheet)
{
    startPaper();
    auto& st = app.st();
    st.MinutesLeft = 17;
    // A demonstration is running and the question's picture is shown (after the answers were
    // viewed, the countdown still runs).
    st.DemoActive = -1;
    app.sys->form<demo::FrmYanShi>().load();
    app.sys->form<exercise::FrmPicture>().show();
    auto& end1 = app.sys->form<exam::FrmEnd1>();
    auto& end2 = app.sys->form<exam::FrmEnd2>();
    app.driver->answerModal([&](plat::Form&) { app.driver->click(end1.ui().Command1.control()); });
    app.driver->answerModal([&](plat::Form&) { app.driver->click(end2.ui().Command1.control()); });
    flow::openHandIn(*app.sys);
    EXPECT_EQ(st.MinutesLeft, 50);
    EXPECT_EQ(st.PanelCanClose, -1);
    EXPECT_EQ(st.DemoActive, 0);
    EXPECT_FALSE(tm().isLoaded());
    EXPECT_FALSE(app.sys->form<workspace::FrmMain>().isLoaded());
    EXPECT_FALSE(app.sys->form<demo::FrmYanShi>().isLoaded());
    EXPECT_FALSE(app.sys->form<exercise::FrmPicture>().visible());
    EXPECT_FALSE(end1.isLoaded());
    EXPECT_FALSE(end2.isLoaded());
    EXPECT_TRUE(app.sys->form<exam::FrmChengji>().visible());
    EXPECT_EQ(st.ExamStartTime, "-1");
}

} // namespace
