// The exercise windows on a real X desktop, driven by real X input (xdotool): the keys after a
// click in the question panel and after a demonstration, a window manager's close request,
// caption drags and the panel's docking after them, window titles, the stacking of the panel
// over the simulated window and of a standard dialog over a top-most notice. The test
// suite runs them under openbox and without a window manager (tests/realdisplay.sh), e.g.
//   xvfb-run -a tests/realdisplay.sh openbox build/tests/tests_exercise
//   --gtest_filter='RealDisplay.*'
// Screenshots of the whole screen are kept as test output.

#include "demo/frmyanshi.h"
#include "exam/frmlogon.h"
#include "exercise/frmczts.h"
#include "exercise/frmtm.h"
#include "home/homefixture.h"
#include "platform/services.h"
#include "shell/frmstart.h"
#include "shell/printers.h"
#include "stepengine/answers.h"
#include "stepengine/steprecord.h"
#include "support/samplepractice.h"
#include "support/xdesktop.h"
#include "workspace/frmmain.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

namespace fd = stepengine::field;
using testsupport::HeadlessDriver;
using testsupport::SampleHome;
using testsupport::SamplePractice;
using namespace testsupport::desktop;

QString shot(const QString& name)
{
    return testsupport::outputDir()
        + QStringLiteral("/desktop-%1-%2.png").arg(windowManagerName(), name);
}
void screenshot(const QString& name) { testsupport::desktop::screenshot(shot(name)); }

// A practice question on real windows: the panel's button set laid out and everything mapped.
struct DesktopPractice : SamplePractice {
    DesktopPractice(int unit, int question)
        : SamplePractice(unit, question)
        , tm(sys.form<exercise::FrmTm>())
    {
        driver.advance(500); // TimKsModel: the practice button set
        settle(400);
    }
    exercise::FrmTm& tm;
    QString answer()
    {
        const auto a = stepengine::acceptedAnswer(
            st.AnswerTextFile, stepengine::StepRecord(st.StepLine).text(fd::AnswerLine));
        EXPECT_TRUE(a.ok());
        return a.ok() ? stepengine::alternatives(a.value()).first : QString();
    }
};

// Unit 1, question number 14 clicked in the panel: Alt+Ctrl+I then went to the panel and the
// right answer seemed refused.
TEST(RealDisplay, KeysAfterAClickInThePanelReachTheSimulatedWindow)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    DesktopPractice p(0, 1);
    clickAt(p.tm.ui().CmdGN[exercise::cmd::Numbers].control()); // the number page
    clickAt(p.tm.ui().CmTNO[14].control());
    p.driver.advance(100); // Timer2 loads the question's first step
    ASSERT_EQ(p.st.CurrentQuestion, 14);
    ASSERT_EQ(p.st.CurrentStep, 1);
    key(QStringLiteral("ctrl+alt+i"));
    EXPECT_EQ(p.st.CurrentStep, 2);

    // The panel holding the focus (a window manager may refuse the simulated window the
    // activation): the answer typed there still reaches the field, Enter confirms it.
    xdo({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), hex(p.tm.hWnd()->winId()) });
    const QString answer = p.answer();
    key(QStringLiteral("ctrl+a"));
    xdo({ QStringLiteral("type"), answer });
    screenshot(QStringLiteral("typed"));
    key(QStringLiteral("Return"));
    EXPECT_TRUE(stepengine::StepRecord(p.st.StepLine).isEndOfQuestion());
}

// Alt+F4 during practice unloaded the simulated window and left the panel over an empty screen.
TEST(RealDisplay, ACloseRequestLeavesTheSimulatedWindowWithItsQuestion)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    DesktopPractice p(0, 14);
    const QString line = p.st.StepLine;
    const WId id = p.main.hWnd()->winId();
    closeFromWindowManager(p.main);
    screenshot(QStringLiteral("closerequest"));
    EXPECT_TRUE(p.main.isLoaded());
    EXPECT_TRUE(xWindow(id).viewable);
    EXPECT_EQ(p.st.CurrentQuestion, 14);
    EXPECT_EQ(p.st.StepLine, line);
    key(QStringLiteral("ctrl+alt+i")); // and the exercise goes on
    EXPECT_EQ(p.st.CurrentStep, 2);
}

