#pragma once

// FrmYanShi: the demonstration window. It loads a question's steps through the shared step
// engine on its own copy of the simulated window and replays them with an animated pointer.
// This is the part the step engine needs: its controls, its loader policy, doNext, GoStep, the
// pointer target MuBiaoWei, the timed-step timer and the end timer TimEnd.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"
#include "stepengine/stepengine.h"

#include <QString>

#include <cstdint>

namespace shell {
class System;
}

namespace demo {

struct FrmYanShiUi {
    explicit FrmYanShiUi(plat::Form& f);

    plat::Image Image1, Image2, Image3, Image4, Image5, Image6; // step pictures
    plat::Image PicMenu, PicTool, PicHui, PicElse; // chrome panels (images here)
    plat::Image ImgMenu, ImgTool, ImgHui, ImgElse, ImgHui2, Img1J; // looks and overlays
    plat::Image Pic1J, Pic2J; // drop-downs
    plat::Label Label1; // target area
    plat::Shape Shape1; // red frame
    plat::Label Label4; // second area
    plat::Shape Shape4; // green frame
    plat::Shape Shape2; // yellow frame
    plat::Shape Shape6; // rubber band
    plat::ControlArray<plat::Label> LblXXK; // tab labels 0..13
    plat::Label LHelp; // hint label
    plat::Shape Shape5; // click ring
    plat::Image ImgICO; // the animated pointer
    plat::TextBox Text1, Text2;
    plat::PictureBox PicList; // location list
    // Hotspots, list and location picker, and the edit bar of cell entries (the stages set
    // them; the player aims at them).
    plat::ControlArray<plat::Label> LblZHU; // 0..89 on the window itself
    plat::ListBox LstLA; // list step; nothing checks its choice here
    plat::PictureBox PicLeft, PicTop, PicRight, PicBottom; // border strips around LstLA
    plat::Label LblADDmyXZ;
    plat::ControlArray<plat::Label> LblADD; // 0..13
    plat::ControlArray<plat::Image> ImgLiN; // 0..13
    plat::Image ImgSelAD;
    plat::TextBox Text4; // edit bar of a "0028" step

    plat::Timer Timer1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7, Timer8, Timer9, Timer10,
        Timer11; // Timer2 glide, Timer3 timed step, Timer4 pause
    plat::Timer TimEnd; // ends the demonstration a few ticks after the last step
};

class FrmYanShi : public plat::FormWith<FrmYanShiUi>, public stepengine::StepWindow {
public:
    explicit FrmYanShi(shell::System& sys);

    void setData(); // loads DemoStep
    void doNext(); // the next step, or the end of the demonstration
    void GoStep(const QString& cStep);
    void CSH(); // clears the drawn menus and drop-downs
    void ToolCSH(); // places the chrome panels
    void ElseToolCSH(); // hook called at every load; does nothing
    void MuBiaoWei(); // picks the point the pointer glides to and starts the glide or a pause
    void DoubleXXK(); // lays out the two rows of a tab strip
    void ImgLiN_Click(int16_t index); // the location picker's row choice

    int16_t DemoStep = 1; // the demonstration's current step
    int16_t DemoTypeValue = 0; // number of the ActionCode
    int16_t DemoHotspot = 0, DemoItem = 0, DemoSubItem = 0; // path of a "7000" step
    QString DemoNextCode = QStringLiteral("0");
    int16_t DemoTypedCount = 0; // leading characters of DemoTypedText shown
    int16_t DemoTicks = 0; // ticks of the pause and end timers
    bool DemoSecondLeg = false; // the pointer is on the second leg of a drag
    QString DemoExamDataPath;
    int32_t GlideTargetX = 0, GlideTargetY = 0; // where the pointer glides to
    stepengine::StepFields fields {}; // what the stages leave for the player
    QString& DemoTypedText = fields.DemoTypedText; // the text the player types

protected:
    void Form_Load() override;

    stepengine::StepControls stepControls() override;
    stepengine::StepFields& stepFields() override { return fields; }
    int16_t currentStep() const override { return DemoStep; }
    void setCurrentStep(int16_t step) override { DemoStep = step; }
    void prologue() override;
    void afterLineRead() override { }
    void setStepType(int16_t value) override { DemoTypeValue = value; }
    bool endOfQuestion(const QString& actionCode) override;
    void pointerTarget(const QString& actionCode) override;
    void epilogue() override;
    bool demonstration() const override { return true; }
    QString examDataPath() const override { return DemoExamDataPath; }
    void layOutHotspots() override { ToolCSH(); }
    void layOutTabRows() override { DoubleXXK(); }
    void chooseLocationRow(int16_t row) override { ImgLiN_Click(row); }

private:
    void TimEnd_Timer();
    void switchOff(int firstTimer, int lastTimer);

    shell::System& sys_;
    stepengine::StepEngine engine_;
};

} // namespace demo
