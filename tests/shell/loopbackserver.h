#pragma once

// A one-file HTTP server on 127.0.0.1 that a test starts for itself. It records the target of
// every request ("/path?query") and answers as the test asks: at once, late, never, or 404.

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace shelltest {

// Writes a whole HTTP reply and closes the connection.
inline void reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& body)
{
    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

// Listens on 127.0.0.1 and hands each request's target ("/path?query"), once its head has
// arrived, to `onRequest`, which answers on the socket or never.
inline void serveRequests(
    QTcpServer& server, std::function<void(QTcpSocket*, const QByteArray& target)> onRequest)
{
    server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&server, onRequest] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, buffer, onRequest] {
                const bool hadHead = buffer->contains("\r\n\r\n");
                buffer->append(socket->readAll());
                if (hadHead || !buffer->contains("\r\n\r\n"))
                    return;
                const QList<QByteArray> line = buffer->left(buffer->indexOf("\r\n")).split(' ');
                onRequest(socket, line.size() > 1 ? line[1] : QByteArray());
            });
        }
    });
}

class LoopbackServer {
public:
    enum class Mode { Answer, Late, Never, NotFound };

    explicit LoopbackServer(Mode mode, QByteArray body = {}, int delayMs = 0)
        : mode(mode)
        , body(std::move(body))
        , delayMs(delayMs)
    {
        serveRequests(server, [this](QTcpSocket* socket, const QByteArray& target) {
            targets << QString::fromLatin1(target);
            answer(socket);
        });
    }

    bool listening() const { return server.isListening(); }
    QString baseUrl() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
    }

    QStringList targets {}; // one per request, in arrival order

private:
    void answer(QTcpSocket* socket)
    {
        switch (mode) {
        case Mode::Answer:
            reply(socket, "200 OK", body);
            break;
        case Mode::Late:
            QTimer::singleShot(delayMs, socket, [this, socket] { reply(socket, "200 OK", body); });
            break;
        case Mode::Never:
            break;
        case Mode::NotFound:
            reply(socket, "404 Not Found", body);
            break;
        }
    }

    Mode mode = Mode::Answer;
    QByteArray body {};
    int delayMs = 0;
    QTcpServer server {}; // owns the accepted sockets
};

// The key/value pairs of a request target's query, in order, decoded as a web server decodes a
// form query: "+" is a space, then percent escapes as UTF-8.
inline std::vector<std::pair<QString, QString>> queryItems(const QString& target)
{
    std::vector<std::pair<QString, QString>> items;
    const qsizetype mark = target.indexOf(QLatin1Char('?'));
    if (mark < 0)
        return items;
    for (const QString& pair : target.mid(mark + 1).split(QLatin1Char('&'))) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? pair : pair.left(eq);
        const QString value = eq < 0 ? QString() : pair.mid(eq + 1);
        const auto decode = [](QString part) {
            return QUrl::fromPercentEncoding(
                part.replace(QLatin1Char('+'), QLatin1Char(' ')).toLatin1());
        };
        items.emplace_back(decode(key), decode(value));
    }
    return items;
}

} // namespace shelltest
