// Start-up: the second-instance refusal, the splash laid out at two display scales, and the
// hand-over to the home window.

#include "home/frmfengmian.h"
#include "platform/decodeahead.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "records/operation.h"
#include "shell/frmstart.h"
#include "support/driven.h"
#include "support/numericencoding.h"
#include "support/testsupport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>

#include <optional>

#include <gtest/gtest.h>

using namespace shell;

namespace {

class FrmStartTest : public ::testing::Test {
protected:
    FrmStartTest()
    {
        const QString data = dir.path() + QStringLiteral("/pstx/");
        QDir().mkpath(data);
        QStringList ver { QStringLiteral("图像处理"), QStringLiteral("图像处理模块"),
            QStringLiteral("pstx"), QStringLiteral("12") };
        for (int u = 0; u < 5; ++u)
            ver << QStringLiteral("第%1单元").arg(u + 1);
        testsupport::writeFile(dir.path() + "/ver.txt", testsupport::encodeNumericFile(ver));
        testsupport::writeFile(data + "288901.mxy",
            testsupport::encodeNumericFile(
                { QStringLiteral("全国专业技术人员计算机应用能力考试") }));
        testsupport::writeFile(data + "288892.mxy", "0\r\n");
        testsupport::writeFile(data + "288895.mxy", " 202612010900 \r\n");
        testsupport::writeFile(data + "288899.mxy", "12\r\n"); // the module number
        QImage splash(400, 200, QImage::Format_RGB32);
        splash.fill(QColor(40, 70, 110));
        splash.save(data + "l20059.mxy", "BMP");
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(QColor(200, 60, 40));
        icon.save(data + "l62011.mxy", "PNG");
    }

    // Reports are kept in `reports`, or left to the program's own reporter and its run log.
    enum class Reports { Kept, ToTheRunLog };
    void start(double scale = 1.0, Reports where = Reports::Kept)
    {
        run.reset(); // the previous program ends before the next one starts
        run.emplace(dir.path());
        sys = &run->sys;
        driver = &run->driver;
        sys->setDisplayScale(scale, scale);
        if (where == Reports::Kept)
            sys->state.errorSink = [this](QString tag, int, QString desc, QString) {
                reports << tag + QStringLiteral(": ") + desc;
            };
    }
    testsupport::FakeMessageBoxes& boxes()
    {
        return static_cast<testsupport::FakeMessageBoxes&>(*sys->services().messageBoxes);
    }

    QTemporaryDir dir;
    std::optional<testsupport::DrivenSystem> run;
    System* sys = nullptr;
    testsupport::HeadlessDriver* driver = nullptr;
    QStringList reports;
};

TEST_F(FrmStartTest, SecondInstanceOnlySaysSoAndEnds)
{
    start();
    static_cast<testsupport::FakeSingleInstance&>(*sys->services().singleInstance).otherRunning
        = true;
    sys->form<FrmStart>().show();
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].text,
        QStringLiteral(
            "考试练习系统已在运行。如果你没有找到，请关闭其它窗口和程序，或者注销或重启。"));
    EXPECT_EQ(boxes().shown[0].title, QStringLiteral("系统提示"));
    EXPECT_TRUE(sys->ended());
    EXPECT_FALSE(sys->form<FrmStart>().visible());
    driver->advance(500);
    EXPECT_FALSE(sys->form<home::FrmFengmian>().isLoaded());
    // Nothing written: the marker and the settings are untouched.
    EXPECT_EQ(testsupport::readFile(dir.path() + "/pstx/288892.mxy"), QByteArray("0\r\n"));
    EXPECT_TRUE(static_cast<testsupport::FakeSettings&>(*sys->services().settings).values.empty());
    EXPECT_FALSE(QDir(dir.path() + "/ksdata").exists());
}

