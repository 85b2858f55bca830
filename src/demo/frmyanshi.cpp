#include "demo/frmyanshi.h"

#include "exercise/frmtm.h"
#include "platform/text.h"

#include "core/system.h"
#include "stepengine/steprecord.h"
#include "workspace/chromeart.h"
#include "workspace/frmmain.h"
#include "workspace/hotspots.h"
#include "workspace/pickers.h"
#include <cmath>

namespace demo {

namespace {
    constexpr double kParked = -500; // the click ring and the pointer off the window
    constexpr uint32_t kRed = 0x0000FF;
}

FrmYanShiUi::FrmYanShiUi(plat::Form& f)
    : Image1(f.area(), QStringLiteral("Image1"))
    , Image2(f.area(), QStringLiteral("Image2"))
    , Image3(f.area(), QStringLiteral("Image3"))
    , Image4(f.area(), QStringLiteral("Image4"))
    , Image5(f.area(), QStringLiteral("Image5"))
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
    , Img1J(f.area(), QStringLiteral("Img1J"))
    , Pic1J(f.area(), QStringLiteral("Pic1J"))
    , Pic2J(f.area(), QStringLiteral("Pic2J"))
    , Label1(f.area(), QStringLiteral("Label1"))
    , Shape1(f.area(), QStringLiteral("Shape1"))
    , Label4(f.area(), QStringLiteral("Label4"))
    , Shape4(f.area(), QStringLiteral("Shape4"))
    , Shape2(f.area(), QStringLiteral("Shape2"))
    , Shape6(f.area(), QStringLiteral("Shape6"))
    , LblXXK(f.area(), QStringLiteral("LblXXK"))
    , LHelp(f.area(), QStringLiteral("LHelp"))
    , Shape5(f.area(), QStringLiteral("Shape5"))
    , ImgICO(f.area(), QStringLiteral("ImgICO"))
    , Text1(f.area(), QStringLiteral("Text1"))
    , Text2(f.area(), QStringLiteral("Text2"))
    , PicList(f.area(), QStringLiteral("PicList"))
    , LblZHU(f.area(), QStringLiteral("LblZHU"))
    , LstLA(f.area(), QStringLiteral("LstLA"))
    , PicLeft(f.area(), QStringLiteral("PicLeft"))
    , PicTop(f.area(), QStringLiteral("PicTop"))
    , PicRight(f.area(), QStringLiteral("PicRight"))
    , PicBottom(f.area(), QStringLiteral("PicBottom"))
    , LblADDmyXZ(PicList, QStringLiteral("LblADDmyXZ"))
    , LblADD(PicList, QStringLiteral("LblADD"))
    , ImgLiN(PicList, QStringLiteral("ImgLiN"))
    , ImgSelAD(PicList, QStringLiteral("ImgSelAD"))
    , Text4(f.area(), QStringLiteral("Text4"))
    , Timer1(f, QStringLiteral("Timer1"), 100)
    , Timer2(f, QStringLiteral("Timer2"), 100)
    , Timer3(f, QStringLiteral("Timer3"), 1000)
    , Timer4(f, QStringLiteral("Timer4"), 100)
    , Timer5(f, QStringLiteral("Timer5"), 100)
    , Timer6(f, QStringLiteral("Timer6"), 100)
    , Timer7(f, QStringLiteral("Timer7"), 200)
    , Timer8(f, QStringLiteral("Timer8"), 100)
    , Timer9(f, QStringLiteral("Timer9"), 100)
    , Timer10(f, QStringLiteral("Timer10"), 100)
    , Timer11(f, QStringLiteral("Timer11"), 100)
    , TimEnd(f, QStringLiteral("TimEnd"), 100)
{
    Label1.setBackStyle(0);
    Label4.setBackStyle(0);
    Shape1.setBorderColor(kRed);
    Shape1.setBorderWidth(2);
    Shape4.setBorderColor(0x00FF00);
    Shape4.setBorderWidth(2);
    Shape2.setBorderColor(0x00FFFF);
    Shape2.setBorderWidth(2);
    Shape5.setShape(2);
    Shape5.setBorderWidth(2);
    Shape6.setBorderStyle(3);
    for (int i = 0; i <= 13; ++i)
        LblXXK.create(i).setBackStyle(0);
    LHelp.setBackColor(0xC0FFFF);
    LHelp.setForeColor(kRed);
    LHelp.setFontBold(true);
    LHelp.setAutoSize(true);
    Text1.setVisible(false);
    Text2.setVisible(false);
    PicList.setVisible(false);
    Pic1J.setVisible(false);
    Pic2J.setVisible(false);
    for (int i = 0; i <= 89; ++i) {
        plat::Label& hot = LblZHU.create(i);
        hot.setBackStyle(0);
        hot.move(0, 0, 495, 375);
    }
    LstLA.setVisible(false);
    for (plat::PictureBox* strip : { &PicLeft, &PicTop, &PicRight, &PicBottom }) {
        strip->move(0, 0, 15, 15);
        strip->setBackColor(0xB99D7F);
        strip->setVisible(false);
    }
    LblADDmyXZ.setBackStyle(0);
    for (int i = 0; i <= 13; ++i) {
        LblADD.create(i).setBackStyle(0);
        ImgLiN.create(i);
    }
    Text4.setVisible(false);
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
    auto& ui = uiNoLoad();
    setBackColor(0xC0C0C0);
    setWidth(12000 * st.ScaleX);
    setHeight(9000 * st.ScaleY);
    DemoExamDataPath = sys_.programFile(QStringLiteral("examdata")) + QStringLiteral("/");
    ui.PicMenu.setPicture(workspace::menuBarArt()); // the same chrome as the practice window
    ui.PicTool.setPicture(workspace::optionsBarArt());
    st.PanelMode = 1; // the demonstration shows its hint and frames
    ui.LHelp.setFontSize(11 * st.ScaleX);
    ui.LstLA.setFont({ QStringLiteral("宋体"), 9 * st.ScaleX });
    workspace::layOutLocationList(
        ui.PicList, ui.LblADDmyXZ, ui.LblADD, ui.ImgLiN, ui.ImgSelAD, st.ScaleX, st.ScaleY);
    for (int i = 0; i <= 13; ++i)
        ui.ImgLiN[i].Click = [this, i] { ImgLiN_Click(static_cast<int16_t>(i)); };
    ui.Timer3.Tick = [this] {
        // Without a glide the pointer is at its target at once.
        if (sys_.state.DemoActive != 0)
            doNext();
    };
    ui.TimEnd.Tick = [this] { TimEnd_Timer(); };
    CSH();
    setData();
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

void FrmYanShi::doNext()
{
    engine_.advance([this] {
        if (sys_.state.DemoActive == 0)
            return;
        auto& ui = this->ui();
        switchOff(1, 11);
        if (stepengine::StepRecord(sys_.state.StepLine).isEndOfQuestion()) {
            ui.Timer2.setEnabled(false);
            ui.Shape5.move(kParked, kParked);
            ui.ImgICO.move(kParked, kParked);
            ui.TimEnd.setEnabled(true);
        } else {
            engine_.loadStep(static_cast<int16_t>(DemoStep + 1));
        }
    });
}

void FrmYanShi::GoStep(const QString& cStep)
{
    engine_.advance([this, cStep] {
        if (const auto step = engine_.jumpTarget(cStep))
            engine_.loadStep(*step);
    });
}

void FrmYanShi::CSH()
{
    if (sys_.state.DemoActive == 0)
        return;
    auto& ui = this->ui();
    if (DemoHotspot != 33 && DemoHotspot != 34)
        ui.Pic1J.setVisible(false);
    ui.Pic2J.setVisible(false);
    ui.ImgMenu.setPicture(plat::Picture {});
    ui.ImgElse.setPicture(plat::Picture {});
    ui.PicList.setHeight(330 * sys_.state.ScaleY);
}

void FrmYanShi::ToolCSH()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    for (plat::Image* look : { &ui.ImgMenu, &ui.ImgHui, &ui.ImgTool, &ui.ImgElse })
        look->setPicture(plat::Picture {});
    ui.Pic1J.setVisible(false);
    ui.Pic2J.setVisible(false);
    ui.PicMenu.move(0, 0);
    ui.PicTool.move(60 * st.ScaleX, 915 * st.ScaleY);
    ui.PicHui.move(60 * st.ScaleX, 1425 * st.ScaleY);
    // The hotspots lie on the window itself: the panels' origins are added.
    workspace::layOutHotspots(ui.LblZHU, workspace::twoColumnToolboxOf(st.StepLine), st.ScaleX,
        st.ScaleY, { ui.PicTool.left(), ui.PicTool.top() }, { ui.PicHui.left(), ui.PicHui.top() });
}

void FrmYanShi::DoubleXXK() { stepengine::layOutTabRows(ui().LblXXK, fields, sys_.state.ScaleY); }

void FrmYanShi::ImgLiN_Click(int16_t index)
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (workspace::chooseLocationRow(ui.PicList, ui.ImgLiN, ui.ImgSelAD, index,
            stepengine::StepRecord(st.StepLine).actionCode(), st.ScaleX, st.ScaleY))
        doNext();
}

