#pragma once

// File names as the system's data give them: "\" separators, names that differ from the files
// on disk in case ("ico12.CUR" for "ICO12.cur").

#include <QString>

#include <optional>

namespace plat {

// Turns the system's "\" separators into "/".
QString toNativeSeparators(const QString& systemPath);

// Finds an existing file or folder whose path matches `path` ignoring case in every component
// that does not match exactly. Returns the path as it is on disk, or `path` unchanged (with "/"
// separators) when nothing matches. Folder listings are cached and read again when a folder
// changes, so repeated look-ups cost a map search. When several names in a folder differ only
// in case and none matches exactly, the first in code-unit order wins. A relative path is
// resolved against the current folder and stays relative. Any thread: the listings are shared
// under a lock (pictures are loaded ahead on a worker).
QString resolvePath(const QString& path);

// Whether a file exists at `path`, found as resolvePath() finds it. A folder is not a file.
bool fileExists(const QString& path);

// A file as one stat finds it: its path as resolvePath() gives it, its size and its
// modification time to the nanosecond.
struct FileStamp {
    QString path;
    qint64 size = 0;
    qint64 seconds = 0;
    qint64 nanoseconds = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The file at `path`, found as resolvePath() finds it; none when no file is there (a folder is
// not a file). A path that names its file exactly costs one stat: the caches that check a file
// at every step load use it.
std::optional<FileStamp> stampOf(const QString& path);

// Forgets the cached folder listings (tests that create files under a cached folder within the
// same second use it). Look-ups already read a folder again when a name is missing from a
// listing younger than a few seconds, or when a name found in a listing no longer exists, so
// this is rarely needed.
void clearPathCache();

} // namespace plat
