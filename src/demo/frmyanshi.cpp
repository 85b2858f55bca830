// The demonstration window: its controls, its load, the advance from step to step and the end
// of a run. The pointer's glides and actions are in frmyanshi_glide.cpp, the drop-down replay
// and the drawn context menu in frmyanshi_menus.cpp.

#include "demo/frmyanshi.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "demo/glide.h"
#include "menus/menufile.h"
#include "platform/keys.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "workspace/chromeart.h"
#include "workspace/design.h"
#include "workspace/hotspots.h"
#include "workspace/pickers.h"

#include <QDateTime>
#include <QImage>

#include <algorithm>

namespace demo {

namespace {
    using namespace workspace::design;

    constexpr double kParked = -500; // the click ring and the pointer off the window, unscaled
    constexpr double kPointerStartX = 7680, kPointerStartY = 5760;
    constexpr int kEndTicks = 4; // the end timer closes the window on its fourth tick
    constexpr uint32_t kNoteBack = 0xC0FFFF;
    constexpr uint32_t kMenuWhite = 0xFFFFFF;
    constexpr uint32_t kMenuGrey = 0xC0C0C0;
    constexpr uint32_t kFillWhite = 0xFFFFFF;
    // The note: lines of 14 characters, 180 twips each, plus 15.
    constexpr int kNoteLineChars = 14;
    constexpr double kNoteLine = 180, kNoteExtra = 15;
    constexpr double kNoteLeft = 9420, kNoteTop = 7620, kNoteWidth = 2535;
    const int kCascadePositions[] = { 1, 3, 5, 7, 8 };

    // The submenu mark beside a cascade entry: a black triangle pointing right, 4 x 7 pixels.
    plat::Picture triangle()
    {
        QImage img(4, 7, QImage::Format_RGB32);
        img.fill(Qt::white);
        const int widths[] = { 1, 2, 3, 4, 3, 2, 1 };
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < widths[y]; ++x)
                img.setPixel(x, y, qRgb(0, 0, 0));
        return plat::Picture(img);
    }

    void entryLabel(plat::Label& l)
    {
        transparent(l);
        l.setAutoSize(true);
        l.setVisible(false);
    }
}

