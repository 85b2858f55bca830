// The question-bank updater: the decisions on the update list, and whole update runs of the window
// against an update server on the loopback interface.

#include "shell/frmupdata.h"
#include "shell/updater.h"

#include "loopbackserver.h"
#include "platform/services.h"
#include "platform/text.h"
#include "printers.h"
#include "support/driven.h"
#include "support/skins.h"
#include "support/testsupport.h"
#include "widgets/msgbox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

namespace {

using testsupport::buttonStrip;
using testsupport::skinPicture;

using shell::FrmUpdata;
using shell::UpdateCheck;
using shelltest::LoopbackServer;
using testsupport::readFile;
using testsupport::writeFile;

const QString kInstalled = QStringLiteral("201501011200");
const QString kUpToDate = QStringLiteral("已是最新版本，无需升级。");
const QString kQuestion = QStringLiteral("题库有新文件，是否要进行升级？");
// The server paths of the list and the advert, as the window asks for them.
const QString kListPath = QStringLiteral("/up/plmrx/图像处理/tx/288895.txt");
const QString kAdvertPath = QStringLiteral("/up/ad/ps/170100.rar");

// Lists compare as text, so that a failure shows them readably.
QString lines(const QStringList& l) { return l.join(QLatin1Char('\n')); }

// The decisions ----------------------------------------------------------------------------------

TEST(UpdDecisions, ReplyVersionAgainstTheInstalledOne)
{
    struct Case {
        const char* reply;
        QString installed;
        UpdateCheck expected;
    };
    const Case cases[] = {
        { "201601011200\r\nD201601011200l30001", kInstalled, UpdateCheck::Newer },
        { "201501011201", kInstalled, UpdateCheck::Newer },
        { "201501011200", kInstalled, UpdateCheck::UpToDate },
        { "201412312359\r\n", kInstalled, UpdateCheck::UpToDate },
        { "201601011200", QString(), UpdateCheck::Newer }, // no bank version file yet
        { "201601011200 more text after the stamp", kInstalled, UpdateCheck::Newer },
        { "  201601011200  ", kInstalled, UpdateCheck::Newer },
        // A shorter stamp compares unpadded: a year alone is older than every stamp of that
        // year, and newer than none at all.
        { "2015", kInstalled, UpdateCheck::UpToDate },
        { "2026\r\nD202601011200l30001", QStringLiteral("202601011200"), UpdateCheck::UpToDate },
        { "2016", QString(), UpdateCheck::Newer },
        { "2016\r\n01011200", QString(), UpdateCheck::Newer },
        { "20160101120x", QString(), UpdateCheck::Newer },
        // Not a list: the check failed, whatever the installed version.
        { "191601011200", QString(), UpdateCheck::Failed },
        { "<html>busy</html>", QString(), UpdateCheck::Failed },
        { "", QString(), UpdateCheck::Failed },
        { "error-timeout，网络状况不好，请重试！", QString(), UpdateCheck::Failed },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(shell::judgeUpdateReply(QString::fromUtf8(c.reply), c.installed), c.expected);
    }
}

TEST(UpdDecisions, ListLinesGiveFoldersStampsAndNames)
{
    const QStringList lines = {
        "q201601011201first1", // no folder named yet: the program folder
        "201601011200",
        "D201601011202l30001",
        "K201601011203abcde", // 18 characters: too short to name a file
        "2016010112041234567", // begins "20": never a file
        "",
        "  E201601011205pic001.gif  ",
        "x201601011206other1", // keeps examdata
        "M201601011207ksxt.exe",
        "d201601011208lower1", // lower case keeps the program folder
        "K201601011209题库说明.txt",
    };
    struct Expected {
        QString folder, stamp, name, local, server;
    };
    const Expected expected[] = {
        { "", "201601011201", "first1", "first1.mxy", "first1.rar" },
        { "tx/", "201601011202", "l30001", "l30001.mxy", "l30001.rar" },
        { "examdata/", "201601011205", "pic001.gif", "pic001.gif", "pic001.rar" },
        { "examdata/", "201601011206", "other1", "other1.mxy", "other1.rar" },
        { "", "201601011207", "ksxt.exe", "ksxt.exe", "ksxt.rar" },
        { "", "201601011208", "lower1", "lower1.mxy", "lower1.rar" },
        { "ksdata/", "201601011209", "题库说明.txt", "题库说明.txt", "题库说明.rar" },
    };
    const auto entries = shell::parseUpdateList(lines, QStringLiteral("tx"));
    ASSERT_EQ(entries.size(), std::size(expected));
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(expected[i].name.toStdString());
        EXPECT_EQ(entries[i].folderPart, expected[i].folder);
        EXPECT_EQ(entries[i].stamp, expected[i].stamp);
        EXPECT_EQ(entries[i].name, expected[i].name);
        EXPECT_EQ(entries[i].localName(), expected[i].local);
        EXPECT_EQ(entries[i].serverName(), expected[i].server);
    }
}

