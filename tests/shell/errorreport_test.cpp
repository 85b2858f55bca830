#include "core/errorreport.h"

#include "loopbackserver.h"
#include "platform/services.h"
#include "platform/text.h"
#include "printers.h"
#include "support/fakeservices.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

using shelltest::LoopbackServer;
using testsupport::readFile;
using testsupport::writeFile;

const QDateTime kWhen(QDate(2024, 3, 9), QTime(7, 5, 30));

// Runs events until `count` requests have reached a server (reports are sent in the
// background); false when they never come.
bool arrived(const QStringList& targets, int count)
{
    QDeadlineTimer patience(30000);
    while (targets.size() < count && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return targets.size() >= count;
}

// A program folder with its ksdata folder, and state as the reporter reads it.
class ReporterTest : public ::testing::Test {
protected:
    ReporterTest()
    {
        QDir(dir.path()).mkpath("ksdata");
        state.ModuleName = QStringLiteral("图像处理");
        state.OsVersion = QStringLiteral("6.1");
        state.BankVersion = QStringLiteral("201501011200");
        state.LogPath = shell::runLogPath(dir.path(), kWhen);
    }

    QByteArray log() const { return readFile(state.LogPath); }

    static QByteArray entry(const QString& text)
    {
        return plat::encodeGbk(QStringLiteral("\r\n2024-03-09 07:05:30\r\n") + text);
    }

    QTemporaryDir dir {};
    shell::AppState state {};
    plat::Services services { plat::makeRealServices(
        dir.path() + QStringLiteral("/lock"), dir.path() + QStringLiteral("/settings.ini")) };
};

TEST_F(ReporterTest, RunLogEntriesHaveTheirLayout)
{
    EXPECT_EQ(state.LogPath, dir.path() + QStringLiteral("/ksdata/20240309070530.txt"));
    testsupport::FakeHttp http;
    shell::ErrorReporter reporter(state, &http, {}, [] { return kWhen; });

    shell::AppendLog(state.LogPath, QStringLiteral("  开始 运行  "), kWhen);
    reporter.ReportError(QStringLiteral("readInfo"), 53, QStringLiteral("File not found"),
        QStringLiteral(" not logged"));
    state.BankVersion.clear();
    reporter.ReportError(QStringLiteral("tkup"), -2147483647 - 1, QStringLiteral(" a b "), {});

    EXPECT_EQ(log(),
        entry(QStringLiteral("开始 运行\r\n"))
            + entry(QStringLiteral("软件运行提示:readInfoFile not found\r\n"
                                   "系统版本:6.1,软件版本:201501011200,53\r\n\r\n"))
            + entry(QStringLiteral("软件运行提示:tkup a b \r\n"
                                   "系统版本:6.1,软件版本:,-2147483648\r\n\r\n")));
    EXPECT_TRUE(http.requested.isEmpty()) << "no report server configured: log only";
}

// A records folder that cannot take the run log (read-only, full, or a folder where the log
// should be) must not swallow the entries: each goes to the standard error instead.
TEST_F(ReporterTest, EntriesTheRunLogCannotTakeGoToStandardError)
{
    shell::ErrorReporter reporter(state, nullptr, {}, [] { return kWhen; });
    reporter.ReportError(QStringLiteral("tkup"), 57, QStringLiteral("kept in the log"), {});
    testing::internal::CaptureStderr();
    reporter.ReportError(QStringLiteral("tkup"), 57, QStringLiteral("second entry"), {});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string())
        << "an entry the log took is not repeated";

    QFile::remove(state.LogPath);
    ASSERT_TRUE(QDir().mkpath(state.LogPath));
    testing::internal::CaptureStderr();
    reporter.ReportError(QStringLiteral("checkanswer"), 62, QStringLiteral("答案行 7 不存在"), {});
    shell::AppendLog(state.LogPath, QStringLiteral("  第二条  "), kWhen);
    const QString err = QString::fromLocal8Bit(testing::internal::GetCapturedStderr());
    EXPECT_TRUE(err.contains(QStringLiteral("2024-03-09 07:05:30\n软件运行提示:checkanswer答案行 7 "
                                            "不存在\n系统版本:6.1,软件版本:201501011200,62\n")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("\n第二条\n"))) << err.toStdString();
    EXPECT_TRUE(err.contains(state.LogPath)) << "the reason names the log";
}

TEST_F(ReporterTest, ReportArrivesWholeAtTheServer)
{
    LoopbackServer server(LoopbackServer::Mode::Answer, "ok");
    ASSERT_TRUE(server.listening());
    shell::ErrorReporter reporter(state, services.http.get(), { server.baseUrl() + "/", {} });
    state.BankVersion.clear();

    const QString description = QStringLiteral("a & b=c + d 100%#中文?");
    reporter.ReportError(QStringLiteral("readInfo"), -5, description, QStringLiteral(" &x=1"));

    ASSERT_TRUE(arrived(server.targets, 1));
    ASSERT_EQ(server.targets.size(), 1);
    EXPECT_TRUE(server.targets[0].startsWith(QStringLiteral("/up/error/submit.asp?")))
        << server.targets[0].toStdString();
    EXPECT_TRUE(server.targets[0].contains(QStringLiteral("&pver=&osver=")))
        << "an empty bank version is still sent as its key";
    const std::vector<std::pair<QString, QString>> expected {
        { "pronm", QStringLiteral("图像处理") },
        { "pver", QString() },
        { "osver", "6.1" },
        { "errsub", "readInfo" },
        { "errno", "-5" },
        { "errdescript", description + QStringLiteral(" &x=1") },
    };
    EXPECT_EQ(shelltest::queryItems(server.targets[0]), expected)
        << server.targets[0].toStdString();
}

