#pragma once

// The lines of the files a step reads at every load (the step file, the question file, the
// answer file), decoded once and kept while each file stays the same.

#include "platform/status.h"

#include <QString>
#include <QStringList>

namespace stepengine {

// The decoded lines of a text file, kept while its size and modification time (to the
// nanosecond) stay the same: a step change in a set of 500 questions reads no more than one in
// a set of 5. A file that is missing or cannot be read is tried again at every call, so its
// failure is reported as before, and a rewritten file is read afresh.
plat::Result<QStringList> keptLines(const QString& path);

} // namespace stepengine