TEST(UpdDecisions, OnlyPlainNamesAreAccepted)
{
    const std::pair<const char*, bool> cases[] = {
        { "l30001", true },
        { "pic001.gif", true },
        { "题库说明.txt", true },
        { "..hidden", true },
        { "", false },
        { ".", false },
        { "..", false },
        { "../../evil1", false },
        { "..\\evil2.txt", false },
        { "sub/file01", false },
        { "/etc/passwd", false },
        { "C:\\Windows\\x.dll", false },
        { "tab\there", false },
    };
    for (const auto& [name, plain] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(shell::isPlainFileName(QString::fromUtf8(name)), plain);
    }
}

TEST(UpdDecisions, StampsAndTheProgramsOwnFile)
{
    EXPECT_TRUE(shell::needsDownload(shell::kMissingFileStamp, "201601011200"));
    EXPECT_TRUE(shell::needsDownload("201601011159", "201601011200"));
    EXPECT_FALSE(shell::needsDownload("201601011200", "201601011200"));
    EXPECT_FALSE(shell::needsDownload("202401011200", "201601011200"));

    EXPECT_TRUE(shell::isProgramFile("ksxt.exe", "ksxt"));
    EXPECT_TRUE(shell::isProgramFile("KSXT.EXE", "ksxt"));
    EXPECT_TRUE(shell::isProgramFile("ksxt.exe", "ksxt.exe"));
    EXPECT_FALSE(shell::isProgramFile("ksxt.mxy", "ksxt"));
    EXPECT_FALSE(shell::isProgramFile("ksxt.exe_bak", "ksxt"));

    EXPECT_EQ(shell::dataFolderName("/opt/ks/tx/", "/opt/ks"), "tx");
}

TEST(UpdDecisions, LocalStampIsTheLastChangeToTheMinute)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/f.mxy";
    EXPECT_EQ(shell::localFileStamp(path), shell::kMissingFileStamp);
    writeFile(path, "x");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(
        QDateTime(QDate(2016, 1, 2), QTime(3, 4, 59)), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(shell::localFileStamp(path), "201601020304");
}

// Update runs of the window --------------------------------------------------------------------

// An update server that answers each path from a table: at once, with an error status, or never.
class UpdateServer {
public:
    struct Route {
        int status = 200;
        QByteArray body {};
        bool hang = false;
    };

    UpdateServer()
    {
        shelltest::serveRequests(server, [this](QTcpSocket* socket, const QByteArray& target) {
            const QString path = QUrl::fromPercentEncoding(target);
            paths << path;
            const auto it = routes.find(path);
            const Route route = it == routes.end() ? Route { 404, "no such file" } : it->second;
            if (!route.hang)
                shelltest::reply(socket, QByteArray::number(route.status) + " X", route.body);
        });
    }

    QString baseUrl() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
    }

    std::map<QString, Route> routes {}; // by decoded path; other paths get 404
    QStringList paths {}; // decoded, in arrival order

private:
    QTcpServer server {};
};

