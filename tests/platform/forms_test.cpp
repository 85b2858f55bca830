// Behaviour of forms and controls that the system's windows rely on.

#include "platform/sampleform.h"
#include "support/headlessapp.h"
#include "support/testsupport.h"

#include "platform/color.h"
#include "platform/dialogwindow.h"
#include "platform/keys.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFontInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

using namespace plat;
using namespace testsupport;
using testsupport::HeadlessApp;
using testsupport::SampleForm;

namespace {

// A form whose controls log every event they raise.
struct LogUi {
    explicit LogUi(Form& f)
        : A(f.area(), "A")
        , B(f.area(), "B")
        , Box(f.area(), "Box")
        , Text(f.area(), "Text")
        , List(f.area(), "List")
        , Ring(f.area(), "Ring")
        , Tiny(f.area(), "Tiny")
        , Tick(f, "Tick", 100)
    {
        A.move(0, 0, 1500, 1500);
        B.move(3000, 0, 1500, 1500);
        Box.move(0, 2000, 3000, 1500); // a picture box overlapping label C's place
        Text.move(4000, 2000, 1500, 300);
        List.move(4000, 3000, 1500, 900);
        Ring.move(3000, 0, 1500, 1500); // a frame over B: never hit
        Tiny.move(6000, 0, 10, 10); // below a pixel
    }
    Label A, B;
    PictureBox Box;
    TextBox Text;
    ListBox List;
    Shape Ring;
    Label Tiny;
    Timer Tick;
};

class LogForm : public FormWith<LogUi> {
public:
    explicit LogForm(Runtime& rt)
        : FormWith(rt, QStringLiteral("LogForm"))
    {
    }
    QStringList log;
    int loads = 0;

