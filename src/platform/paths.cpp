#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <ctime>
#include <optional>

#include <sys/stat.h>

namespace plat {

namespace {

    // How a folder looked when it was listed. A folder's modification time changes whenever an
    // entry is added, removed or renamed in it.
    struct FolderStamp {
        qint64 seconds = 0;
        qint64 nanoseconds = 0;
        quint64 inode = 0;
        quint64 device = 0;
        friend bool operator==(const FolderStamp&, const FolderStamp&) = default;
    };

    struct Listing {
        FolderStamp stamp;
        qint64 readAt = 0; // wall-clock seconds when the listing was read
        QSet<QString> names {}; // as on disk
        QHash<QString, QString> byFoldedName {}; // case-folded name -> name on disk
    };

    // Listings by absolute folder path. A function-local static that is never destroyed, so there
    // is no global constructor and no order-of-destruction problem at exit.
    QHash<QString, Listing>& listings()
    {
        static auto* const cache = new QHash<QString, Listing>;
        return *cache;
    }

    // Pictures are also loaded on a worker thread ahead of their showing.
    QMutex& listingsMutex()
    {
        static auto* const mutex = new QMutex;
        return *mutex;
    }

    // Beyond this many folders the cache starts again (it only ever holds folders the program
    // looked into, so this is a guard, not a working limit).
    constexpr qsizetype kMaxCachedFolders = 4096;

    // File timestamps come from a coarse clock (and some file systems keep whole or even
    // two seconds), so an entry added this soon after the folder's last change can leave its
    // modification time unchanged. A listing read at least this long after the folder's last
    // change is complete as long as the time has not changed; a younger one is read again on a
    // miss.
    constexpr qint64 kTimestampSlackSeconds = 3;

    QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

    bool pathExists(const QString& path)
    {
        struct stat st;
        return ::stat(encoded(path).constData(), &st) == 0;
    }