// A program folder (data folder "tx" with the installed bank version, ksdata, examdata) and the
// system on a virtual clock, with fake shell and message boxes and real HTTP.
class UpdaterApp {
public:
    UpdaterApp(const QString& programDir, const QString& updateBaseUrl)
        : programDir(programDir)
    {
        for (const char* sub : { "tx", "ksdata", "examdata" })
            QDir(programDir).mkpath(sub);
        if (!updateBaseUrl.isEmpty())
            writeFile(programDir + "/server.ini", ("[server]\nupdate=" + updateBaseUrl).toUtf8());
        if (!QFile::exists(programDir + "/tx/288895.mxy"))
            writeFile(programDir + "/tx/288895.mxy", kInstalled.toLatin1() + "\r\n");

        plat::Services services = testsupport::makeFakeServices();
        services.http = plat::makeRealServices(programDir + "/lock", programDir + "/reg.ini").http;
        run.emplace(programDir, std::move(services));
        sys = &run->sys;
        driver = &run->driver;

        auto& st = sys->state;
        st.ModuleName = QStringLiteral("图像处理");
        st.ModuleShortName = QStringLiteral("图像处理");
        st.ProductInfo[12] = QStringLiteral("ps");
        st.AppTitle = QStringLiteral("练习系统——图像处理模块");
        st.SkinPath = programDir + "/tx/";
        // What the home screen reads from the bank version file before it opens the window.
        st.BankVersion = plat::trimSpaces(
            plat::readLines(st.SkinPath + "288895.mxy").valueOr({ QString() }).value(0));
        st.UpdaterVisible = 1;
        st.errorSink = [this](QString tag, int, QString description, QString) {
            reports << tag + ": " + description;
        };
    }
    // Opens the window as the home screen does and lets its timer run the check.
    FrmUpdata& open(shell::UpdateLimits limits = { 1000, 1000, 500 })
    {
        FrmUpdata& f = sys->form<FrmUpdata>();
        f.limits = limits;
        f.show();
        driver->advance(100);
        return f;
    }

    testsupport::FakeShell& shell()
    {
        return static_cast<testsupport::FakeShell&>(*sys->services().shell);
    }
    testsupport::FakeMessageBoxes& boxes()
    {
        return static_cast<testsupport::FakeMessageBoxes&>(*sys->services().messageBoxes);
    }
    QString file(const QString& relative) const { return programDir + "/" + relative; }

    QString programDir {};
    std::optional<testsupport::DrivenSystem> run {};
    shell::System* sys = nullptr;
    testsupport::HeadlessDriver* driver = nullptr;
    QStringList reports {}; // "tag: description" of every failure reported
};

// Writes a file whose last change lies in 2015, before every stamp the tests list.
void writeOld(const QString& path, const QByteArray& bytes)
{
    writeFile(path, bytes);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(
        QDateTime(QDate(2015, 6, 1), QTime(8, 0)), QFileDevice::FileModificationTime));
}

QString updatedText(int successful, int attempted)
{
    return QStringLiteral("已更新%1/%2文件。请重新打开软件！").arg(successful).arg(attempted);
}

TEST(UpdWindow, CheckWithoutANewerListLeavesTheWindowOpen)
{
    struct Case {
        const char* name;
        LoopbackServer::Mode mode;
        QByteArray body;
        bool configured;
        QString label2;
    };
    using Mode = LoopbackServer::Mode;
    const QString failed = shell::kUpdateCheckFailedText;
    const Case cases[] = {
        { "equal version", Mode::Answer, "201501011200\r\nD201601011200l30001\r\n", true,
            kUpToDate },
        { "older version", Mode::Answer, "201412010800\r\n", true, kUpToDate },
        { "not a list", Mode::Answer, "<html>busy</html>", true, failed },
        { "the installed version's year alone", Mode::Answer, "2015\r\n", true, kUpToDate },
        { "error reply", Mode::NotFound, "201601011200\r\n", true, failed },
        { "no server configured", Mode::Answer, "201601011200\r\n", false, failed },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        LoopbackServer server(c.mode, c.body);
        ASSERT_TRUE(server.listening());
        UpdaterApp app(dir.path(), c.configured ? server.baseUrl() : QString());

        FrmUpdata& f = app.open();

        EXPECT_TRUE(f.visible());
        EXPECT_EQ(f.ui().Label2.caption(), c.label2);
        EXPECT_EQ(f.ui().LblVer.caption(), kInstalled);
        EXPECT_EQ(f.ui().Label1.caption(), QStringLiteral("最新题库版本是：") + kInstalled);
        EXPECT_TRUE(app.boxes().shown.empty()) << "no question";
        EXPECT_FALSE(app.sys->ended());
        QStringList asked;
        for (const QString& t : server.targets)
            asked << QUrl::fromPercentEncoding(t.toUtf8());
        const QStringList expected
            = c.configured ? QStringList { kAdvertPath, kListPath } : QStringList {};
        EXPECT_EQ(lines(asked), lines(expected));
        EXPECT_EQ(readFile(app.file("tx/288895.mxy")), "201501011200\r\n");

        // The check runs once per load.
        app.driver->advance(1000);
        EXPECT_EQ(server.targets.size(), asked.size());
        app.driver->click(f.ui().Command1.control());
        EXPECT_FALSE(f.isLoaded());
    }
}

