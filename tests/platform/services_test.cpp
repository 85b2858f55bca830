#include "platform/services.h"
#include "support/fakeservices.h"

#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUuid>

#include <gtest/gtest.h>

#include <atomic>

using namespace plat;
using namespace testsupport;

namespace {

// A loopback HTTP server run by the test's own event loop, which the client's wait keeps going:
//   /ok      200 with a body
//   /slow    200, but only after 1.5 s
//   /never   reads the request and never answers
//   /missing 404 with a body
//   /cut     200, but the connection closes before the promised body is complete
class LoopbackServer {
public:
    static constexpr const char* okBody = "fresh content\r\nline two";

    LoopbackServer()
    {
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection())
                QObject::connect(
                    socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
        });
        server.listen(QHostAddress::LocalHost, 0);
    }

    bool listening() const { return server.isListening(); }
    QUrl url(const char* path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2")
                        .arg(server.serverPort())
                        .arg(QLatin1String(path)));
    }

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray& request = pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        pending.remove(socket);
        if (path == "/ok") {
            answer(socket, "200 OK", okBody);
        } else if (path == "/missing") {
            answer(socket, "404 Not Found", "no such page");
        } else if (path == "/cut") {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly the first part");
            socket->disconnectFromHost();
        } else if (path == "/slow") {
            QPointer<QTcpSocket> later(socket);
            QTimer::singleShot(1500, socket, [later] {
                if (later)
                    answer(later, "200 OK", "too late");
            });
        }
    }

    static void answer(QTcpSocket* socket, const char* status, const QByteArray& body)
    {
        socket->write(QByteArray("HTTP/1.1 ") + status
            + "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size())
            + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server {};
    QHash<QTcpSocket*, QByteArray> pending {};
};

// A server with a body far past every limit a test sets, run on a thread of its own as a real
// server would be, so the client's wait is the only thing that reads it:
//   /endless 200 without a length, sending while the client reads, up to bodyBytes
//   /huge    200 promising a gigabyte, sending while the client reads, up to bodyBytes
// (Qt reads a refused reply's body to its end before it lets the connection go: a body that
// ends lets the next request through.)
class EndlessBodyServer {
public:
    explicit EndlessBodyServer(qint64 bodyBytes)
        : bodyBytes(bodyBytes)
    {
        server.moveToThread(&thread);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection())
                QObject::connect(
                    socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
        });
        thread.start();
        QMetaObject::invokeMethod(
            &server, [this] { server.listen(QHostAddress::LocalHost, 0); },
            Qt::BlockingQueuedConnection);
    }
    ~EndlessBodyServer()
    {
        QMetaObject::invokeMethod(
            &server, [this] { server.close(); }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }

    QUrl url(const char* path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(QLatin1String(path)));
    }
    quint16 port() const
    {
        quint16 p = 0;
        QMetaObject::invokeMethod(
            &server, [this, &p] { p = server.serverPort(); }, Qt::BlockingQueuedConnection);
        return p;
    }

    const qint64 bodyBytes;
    std::atomic<qint64> sent { 0 }; // body bytes handed to the sockets

private:
    void serve(QTcpSocket* socket)
    {
        const QByteArray request = socket->readAll();
        if (!request.contains("\r\n\r\n") || socket->property("serving").toBool())
            return;
        socket->setProperty("serving", true);
        socket->write(request.split(' ').value(1) == "/huge"
                ? "HTTP/1.1 200 OK\r\nContent-Length: 1073741824\r\n\r\n"
                : "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        // More whenever the last piece has gone out, so only a client that reads gets more.
        auto left = std::make_shared<qint64>(bodyBytes);
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket, left] {
            if (socket->bytesToWrite() != 0 || socket->state() != QAbstractSocket::ConnectedState)
                return;
            if (*left <= 0) {
                socket->disconnectFromHost();
                return;
            }
            const qint64 n = socket->write(QByteArray(64 * 1024, 'x'));
            *left -= n;
            sent += n;
        });
        QObject::connect(
            socket, &QTcpSocket::disconnected, socket, [socket] { socket->deleteLater(); });
    }

    QThread thread {};
    mutable QTcpServer server {};
};

class HttpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listening());
        ASSERT_TRUE(dir.isValid());
    }

    LoopbackServer server {};
    Services services = makeRealServices(QStringLiteral("unused"), QString());
    Http& http = *services.http;
    QTemporaryDir dir {};
};

TEST_F(HttpTest, GetReturnsTheBodyOfASuccessfulReply)
{
    Result<HttpReply> reply = http.get(server.url("/ok"), 5000);
    ASSERT_TRUE(reply.ok()) << reply.error().description.toStdString();
    EXPECT_EQ(reply.value().status, 200);
    EXPECT_EQ(reply.value().body, QByteArray(LoopbackServer::okBody));
}

TEST_F(HttpTest, ErrorStatusAndUnreachableServerAreFailures)
{
    Result<HttpReply> missing = http.get(server.url("/missing"), 5000);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().number, err::Network);
    EXPECT_TRUE(missing.error().description.contains(QLatin1String("404")));

    // A port nobody listens on: take one from a server and close it again.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    Result<HttpReply> refused
        = http.get(QUrl(QStringLiteral("http://127.0.0.1:%1/ok").arg(port)), 5000);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().number, err::Network);

    // Only HTTP goes over this interface; a local file address must not be read through it.
    Result<HttpReply> file
        = http.get(QUrl::fromLocalFile(QDir::rootPath() + QStringLiteral("etc/hostname")), 5000);
    EXPECT_FALSE(file.ok());
}

TEST_F(HttpTest, TimeLimitAbortsWhileTimersKeepRunning)
{
    for (const char* path : { "/slow", "/never" }) {
        SCOPED_TRACE(path);
        int ticks = 0;
        QTimer ticker;
        ticker.setInterval(50);
        QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start();
        QElapsedTimer clock;
        clock.start();
        Result<HttpReply> reply = http.get(server.url(path), 300);
        const qint64 elapsed = clock.elapsed();
        ASSERT_FALSE(reply.ok());
        EXPECT_EQ(reply.error().number, err::Timeout);
        EXPECT_GE(elapsed, 300); // the whole limit was waited
        EXPECT_GT(ticks, 0); // timers kept running during the wait
    }
}

TEST_F(HttpTest, DownloadReplacesTheFileOnlyAfterACompleteReply)
{
    const QString target = dir.filePath(QStringLiteral("update.mxy"));
    const QByteArray old("old content that must survive");
    const struct {
        const char* path;
        int error;
    } failures[] = {
        { "/missing", err::Network },
        { "/cut", err::Network },
        { "/never", err::Timeout },
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.path);
        testsupport::writeFile(target, old);
        Status status = http.download(server.url(f.path), target, 300);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().number, f.error);
        EXPECT_EQ(testsupport::readFile(target), old);
        EXPECT_EQ(
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "update.mxy" });
    }

    ASSERT_TRUE(http.download(server.url("/ok"), target, 5000).ok());
    EXPECT_EQ(testsupport::readFile(target), QByteArray(LoopbackServer::okBody));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "update.mxy" });

    Status noFolder = http.download(
        server.url("/ok"), dir.filePath(QStringLiteral("no/such/folder/f.mxy")), 5000);
    EXPECT_FALSE(noFolder.ok());
}

// A server answering with a body without end must not fill the memory or the disk: a list fetch
// and a download refuse it once it passes their limit, and a report's reply, which nobody
// reads, is dropped as it comes.
TEST_F(HttpTest, BodiesPastTheLimitAreRefusedNeverKept)
{
    EndlessBodyServer endless(qint64(32) << 20);
    http.maxReplyBytes = 256 * 1024;
    http.maxDownloadBytes = 1024 * 1024;
    const QString target = dir.filePath(QStringLiteral("update.mxy"));
    for (const char* path : { "/endless", "/huge" }) {
        SCOPED_TRACE(path);
        Result<HttpReply> reply = http.get(endless.url(path), 60000);
        ASSERT_FALSE(reply.ok());
        EXPECT_EQ(reply.error().number, err::Network);
        EXPECT_TRUE(reply.error().description.contains(QLatin1String("longer than")));

        testsupport::writeFile(target, "old");
        Status status = http.download(endless.url(path), target, 60000);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().number, err::Network);
        EXPECT_EQ(testsupport::readFile(target), QByteArray("old"));
        EXPECT_EQ(
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "update.mxy" });
    }
    // A body within the limits still arrives whole.
    http.maxReplyBytes = http.maxDownloadBytes = qint64(qstrlen(LoopbackServer::okBody));
    EXPECT_TRUE(http.get(server.url("/ok"), 5000).ok());
    EXPECT_TRUE(http.download(server.url("/ok"), target, 5000).ok());
}

