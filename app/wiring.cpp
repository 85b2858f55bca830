#include "app/wiring.h"

#include "core/system.h"
#include "exam/examflow.h"
#include "flow/exercisewindowsowner.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"

namespace app {

void wire(shell::System& sys)
{
    flow::installExerciseWindows(sys);
    sys.handovers = {
        .endPractice = flow::EndLianXi,
        .openHandIn = flow::openHandIn,
        .countdownTick = flow::countdownTick,
        .showLogin = flow::showLogin,
        .showHome = [](shell::System& s) { flow::returnHome(s); },
        .prepareHome = home::FrmFengmian::prepare,
    };
}

} // namespace app