TEST(UpdWindow, DecliningTheUpdateHidesTheWindowAndFetchesNothing)
{
    QTemporaryDir dir;
    UpdateServer server;
    const QByteArray list = "201601011200\r\nD201601011200l30001\r\n";
    server.routes[kListPath] = { 200, list };
    UpdaterApp app(dir.path(), server.baseUrl());
    app.boxes().answers = { false };

    FrmUpdata& f = app.open();

    ASSERT_EQ(app.boxes().shown.size(), 1u);
    EXPECT_EQ(app.boxes().shown[0].kind, plat::MessageBoxes::Kind::Question);
    EXPECT_EQ(app.boxes().shown[0].text, kQuestion);
    EXPECT_EQ(app.boxes().shown[0].title, QStringLiteral("升级软件"));
    EXPECT_TRUE(f.isLoaded());
    EXPECT_FALSE(f.visible());
    EXPECT_FALSE(app.sys->ended());
    EXPECT_EQ(lines(server.paths), lines({ kAdvertPath, kListPath, kListPath }));
    EXPECT_FALSE(QFile::exists(app.file("tx/l30001.mxy")));
    EXPECT_EQ(readFile(app.file("tx/288895.mxy")), "201501011200\r\n");

    // Shown again without a new load: no second check.
    f.show();
    app.driver->advance(1000);
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(server.paths.size(), 3);
}

TEST(UpdWindow, FetchesTheListedFilesThatAreNewerThanTheLocalOnes)
{
    QTemporaryDir dir;
    UpdateServer server;
    const QByteArray list = "201601011200\r\n"
                            "D201601011200l30001\r\n" // missing here
                            "K201601011200288863.txt\r\n" // changed here after the stamp
                            "E201601011200pic001.gif\r\n"; // changed here before the stamp
    server.routes[kListPath] = { 200, list };
    server.routes[kAdvertPath] = { 200, "广告" };
    const QString base = QStringLiteral("/up/plmrx/图像处理/");
    server.routes[base + "tx/l30001.rar"] = { 200, "new l30001" };
    server.routes[base + "ksdata/288863.rar"] = { 200, "must not be fetched" };
    server.routes[base + "examdata/pic001.rar"] = { 200, "new picture" };
    writeFile(dir.path() + "/ksdata/288863.txt", "learner's own");
    writeOld(dir.path() + "/examdata/pic001.gif", "old picture");
    UpdaterApp app(dir.path(), server.baseUrl());

    app.open();

    EXPECT_EQ(lines(server.paths),
        lines({ kAdvertPath, kListPath, kListPath, base + "tx/l30001.rar",
            base + "examdata/pic001.rar" }));
    EXPECT_EQ(readFile(app.file("tx/l30001.mxy")), "new l30001");
    EXPECT_EQ(readFile(app.file("examdata/pic001.gif")), "new picture");
    EXPECT_EQ(readFile(app.file("ksdata/288863.txt")), "learner's own");
    EXPECT_EQ(readFile(app.file("ksdata/170100.mxy")), "广告");
    EXPECT_EQ(readFile(app.file("ksdata/288895.mxy")), list);
    EXPECT_EQ(readFile(app.file("tx/288895.mxy")), list);
    ASSERT_EQ(app.boxes().shown.size(), 2u);
    EXPECT_EQ(app.boxes().shown[1].kind, plat::MessageBoxes::Kind::Information);
    EXPECT_EQ(app.boxes().shown[1].text, updatedText(2, 2));
    EXPECT_EQ(app.boxes().shown[1].title, QStringLiteral("练习系统——图像处理模块"));
    EXPECT_TRUE(app.shell().started.empty());
    EXPECT_TRUE(app.sys->ended());
    EXPECT_EQ(lines(app.reports.filter("tkup")), QString());
}

