#pragma once

// The module-level state that the windows share (names as the system gives them). One instance
// lives in the application object; nothing here is a process global, so each test builds its own.

#include "core/exercisemodes.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace records {
struct RunState;
}

namespace shell {

// The questions of every mock and random paper.
inline constexpr int kPaperQuestions = 40;
// The length of an examination in minutes: a paper's clock counts down from it.
inline constexpr int16_t kExamMinutes = 50;

// A per-question table indexed 1..500 by question number, as the records count questions
// from 1. An index outside the bounds reaches a scratch cell instead of memory beyond the
// table: a write there is lost and a read gives the default value.
template <class T> class PerQuestion {
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 500;
    static bool inBounds(int q) { return q >= kFirst && q <= kLast; }
    T& operator()(int q)
    {
        if (!inBounds(q)) {
            scratch_ = T {};
            return scratch_;
        }
        return cells_[q - kFirst];
    }
    T operator()(int q) const { return inBounds(q) ? cells_[q - kFirst] : T {}; }
    void fill(const T& v) { cells_.fill(v); }

private:
    std::array<T, kLast - kFirst + 1> cells_ {};
    T scratch_ {};
};

struct AppState {
    // Display scaling: design twips at 96 dpi times these give the display's twips.
    double ScaleX = 1.0;
    double ScaleY = 1.0;

    // Module and product information.
    std::array<QString, 41> ProductInfo {}; // 0..40
    QString ModuleName; // ver.txt line 1
    QString ModuleShortName; // ver.txt line 2
    int16_t ModuleNo = 0; // ver.txt line 4
    QString SkinPath; // module data folder, ending in "/"
    QString AppTitle; // ProductInfo(0) & ProductInfo(9) & "——" & ModuleName & "模块"
    QString BankVersion; // 12-digit stamp YYYYMMDDHHMM
    QString OsVersion; // "major.minor" or "Unknown"

    // Dialog answers and what the dialogs read of other windows.
    int MsgResult = 0; // answer of FrmMTMSGBOX: the caller sets 0, confirm sets 1
    // Set by the home screen before it opens the updater window, so that the window shows itself.
    int16_t UpdaterVisible = 0;
    // The home window's LblInfo(0) caption (its question-bank version text), which the about
    // box shows; the home window supplies it. Unset reads as empty.
    std::function<QString()> BankVersionText {};

    // Per-unit table (unit 0..40, column 1..4): unit name, question count, count of unlearned
    // questions, learned flags. Column 0 is unused so that the columns keep their numbers.
    std::array<std::array<QString, 5>, 41> ModuleSettings {};

    // Exercise and window state that start-up sets.
    int16_t SetNo = 0; // number of the set within the study mode
    int16_t DemoActive = 0; // -1 while the demonstration runs

    // The exercise: set by the exercise launch, read and advanced by the step engine.
    int16_t StudyMode = 0; // kind of question set; StudyMode + SetNo numbers its files
    int16_t RecordNo = 0; // paper or unit whose learner records are updated
    int16_t PanelMode = 0; // 1 practice with step hints, 2 practice, 3 examination
    // The last question set built could not be written into the module folder (read-only or
    // full), so the launch names that cause rather than a question bank with files missing.
    bool SetNotWritten = false;
    // The two modes as the program decides on them; a number that names no mode reads as none.
    std::optional<shell::StudyMode> studyMode() const { return studyModeOf(StudyMode); }
    void setStudyMode(shell::StudyMode m) { StudyMode = codeOf(m); }
    std::optional<shell::PanelMode> panelMode() const { return panelModeOf(PanelMode); }
    void setPanelMode(shell::PanelMode m) { PanelMode = codeOf(m); }
    int16_t QuestionCount = 0; // questions in the exercise, at most 500
    int16_t CurrentQuestion = 1; // from 1
    int16_t CurrentStep = 1; // step of the current question in the practice window
    PerQuestion<int16_t> QuestionState {}; // sum of flags: 1 visited, 2 flagged, 4 done
    PerQuestion<int16_t> ResumeStep {}; // step at which the question resumes
    PerQuestion<int16_t> FirstStepTable {}; // line of the question's first step in StepFile
    PerQuestion<QString> QuestionIds {}; // 4-digit code uuqq
    // Names of the seven pictures last shown: background (0) and Image1..Image6 (1..6).
    PerQuestion<std::array<QString, 7>> QuestionPictures {};
    PerQuestion<QString> DoneBefore {}; // "T"/"F" from the learner records
    QString StepLine; // the current step record, shared by the practice and demonstration windows
    QString StepFile; // SkinPath & "2888" & NN & ".mxy"
    QString QuestionListFile; // SkinPath & "2888" & NN+50 & ".mxy"
    QString AnswerTextFile; // SkinPath & "288890" & ".mxy"
    QString CandidateName; // shown on the examination login and the question panel
    QString QuestionLine; // the current question's line of QuestionListFile
    int16_t MinutesLeft = kExamMinutes; // minutes left in an examination
    QString ExamStartTime; // "yyyy-mm-dd hh:mm:ss"; "-1" when no best score is to be recorded
    // While 0 the question panel refuses every unload; -1 just before a program-driven unload.
    int16_t PanelCanClose = 0;
    // Home command replayed when the home window reappears: 16 units, 17 papers, 18 favourites,
    // 19 wrong-question book; 0 none.
    int16_t DeferredCommand = 0;
    QString SeatNo; // two digits, entered at the examination login
    QString ShiftNo; // shown in the question panel
    QString ArchiveNo; // shown in the question panel
    QString IdCardNo; // 18 characters, entered at the examination login
    // Read from line 1 of the paper file by the home refresh.
    int16_t FixedPaperCount = 0;
    int16_t UnitCount = 0;
    // Input method of the answer fields, chosen in the question panel: when UseIme is not 0,
    // focusing an answer field activates KeyboardLayout (a keyboard-layout id).
    int16_t UseIme = 0;
    QString KeyboardLayout;

    // Run log and error reporting.
    QString LogPath; // empty until the start-up window hands over to the home window
    QString ErrSub;
    int ErrNo = 0;
    QString ErrDesc;
    // Where fail() hands a report (the running program's ReportError). Empty: failures are only
    // stored in ErrSub/ErrNo/ErrDesc. Arguments by value: a report that waits on the network
    // must keep its own copy while other handlers overwrite ErrSub/ErrNo/ErrDesc.
    std::function<void(QString tag, int number, QString description, QString extra)> errorSink {};

    // What the records layer keeps for this run (the open operation, the damaged records already
    // reported, what waits to be told to the learner); made by that layer on first use.
    std::shared_ptr<records::RunState> recordsRun {};
};

} // namespace shell
