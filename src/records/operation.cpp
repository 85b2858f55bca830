#include "records/operation.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/status.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace records {

namespace {
    constexpr QByteArrayView kHeader = "ksxt records journal 1\n";
    constexpr QByteArrayView kEnd = "end\n";
    // A journal holds every changed file whole; the largest operation (a random paper with its
    // shifts) holds thirteen small files.
    constexpr qint64 kMaxJournalBytes = 256 * 1024 * 1024;

    QString inFolder(const RecordsDir& dir, const QString& name)
    {
        return dir.path + QLatin1Char('/') + name;
    }

    // A file name the journal may hold: a plain name inside the records folder.
    bool plainName(const QString& name)
    {
        return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\')
            && name != QStringLiteral(".") && name != QStringLiteral("..");
    }

    bool apply(const RecordsDir& dir, const JournalEntry& e, const shell::ErrorSite& site,
        io::Failure* failure)
    {
        const QString path = inFolder(dir, e.name);
        return e.bytes ? io::putBytes(path, *e.bytes, site, failure)
                       : io::removeFile(path, site, failure);
    }

    bool rollForwardInto(const RecordsDir& dir, const shell::ErrorSite& site, io::Failure* failure)
    {
        const QString journal = JournalFile(dir);
        if (!QFileInfo(journal).isFile())
            return true;
        QFile f(journal);
        std::optional<QList<JournalEntry>> entries;
        if (f.size() <= kMaxJournalBytes && f.open(QIODevice::ReadOnly))
            entries = decodeJournal(f.readAll());
        if (!entries) {
            // Not one whole operation: nothing of it is applied, and it is kept for a look.
            const QString aside = journal + QStringLiteral(".damaged-")
                + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
            site.fail(plat::err::TypeMismatch,
                QFileInfo(journal).fileName() + QStringLiteral(": not a whole journal; kept as ")
                    + QFileInfo(aside).fileName());
            return QFile::rename(journal, aside) || io::removeFile(journal, site, failure);
        }
        for (const JournalEntry& e : *entries)
            if (!apply(dir, e, site, failure))
                return false;
        return io::removeFile(journal, site, failure);
    }
} // namespace

QString JournalFile(const RecordsDir& dir) { return inFolder(dir, QStringLiteral("journal.ksj")); }

QByteArray encodeJournal(const QList<JournalEntry>& entries)
{
    QByteArray out(kHeader.data(), kHeader.size());
    for (const JournalEntry& e : entries) {
        const QByteArray name = e.name.toUtf8();
        if (e.bytes)
            out += "write " + QByteArray::number(e.bytes->size()) + ' ' + name + '\n' + *e.bytes
                + '\n';
        else
            out += "remove " + name + '\n';
    }
    out += kEnd.toByteArray();
    return out;
}

std::optional<QList<JournalEntry>> decodeJournal(const QByteArray& bytes)
{
    if (!bytes.startsWith(kHeader))
        return std::nullopt;
    QList<JournalEntry> entries;
    qsizetype at = kHeader.size();
    for (;;) {
        const qsizetype eol = bytes.indexOf('\n', at);
        if (eol < 0)
            return std::nullopt;
        const QByteArray line = bytes.mid(at, eol - at);
        at = eol + 1;
        if (line + '\n' == kEnd)
            return at == bytes.size() ? std::optional(entries) : std::nullopt;
        if (line.startsWith("remove ")) {
            const QString name = QString::fromUtf8(line.mid(7));
            if (!plainName(name))
                return std::nullopt;
            entries.append({ name, std::nullopt });
            continue;
        }
        if (!line.startsWith("write "))
            return std::nullopt;
        const qsizetype space = line.indexOf(' ', 6);
        bool ok = false;
        const qsizetype size = space < 0 ? -1 : line.mid(6, space - 6).toLongLong(&ok);
        const QString name = QString::fromUtf8(line.mid(space + 1));
        if (!ok || size < 0 || !plainName(name) || bytes.size() - at < size + 1
            || bytes.at(at + size) != '\n')
            return std::nullopt;
        entries.append({ name, bytes.mid(at, size) });
        at += size + 1;
    }
}

Operation::Operation(RecordsDir dir)
    : dir_(std::move(dir))
    , outer_(io::detail::staging())
    , joined_(outer_ != nullptr)
{
    if (!joined_)
        io::detail::setStaging(&staging_);
}

Operation::~Operation()
{
    if (!joined_ && open_)
        io::detail::setStaging(outer_);
}

