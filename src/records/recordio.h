#pragma once

// Reading and writing the record and home data files: the conventions every file of this
// folder shares, written once.

#include <QString>
#include <QStringList>

#include <optional>

namespace shell {
class ErrorSite;
}

namespace records::io {

enum class Missing { Silent, Reported };

// The lines of a file, at most `maxLines` of them (all when negative). nullopt when the file is
// missing (reported only with Missing::Reported) or cannot be read (always reported).
std::optional<QStringList> readLines(const QString& path, const shell::ErrorSite& site,
    int maxLines = -1, Missing missing = Missing::Silent);
// The same, with an unreadable file read as no lines.
QStringList linesOrNone(const QString& path, const shell::ErrorSite& site, int maxLines = -1);
// Line 1 of a single-line file, without leading and trailing spaces; empty for a missing file.
QString readLine1(const QString& path, const shell::ErrorSite& site);

// What a rewrite starts from: the file's lines (at most `maxLines`), none for a missing file, and
// nullopt when the file is there but cannot be read (reported). A rewrite from nothing would
// lose what such a file holds, so the caller leaves it alone.
std::optional<QStringList> linesToRewrite(
    const QString& path, const shell::ErrorSite& site, int maxLines = -1);
// Line 1 without leading and trailing spaces, for a rewrite, likewise.
std::optional<QString> line1ToRewrite(const QString& path, const shell::ErrorSite& site);

// Rewrites a whole file through the atomic save, creating the folder when it is missing.
// A failure is reported and leaves the old file as it was.
bool write(const QString& path, const QStringList& lines, const shell::ErrorSite& site);

// Reports chunks of an id list that are not question ids (they are skipped).
void reportRejected(const QString& path, const QStringList& rejected, const shell::ErrorSite& site);
// Reports something that is not done because the data are outside what the files can hold.
void reportRefused(const QString& path, const QString& why, const shell::ErrorSite& site);

} // namespace records::io