FrmYanShiUi::FrmYanShiUi(plat::Form& f)
    : SimWindowUi(f)
    , Image6(f.area(), QStringLiteral("Image6"))
    , PicMenu(f.area(), QStringLiteral("PicMenu"))
    , PicTool(f.area(), QStringLiteral("PicTool"))
    , PicHui(f.area(), QStringLiteral("PicHui"))
    , PicElse(f.area(), QStringLiteral("PicElse"))
    , ImgMenu(f.area(), QStringLiteral("ImgMenu"))
    , ImgTool(f.area(), QStringLiteral("ImgTool"))
    , ImgHui(f.area(), QStringLiteral("ImgHui"))
    , ImgElse(f.area(), QStringLiteral("ImgElse"))
    , ImgHui2(f.area(), QStringLiteral("ImgHui2"))
    , LblZHU(f.area(), QStringLiteral("LblZHU"))
    , Pic1J(f.area(), QStringLiteral("Pic1J"))
    , Pic2J(f.area(), QStringLiteral("Pic2J"))
    , Img1J(f.area(), QStringLiteral("Img1J"))
    , Lbl1J(f.area(), QStringLiteral("Lbl1J"))
    , Lbl2J(f.area(), QStringLiteral("Lbl2J"))
    , LRightMMenu(f.area(), QStringLiteral("LRightMMenu"))
    , ShapeRMain(f.area(), QStringLiteral("ShapeRMain"))
    , LRMJL(f.area(), QStringLiteral("LRMJL"))
    , ImgJLSanjiao(f.area(), QStringLiteral("ImgJLSanjiao"))
    , LRM2(f.area(), QStringLiteral("LRM2"))
    , LRM4(f.area(), QStringLiteral("LRM4"))
    , LRM6(f.area(), QStringLiteral("LRM6"))
    , LRM9(f.area(), QStringLiteral("LRM9"))
    , LRFGX(f.area(), QStringLiteral("LRFGX"))
    , LRightSub(f.area(), QStringLiteral("LRightSub"))
    , ShapeRSUB(f.area(), QStringLiteral("ShapeRSUB"))
    , LRS(f.area(), QStringLiteral("LRS"))
    , LRSFgx(f.area(), QStringLiteral("LRSFgx"))
    , Shape5(f.area(), QStringLiteral("Shape5"))
    , ImgICO(f.area(), QStringLiteral("ImgICO"))
    , LPoinB(f.area(), QStringLiteral("LPoinB"))
    , LPoint(f.area(), QStringLiteral("LPoint"))
    , ImgLogo(f.area(), QStringLiteral("ImgLogo"))
    , Text4(f.area(), QStringLiteral("Text4"))
    , Timer1(f, QStringLiteral("Timer1"), 500)
    , Timer2(f, QStringLiteral("Timer2"), 100)
    , Timer3(f, QStringLiteral("Timer3"), 1000)
    , Timer4(f, QStringLiteral("Timer4"), 200)
    , Timer5(f, QStringLiteral("Timer5"), 100)
    , Timer6(f, QStringLiteral("Timer6"), 100)
    , Timer7(f, QStringLiteral("Timer7"), 200)
    , Timer8(f, QStringLiteral("Timer8"), 100)
    , Timer9(f, QStringLiteral("Timer9"), 100)
    , Timer10(f, QStringLiteral("Timer10"), 100)
    , Timer11(f, QStringLiteral("Timer11"), 100)
    , TimerRM(f, QStringLiteral("TimerRM"), 100)
    , TimerRS(f, QStringLiteral("TimerRS"), 100)
    , TimEnd(f, QStringLiteral("TimEnd"), 100)
{
    place(PicMenu, kMenuBar);
    place(PicTool, kOptionsBar);
    place(PicHui, kToolbox);
    place(PicElse, kElse);
    PicElse.setVisible(false);
    for (int i = 0; i <= 89; ++i) {
        plat::Label& hot = LblZHU.create(i);
        transparent(hot);
        place(hot, kHotspot);
    }
    LblZHU[0].setTop(kHotspot0Top);

    Shape6.move(-1000, -1000, 10, 10); // visible at design, outside the window

    place(Pic1J, kDropDown);
    place(Pic2J, kDropDown);
    Pic1J.setVisible(false);
    Pic2J.setVisible(false);
    Img1J.setVisible(false);
    for (int i = 1; i <= 44; ++i) {
        transparent(Lbl1J.create(i));
        transparent(Lbl2J.create(i));
    }

    for (plat::Label* body : { &LRightMMenu, &LRightSub }) {
        body->setBackStyle(1);
        body->setBackColor(kMenuWhite);
        body->setVisible(false);
    }
    for (plat::Shape* border : { &ShapeRMain, &ShapeRSUB }) {
        border->setBorderColor(kMenuGrey);
        border->setFillStyle(1);
        border->setVisible(false);
    }
    static const plat::Picture mark = triangle();
    for (int g : kCascadePositions) {
        entryLabel(LRMJL.create(g));
        plat::Image& t = ImgJLSanjiao.create(g);
        t.setPicture(mark);
        t.setStretch(true);
        t.move(0, 0, 60, 105);
        t.setVisible(false);
    }
    for (auto* group : { &LRM2, &LRM4, &LRM6, &LRM9 })
        for (int i = 0; i < kGroupEntries; ++i)
            entryLabel(group->create(i));
    for (int i = 0; i < kSubEntries; ++i)
        entryLabel(LRS.create(i));
    for (int i = 0; i < kMenuSeparators; ++i)
        LRFGX.create(i).setBorderColor(kMenuGrey);
    for (int i = 0; i < kSubSeparators; ++i)
        LRSFgx.create(i).setBorderColor(kMenuGrey);
    for (auto* lines : { &LRFGX, &LRSFgx })
        lines->forEach([](plat::Line& l) { l.setVisible(false); });

    Shape5.setShape(3);
    Shape5.setBorderWidth(2);
    Shape5.setBorderColor(kRed);
    Shape5.move(kParked, kParked, 375, 375);
    Shape5.setVisible(false);
    ImgICO.setVisible(false);
    // The arrow waits below the window's visible area until the first glide tick. Its fill lies
    // beneath the outline, so the 2-pixel fill lines do not cover the 1-pixel edge.
    for (int i = 0; i < kFillSegments; ++i) {
        plat::Line& l = LPoinB.create(i);
        l.setBorderColor(kFillWhite);
        l.setBorderWidth(2);
        l.setPoints(1440, 9720, 1560, 10080);
    }
    for (int i = 0; i < kOutlineSegments; ++i) {
        plat::Line& l = LPoint.create(i);
        l.setBorderColor(plat::syscolor::WindowText);
        l.setPoints(1440, 9720, 1560, 10080);
    }
    ImgLogo.setWordWrap(true);

    place(Text4, kText1);
    Text4.setVisible(false);
    PicList.setVisible(false);

    // The demonstration's drawing order, bottom first: the simulated window with its chrome,
    // areas and frames, the drawn menus, the red frame in front of them, the click ring, the
    // cursor picture and the note; the windowed fields and lists above all of them. The
    // hotspots and tab labels come next, then the drawn menus' entries and the arrow as built.
    f.area().restack({ u"Image1", u"Image2", u"Image3", u"Image4", u"Image5", u"Image6", u"PicMenu",
        u"PicTool", u"PicHui", u"PicElse", u"ImgMenu", u"ImgTool", u"ImgHui", u"ImgElse",
        u"ImgHui2", u"Label1", u"Label4", u"Shape4", u"Shape2", u"Shape6", u"LHelp", u"Pic1J",
        u"Pic2J", u"Img1J", u"LRightMMenu", u"ShapeRMain", u"LRightSub", u"ShapeRSUB", u"Shape1",
        u"Shape5", u"ImgICO", u"ImgLogo", u"Text1", u"Text2", u"Text4", u"LstLA", u"PicLeft",
        u"PicTop", u"PicRight", u"PicBottom", u"PicList", u"LblZHU", u"LblXXK" });
}

