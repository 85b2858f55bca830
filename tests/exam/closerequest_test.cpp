// A window manager's close request (Alt+F4) on every window a candidate meets in a paper: each
// is the window's own way out (a dialog's cancel, the login's leave with its question, the score
// sheet's way home) or refused, and the program is never left without a shown window. Alt+F4 on
// a hand-in warning used to leave the panel hidden and the examination dead; on the login or the
// score sheet it left the program running without any window.

#include "exam/frmchengji.h"
#include "exam/frmend.h"
#include "exam/frmlogon.h"
#include "examapp.h"
#include "exercise/frmczts.h"
#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "shell/aboutbox.h"
#include "widgets/msgbox.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <initializer_list>

namespace {

using examtest::ExamApp;
using Box = plat::MessageBoxes;

struct CloseCase {
    const char* name;
    // Brings the program to the window and sends it the close request.
    std::function<void(ExamApp&)> closeIt;
    // What the close must have left.
    std::function<void(ExamApp&)> check;
};

exercise::FrmTm& panel(ExamApp& a) { return a.sys->form<exercise::FrmTm>(); }
workspace::FrmMain& simulated(ExamApp& a) { return a.sys->form<workspace::FrmMain>(); }
home::FrmFengmian& home(ExamApp& a) { return a.sys->form<home::FrmFengmian>(); }

// A close inside the modal window the next action opens.
void closeTheModal(ExamApp& a)
{
    a.driver->answerModal([](plat::Form& f) { f.closeRequest(); });
}

// The examination goes on: both windows shown, the panel docked at the simulated window's corner.
void examinationGoesOn(ExamApp& a)
{
    auto& tm = panel(a);
    auto& main = simulated(a);
    EXPECT_TRUE(main.visible());
    EXPECT_TRUE(tm.visible());
    EXPECT_DOUBLE_EQ(tm.left(), main.left() + main.width() - tm.width());
    EXPECT_DOUBLE_EQ(tm.top(), main.top() + main.height() - tm.height());
    EXPECT_EQ(a.st().PanelCanClose, 0);
    EXPECT_EQ(a.st().panelMode(), shell::PanelMode::Examination);
    EXPECT_FALSE(a.sys->form<exam::FrmChengji>().isLoaded());
}

// Question 1 of a paper on the screen with the examination's buttons.
void startPaper(ExamApp& a)
{
    a.startPaper();
    a.driver->advance(1000);
}

void handInFully(ExamApp& a)
{
    for (auto* end : std::initializer_list<exam::FrmEndBase*> {
             &a.sys->form<exam::FrmEnd1>(), &a.sys->form<exam::FrmEnd2>() })
        a.driver->answerModal(
            [&a, end](plat::Form&) { a.driver->click(end->ui().Command1.control()); });
    a.driver->click(panel(a).ui().CmdGN[8].control());
}

const CloseCase kCases[] = {
    { "hand-in warning",
        [](ExamApp& a) {
            startPaper(a);
            closeTheModal(a);
            a.driver->click(panel(a).ui().CmdGN[8].control());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exam::FrmEnd1>().isLoaded());
            examinationGoesOn(a);
        } },
    { "final hand-in warning",
        [](ExamApp& a) {
            startPaper(a);
            auto& end1 = a.sys->form<exam::FrmEnd1>();
            a.driver->answerModal(
                [&a, &end1](plat::Form&) { a.driver->click(end1.ui().Command1.control()); });
            closeTheModal(a);
            a.driver->click(panel(a).ui().CmdGN[8].control());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exam::FrmEnd2>().isLoaded());
            examinationGoesOn(a);
        } },
    { "view-answer notice",
        [](ExamApp& a) {
            startPaper(a);
            closeTheModal(a);
            a.driver->click(panel(a).ui().CmdGN[10].control());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exercise::FrmCZTS>().isLoaded());
            EXPECT_TRUE(a.messageBoxes().shown.empty());
            examinationGoesOn(a);
        } },
    { "question panel",
        [](ExamApp& a) {
            startPaper(a);
            panel(a).closeRequest();
        },
        examinationGoesOn },
    { "simulated window",
        [](ExamApp& a) {
            startPaper(a);
            simulated(a).closeRequest();
        },
        examinationGoesOn },
    { "login page, leaving answered No",
        [](ExamApp& a) {
            auto& logon = a.sys->form<exam::FrmLogon>();
            logon.show();
            a.driver->advance(100);
            a.messageBoxes().answers = { false };
            logon.closeRequest();
        },
        [](ExamApp& a) {
            ASSERT_EQ(a.messageBoxes().shown.size(), 1U);
            EXPECT_EQ(a.messageBoxes().shown[0].text, "确实要退出考试系统吗？");
            EXPECT_EQ(a.messageBoxes().shown[0].icon, Box::Icon::Question);
            EXPECT_EQ(a.messageBoxes().shown[0].defaultButton, Box::Button::No);
            EXPECT_TRUE(a.sys->form<exam::FrmLogon>().visible());
        } },
    { "login page, leaving answered Yes",
        [](ExamApp& a) {
            auto& logon = a.sys->form<exam::FrmLogon>();
            logon.show();
            a.driver->advance(100);
            a.messageBoxes().answers = { true };
            logon.closeRequest();
        },
        [](ExamApp& a) {
            EXPECT_EQ(a.messageBoxes().shown.size(), 1U);
            EXPECT_FALSE(a.sys->form<exam::FrmLogon>().isLoaded());
            EXPECT_TRUE(home(a).visible());
        } },
    { "login's confirmation page",
        [](ExamApp& a) {
            auto& logon = a.sys->form<exam::FrmLogon>();
            logon.show();
            a.driver->advance(100);
            a.driver->click(logon.ui().CmdLog);
            logon.closeRequest();
            a.driver->advance(700);
        },
        [](ExamApp& a) {
            EXPECT_TRUE(a.messageBoxes().shown.empty());
            EXPECT_FALSE(a.sys->form<exam::FrmLogon>().isLoaded());
            EXPECT_TRUE(simulated(a).visible());
            EXPECT_TRUE(panel(a).visible());
        } },
    { "score sheet",
        [](ExamApp& a) {
            startPaper(a);
            handInFully(a);
            a.driver->advance(100);
            a.sys->form<exam::FrmChengji>().closeRequest();
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exam::FrmChengji>().isLoaded());
            EXPECT_EQ(a.st().DeferredCommand, 17);
            EXPECT_TRUE(home(a).visible());
            a.driver->advance(100);
            EXPECT_TRUE(home(a).ui().PicKaCH.visible()); // the paper page
        } },
    { "home window, its exit question closed",
        [](ExamApp& a) {
            home(a).show();
            closeTheModal(a);
            home(a).closeRequest();
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<widgets::FrmMTMSGBOX>().isLoaded());
            EXPECT_EQ(a.st().MsgResult, 0);
            EXPECT_TRUE(home(a).visible());
        } },
    { "about box",
        [](ExamApp& a) {
            home(a).show();
            closeTheModal(a);
            home(a).LblInfo_Click(0);
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<shell::FrmAbout>().isLoaded());
            EXPECT_TRUE(home(a).visible());
        } },
};

class CloseRequestTest : public ::testing::TestWithParam<CloseCase> {
protected:
    void SetUp() override
    {
        ASSERT_SAMPLE_MODULE();
        app.readModule();
    }
    ExamApp app;
};

TEST_P(CloseRequestTest, IsTheWindowsOwnWayOutOrRefused)
{
    GetParam().closeIt(app);
    GetParam().check(app);
    EXPECT_EQ(app.driver->unansweredModals(), 0);
    EXPECT_FALSE(app.sys->ended());
    bool anyShown = false;
    for (plat::Form* f : app.sys->forms())
        anyShown = anyShown || f->visible();
    EXPECT_TRUE(anyShown) << "no window left on the screen";
}

INSTANTIATE_TEST_SUITE_P(
    EveryWindowOfAPaper, CloseRequestTest, ::testing::ValuesIn(kCases), [](const auto& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

} // namespace
