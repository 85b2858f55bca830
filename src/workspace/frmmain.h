#pragma once

// FrmMain: the simulated application window. Chrome pictures carry transparent hotspots, the
// step engine puts each step's pictures, areas and fields into it, and its handlers judge the
// candidate's actions against the current step.

#include "menus/menulayout.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"
#include "stepengine/stepengine.h"
#include "stepengine/steprecord.h"
#include "workspace/simwindowui.h"

#include <QString>

#include <compare>
#include <cstdint>
#include <optional>

namespace shell {
class System;
}

namespace workspace {

struct FrmMainUi : SimWindowUi {
    explicit FrmMainUi(plat::Form& f);

    // Drawn over the step pictures, frames and areas of the shared simulated window.
    plat::Label LblSuccess; // "操作成功！"
    plat::Image ImgLogo;
    plat::Label LblMove2; // drag strip on the window itself

    // Chrome panels and their hotspots.
    plat::PictureBox PicMenu; // menu bar and application bar
    plat::PictureBox PicTool; // options bar
    plat::PictureBox PicHui; // toolbox
    plat::PictureBox PicElse; // further panel for ImgElse
    plat::ControlArray<plat::Label> LblZHU; // 0..20 PicMenu, 21..40 PicTool, 41..67 PicHui
    plat::Image ImgMenu, ImgTool, ImgHui, ImgElse; // hover and pressed looks of hotspots
    plat::Image ImgHui2; // step overlay on a toolbox hotspot
    plat::Shape ShapeMenu, ShapeTool, ShapeHui; // hint frames on hotspots
    plat::Label lblMove; // drag strip on PicMenu

    plat::PictureBox Image6; // sixth step picture, a child window above the areas
    plat::TextBox Text3; // third answer field

    plat::Image ImgFuGai; // fixed cover picture of the location list, beneath its rows

    // Drop-downs: first level (or tool flyout) and second level.
    plat::PictureBox Pic1J;
    plat::Image Img1jBK, Img1J;
    plat::ControlArray<plat::Label> Lbl1J; // 1..44
    plat::PictureBox Pic2J;
    plat::Image Img2J;
    plat::ControlArray<plat::Label> Lbl2J; // 1..44

    plat::Timer Timer2; // one-shot step load after the panel showed a question
    plat::Timer Timer3; // timed steps go on after a second
    plat::Timer TimerDisFK; // one-shot hint frame on a hotspot
    plat::Timer TimTool; // never switched on
};

class FrmMain : public plat::FormWith<FrmMainUi>, public stepengine::StepWindow {
public:
    explicit FrmMain(shell::System& sys);

    // Public procedures of the window.
    void setData(); // loads the current step
    void doNext(); // goes on to the next step
    void frmCsh(); // closes the drop-downs and clears the pressed looks
    void ToolCSH(); // places the chrome panels
    void ElseToolCSH(); // hook called at every load; does nothing
    void GoStep(const QString& cStep); // jumps to the step a NextStepCode names
    void KeyClick(int keyCode, int shift); // the key check

    void Timer3_Timer();

    // The current question's last pictures back in place; its step loads on the next tick.
    void loadQuestion();
    // The hint and its frames, as the hint stage placed them while hints were off, shown.
    void showStepHints();
    // The answer field takes the focus, and the keyboard layout chosen is activated even when
    // the field held the focus already (which raises no GotFocus).
    void focusAnswerField();

    // Drags: the drag handle Image5 and the second area Label4 (frmmain_drags.cpp).
    void Image5_MouseMove(int button, int shift, double x, double y);
    void Image5_MouseUp(int button, int shift, double x, double y);
    void Label4_MouseDown(int button, int shift, double x, double y);
    void Label4_MouseMove(int button, int shift, double x, double y);
    void Label4_MouseUp(int button, int shift, double x, double y);
    void systemMenu(); // fills the context menu wm100 for MenuNo

    // Simulated menus and tool flyouts (frmmain_menus.cpp).
    void LblZHU_MouseUp(int index, int button, int shift, double x, double y);
    void LblZHU_MouseMove(int index); // hover look; leaving the open hotspot closes its menu
    void PicTool_MouseUp(int button, int shift, double x, double y);
    void Tool1JCSH(); // lays out the items of the open drop-down or flyout
    void Tool2JCSH(); // lays out the items of the open second-level drop-down
    void Lbl1J_MouseMove(int index);
    void Lbl1J_Click(int index);
    void Lbl2J_MouseMove(int index);
    void Lbl2J_Click(int index);
    // A choice in the context menu wm100: item `index` of the list at entry position
    // `position` (sMirtSub1 1, sMirtInde1 2, ... sMirtInde4 9; frmmain_contextmenu.cpp).
    void wm100_Click(int position, int16_t index);