// Under AddressSanitizer freed blocks wait in its quarantine (256 MB by default) instead of being
// used again, so the resident memory of the process says nothing about what the program keeps:
// the memory bounds below are checked in the normal build, where these tests run too.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kResidentMemoryTellsWhatIsKept = false;
#else
constexpr bool kResidentMemoryTellsWhatIsKept = true;
#endif

// A size the kernel gives for this process in /proc/self/status, in bytes (-1: not there):
// "VmRSS" the resident memory, "VmHWM" its highest since the last reset.
qint64 procStatusBytes(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = field + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}
qint64 residentBytes() { return procStatusBytes("VmRSS"); }
qint64 peakResidentBytes() { return procStatusBytes("VmHWM"); }

// A fast server must not get ahead of the program: what Qt's network thread has read and the
// program has not yet taken stays small, so a download refused at its limit never held more.
TEST_F(HttpTest, AFastServerIsNotReadFarAheadOfTheProgram)
{
    EndlessBodyServer endless(qint64(1) << 40);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    ASSERT_TRUE(clear.open(QIODevice::WriteOnly));
    ASSERT_EQ(clear.write("5"), 1); // resets the peak
    clear.close();
    const qint64 before = peakResidentBytes();
    ASSERT_GT(before, 0);
    const QString target = dir.filePath(QStringLiteral("update.mxy"));
    ASSERT_FALSE(http.download(endless.url("/endless"), target, 120000).ok());
    EXPECT_GT(endless.sent, http.maxDownloadBytes);
    if (kResidentMemoryTellsWhatIsKept) {
        EXPECT_LT(peakResidentBytes() - before, http.maxDownloadBytes);
    }
}

TEST_F(HttpTest, ASentReportsReplyIsDroppedAsItComes)
{
    constexpr qint64 kFlood = qint64(128) << 20;
    EndlessBodyServer endless(qint64(1) << 40);
    const qint64 before = residentBytes();
    ASSERT_GT(before, 0);
    // The time and size limits are far away: the body flows for the whole test.
    http.maxReplyBytes = qint64(1) << 40;
    http.send(endless.url("/endless"), 600000);
    QDeadlineTimer patience(120000);
    while (endless.sent < kFlood && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_GE(endless.sent, kFlood);
    if (kResidentMemoryTellsWhatIsKept) {
        EXPECT_LT(residentBytes() - before, kFlood / 4) << "the reply's body was kept";
    }
}

TEST(ServicesSettings, RoundTripThroughTheIniFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    const QString key = QStringLiteral("Software\\Practice\\Module");
    {
        Services services = makeRealServices(QStringLiteral("unused"), file);
        ASSERT_TRUE(
            services.settings
                ->setValue(key, QStringLiteral("ProPath01"), QStringLiteral("C:\\exam\\data\\"))
                .ok());
        ASSERT_TRUE(services.settings
                        ->setValue(key, QStringLiteral("ProName01"), QStringLiteral("图像处理"))
                        .ok());
        // A name with separators stays one value of this key, not a value of another key.
        ASSERT_TRUE(
            services.settings->setValue(key, QStringLiteral("a/b\\c"), QStringLiteral("x")).ok());
    }
    Services reopened = makeRealServices(QStringLiteral("unused"), file);
    Settings& settings = *reopened.settings;
    EXPECT_EQ(settings.value(key, QStringLiteral("ProPath01")), QStringLiteral("C:\\exam\\data\\"));
    EXPECT_EQ(settings.value(key, QStringLiteral("ProName01")), QStringLiteral("图像处理"));
    EXPECT_EQ(settings.value(key, QStringLiteral("a/b\\c")), QStringLiteral("x"));
    EXPECT_EQ(settings.value(key + QStringLiteral("\\a\\b"), QStringLiteral("c")), QString());
    EXPECT_EQ(settings.value(key, QStringLiteral("ProPath02")), QString());
    EXPECT_EQ(
        settings.value(QStringLiteral("Software\\Other"), QStringLiteral("ProPath01")), QString());
}

TEST(ServicesSettings, UnwritableFileIsAFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The settings folder would have to be created inside a plain file.
    const QString blocker = dir.filePath(QStringLiteral("file"));
    testsupport::writeFile(blocker, "x");
    Services services
        = makeRealServices(QStringLiteral("unused"), blocker + QStringLiteral("/settings.ini"));
    Status status = services.settings->setValue(
        QStringLiteral("Software\\Name"), QStringLiteral("v"), QStringLiteral("1"));
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().number, err::FileIo);
}

