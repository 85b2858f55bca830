#include "records/recordio.h"

#include "core/errorreport.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "records/operation.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace records {

RunState& runOf(shell::AppState& state)
{
    if (!state.recordsRun)
        state.recordsRun = std::make_shared<RunState>();
    return *state.recordsRun;
}

RunState& runOf(const shell::ErrorSite& site) { return runOf(site.appState()); }

} // namespace records

namespace records::io {

namespace detail {
    QString key(const QString& path) { return QDir::cleanPath(plat::toNativeSeparators(path)); }

    void Staging::put(const QString& path, std::optional<QByteArray> bytes)
    {
        const QString k = key(path);
        if (!changes.contains(k))
            order.append(k);
        changes.insert(k, std::move(bytes));
    }

    const std::optional<QByteArray>* Staging::find(const QString& path) const
    {
        const auto it = changes.constFind(key(path));
        return it == changes.cend() ? nullptr : &it.value();
    }
}

namespace {
    enum class Use { Reading, Rewriting };
    bool readsAsDamaged(
        const QString& path, const QStringList& lines, Use use, const shell::ErrorSite& site);
    std::optional<QStringList> readFor(
        Use use, const QString& path, const shell::ErrorSite& site, int maxLines, Missing missing);
    FaultHook faultHook;
    ReadFaultHook readFaultHook;
    QString nameOf(const QString& path) { return QFileInfo(path).fileName(); }

    // The learner's records live in "ksdata"; the module data folder's files keep the plain
    // reading rules (they are replaced by the updater, never by this layer).
    bool isRecordPath(const QString& path)
    {
        return QFileInfo(path).dir().dirName() == QStringLiteral("ksdata");
    }

    // What has a record's name when it is not a readable record file.
    enum class Foreign { None, Link, NotAFile, TooLarge, Unreadable };

    // Only record names: the journal beside them is larger than a record may be, and has its
    // own rules.
    Foreign foreignAt(const QString& path)
    {
        if (!isRecordPath(path) || !isRecordName(nameOf(path)))
            return Foreign::None;
        const QString file = plat::resolvePath(path);
        const QFileInfo info(file);
        if (info.isSymLink())
            return Foreign::Link;
        if (!info.exists())
            return Foreign::None;
        if (!info.isFile())
            return Foreign::NotAFile;
        if (info.size() > plat::kMaxDataFileBytes)
            return Foreign::TooLarge;
        if ((readFaultHook && readFaultHook(path)) || !info.isReadable())
            return Foreign::Unreadable;
        return Foreign::None;
    }

    QString foreignText(Foreign kind)
    {
        switch (kind) {
        case Foreign::Link:
            return QStringLiteral("a link, not a record file (its target is not read)");
        case Foreign::NotAFile:
            return QStringLiteral("not a file");
        case Foreign::TooLarge:
            return QStringLiteral("larger than a record file may be");
        default:
            return QStringLiteral("cannot be read");
        }
    }

    // A damaged record is reported at its first read, once per file and run: the start-up
    // reads reach the run log this way, and a refresh does not repeat them.
    void reportOnce(
        const QString& path, int number, const QString& why, const shell::ErrorSite& site)
    {
        QSet<QString>& reported = runOf(site).reported;
        const QFileInfo info(path);
        if (reported.contains(info.absoluteFilePath()))
            return;
        reported.insert(info.absoluteFilePath());
        site.fail(number, info.fileName() + QStringLiteral(": ") + why);
    }

    // Whether the file is there, a change waiting in an operation first.
    bool exists(const QString& path, const shell::ErrorSite& site)
    {
        if (const detail::Staging* staged = runOf(site).staging)
            if (const auto* bytes = staged->find(path))
                return bytes->has_value();
        return plat::fileExists(path) || QFileInfo(plat::resolvePath(path)).exists();
    }

    bool isMissing(const plat::Error& e)
    {
        return e.number == plat::err::FileNotFound || e.number == plat::err::PathNotFound;
    }

