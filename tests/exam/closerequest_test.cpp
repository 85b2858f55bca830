// A window manager's close request (Alt+F4) on every window a learner meets: each is the
// window's own way out (a dialog's cancel, the login's leave with its question, the score
// sheet's way home, the picture's hide) or refused, and the program is never left without a
// shown window. Alt+F4 on a hand-in warning used to leave the panel hidden and the examination
// dead; on the login or the score sheet it left the program running without any window. The
// same table runs headless, the close raised in the form, and on a real X display, the close
// sent as a window manager sends it (RealDisplay, under openbox and without a window manager).

#include "demo/frmyanshi.h"
#include "exam/frmchengji.h"
#include "exam/frmend.h"
#include "exam/frmlogon.h"
#include "examapp.h"
#include "exercise/frmczts.h"
#include "exercise/frmime.h"
#include "exercise/frmpicture.h"
#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "shell/aboutbox.h"
#include "shell/frmstart.h"
#include "shell/frmupdata.h"
#include "support/xdesktop.h"
#include "widgets/msgbox.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace {

using examtest::ExamApp;
using Box = plat::MessageBoxes;

// Sends a window the close request: raised in the form, or through the X server.
using Closer = std::function<void(plat::Form&)>;

struct CloseCase {
    const char* name;
    // Brings the program to the window and sends it the close request.
    std::function<void(ExamApp&, const Closer&)> closeIt;
    // What the close must have left.
    std::function<void(ExamApp&)> check;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

exercise::FrmTm& panel(ExamApp& a) { return a.sys->form<exercise::FrmTm>(); }
workspace::FrmMain& simulated(ExamApp& a) { return a.sys->form<workspace::FrmMain>(); }
home::FrmFengmian& home(ExamApp& a) { return a.sys->form<home::FrmFengmian>(); }

// A close inside the modal window the next action opens.
void closeTheModal(ExamApp& a, const Closer& close)
{
    a.driver->answerModal([close](plat::Form& f) { close(f); });
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
    a.driver->click(panel(a).ui().CmdGN[exercise::cmd::HandIn].control());
}

const CloseCase kCases[] = {
    { "hand-in warning",
        [](ExamApp& a, const Closer& close) {
            startPaper(a);
            closeTheModal(a, close);
            a.driver->click(panel(a).ui().CmdGN[exercise::cmd::HandIn].control());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exam::FrmEnd1>().isLoaded());
            examinationGoesOn(a);
        } },
    { "final hand-in warning",
        [](ExamApp& a, const Closer& close) {
            startPaper(a);
            auto& end1 = a.sys->form<exam::FrmEnd1>();
            a.driver->answerModal(
                [&a, &end1](plat::Form&) { a.driver->click(end1.ui().Command1.control()); });
            closeTheModal(a, close);
            a.driver->click(panel(a).ui().CmdGN[exercise::cmd::HandIn].control());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exam::FrmEnd2>().isLoaded());
            examinationGoesOn(a);
        } },
    { "view-answer notice",
        [](ExamApp& a, const Closer& close) {
            startPaper(a);
            closeTheModal(a, close);
            a.driver->click(panel(a).ui().CmdGN[exercise::cmd::ViewAnswer].control());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exercise::FrmCZTS>().isLoaded());
            EXPECT_TRUE(a.messageBoxes().shown.empty());
            examinationGoesOn(a);
        } },
    { "question panel",
        [](ExamApp& a, const Closer& close) {
            startPaper(a);
            close(panel(a));
        },
        examinationGoesOn },
    { "simulated window",
        [](ExamApp& a, const Closer& close) {
            startPaper(a);
            close(simulated(a));
        },
        examinationGoesOn },
    { "login page, leaving answered No",
        [](ExamApp& a, const Closer& close) {
            auto& logon = a.sys->form<exam::FrmLogon>();
            logon.show();
            a.driver->advance(100);
            a.messageBoxes().answers = { false };
            close(logon);
        },
        [](ExamApp& a) {
            ASSERT_EQ(a.messageBoxes().shown.size(), 1U);
            EXPECT_EQ(a.messageBoxes().shown[0].text, "确实要退出考试系统吗？");
            EXPECT_EQ(a.messageBoxes().shown[0].icon, Box::Icon::Question);
            EXPECT_EQ(a.messageBoxes().shown[0].defaultButton, Box::Button::No);
            EXPECT_TRUE(a.sys->form<exam::FrmLogon>().visible());
        } },
    { "login page, leaving answered Yes",
        [](ExamApp& a, const Closer& close) {
            auto& logon = a.sys->form<exam::FrmLogon>();
            logon.show();
            a.driver->advance(100);
            a.messageBoxes().answers = { true };
            close(logon);
        },
        [](ExamApp& a) {
            EXPECT_EQ(a.messageBoxes().shown.size(), 1U);
            EXPECT_FALSE(a.sys->form<exam::FrmLogon>().isLoaded());
            EXPECT_TRUE(home(a).visible());
        } },
    { "login's confirmation page",
        [](ExamApp& a, const Closer& close) {
            auto& logon = a.sys->form<exam::FrmLogon>();
            logon.show();
            a.driver->advance(100);
            a.driver->click(logon.ui().CmdLog);
            close(logon);
            a.driver->advance(700);
        },
        [](ExamApp& a) {
            EXPECT_TRUE(a.messageBoxes().shown.empty());
            EXPECT_FALSE(a.sys->form<exam::FrmLogon>().isLoaded());
            EXPECT_TRUE(simulated(a).visible());
            EXPECT_TRUE(panel(a).visible());
        } },
    { "score sheet",
        [](ExamApp& a, const Closer& close) {
            startPaper(a);
            handInFully(a);
            a.driver->advance(100);
            close(a.sys->form<exam::FrmChengji>());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exam::FrmChengji>().isLoaded());
            EXPECT_EQ(a.st().DeferredCommand, 17);
            EXPECT_TRUE(home(a).visible());
            a.driver->advance(100);
            EXPECT_TRUE(home(a).ui().PicKaCH.visible()); // the paper page
        } },
    { "home window, its exit question closed",
        [](ExamApp& a, const Closer& close) {
            home(a).show();
            closeTheModal(a, close);
            close(home(a));
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<widgets::FrmMTMSGBOX>().isLoaded());
            EXPECT_EQ(a.st().MsgResult, 0);
            EXPECT_TRUE(home(a).visible());
        } },
    { "about box",
        [](ExamApp& a, const Closer& close) {
            home(a).show();
            closeTheModal(a, close);
            home(a).LblInfo_Click(0);
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<shell::FrmAbout>().isLoaded());
            EXPECT_TRUE(home(a).visible());
        } },
    { "input-method option",
        [](ExamApp& a, const Closer& close) {
            startPaper(a);
            closeTheModal(a, close);
            panel(a).CmdEn_Click();
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exercise::FrmIME>().isLoaded());
            EXPECT_FALSE(panel(a).ui().FrmZXH.visible()); // unfolded again
            examinationGoesOn(a);
        } },
    { "picture window",
        [](ExamApp& a, const Closer& close) {
            startPaper(a);
            panel(a).Image2_Click();
            ASSERT_TRUE(a.sys->form<exercise::FrmPicture>().visible());
            close(a.sys->form<exercise::FrmPicture>());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<exercise::FrmPicture>().visible());
            EXPECT_EQ(panel(a).ui().Image2.caption(), "显示图片"); // as its own button hides it
            examinationGoesOn(a);
        } },
    { "demonstration",
        [](ExamApp& a, const Closer& close) {
            home(a).show();
            a.click(4); // the first unit
            a.click(20); // its practice
            a.driver->advance(500);
            a.driver->click(panel(a).ui().CmdGN[exercise::cmd::Demonstration].control());
            a.driver->advance(200);
            ASSERT_TRUE(a.sys->form<demo::FrmYanShi>().visible());
            close(a.sys->form<demo::FrmYanShi>());
            a.driver->advance(200);
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<demo::FrmYanShi>().isLoaded());
            EXPECT_EQ(a.st().DemoActive, 0);
            EXPECT_TRUE(simulated(a).visible());
            EXPECT_TRUE(panel(a).visible());
            EXPECT_EQ(a.st().PanelCanClose, 0);
        } },
    { "updater",
        [](ExamApp& a, const Closer& close) {
            home(a).show();
            a.st().UpdaterVisible = 1;
            a.sys->form<shell::FrmUpdata>().show();
            a.driver->advance(100);
            ASSERT_TRUE(a.sys->form<shell::FrmUpdata>().visible());
            close(a.sys->form<shell::FrmUpdata>());
        },
        [](ExamApp& a) {
            EXPECT_FALSE(a.sys->form<shell::FrmUpdata>().isLoaded());
            EXPECT_TRUE(home(a).visible());
        } },
    { "splash",
        [](ExamApp& a, const Closer& close) {
            a.sys->form<shell::FrmStart>().show();
            close(a.sys->form<shell::FrmStart>());
        },
        [](ExamApp& a) {
            // Refused: the splash stays, and start-up runs on to the home window.
            EXPECT_TRUE(a.sys->form<shell::FrmStart>().visible());
            EXPECT_FALSE(home(a).visible());
            a.driver->advance(100);
            EXPECT_TRUE(home(a).visible());
            EXPECT_FALSE(a.sys->form<shell::FrmStart>().isLoaded());
        } },
};