TEST_F(FrmStartTest, SplashKeepsItsPixelSizeAtEveryDisplayScale)
{
    for (double scale : { 1.0, 0.8 }) {
        start(scale);
        auto& f = sys->form<FrmStart>();
        f.show();
        EXPECT_DOUBLE_EQ(sys->state.ScaleX, scale);
        EXPECT_DOUBLE_EQ(f.width(), 6000 * scale);
        EXPECT_DOUBLE_EQ(f.height(), 3000 * scale);
        EXPECT_EQ(f.hWnd()->size(), QSize(400, 200)) << "scale " << scale;
        auto& label = f.ui().Label1;
        EXPECT_EQ(label.caption(), QStringLiteral("正在启动图像处理模块，请稍候..."));
        EXPECT_DOUBLE_EQ(label.top(), 2160 * scale);
        EXPECT_DOUBLE_EQ(label.left(), (f.width() - label.width()) / 2);
        EXPECT_DOUBLE_EQ(label.font().size, 11 * scale);
        const QImage shot = testsupport::HeadlessDriver::render(f);
        shot.save(testsupport::outputDir() + QStringLiteral("/splash-%1.png").arg(scale));
        EXPECT_EQ(QColor(shot.pixel(10, 10)), QColor(40, 70, 110)); // the splash picture
        EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();
    }
}

TEST_F(FrmStartTest, ALongModuleNameStaysCentredAndMayStartLeftOfTheWindow)
{
    QStringList ver { QStringLiteral("图像处理"),
        QStringLiteral("一个非常非常非常非常非常非常非常非常非常长的模块显示名称"),
        QStringLiteral("pstx"), QStringLiteral("12") };
    testsupport::writeFile(dir.path() + "/ver.txt", testsupport::encodeNumericFile(ver));
    start();
    auto& f = sys->form<FrmStart>();
    f.show();
    auto& label = f.ui().Label1;
    EXPECT_GT(label.width(), f.width());
    EXPECT_LT(label.left(), 0);
    EXPECT_DOUBLE_EQ(label.left(), (f.width() - label.width()) / 2);
}

TEST_F(FrmStartTest, FirstTickHandsOverToTheHomeWindowOnce)
{
    start();
    auto& f = sys->form<FrmStart>();
    f.show();
    EXPECT_TRUE(f.HandOverPending);
    EXPECT_TRUE(sys->state.LogPath.isEmpty());
    EXPECT_EQ(sys->state.OsVersion, plat::osVersion());
    driver->advance(99);
    EXPECT_FALSE(sys->form<home::FrmFengmian>().isLoaded());
    driver->advance(1);
    auto& home = sys->form<home::FrmFengmian>();
    EXPECT_TRUE(home.visible());
    EXPECT_FALSE(f.isLoaded());
    EXPECT_EQ(sys->state.BankVersion, QStringLiteral("202612010900"));
    // The label shows the version line as the file holds it, blanks included.
    EXPECT_EQ(home.ui().LblInfo[0].caption(), QStringLiteral("题库版本：V 202612010900 "));
    const QString logPath = sys->state.LogPath;
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("/ksdata/\\d{14}\\.txt$")).match(logPath).hasMatch())
        << logPath.toStdString();
    EXPECT_TRUE(logPath.startsWith(dir.path()));
    // The first run wrote its settings and then the marker.
    EXPECT_EQ(testsupport::readFile(dir.path() + "/pstx/288892.mxy").trimmed(), QByteArray("1"));
    // A second queued tick does nothing.
    f.HandOverPending = false;
    driver->advance(1000);
    EXPECT_FALSE(f.isLoaded());
    EXPECT_EQ(sys->state.LogPath, logPath);
    testsupport::HeadlessDriver::saveRendering(
        home, testsupport::outputDir() + "/home-minimal.png");
}

