#pragma once

// The home screen's entry points: the exercise launch, the question-set builder, the end of
// practice and the way back home, and the home-window panels built in their own files. The
// examination windows call them directly; a lower folder reaches the end of practice and the
// home window through the System's hand-overs (core/handovers.h).

#include "core/appstate.h"
#include "core/exercisemodes.h"

#include <QString>

#include <functional>
#include <optional>

namespace shell {
class System;
}

namespace flow {

using shell::kPaperQuestions;
// The question slot every built set shares: a built set's SetNo makes StudyMode + SetNo this.
inline constexpr int kBuiltSlot = 19;
constexpr int builtSetNo(shell::StudyMode m) { return kBuiltSlot - shell::codeOf(m); }

// An exercise as a home command or the score sheet asks for it.
struct ExerciseRequest {
    shell::StudyMode studyMode = shell::StudyMode::WholeUnit;
    int setNo = 0;
    std::optional<int> recordNo {}; // the paper or unit whose records it updates; unset: kept
    shell::PanelMode panelMode = shell::PanelMode::Practice;
    // The questions, four-digit ids one after the other, built into slot studyMode + setNo.
    QString ids {};
    // The slot's files come with the module (a whole unit): the ids are taken as they are.
    bool shippedSlot = false;
    // A paper counts its 40 questions, however many were built.
    std::optional<int> questionCount {};
    // DoneBefore of question i, "T" or "F" as the records say; unset: "F" for every question.
    std::function<QString(int)> doneBefore {};
};

// prepareExercise fills the shared state of a request: modes, set, record, questions and their
// marks (state 4, done, where DoneBefore is "T"), and returns how many questions the set holds
// (0 when it could not be built); startLianXi opens the exercise so prepared.
int prepareExercise(shell::System& sys, const ExerciseRequest& request);
// Why a set could not be built when its question files could not be written (SetNotWritten),
// as the windows tell it after naming the files.
inline constexpr char16_t kNotWrittenToModuleFolder[]
    = u"无法写入模块文件夹（文件夹只读或磁盘已满），";
void startLianXi(shell::System& sys);
// InitShiTi builds question slot `slot` from a string of four-digit ids; returns the count built.
int InitShiTi(shell::System& sys, const QString& ids, int slot);
// EndLianXi: the records of the study mode, the panel and the simulated window closed, home.
void EndLianXi(shell::System& sys);
// The one way back to the home window, for every window that returns there. A page command (a
// tab of ClickBotn, home/homecommands.h) is replayed on TimFH once the window is up, so that it
// comes back on that page; 0 leaves it as its load shows it.
void returnHome(shell::System& sys, int pageCommand = 0);

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
