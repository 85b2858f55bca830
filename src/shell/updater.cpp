#include "shell/updater.h"

#include "core/errorreport.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/status.h"
#include "platform/text.h"
#include "records/recordfiles.h"
#include "shell/htmlfetch.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace shell {

namespace {

    const QString kTag = QStringLiteral("tkup");
    // The run-time error number for a file name that cannot be used.
    constexpr int kBadFileName = 52;

} // namespace

QString serverBankVersion(const QString& reply)
{
    const QStringList lines = plat::splitLines(reply);
    const QString first = lines.isEmpty() ? QString() : plat::trimSpaces(lines.first());
    // Compared as text, unpadded: a year alone is a prefix of every stamp of that year and so
    // never newer than one of them.
    if (!first.startsWith(QStringLiteral("20")))
        return {};
    return first.left(12);
}

bool isNewerVersion(const QString& server, const QString& installed)
{
    return QString::compare(server, installed, Qt::CaseSensitive) > 0;
}

UpdateCheck judgeUpdateReply(const QString& reply, const QString& installed)
{
    const QString server = serverBankVersion(reply);
    if (server.isEmpty())
        return UpdateCheck::Failed;
    return isNewerVersion(server, installed) ? UpdateCheck::Newer : UpdateCheck::UpToDate;
}

QString UpdateListEntry::localName() const
{
    return name.contains(QLatin1Char('.')) ? name : name + QStringLiteral(".mxy");
}

QString UpdateListEntry::serverName() const
{
    const QString stem = name.contains(QLatin1Char('.')) ? name.left(name.size() - 4) : name;
    return stem + QStringLiteral(".rar");
}

std::vector<UpdateListEntry> parseUpdateList(const QStringList& lines, const QString& dataFolder)
{
    std::vector<UpdateListEntry> entries;
    QString folder; // the program folder until a line names another
    for (const QString& raw : lines) {
        const QString line = plat::trimSpaces(raw);
        if (line.startsWith(QStringLiteral("20")) || line.size() <= 18)
            continue;
        switch (line.front().unicode()) {
        case u'D':
            folder = dataFolder + QLatin1Char('/');
            break;
        case u'K':
            folder = QStringLiteral("ksdata/");
            break;
        case u'E':
            folder = QStringLiteral("examdata/");
            break;
        case u'M':
            folder.clear();
            break;
        default:
            break;
        }
        entries.push_back({ folder, plat::mid(line, 2, 12), plat::mid(line, 14) });
    }
    return entries;
}

bool isPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    return std::none_of(name.begin(), name.end(),
        [](QChar c) { return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control; });
}

bool isProgramFile(const QString& localName, const QString& programName)
{
    QString own = programName + QStringLiteral(".exe");
    own.replace(QStringLiteral(".exe.exe"), QStringLiteral(".exe"), Qt::CaseInsensitive);
    return localName.compare(own, Qt::CaseInsensitive) == 0;
}

bool needsDownload(const QString& localStamp, const QString& serverStamp)
{
    return QString::compare(localStamp, serverStamp, Qt::CaseSensitive) < 0;
}

QString localFileStamp(const QString& path)
{
    const QFileInfo info(plat::resolvePath(path));
    if (!info.isFile())
        return kMissingFileStamp;
    return info.lastModified().toLocalTime().toString(QStringLiteral("yyyyMMddHHmm"));
}

QString dataFolderName(const QString& skinPath, const QString& programDir)
{
    QString name = plat::toNativeSeparators(skinPath);
    const QString dir = plat::toNativeSeparators(programDir);
    if (name.startsWith(dir))
        name.remove(0, dir.size());
    name.remove(QLatin1Char('/'));
    return name;
}

BankUpdater::BankUpdater(AppState& state, plat::Http& http, QString programDir, QString programName,
    QString baseUrl, UpdateLimits limits)
    : state(state)
    , http(http)
    , programDir(std::move(programDir))
    , programName(std::move(programName))
    , baseUrl(std::move(baseUrl))
    , limits(limits)
{
}

QString BankUpdater::programPath(const QString& relative) const
{
    return plat::toNativeSeparators(programDir + QLatin1Char('/') + relative);
}

QString BankUpdater::fileBase() const
{
    return baseUrl + QStringLiteral("/up/plmrx/") + state.ModuleName + QLatin1Char('/');
}

QString BankUpdater::listUrl() const
{
    return fileBase() + dataFolderName(state.SkinPath, programDir) + QStringLiteral("/288895.txt");
}

QString BankUpdater::advertUrl() const
{
    return baseUrl + QStringLiteral("/up/ad/") + state.ProductInfo[12]
        + QStringLiteral("/170100.rar");
}

QString BankUpdater::listCopyPath() const
{
    return programPath(QStringLiteral("ksdata/288895.mxy"));
}

QString BankUpdater::bankVersionPath() const
{
    return records::BankVersionFile(records::DataDir { state.SkinPath });
}

QString BankUpdater::runFilePath() const { return programPath(QStringLiteral("uprun.dll")); }

QString BankUpdater::advertPath() const { return programPath(QStringLiteral("ksdata/170100.mxy")); }

void BankUpdater::fetchAdvert()
{
    if (baseUrl.isEmpty())
        return;
    http.download(QUrl(advertUrl()), advertPath(), limits.advertMs).ignore();
}

UpdateCheck BankUpdater::check()
{
    if (baseUrl.isEmpty())
        return UpdateCheck::Failed;
    const QString reply = getHtmlStr(state, http, listUrl(), limits.listMs);
    return judgeUpdateReply(reply, state.BankVersion);
}

bool BankUpdater::fetchListCopy()
{
    // An old copy must not stand in for the list just checked: it would name the wrong files
    // and become the bank version.
    return http.download(QUrl(listUrl()), listCopyPath(), limits.downloadMs).ok();
}

UpdateOutcome BankUpdater::applyList()
{
    const ErrorSite site(state, kTag);
    UpdateOutcome outcome;
    const auto lines = plat::readLines(listCopyPath());
    if (!site.check(lines))
        return outcome;

    const QString dataFolder = dataFolderName(state.SkinPath, programDir);
    for (const UpdateListEntry& entry : parseUpdateList(lines.value(), dataFolder)) {
        const QString localName = entry.localName();
        if (!isPlainFileName(entry.name)) {
            site.fail(kBadFileName, QStringLiteral("Bad file name: ") + entry.name);
            continue;
        }
        QString localPath = programPath(entry.folderPart + localName);
        if (!needsDownload(localFileStamp(localPath), entry.stamp))
            continue;
        // The running program is never overwritten: its new file waits beside it for the
        // outside updater.
        const bool programFile = isProgramFile(localName, programName);
        if (programFile)
            localPath += QStringLiteral("_bak");

        const QString url = fileBase() + entry.folderPart + entry.serverName();
        ++outcome.attempted;
        if (!http.download(QUrl(url), localPath, limits.downloadMs).ok())
            continue;
        ++outcome.successful;
        if (programFile)
            outcome.programFileFetched = site.check(plat::writeLines(runFilePath(), { localPath }));
    }

    if (outcome.successful < outcome.attempted)
        return outcome;
    QFile copy(plat::resolvePath(listCopyPath()));
    if (!copy.open(QIODevice::ReadOnly)) {
        site.fail(plat::err::FileIo, copy.errorString());
        return outcome;
    }
    outcome.bankVersionReplaced
        = site.check(plat::writeFileAtomically(bankVersionPath(), copy.readAll()));
    return outcome;
}

} // namespace shell
