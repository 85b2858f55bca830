#pragma once

// Reading and writing the record and home data files: the conventions every file of this
// folder shares, written once.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace shell {
class ErrorSite;
struct AppState;
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
// A failure is reported and leaves the old file as it was. A file whose bytes would not change
// is not written at all. Inside an operation (operation.h) the new contents wait for its commit,
// and every read of this layer sees them meanwhile.
bool write(const QString& path, const QStringList& lines, const shell::ErrorSite& site);
// Moves a file over another without changing its bytes: afterwards `to` holds what `from` held
// (or nothing when `from` is missing) and `from` is gone.
bool moveOver(const QString& from, const QString& to, const shell::ErrorSite& site);

// Why a change of the records folder did not reach the disk, as the learner is told it.
// Unreadable: a record the change starts from is there but cannot be read, so nothing is written.
enum class Failure { None, FolderFull, FolderNotWritable, Unreadable, Other };

// A failure put in the way of the records folder's changes, for tests: the hook is asked before
// every change made on disk (a file written or removed, the journal written or removed) and
// None lets it happen. A hook that fails every change from the k-th on is a crash at change k.
using FaultHook = std::function<Failure(const QString& path)>;
void setFaultHook(FaultHook hook); // an empty hook: no faults
// A record that cannot be read, for tests: true makes the file at `path` unreadable to this
// layer, as a file without read permission is to any user but the superuser.
using ReadFaultHook = std::function<bool(const QString& path)>;
void setReadFaultHook(ReadFaultHook hook);
// The hook's answer for a change made on disk some other way (a journal renamed aside); false,
// reported and put into `failure` (when given), when it fails.
bool allowed(const QString& path, const shell::ErrorSite& site, Failure* failure = nullptr);

// A record file's name ("288862.mxy"), nothing else: no separators, no NUL that would cut the
// name short.
bool isRecordName(const QString& name);

// The changes on disk, each through the fault hook; a failure is reported, classified into
// `failure` (when given) and leaves the file as it was. A name that holds something other than
// a readable record file (a link, a folder, an oversized or unreadable file) is set aside first
// (see below), so a write replaces the name and never a link's target. A removal syncs the
// folder.
bool putBytes(const QString& path, const QByteArray& bytes, const shell::ErrorSite& site,
    Failure* failure = nullptr);
bool removeFile(const QString& path, const shell::ErrorSite& site, Failure* failure = nullptr);
// The bytes of a file as this layer reads it (a change waiting in the run's operation first);
// nullopt when it is missing.
std::optional<QByteArray> bytesOf(const QString& path, const shell::ErrorSite& site);

// A record file that cannot be read as its format (bytes that are not text in the code page,
// control characters, lines of the wrong shape for its name) is damaged. Before it is replaced
// it is copied byte for byte beside itself, as "<name>.damaged-yyyyMMdd-HHmm", and reported;
// the copy's name waits in a list the windows take once to tell the learner.
//
// A name in the records folder that is not a readable record file at all (a link, a folder, a
// file over the data-file limit or one that cannot be read) is damaged too: it reads as a
// missing record (a link's target is never read) and, before anything is written or removed
// under its name, it is itself renamed aside the same way (the link as a link, the file whole).
bool isDamaged(const QString& path, const QByteArray& bytes);
// False when a damaged record could not be kept aside: it must not be replaced then.
[[nodiscard]] bool setAsideIfDamaged(const QString& path, const shell::ErrorSite& site);
// Whether something other than a readable record file has the record's name.
bool isForeignEntry(const QString& path);
struct SetAside {
    QString file; // the record's name ("288862.mxy")
    QString copy; // the name it is kept under
};
// The records set aside in this run since the last time, each once.
QList<SetAside> takeSetAside(shell::AppState& state);
// Renames whatever has the name `path` aside as "<name>.damaged-<stamp>" (the caller has asked
// the fault hook); the new name, or nothing (reported) when it could not be renamed. Not listed
// for the learner: the caller says what it was.
std::optional<QString> renameAside(
    const QString& path, const QString& stampFormat, const shell::ErrorSite& site);

namespace detail {
    // The changes an open operation holds back, by file, in the order first made; nullopt
    // removes the file.
    struct Staging {
        QStringList order;
        QHash<QString, std::optional<QByteArray>> changes;
        void put(const QString& path, std::optional<QByteArray> bytes);
        const std::optional<QByteArray>* find(const QString& path) const;
    };
}

// Reports chunks of an id list that are not question ids (they are skipped).
void reportRejected(const QString& path, const QStringList& rejected, const shell::ErrorSite& site);
// Reports something that is not done because the data are outside what the files can hold.
void reportRefused(const QString& path, const QString& why, const shell::ErrorSite& site);

} // namespace records::io

namespace records {

// What this layer keeps for one program run, on the run's shared state (so two runs in one
// process never see each other's): the changes of the operation open now, the damaged records
// already reported, and what waits to be told to the learner.
struct RunState {
    io::detail::Staging* staging = nullptr;
    QSet<QString> reported {};
    QList<io::SetAside> setAside {};
    QStringList journalNotices {};
};
RunState& runOf(shell::AppState& state);
RunState& runOf(const shell::ErrorSite& site);

} // namespace records
