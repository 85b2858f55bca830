#pragma once

// The home screen's entry points: the exercise launch, the question-set builder and the end of
// practice, and the home-window panels built in their own files. The examination windows call
// the launch directly; a lower folder reaches the end of practice through the System's
// hand-overs (core/handovers.h).

#include <QString>

namespace shell {
class System;
}

namespace flow {

// startLianXi opens the exercise prepared in the shared state.
void startLianXi(shell::System& sys);
// InitShiTi builds question slot `slot` from a string of four-digit ids; returns the count built.
int InitShiTi(shell::System& sys, const QString& ids, int slot);
// EndLianXi: the records of the study mode, the panel and the simulated window closed, home.
void EndLianXi(shell::System& sys);

// The paper panel (cards, paper commands, random papers) and the favourites and wrong-question
// panels. The home window creates their controls inside its panel containers when it loads
// (build), runs their pass in its refresh (pass) and hands them the command indexes of their
// buttons and links (command).
void buildPaperPanel(shell::System& sys);
void paperPanelPass(shell::System& sys);
void paperCommand(shell::System& sys, int index);
void buildFavouritesPanels(shell::System& sys);
void favouritesPass(shell::System& sys);
void favouritesCommand(shell::System& sys, int index);

} // namespace flow
