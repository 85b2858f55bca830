#include "stepengine/keptlines.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QMutex>
#include <QMutexLocker>

#include <array>
#include <optional>

namespace stepengine {

namespace {
    struct Kept {
        QString path;
        plat::FileStamp stamp;
        QStringList lines;
    };

    // A load reads three files; a fourth place keeps the previous set's step file when a
    // practice moves between sets. The oldest is replaced first.
    struct KeptFiles {
        QMutex mutex {};
        std::array<std::optional<Kept>, 4> files {};
        size_t next = 0;
    };

    KeptFiles& keptFiles()
    {
        static KeptFiles instance;
        return instance;
    }
}

plat::Result<QStringList> keptLines(const QString& path)
{
    // One stat when the path names its file exactly, as the step files' paths do.
    const std::optional<plat::FileStamp> stamp = plat::stampOf(path);
    KeptFiles& kept = keptFiles();
    QMutexLocker lock(&kept.mutex);
    std::optional<Kept>* slot = nullptr;
    for (std::optional<Kept>& k : kept.files) {
        if (k && k->path == path) {
            slot = &k;
            break;
        }
    }
    if (stamp && slot && (*slot)->stamp == *stamp)
        return (*slot)->lines;
    lock.unlock();
    auto lines = plat::readLines(path);
    lock.relock();
    if (!slot || !*slot || (*slot)->path != path) {
        slot = &kept.files[kept.next];
        kept.next = (kept.next + 1) % kept.files.size();
    }
    if (lines.ok() && stamp)
        *slot = Kept { path, *stamp, lines.value() };
    else
        slot->reset();
    return lines;
}

} // namespace stepengine
