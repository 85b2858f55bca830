#include "shell/htmlfetch.h"

#include "loopbackserver.h"
#include "platform/services.h"
#include "platform/text.h"
#include "printers.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using shelltest::LoopbackServer;

class GetHtmlStrTest : public ::testing::Test {
protected:
    GetHtmlStrTest()
    {
        state.errorSink = [this](QString tag, int, QString, QString) { reports << tag; };
    }

    QString fetch(const QString& url, int timeoutMs)
    {
        return shell::getHtmlStr(state, *services.http, url, timeoutMs);
    }

    QTemporaryDir dir {};
    plat::Services services { plat::makeRealServices(
        dir.path() + QStringLiteral("/lock"), dir.path() + QStringLiteral("/settings.ini")) };
    shell::AppState state {};
    QStringList reports {};
};

TEST_F(GetHtmlStrTest, RepliesBecomeTextAndFailuresBecomeEmpty)
{
    struct Case {
        const char* name;
        LoopbackServer::Mode mode;
        QByteArray body;
        QString expected;
        bool reported;
    };
    using Mode = LoopbackServer::Mode;
    const Case cases[] = {
        { "spaces trimmed, line end kept", Mode::Answer, "  201501011200\r\n", "201501011200\r\n",
            false },
        { "tabs kept", Mode::Answer, "\tx\t ", "\tx\t", false },
        { "only spaces", Mode::Answer, "     ", "", false },
        { "empty body", Mode::Answer, "", "", false },
        { "GBK body", Mode::Answer, plat::encodeGbk(QStringLiteral("题库 更新")),
            QStringLiteral("题库 更新"), false },
        { "late but within the limit", Mode::Late, "20", "20", false },
        { "error page", Mode::NotFound, "error: no such file", "", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reports.clear();
        LoopbackServer server(c.mode, c.body, 300);
        ASSERT_TRUE(server.listening());
        EXPECT_EQ(fetch(server.baseUrl() + "/up/list.txt?v=1", 2000), c.expected);
        EXPECT_EQ(server.targets, QStringList { "/up/list.txt?v=1" });
        EXPECT_EQ(reports, c.reported ? QStringList { "getHtmlStr" } : QStringList {});
    }
}

TEST_F(GetHtmlStrTest, RefusedConnectionIsReportedAndEmpty)
{
    QString url;
    {
        LoopbackServer closed(LoopbackServer::Mode::Answer);
        url = closed.baseUrl() + "/x";
    }
    EXPECT_EQ(fetch(url, 2000), QString());
    EXPECT_EQ(reports, QStringList { "getHtmlStr" });
}

TEST_F(GetHtmlStrTest, SilentServerGivesTheTimeoutTextWhileTimersRun)
{
    LoopbackServer server(LoopbackServer::Mode::Never);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(50);

    QElapsedTimer clock;
    clock.start();
    const QString result = fetch(server.baseUrl() + "/list.txt", 300);
    const qint64 elapsed = clock.elapsed();

    EXPECT_EQ(result, QStringLiteral("error-timeout，网络状况不好，请重试！"));
    EXPECT_TRUE(result.startsWith(QStringLiteral("error")));
    EXPECT_GE(elapsed, 300); // the whole limit was waited
    EXPECT_GT(ticks, 0) << "the wait must keep timers running";
    EXPECT_EQ(server.targets.size(), 1);
    EXPECT_TRUE(reports.isEmpty()) << "a time-out is a result, not a failure";
}

} // namespace