TEST(UpdWindow, AFailedDownloadKeepsTheOldFileAndIsFetchedByTheNextCheck)
{
    struct Case {
        const char* name;
        UpdateServer::Route failing;
    };
    const Case cases[] = {
        { "error reply", { 500, "server error page" } },
        { "no reply within the limit", { 200, "", true } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        UpdateServer server;
        const QByteArray list = "201601011200\r\n"
                                "D201601011200l30001\r\n"
                                "D201601011200l30002\r\n"
                                "D201601011200l30003\r\n";
        const QString base = QStringLiteral("/up/plmrx/图像处理/tx/");
        server.routes[kListPath] = { 200, list };
        server.routes[base + "l30001.rar"] = { 200, "new 1" };
        server.routes[base + "l30002.rar"] = c.failing;
        server.routes[base + "l30003.rar"] = { 200, "new 3" };
        writeOld(dir.path() + "/tx/l30002.mxy", "old 2");
        {
            UpdaterApp app(dir.path(), server.baseUrl());
            app.open();

            ASSERT_EQ(app.boxes().shown.size(), 2u);
            EXPECT_EQ(app.boxes().shown[1].text, updatedText(2, 3));
            EXPECT_EQ(readFile(app.file("tx/l30001.mxy")), "new 1");
            EXPECT_EQ(readFile(app.file("tx/l30002.mxy")), "old 2");
            EXPECT_EQ(readFile(app.file("tx/l30003.mxy")), "new 3");
            EXPECT_EQ(readFile(app.file("tx/288895.mxy")), "201501011200\r\n");
            EXPECT_TRUE(app.sys->ended());
            EXPECT_EQ(QDir(app.file("tx")).entryList(QDir::Files | QDir::Hidden).size(), 4)
                << "no temporary file left behind";
        }

        // The next start still has the old bank version, so the list is newer and only the
        // missing file is fetched.
        server.routes[base + "l30002.rar"] = { 200, "new 2" };
        server.paths.clear();
        UpdaterApp again(dir.path(), server.baseUrl());
        again.open();
        EXPECT_EQ(lines(server.paths.filter(base + "l3")), base + "l30002.rar");
        ASSERT_EQ(again.boxes().shown.size(), 2u);
        EXPECT_EQ(again.boxes().shown[1].text, updatedText(1, 1));
        EXPECT_EQ(readFile(again.file("tx/l30002.mxy")), "new 2");
        EXPECT_EQ(readFile(again.file("tx/288895.mxy")), list);
    }
}

TEST(UpdWindow, TheProgramsOwnFileWaitsBesideItForTheOutsideUpdater)
{
    struct Case {
        const char* name;
        UpdateServer::Route program;
        bool fetched;
    };
    const Case cases[] = {
        { "downloaded", { 200, "new program" }, true },
        { "download failed", { 404, "no such file" }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        UpdateServer server;
        const QByteArray list = "201601011200\r\nM201601011200ksxt.exe\r\n";
        server.routes[kListPath] = { 200, list };
        server.routes["/up/plmrx/图像处理/ksxt.rar"] = c.program;
        writeOld(dir.path() + "/ksxt.exe", "running program");
        UpdaterApp app(dir.path(), server.baseUrl());

        app.open();

        const QString bak = app.file("ksxt.exe_bak");
        EXPECT_EQ(readFile(app.file("ksxt.exe")), "running program");
        EXPECT_EQ(QFile::exists(bak), c.fetched);
        EXPECT_TRUE(app.sys->ended());
        if (c.fetched) {
            EXPECT_EQ(readFile(bak), "new program");
            EXPECT_EQ(readFile(app.file("uprun.dll")), bak.toUtf8() + "\r\n");
            ASSERT_EQ(app.shell().started.size(), 1u);
            EXPECT_EQ(app.shell().started[0].first, app.file("duveda.rar"));
            EXPECT_TRUE(app.shell().started[0].second.isEmpty());
        } else {
            EXPECT_FALSE(QFile::exists(app.file("uprun.dll")));
            EXPECT_TRUE(app.shell().started.empty());
        }
    }
}

TEST(UpdWindow, NamesThatLeaveTheirFolderAreRefusedAndLogged)
{
    QTemporaryDir root;
    const QString programDir = root.path() + "/prog";
    UpdateServer server;
    const QByteArray list = "201601011200\r\n"
                            "D201601011200../../evil1\r\n"
                            "K201601011200..\\evil2.txt\r\n"
                            "M201601011200"
        + (root.path() + "/evil3.txt").toUtf8()
        + "\r\n"
          "E201601011200good01\r\n";
    server.routes[kListPath] = { 200, list };
    server.routes["/up/plmrx/图像处理/examdata/good01.rar"] = { 200, "good" };
    UpdaterApp app(programDir, server.baseUrl());

    app.open();

    EXPECT_EQ(lines(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)), "prog");
    EXPECT_EQ(lines(server.paths.filter("plmrx")),
        lines({ kListPath, kListPath, "/up/plmrx/图像处理/examdata/good01.rar" }));
    EXPECT_EQ(readFile(app.file("examdata/good01.mxy")), "good");
    EXPECT_EQ(app.reports.filter("tkup").join("\n"),
        "tkup: Bad file name: ../../evil1\n"
        "tkup: Bad file name: ..\\evil2.txt\n"
        "tkup: Bad file name: "
            + root.path() + "/evil3.txt");
    ASSERT_EQ(app.boxes().shown.size(), 2u);
    EXPECT_EQ(app.boxes().shown[1].text, updatedText(1, 1));
    EXPECT_EQ(readFile(app.file("tx/288895.mxy")), list);
}

TEST(UpdWindow, ASilentServerEndsTheCheckAtItsLimit)
{
    QTemporaryDir dir;
    LoopbackServer server(LoopbackServer::Mode::Never);
    ASSERT_TRUE(server.listening());
    UpdaterApp app(dir.path(), server.baseUrl());
    FrmUpdata& f = app.sys->form<FrmUpdata>();
    f.limits = { 300, 300, 300 };
    f.show();

    QElapsedTimer elapsed;
    elapsed.start();
    app.driver->advance(100);

    EXPECT_GE(elapsed.elapsed(), 300); // the check waited its whole limit
    EXPECT_EQ(f.ui().Label2.caption(), shell::kUpdateCheckFailedText);
    EXPECT_TRUE(f.visible());
    EXPECT_TRUE(app.boxes().shown.empty());
    EXPECT_FALSE(app.sys->ended());
}

TEST(UpdWindow, ClosingTheWindowDuringTheCheckEndsTheRun)
{
    QTemporaryDir dir;
    // The wait keeps the window live: its close button is pressed when the check's request has
    // arrived, before the reply is sent, whatever the time either takes.
    QTcpServer server;
    QStringList targets;
    std::function<void()> whileTheCheckWaits;
    shelltest::serveRequests(server, [&](QTcpSocket* socket, const QByteArray& target) {
        targets << QString::fromLatin1(target);
        if (target.endsWith("/288895.txt") && whileTheCheckWaits)
            whileTheCheckWaits();
        shelltest::reply(socket, "200 OK", "201601011200\r\n");
    });
    ASSERT_TRUE(server.isListening());
    UpdaterApp app(dir.path(), QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()));
    FrmUpdata& f = app.sys->form<FrmUpdata>();
    f.show();
    whileTheCheckWaits = [&] { app.driver->click(f.ui().Command1.control()); };

    app.driver->advance(100);

    EXPECT_FALSE(f.isLoaded());
    EXPECT_TRUE(app.boxes().shown.empty());
    EXPECT_EQ(targets.size(), 2) << "the window was not loaded again";
    EXPECT_FALSE(app.sys->ended());
}

