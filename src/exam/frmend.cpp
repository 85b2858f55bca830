#include "exam/frmend.h"

#include "core/system.h"
#include "exam/examrules.h"
#include "exam/frmchengji.h"
#include "platform/color.h"

namespace exam {

namespace {
    constexpr uint32_t kDialogBack = plat::rgb(235, 233, 216);
}

FrmEndUi::FrmEndUi(plat::Form& f)
    : Frame1(f.area(), QStringLiteral("Frame1"))
    , Label1(f.area(), QStringLiteral("Label1"))
    , Command1(f.area(), QStringLiteral("Command1"))
    , Command2(f.area(), QStringLiteral("Command2"))
{
    Frame1.move(90, 60, 4215, 1935);
    Frame1.setBorderColor(plat::rgb(160, 160, 150));
    // The question inside the frame (at 150, 240 of it); the mapped face sets its lines wider
    // apart than the design's, so the label reaches down to the frame's edge.
    Label1.move(90 + 150, 60 + 180, 3855, 1935 - 180 - 60);
    Label1.setBackStyle(0);
    Label1.setWordWrap(true);
    Label1.setForeColor(plat::rgb(255, 0, 0));
    Label1.setFont({ QStringLiteral("宋体"), 15, true });
    Command1.move(600, 2160);
    Command2.move(2400, 2160);
}

FrmEndBase::FrmEndBase(shell::System& sys, const QString& name)
    : FormWith(sys, name)
    , sys_(sys)
{
    setCentered(true);
}

void FrmEndBase::Form_Load()
{
    const shell::AppState& st = sys_.state;
    auto& ui = uiNoLoad();
    setCaption(QStringLiteral("重要提示"));
    setBackColor(kDialogBack);
    move(left(), top(), 4410, 2670);
    setTopMost(true);
    sys_.logSkinFailure(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    ui.Command1.move(ui.Command1.left(), ui.Command1.top(), 1320 * st.ScaleX, 420 * st.ScaleY);
    ui.Command2.move(ui.Command2.left(), ui.Command2.top(), 1320 * st.ScaleX, 420 * st.ScaleY);
    sys_.logSkinFailure(ui.Command1.setPicture(sys_.skinFile(QStringLiteral("l01041"))));
    sys_.logSkinFailure(ui.Command2.setPicture(sys_.skinFile(QStringLiteral("l01042"))));
    ui.Command1.Click = [this] { Command1_Click(); };
    ui.Command2.Click = [this] { Command2_Click(); };
}

void FrmEndBase::Command2_Click()
{
    unload();
    sys_.exerciseWindows().showPanel();
}

void FrmEndBase::Form_QueryUnload(int& cancel)
{
    cancel = 1;
    Command2_Click();
}

FrmEnd1::FrmEnd1(shell::System& sys)
    : FrmEndBase(sys, QStringLiteral("FrmEnd1"))
{
}

void FrmEnd1::Form_Load()
{
    FrmEndBase::Form_Load();
    uiNoLoad().Label1.setCaption(handInPrompt(sys_.state.QuestionState));
}

void FrmEnd1::Command1_Click()
{
    unload();
    sys_.form<FrmEnd2>().show(true);
}

FrmEnd2::FrmEnd2(shell::System& sys)
    : FrmEndBase(sys, QStringLiteral("FrmEnd2"))
{
}

void FrmEnd2::Form_Load()
{
    FrmEndBase::Form_Load();
    uiNoLoad().Label1.setCaption(kFinalHandInPrompt);
}

void FrmEnd2::Command1_Click()
{
    shell::AppState& st = sys_.state;
    st.MinutesLeft = shell::kExamMinutes;
    sys_.exerciseWindows().showClock(st.MinutesLeft);
    unload();
    sys_.exerciseWindows().closeExercise();
    sys_.form<FrmChengji>().show();
}

} // namespace exam