TEST(ServicesSingleInstance, SecondHolderOfTheSameLockIsRefused)
{
    const QString name
        = QStringLiteral("services-test-") + QUuid::createUuid().toString(QUuid::Id128);
    Services first = makeRealServices(name, QString());
    Services second = makeRealServices(name, QString());
    Services other = makeRealServices(name + QStringLiteral("-other"), QString());
    EXPECT_TRUE(first.singleInstance->acquire());
    EXPECT_TRUE(first.singleInstance->acquire()); // asking again keeps the lock it holds
    EXPECT_FALSE(second.singleInstance->acquire());
    EXPECT_TRUE(other.singleInstance->acquire());

    // The lock lives as long as its holder.
    first = Services {};
    EXPECT_TRUE(second.singleInstance->acquire());
}

TEST(ServicesSingleInstance, LockLeftByADeadProcessIsTakenOver)
{
    const QString name
        = QStringLiteral("services-test-") + QUuid::createUuid().toString(QUuid::Id128);
    const QString lockPath = QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock"));
    // A lock file as a crashed instance leaves it: a process id that cannot be running.
    testsupport::writeFile(
        lockPath, "2147483646\nks\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    Services services = makeRealServices(name, QString());
    EXPECT_TRUE(services.singleInstance->acquire());
    services = Services {};
    EXPECT_FALSE(QFile::exists(lockPath));
}

TEST(ServicesKeyboardLayouts, ListedLayoutsActivateUnknownOnesFail)
{
    Services services = makeRealServices(QStringLiteral("unused"), QString());
    const std::vector<KeyboardLayout> layouts = services.keyboardLayouts->list();
    ASSERT_FALSE(layouts.empty());
    for (const KeyboardLayout& layout : layouts) {
        EXPECT_FALSE(layout.id.isEmpty());
        // A plain keyboard has no description; an input method a readable name, never a bare
        // code such as the C locale's "C".
        EXPECT_TRUE(layout.description.isEmpty()
            || (layout.description.size() > 1 && layout.description != layout.id))
            << layout.description.toStdString();
        EXPECT_NE(layout.id, QStringLiteral("C"));
        EXPECT_TRUE(services.keyboardLayouts->activate(layout.id).ok()) << layout.id.toStdString();
    }
    EXPECT_FALSE(services.keyboardLayouts->activate(QStringLiteral("xx_NOPE")).ok());
}

TEST(ServicesShell, RefusesWhatItCannotOpen)
{
    Services services = makeRealServices(QStringLiteral("unused"), QString());
    Shell& shell = *services.shell;
    EXPECT_EQ(
        shell.openFolder(QStringLiteral("/no/such/folder/here")).error().number, err::PathNotFound);
    for (const char* address : { "file:///etc/passwd", "/etc/passwd", "javascript:alert(1)", "" })
        EXPECT_FALSE(shell.openUrl(QLatin1String(address)).ok()) << address;
    EXPECT_FALSE(shell.startDetached(QStringLiteral("/no/such/program"), {}).ok());
}

TEST(ServicesOsVersion, IsMajorMinorOfTheKernel)
{
    const QString version = osVersion();
    ASSERT_NE(version, QStringLiteral("Unknown"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+$")).match(version).hasMatch())
        << version.toStdString();
    EXPECT_TRUE(QSysInfo::kernelVersion().startsWith(version + QLatin1Char('.'))
        || QSysInfo::kernelVersion().startsWith(version + QLatin1Char('-')));
}

TEST(ServicesFakes, BehaveLikeTheRealOnes)
{
    Services services = makeFakeServices();

    auto& settings = static_cast<FakeSettings&>(*services.settings);
    settings.failAfter = 2;
    EXPECT_TRUE(
        settings.setValue(QStringLiteral("K"), QStringLiteral("a"), QStringLiteral("1")).ok());
    EXPECT_TRUE(
        settings.setValue(QStringLiteral("K"), QStringLiteral("b"), QStringLiteral("2")).ok());
    EXPECT_FALSE(
        settings.setValue(QStringLiteral("K"), QStringLiteral("c"), QStringLiteral("3")).ok());
    EXPECT_FALSE(
        settings.setValue(QStringLiteral("K"), QStringLiteral("d"), QStringLiteral("4")).ok());
    EXPECT_EQ(settings.values, (std::map<QString, QString> { { "K\\a", "1" }, { "K\\b", "2" } }));
    EXPECT_EQ(settings.value(QStringLiteral("K"), QStringLiteral("b")), QStringLiteral("2"));
    EXPECT_EQ(settings.value(QStringLiteral("K"), QStringLiteral("c")), QString());

    auto& layouts = static_cast<FakeKeyboardLayouts&>(*services.keyboardLayouts);
    layouts.layouts = { { QStringLiteral("zh_CN"), QStringLiteral("Chinese") } };
    EXPECT_TRUE(layouts.activate(QStringLiteral("zh_CN")).ok());
    EXPECT_FALSE(layouts.activate(QStringLiteral("en_US")).ok());
    EXPECT_EQ(layouts.activated, QStringList { "zh_CN" });

    auto& shell = static_cast<FakeShell&>(*services.shell);
    EXPECT_TRUE(shell.openUrl(QStringLiteral("http://a/")).ok());
    shell.fail = true;
    EXPECT_FALSE(shell.openFolder(QStringLiteral("/x")).ok());
    EXPECT_FALSE(shell.startDetached(QStringLiteral("prog"), { QStringLiteral("-a") }).ok());
    EXPECT_EQ(shell.opened, (QStringList { "http://a/", "/x" }));
    ASSERT_EQ(shell.started.size(), 1u);

    auto& http = static_cast<FakeHttp&>(*services.http);
    http.replies[QStringLiteral("http://h/list.txt")] = { 200, "list" };
    http.replies[QStringLiteral("http://h/gone")] = { 404, "gone" };
    Result<HttpReply> ok = http.get(QUrl(QStringLiteral("http://h/list.txt")), 5000);
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.value().body, QByteArray("list"));
    EXPECT_FALSE(http.get(QUrl(QStringLiteral("http://h/gone")), 5).ok());
    EXPECT_FALSE(http.get(QUrl(QStringLiteral("http://h/unknown")), 5).ok());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("list.txt"));
    testsupport::writeFile(target, "old");
    EXPECT_FALSE(http.download(QUrl(QStringLiteral("http://h/gone")), target, 5000).ok());
    EXPECT_EQ(testsupport::readFile(target), QByteArray("old"));
    EXPECT_TRUE(http.download(QUrl(QStringLiteral("http://h/list.txt")), target, 5000).ok());
    EXPECT_EQ(testsupport::readFile(target), QByteArray("list"));
    EXPECT_EQ(http.requested,
        (QStringList { "http://h/list.txt", "http://h/gone", "http://h/unknown", "http://h/gone",
            "http://h/list.txt" }));
}

} // namespace
