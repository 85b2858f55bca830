#include "shell/htmlfetch.h"

#include "core/errorreport.h"
#include "platform/services.h"
#include "platform/text.h"

#include <QUrl>

#include <algorithm>

namespace shell {

QString getHtmlStr(AppState& state, plat::Http& http, const QString& url, int16_t seconds)
{
    const auto reply = http.get(QUrl(url), std::max<int>(seconds, 0));
    if (reply.ok())
        return plat::trimSpaces(plat::decodeGbk(reply.value().body));
    if (reply.error().number == plat::err::Timeout)
        return kHtmlTimeoutText;
    // An error page is not the text the caller asked for: the caller gets the empty text, which
    // the update run already treats as "no newer version".
    fail(state, QStringLiteral("getHtmlStr"), reply.error());
    return {};
}

} // namespace shell