    std::optional<FolderStamp> folderStamp(const QString& folder)
    {
        struct stat st;
        if (::stat(encoded(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            return std::nullopt;
        return FolderStamp { qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec),
            quint64(st.st_ino), quint64(st.st_dev) };
    }

    qint64 nowSeconds() { return qint64(std::time(nullptr)); }

    Listing readListing(const QString& folder, const FolderStamp& stamp)
    {
        Listing listing;
        listing.stamp = stamp;
        listing.readAt = nowSeconds();
        QStringList names = QDir(folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
        // When several names differ only in case, the first in code-unit order wins, every time.
        std::sort(names.begin(), names.end());
        listing.names.reserve(names.size());
        listing.byFoldedName.reserve(names.size());
        // QHash::insert replaces, so go backwards to keep the first name for each folded key.
        for (auto it = names.crbegin(); it != names.crend(); ++it) {
            listing.names.insert(*it);
            listing.byFoldedName.insert(it->toCaseFolded(), *it);
        }
        return listing;
    }

    enum class Fresh { IfChanged, Always };

    struct Lookup {
        std::optional<QString> name {}; // as on disk
        bool folderMissing = false;
        bool fromCache = false;
    };

    // Finds `name` in `folder` (an absolute path): exact first, then ignoring case.
    Lookup lookUp(const QString& folder, const QString& name, Fresh fresh)
    {
        Lookup result;
        const std::optional<FolderStamp> stamp = folderStamp(folder);
        const QMutexLocker lock(&listingsMutex());
        auto& cache = listings();
        if (!stamp) {
            cache.remove(folder);
            result.folderMissing = true;
            return result;
        }

        auto find = [&name](const Listing& listing) -> std::optional<QString> {
            if (listing.names.contains(name))
                return name;
            const auto it = listing.byFoldedName.constFind(name.toCaseFolded());
            if (it != listing.byFoldedName.cend())
                return *it;
            return std::nullopt;
        };

        auto it = cache.find(folder);
        if (it != cache.end() && fresh == Fresh::IfChanged && it->stamp == *stamp) {
            result.name = find(*it);
            result.fromCache = true;
            // A miss in a listing that may predate a change in the same timestamp tick: read again.
            const bool settled = it->readAt - stamp->seconds >= kTimestampSlackSeconds;
            if (result.name || settled)
                return result;
        }

        if (cache.size() >= kMaxCachedFolders && !cache.contains(folder))
            cache.clear();
        it = cache.insert(folder, readListing(folder, *stamp));
        result.name = find(*it);
        result.fromCache = false;
        return result;
    }

    QString joined(const QString& base, const QString& name)
    {
        if (base.isEmpty())
            return name;
        if (base.endsWith(QLatin1Char('/')))
            return base + name;
        return base + QLatin1Char('/') + name;
    }

    enum class WalkEnd {
        Found, // every component matched
        Missing, // a component is not in its folder's listing
        Suspect, // a folder along the way is gone: a cached listing may have been out of date
    };

    struct Walk {
        WalkEnd end = WalkEnd::Missing;
        QString path {};
        bool usedCache = false;
    };

    // Resolves `native` ("/" separators) component by component.
    Walk walk(const QString& native, Fresh fresh)
    {
        Walk w;
        const bool absolute = native.startsWith(QLatin1Char('/'));
        QString shown = absolute ? QStringLiteral("/") : QString(); // in the caller's form
        QString folder = absolute ? QStringLiteral("/") : QDir::currentPath(); // absolute
        const QStringList parts = native.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (const QString& part : parts) {
            QString name = part;
            if (part != QLatin1String(".") && part != QLatin1String("..")) {
                const Lookup found = lookUp(folder, part, fresh);
                w.usedCache = w.usedCache || found.fromCache;
                if (!found.name) {
                    w.end = found.folderMissing ? WalkEnd::Suspect : WalkEnd::Missing;
                    return w;
                }
                name = *found.name;
            }
            shown = joined(shown, name);
            folder = joined(folder, name);
        }
        if (native.endsWith(QLatin1Char('/')) && !shown.endsWith(QLatin1Char('/')))
            shown += QLatin1Char('/');
        w.path = shown;
        // A broken symbolic link is listed but does not exist; anything else that does not exist
        // came from an out-of-date listing.
        w.end = pathExists(shown) ? WalkEnd::Found : WalkEnd::Suspect;
        return w;
    }

} // namespace

QString toNativeSeparators(const QString& systemPath)
{
    QString path = systemPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

namespace {
    // resolvePath() for a path that does not exist as written.
    QString resolveMissing(const QString& native)
    {
        Walk w = walk(native, Fresh::IfChanged);
        if (w.end == WalkEnd::Suspect && w.usedCache)
            w = walk(native, Fresh::Always);
        if (w.end == WalkEnd::Missing || w.path.isEmpty())
            return native;
        return w.path; // Found, or a listed entry that does not resolve (a broken link)
    }

    std::optional<FileStamp> stampFrom(const QString& native, const struct stat& st)
    {
        if (!S_ISREG(st.st_mode))
            return std::nullopt;
        return FileStamp { native, qint64(st.st_size), qint64(st.st_mtim.tv_sec),
            qint64(st.st_mtim.tv_nsec) };
    }
}

QString resolvePath(const QString& path)
{
    const QString native = toNativeSeparators(path);
    if (native.isEmpty() || pathExists(native))
        return native;
    return resolveMissing(native);
}

std::optional<FileStamp> stampOf(const QString& path)
{
    const QString native = toNativeSeparators(path);
    if (native.isEmpty())
        return std::nullopt;
    struct stat st;
    // What is there as written is what resolvePath() gives, file or not.
    if (::stat(encoded(native).constData(), &st) == 0)
        return stampFrom(native, st);
    const QString resolved = resolveMissing(native);
    if (resolved == native || ::stat(encoded(resolved).constData(), &st) != 0)
        return std::nullopt;
    return stampFrom(resolved, st);
}

bool fileExists(const QString& path)
{
    const QString resolved = resolvePath(path);
    if (resolved.isEmpty())
        return false;
    struct stat st;
    return ::stat(encoded(resolved).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

void clearPathCache()
{
    const QMutexLocker lock(&listingsMutex());
    listings().clear();
}

} // namespace plat
