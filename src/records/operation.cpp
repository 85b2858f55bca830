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
#include <QRegularExpression>

#include <utility>

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

    QString recordTitle(const QString& file);

    QString titlesOf(const QStringList& names)
    {
        QStringList titles;
        for (const QString& name : names)
            if (!titles.contains(recordTitle(name)))
                titles.append(recordTitle(name));
        return titles.join(QStringLiteral("、"));
    }

    QString reasonText(io::Failure why)
    {
        switch (why) {
        case io::Failure::FolderFull:
            return QStringLiteral("记录文件夹（ksdata）所在的磁盘已满");
        case io::Failure::FolderNotWritable:
            return QStringLiteral("记录文件夹（ksdata）不能写入（只读或没有写入权限）");
        case io::Failure::Unreadable:
            return QStringLiteral("原有的记录文件无法读取");
        default:
            return QStringLiteral("写入记录文件时出错");
        }
    }

    bool apply(const RecordsDir& dir, const JournalEntry& e, const shell::ErrorSite& site,
        io::Failure* failure)
    {
        const QString path = inFolder(dir, e.name);
        return e.bytes ? io::putBytes(path, *e.bytes, site, failure)
                       : io::removeFile(path, site, failure);
    }

    bool journalThere(const RecordsDir& dir)
    {
        const QFileInfo info(JournalFile(dir));
        return info.exists() || info.isSymLink();
    }

    std::optional<QList<JournalEntry>> scanJournal(const QByteArray& bytes, QStringList* names);

    // What the journal holds, and the names of the records its readable part changes.
    struct JournalRead {
        std::optional<QList<JournalEntry>> entries;
        QStringList names;
    };

    JournalRead readJournal(const QString& journal)
    {
        JournalRead read;
        // A link or a folder is no journal; a link's target is never read.
        const QFileInfo info(journal);
        if (info.isSymLink() || !info.isFile() || info.size() > kMaxJournalBytes)
            return read;
        QFile f(journal);
        if (f.open(QIODevice::ReadOnly))
            read.entries = scanJournal(f.readAll(), &read.names);
        return read;
    }

    // What became of the journal found beside the records.
    enum class Rolled {
        Completed, // applied and removed, or there was none
        Pending, // whole, but the disk did not take all of it yet
        SetAside, // not one whole operation: renamed aside, nothing of it applied
        Stuck, // not one whole operation, and it could not be moved either
    };

    // Completes the journal's operation. A journal that is not one whole operation is set aside
    // (the learner is told which records it may have left half-changed) and applies nothing.
    // `names` (when given) receives the records the journal changes.
    Rolled rollForwardInto(const RecordsDir& dir, const shell::ErrorSite& site,
        io::Failure* failure, QStringList* names = nullptr)
    {
        if (!journalThere(dir))
            return Rolled::Completed;
        const QString journal = JournalFile(dir);
        const JournalRead read = readJournal(journal);
        if (names)
            *names = read.names;
        if (!read.entries) {
            const std::optional<QString> aside = io::allowed(journal, site, nullptr)
                ? io::renameAside(journal, QStringLiteral("yyyyMMdd-HHmmss"), site)
                : std::nullopt;
            site.fail(plat::err::TypeMismatch,
                QFileInfo(journal).fileName() + QStringLiteral(": not a whole journal; ")
                    + (aside ? QStringLiteral("kept as ") + *aside
                             : QStringLiteral("left where it is"))
                    + (read.names.isEmpty()
                            ? QString()
                            : QStringLiteral("; it changed ") + read.names.join(u' ')));
            QString notice = QStringLiteral("上次保存学习记录时程序意外中止，留下的未完成保存记录"
                                            "（ksdata\\journal.ksj）已损坏，无法补全");
            notice += aside
                ? QStringLiteral("，已另存为 ksdata\\") + *aside + QStringLiteral("。")
                : QStringLiteral("，也无法移开；在移开它之前，多个记录的保存都会失败。");
            notice += read.names.isEmpty()
                ? QStringLiteral("\r\n无法确定它涉及哪些记录，请检查各项学习记录。")
                : QStringLiteral("\r\n以下记录可能只保存了一部分：") + titlesOf(read.names);
            runOf(site).journalNotices.append(notice);
            if (!aside && failure)
                *failure = io::Failure::Other;
            return aside ? Rolled::SetAside : Rolled::Stuck;
        }
        for (const JournalEntry& e : *read.entries)
            if (!apply(dir, e, site, failure))
                return Rolled::Pending;
        return io::removeFile(journal, site, failure) ? Rolled::Completed : Rolled::Pending;
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
    return scanJournal(bytes, nullptr);
}

