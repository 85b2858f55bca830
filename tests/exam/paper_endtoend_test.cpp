// Whole papers through the program on the virtual clock: from the home window through the
// login, a question solved in the simulated window, the hand-in (by the button, or automatically
// when the countdown reaches zero) and the score sheet, back to the paper panel, which reads the
// records just written. The same mock paper runs once more under a real X display, with
// screenshots kept as test output.

#include "exam/frmchengji.h"
#include "exam/frmend.h"
#include "exam/frmlogon.h"
#include "examapp.h"
#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "home/paperpanel.h"
#include "records/idlist.h"
#include "shell/frmstart.h"
#include "stepengine/steprecord.h"
#include "support/xdesktop.h"
#include "workspace/frmmain.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <functional>

namespace {

using examtest::ExamApp;

struct PaperRun {
    ExamApp& app;
    std::function<void(const QString&)> shot; // a picture of the screen at each stage

    exam::FrmChengji& sheet() { return app.sys->form<exam::FrmChengji>(); }
    exercise::FrmTm& tm() { return app.sys->form<exercise::FrmTm>(); }
    workspace::FrmMain& main() { return app.sys->form<workspace::FrmMain>(); }
    home::FrmFengmian& home() { return app.sys->form<home::FrmFengmian>(); }

    // The program as it starts: the splash hands over to the home window on its first tick.
    void startProgram()
    {
        app.sys->form<shell::FrmStart>().show();
        app.driver->advance(100);
        ASSERT_TRUE(home().visible());
        app.click(5); // the start page's papers button
    }

    void logIn(const QString& seat)
    {
        auto& logon = app.sys->form<exam::FrmLogon>();
        ASSERT_TRUE(logon.visible());
        app.driver->advance(100);
        app.driver->click(logon.ui().TxtZwh);
        app.driver->key(logon, plat::vk::End);
        app.driver->key(logon, plat::vk::Back);
        app.driver->key(logon, plat::vk::Back);
        app.driver->type(logon, seat);
        shot("login");
        app.driver->click(logon.ui().CmdLog);
        app.driver->advance(300);
        shot("login-confirm");
        app.driver->advance(400);
        ASSERT_FALSE(logon.isLoaded());
        app.driver->advance(600); // the question, the examination button set
        ASSERT_TRUE(tm().visible());
        ASSERT_TRUE(main().visible());
    }

    // Question `q` of the paper is the sample's hover question 0012: moved to with the panel's
    // next button, solved by pointing at the document size and waiting a second.
    void solveHoverQuestion(int q)
    {
        auto& st = app.st();
        for (int i = 1; i < q; ++i) {
            app.driver->click(tm().ui().CmdGN[exercise::cmd::Next].control());
            app.driver->advance(100);
        }
        ASSERT_EQ(st.CurrentQuestion, q);
        ASSERT_EQ(*records::idText(st.QuestionIds(q)), "0012");
        ASSERT_EQ(stepengine::StepRecord(st.StepLine).actionCode(), "0030");
        app.driver->moveTo(main(), testsupport::HeadlessDriver::centreInForm(main().ui().Label1));
        app.driver->advance(1000);
        shot("question-done");
        ASSERT_GE(st.QuestionState(q), 4);
    }

    // Both confirmations answered with their hand-in buttons.
    void confirmHandIn()
    {
        auto& end1 = app.sys->form<exam::FrmEnd1>();
        auto& end2 = app.sys->form<exam::FrmEnd2>();
        app.driver->answerModal([&](plat::Form&) {
            shot("handin-1");
            app.driver->click(end1.ui().Command1.control());
        });
        app.driver->answerModal([&](plat::Form&) {
            shot("handin-2");
            app.driver->click(end2.ui().Command1.control());
        });
    }

    void backHome()
    {
        app.driver->advance(100);
        shot("scoresheet");
        app.driver->click(sheet().ui().Command2.control());
        app.driver->advance(100); // the deferred paper command
        ASSERT_TRUE(home().visible());
        ASSERT_TRUE(home().ui().PicKaCH.visible());
    }
};

class PaperEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_SAMPLE_MODULE();
        app.sys->setScreenRect(QRect(0, 0, 1024, 768));
    }
    ExamApp app;
};