    void wire(Control& c)
    {
        const QString n = c.name();
        c.MouseDown = [this, n](int b, int s, double x, double y) {
            log << QStringLiteral("%1.Down(%2,%3,%4,%5)").arg(n).arg(b).arg(s).arg(x).arg(y);
        };
        c.MouseUp = [this, n](int b, int s, double x, double y) {
            log << QStringLiteral("%1.Up(%2,%3,%4,%5)").arg(n).arg(b).arg(s).arg(x).arg(y);
        };
        c.MouseMove = [this, n](int b, int, double x, double) {
            log << QStringLiteral("%1.Move(%2,%3)").arg(n).arg(b).arg(x);
        };
        c.Click = [this, n] { log << n + QStringLiteral(".Click"); };
        c.DblClick = [this, n] { log << n + QStringLiteral(".DblClick"); };
        c.GotFocus = [this, n] { log << n + QStringLiteral(".GotFocus"); };
        c.KeyDown = [this, n](int& k, int s) {
            log << QStringLiteral("%1.KeyDown(%2,%3)").arg(n).arg(k).arg(s);
        };
    }

protected:
    void Form_Load() override
    {
        ++loads;
        move(0, 0, 9000, 6000);
        auto& ui = uiNoLoad();
        for (Control* c :
            std::initializer_list<Control*> { &ui.A, &ui.B, &ui.Box, &ui.Text, &ui.List, &ui.Tiny })
            wire(*c);
        MouseDown = [this](int b, int, double x, double y) {
            log << QStringLiteral("Form.Down(%1,%2,%3)").arg(b).arg(x).arg(y);
        };
        Click = [this] { log << QStringLiteral("Form.Click"); };
        KeyDown
            = [this](int& k, int s) { log << QStringLiteral("Form.KeyDown(%1,%2)").arg(k).arg(s); };
    }
};

class FormsTest : public ::testing::Test {
protected:
    HeadlessApp app;
    LogForm& form() { return app.rt->formOf<LogForm>(*app.rt); }
    void showForm()
    {
        form().show();
        form().log.clear();
    }
};

TEST_F(FormsTest, TouchingAControlLoadsTheFormOnce)
{
    EXPECT_FALSE(form().isLoaded());
    form().ui().A.setCaption(QStringLiteral("x")); // a touch loads and runs Form_Load first
    EXPECT_TRUE(form().isLoaded());
    EXPECT_EQ(form().loads, 1);
    form().ui().B.setCaption(QStringLiteral("y"));
    form().left();
    EXPECT_EQ(form().loads, 1);
}

TEST_F(FormsTest, UnloadInsideOwnHandlerIsSafeAndNextTouchLoadsAfresh)
{
    showForm();
    form().ui().A.setCaption(QStringLiteral("changed"));
    form().ui().A.Click = [this] {
        form().unload();
        form().log << QStringLiteral("after unload");
    };
    app.driver->click(form().ui().A);
    EXPECT_FALSE(form().isLoaded());
    EXPECT_EQ(form().log.last(), QStringLiteral("after unload"));
    // Fields of the form survive; controls come back with their design values.
    EXPECT_EQ(form().ui().A.caption(), QString());
    EXPECT_EQ(form().loads, 2);
    EXPECT_TRUE(form().log.contains(QStringLiteral("after unload")));
}

TEST_F(FormsTest, UnloadStopsTheFormsTimers)
{
    int ticks = 0;
    form().ui().Tick.Tick = [&] { ++ticks; };
    form().ui().Tick.setEnabled(true);
    app.driver->advance(250);
    EXPECT_EQ(ticks, 2);
    form().unload();
    app.driver->advance(1000);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(app.clock->armedCount(), 0);
}

// Work that must not hold up a window's first painting waits for it and runs once, right after
// it; work asked for after the painting runs soon; an unload before the painting drops it.
TEST_F(FormsTest, WorkAfterTheFirstPaintingWaitsForItAndRunsOnce)
{
    QStringList ran;
    auto note = [&ran](const char* what) { return [&ran, what] { ran << what; }; };
    form().load();
    form().afterFirstPainting(note("loaded"));
    app.driver->processEvents();
    EXPECT_TRUE(ran.isEmpty()) << "a window not shown has not painted";
    form().show();
    EXPECT_TRUE(ran.isEmpty()) << "the painting comes first";
    app.driver->processEvents();
    app.driver->processEvents();
    EXPECT_EQ(ran, QStringList { "loaded" });
    form().afterFirstPainting(note("painted already"));
    EXPECT_EQ(ran.size(), 1) << "not inside the call";
    app.driver->processEvents();
    form().hWnd()->repaint();
    app.driver->processEvents();
    EXPECT_EQ(ran, QStringList({ "loaded", "painted already" }));

    form().unload();
    form().show();
    form().afterFirstPainting(note("dropped"));
    form().unload();
    form().show();
    app.driver->processEvents();
    app.driver->processEvents();
    EXPECT_EQ(ran, QStringList({ "loaded", "painted already" }));
}

TEST_F(FormsTest, ClickRaisesDownUpClickAndDoubleClickInTheFormsOrder)
{
    showForm();
    app.driver->click(form().ui().A);
    EXPECT_EQ(form().log, QStringList({ "A.Down(1,0,750,750)", "A.Up(1,0,750,750)", "A.Click" }));
    form().log.clear();
    app.driver->doubleClick(form().ui().A);
    EXPECT_EQ(form().log,
        QStringList({ "A.Down(1,0,750,750)", "A.Up(1,0,750,750)", "A.Click", "A.DblClick",
            "A.Up(1,0,750,750)" }));
}

TEST_F(FormsTest, PressCapturesMovesAndReleaseOutsideGiveNoClick)
{
    showForm();
    app.driver->press(form(), { 750, 750 });
    app.driver->moveTo(form(), { 3750, 750 }); // over B, still A's
    app.driver->release(form(), { 3750, 750 });
    EXPECT_EQ(
        form().log, QStringList({ "A.Down(1,0,750,750)", "A.Move(1,3750)", "A.Up(1,0,3750,750)" }));
}

// A caption drag left the window standing until the pointer had gone some way, and what the
// window does after its drag (the panel's docking) ran at the press, before anything moved.
TEST_F(FormsTest, ACaptionDragFollowsEveryMovementAndEndsAtTheRelease)
{
    showForm();
    LogForm& f = form();
    f.move(1500, 1500);
    QList<QPointF> ends; // where the window stood when the work after the drag ran
    f.ui().A.MouseDown = [&](int button, int, double, double) {
        if (button == button::Left)
            f.startSystemMove([&] { ends << QPointF(f.left(), f.top()); });
    };
    const QPointF at(750, 750); // pressed here, in the window's twips
    app.driver->press(f, at);
    app.driver->release(f, at);
    EXPECT_EQ(ends, QList<QPointF>({ { 1500, 1500 } })) << "a short click moves nothing";

    ends.clear();
    app.driver->press(f, at);
    QPoint travel;
    for (const QPoint step : { QPoint(3, 2), QPoint(40, -25), QPoint(-7, 60) }) {
        travel += step;
        // The pointer's place on the screen, in the twips of the window as it stands now.
        const QPointF moved(f.left() - 1500, f.top() - 1500);
        app.driver->moveTo(f, at + QPointF(travel) * 15 - moved);
        EXPECT_EQ(QPointF(f.left(), f.top()), QPointF(1500, 1500) + QPointF(travel) * 15);
    }
    EXPECT_TRUE(ends.isEmpty()) << "the button is still held";
    app.driver->release(f, at);
    EXPECT_EQ(ends, QList<QPointF>({ QPointF(1500, 1500) + QPointF(travel) * 15 }));
}

// A window without a caption of its own was named after the executable in the window list.
TEST_F(FormsTest, AWindowWithoutACaptionShowsTheApplicationTitle)
{
    const QString title
        = QStringLiteral("全国专业技术人员计算机应用能力考试练习系统——图像处理模块");
    showForm();
    app.rt->setApplicationTitle(title);
    EXPECT_EQ(form().hWnd()->windowTitle(), title);
    EXPECT_TRUE(form().caption().isEmpty()) << "the form's own caption stays empty";
    form().setCaption(QStringLiteral("Form1"));
    EXPECT_EQ(form().hWnd()->windowTitle(), QStringLiteral("Form1"));
    form().setCaption(QString());
    EXPECT_EQ(form().hWnd()->windowTitle(), title);
    form().unload();
    form().show(); // a fresh window
    EXPECT_EQ(form().hWnd()->windowTitle(), title);
}

TEST_F(FormsTest, RightClickAlsoClicksLabelsButButtonsAndModifiersArePassed)
{
    showForm();
    app.driver->click(form().ui().B, button::Right, shiftmask::Shift | shiftmask::Ctrl);
    EXPECT_EQ(form().log, QStringList({ "B.Down(2,3,750,750)", "B.Up(2,3,750,750)", "B.Click" }));
}

TEST_F(FormsTest, HitTestingFollowsTheDesignedStacking)
{
    showForm();
    auto& ui = form().ui();
    // A frame over B does not take the mouse: B gets it.
    app.driver->click(ui.B);
    EXPECT_TRUE(form().log.contains("B.Click"));
    // A disabled label lets the event through to the form.
    form().log.clear();
    ui.A.setEnabled(false);
    app.driver->clickForm(form(), { 750, 750 });
    EXPECT_EQ(form().log.first(), QStringLiteral("Form.Down(1,750,750)"));
    // A control smaller than a pixel takes no input.
    form().log.clear();
    app.driver->clickForm(form(), { 6003, 3 });
    EXPECT_TRUE(form().log.first().startsWith("Form.Down"));
    // A windowed control lies above a lightweight one put on top of it later.
    Label over(ui.Box.parent(), "Over");
    over.move(0, 2000, 3000, 1500);
    over.zOrder(0);
    form().log.clear();
    app.driver->clickForm(form(), { 1500, 2700 });
    EXPECT_EQ(form().log.mid(0, 2), QStringList({ "Box.GotFocus", "Box.Down(1,0,1500,705)" }));
}

TEST_F(FormsTest, GeometryIsKeptInExactTwips)
{
    auto& a = form().ui().A;
    a.move(-37.5, 123.4, 0, 7.25);
    EXPECT_DOUBLE_EQ(a.left(), -37.5);
    EXPECT_DOUBLE_EQ(a.top(), 123.4);
    EXPECT_DOUBLE_EQ(a.width(), 0);
    EXPECT_DOUBLE_EQ(a.height(), 7.25);
    form().setLeft(1234.5);
    EXPECT_DOUBLE_EQ(form().left(), 1234.5);
}

// The home window, minimised by its own button and restored by the window manager, came back
// from an exercise at the window system's default size (two thirds of the screen).
TEST_F(FormsTest, AWindowRestoredByTheSystemComesBackNormalAtItsSizeAfterAnUnload)
{
    form().show();
    form().setWindowState(1);
    form().hWnd()->showNormal(); // the window manager's restore
    HeadlessDriver::processEvents();
    EXPECT_EQ(form().windowState(), 0);
    form().unload();
    HeadlessDriver::processEvents();
    form().show();
    EXPECT_EQ(form().windowState(), 0);
    EXPECT_FALSE(form().hWnd()->isMinimized());
    EXPECT_EQ(form().hWnd()->geometry().size(), form().pixelGeometry().size());
    EXPECT_GT(form().hWnd()->width(), 300);
}

TEST_F(FormsTest, TextAssignmentRaisesChangeInsideTheAssignmentEvenWhenReentered)
{
    auto& t = form().ui().Text;
    QStringList order;
    t.Change = [&] {
        order << QStringLiteral("Change:") + t.text();
        if (t.text() == QStringLiteral("preset"))
            t.setText(QStringLiteral("next")); // a handler that loads the next step
    };
    t.setText(QStringLiteral("preset"));
    order << QStringLiteral("returned");
    EXPECT_EQ(order, QStringList({ "Change:preset", "Change:next", "returned" }));
    // The same text again is judged again.
    order.clear();
    t.setText(QStringLiteral("next"));
    EXPECT_EQ(order, QStringList({ "Change:next" }));
}

TEST_F(FormsTest, TypingRaisesChangeAndKeysReachTheFocusedControl)
{
    showForm();
    auto& t = form().ui().Text;
    int changes = 0;
    t.Change = [&] { ++changes; };
    ASSERT_TRUE(t.setFocus().ok());
    EXPECT_EQ(form().log, QStringList({ "Text.GotFocus" }));
    app.driver->type(form(), QStringLiteral("ab"));
    EXPECT_EQ(t.text(), QStringLiteral("ab"));
    EXPECT_EQ(changes, 2);
    form().log.clear();
    form().noteFocus(nullptr);
    app.driver->key(form(), 'S', shiftmask::Ctrl);
    EXPECT_EQ(form().log, QStringList({ "Form.KeyDown(83,2)" }));
}

// A press gives the focus as the window system's would: typing then goes into the clicked
// field; a disabled field stays without it.
TEST_F(FormsTest, AClickIntoATextBoxGivesItTheFocus)
{
    showForm();
    auto& t = form().ui().Text;
    app.driver->click(t);
    EXPECT_EQ(form().focusedControl(), &t);
    app.driver->type(form(), QStringLiteral("ab"));
    EXPECT_EQ(t.text(), QStringLiteral("ab"));

    form().noteFocus(nullptr);
    t.setEnabled(false);
    app.driver->click(t);
    EXPECT_NE(form().focusedControl(), &t);
}

TEST_F(FormsTest, SetFocusFailsOnHiddenControlsAndWindows)
{
    auto& t = form().ui().Text;
    EXPECT_FALSE(t.setFocus().ok()); // window not shown
    form().show();
    t.setVisible(false);
    EXPECT_FALSE(t.setFocus().ok());
    t.setVisible(true);
    EXPECT_TRUE(t.setFocus().ok());
    EXPECT_FALSE(form().ui().A.setFocus().ok()); // labels never take the focus
}

TEST_F(FormsTest, ListIndexRaisesClickAndRefusesOutOfRange)
{
    auto& l = form().ui().List;
    int clicks = 0;
    l.Click = [&] { ++clicks; };
    l.addItem(QStringLiteral("一"));
    l.addItem(QStringLiteral("二"));
    EXPECT_TRUE(l.setListIndex(1).ok());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(l.list(l.listIndex()), QStringLiteral("二"));
    EXPECT_FALSE(l.setListIndex(2).ok());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(l.listIndex(), 1);
    EXPECT_EQ(l.list(7), QString());
}

TEST_F(FormsTest, ClickingAListEntrySelectsItAndRaisesClick)
{
    showForm();
    auto& l = form().ui().List;
    for (const char* s : { "a", "b", "c" })
        l.addItem(QString::fromLatin1(s));
    form().log.clear();
    app.driver->clickAt(l, { 300, 15 * 20 + 100 }); // inside the second row
    EXPECT_EQ(l.listIndex(), 1);
    EXPECT_TRUE(form().log.contains("List.Click"));
}

TEST_F(FormsTest, MousePointerRefusesUnknownValues)
{
    auto& a = form().ui().A;
    EXPECT_TRUE(a.setMousePointer(2).ok());
    EXPECT_FALSE(a.setMousePointer(16).ok());
    EXPECT_FALSE(a.setMousePointer(-1).ok());
    EXPECT_EQ(a.mousePointer(), 2);
    EXPECT_TRUE(a.setMousePointer(99).ok());
}

// Controls given one pointer file share one pointer: the file's picture at its hot spot. Another
// file gives its own.
TEST_F(FormsTest, APointerFileGivesOnePointerAtItsHotSpot)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto writeCursor = [&dir](const QString& name, QColor colour, QPoint hotSpot) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(img.save(&buffer, "ICO"));
        bytes[2] = 2; // a cursor file: an icon file of type 2 with the hot spot in each entry
        bytes[10] = char(hotSpot.x());
        bytes[12] = char(hotSpot.y());
        testsupport::writeFile(dir.filePath(name), bytes);
        return dir.filePath(name);
    };
    const QString hand = writeCursor(QStringLiteral("hand.cur"), Qt::red, { 5, 7 });
    const QString cross = writeCursor(QStringLiteral("cross.cur"), Qt::blue, { 2, 1 });
    auto& ui = form().ui();
    for (Control* c : std::initializer_list<Control*> { &ui.Box, &ui.Text, &ui.List }) {
        ASSERT_TRUE(c->setMousePointer(kCustomPointer).ok());
        ASSERT_TRUE(c->setMouseIcon(hand).ok());
    }
    ASSERT_TRUE(ui.List.setMouseIcon(cross).ok());

    const QCursor box = ui.Box.widget()->cursor();
    EXPECT_EQ(box.hotSpot(), QPoint(5, 7));
    EXPECT_EQ(box.pixmap().size(), QSize(16, 16));
    EXPECT_EQ(box.pixmap().toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_EQ(ui.Text.widget()->cursor().pixmap().cacheKey(), box.pixmap().cacheKey());
    const QCursor list = ui.List.widget()->cursor();
    EXPECT_EQ(list.hotSpot(), QPoint(2, 1));
    EXPECT_EQ(list.pixmap().toImage().pixelColor(8, 8), QColor(Qt::blue));
}