TEST_F(ReporterTest, ReportBeforeTheRunLogPathIsSentButNotWritten)
{
    LoopbackServer server(LoopbackServer::Mode::Answer, "ok");
    shell::ErrorReporter reporter(state, services.http.get(), { server.baseUrl(), {} });
    reporter.install(state);
    state.LogPath.clear();

    shell::fail(state, QStringLiteral("startload"), { 481, QStringLiteral("Invalid picture") });

    EXPECT_TRUE(arrived(server.targets, 1));
    EXPECT_EQ(server.targets.size(), 1);
    EXPECT_TRUE(QDir(dir.path() + "/ksdata").isEmpty());
}

// A report runs nothing of the program inside the failing statement: a timer that is due and
// the server's handling of the request wait until the statement is over. Failures that those
// handlers meet afterwards log and send their own reports, in order.
TEST_F(ReporterTest, AReportRunsNoHandlerInsideTheFailingStatement)
{
    QTcpServer server;
    QStringList targets;
    shelltest::serveRequests(server, [&](QTcpSocket* socket, const QByteArray& target) {
        targets << QString::fromLatin1(target);
        if (targets.size() == 1) {
            shell::fail(state, QStringLiteral("tkup"), { 53, QStringLiteral("second") });
            shell::fail(state, QStringLiteral("upload"), { 57, QStringLiteral("third") });
        }
        shelltest::reply(socket, "200 OK", {});
    });
    shell::ErrorReporter reporter(state, services.http.get(),
        { QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()), {} },
        [] { return kWhen; });
    reporter.sendLimitMs = 30000; // never reached: every request is answered
    reporter.install(state);
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });

    const shell::ErrorSite site(state, QStringLiteral("readInfo"));
    EXPECT_FALSE(site.check(plat::Status::failure(13, QStringLiteral("first"))));

    EXPECT_FALSE(timerRan) << "the report ran the program's events";
    EXPECT_TRUE(targets.isEmpty());
    EXPECT_EQ(state.ErrSub, QStringLiteral("readInfo"));
    ASSERT_TRUE(arrived(targets, 3));
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(log(),
        entry(QStringLiteral(
            "软件运行提示:readInfofirst\r\n系统版本:6.1,软件版本:201501011200,13\r\n\r\n"))
            + entry(QStringLiteral(
                "软件运行提示:tkupsecond\r\n系统版本:6.1,软件版本:201501011200,53\r\n\r\n"))
            + entry(QStringLiteral(
                "软件运行提示:uploadthird\r\n系统版本:6.1,软件版本:201501011200,57\r\n\r\n")));
    ASSERT_EQ(targets.size(), 3);
    EXPECT_EQ(shelltest::queryItems(targets[0])[5].second, QStringLiteral("first"));
    EXPECT_EQ(state.ErrSub, QStringLiteral("upload")); // the last handler's values stay
    EXPECT_EQ(state.ErrNo, 57);
}

TEST(ErrorSite, StoresTheFailureAndReportsOnlyFailures)
{
    shell::AppState state;
    QStringList reports;
    state.errorSink = [&](QString tag, int number, QString description, QString extra) {
        reports << QStringLiteral("%1|%2|%3|%4").arg(tag).arg(number).arg(description, extra);
    };
    const shell::ErrorSite site(state, QStringLiteral("fengmaincsh"));

    EXPECT_TRUE(site.check(plat::Status()));
    EXPECT_TRUE(site.check(plat::Result<int>(3)));
    EXPECT_FALSE(site.check(plat::Result<int>(plat::Error { 53, QStringLiteral("gone") })));

    EXPECT_EQ(reports, QStringList { QStringLiteral("fengmaincsh|53|gone|") });
    EXPECT_EQ(state.ErrSub, QStringLiteral("fengmaincsh"));
    EXPECT_EQ(state.ErrNo, 53);
    EXPECT_EQ(state.ErrDesc, QStringLiteral("gone"));
}

TEST(ServerConfig, ReadsTheOptionalIniFile)
{
    struct Case {
        const char* name;
        const char* ini; // nullptr: no file
        QString report;
        QString update;
    };
    const Case cases[] = {
        { "no file", nullptr, {}, {} },
        { "both", "[server]\nreport=http://127.0.0.1:8080/\nupdate = http://up.example/base//\n",
            "http://127.0.0.1:8080", "http://up.example/base" },
        { "update only", "[server]\nupdate=http://up.example\n", {}, "http://up.example" },
        { "other section", "[other]\nreport=http://x\n", {}, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        if (c.ini)
            writeFile(dir.path() + "/server.ini", c.ini);
        const shell::ServerConfig config = shell::readServerConfig(dir.path());
        EXPECT_EQ(config.reportBaseUrl, c.report);
        EXPECT_EQ(config.updateBaseUrl, c.update);
    }
}

} // namespace
