// The examination's entry points: the login a paper starts with, the hand-in confirmation and
// the countdown's minute tick.

#include "exam/examflow.h"
#include "core/exercisewindows.h"
#include "core/system.h"
#include "exam/examrules.h"
#include "exam/frmend.h"
#include "exam/frmlogon.h"
#include "platform/services.h"

namespace flow {

void showLogin(shell::System& sys)
{
    auto& logon = sys.form<exam::FrmLogon>();
    // Every examination starts from a fresh login.
    logon.unload();
    logon.show();
}

void openHandIn(shell::System& sys)
{
    auto& end1 = sys.form<exam::FrmEnd1>();
    auto& end2 = sys.form<exam::FrmEnd2>();
    // A hand-in already under way keeps its dialog; a second one never opens over it.
    if (end1.isLoaded() || end2.isLoaded())
        return;
    end1.show(true);
}

void countdownTick(shell::System& sys)
{
    shell::AppState& st = sys.state;
    shell::ExerciseWindows& windows = sys.exerciseWindows();
    const exam::CountdownTick t = exam::countdownTick(st.StudyMode, st.MinutesLeft);
    if (t.stop) {
        windows.stopCountdown();
        return;
    }
    windows.showClock(st.MinutesLeft);
    st.MinutesLeft = t.minutesLeft;
    if (!t.timeUp)
        return;
    // Stopped first: no further tick arrives while the message and the dialog are open.
    windows.stopCountdown();
    sys.services().messageBoxes->show(plat::MessageBoxes::Kind::Information,
        QStringLiteral("时间已到，自动交卷！"), st.ModuleName);
    openHandIn(sys);
}

} // namespace flow