TEST_F(FormsTest, ControlArraysLoadMembersAtRunTime)
{
    ControlArray<Label> arr(form().area(), QStringLiteral("Lbl"));
    arr.create(0).move(10, 20, 300, 40);
    EXPECT_TRUE(arr.load(3).ok());
    EXPECT_FALSE(arr.load(3).ok());
    ASSERT_NE(arr.at(3), nullptr);
    EXPECT_FALSE(arr[3].visible());
    EXPECT_DOUBLE_EQ(arr[3].width(), 300);
    EXPECT_EQ(arr.ubound(), 3);
    // A missing member is a harmless stand-in.
    arr[7].setCaption(QStringLiteral("nothing"));
    EXPECT_FALSE(arr.exists(7));
}

// A second form shown modally while the first one's timer keeps ticking on the real clock.
// A window appears whole: showing it decodes the pictures it shows, and a hidden container's
// pictures wait until the container is shown and drawn.
TEST(PictureShowingTest, ShowingDecodesOnlyWhatIsShown)
{
    HeadlessApp app;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage face(40, 30, QImage::Format_RGB32);
    face.fill(Qt::darkGreen);
    const QString shownFile = dir.filePath(QStringLiteral("shown.mxy"));
    const QString hiddenFile = dir.filePath(QStringLiteral("hidden.mxy"));
    ASSERT_TRUE(face.save(shownFile, "PNG"));
    ASSERT_TRUE(face.save(hiddenFile, "BMP"));

    auto& f = app.rt->formOf<SampleForm>(*app.rt);
    auto& ui = f.ui();
    ui.Pic.setVisible(false);
    auto hiddenImage = std::make_unique<plat::Image>(ui.Pic, QStringLiteral("InHidden"));
    plat::Image& inHidden = *hiddenImage;
    ASSERT_TRUE(ui.Back.setPicture(shownFile).ok());
    ASSERT_TRUE(inHidden.setPicture(hiddenFile).ok());
    ASSERT_FALSE(ui.Back.picture().isDecoded());
    ASSERT_FALSE(inHidden.picture().isDecoded());

    f.show();
    EXPECT_TRUE(ui.Back.picture().isDecoded());
    EXPECT_FALSE(inHidden.picture().isDecoded());

    ui.Pic.setVisible(true);
    const QImage shot = HeadlessDriver::render(f).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(inHidden.picture().isDecoded());
    const QPoint inside = QPoint((2000 + 100) / 15, (1000 + 100) / 15);
    EXPECT_EQ(shot.pixelColor(inside), QColor(Qt::darkGreen));
    hiddenImage.reset();
    f.unload();
}