bool Operation::commit(const shell::ErrorSite& site)
{
    if (joined_ || !open_)
        return true;
    open_ = false;
    io::detail::setStaging(nullptr); // from here on reads and writes meet the disk

    // A journal here is a save of this run that could neither finish nor be put back. It is
    // completed first; what this operation read may predate it, so this one is not applied.
    if (QFileInfo(JournalFile(dir_)).isFile()) {
        rollForwardInto(dir_, site, &failure_);
        site.fail(plat::err::FileIo,
            JournalFile(dir_) + QStringLiteral(": an unfinished save was completed first"));
        if (failure_ == io::Failure::None)
            failure_ = io::Failure::Other;
        return false;
    }

    // Only what really changes; a file whose bytes stay is not touched.
    const QString folder = QDir::cleanPath(dir_.path);
    QList<JournalEntry> entries;
    QList<std::optional<QByteArray>> olds;
    for (const QString& path : std::as_const(staging_.order)) {
        const std::optional<QByteArray>& now = staging_.changes.value(path);
        std::optional<QByteArray> old = io::bytesOf(path);
        if (old == now)
            continue;
        if (QDir::cleanPath(QFileInfo(path).path()) != folder) {
            site.fail(
                plat::err::PathNotFound, path + QStringLiteral(": not in the records folder"));
            failure_ = io::Failure::Other;
            return false;
        }
        entries.append({ QFileInfo(path).fileName(), now });
        olds.append(std::move(old));
    }
    if (entries.isEmpty())
        return true;
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        site.fail(
            plat::err::PathNotFound, folder + QStringLiteral(": the folder cannot be created"));
        failure_ = io::Failure::FolderNotWritable;
        return false;
    }
    plat::clearPathCache();
    for (const JournalEntry& e : std::as_const(entries))
        if (e.bytes)
            io::setAsideIfDamaged(inFolder(dir_, e.name), site);

    if (entries.size() == 1) // one atomic save is already all or nothing
        return apply(dir_, entries.first(), site, &failure_);

    const QString journal = JournalFile(dir_);
    if (!io::putBytes(journal, encodeJournal(entries), site, &failure_))
        return false; // nothing changed
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (apply(dir_, entries.at(i), site, &failure_))
            continue;
        // Put back what was applied; should that fail too, the journal stays and the next
        // start completes the operation instead.
        io::Failure ignored = io::Failure::None;
        for (qsizetype j = 0; j < i; ++j)
            if (!apply(dir_, { entries.at(j).name, olds.at(j) }, site, &ignored))
                return false;
        io::removeFile(journal, site, &ignored);
        return false;
    }
    // Every file is new; a journal that cannot be removed is applied once more at the next start,
    // which changes nothing.
    io::removeFile(journal, site, nullptr);
    return true;
}

QString notSavedMessage(const QString& what, io::Failure why)
{
    QString reason;
    switch (why) {
    case io::Failure::FolderFull:
        reason = QStringLiteral("记录文件夹（ksdata）所在的磁盘已满");
        break;
    case io::Failure::FolderNotWritable:
        reason = QStringLiteral("记录文件夹（ksdata）不能写入（只读或没有写入权限）");
        break;
    case io::Failure::Unreadable:
        reason = QStringLiteral("原有的记录文件无法读取");
        break;
    default:
        reason = QStringLiteral("写入记录文件时出错");
        break;
    }
    return what + QStringLiteral("没有保存：") + reason
        + QStringLiteral("。\r\n原有的记录保持不变。请腾出磁盘空间或检查文件夹权限后再试。");
}

namespace {
    QString recordTitle(const QString& file)
    {
        const QString number = file.section(u'.', 0, 0);
        static const struct {
            const char16_t* number;
            const char16_t* title;
        } titles[] = {
            { u"288862", u"收藏夹" },
            { u"288872", u"收藏夹的复习记录" },
            { u"288863", u"错题本" },
            { u"288873", u"错题本的复习记录" },
            { u"288892", u"考试成绩记录" },
            { u"288893", u"单元学习进度" },
            { u"288890", u"输入法设置" },
            { u"288891", u"随机试卷" },
        };
        for (const auto& t : titles)
            if (number == QStringView(t.number))
                return QString::fromUtf16(t.title);
        if (number.startsWith(QStringLiteral("1824")))
            return QStringLiteral("试卷的错题记录 ") + file;
        return file;
    }
}

QString setAsideMessage(const QList<io::SetAside>& records)
{
    if (records.isEmpty())
        return {};
    QString text = QStringLiteral("以下学习记录已损坏，无法读取，已重新开始记录：");
    for (const io::SetAside& r : records)
        text += QStringLiteral("\r\n") + recordTitle(r.file)
            + QStringLiteral("（原文件另存为 ksdata\\") + r.copy + QStringLiteral("）");
    return text;
}

void tellLearner(shell::System& sys, const Saved& saved, const QString& what)
{
    if (!saved)
        sys.services().messageBoxes->show(plat::MessageBoxes::Kind::Information,
            notSavedMessage(what, saved.why), sys.state.AppTitle);
    tellSetAside(sys);
}

void tellSetAside(shell::System& sys)
{
    const QString aside = setAsideMessage(io::takeSetAside());
    if (!aside.isEmpty())
        sys.services().messageBoxes->show(
            plat::MessageBoxes::Kind::Information, aside, sys.state.AppTitle);
}

Saved Operation::finish(bool stepsOk, const shell::ErrorSite& site)
{
    if (!stepsOk)
        return { false, io::Failure::Unreadable }; // the steps reported why
    if (!commit(site))
        return { false, failure_ };
    return {};
}

bool rollForward(const RecordsDir& dir, const shell::ErrorSite& site)
{
    return rollForwardInto(dir, site, nullptr);
}

} // namespace records
