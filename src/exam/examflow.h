#pragma once

// The examination's entry points: the login a paper starts with, the hand-in confirmation and
// the countdown's minute tick. The home window and the question panel reach them through the
// System's hand-overs (core/handovers.h).

namespace shell {
class System;
}

namespace flow {

void showLogin(shell::System& sys);
void openHandIn(shell::System& sys);
void countdownTick(shell::System& sys);

} // namespace flow
