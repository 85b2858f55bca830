#include "flow/exercisewindowsowner.h"

#include "core/system.h"
#include "demo/frmyanshi.h"
#include "exercise/frmpicture.h"
#include "exercise/frmtm.h"
#include "platform/picture.h"
#include "stepengine/stepengine.h"
#include "workspace/frmmain.h"

namespace flow {

ExerciseWindowsOwner::ExerciseWindowsOwner(shell::System& sys)
    : sys_(sys)
{
}

void installExerciseWindows(shell::System& sys)
{
    sys.setExerciseWindows(std::make_unique<ExerciseWindowsOwner>(sys));
}

// Whole exercise ----------------------------------------------------------------------------

void ExerciseWindowsOwner::openExercise(bool newSet)
{
    auto& tm = sys_.form<exercise::FrmTm>();
    sys_.state.PanelCanClose = 0;
    tm.ui().TimerREDO.setEnabled(true);
    if (newSet)
        tm.ui().TimKsModel.setEnabled(true);
    // The simulated window last: the learner's keys go to it.
    tm.show();
    sys_.form<workspace::FrmMain>().show();
}

void ExerciseWindowsOwner::resumeExercise()
{
    sys_.state.PanelCanClose = 0;
    sys_.form<workspace::FrmMain>().show();
}

void ExerciseWindowsOwner::leaveExercise()
{
    auto& tm = sys_.form<exercise::FrmTm>();
    if (tm.isLoaded()) {
        tm.putPictureAway();
        foldPanel();
    } else {
        hidePicture();
    }
}

void ExerciseWindowsOwner::endExercise()
{
    auto& tm = sys_.form<exercise::FrmTm>();
    if (tm.isLoaded()) {
        tm.ui().TimeKS.setEnabled(false);
        tm.ui().TimStartYS.setEnabled(false);
        tm.ui().TimerREDO.setEnabled(false);
    }
    sys_.state.PanelCanClose = -1;
    sys_.form<workspace::FrmMain>().unload();
    tm.unload();
}

void ExerciseWindowsOwner::closeExercise()
{
    shell::AppState& st = sys_.state;
    // The flag goes first: a demonstration closed with it on hands back to the practice windows.
    st.DemoActive = 0;
    auto& demo = sys_.form<demo::FrmYanShi>();
    if (demo.isLoaded())
        demo.unload();
    hidePicture();
    st.PanelCanClose = -1;
    sys_.form<exercise::FrmTm>().unload();
    sys_.form<workspace::FrmMain>().unload();
    // The exercise's step pictures are not shown again before another exercise starts, and the
    // window that follows (home or the score sheet) would otherwise add its own to them.
    plat::clearPictureCache();
}

// Placement ---------------------------------------------------------------------------------

void ExerciseWindowsOwner::showPanel()
{
    dockPanel();
    sys_.form<exercise::FrmTm>().show();
}

void ExerciseWindowsOwner::dockPanel()
{
    auto& tm = sys_.form<exercise::FrmTm>();
    auto& main = sys_.form<workspace::FrmMain>();
    tm.setLeft(main.left() + main.width() - tm.width());
    tm.setTop(main.top() + main.height() - tm.height());
}

void ExerciseWindowsOwner::foldPanel()
{
    auto& tm = sys_.form<exercise::FrmTm>();
    auto& main = sys_.form<workspace::FrmMain>();
    auto& ui = tm.ui();
    tm.setWidth(ui.FrmZXH.width());
    tm.setHeight(ui.FrmZXH.height());
    tm.setLeft(main.left());
    tm.setTop(main.top() + main.height() - tm.height());
    ui.FrmZXH.setVisible(true);
}

void ExerciseWindowsOwner::unfoldPanel()
{
    const shell::AppState& st = sys_.state;
    restoreSimulatedWindow();
    auto& tm = sys_.form<exercise::FrmTm>();
    tm.setWidth(4980 * st.ScaleX);
    tm.setHeight(3630 * st.ScaleY);
    dockPanel();
    tm.ui().FrmZXH.setVisible(false);
}

void ExerciseWindowsOwner::panelOnTop() { stepengine::putTopMost(sys_.form<exercise::FrmTm>()); }

void ExerciseWindowsOwner::restoreSimulatedWindow()
{
    auto& main = sys_.form<workspace::FrmMain>();
    main.setWindowState(0);
    main.show();
}

void ExerciseWindowsOwner::focusAnswerField()
{
    restoreSimulatedWindow();
    sys_.form<workspace::FrmMain>().focusAnswerField();
}

plat::Form& ExerciseWindowsOwner::keyTarget() { return sys_.form<workspace::FrmMain>(); }

std::optional<std::pair<double, double>> ExerciseWindowsOwner::simulatedWindowPlace()
{
    auto& main = sys_.form<workspace::FrmMain>();
    if (!main.isLoaded() || main.windowState() != 0)
        return std::nullopt;
    return std::pair { main.left(), main.top() };
}

// The picture window ------------------------------------------------------------------------

void ExerciseWindowsOwner::showPicture() { sys_.form<exercise::FrmPicture>().showCentred(); }

void ExerciseWindowsOwner::hidePicture()
{
    auto& picture = sys_.form<exercise::FrmPicture>();
    if (picture.isLoaded())
        picture.hide();
}

// The demonstration -------------------------------------------------------------------------

void ExerciseWindowsOwner::startDemonstration()
{
    // Hidden, not unloaded: the exercise's state stays as it is for the demonstration's end.
    sys_.form<workspace::FrmMain>().hide();
    sys_.form<exercise::FrmTm>().hide();
    sys_.form<demo::FrmYanShi>().show();
}

void ExerciseWindowsOwner::endDemonstration()
{
    auto& tm = sys_.form<exercise::FrmTm>();
    tm.ui().TimerREDO.setEnabled(true);
    tm.show();
    // The simulated window last, as an exercise opens: a window takes the keyboard when it maps,
    // and the learner's next key belongs to the simulated window, not to the panel.
    sys_.form<workspace::FrmMain>().show();
}

// What an examination drives on the panel ---------------------------------------------------

void ExerciseWindowsOwner::showClock(int minutesLeft)
{
    sys_.form<exercise::FrmTm>().showClock(minutesLeft);
}

void ExerciseWindowsOwner::stopCountdown() { sys_.form<exercise::FrmTm>().stopCountdown(); }

void ExerciseWindowsOwner::reviewPaper(int count)
{
    sys_.form<exercise::FrmTm>().showPaperReview(count);
    dockPanel();
    stopCountdown();
}

// What one window shows of another's ---------------------------------------------------------

QString ExerciseWindowsOwner::questionText()
{
    return sys_.form<exercise::FrmTm>().ui().RtbTM.text().trimmed();
}

void ExerciseWindowsOwner::loadQuestion() { sys_.form<workspace::FrmMain>().loadQuestion(); }

void ExerciseWindowsOwner::showStepHints() { sys_.form<workspace::FrmMain>().showStepHints(); }

void ExerciseWindowsOwner::questionCompleted() { sys_.form<exercise::FrmTm>().showQuestionDone(); }

} // namespace flow
