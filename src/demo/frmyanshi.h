#pragma once

// FrmYanShi: the demonstration window. It loads a question's steps through the shared step
// engine on its own copy of the simulated window and performs each one with a drawn pointer:
// the pointer glides to the step's target and clicks, drags, types, opens the drop-downs or
// draws the context menu there, then the next step loads. At the end of the question, or on a
// double-click, Enter, Space or Esc, it hands the exercise back to the question panel.

#include "demo/drawnmenu.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/picture.h"
#include "platform/timer.h"
#include "stepengine/stepengine.h"
#include "workspace/simwindowui.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>

namespace shell {
class System;
}

namespace demo {

struct FrmYanShiUi : workspace::SimWindowUi {
    explicit FrmYanShiUi(plat::Form& f);

    // The rest of the simulated window, beneath everything the player draws.
    plat::Image Image6; // sixth step picture
    plat::Image PicMenu, PicTool, PicHui, PicElse; // chrome panels (images here)
    plat::Image ImgMenu, ImgTool, ImgHui, ImgElse, ImgHui2; // pressed looks and overlays
    plat::ControlArray<plat::Label> LblZHU; // hotspots 0..89, window twips
    // Drop-downs of the replayed menu paths, their item areas and the item highlight.
    plat::Image Pic1J, Pic2J;
    plat::Image Img1J;
    plat::ControlArray<plat::Label> Lbl1J; // 1..44
    plat::ControlArray<plat::Label> Lbl2J; // 1..44
    // The drawn context menu: body, border, cascade entries with their triangles, the entries
    // of the four item groups and the separators.
    plat::Label LRightMMenu;
    plat::Shape ShapeRMain;
    plat::ControlArray<plat::Label> LRMJL; // 1, 3, 5, 7, 8
    plat::ControlArray<plat::Image> ImgJLSanjiao; // 1, 3, 5, 7, 8
    plat::ControlArray<plat::Label> LRM2, LRM4, LRM6, LRM9; // 0..9 each
    plat::ControlArray<plat::Line> LRFGX; // 0..9
    // The drawn submenu.
    plat::Label LRightSub;
    plat::Shape ShapeRSUB;
    plat::ControlArray<plat::Label> LRS; // 0..9
    plat::ControlArray<plat::Line> LRSFgx; // 0..5
    plat::Shape Shape5; // click ring
    plat::Image ImgICO; // the cursor picture of drag legs
    plat::ControlArray<plat::Line> LPoinB; // 0..5, the arrow's white fill, beneath
    plat::ControlArray<plat::Line> LPoint; // 0..7, its outline
    plat::Label ImgLogo; // the question note, in front of the arrow
    // Windowed controls: always above the drawn ones.
    plat::TextBox Text4; // edit bar of a "0028" step

    plat::Timer Timer1; // typing, 500 ms
    plat::Timer Timer2; // glide tick and arrival, 100 ms
    plat::Timer Timer3; // drag-handle carry, 1000 ms
    plat::Timer Timer4; // pause of key and timed steps, 200 ms
    plat::Timer Timer5; // click-ring blink, 100 ms
    plat::Timer Timer6; // glide to a first-level item, 100 ms
    plat::Timer Timer7; // glide to a second-level item, 200 ms
    plat::Timer Timer8, Timer9, Timer10, Timer11; // never switched on
    plat::Timer TimerRM; // glide to a context-menu entry, 100 ms
    plat::Timer TimerRS; // glide to a submenu item, 100 ms
    plat::Timer TimEnd; // end of the run, 100 ms
};

class FrmYanShi : public plat::FormWith<FrmYanShiUi>, public stepengine::StepWindow {
public:
    explicit FrmYanShi(shell::System& sys);

    void setData(); // loads DemoStep
    void doNext(); // the next step, or the end of the demonstration
    void GoStep(const QString& cStep);
    void CSH(); // hides the drawn menus and the drop-downs
    void ToolCSH(); // places the chrome panels and the hotspots
    void ElseToolCSH(); // called at every load; does nothing
    void MuBiaoWei(); // the step's first target, its glide or its pause
    void pointMove(); // draws the arrow at the pointer
    void DoubleXXK(); // lays out the two rows of a tab strip
    void ImgLiN_Click(int16_t index); // the location list's row choice
    // Drop-down replay of a "7000" step.
    void ToolClick(int16_t hotspot);
    void Tool1JCSH();
    void Tool1JClick(int16_t item);
    void Tool2JCSH();
    void Tool2JClick(int16_t subItem);
    // The drawn context menu and its submenu.
    void RightKeyMenu();
    void RightKeySub();