void FrmYanShi::ElseToolCSH() { }

void FrmYanShi::MuBiaoWei()
{
    if (sys_.state.DemoActive == 0)
        return;
    auto& ui = this->ui();
    const plat::Label& area = ui.Label1;
    if (area.visible() && area.width() > 1 && area.height() > 1) {
        GlideTargetX = static_cast<int32_t>(std::lround(area.left() + area.width() / 2));
        GlideTargetY = static_cast<int32_t>(std::lround(area.top() + area.height() / 2));
        ui.Timer2.setEnabled(true);
    } else {
        ui.Timer4.setEnabled(true);
    }
}

void FrmYanShi::TimEnd_Timer()
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    ui.Shape5.move(kParked, kParked);
    ++DemoTicks;
    if (DemoTicks < 4)
        return;
    switchOff(1, 9);
    ui.TimEnd.setEnabled(false);
    DemoTicks = 0;
    DemoStep = 1;
    st.DemoActive = 0;
    unload();
    sys_.form<workspace::FrmMain>().show();
    auto& tm = sys_.form<exercise::FrmTm>();
    tm.ui().TimerREDO.setEnabled(true);
    tm.show();
}

// The window's part of every step load ------------------------------------------------------

stepengine::StepControls FrmYanShi::stepControls()
{
    stepengine::StepControls c = stepengine::sharedStepControls(*this, ui());
    c.Text4 = &ui().Text4;
    return c;
}