// A short click on the caption strip glued the panel to the pointer under openbox.
TEST(RealDisplay, ThePanelFollowsACaptionDragOnlyWhileTheButtonIsHeld)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    DesktopPractice p(0, 14);
    const WId panel = p.tm.hWnd()->winId();
    const QRect docked = xWindow(panel).rect;
    const QPoint at = globalCentre(p.tm.ui().LblMove);
    clickAt(p.tm.ui().LblMove);
    xdo({ QStringLiteral("mousemove"), num(at.x() - 200), num(at.y() - 150) });
    xdo({ QStringLiteral("mousemove"), num(at.x() - 300), num(at.y() - 200) });
    EXPECT_EQ(xWindow(panel).rect, docked);

    // Held, it moves with the pointer; released, it stays where it was let go.
    xdo({ QStringLiteral("mousemove"), num(at.x()), num(at.y()), QStringLiteral("mousedown"),
        QStringLiteral("1") });
    for (int step = 1; step <= 4; ++step)
        xdo({ QStringLiteral("mousemove"), num(at.x() - 50 * step), num(at.y() - 30 * step) });
    xdo({ QStringLiteral("mouseup"), QStringLiteral("1") });
    const QRect dropped = xWindow(panel).rect;
    EXPECT_LT(dropped.left(), docked.left() - 100);
    EXPECT_LT(dropped.top(), docked.top() - 60);
    xdo({ QStringLiteral("mousemove"), num(at.x() + 100), num(at.y() + 50) });
    EXPECT_EQ(xWindow(panel).rect, dropped);
    screenshot(QStringLiteral("dragged"));
}

// Without a window manager the panel fell behind the simulated window after a step load.
TEST(RealDisplay, ThePanelStaysAboveTheSimulatedWindow)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    DesktopPractice p(0, 14);
    EXPECT_TRUE(above(p.tm, p.main));
    key(QStringLiteral("ctrl+alt+i")); // a step load
    ASSERT_EQ(p.st.CurrentStep, 2);
    EXPECT_TRUE(above(p.tm, p.main)) << "after a key";
    clickAt(p.tm.ui().CmdGN[exercise::cmd::StepHints].control());
    p.driver.advance(100);
    EXPECT_TRUE(above(p.tm, p.main)) << "after 步骤提示";
    clickAt(p.tm.ui().CmdGN[exercise::cmd::Next].control());
    p.driver.advance(100);
    ASSERT_EQ(p.st.CurrentQuestion, 15);
    EXPECT_TRUE(above(p.tm, p.main)) << "after 下一题";
    // A click into the simulated window activates it; the panel stays over it.
    xdo({ QStringLiteral("mousemove"), num(p.main.hWnd()->mapToGlobal(QPoint(300, 300)).x()),
        num(p.main.hWnd()->mapToGlobal(QPoint(300, 300)).y()), QStringLiteral("click"),
        QStringLiteral("1") });
    EXPECT_TRUE(above(p.tm, p.main)) << "after a click into the simulated window";
    screenshot(QStringLiteral("stacking"));
}

