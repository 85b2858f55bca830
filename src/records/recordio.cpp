#include "records/recordio.h"

#include "platform/paths.h"
#include "platform/text.h"
#include "core/errorreport.h"

#include <QDir>
#include <QFileInfo>

namespace records::io {

namespace {
    QString nameOf(const QString& path) { return QFileInfo(path).fileName(); }

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
        site.fail(plat::err::PathNotFound, folder + QStringLiteral(": the folder cannot be created"));
        return false;
    }
} // namespace

std::optional<QStringList> readLines(
    const QString& path, const shell::ErrorSite& site, int maxLines, Missing missing)
{
    plat::Result<QStringList> read = plat::readLines(path);
    if (!read) {
        if (!isMissing(read.error()) || missing == Missing::Reported)
            site.fail(read.error());
        return std::nullopt;
    }
    QStringList lines = std::move(read).value();
    if (maxLines >= 0 && lines.size() > maxLines)
        lines.resize(maxLines);
    return lines;
}

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
    if (std::optional<QStringList> lines = readLines(path, site, maxLines))
        return lines;
    if (plat::fileExists(path) || QFileInfo(plat::resolvePath(path)).exists())
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
    if (!ensureFolder(path, site))
        return false;
    return site.check(plat::writeLines(path, lines));
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