// A page view builds its browser only when first shown or asked for its page: a page set before
// waits and is what the browser shows, at the view's size, which it keeps following.
TEST(HtmlViewTest, APageSetBeforeTheBrowserIsBuiltIsWhatItShows)
{
    HeadlessApp app;
    auto& f = app.rt->formOf<SampleForm>(*app.rt);
    auto browser = [&f] { return f.ui().Help.widget()->findChild<QTextBrowser*>(); };
    EXPECT_EQ(browser(), nullptr) << "the load sets the page of a window not shown";
    f.show();
    ASSERT_NE(browser(), nullptr);
    EXPECT_TRUE(browser()->isVisible());
    EXPECT_EQ(browser()->toPlainText(), QStringLiteral("帮助\n按 Ctrl+Alt+I 打开图像大小。"));
    EXPECT_EQ(browser()->size(), f.ui().Help.widget()->size());
    f.ui().Help.move(4600, 1000, 1500, 3000);
    EXPECT_EQ(browser()->size(), QSize(100, 200));
    f.unload();

    // Hidden, and asked for its page.
    f.ui().Help.setVisible(false);
    f.show();
    EXPECT_EQ(browser(), nullptr);
    f.ui().Help.setHtml(QStringLiteral("<p>第二页</p>"));
    EXPECT_TRUE(f.ui().Help.html().contains(QStringLiteral("第二页")));
    ASSERT_NE(browser(), nullptr);
    EXPECT_FALSE(browser()->isVisible());
    f.unload();
}

