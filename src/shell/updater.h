#pragma once

// The question-bank update: the update list's format, the decisions taken on it and the run that
// fetches newer files from the update server. The window that drives it is FrmUpdata.
//
// A listed file is never written in place: each download goes to a temporary file that replaces
// the old one only after a complete reply, and the bank version file advances only when every
// file the list asked for has arrived, so a file that failed is fetched again by the next check.

#include "core/appstate.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace plat {
class Http;
}

namespace shell {

// The time limits of the update's network waits, in milliseconds.
struct UpdateLimits {
    int listMs = 2000; // the update check (the fetch of the list)
    int downloadMs = 30000; // the local copy of the list and each listed file
    int advertMs = 5000; // the advert file, fetched while the window loads
};

// The local stamp of a file that does not exist: older than every listed stamp.
inline const QString kMissingFileStamp = QStringLiteral("190011011030");

// What the update check found.
enum class UpdateCheck {
    Failed, // no list: no server, time-out, error reply, or a reply that is not a list
    UpToDate, // the server's version is not newer than the installed one
    Newer, // the server holds a newer question bank
};

// The version stamp of an update list reply: the first 12 characters (or fewer, when the line is
// shorter) of its first line without surrounding spaces. Empty when that line does not begin
// with "20" (not a list).
QString serverBankVersion(const QString& reply);

// Ordinal text comparison, a prefix being smaller: the server's stamp is newer than the
// installed one. Any stamp is newer than the empty one (no bank version file).
bool isNewerVersion(const QString& server, const QString& installed);

// The verdict of the check on a reply of getHtmlStr (which gives the time-out text or "" when
// the fetch failed).
UpdateCheck judgeUpdateReply(const QString& reply, const QString& installed);

// One file line of the update list.
struct UpdateListEntry {
    QString folderPart {}; // local folder under the program folder: "" or a name ending in "/"
    QString stamp {}; // YYYYMMDDHHMM: when the server's copy last changed
    QString name {}; // as listed, with or without an extension

    // name & ".mxy" without an extension, else the name itself.
    QString localName() const;
    // name & ".rar" without an extension, else the name less its last four characters & ".rar".
    QString serverName() const;
};

// The file lines of a list. A line (spaces trimmed) is skipped when it begins "20" or has 18
// characters or fewer. Its first character picks the folder: "D" the module data folder
// `dataFolder`, "K" ksdata, "E" examdata, "M" the program folder; any other leaves the folder of
// the previous file line (the program folder at first).
std::vector<UpdateListEntry> parseUpdateList(const QStringList& lines, const QString& dataFolder);

// A name that stays in its folder: not empty, no "/" or "\", not "." or "..", no control
// characters. The list comes from the network; anything else is refused.
bool isPlainFileName(const QString& name);

// Whether a listed local name is the program's own file (its name & ".exe", in any case).
bool isProgramFile(const QString& localName, const QString& programName);

// A listed file is fetched when its local stamp is older than the listed one.
bool needsDownload(const QString& localStamp, const QString& serverStamp);

// The file's last change in local time as YYYYMMDDHHMM, or kMissingFileStamp.
QString localFileStamp(const QString& path);

// The module data folder's name: SkinPath less the program folder, without separators.
QString dataFolderName(const QString& skinPath, const QString& programDir);

// What one pass over the list did.
struct UpdateOutcome {
    int attempted = 0; // downloads tried
    int successful = 0; // downloads that arrived whole
    bool programFileFetched = false; // the program's file is in its "_bak" path, uprun.dll says so
    bool bankVersionReplaced = false; // every listed file arrived: the list is the new version
};

// The update run against one server. Failed steps are reported under the tag "tkup" and the
// run goes on; a download that fails is only counted.
class BankUpdater {
public:
    // `baseUrl` is the update server's base address; empty means no server is configured.
    BankUpdater(AppState& state, plat::Http& http, QString programDir, QString programName,
        QString baseUrl, UpdateLimits limits);

    // Addresses and files.
    QString fileBase() const; // base/up/plmrx/ModuleName/
    QString listUrl() const; // file base & data folder & "/288895.txt"
    QString advertUrl() const; // base/up/ad/ProductInfo(12)/170100.rar
    QString listCopyPath() const; // ksdata/288895.mxy
    QString bankVersionPath() const; // SkinPath 288895.mxy
    QString runFilePath() const; // uprun.dll: the path of the downloaded program file
    QString advertPath() const; // ksdata/170100.mxy

    // Downloads the home screen's advert file; its result does not matter.
    void fetchAdvert();
    // Fetches the list and compares its version with BankVersion.
    UpdateCheck check();
    // Downloads the list to its local copy, which the pass reads.
    bool fetchListCopy();
    // Downloads every listed file that is newer than the local one, and replaces the bank version
    // file with the list when all of them arrived.
    UpdateOutcome applyList();

private:
    QString programPath(const QString& relative) const;

    AppState& state;
    plat::Http& http;
    QString programDir {};
    QString programName {};
    QString baseUrl {};
    UpdateLimits limits {};
};

} // namespace shell
