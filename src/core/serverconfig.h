#pragma once

// The one place that says where the program's servers are. Both addresses are empty unless the
// installation configures them, and an empty address means that service is not used: error
// reports then go to the run log only.

#include <QString>

namespace shell {

struct ServerConfig {
    QString reportBaseUrl {}; // error-report server, e.g. "http://host:8080"; the path is added
    QString updateBaseUrl {}; // update server (update list, file downloads, advert file)
};

// Reads the optional "server.ini" of the program folder:
//   [server]
//   report=http://host:8080
//   update=http://host:8080
// A missing file or key leaves that address empty; surrounding spaces and trailing "/" are
// removed so that callers can append their paths.
ServerConfig readServerConfig(const QString& programDir);

} // namespace shell
