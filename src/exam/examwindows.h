#pragma once

// What the examination windows do to the other windows of an exercise: start the examination
// after the login, dock the question panel, reset its clock, close the examination at the final
// hand-in, and go home.

#include <QString>

namespace shell {
class System;
}

namespace exam {

// A question slot's number in a file name: two digits ("07", "19", "69").
QString slotDigits(int n);
// The time as the examination records hold it: "yyyy-mm-dd hh:mm:ss".
QString examTimeNow();

// The panel's load timer, then the simulated window and the panel.
void startExamination(shell::System& sys);
// The panel at the simulated window's bottom-right corner.
void dockPanel(shell::System& sys);
// The panel's clock shows MinutesLeft and its elapsed share.
void resetPanelClock(shell::System& sys);
// The final hand-in: a running demonstration ends and the picture window hides, so nothing of
// the examination stays over the score sheet; then the panel and the simulated window unload.
void closeExaminationWindows(shell::System& sys);
// The home window, rebuilt by its load.
void showHome(shell::System& sys);

} // namespace exam