FrmYanShi::FrmYanShi(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmYanShi"))
    , sys_(sys)
    , engine_(sys, *this)
{
    setBorderless(true);
}

void FrmYanShi::Form_Load()
{
    shell::AppState& st = sys_.state;
    const double sx = st.ScaleX, sy = st.ScaleY;
    auto& ui = uiNoLoad();
    sys_.logSkinFailure(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    PointerX = toInt32(kPointerStartX * sx);
    PointerY = toInt32(kPointerStartY * sy);
    st.setPanelMode(
        shell::PanelMode::Hints); // the demonstration shows its hint and frames on every step
    TickCount = 0;
    endTicks_ = 0;
    ui.Label1.setCaption(QString());
    setBackColor(kWindowGrey);
    setWidth(kWindowWidth * sx);
    setHeight(kWindowHeight * sy);
    setWindowState(0);
    placeNote();
    setTopMost(true);
    topMost_ = true;
    setLeft((sys_.screenWidthTwips() - width()) / 2);
    setTop((sys_.screenHeightTwips() - height()) / 2);
    // Where the practice window lay, unless it is maximized (or was never opened).
    if (const auto place = sys_.exerciseWindows().simulatedWindowPlace()) {
        setLeft(place->first);
        setTop(place->second);
    }
    ui.LHelp.setFontSize(11 * sx);
    ui.LstLA.setFont({ QStringLiteral("宋体"), 9 * sx });
    ui.LblXXK[0].setFontSize(9 * sx);
    InterfaceFolder = sys_.programFile(QStringLiteral("examdata")) + QStringLiteral("/");
    workspace::layOutLocationList(
        ui.PicList, ui.LblADDmyXZ, ui.LblADD, ui.ImgLiN, ui.ImgSelAD, sx, sy);
    ui.PicMenu.setPicture(workspace::menuBarArt()); // the same chrome as the practice window
    ui.PicTool.setPicture(workspace::optionsBarArt());

    // Read once for the whole run: the glide ticks and the drawn menus use them many times.
    const auto menuLines
        = plat::readLines(sys_.programFile(menus::kMenuFileName), plat::kMaxDataFileBytes);
    menuFile_ = menuLines.ok() ? menuLines.value() : QStringList();
    if (!menuLines.ok())
        writeLog(QStringLiteral("menu file not read: ") + menuLines.error().description);
    cursors_.clear();
    standReason_.clear();

    ui.Timer1.Tick = [this] { Timer1_Timer(); };
    ui.Timer2.Tick = [this] { Timer2_Timer(); };
    ui.Timer3.Tick = [this] { Timer3_Timer(); };
    ui.Timer4.Tick = [this] { Timer4_Timer(); };
    ui.Timer5.Tick = [this] { Timer5_Timer(); };
    ui.Timer6.Tick = [this] { Timer6_Timer(); };
    ui.Timer7.Tick = [this] { Timer7_Timer(); };
    ui.TimerRM.Tick = [this] { TimerRM_Timer(); };
    ui.TimerRS.Tick = [this] { TimerRS_Timer(); };
    ui.TimEnd.Tick = [this] { TimEnd_Timer(); };
    DblClick = [this] { startEnd(); };
    for (plat::Image* image : { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5 })
        image->DblClick = [this] { startEnd(); };
    KeyUp = [this](int& keyCode, int) {
        if (keyCode == plat::vk::Return || keyCode == plat::vk::Space
            || keyCode == plat::vk::Escape)
            startEnd();
    };
    for (int i = 0; i < workspace::kLocationRows; ++i)
        ui.ImgLiN[i].Click = [this, i] { ImgLiN_Click(static_cast<int16_t>(i)); };

    DemoStep = 1;
    CSH();
    loadOrEnd(1);
}

void FrmYanShi::placeNote()
{
    const shell::AppState& st = sys_.state;
    plat::Label& note = uiNoLoad().ImgLogo;
    note.setLeft(kNoteLeft * st.ScaleX);
    note.setTop(kNoteTop * st.ScaleY);
    note.setWidth(kNoteWidth * st.ScaleX);
    note.setBackStyle(1);
    note.setBackColor(kNoteBack);
    note.setFontSize(9 * st.ScaleX);
    // The question text the panel put into its question box when it started the demonstration.
    note.setCaption(sys_.exerciseWindows().questionText());
    const auto lines = note.caption().size() / kNoteLineChars + 1;
    const double designed = double(lines) * kNoteLine * st.ScaleY + kNoteExtra * st.ScaleY;
    // Lines of 180 twips assume a font 12 pixels high; a taller one gets the height its wrapped
    // text needs, so the note's last words are not cut off.
    note.setAutoSize(true);
    const double needed = note.height();
    note.setAutoSize(false);
    note.setHeight(std::max(designed, needed));
    // A long question's note rises so that it ends inside the window.
    const double bottom = kWindowHeight * st.ScaleY;
    if (note.top() + note.height() > bottom)
        note.setTop(std::max(0.0, bottom - note.height()));
    note.setForeColor(plat::syscolor::ButtonText);
}

void FrmYanShi::setData() { engine_.load(); }

void FrmYanShi::switchOff(int firstTimer, int lastTimer)
{
    auto& ui = this->ui();
    plat::Timer* timers[] = { &ui.Timer1, &ui.Timer2, &ui.Timer3, &ui.Timer4, &ui.Timer5,
        &ui.Timer6, &ui.Timer7, &ui.Timer8, &ui.Timer9, &ui.Timer10, &ui.Timer11 };
    for (int i = firstTimer; i <= lastTimer; ++i)
        timers[i - 1]->setEnabled(false);
}

void FrmYanShi::loadOrEnd(int16_t step)
{
    const int last = engine_.stepCount();
    if (step < 1 || step > last) {
        endRun(QStringLiteral("step %1 lies outside the question's %2 steps").arg(step).arg(last));
        return;
    }
    const quint64 before = loads_;
    engine_.loadStep(step);
    if (loads_ == before)
        endRun(QStringLiteral("step %1 could not be loaded").arg(step));
}

void FrmYanShi::endRun(const QString& why)
{
    writeLog(QStringLiteral("demonstration ended: ") + why);
    auto& ui = this->ui();
    switchOff(1, 11);
    ui.TimerRM.setEnabled(false);
    ui.TimerRS.setEnabled(false);
    startEnd();
}

void FrmYanShi::startEnd()
{
    plat::Timer& end = ui().TimEnd;
    if (end.enabled())
        return; // a second ending while the first runs changes nothing
    endTicks_ = 0;
    end.setEnabled(true);
}

void FrmYanShi::doNext()
{
    engine_.advance([this] {
        if (sys_.state.DemoActive == 0)
            return;
        auto& ui = this->ui();
        switchOff(1, 11);
        if (stepengine::StepRecord(sys_.state.StepLine).isEndOfQuestion()) {
            ui.Shape5.move(kParked, kParked);
            PointerX = PointerY = static_cast<int32_t>(kParked);
            startEnd();
            return;
        }
        loadOrEnd(static_cast<int16_t>(DemoStep + 1));
    });
}

void FrmYanShi::GoStep(const QString& cStep)
{
    engine_.advance([this, cStep] {
        if (cStep == stepengine::kNoJump)
            return;
        if (const auto step = engine_.jumpTarget(cStep))
            loadOrEnd(*step);
        else
            endRun(QStringLiteral("jump \"%1\" leads out of the question").arg(cStep));
    });
}

void FrmYanShi::advanceBy(const QString& nextCode)
{
    if (nextCode == stepengine::kNoJump)
        doNext();
    else
        GoStep(nextCode);
}

void FrmYanShi::CSH()
{
    if (sys_.state.DemoActive == 0)
        return;
    auto& ui = this->ui();
    const auto clear = [](plat::Label& l) {
        l.setCaption(QString());
        l.setVisible(false);
    };
    for (auto* group : { &ui.LRM2, &ui.LRM4, &ui.LRM6, &ui.LRM9, &ui.LRS })
        group->forEach(clear);
    ui.LRMJL.forEach(clear);
    for (auto* lines : { &ui.LRFGX, &ui.LRSFgx })
        lines->forEach([](plat::Line& l) { l.setVisible(false); });
    ui.ImgJLSanjiao.forEach([](plat::Image& t) { t.setVisible(false); });
    for (plat::Control* c : std::initializer_list<plat::Control*> {
             &ui.LRightMMenu, &ui.LRightSub, &ui.ShapeRMain, &ui.ShapeRSUB })
        c->setVisible(false);
    if (ReplayHotspot != 33 && ReplayHotspot != 34)
        ui.Pic1J.setVisible(false);
    ui.Pic2J.setVisible(false);
    ui.ImgMenu.setPicture(plat::Picture {});
    ui.ImgElse.setPicture(plat::Picture {});
    ui.PicList.setHeight(stepengine::kLocationClosed * sys_.state.ScaleY);
}

void FrmYanShi::ToolCSH()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    workspace::clearLooksAndDropDowns(ui);
    ui.PicMenu.move(kMenuBar.left * st.ScaleX, kMenuBar.top * st.ScaleY);
    ui.PicTool.move(kOptionsBar.left * st.ScaleX, kOptionsBar.top * st.ScaleY);
    ui.PicHui.move(kToolbox.left * st.ScaleX, kToolbox.top * st.ScaleY);
    // The hotspots lie on the window itself: the panels' origins are added.
    workspace::layOutHotspots(ui.LblZHU, stepengine::twoColumnToolboxOf(st.StepLine), st.ScaleX,
        st.ScaleY, { ui.PicTool.left(), ui.PicTool.top() }, { ui.PicHui.left(), ui.PicHui.top() });
}

void FrmYanShi::ElseToolCSH() { }

void FrmYanShi::DoubleXXK() { stepengine::layOutTabRows(ui().LblXXK, fields, sys_.state.ScaleY); }

void FrmYanShi::ImgLiN_Click(int16_t index)
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (!ui.ImgLiN.exists(index))
        return;
    if (workspace::chooseLocationRow(ui.PicList, ui.ImgLiN, ui.ImgSelAD, index,
            stepengine::StepRecord(st.StepLine).actionCode(), st.ScaleX, st.ScaleY))
        doNext();
}