void FrmYanShi::prologue()
{
    auto& ui = this->ui();
    stepengine::putTopMost(sys_.form<exercise::FrmTm>());
    setTopMost(false);
    ui.Shape5.setBorderColor(kRed);
    CSH();
    DemoTypedCount = 0;
    ui.Img1J.setVisible(false);
    ui.ImgHui2.setVisible(false);
    DemoTicks = 0;
    ui.Shape6.setWidth(10);
    ui.Shape6.setHeight(10);
    DemoSecondLeg = false;
    DemoHotspot = DemoItem = DemoSubItem = 0;
    DemoNextCode = QStringLiteral("0");
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
    ui.TimEnd.setEnabled(true);
    return false;
}

void FrmYanShi::pointerTarget(const QString& actionCode)
{
    if (actionCode != QStringLiteral("7000"))
        return;
    namespace field = stepengine::field;
    const stepengine::StepRecord r(sys_.state.StepLine);
    QString d = r.text(field::Descriptor3);
    if (!d.startsWith(u'H'))
        d = r.text(field::Descriptor1);
    if (!d.startsWith(u'H'))
        d = r.text(field::Descriptor2);
    DemoHotspot = stepengine::readInt16(plat::mid(d, 2, 2));
    DemoItem = stepengine::readInt16(plat::mid(d, 4, 2));
    DemoSubItem = stepengine::readInt16(plat::mid(d, 6, 2));
    DemoNextCode = plat::mid(d, 10, 1);
}

void FrmYanShi::epilogue()
{
    CSH();
    ToolCSH();
    ElseToolCSH();
    MuBiaoWei();
}

} // namespace demo