// What the home window's first reads meet reaches the run log: a damaged unit progress file is
// logged, kept aside byte for byte and said once; an operation the last run left in its journal
// is completed before the home window reads the records.
TEST_F(FrmStartTest, TheFirstReadsOfTheRecordsAreLoggedAfterALeftJournalIsApplied)
{
    const QString ksdata = dir.path() + QStringLiteral("/ksdata/");
    QDir().mkpath(ksdata);
    testsupport::writeFile(
        dir.path() + "/pstx/288891.mxy", "0203\r\n0305\r\n"); // two units of 3 and 5
    const QByteArray damaged("\x01\x02\xff\xfeTTF", 7);
    testsupport::writeFile(ksdata + "288893.mxy", damaged);
    QString paper;
    for (int q = 1; q <= 40; ++q)
        paper += QStringLiteral("0001");
    testsupport::writeFile(ksdata + "journal.ksj",
        records::encodeJournal({ { "288891.mxy", plat::encodeLines({ paper, QString() }) },
            { "182420.mxy", plat::encodeLines({ QString() }) } }));

    start(1.0, Reports::ToTheRunLog);
    sys->form<FrmStart>().show();
    driver->advance(100);
    auto& home = sys->form<home::FrmFengmian>();
    ASSERT_TRUE(home.visible());

    EXPECT_FALSE(QFileInfo::exists(ksdata + "journal.ksj"));
    EXPECT_EQ(home.RandomPaperCount, 1) << "the journal's paper list was read";
    const QString log = plat::decodeGbk(testsupport::readFile(sys->state.LogPath));
    EXPECT_TRUE(log.contains(QStringLiteral("288893.mxy"))) << log.toStdString();
    const QStringList copies
        = QDir(ksdata).entryList({ QStringLiteral("288893.mxy.damaged-*") }, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(testsupport::readFile(ksdata + copies[0]), damaged);
    EXPECT_EQ(testsupport::readFile(ksdata + "288893.mxy").left(5), QByteArray("FFF\r\n"));
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_TRUE(boxes().shown[0].text.contains(copies[0]));
}

// Once the splash is on the screen and while it waits for its timer, what the home window's
// start page shows is decoded on a worker: its two full-window pictures and the faces of the
// buttons on the window itself, not those of a closed panel. The home window shows those very
// images.
TEST_F(FrmStartTest, TheHomeWindowsPicturesAreDecodedWhileTheSplashWaits)
{
    const struct {
        const char* name;
        bool ahead;
    } pictures[] = {
        { "l20060", true }, // the window's picture
        { "l20051", true }, // the start picture
        { "l20004", true }, // a start-page button
        { "l20003", true }, // the exit button
        { "l20015", false }, // a tab of the tab strip, closed at start
    };
    for (const auto& p : pictures) {
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(QColor(90, 120, 60));
        picture.save(dir.path() + "/pstx/" + p.name + ".mxy", "PNG");
    }
    start();
    sys->form<FrmStart>().show();
    driver->advance(50);
    driver->processEvents(); // the work queued behind the painting
    plat::waitForDecodingAhead();
    EXPECT_FALSE(sys->form<home::FrmFengmian>().isLoaded());
    std::vector<plat::Picture> loaded;
    for (const auto& p : pictures) {
        plat::Result<plat::Picture> picture
            = plat::loadPicture(sys->skinFile(QString::fromLatin1(p.name)));
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(picture.value().isDecoded(), p.ahead) << p.name;
        loaded.push_back(picture.value());
    }
    driver->advance(50);
    auto& home = sys->form<home::FrmFengmian>();
    ASSERT_TRUE(home.visible());
    EXPECT_EQ(home.area().picture().image().cacheKey(), loaded[0].image().cacheKey());
    EXPECT_EQ(home.ui().picShouYe.picture().image().cacheKey(), loaded[1].image().cacheKey());
    EXPECT_EQ(home.ui().ClickBotn[4].picture().image().cacheKey(), loaded[2].image().cacheKey());
}

TEST_F(FrmStartTest, MissingSplashPicturesAreReportedAndStartUpGoesOn)
{
    QFile::remove(dir.path() + "/pstx/l20059.mxy");
    QFile::remove(dir.path() + "/pstx/l62011.mxy");
    start();
    sys->form<FrmStart>().show();
    EXPECT_EQ(reports.size(), 2);
    EXPECT_TRUE(reports.first().startsWith(QStringLiteral("startload")));
    driver->advance(100);
    EXPECT_TRUE(sys->form<home::FrmFengmian>().visible());
}

} // namespace
