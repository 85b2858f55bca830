#pragma once

// The module-level state that the windows share (names as the system gives them). One instance
// lives in the application object; nothing here is a process global, so each test builds its own.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

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

    // Run log and error reporting.
    QString LogPath; // empty until the start-up window hands over to the home window
    QString ErrSub;
    int ErrNo = 0;
    QString ErrDesc;
};

} // namespace shell
