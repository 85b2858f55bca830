#pragma once

// The owner of the exercise windows: the only code that shows, hides, docks, folds and closes
// the simulated window FrmMain, the question panel FrmTm, the demonstration window FrmYanShi and
// the picture window FrmPicture, and that lets the panel be closed (PanelCanClose).

#include "core/exercisewindows.h"

namespace shell {
class System;
}

namespace flow {

class ExerciseWindowsOwner final : public shell::ExerciseWindows {
public:
    explicit ExerciseWindowsOwner(shell::System& sys);

    void openExercise(bool newSet) override;
    void resumeExercise() override;
    void leaveExercise() override;
    void endExercise() override;
    void closeExercise() override;

    void showPanel() override;
    void dockPanel() override;
    void foldPanel() override;
    void unfoldPanel() override;
    void panelOnTop() override;
    void restoreSimulatedWindow() override;
    void focusAnswerField() override;
    plat::Form& keyTarget() override;
    std::optional<std::pair<double, double>> simulatedWindowPlace() override;

    void showPicture() override;
    void hidePicture() override;

    void startDemonstration() override;
    void endDemonstration() override;

    void showClock(int minutesLeft) override;
    void stopCountdown() override;
    void reviewPaper(int count) override;

    QString questionText() override;
    void loadQuestion() override;
    void showStepHints() override;
    void questionCompleted() override;

private:
    shell::System& sys_;
};

// Installs the owner on `sys`.
void installExerciseWindows(shell::System& sys);

} // namespace flow
