#include "core/serverconfig.h"

#include "platform/paths.h"

#include <QSettings>

namespace shell {

namespace {

    QString baseUrl(const QSettings& ini, const QString& key)
    {
        QString url = ini.value(key).toString().trimmed();
        while (url.endsWith(QLatin1Char('/')))
            url.chop(1);
        return url;
    }

} // namespace

ServerConfig readServerConfig(const QString& programDir)
{
    const QString path = plat::resolvePath(programDir + QStringLiteral("/server.ini"));
    if (!plat::fileExists(path))
        return {};
    const QSettings ini(path, QSettings::IniFormat);
    return { baseUrl(ini, QStringLiteral("server/report")),
        baseUrl(ini, QStringLiteral("server/update")) };
}

} // namespace shell