TEST(ModalTest, TimersTickDuringAModalLoopAndHideReturns)
{
    auto rt
        = std::make_unique<Runtime>(std::make_unique<RealClock>(), makeFakeServices(), QString());
    auto& owner = rt->formOf<LogForm>(*rt);
    auto& dialog = rt->formOf<SampleForm>(*rt);
    int ticks = 0;
    owner.ui().Tick.setInterval(10);
    owner.ui().Tick.Tick = [&] {
        ++ticks;
        if (ticks == 5)
            dialog.hide();
    };
    owner.ui().Tick.setEnabled(true);
    owner.show();
    QTimer guard; // fails the test rather than hanging
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] { dialog.unload(); });
    guard.start(5000);
    dialog.show(true);
    EXPECT_GE(ticks, 5);
    EXPECT_TRUE(guard.isActive());
    EXPECT_FALSE(dialog.visible());
}

TEST_F(FormsTest, ModalWindowsShutOutInputToOtherWindows)
{
    showForm();
    auto& dialog = app.rt->formOf<SampleForm>(*app.rt);
    app.driver->answerModal([&](Form&) {
        app.driver->click(form().ui().A); // refused: another window is modal
        app.driver->click(dialog.ui().Hot);
        dialog.hide();
    });
    dialog.show(true);
    EXPECT_FALSE(form().log.contains("A.Click"));
    EXPECT_TRUE(dialog.log.contains("Hot_Click"));
    EXPECT_EQ(app.driver->unansweredModals(), 0);
}

