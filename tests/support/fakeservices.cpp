#include "support/fakeservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace testsupport {

using namespace plat;

namespace {

    // Replies are found by the address as written in the table; a test may write it either way.
    const HttpReply* findReply(const std::map<QString, HttpReply>& replies, const QUrl& url)
    {
        for (const QString& form : { url.toString(), url.toString(QUrl::FullyEncoded) }) {
            if (auto it = replies.find(form); it != replies.end())
                return &it->second;
        }
        return nullptr;
    }

} // namespace

// The fake shell records every request, including the ones it is told to refuse, so a test can
// see what the program tried.
Status FakeShell::openFolder(const QString& path)
{
    opened << path;
    return fail ? Status::failure(err::PathNotFound, QStringLiteral("Path not found: %1").arg(path))
                : Status();
}

Status FakeShell::openUrl(const QString& url)
{
    opened << url;
    return fail ? Status::failure(err::FileIo, QStringLiteral("Cannot open %1").arg(url))
                : Status();
}

Status FakeShell::startDetached(const QString& program, const QStringList& arguments)
{
    started.emplace_back(program, arguments);
    return fail ? Status::failure(err::FileNotFound, QStringLiteral("Cannot start %1").arg(program))
                : Status();
}

Status FakeSettings::setValue(const QString& key, const QString& name, const QString& value)
{
    // failAfter counts down the writes still allowed; at zero it stays there.
    if (failAfter == 0)
        return Status::failure(
            err::FileIo, QStringLiteral("Cannot write setting %1\\%2").arg(key, name));
    if (failAfter > 0)
        --failAfter;
    values[key + QLatin1Char('\\') + name] = value;
    return {};
}

QString FakeSettings::value(const QString& key, const QString& name) const
{
    const auto it = values.find(key + QLatin1Char('\\') + name);
    return it == values.end() ? QString() : it->second;
}

Status FakeKeyboardLayouts::activate(const QString& id)
{
    for (const KeyboardLayout& layout : layouts) {
        if (layout.id == id) {
            activated << id;
            return {};
        }
    }
    return Status::failure(
        err::InvalidProperty, QStringLiteral("Unknown keyboard layout %1").arg(id));
}

Result<HttpReply> FakeHttp::get(const QUrl& url, int timeoutMs)
{
    requested << url.toString();
    const HttpReply* reply = findReply(replies, url);
    if (!reply)
        return Error { err::Network, QStringLiteral("Cannot connect to %1").arg(url.toString()) };
    if (!isSuccessStatus(reply->status))
        return httpStatusError(reply->status);
    return *reply;
}

void FakeHttp::send(const QUrl& url, int) { requested << url.toString(); }

Status FakeHttp::download(const QUrl& url, const QString& path, int timeoutMs)
{
    Result<HttpReply> reply = get(url, timeoutMs);
    if (!reply)
        return reply.status();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reply.value().body) != reply.value().body.size() || !file.commit())
        return Status::failure(
            err::FileIo, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return {};
}

bool FakeMessageBoxes::open(const Box& box)
{
    shown.push_back(box);
    if (answers.empty())
        return true;
    const bool a = answers.front();
    answers.erase(answers.begin());
    return a;
}

Services makeFakeServices()
{
    Services services;
    services.singleInstance = std::make_unique<FakeSingleInstance>();
    services.shell = std::make_unique<FakeShell>();
    services.settings = std::make_unique<FakeSettings>();
    services.keyboardLayouts = std::make_unique<FakeKeyboardLayouts>();
    services.http = std::make_unique<FakeHttp>();
    services.messageBoxes = std::make_unique<FakeMessageBoxes>();
    return services;
}

} // namespace testsupport