void FrmYanShi::TimEnd_Timer()
{
    auto& ui = this->ui();
    ui.Shape5.move(kParked, kParked);
    // Its own count: the pause and blink timers share TickCount and would delay the close.
    ++endTicks_;
    if (endTicks_ < kEndTicks)
        return;
    clearRun();
    unload();
    handBack();
}

void FrmYanShi::Form_Unload(int& /*cancel*/)
{
    // A close that is not the run's own end (the window manager's) would leave the practice
    // windows hidden and the run flagged on. The program's end and a hand-in clear the flag first.
    if (sys_.state.DemoActive == 0 || sys_.ended())
        return;
    clearRun();
    handBack();
}

void FrmYanShi::clearRun()
{
    switchOff(1, 9);
    endTicks_ = 0;
    TickCount = 0;
    DemoStep = 1;
    sys_.state.DemoActive = 0;
    uiNoLoad().TimEnd.setEnabled(false);
}

void FrmYanShi::handBack() { sys_.exerciseWindows().endDemonstration(); }

void FrmYanShi::writeLog(const QString& text) const
{
    shell::AppendLog(sys_.state.LogPath, text, QDateTime::currentDateTime());
}

void FrmYanShi::stand(const QString& why)
{
    // The pointer stays where it is instead of aiming at a stale or made-up point; the user
    // ends the run with a double-click, Enter, Space or Esc.
    TargetX = PointerX;
    TargetY = PointerY;
    GlideStep = 0;
    GlideDX = GlideDY = 0;
    if (why != standReason_)
        writeLog(
            QStringLiteral("demonstration pointer stands at step %1: %2").arg(DemoStep).arg(why));
    standReason_ = why;
}