TEST_F(FormsTest, PopupMenuRunsTheChosenClickBeforeReturning)
{
    MenuItem& bar = form().menuBar();
    MenuItem& top = bar.add(QStringLiteral("wm100"));
    top.visible = false;
    QStringList order;
    const char* captions[] = { "拷贝", "-", "粘贴" };
    for (int i = 0; i < 3; ++i) {
        MenuItem& it = top.add(QStringLiteral("sub"), i);
        it.caption = QString::fromUtf8(captions[i]);
        it.Click = [&order, i] { order << QStringLiteral("Click %1").arg(i); };
    }
    app.driver->choosePopup(QStringLiteral("粘贴"));
    form().popupMenu(top);
    order << QStringLiteral("returned");
    EXPECT_EQ(order, QStringList({ "Click 2", "returned" })); // the separator kept index 1
    EXPECT_EQ(app.driver->popupLog().last(), QStringLiteral("拷贝|-|粘贴"));
}

TEST(VirtualClockTest, TicksAreDeterministicAndFollowTheTimerRules)
{
    HeadlessApp app;
    auto& f = app.rt->formOf<LogForm>(*app.rt);
    QStringList order;
    Timer a(f, "a", 100), b(f, "b", 50);
    a.Tick = [&] { order << QStringLiteral("a@%1").arg(app.clock->nowMs()); };
    b.Tick = [&] {
        order << QStringLiteral("b@%1").arg(app.clock->nowMs());
        b.setEnabled(false); // one-shot
    };
    a.setEnabled(true);
    b.setEnabled(true);
    app.driver->advance(20);
    a.setEnabled(true); // enabling an enabled timer adds no tick and keeps the wait
    app.driver->advance(280);
    EXPECT_EQ(order, QStringList({ "b@50", "a@100", "a@200", "a@300" }));
    a.setEnabled(false);
    app.driver->advance(500);
    EXPECT_EQ(order.size(), 4);
}