// The view-answer confirmation opened behind the top-most notice and spoke English; it is a
// dialog of the notice, centred on it.
TEST(RealDisplay, TheViewAnswerQuestionStandsAboveTheNoticeInChinese)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    static const bool translated = plat::installStandardTranslation(*QCoreApplication::instance());
    ASSERT_TRUE(translated) << "Qt's Chinese translation (scripts/install-deps installs it)";
    DesktopPractice p(0, 14);
    p.sys.services().messageBoxes = plat::makeRealServices(QStringLiteral("ksxt-desktop-test"),
        testsupport::outputDir() + QStringLiteral("/desktop-test.ini"))
                                        .messageBoxes;
    p.sys.modalDriver = nullptr; // the notice runs its own modal loop
    auto& notice = p.sys.form<exercise::FrmCZTS>();

    QStringList buttons;
    bool boxAboveNotice = false;
    QString noticeProps;
    bool noticeStaysShown = false;
    const auto atBox = [&](QMessageBox& shown) {
        QMessageBox* box = &shown;
        settle(300);
        expectDialogOf(box->winId(), { notice.hWnd()->winId() }, notice.hWnd()->winId());
        const QList<WId> order = stackingOrder();
        boxAboveNotice = order.indexOf(box->winId()) > order.indexOf(notice.hWnd()->winId());
        const QImage rendering = box->grab().toImage();
        rendering.save(shot(QStringLiteral("askbox")));
        screenshot(QStringLiteral("askbox-screen"));
        for (QAbstractButton* b : box->buttons()) {
            const QRect r(b->mapTo(box, QPoint(0, 0)), b->size());
            if (testsupport::inkIn(rendering, r.adjusted(4, 4, -4, -4)) > 10)
                buttons << b->text();
        }
        noticeProps = run(QStringLiteral("xprop"),
            { QStringLiteral("-id"), hex(notice.hWnd()->winId()),
                QStringLiteral("_NET_WM_ALLOWED_ACTIONS"), QStringLiteral("WM_NORMAL_HINTS"),
                QStringLiteral("WM_TRANSIENT_FOR") });
        box->button(QMessageBox::No)->click(); // the notice stays open
        QTimer::singleShot(200, [&] {
            // A minimise while the notice blocks every other window must not hide it.
            const WId id = notice.hWnd()->winId();
            xdo({ QStringLiteral("windowminimize"), hex(id) });
            settle(500);
            noticeStaysShown = xWindow(id).viewable && !notice.hWnd()->isMinimized();
            notice.unload();
        });
    };
    QTimer::singleShot(300, [&] {
        whenAMessageBoxShows(atBox, 60);
        clickAt(notice.ui().Command2.control());
    });
    notice.show(true);

    EXPECT_TRUE(boxAboveNotice);
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList { QStringLiteral("否(&N)"), QStringLiteral("是(&Y)") }));
    EXPECT_EQ(p.st.PanelMode, 1); // "No" changed nothing

    // The notice is a fixed dialog of the exercise's windows, which a minimise cannot hide.
    static const QRegularExpression size(
        QStringLiteral("minimum size: (\\d+ by \\d+).*maximum size: (\\d+ by \\d+)"),
        QRegularExpression::DotMatchesEverythingOption);
    const auto sizes = size.match(noticeProps);
    ASSERT_TRUE(sizes.hasMatch()) << noticeProps.toStdString();
    EXPECT_EQ(sizes.captured(1), sizes.captured(2));
    EXPECT_TRUE(noticeProps.contains(hex(p.tm.hWnd()->winId()))
        || noticeProps.contains(hex(p.main.hWnd()->winId())))
        << noticeProps.toStdString();
    if (underWindowManager()) {
        EXPECT_TRUE(noticeProps.contains(QStringLiteral("_NET_WM_ACTION_CLOSE")));
        EXPECT_FALSE(noticeProps.contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")));
        EXPECT_FALSE(noticeProps.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE")));
    }
    EXPECT_TRUE(noticeStaysShown);
}

// The home window shown, as after the program's start.
void showHome(SampleHome& h)
{
    h.sys->form<shell::FrmStart>().show();
    h.driver->advance(100);
    ASSERT_TRUE(h.home().visible());
}

// The first unit's practice from the home window: the question panel and the simulated window.
void startFirstPractice(SampleHome& h)
{
    h.driver->clickForm(h.home(), HeadlessDriver::centreInForm(h.button(4).control()));
    h.driver->clickForm(h.home(), HeadlessDriver::centreInForm(h.button(20).control()));
    h.driver->advance(500);
}

// A press on `strip`, the pointer moved by each of `steps` in turn with the left button held,
// then the release. Returns the pointer's whole travel.
QPoint dragBy(plat::Control& strip, std::initializer_list<QPoint> steps)
{
    const QPoint from = globalCentre(strip);
    xdo({ QStringLiteral("mousemove"), num(from.x()), num(from.y()), QStringLiteral("mousedown"),
        QStringLiteral("1") });
    QPoint travel;
    for (const QPoint step : steps) {
        travel += step;
        xdo({ QStringLiteral("mousemove"), num(from.x() + travel.x()),
            num(from.y() + travel.y()) });
    }
    xdo({ QStringLiteral("mouseup"), QStringLiteral("1") });
    return travel;
}

// A drag of five movements moves a window by the pointer's whole travel, so the pointer ends on
// the point of the caption it pressed; a short click on the strip then leaves the window where
// it is. (The click comes second: pressed at once on the same point, it would make the drag's
// press a double-click.)
void expectTheWindowFollowsThePointer(plat::Control& strip, const char* what)
{
    SCOPED_TRACE(what);
    const WId id = strip.form().hWnd()->winId();
    const QRect before = xWindow(id).rect;
    // The first movements are the ones a window manager's own move missed.
    const QPoint travel = dragBy(strip,
        { QPoint(-20, -15), QPoint(-60, -40), QPoint(-10, -8), QPoint(35, -20), QPoint(-45, 12) });
    const QRect dropped = xWindow(id).rect;
    EXPECT_EQ(dropped, before.translated(travel));
    clickAt(strip);
    EXPECT_EQ(xWindow(id).rect, dropped) << "after a short click";
}

// Under openbox the panel, its folded strip and the home window ended short of the pointer by
// the first stretch of the drag (the window manager's move started where the pointer was when
// it took over).
TEST(RealDisplay, CaptionDragsKeepThePointerOnTheCaption)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    SampleHome h;
    ASSERT_NO_FATAL_FAILURE(showHome(h));
    settle(400);
    expectTheWindowFollowsThePointer(h.ui().lblMove, "the home window's strip");

    startFirstPractice(h);
    auto& tm = h.sys->form<exercise::FrmTm>();
    ASSERT_TRUE(tm.visible());
    settle(400);
    expectTheWindowFollowsThePointer(tm.ui().LblMove, "the panel's caption strip");
    clickAt(tm.ui().LblZXH.control());
    ASSERT_TRUE(tm.ui().FrmZXH.visible());
    expectTheWindowFollowsThePointer(tm.ui().Label2, "the folded strip's handle");
    screenshot(QStringLiteral("captiondrags"));
}