// Whether any window of the program is on the screen.
bool anyWindowShown(ExamApp& a)
{
    for (plat::Form* f : a.sys->forms())
        if (f->visible())
            return true;
    return false;
}

// What every close must leave, besides each window's own check.
void expectTheProgramGoesOn(ExamApp& a)
{
    EXPECT_EQ(a.driver->unansweredModals(), 0);
    EXPECT_FALSE(a.sys->ended());
    EXPECT_TRUE(anyWindowShown(a)) << "no window left on the screen";
}

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
    GetParam().closeIt(app, [](plat::Form& f) { f.closeRequest(); });
    GetParam().check(app);
    expectTheProgramGoesOn(app);
}

// A case's name as part of a test's or a file's name: letters and digits, '_' for the rest.
std::string plainName(const char* caseName)
{
    std::string name;
    for (const char* c = caseName; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}
QString shotName(const char* caseName) { return QString::fromStdString(plainName(caseName)); }

INSTANTIATE_TEST_SUITE_P(EveryWindowOfAPaper, CloseRequestTest, ::testing::ValuesIn(kCases),
    [](const auto& info) { return plainName(info.param.name); });

// The same table on a real display: the close reaches the mapped window through the X server, as
// the window manager's (openbox's own Alt+F4, or the client message it would send), and the
// server must still show a window of the program afterwards.
TEST(RealDisplay, EveryWindowAnswersAWindowManagersClose)
{
    namespace xd = testsupport::desktop;
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    const Closer fromTheWindowManager = [](plat::Form& f) {
        xd::waitUntilViewable(f);
        xd::closeFromWindowManager(f);
    };
    for (const CloseCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ExamApp a;
        a.readModuleOnTheRealScreen();
        c.closeIt(a, fromTheWindowManager);
        xd::settle();
        c.check(a);
        expectTheProgramGoesOn(a);
        bool anyViewable = false;
        for (plat::Form* f : a.sys->forms())
            anyViewable = anyViewable || (f->visible() && xd::xWindow(f->hWnd()->winId()).viewable);
        EXPECT_TRUE(anyViewable) << "no window of the program mapped";
        xd::screenshot(a.out(
            QStringLiteral("close-%1-%2.png").arg(xd::windowManagerName(), shotName(c.name))));
    }
}

// The modal windows of the table above, each with the windows it may stand over, the window it is
// centred on and whether it has a title bar of its own design or is drawn whole by the program. A
// dialog the question panel opens stands over the panel or over the simulated window, whichever was
// activated last (the panel, top-most, keeps such a dialog above it), and is centred on the
// simulated window, which the panel serves. Under openbox they were offered minimise: a minimised
// notice left every window of the examination blocked.
struct DialogCase {
    const char* closeCase; // the row above that opens it
    std::vector<plat::Form& (*)(ExamApp&)> owners;
    plat::Form& (*centredOn)(ExamApp&);
    bool framed;
};
plat::Form& panelForm(ExamApp& a) { return panel(a); }
plat::Form& simulatedForm(ExamApp& a) { return simulated(a); }
plat::Form& homeForm(ExamApp& a) { return home(a); }
const DialogCase kDialogs[] = {
    // The panel is hidden while the hand-in warnings run.
    { "hand-in warning", { simulatedForm }, simulatedForm, true },
    { "final hand-in warning", { simulatedForm }, simulatedForm, true },
    { "view-answer notice", { panelForm, simulatedForm }, simulatedForm, true },
    // Drawn with their own caption: a window manager's title bar above it doubled it.
    { "input-method option", { panelForm, simulatedForm }, simulatedForm, false },
    { "home window, its exit question closed", { homeForm }, homeForm, false },
    { "about box", { homeForm }, homeForm, false },
};

TEST(RealDisplay, ModalWindowsAreFixedDialogsOfTheWindowTheyServe)
{
    namespace xd = testsupport::desktop;
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    for (const DialogCase& d : kDialogs) {
        const auto c = std::ranges::find_if(
            kCases, [&](const CloseCase& row) { return std::string(row.name) == d.closeCase; });
        ASSERT_NE(c, std::end(kCases)) << d.closeCase;
        SCOPED_TRACE(c->name);
        ExamApp a;
        a.readModuleOnTheRealScreen();
        bool met = false;
        // Looked at on the screen, then a minimise tried, then closed as the table closes it.
        c->closeIt(a, [&](plat::Form& f) {
            xd::waitUntilViewable(f);
            if (&f != a.sys->activeModal()) {
                xd::closeFromWindowManager(f);
                return;
            }
            met = true;
            const WId id = f.hWnd()->winId();
            xd::settle();
            QList<WId> owners;
            for (auto owner : d.owners)
                owners << owner(a).hWnd()->winId();
            xd::expectDialogOf(id, owners, d.centredOn(a).hWnd()->winId());
            if (xd::underWindowManager()) {
                EXPECT_EQ(xd::managedWindow(id).frameExtents.isNull(), !d.framed) << "frame";
            }
            xd::screenshot(a.out(QStringLiteral("dialog-%1-%2.png")
                                     .arg(xd::windowManagerName(), shotName(c->name))));
            xd::xdo({ QStringLiteral("windowminimize"), xd::hex(id) });
            xd::settle(500);
            EXPECT_TRUE(xd::xWindow(id).viewable) << "minimised while it blocks";
            xd::closeFromWindowManager(f);
        });
        xd::settle();
        EXPECT_TRUE(met) << "no modal window met";
        c->check(a);
        expectTheProgramGoesOn(a);
    }
}

} // namespace