namespace {
    std::optional<QList<JournalEntry>> scanJournal(const QByteArray& bytes, QStringList* names)
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
                if (!io::isRecordName(name))
                    return std::nullopt;
                if (names)
                    names->append(name);
                entries.append({ name, std::nullopt });
                continue;
            }
            if (!line.startsWith("write "))
                return std::nullopt;
            const qsizetype space = line.indexOf(' ', 6);
            bool ok = false;
            const qsizetype size = space < 0 ? -1 : line.mid(6, space - 6).toLongLong(&ok);
            const QString name = QString::fromUtf8(line.mid(space + 1));
            if (!io::isRecordName(name))
                return std::nullopt;
            if (names)
                names->append(name); // named even when its bytes are cut short
            if (!ok || size < 0 || bytes.size() - at < size + 1 || bytes.at(at + size) != '\n')
                return std::nullopt;
            entries.append({ name, bytes.mid(at, size) });
            at += size + 1;
        }
    }
} // namespace

Operation::Operation(RecordsDir dir, const shell::ErrorSite& site)
    : dir_(std::move(dir))
    , run_(runOf(site))
    , outer_(run_.staging)
    , joined_(outer_ != nullptr)
{
    if (!joined_)
        run_.staging = &staging_;
}

Operation::~Operation()
{
    if (!joined_ && open_)
        run_.staging = outer_;
}