TEST_F(PaperEndToEnd, MockPaperHandedInByTheButtonIsReadBackOnThePaperPanel)
{
    PaperRun run { app, [this](const QString& stage) {
                      if (stage == "scoresheet")
                          testsupport::HeadlessDriver::saveRendering(
                              app.sys->form<exam::FrmChengji>(),
                              app.out("e2e-mock-scoresheet.png"));
                  } };
    run.startProgram();
    auto& st = app.st();
    app.click(29); // the mock list: fixed paper 4 holds 0012 as its question 4
    app.click(74);
    run.logIn("7");
    EXPECT_EQ(st.SeatNo, "07");
    EXPECT_EQ(st.StudyMode, 0);
    EXPECT_EQ(st.RecordNo, 4);
    run.solveHoverQuestion(4);
    EXPECT_EQ(st.MinutesLeft, 50);

    run.confirmHandIn();
    app.driver->click(run.tm().ui().CmdGN[exercise::cmd::HandIn].control());
    EXPECT_FALSE(run.tm().isLoaded());
    EXPECT_FALSE(run.main().isLoaded());
    ASSERT_TRUE(run.sheet().visible());
    EXPECT_EQ(run.sheet().ui().Label1.caption(), "第5套得分：2.5分");
    run.backHome();

    home::PaperPanelUi* p = home::paperPanel(*app.sys);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->ImgShiJuan[0].visible()) << "sprint papers not passed: the sprint list";
    app.click(29);
    EXPECT_TRUE(p->ImgShiJuan[4].visible());
    EXPECT_EQ(p->LblShiJuanScore[4].caption(), "2.5");
    EXPECT_EQ(p->LblShiJuanCuoTi[4].caption(), "(39)");
    EXPECT_TRUE(p->LblShiJuanTime[4].caption().startsWith("最后考试时间：20"));
    EXPECT_EQ(p->LblShiJuanTime[4].caption().size(), QString("最后考试时间：").size() + 16);
    EXPECT_EQ(p->LblShiJuanScore[3].caption(), "0");
    testsupport::HeadlessDriver::saveRendering(run.home(), app.out("e2e-mock-home.png"));
    EXPECT_TRUE(app.reports.isEmpty()) << app.reports.join('\n').toStdString();
}

TEST_F(PaperEndToEnd, RandomPaperHandedInAutomaticallyAtZero)
{
    PaperRun run { app, [](const QString&) {} };
    run.startProgram();
    auto& st = app.st();
    app.click(30); // the random-paper page
    app.click(21); // a new random paper, started at once
    ASSERT_EQ(st.StudyMode, 8);
    ASSERT_EQ(st.RecordNo, 20);
    run.logIn("123");
    EXPECT_EQ(st.SeatNo, "23");

    run.confirmHandIn();
    app.messageBoxes().answers = { true };
    app.driver->advance(50 * 60000);
    ASSERT_EQ(app.messageBoxes().shown.size(), 1u);
    EXPECT_EQ(app.messageBoxes().shown[0].text, "时间已到，自动交卷！");
    ASSERT_TRUE(run.sheet().visible());
    EXPECT_EQ(run.sheet().ui().Label1.caption(), "随机题得分：0分");
    EXPECT_FALSE(run.tm().isLoaded());
    run.backHome();

    app.click(31); // my random papers
    home::PaperPanelUi* p = home::paperPanel(*app.sys);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(run.home().RandomPaperCount, 1);
    EXPECT_TRUE(p->ImgShiJuan[20].visible());
    EXPECT_FALSE(p->ImgShiJuan[21].visible());
    EXPECT_EQ(p->LblShiJuanBiao[20].caption(), "随机试卷一");
    EXPECT_EQ(p->LblShiJuanScore[20].caption(), "0");
    EXPECT_EQ(p->LblShiJuanCuoTi[20].caption(), "(40)");
    testsupport::HeadlessDriver::saveRendering(run.home(), app.out("e2e-random-home.png"));
    EXPECT_TRUE(app.reports.isEmpty()) << app.reports.join('\n').toStdString();
}

// Under a real X display (run by the build under a virtual one):
//   xvfb-run -a env QT_QPA_PLATFORM=xcb tests_exam --gtest_filter='RealDisplay.*'
TEST(RealDisplay, AMockPaperFromLoginThroughAQuestionToTheScoreSheet)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    ExamApp app;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    app.sys->setScreenRect(screen);
    QStringList shots;
    PaperRun run { app, [&](const QString& stage) {
                      QApplication::processEvents();
                      const QString path = app.out("exam-xcb-" + stage + ".png");
                      QGuiApplication::primaryScreen()->grabWindow(0).save(path);
                      shots << stage;
                  } };
    run.startProgram();
    app.click(29);
    app.click(74);
    run.logIn("7");
    run.solveHoverQuestion(4);
    run.confirmHandIn();
    app.driver->click(run.tm().ui().CmdGN[exercise::cmd::HandIn].control());
    ASSERT_TRUE(run.sheet().visible());
    EXPECT_EQ(run.sheet().ui().Label1.caption(), "第5套得分：2.5分");
    run.backHome();
    EXPECT_EQ(shots,
        (QStringList {
            "login", "login-confirm", "question-done", "handin-1", "handin-2", "scoresheet" }));
}

} // namespace