TEST(VirtualClockTest, ATickHandlerIsNotReenteredByItsOwnTimer)
{
    HeadlessApp app;
    auto& f = app.rt->formOf<LogForm>(*app.rt);
    Timer t(f, "t", 10, true);
    int depth = 0, maxDepth = 0, ticks = 0;
    t.Tick = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        app.clock->advance(50); // a handler that pumps time (a wait loop)
        --depth;
    };
    app.clock->advance(10);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(ticks, 1);
}

struct VkCase {
    int key;
    Qt::KeyboardModifiers mods;
    quint32 scan;
    const char* text;
    int expected;
};

TEST(KeysTest, VirtualKeyCodesFromQtKeyEvents)
{
    const VkCase cases[] = {
        { Qt::Key_A, Qt::NoModifier, 38, "a", 'A' },
        { Qt::Key_Z, Qt::ShiftModifier, 52, "Z", 'Z' },
        { Qt::Key_5, Qt::NoModifier, 14, "5", '5' },
        { Qt::Key_Percent, Qt::ShiftModifier, 14, "%", '5' },
        { Qt::Key_7, Qt::KeypadModifier, 79, "7", vk::Numpad0 + 7 },
        { Qt::Key_Plus, Qt::KeypadModifier, 86, "+", vk::Add },
        { Qt::Key_F5, Qt::NoModifier, 71, "", vk::F1 + 4 },
        { Qt::Key_Return, Qt::NoModifier, 36, "\r", vk::Return },
        { Qt::Key_Enter, Qt::KeypadModifier, 104, "\r", vk::Return },
        { Qt::Key_BracketLeft, Qt::NoModifier, 34, "[", vk::Oem4 },
        { Qt::Key_BraceLeft, Qt::ShiftModifier, 34, "{", vk::Oem4 },
        { Qt::Key_Udiaeresis, Qt::NoModifier, 34, "ü", vk::Oem4 }, // German layout, same key
        { Qt::Key_Comma, Qt::NoModifier, 59, ",", vk::OemComma },
        { Qt::Key_Delete, Qt::NoModifier, 119, "", vk::Delete },
    };
    for (const auto& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, c.scan, 0, 0, QString::fromUtf8(c.text));
        EXPECT_EQ(virtualKey(e), c.expected) << c.text << " key " << c.key;
    }
    // AltGr is not Ctrl+Alt.
    EXPECT_EQ(shiftMask(Qt::GroupSwitchModifier), 0);
    EXPECT_EQ(shiftMask(Qt::ControlModifier | Qt::AltModifier), 6);
}