TEST(UpdWindow, ManualUpgradeOpensTheDownloadPageAndEndsWhenConfirmed)
{
    for (const int answer : { 1, 0 }) {
        SCOPED_TRACE(answer);
        QTemporaryDir dir;
        UpdaterApp app(dir.path(), QString());
        app.sys->state.ProductInfo[13] = QStringLiteral("http://example.org/down");
        FrmUpdata& f = app.open();
        QString prompt;
        app.driver->answerModal([&](plat::Form&) {
            auto& box = app.sys->form<widgets::FrmMTMSGBOX>();
            prompt = box.ui().LblPrompt.caption();
            app.driver->click(box.ui().LblClick[answer].control());
        });

        f.ui().Command2.Click();

        EXPECT_EQ(lines(app.shell().opened), "http://example.org/down");
        EXPECT_EQ(prompt,
            QStringLiteral("\r\n\r\n注意：\r\n要升级题库，请在打开的网页http://example.org/down中，"
                           "找到【图像处理模块】进行下载，下载完成后直接安装就是新版本（无需卸载旧"
                           "版）。\r\n\r\n确定要升级吗？"));
        EXPECT_FALSE(f.isLoaded());
        EXPECT_EQ(app.sys->ended(), answer == 1);
    }
}

// Rendering ---------------------------------------------------------------------------------------

