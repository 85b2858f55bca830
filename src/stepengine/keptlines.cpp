#include "stepengine/keptlines.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QMutex>
#include <QMutexLocker>

#include <array>
#include <filesystem>
#include <optional>

namespace stepengine {

namespace {
    struct Kept {
        QString path;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified {};
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
    std::error_code ec;
    const std::filesystem::path file(plat::resolvePath(path).toStdString());
    const auto size = std::filesystem::file_size(file, ec);
    const auto modified
        = ec ? std::filesystem::file_time_type {} : std::filesystem::last_write_time(file, ec);
    KeptFiles& kept = keptFiles();
    QMutexLocker lock(&kept.mutex);
    std::optional<Kept>* slot = nullptr;
    for (std::optional<Kept>& k : kept.files) {
        if (k && k->path == path) {
            slot = &k;
            break;
        }
    }
    if (!ec && slot && (*slot)->size == size && (*slot)->modified == modified)
        return (*slot)->lines;
    lock.unlock();
    auto lines = plat::readLines(path);
    lock.relock();
    if (!slot || !*slot || (*slot)->path != path) {
        slot = &kept.files[kept.next];
        kept.next = (kept.next + 1) % kept.files.size();
    }
    if (lines.ok() && !ec)
        *slot = Kept { path, size, modified, lines.value() };
    else
        slot->reset();
    return lines;
}

} // namespace stepengine
