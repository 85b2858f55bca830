#pragma once

// HTTP text fetch with a time limit, keeping the interface live while it waits.

#include "core/appstate.h"

#include <QString>

#include <cstdint>

namespace plat {
class Http;
}

namespace shell {

// What getHtmlStr returns when the time limit passes. Callers recognise it by its first five
// characters "error".
inline const QString kHtmlTimeoutText = QStringLiteral("error-timeout，网络状况不好，请重试！");

// getHtmlStr(url, seconds): a GET of `url`. Returns the body decoded from GBK without leading
// and trailing spaces (line ends and tabs stay); kHtmlTimeoutText when no reply came within
// `seconds`; the empty text after a failure (network error or a non-2xx status), which is
// reported under the tag "getHtmlStr". Window events and timers keep running during the wait.
QString getHtmlStr(AppState& state, plat::Http& http, const QString& url, int16_t seconds);

} // namespace shell