TEST(UpdWindow, Rendering)
{
    QTemporaryDir dir;
    UpdaterApp app(dir.path(), QString()); // no server: the check fails at once
    QImage back = skinPicture(370, 250, QColor(235, 240, 248));
    QPainter(&back).fillRect(0, 0, 370, 36, QColor(30, 90, 170));
    const auto skin = [&](const char* name, const QImage& img) {
        ASSERT_TRUE(img.save(app.sys->skinFile(name), "BMP"));
    };
    skin("l20069", back);
    skin("l20067", skinPicture(24, 24, QColor(240, 180, 30), "K"));
    skin("l62011", skinPicture(32, 32, QColor(30, 90, 170), "K"));
    skin("l20001", buttonStrip(90, 30, QStringLiteral("关闭")));
    skin("l20075", buttonStrip(140, 30, QStringLiteral("手动升级")));
    skin("l20076", buttonStrip(140, 30, QStringLiteral("取消")));

    FrmUpdata& f = app.open();
    const QImage img = testsupport::HeadlessDriver::render(f).convertToFormat(QImage::Format_RGB32);
    img.save(testsupport::outputDir() + "/updater.png", "PNG");

    EXPECT_EQ(lines(app.reports), QString()) << "every skin picture loads";
    ASSERT_EQ(img.size(), QSize(370, 250));
    EXPECT_EQ(f.caption(), QStringLiteral("全国专业技术人员计算机应用能力考试练习系统"));
    EXPECT_EQ(f.ui().Label4.caption(), QStringLiteral("新版本检测——图像处理"));
    // The close button's normal frame at (3480, 2880) twips, 90 by 30 pixels; the hidden
    // buttons leave the background.
    EXPECT_EQ(QColor(img.pixel(232 + 5, 192 + 5)), QColor(40, 110, 190));
    EXPECT_EQ(QColor(img.pixel(28 + 5, 192 + 5)), QColor(235, 240, 248));
    // Red text of Label2 at (360, 1920) twips.
    int red = 0;
    for (int y = 128; y < 150; ++y)
        for (int x = 24; x < 300; ++x)
            red += QColor(img.pixel(x, y)) == QColor(255, 0, 0);
    EXPECT_GT(red, 50);
}

} // namespace