    // Input checks of the target area, the answer fields and the hint frame (frmmain_checks.cpp).
    void Label1_DblClick();
    void Label1_MouseMove(int button, int shift, double x, double y);
    void Label1_MouseUp(int button, int shift, double x, double y);
    void Text1_Change();
    void Text1_GotFocus();
    void Text1_KeyUp(int keyCode, int shift);
    void Text1_MouseUp(int button, int shift, double x, double y);
    void Text2_Change();
    void Text3_Change();
    void Text3_GotFocus();
    void TimerDisFK_Timer();

    // List and location pickers and dialog tab pages (frmmain_pickers.cpp).
    void LstLA_Click();
    void ImgLiN_Click(int16_t index); // the location picker's row choice
    void LblADD_Click(int index);
    void LblADD_MouseMove(int index);
    void LblADDmyXZ_Click(); // opens or closes the location list
    void LblXXK_Click(int index); // a tab, or 0 the back label
    void DoubleXXK(); // lays out the two rows of a tab strip

    stepengine::StepEngine& engine() { return engine_; }

    // Form-level state; everything starts as 0 or "" when the window loads.
    int16_t OpenHotspot = 0; // hotspot whose drop-down is open
    int16_t OpenItem = 0; // first-level item last clicked
    int32_t BandStartX = 0, BandStartY = 0; // where the press on Label4 began
    int16_t Dragging = 0; // -1 while a press on Label4 is held
    int16_t StepTypeValue = 0; // number of the ActionCode, or the code a check tests
    int16_t MenuNo = 0; // menu digit of a context-menu code
    QString ExamDataPath; // folder of the interface pictures
    // The fields the step loader writes for the checks (stepengine::StepFields), by their names.
    stepengine::StepFields fields {};
    int32_t& HandleLeft = fields.HandleLeft; // drag handle Image5, window twips
    int32_t& HandleTop = fields.HandleTop;
    int16_t& DragTargetX = fields.DragTargetX; // where the drag handle must go, design twips
    int16_t& DragTargetY = fields.DragTargetY;
    QString& TabSpec = fields.TabSpec; // description of the current tab step's dialog
    int16_t& TabHostImage = fields.TabHostImage; // 1..5: which of Image1..Image5 shows it
    int16_t& TabToClick = fields.TabToClick; // the tab the step expects
    int16_t& TabHostLeft = fields.TabHostLeft; // the host image's place when the step loaded
    int16_t& TabHostTop = fields.TabHostTop;
    int16_t& TabCount = fields.TabCount;
    int16_t& TabRowOrder = fields.TabRowOrder; // 1 or 2: row of the selected tab
    QString& BackCode = fields.BackCode; // "Q" and a step count, or "NONO"
    QString& SavedHint = fields.SavedHint; // the step's hint text as last read

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel) override;
    void createMenus(plat::MenuItem& bar) override;

    // The window's part of every step load.
    stepengine::StepControls stepControls() override;
    stepengine::StepFields& stepFields() override { return fields; }
    int16_t currentStep() const override;
    void setCurrentStep(int16_t step) override;
    void prologue() override;
    void afterLineRead() override;
    void setStepType(int16_t value) override { StepTypeValue = value; }
    bool endOfQuestion(const QString& actionCode) override;
    void epilogue() override;
    // The window's procedures that the stages call (frmmain_pickers.cpp).
    QString examDataPath() const override { return ExamDataPath; }
    void layOutHotspots() override { ToolCSH(); }
    void layOutTabRows() override { DoubleXXK(); }
    void chooseLocationRow(int16_t row) override { ImgLiN_Click(row); }

private:
    void resetFormState();
    // The screen's height against 650 pixels at the design's scale: only a taller screen shows
    // the window centred at its design size, any other leaves it maximised; only a lower one
    // keeps the caption strips from moving the window and docking the panel.
    std::partial_ordering screenAgainstLeastHeight() const;
    void lblMove_MouseDown(int button);
    void imageClick(int image);
    // Input checks of the target area and the answer fields (frmmain_checks.cpp).
    void installChecks();
    void advanceBy(QChar nextStepCode); // "0" the next step, else a jump
    void showContextMenu(int menuCode);
    std::optional<QString> answerOf(stepengine::Field lineField); // none: no match, logged
    void activateKeyboardLayout();
    // List and location pickers and dialog tab pages (frmmain_pickers.cpp).
    void installPickers();
    void installDrags(); // frmmain_drags.cpp
    void installContextMenu(); // frmmain_contextmenu.cpp
    // Simulated menus (frmmain_menus.cpp).
    void installMenus();
    void hotspotLeftRelease(int index);
    void hotspotRightRelease(int index);
    // Interface pictures of the examdata folder; a missing one leaves the holder empty, logged.
    void loadInterfacePicture(plat::Image& holder, const QString& name);
    void loadDropDown(plat::PictureBox& box, const QString& name, const menus::ItemLayout& items);
    void logMissingPicture(const QString& name, const plat::Status& status);
    menus::Scale menuScale() const;

    shell::System& sys_;
    stepengine::StepEngine engine_;
    QString lastMissingPicture_; // logged once while the pointer rests on its item
};

} // namespace workspace
