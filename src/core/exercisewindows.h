#pragma once

// What a window may ask of the windows of a running exercise: the simulated window, the
// question panel, the demonstration window and the picture window. One owner (flow/) shows,
// docks, folds and closes them and decides when the panel may be closed; the windows and the
// examination reach it through this interface, never through another window's form.

#include <QString>

#include <optional>

namespace plat {
class Form;
}

namespace shell {

class ExerciseWindows {
public:
    virtual ~ExerciseWindows() = default;

    // Whole exercise.
    // The panel reloads the current question (and, for `newSet`, sets its buttons for the study
    // mode); it may not be closed; both windows show, the simulated window in front.
    virtual void openExercise(bool newSet) = 0;
    // The panel may not be closed again and the simulated window shows: the exercise goes on
    // after a dialog that hid it.
    virtual void resumeExercise() = 0;
    // The end of practice in two steps: the picture window hides and the panel folds while the
    // records are written (leave), then the panel and the simulated window close (end).
    virtual void leaveExercise() = 0;
    virtual void endExercise() = 0;
    // Every exercise window closes at once: a running demonstration ends without handing back,
    // the picture hides, the panel and the simulated window unload.
    virtual void closeExercise() = 0;

    // Placement.
    virtual void showPanel() = 0; // the panel docked and shown again after a dialog hid it
    virtual void dockPanel() = 0; // the panel at the simulated window's bottom-right corner
    virtual void foldPanel() = 0; // the panel as its strip at the simulated window's bottom-left
    virtual void unfoldPanel() = 0; // the panel full size and docked, the simulated window restored
    virtual void panelOnTop() = 0; // the panel above every other window
    virtual void restoreSimulatedWindow() = 0; // restored from minimized and activated
    virtual void focusAnswerField() = 0; // the simulated window restored, its first field focused
    // The window that takes the keys typed into the panel: the simulated window.
    virtual plat::Form& keyTarget() = 0;
    // Where the simulated window lies in twips, when it is open and neither minimized nor
    // maximized.
    virtual std::optional<std::pair<double, double>> simulatedWindowPlace() = 0;

    // The question's picture window.
    virtual void showPicture() = 0;
    virtual void hidePicture() = 0;

    // The demonstration: started from the panel, the practice windows hidden meanwhile; its end
    // shows them again and the panel shows its question afresh.
    virtual void startDemonstration() = 0;
    virtual void endDemonstration() = 0;

    // What an examination drives on the panel.
    virtual void showClock(int minutesLeft) = 0; // the clock: minutes left, the bar of those gone
    virtual void stopCountdown() = 0; // the countdown timer off
    // A review of a paper's questions: number buttons only up to `count`, no unit in the title
    // bar, the panel docked and its countdown off.
    virtual void reviewPaper(int count) = 0;

    // What one window shows of another's.
    virtual QString questionText() = 0; // the question as the panel shows it
    virtual void loadQuestion() = 0; // the simulated window takes the current question and its step
    virtual void showStepHints() = 0; // the simulated window's hint and frames, shown as placed
    virtual void questionCompleted() = 0; // the panel's unfinished list and title updated
};

} // namespace shell