// The panel was docked at the press on the simulated window's top strip, before the window
// moved, and was left behind.
TEST(RealDisplay, ThePanelIsDockedWhereTheSimulatedWindowIsDropped)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    DesktopPractice p(0, 14);
    const WId main = p.main.hWnd()->winId(), panel = p.tm.hWnd()->winId();
    const QRect before = xWindow(main).rect;
    const QPoint travel = dragBy(p.main.ui().lblMove,
        { QPoint(-30, -20), QPoint(-60, -40), QPoint(-25, 10), QPoint(-40, -30), QPoint(5, -6) });
    const QRect dropped = xWindow(main).rect, docked = xWindow(panel).rect;
    screenshot(QStringLiteral("maindragged"));
    EXPECT_EQ(dropped, before.translated(travel));
    EXPECT_EQ(docked.bottomRight(), dropped.bottomRight());
    EXPECT_EQ(docked.size(), p.tm.pixelGeometry().size());
    EXPECT_TRUE(above(p.tm, p.main));
}

// The title a window shows in the window list, as the X server holds it.
QString windowTitle(plat::Form& f)
{
    static const QRegularExpression quoted(QStringLiteral("= \"(.*)\""));
    return quoted
        .match(run(QStringLiteral("xprop"),
            { QStringLiteral("-notype"), QStringLiteral("-id"), hex(f.hWnd()->winId()),
                QStringLiteral("_NET_WM_NAME") },
            { { QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8") } }))
        .captured(1);
}

// The window list named the simulated window and the panel after the executable; the windows
// with a caption of their own keep it.
TEST(RealDisplay, WindowsWithoutACaptionShowTheApplicationTitle)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    SampleHome h;
    ASSERT_NO_FATAL_FAILURE(showHome(h));
    const QString title
        = QStringLiteral("Mirtvale全国专业技术人员计算机应用能力考试练习系统——图像处理模块");
    EXPECT_EQ(windowTitle(h.home()), QStringLiteral("全国专业技术人员计算机应用能力考试练习系统"));
    auto& login = h.sys->form<exam::FrmLogon>();
    login.show();
    EXPECT_EQ(windowTitle(login), QStringLiteral("Form1"));
    login.unload();

    startFirstPractice(h);
    auto& main = h.sys->form<workspace::FrmMain>();
    auto& tm = h.sys->form<exercise::FrmTm>();
    ASSERT_TRUE(main.visible());
    EXPECT_EQ(windowTitle(main), title);
    EXPECT_EQ(windowTitle(tm), title);
    EXPECT_TRUE(main.caption().isEmpty()); // the form's own caption stays its own
}

// After a demonstration handed back, the panel held the keyboard and the first key the learner
// pressed did nothing.
TEST(RealDisplay, TheFirstKeyAfterADemonstrationReachesTheSimulatedWindow)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    DesktopPractice p(0, 14);
    auto& yan = p.sys.form<demo::FrmYanShi>();
    clickAt(p.tm.ui().CmdGN[exercise::cmd::Demonstration].control());
    p.driver.advance(200);
    ASSERT_TRUE(yan.visible());
    for (int t = 0; t < 60000 && yan.isLoaded(); t += 100)
        p.driver.advance(100);
    ASSERT_FALSE(yan.isLoaded());
    p.driver.advance(200); // the panel shows the question afresh and the step loads
    settle(400);
    ASSERT_TRUE(p.main.visible());
    ASSERT_EQ(p.st.CurrentStep, 1);
    EXPECT_EQ(focusedWindow(), p.main.hWnd()->winId());
    key(QStringLiteral("ctrl+alt+i"));
    screenshot(QStringLiteral("afterdemo"));
    EXPECT_EQ(p.st.CurrentStep, 2);
}

} // namespace