// The window's part of every step load ------------------------------------------------------

stepengine::StepControls FrmYanShi::stepControls()
{
    stepengine::StepControls c = stepengine::sharedStepControls(*this, ui());
    c.Text4 = &ui().Text4;
    // The loader switches its window's timed-step timer; here timed steps pause on Timer4 and
    // Timer3 carries the drag handle, so the loader gets a timer that has no handler.
    c.Timer3 = &ui().Timer8;
    return c;
}

void FrmYanShi::prologue()
{
    auto& ui = this->ui();
    ++loads_;
    sys_.exerciseWindows().panelOnTop();
    setTopMost(false);
    topMost_ = false;
    ui.Shape5.setBorderColor(kRed);
    CSH();
    ui.Img1J.setVisible(false);
    ui.ImgHui2.setVisible(false);
    TypedCount = 0;
    TickCount = 0;
    DragLeg = 0;
    ui.Shape6.setWidth(10);
    ui.Shape6.setHeight(10);
    ReplayHotspot = ReplayItem = ReplaySubItem = 0;
    ReplayNextCode = stepengine::kNoJump;
    ui.Timer3.setEnabled(false);
}

bool FrmYanShi::endOfQuestion(const QString& actionCode)
{
    auto& ui = this->ui();
    if (actionCode != stepengine::kEndOfQuestion) {
        ui.Shape1.setVisible(ui.LHelp.visible());
        return true;
    }
    ui.LHelp.setCaption(QStringLiteral("操作成功！"));
    ui.Shape1.setVisible(false);
    startEnd();
    return false;
}

void FrmYanShi::pointerTarget(const QString& actionCode)
{
    if (actionCode != QStringLiteral("7000"))
        return;
    namespace field = stepengine::field;
    const stepengine::StepRecord r(sys_.state.StepLine);
    auto d = r.descriptor(field::Descriptor3);
    if (d.kind != u'H')
        d = r.descriptor(field::Descriptor1);
    if (d.kind != u'H')
        d = r.descriptor(field::Descriptor2);
    ReplayHotspot = static_cast<int16_t>(d.hotspot);
    ReplayItem = static_cast<int16_t>(d.item);
    ReplaySubItem = static_cast<int16_t>(d.subItem);
    ReplayNextCode = QString(d.next);
}

void FrmYanShi::epilogue()
{
    CSH();
    ToolCSH();
    ElseToolCSH();
    MuBiaoWei();
}

} // namespace demo
