#pragma once

// Module and product information: the product table, the module values derived from ver.txt
// and the vendor file, and the first-run settings of an installation.

#include "core/appstate.h"
#include "platform/status.h"

#include <QString>

#include <array>

namespace plat {
class Settings;
}

namespace shell {

// ProductInfo as it stands before any file is read.
std::array<QString, 41> defaultProductInfo();

// readInfo: fills ProductInfo (defaults, then "ver.txt" of the program folder, then
// "288901.mxy" of the module data folder, then every entry trimmed), ModuleName,
// ModuleShortName, SkinPath (programDir + "/" + data folder name + "/"), ModuleNo, the unit names
// ModuleSettings(u, 1) and AppTitle. On the first run of an installation (the marker
// "288892.mxy" of the data folder holds exactly "0") it writes the program's folder and name to
// the settings and then marks the run as done.
//
// `programName` is the program file's name without extension. Failures are reported under the
// tag "readInfo" and the reading goes on; a missing or unreadable file changes no entry.
void readInfo(AppState& state, plat::Settings& settings, const QString& programDir,
    const QString& programName);

// SetRegValue: writes one text value of the current user's settings under `keyPath`, the
// stand-in for the registry writer. The returned status is the write's.
plat::Status SetRegValue(plat::Settings& settings, const QString& keyPath, const QString& valueName,
    const QString& value);

} // namespace shell