    // Timer handlers.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void Timer6_Timer();
    void Timer7_Timer();
    void TimerRM_Timer();
    void TimerRS_Timer();
    void TimEnd_Timer();
    // Closed while a run is on (by the window manager): the run ends as its end timer ends it.
    void Form_Unload(int& cancel) override;

    // The demonstration's state; it outlives an unload of the window.
    int16_t DemoStep = 1; // the step within the current question
    int16_t ReplayHotspot = 0, ReplayItem = 0, ReplaySubItem = 0; // path of a "7000" step
    QString ReplayNextCode = QStringLiteral("0");
    double GlideStep = 0;
    int16_t DragLeg = 0; // -1 on the second leg of a drag
    int32_t PointerX = 0, PointerY = 0;
    int32_t TargetX = 0, TargetY = 0;
    int16_t GlideDX = 0, GlideDY = 0;
    int16_t TickCount = 0; // shared by the counting timers
    int16_t DemoMenuCode = 0;
    int16_t DemoMenuNo = 0;
    int16_t TypedCount = 0;
    QString InterfaceFolder;
    stepengine::StepFields fields {}; // what the loader's stages leave for the player
    QString& TypedAnswer = fields.DemoTypedText;
    QString& StepHint = fields.SavedHint;
    int16_t& DragTargetX = fields.DragTargetX;
    int16_t& DragTargetY = fields.DragTargetY;
    int16_t& TabHostImage = fields.TabHostImage;
    int16_t& TabToClick = fields.TabToClick;
    int16_t& Label1Width = fields.TargetWidth;
    int16_t& Label1Height = fields.TargetHeight;

protected:
    void Form_Load() override;

    stepengine::StepControls stepControls() override;
    stepengine::StepFields& stepFields() override { return fields; }
    int16_t currentStep() const override { return DemoStep; }
    void setCurrentStep(int16_t step) override { DemoStep = step; }
    void prologue() override;
    void afterLineRead() override { }
    void setStepType(int16_t value) override { DemoMenuCode = value; }
    bool endOfQuestion(const QString& actionCode) override;
    void pointerTarget(const QString& actionCode) override;
    void epilogue() override;
    bool demonstration() const override { return true; }
    QString examDataPath() const override { return InterfaceFolder; }
    void layOutHotspots() override { ToolCSH(); }
    void layOutTabRows() override { DoubleXXK(); }
    void chooseLocationRow(int16_t row) override { ImgLiN_Click(row); }

private:
    void switchOff(int firstTimer, int lastTimer);
    void loadOrEnd(int16_t step); // a step outside the question ends the run
    void endRun(const QString& why); // everything stops and the end timer runs; logged
    void startEnd(); // the end timer on, unless it already runs
    void clearRun(); // the run's state back to "no demonstration"
    void handBack(); // the practice windows shown again
    void writeLog(const QString& text) const;
    void placeNote();
    void glideTo(int32_t x, int32_t y); // target, then the glide set-up
    void movePointer(); // one glide step
    bool pointerArrived() const;
    // One tick of a menu glide: the pointer moves and is redrawn; true once it has arrived.
    bool glideTick();
    void ringAtPointer(); // the click ring centred on the pointer, blinking
    // A glide's tick that, once the pointer has arrived, clicks there and stops the glide.
    bool clickOnArrival(plat::Timer& glide);
    void showCursorPicture();
    void typingSetUp();
    void carrySetUp();
    void secondLeg(int32_t x, int32_t y); // the mark, then one tick at once
    void advanceBy(const QString& nextCode); // "0": doNext, otherwise GoStep
    void stand(const QString& why); // the pointer stays where it is; written to the run log
    // Frames the drawn entry a step names and glides to it, `arrival` waiting for the pointer;
    // without one the pointer stands, for the reason `missing`.
    void aimAtEntry(const Aim& aim, plat::Timer& arrival, const QString& missing);
    void loadInterfacePicture(plat::Image& holder, const QString& name);
    static Measure labelMeasure(plat::Label& probe);

    shell::System& sys_;
    stepengine::StepEngine engine_;
    QStringList menuFile_; // read once per run
    std::map<QString, plat::Picture> cursors_; // cursor pictures, read once per run
    int16_t endTicks_ = 0; // ticks of the end timer, its own count
    quint64 loads_ = 0; // step loads begun, to tell a load that did not happen
    bool topMost_ = false;
    QString standReason_; // the last reason the pointer stood, logged once
};

} // namespace demo
