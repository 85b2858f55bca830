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

#include <memory>
#include <utility>
#include <vector>

namespace shelltest {

class LoopbackServer {
public:
    enum class Mode { Answer, Late, Never, NotFound };

    explicit LoopbackServer(Mode mode, QByteArray body = {}, int delayMs = 0)
        : mode(mode)
        , body(std::move(body))
        , delayMs(delayMs)
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] { accept(); });
    }

    bool listening() const { return server.isListening(); }
    QString baseUrl() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
    }

    QStringList targets {}; // one per request, in arrival order

private:
    void accept()
    {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                const bool hadHead = buffer->contains("\r\n\r\n");
                buffer->append(socket->readAll());
                if (hadHead || !buffer->contains("\r\n\r\n"))
                    return;
                const QList<QByteArray> requestLine
                    = buffer->left(buffer->indexOf("\r\n")).split(' ');
                targets << (requestLine.size() > 1 ? QString::fromLatin1(requestLine[1])
                                                   : QString());
                switch (mode) {
                case Mode::Answer:
                    respond(socket, "200 OK");
                    break;
                case Mode::Late:
                    QTimer::singleShot(
                        delayMs, socket, [this, socket] { respond(socket, "200 OK"); });
                    break;
                case Mode::Never:
                    break;
                case Mode::NotFound:
                    respond(socket, "404 Not Found");
                    break;
                }
            });
        }
    }

    void respond(QTcpSocket* socket, const QByteArray& status)
    {
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
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
