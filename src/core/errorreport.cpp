#include "core/errorreport.h"

#include "platform/services.h"
#include "platform/text.h"

#include <QUrl>

#include <cstdio>

namespace shell {

void fail(AppState& state, const QString& tag, const plat::Error& error)
{
    state.ErrSub = tag;
    state.ErrNo = error.number;
    state.ErrDesc = error.description;
    if (state.errorSink)
        state.errorSink(state.ErrSub, state.ErrNo, state.ErrDesc, QString());
}

QString runLogPath(const QString& programDir, const QDateTime& handOverTime)
{
    return programDir + QStringLiteral("/ksdata/")
        + handOverTime.toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral(".txt");
}

void AppendLog(const QString& path, const QString& text, const QDateTime& when)
{
    if (path.isEmpty())
        return;
    // appendLine ends the entry with CR LF; the empty line and the time stamp go in front so that
    // the whole entry is one write.
    const QString entry = QStringLiteral("\r\n")
        + when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("\r\n")
        + plat::trimSpaces(text);
    const plat::Status written = plat::appendLine(path, entry);
    if (written)
        return;
    // A read-only or full records folder must not swallow the entry, nor the reason it could
    // not be kept: both go to the standard error, where a terminal or a session log keeps them.
    QString fallback
        = entry + QStringLiteral("\r\n(") + written.error().description + QStringLiteral(")\n");
    fallback.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = fallback.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

ErrorReporter::ErrorReporter(
    const AppState& state, plat::Http* http, ServerConfig servers, Clock clock)
    : state(state)
    , http(http)
    , servers(std::move(servers))
    , clock(std::move(clock))
{
}

void ErrorReporter::ReportError(QString tag, int number, QString description, QString extra)
{
    const QString numberText = QString::number(number);
    AppendLog(state.LogPath,
        QStringLiteral("软件运行提示:") + tag + description + QStringLiteral("\r\n系统版本:")
            + state.OsVersion + QStringLiteral(",软件版本:") + state.BankVersion
            + QStringLiteral(",") + numberText + QStringLiteral("\r\n"),
        clock());

    if (!http || servers.reportBaseUrl.isEmpty())
        return;
    QUrl url(servers.reportBaseUrl + QStringLiteral("/up/error/submit.asp"));
    if (!url.isValid())
        return;
    // Every value is percent-encoded (UTF-8), "&", "=", "+" and "%" included, so a description
    // arrives whole and cannot add query keys of its own. An empty value keeps its "=".
    QString query;
    const auto add = [&query](const char* key, const QString& value) {
        if (!query.isEmpty())
            query += QLatin1Char('&');
        query += QLatin1String(key) + QLatin1Char('=')
            + QString::fromLatin1(QUrl::toPercentEncoding(value));
    };
    add("pronm", state.ModuleName);
    add("pver", state.BankVersion);
    add("osver", state.OsVersion);
    add("errsub", tag);
    add("errno", numberText);
    add("errdescript", description + extra);
    url.setQuery(query, QUrl::StrictMode);
    // Sent without waiting: the failing procedure goes on at once and no timer or handler of
    // the program runs inside it. The reply is never looked at; a failed send is not reported.
    http->send(url, sendLimitMs);
}

void ErrorReporter::install(AppState& target)
{
    target.errorSink = [this](QString tag, int number, QString description, QString extra) {
        ReportError(std::move(tag), number, std::move(description), std::move(extra));
    };
}

} // namespace shell