bool Operation::commit(const shell::ErrorSite& site)
{
    if (joined_ || !open_)
        return true;
    open_ = false;
    run_.staging = nullptr; // from here on reads and writes meet the disk

    // A journal here is a save that could neither finish nor be put back. It is completed
    // first; what this operation read may predate it, so this one is not applied. A damaged one
    // is set aside (and the learner told) and this operation goes on: nothing is pending. A
    // damaged one that cannot be moved is never completed: this save simply did not happen.
    if (journalThere(dir_)) {
        const Rolled rolled = rollForwardInto(dir_, site, &failure_);
        if (rolled == Rolled::Stuck)
            return false; // reported, and the learner told, with the journal
        if (rolled != Rolled::SetAside) {
            const bool completed = rolled == Rolled::Completed;
            site.fail(plat::err::FileIo,
                JournalFile(dir_)
                    + (completed
                            ? QStringLiteral(": an unfinished save was completed first")
                            : QStringLiteral(": an unfinished save still cannot be completed")));
            left_ = completed ? Left::EarlierCompleted : Left::EarlierPending;
            if (failure_ == io::Failure::None)
                failure_ = io::Failure::Other;
            return false;
        }
    }

    // Only what really changes; a file whose bytes stay is not touched.
    const QString folder = QDir::cleanPath(dir_.path);
    QList<JournalEntry> entries;
    QList<std::optional<QByteArray>> olds;
    for (const QString& path : std::as_const(staging_.order)) {
        const std::optional<QByteArray>& now = staging_.changes.value(path);
        std::optional<QByteArray> old = io::bytesOf(path, site);
        // What is not a record file under the name goes (set aside) even when nothing takes its
        // place.
        if (old == now && !io::isForeignEntry(path))
            continue;
        if (QDir::cleanPath(QFileInfo(path).path()) != folder
            || !io::isRecordName(QFileInfo(path).fileName())) {
            site.fail(plat::err::PathNotFound,
                path + QStringLiteral(": not a record file of the records folder"));
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
    for (const JournalEntry& e : std::as_const(entries)) {
        if (e.bytes && !io::setAsideIfDamaged(inFolder(dir_, e.name), site)) {
            failure_ = io::Failure::Other; // a damaged record that cannot be kept stays
            return false;
        }
    }

    if (entries.size() == 1) // one atomic save is already all or nothing
        return apply(dir_, entries.first(), site, &failure_);

    const QString journal = JournalFile(dir_);
    if (!io::putBytes(journal, encodeJournal(entries), site, &failure_))
        return false; // nothing changed
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (apply(dir_, entries.at(i), site, &failure_))
            continue;
        // Put back what was applied. Should that fail, or the journal not go away after it, the
        // journal stays: the records end new, at the next save or start that the disk takes.
        io::Failure ignored = io::Failure::None;
        bool putBack = true;
        for (qsizetype j = 0; j < i && putBack; ++j)
            putBack = apply(dir_, { entries.at(j).name, olds.at(j) }, site, &ignored);
        if (!putBack || !io::removeFile(journal, site, &ignored)) {
            site.fail(plat::err::FileIo,
                journal + QStringLiteral(": kept; the save is completed when the disk takes it"));
            left_ = Left::Pending;
        }
        return false;
    }
    // Every file is new; a journal that cannot be removed is applied once more at the next start,
    // which changes nothing.
    io::removeFile(journal, site, nullptr);
    return true;
}

QString notSavedMessage(const QString& what, const Saved& saved)
{
    const QString reason = reasonText(saved.why);
    switch (saved.left) {
    case Left::Pending:
        return what + QStringLiteral("没有全部写入：") + reason
            + QStringLiteral("。\r\n已写入的部分和其余的更改都已记下，腾出磁盘空间或检查文件夹"
                             "权限后，下次保存记录或重新启动本程序时会自动补全。");
    case Left::EarlierPending:
        return what + QStringLiteral("没有保存：") + reason
            + QStringLiteral("。\r\n上一次没有写完的记录也还没有补全；腾出磁盘空间或检查文件夹"
                             "权限后，下次保存记录或重新启动本程序时会自动补全。");
    case Left::EarlierCompleted:
        return what
            + QStringLiteral("没有保存：上一次没有写完的记录刚刚补全，本次的更改是在"
                             "那之前读取的，没有写入。\r\n请重新操作一次。");
    case Left::Old:
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
            notSavedMessage(what, saved), sys.state.AppTitle);
    tellSetAside(sys);
}

QStringList takeJournalNotices(shell::AppState& state)
{
    return std::exchange(runOf(state).journalNotices, {});
}

void tellSetAside(shell::System& sys)
{
    QStringList notices = takeJournalNotices(sys.state);
    const QString aside = setAsideMessage(io::takeSetAside(sys.state));
    if (!aside.isEmpty())
        notices.append(aside);
    for (const QString& notice : std::as_const(notices))
        sys.services().messageBoxes->show(
            plat::MessageBoxes::Kind::Information, notice, sys.state.AppTitle);
}

Saved Operation::finish(bool stepsOk, const shell::ErrorSite& site)
{
    if (!stepsOk)
        return { false, io::Failure::Unreadable, Left::Old }; // the steps reported why
    if (!commit(site))
        return { false, failure_, left_ };
    return {};
}

namespace {
    // The atomic save writes "<name>.XXXXXX" beside the file and renames it over the file; a
    // kill between the two leaves it behind. Only these names, and only plain files, go.
    void removeStrayTemporaries(const RecordsDir& dir, const shell::ErrorSite& site)
    {
        static const QRegularExpression pattern(
            QStringLiteral("^([0-9]{6}\\.mxy|journal\\.ksj)\\.[A-Za-z0-9]{6}$"),
            QRegularExpression::CaseInsensitiveOption);
        const QFileInfoList entries = QDir(dir.path).entryInfoList(
            QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
        for (const QFileInfo& entry : entries) {
            if (!entry.isFile() || !pattern.match(entry.fileName()).hasMatch())
                continue;
            if (io::removeFile(entry.filePath(), site))
                site.fail(plat::err::FileIo,
                    entry.fileName()
                        + QStringLiteral(": removed, left by a rewrite that was cut short"));
        }
    }
}

bool rollForward(const RecordsDir& dir, const shell::ErrorSite& site)
{
    removeStrayTemporaries(dir, site);
    io::Failure failure = io::Failure::None;
    QStringList names;
    const Rolled rolled = rollForwardInto(dir, site, &failure, &names);
    if (rolled == Rolled::Completed || rolled == Rolled::SetAside)
        return true;
    if (rolled == Rolled::Stuck)
        return false; // a damaged journal that could not be set aside: told already
    site.fail(plat::err::FileIo,
        JournalFile(dir) + QStringLiteral(": the unfinished save cannot be completed yet"));
    runOf(site).journalNotices.append(QStringLiteral("上次没有写完的学习记录这次也没能补全：")
        + reasonText(failure)
        + QStringLiteral("。\r\n这些更改已记下，腾出磁盘空间或检查文件夹权限后，下次保存记录"
                         "或重新启动本程序时会自动补全。在那之前，以下记录可能只保存了一部分：")
        + titlesOf(names));
    return false;
}

} // namespace records