TEST(KeysTest, ScriptedKeysMapBackToTheSameVirtualKey)
{
    for (int code : { int('A'), int('0'), vk::Numpad0 + 3, vk::F1 + 11, vk::Oem2, vk::Return,
             vk::Escape, vk::Left }) {
        const QtKey k = qtKeyFor(code, 0);
        QKeyEvent e(QEvent::KeyPress, k.key, k.modifiers, k.nativeScanCode, 0, 0, k.text);
        EXPECT_EQ(virtualKey(e), code);
    }
}

TEST(ColorTest, DesignColourValuesAreBlueGreenRed)
{
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xC0FFFF), QColor(255, 255, 192));
    EXPECT_EQ(toQColor(0x8000000F), QColor(0xF0, 0xF0, 0xF0)); // a system colour
    EXPECT_EQ(fromQColor(QColor(0x7F, 0x9D, 0xB9)), 0xB99D7Fu);
}

// A dialog's whole window, its frame included, goes over the middle of the window it serves and
// stays on the screen; the client rectangle is what the window system is given. Centring the
// client alone left a framed dialog half a title bar low.
TEST(DialogPlaceTest, TheWholeWindowIsCentredOnTheWindowItServesAndKeptOnTheScreen)
{
    const QRect screen(0, 0, 1280, 1024);
    const QMargins titled(1, 20, 1, 1); // left, top, right, bottom
    const struct {
        const char* what;
        QSize client;
        QMargins frame;
        QRect over;
        QRect expected;
    } cases[] = {
        { "frameless", QSize(200, 100), {}, QRect(100, 100, 600, 400), QRect(300, 250, 200, 100) },
        // The whole window is 202 by 121 at (299, 239).
        { "titled", QSize(200, 100), titled, QRect(100, 100, 600, 400), QRect(300, 259, 200, 100) },
        { "over a window at the top left corner", QSize(200, 100), titled,
            QRect(-50, -80, 100, 100), QRect(1, 20, 200, 100) },
        { "over a window at the bottom right corner", QSize(200, 100), titled,
            QRect(1200, 1000, 200, 100), QRect(1079, 923, 200, 100) },
        { "larger than the screen", QSize(1400, 1100), {}, QRect(100, 100, 600, 400),
            QRect(0, 0, 1400, 1100) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(centredDialogRect(c.client, c.frame, c.over, screen), c.expected) << c.what;
}

} // namespace