    // The folder of a record file is created by the first write (a first run has none).
    bool ensureFolder(const QString& path, const shell::ErrorSite& site)
    {
        const QString folder = QFileInfo(plat::toNativeSeparators(path)).path();
        if (QFileInfo(plat::resolvePath(folder)).isDir())
            return true;
        if (QDir().mkpath(folder)) {
            plat::clearPathCache();
            return true;
        }
        site.fail(
            plat::err::PathNotFound, folder + QStringLiteral(": the folder cannot be created"));
        return false;
    }
} // namespace

std::optional<QStringList> readLines(
    const QString& path, const shell::ErrorSite& site, int maxLines, Missing missing)
{
    return readFor(Use::Reading, path, site, maxLines, missing);
}

namespace {
    std::optional<QStringList> readFor(
        Use use, const QString& path, const shell::ErrorSite& site, int maxLines, Missing missing)
    {
        const detail::Staging* staged = runOf(site).staging;
        const std::optional<QByteArray>* waiting = staged ? staged->find(path) : nullptr;
        if (!waiting) {
            // What is not a record file reads as a missing record; it is set aside when the
            // record is written.
            if (const Foreign kind = foreignAt(path); kind != Foreign::None) {
                reportOnce(path, plat::err::TypeMismatch,
                    foreignText(kind) + QStringLiteral(" (damaged)"), site);
                return QStringList {};
            }
        }
        plat::Result<QStringList> read = plat::Error { plat::err::FileNotFound, path };
        if (!waiting)
            read = plat::readLines(path);
        else if (*waiting)
            read = plat::splitLines(plat::decodeGbk(**waiting));
        if (!read) {
            if (!isMissing(read.error()) || missing == Missing::Reported)
                site.fail(read.error());
            return std::nullopt;
        }
        QStringList lines = std::move(read).value();
        if (readsAsDamaged(path, lines, use, site))
            lines.clear();
        if (maxLines >= 0 && lines.size() > maxLines)
            lines.resize(maxLines);
        return lines;
    }

} // namespace

QStringList linesOrNone(const QString& path, const shell::ErrorSite& site, int maxLines)
{
    return readLines(path, site, maxLines).value_or(QStringList {});
}

QString readLine1(const QString& path, const shell::ErrorSite& site)
{
    const QStringList lines = linesOrNone(path, site, 1);
    return lines.isEmpty() ? QString() : plat::trimSpaces(lines.first());
}

std::optional<QStringList> linesToRewrite(
    const QString& path, const shell::ErrorSite& site, int maxLines)
{
    if (std::optional<QStringList> lines
        = readFor(Use::Rewriting, path, site, maxLines, Missing::Silent))
        return lines;
    if (exists(path, site))
        return std::nullopt; // there, but unreadable: reported by readLines
    return QStringList {};
}

std::optional<QString> line1ToRewrite(const QString& path, const shell::ErrorSite& site)
{
    const std::optional<QStringList> lines = linesToRewrite(path, site, 1);
    if (!lines)
        return std::nullopt;
    return lines->isEmpty() ? QString() : plat::trimSpaces(lines->first());
}

bool write(const QString& path, const QStringList& lines, const shell::ErrorSite& site)
{
    const QByteArray bytes = plat::encodeLines(lines);
    if (detail::Staging* staged = runOf(site).staging) {
        staged->put(path, bytes);
        return true;
    }
    if (bytesOf(path, site) == bytes)
        return true; // unchanged: no rewrite, no flush to disk
    if (!ensureFolder(path, site) || !setAsideIfDamaged(path, site))
        return false;
    return putBytes(path, bytes, site);
}

bool moveOver(const QString& from, const QString& to, const shell::ErrorSite& site)
{
    const std::optional<QByteArray> bytes = bytesOf(from, site);
    // A single move outside an operation is still two changes: it gets one of its own.
    Operation own(RecordsDir { QFileInfo(plat::toNativeSeparators(to)).path() }, site);
    detail::Staging* staged = runOf(site).staging;
    staged->put(to, bytes);
    staged->put(from, std::nullopt);
    return own.commit(site);
}

std::optional<QByteArray> bytesOf(const QString& path, const shell::ErrorSite& site)
{
    if (const detail::Staging* staged = runOf(site).staging)
        if (const auto* bytes = staged->find(path))
            return *bytes;
    if (foreignAt(path) != Foreign::None)
        return std::nullopt;
    const QString file = plat::resolvePath(path);
    QFile f(file);
    if (!QFileInfo(file).isFile() || f.size() > plat::kMaxDataFileBytes
        || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

bool isRecordName(const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[0-9]{6}\\.mxy$"), QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

void setFaultHook(FaultHook hook) { faultHook = std::move(hook); }
void setReadFaultHook(ReadFaultHook hook) { readFaultHook = std::move(hook); }

namespace {
    QString failureText(Failure f)
    {
        switch (f) {
        case Failure::FolderFull:
            return QStringLiteral("No space left on device");
        case Failure::FolderNotWritable:
            return QStringLiteral("Permission denied");
        default:
            return QStringLiteral("Device I/O error");
        }
    }

    // What stopped a real change: the folder's disk has no room for it, or the folder (or its
    // disk) takes no writes.
    Failure classify(const QString& path, qint64 size)
    {
        const QString folder = QFileInfo(plat::toNativeSeparators(path)).path();
        const QStorageInfo storage(folder);
        if (storage.isValid() && storage.isReadOnly())
            return Failure::FolderNotWritable;
        if (storage.isValid() && storage.bytesAvailable() < size + 4096)
            return Failure::FolderFull;
        if (!QFileInfo(folder).isWritable())
            return Failure::FolderNotWritable;
        return Failure::Other;
    }
}

bool allowed(const QString& path, const shell::ErrorSite& site, Failure* failure)
{
    const Failure f = faultHook ? faultHook(path) : Failure::None;
    if (f == Failure::None)
        return true;
    site.fail(
        plat::err::FileIo, plat::toNativeSeparators(path) + QStringLiteral(": ") + failureText(f));
    if (failure)
        *failure = f;
    return false;
}

namespace {
    // Logs that the record `name` was kept as `copy` because it is `what`, and lists it for the
    // learner.
    void keptAside(
        const QString& name, const QString& what, const QString& copy, const shell::ErrorSite& site)
    {
        site.fail(plat::err::TypeMismatch,
            name + QStringLiteral(": ") + what + QStringLiteral("; kept as ") + copy
                + QStringLiteral(" and started again"));
        runOf(site).setAside.append({ name, copy });
    }

    // Frees a record's name of what is not a record file, keeping it whole under another name.
    bool setAsideForeign(const QString& path, const shell::ErrorSite& site, Failure* failure)
    {
        const Foreign kind = foreignAt(path);
        if (kind == Foreign::None)
            return true;
        const std::optional<QString> aside
            = renameAside(path, QStringLiteral("yyyyMMdd-HHmm"), site);
        if (!aside) {
            if (failure)
                *failure = classify(path, 0);
            return false;
        }
        keptAside(nameOf(path), foreignText(kind), *aside, site);
        return true;
    }
}

bool putBytes(
    const QString& path, const QByteArray& bytes, const shell::ErrorSite& site, Failure* failure)
{
    if (!allowed(path, site, failure) || !setAsideForeign(path, site, failure))
        return false;
    const plat::Status written = plat::writeFileAtomically(path, bytes);
    if (written.ok())
        return true;
    site.fail(written.error());
    if (failure)
        *failure = classify(path, bytes.size());
    return false;
}

bool removeFile(const QString& path, const shell::ErrorSite& site, Failure* failure)
{
    if (!allowed(path, site, failure))
        return false;
    if (foreignAt(path) != Foreign::None) // kept aside, and so gone from its name
        return setAsideForeign(path, site, failure);
    const QString file = plat::resolvePath(path);
    if (::remove(QFile::encodeName(file).constData()) == 0) {
        plat::clearPathCache();
        plat::syncFolder(QFileInfo(file).path());
        return true;
    }
    if (errno == ENOENT)
        return true;
    site.fail(plat::err::FileIo, file + QStringLiteral(": the file cannot be removed"));
    if (failure)
        *failure = classify(path, 0);
    return false;
}

// ---- Damaged records ----

namespace {
    bool onlyOf(const QString& line, const QString& allowed)
    {
        return std::all_of(
            line.cbegin(), line.cend(), [&](QChar c) { return allowed.contains(c); });
    }
    bool onlyDigits(const QString& line) { return onlyOf(line, QStringLiteral("0123456789")); }
    bool isIdLine(const QString& line)
    {
        const QString t = plat::trimSpaces(line);
        return t.size() % 4 == 0 && onlyDigits(t);
    }
    bool restBlank(const QStringList& lines, int from)
    {
        for (int n = from; n < lines.size(); ++n)
            if (!plat::trimSpaces(lines.at(n)).isEmpty())
                return false;
        return true;
    }

    bool isIdListFile(const QString& number)
    {
        return number == QStringLiteral("288862") || number == QStringLiteral("288863")
            || (number.startsWith(QStringLiteral("1824")) && number.size() == 6);
    }

    // The shape each record file has, by its name; a name without a rule has none but text.
    bool hasItsShape(const QString& name, const QStringList& lines)
    {
        const QString number = name.section(u'.', 0, 0);
        if (isIdListFile(number))
            return (lines.isEmpty() || isIdLine(lines.first())) && restBlank(lines, 1);
        if (number == QStringLiteral("288893")) {
            // Only the lines the program reads count.
            for (int n = 0; n < lines.size() && n < 26; ++n)
                if (!onlyOf(plat::trimSpaces(lines.at(n)), QStringLiteral("TF")))
                    return false;
            return true;
        }
        return true;
    }
}

namespace {
    bool damagedLines(const QString& path, const QStringList& lines)
    {
        for (const QString& line : lines)
            for (const QChar c : line)
                if (c == QChar::ReplacementCharacter || (c.unicode() < 0x20 && c != u'\t'))
                    return true;
        return !hasItsShape(QFileInfo(path).fileName(), lines);
    }

    // A damaged learner record is reported when first read, once per file and run: the start-up
    // reads reach the run log this way. It starts again from its defaults when it is rewritten
    // (set aside first); when merely read it keeps its own reading rules (the random-paper
    // list's count rule, the advert's lines), except the unit progress, whose shape the panels
    // rely on: it reads as its defaults. An id list's pieces that are not ids are skipped and
    // reported by the list's own reading instead.
    bool readsAsDamaged(
        const QString& path, const QStringList& lines, Use use, const shell::ErrorSite& site)
    {
        const QString number = nameOf(path).section(u'.', 0, 0);
        if (!isRecordPath(path) || isIdListFile(number) || !damagedLines(path, lines))
            return false;
        reportOnce(path, plat::err::TypeMismatch,
            QStringLiteral("not readable as its format (damaged)"), site);
        return use == Use::Rewriting || number == QStringLiteral("288893");
    }
}

bool isDamaged(const QString& path, const QByteArray& bytes)
{
    return damagedLines(path, plat::splitLines(plat::decodeGbk(bytes)));
}

bool isForeignEntry(const QString& path) { return foreignAt(path) != Foreign::None; }

namespace {
    // A free name beside `file` for what is set aside.
    QString asideName(const QString& file, const QString& stampFormat)
    {
        const QString stamp = QDateTime::currentDateTime().toString(stampFormat);
        QString aside = file + QStringLiteral(".damaged-") + stamp;
        for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
            aside = file + QStringLiteral(".damaged-") + stamp + QLatin1Char('-')
                + QString::number(n);
        return aside;
    }
}

std::optional<QString> renameAside(
    const QString& path, const QString& stampFormat, const shell::ErrorSite& site)
{
    const QString file = plat::resolvePath(path);
    const QString aside = asideName(file, stampFormat);
    // rename(2) moves the name itself: a link stays a link, its target untouched.
    if (::rename(QFile::encodeName(file).constData(), QFile::encodeName(aside).constData()) != 0) {
        site.fail(plat::err::FileIo,
            file + QStringLiteral(": cannot be renamed aside: ")
                + QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    plat::clearPathCache();
    plat::syncFolder(QFileInfo(file).path());
    return QFileInfo(aside).fileName();
}

bool setAsideIfDamaged(const QString& path, const shell::ErrorSite& site)
{
    if (isForeignEntry(path))
        return true; // renamed aside whole by the change that replaces it
    const QString file = plat::resolvePath(path);
    if (!QFileInfo(file).isFile())
        return true;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return true;
    const QByteArray bytes = f.readAll();
    if (!isDamaged(file, bytes))
        return true;
    const QString copy = asideName(file, QStringLiteral("yyyyMMdd-HHmm"));
    if (!putBytes(copy, bytes, site))
        return false;
    keptAside(QFileInfo(file).fileName(), QStringLiteral("not readable as its format"),
        QFileInfo(copy).fileName(), site);
    return true;
}

QList<SetAside> takeSetAside(shell::AppState& state)
{
    return std::exchange(runOf(state).setAside, {});
}

void reportRejected(const QString& path, const QStringList& rejected, const shell::ErrorSite& site)
{
    for (const QString& chunk : rejected)
        site.fail(plat::err::TypeMismatch,
            nameOf(path) + QStringLiteral(": \"") + chunk
                + QStringLiteral("\" is not a four-digit question id; skipped"));
}

void reportRefused(const QString& path, const QString& why, const shell::ErrorSite& site)
{
    site.fail(plat::err::SubscriptOutOfRange, nameOf(path) + QStringLiteral(": ") + why);
}

} // namespace records::io
