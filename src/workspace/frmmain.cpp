#include "workspace/frmmain.h"

#include "core/system.h"
#include "menus/contextmenu.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "workspace/chromeart.h"
#include "workspace/design.h"
#include "workspace/hotspots.h"

namespace workspace {

namespace {
    using plat::Control;

    using namespace design;

    // Where each chrome panel goes (ToolCSH) and the window's own load-time layout.
    struct PanelPlace {
        plat::PictureBox FrmMainUi::*panel;
        double left, top;
    };
    constexpr PanelPlace kPanelPlaces[] = {
        { &FrmMainUi::PicMenu, kMenuBar.left, kMenuBar.top },
        { &FrmMainUi::PicTool, kOptionsBar.left, kOptionsBar.top },
        { &FrmMainUi::PicHui, kToolbox.left, kToolbox.top },
    };

    // The pictures whose NextStepCode a click hands to GoStep: Image1..Image6.
    constexpr int kImageCount = 6;

}

FrmMainUi::FrmMainUi(plat::Form& f)
    : SimWindowUi(f)
    , LblSuccess(f.area(), QStringLiteral("LblSuccess"))
    , ImgLogo(f.area(), QStringLiteral("ImgLogo"))
    , LblMove2(f.area(), QStringLiteral("LblMove2"))
    , PicMenu(f.area(), QStringLiteral("PicMenu"))
    , PicTool(f.area(), QStringLiteral("PicTool"))
    , PicHui(f.area(), QStringLiteral("PicHui"))
    , PicElse(f.area(), QStringLiteral("PicElse"))
    , LblZHU(PicMenu, QStringLiteral("LblZHU"))
    , ImgMenu(PicMenu, QStringLiteral("ImgMenu"))
    , ImgTool(PicTool, QStringLiteral("ImgTool"))
    , ImgHui(PicHui, QStringLiteral("ImgHui"))
    , ImgElse(PicElse, QStringLiteral("ImgElse"))
    , ImgHui2(PicHui, QStringLiteral("ImgHui2"))
    , ShapeMenu(PicMenu, QStringLiteral("ShapeMenu"))
    , ShapeTool(PicTool, QStringLiteral("ShapeTool"))
    , ShapeHui(PicHui, QStringLiteral("ShapeHui"))
    , lblMove(PicMenu, QStringLiteral("lblMove"))
    , Image6(f.area(), QStringLiteral("Image6"))
    , Text3(f.area(), QStringLiteral("Text3"))
    , ImgFuGai(PicList, QStringLiteral("ImgFuGai"))
    , Pic1J(f.area(), QStringLiteral("Pic1J"))
    , Img1jBK(Pic1J, QStringLiteral("Img1jBK"))
    , Img1J(Pic1J, QStringLiteral("Img1J"))
    , Lbl1J(Pic1J, QStringLiteral("Lbl1J"))
    , Pic2J(f.area(), QStringLiteral("Pic2J"))
    , Img2J(Pic2J, QStringLiteral("Img2J"))
    , Lbl2J(Pic2J, QStringLiteral("Lbl2J"))
    , Timer2(f, QStringLiteral("Timer2"), 100)
    , Timer3(f, QStringLiteral("Timer3"), 1000)
    , TimerDisFK(f, QStringLiteral("TimerDisFK"), 100)
    , TimTool(f, QStringLiteral("TimTool"), 100)
{
    // The practice window's drawing order, bottom first: step pictures, areas and frames, the
    // hint and its own labels, then the child windows, the chrome beneath the fields, lists and
    // drop-downs; the tab labels last.
    f.area().restack({ u"Image1", u"Image2", u"Image3", u"Image4", u"Image5", u"Label1", u"Shape1",
        u"Label4", u"Shape4", u"Shape6", u"Shape2", u"LHelp", u"LblSuccess", u"ImgLogo",
        u"LblMove2", u"PicMenu", u"PicTool", u"PicHui", u"PicElse", u"Image6", u"Text1", u"Text2",
        u"Text3", u"LstLA", u"PicLeft", u"PicTop", u"PicRight", u"PicBottom", u"PicList", u"Pic1J",
        u"Pic2J", u"LblXXK" });
    PicList.restack({ u"ImgFuGai" }); // the cover lies beneath the list's rows

    for (plat::Label* area : { &LblMove2, &lblMove })
        transparent(*area);
    Shape6.setFillStyle(1);
    Shape6.setVisible(false);

    transparent(LblSuccess);
    LblSuccess.setForeColor(kRed);
    LblSuccess.setAutoSize(true);
    LblSuccess.setCaption(QStringLiteral("操作成功！"));

    place(PicMenu, kMenuBar);
    place(PicTool, kOptionsBar);
    place(PicHui, kToolbox);
    place(PicElse, kElse);
    // The chrome panels take the size of their pictures, on every display.
    for (plat::PictureBox* panel : { &PicMenu, &PicTool, &PicHui })
        panel->setAutoSize(true);
    PicElse.setVisible(false);
    for (int i = 0; i <= stepengine::kLastHotspot; ++i) {
        plat::PictureBox* const panels[] = { &PicMenu, &PicTool, &PicHui };
        plat::Label& hot
            = LblZHU.create(i, *panels[static_cast<int>(stepengine::panelOfHotspot(i))]);
        transparent(hot);
        place(hot, kHotspot);
    }
    LblZHU[0].setTop(kHotspot0Top); // ToolCSH never writes hotspot 0's Top
    for (plat::Shape* s : { &ShapeMenu, &ShapeTool, &ShapeHui }) {
        frame(*s, kRed);
        s->setVisible(false);
    }

    Image6.setAutoSize(true);
    Image6.setBorderStyle(0);
    Image6.setVisible(false); // shown by a step that names a picture for it
    place(Text3, kText1);
    Text3.setVisible(false);
    Text2.setText(QStringLiteral("新建文件夹"));

    place(Pic1J, kDropDown);
    place(Pic2J, kDropDown);
    Pic1J.setVisible(false);
    Pic2J.setVisible(false);
    for (int i = 1; i <= 44; ++i) {
        transparent(Lbl1J.create(i));
        transparent(Lbl2J.create(i));
    }
}

FrmMain::FrmMain(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmMain"))
    , sys_(sys)
    , engine_(sys, *this)
{
    setBorderless(true);
}

void FrmMain::createMenus(plat::MenuItem& bar)
{
    // The invisible context menu: submenus sMirtSub1..5 under sMirtMain1..5, item arrays
    // sMirtInde1..4 between them. Every array has item 0 at design time.
    plat::MenuItem& wm100 = bar.add(QStringLiteral("wm100"));
    wm100.visible = false;
    menus::buildPopup(wm100);
}

void FrmMain::resetFormState()
{
    OpenHotspot = OpenItem = 0;
    BandStartX = BandStartY = 0;
    Dragging = StepTypeValue = 0;
    HandleLeft = 0;
    HandleTop = DragTargetX = DragTargetY = 0;
    TabSpec.clear();
    TabHostImage = TabToClick = TabCount = TabRowOrder = 0;
    TabHostLeft = TabHostTop = 0;
    BackCode.clear();
    SavedHint.clear();
    MenuNo = 0;
    ExamDataPath.clear();
    fields = {};
}

std::partial_ordering FrmMain::screenAgainstLeastHeight() const
{
    constexpr double kLeastScreenHeight = 650; // pixels, times ScaleY
    // Both sides in single precision, so a scaled height a hair off a whole pixel compares as
    // that pixel.
    return static_cast<float>(sys_.screenHeightTwips() / 15)
        <=> static_cast<float>(kLeastScreenHeight * sys_.state.ScaleY);
}

void FrmMain::loadQuestion()
{
    const shell::AppState& st = sys_.state;
    // An empty name (a first visit) or a picture that cannot be loaded leaves the control's
    // picture as it is (a failure is logged): the step load that follows sets the step's own.
    const auto& pictures = st.QuestionPictures(st.CurrentQuestion);
    auto picture = [&](int column) {
        const QString& name = pictures[static_cast<size_t>(column)];
        return name.isEmpty() ? QString() : sys_.skinFile(name);
    };
    if (const QString p = picture(0); !p.isEmpty())
        sys_.logSkinFailure(setPicture(p));
    auto& m = ui();
    plat::Image* images[] = { &m.Image1, &m.Image2, &m.Image3, &m.Image4, &m.Image5 };
    for (int k = 1; k <= 5; ++k)
        if (const QString p = picture(k); !p.isEmpty())
            sys_.logSkinFailure(images[k - 1]->setPicture(p));
    if (const QString p = picture(6); !p.isEmpty())
        sys_.logSkinFailure(m.Image6.setPicture(p));
    // The step itself loads on the next tick, after the panel has set CurrentStep.
    m.Timer2.setEnabled(true);
}

void FrmMain::showStepHints()
{
    auto& m = ui();
    m.LHelp.setVisible(true);
    m.Shape1.setVisible(true);
    m.Shape4.setVisible(true);
    m.Shape2.setVisible(true);
    setWindowState(0);
    m.TimerDisFK.setEnabled(true);
    show();
}

void FrmMain::Form_Load()
{
    shell::AppState& st = sys_.state;
    const double sx = st.ScaleX, sy = st.ScaleY;
    auto& ui = uiNoLoad();
    resetFormState();

    sys_.logSkinFailure(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    setBackColor(kWindowGrey);
    setWindowState(2);
    setLeft(0);
    setTop(0);
    if (screenAgainstLeastHeight() > 0) {
        setWindowState(0);
        setWidth(kWindowWidth * sx);
        setHeight(kWindowHeight * sy);
        setLeft((sys_.screenWidthTwips() - width()) / 2);
        setTop((sys_.screenHeightTwips() - height()) / 2);
    }
    sys_.exerciseWindows().dockPanel();
    ui.Label1.setCaption(QString());
    ui.ImgLogo.move(10200 * sx, 8235 * sy, 1740 * sx, 345 * sy);
    sys_.logSkinFailure(ui.ImgLogo.setPicture(sys_.skinFile(QStringLiteral("l62009"))));
    ui.PicMenu.setPicture(workspace::menuBarArt());
    ui.PicTool.setPicture(workspace::optionsBarArt());
    for (int q = 1; q <= 40; ++q)
        st.ResumeStep(q) = 1;
    menus::loadPopupItems(*menuBar().find(QStringLiteral("wm100")));
    ExamDataPath = sys_.programFile(QStringLiteral("examdata")) + QStringLiteral("/");
    for (int i = 0; i <= 13; ++i) {
        ui.LblADD[i].move(0, (240 * i + 345) * sy, 3900 * sx, 240 * sy);
        ui.LblADD[i].setCaption(QString());
        ui.ImgLiN[i].setVisible(false);
        ui.ImgLiN[i].setLeft(0);
        ui.ImgLiN[i].setTop(ui.LblADD[i].top());
    }
    ui.ImgSelAD.move(-120 * sx, 45 * sy);
    ui.LblADDmyXZ.move(0, 0, 3900 * sx, 330 * sy);
    ui.PicList.setHeight(330 * sy);
    ui.PicList.setVisible(false);
    ui.LHelp.setFontSize(11 * sx);
    ui.LstLA.setFont({ QStringLiteral("宋体"), 9 * sx });
    ui.LblXXK[0].setFontSize(9 * sx);
    ui.lblMove.move(6000 * sx, 0, 3495 * sx, 375 * sy);
    ui.LblMove2.move(ui.lblMove.left(), ui.lblMove.top(), ui.lblMove.width(), ui.lblMove.height());
    ui.LblSuccess.setFontSize(72 * sx);
    ui.LblSuccess.move(2640 * sx, 3840 * sy);
    ui.LblSuccess.setVisible(false);

    // Handlers. A release or click judges the step only when its press was made on this step.
    ui.lblMove.MouseDown = [this](int button, int, double, double) { lblMove_MouseDown(button); };
    ui.LblMove2.MouseDown = [this](int button, int, double, double) { lblMove_MouseDown(button); };
    KeyDown = [this](int& keyCode, int shift) { KeyClick(keyCode, shift); };
    for (Control* c : std::initializer_list<Control*> { &ui.Image6, &ui.Pic1J, &ui.Pic2J,
             &ui.PicBottom, &ui.PicElse, &ui.PicHui, &ui.PicLeft, &ui.PicList, &ui.PicMenu,
             &ui.PicRight, &ui.PicTool, &ui.PicTop })
        c->KeyDown = [this](int& keyCode, int shift) { KeyClick(keyCode, shift); };
    MouseMove = [this](int, int, double, double) { frmCsh(); };
    for (plat::Image* image : { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4 })
        image->MouseMove = [this](int, int, double, double) { frmCsh(); };
    Control* images[kImageCount]
        = { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5, &ui.Image6 };
    for (int k = 1; k <= kImageCount; ++k)
        images[k - 1]->Click = engine_.judged(plat::Handler([this, k] { imageClick(k); }));
    ui.Timer2.Tick = [this] {
        setData();
        this->ui().Timer2.setEnabled(false);
    };
    ui.Timer3.Tick = [this] { Timer3_Timer(); };
    installChecks();
    installPickers();
    installDrags();
    installContextMenu();
    installMenus();
    setHotspotToolTips(ui.LblZHU);

    ToolCSH();
}

void FrmMain::Form_QueryUnload(int& cancel)
{
    // The window exists only for an exercise, whose ways out are the panel's end and hand-in:
    // a window manager's close would leave the panel over an empty screen.
    cancel = 1;
}

void FrmMain::lblMove_MouseDown(int button)
{
    if (screenAgainstLeastHeight() < 0)
        return;
    // The panel follows the window once it is dropped; a press of another button docks it at
    // once.
    auto dock = [this] { sys_.exerciseWindows().dockPanel(); };
    if (button == plat::button::Left)
        startSystemMove(dock);
    else
        dock();
}

void FrmMain::ToolCSH()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    clearLooksAndDropDowns(ui);
    for (const PanelPlace& p : kPanelPlaces)
        (ui.*p.panel).move(p.left * st.ScaleX, p.top * st.ScaleY);
    // The hotspots lie inside their panels, so they are placed in panel coordinates.
    workspace::layOutHotspots(
        ui.LblZHU, stepengine::twoColumnToolboxOf(st.StepLine), st.ScaleX, st.ScaleY);
}

void FrmMain::ElseToolCSH() { }

void FrmMain::frmCsh()
{
    auto& ui = this->ui();
    if (OpenHotspot != 33 && OpenHotspot != 34) {
        ui.Pic1J.setVisible(false);
        OpenHotspot = 0;
    }
    ui.Pic2J.setVisible(false);
    for (plat::Image* look : { &ui.ImgMenu, &ui.ImgTool, &ui.ImgElse, &ui.ImgHui })
        look->setPicture(plat::Picture {});
    ui.PicList.setHeight(330 * sys_.state.ScaleY);
}

void FrmMain::setData() { engine_.load(); }

void FrmMain::doNext()
{
    engine_.advance([this] {
        shell::AppState& st = sys_.state;
        frmCsh();
        OpenHotspot = 0;
        OpenItem = 0;
        if (stepengine::StepRecord(st.StepLine).isEndOfQuestion())
            stepengine::markDone(st, st.CurrentQuestion);
        else
            engine_.loadStep(static_cast<int16_t>(st.CurrentStep + 1));
        sys_.exerciseWindows().panelOnTop();
        bringToFront();
    });
}

void FrmMain::GoStep(const QString& cStep)
{
    engine_.advance([this, cStep] {
        if (const auto step = engine_.jumpTarget(cStep))
            engine_.loadStep(*step);
    });
}

void FrmMain::imageClick(int image)
{
    GoStep(stepengine::StepRecord(sys_.state.StepLine).imageNext(image));
}

void FrmMain::Timer3_Timer()
{
    // While the demonstration runs, StepLine holds its record, not this window's step.
    if (sys_.state.DemoActive != 0)
        return;
    if (StepTypeValue == 8888)
        doNext();
}

// The window's part of every step load ------------------------------------------------------

stepengine::StepControls FrmMain::stepControls()
{
    stepengine::StepControls c = stepengine::sharedStepControls(*this, ui());
    c.Text3 = &ui().Text3;
    return c;
}

int16_t FrmMain::currentStep() const { return sys_.state.CurrentStep; }
void FrmMain::setCurrentStep(int16_t step) { sys_.state.CurrentStep = step; }

void FrmMain::prologue()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    ui.LblSuccess.setVisible(false);
    sys_.exerciseWindows().panelOnTop();
    bringToFront();
    ui.Pic1J.move(30000 * st.ScaleX, 30000 * st.ScaleY);
    ui.Shape6.setVisible(false);
    ui.Label4.setMousePointer(0).ignore();
}

void FrmMain::afterLineRead()
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (st.CurrentStep == 1) {
        for (plat::Image* image : { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5 })
            image->setPicture(plat::Picture {});
        ui.Image6.setPicture(plat::Picture {});
    }
    st.ResumeStep(st.CurrentQuestion) = st.CurrentStep;
}

bool FrmMain::endOfQuestion(const QString& actionCode)
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    plat::PictureBox* panels[] = { &ui.PicMenu, &ui.PicTool, &ui.PicHui };
    for (plat::PictureBox* p : panels)
        p->setEnabled(true);
    if (actionCode != stepengine::kEndOfQuestion) {
        ui.Shape1.setVisible(ui.LHelp.visible()); // the red frame follows the hint
        return true;
    }
    // Still shown as the step names them, but they no longer take the mouse.
    for (plat::PictureBox* p : panels)
        p->setEnabled(false);
    stepengine::markDone(st, st.CurrentQuestion);
    ui.Shape1.setVisible(false);
    if (st.panelMode() != shell::PanelMode::Examination) {
        ui.LblSuccess.setVisible(true);
        ui.LHelp.setVisible(false);
    }
    sys_.exerciseWindows().questionCompleted();
    return true;
}

void FrmMain::epilogue()
{
    sys_.exerciseWindows().panelOnTop();
    frmCsh();
    ElseToolCSH();
    ui().TimerDisFK.setEnabled(true);
}

} // namespace workspace
