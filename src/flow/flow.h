#pragma once

// The hand-overs between the exercise windows, the examination windows and the home screen.
// Each window folder defines the entry points it owns, so a window starts another without
// including the other's form and the folders stay free of include cycles.

#include <QString>

namespace shell {
class System;
}

namespace flow {

// Home screen (src/home): the exercise launch, the question-set builder and the end of practice.
// startLianXi opens the exercise prepared in the shared state.
void startLianXi(shell::System& sys);
// InitShiTi builds question slot `slot` from a string of four-digit ids; returns the count built.
int InitShiTi(shell::System& sys, const QString& ids, int slot);
// EndLianXi: the records of the study mode, the panel and the simulated window unloaded, home.
void EndLianXi(shell::System& sys);

// Examination (src/exam): the login of a mock or random paper, the hand-in confirmation and the
// countdown's minute tick.
void showLogin(shell::System& sys);
void openHandIn(shell::System& sys);
void countdownTick(shell::System& sys);

// Home-window panels built in their own files: the paper panel (cards, paper commands, random
// papers) and the favourites and wrong-question panels. The home window creates their controls
// inside its panel containers when it loads (build), runs their pass in its refresh (pass) and
// hands them the command indexes of their buttons and links (command).
void buildPaperPanel(shell::System& sys);
void paperPanelPass(shell::System& sys);
void paperCommand(shell::System& sys, int index);
void buildFavouritesPanels(shell::System& sys);
void favouritesPass(shell::System& sys);
void favouritesCommand(shell::System& sys, int index);

} // namespace flow
