#pragma once

// What the examination windows show of the others: the question panel's clock and the home
// window. The exercise windows themselves are shown, docked and closed by their owner.

#include <QString>

namespace shell {
class System;
}

namespace exam {

// A question slot's number in a file name: two digits ("07", "19", "69").
QString slotDigits(int n);
// The time as the examination records hold it: "yyyy-mm-dd hh:mm:ss".
QString examTimeNow();

// The panel's clock shows MinutesLeft and its elapsed share.
void resetPanelClock(shell::System& sys);
// The home window, rebuilt by its load.
void showHome(shell::System& sys);

} // namespace exam
