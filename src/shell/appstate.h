#pragma once

// The module-level state that the windows share (names as the system gives them). One instance
// lives in the application object; nothing here is a process global, so each test builds its own.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>

namespace shell {

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
    // The home window's LblInfo(0) caption (its question-bank version text), which the about
    // box shows; the home window supplies it. Unset reads as empty.
    std::function<QString()> BankVersionText {};

    // Per-unit table (unit 0..40, column 1..4): unit name, question count, count of unlearned
    // questions, learned flags. Column 0 is unused so that the columns keep their numbers.
    std::array<std::array<QString, 5>, 41> ModuleSettings {};

    // Exercise and window state that start-up sets.
    int16_t SetNo = 0; // number of the set within the study mode
    int16_t DemoActive = 0; // -1 while the demonstration runs
    QString CandidateName; // shown on the examination login and the question panel

    // Run log and error reporting.
    QString LogPath; // empty until the start-up window hands over to the home window
    QString ErrSub;
    int ErrNo = 0;
    QString ErrDesc;
    // Where fail() hands a report (the running program's ReportError). Empty: failures are only
    // stored in ErrSub/ErrNo/ErrDesc. Arguments by value: a report that waits on the network
    // must keep its own copy while other handlers overwrite ErrSub/ErrNo/ErrDesc.
    std::function<void(QString tag, int number, QString description, QString extra)> errorSink {};
};

} // namespace shell
