#include "shell/moduleinfo.h"

#include "platform/services.h"
#include "platform/text.h"
#include "printers.h"
#include "support/fakeservices.h"
#include "support/numericencoding.h"
#include "support/testsupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

QByteArray encodeFile(const QStringList& lines) { return testsupport::encodeNumericFile(lines); }

struct Report {
    QString tag;
    int number = 0;
};

// A program folder in a temporary directory, with the data folder "pstx".
class ReadInfoTest : public ::testing::Test {
protected:
    ReadInfoTest() { startCase(caseName); }

    // Each case of a table gets a program folder of its own.
    void startCase(const QString& name)
    {
        caseName = name;
        QDir(dir.path()).mkpath(name);
        state = {};
        state.errorSink = [this](QString tag, int number, QString, QString) {
            reports.push_back({ tag, number });
        };
        reports.clear();
        settings = {};
    }
    QString programDir() const { return dir.path() + "/" + caseName; }
    QString dataFile(const QString& name) const { return programDir() + "/pstx/" + name; }

    // ver.txt: module name, display name, data folder, module number, then `units` unit names.
    void writeVer(const QString& moduleNo, int units = 21)
    {
        QStringList lines { QStringLiteral("图像处理"), QStringLiteral(" 图像处理 Ps 模块 "),
            QStringLiteral("pstx"), moduleNo };
        for (int u = 0; u < units; ++u)
            lines << QStringLiteral("第%1单元 ").arg(u);
        writeFile(programDir() + "/ver.txt", encodeFile(lines));
    }

    void run() { shell::readInfo(state, settings, programDir(), QStringLiteral("ksxt")); }

    QTemporaryDir dir {};
    QString caseName { QStringLiteral("program") };
    shell::AppState state {};
    testsupport::FakeSettings settings {};
    std::vector<Report> reports {};
};

TEST_F(ReadInfoTest, ModuleValuesComeFromVerTxt)
{
    writeVer(QStringLiteral("5"));
    writeFile(dataFile("288901.mxy"), encodeFile({ QStringLiteral("Acme") }));
    run();

    EXPECT_EQ(state.ModuleName, QStringLiteral("图像处理"));
    EXPECT_EQ(state.ModuleShortName, QStringLiteral("图像处理 Ps 模块"));
    EXPECT_EQ(state.SkinPath, programDir() + "/pstx/");
    EXPECT_EQ(state.ModuleNo, 5);
    EXPECT_EQ(state.ProductInfo[2], QStringLiteral("图像处理 Ps 模块")); // trimmed too
    for (int u = 0; u <= 20; ++u)
        EXPECT_EQ(state.ModuleSettings[u][1], QStringLiteral("第%1单元").arg(u)) << u;
    EXPECT_EQ(state.ModuleSettings[21][1], QString());
    // ver.txt's unit lines fill entries 5..25, entry 9 (the title's second part) included.
    EXPECT_EQ(state.AppTitle, QStringLiteral("Acme第4单元——图像处理模块"));
    EXPECT_TRUE(reports.size() == 1 && reports[0].tag == QStringLiteral("readInfo"))
        << "only the missing first-run marker is reported";
}

TEST_F(ReadInfoTest, ShortVerTxtLeavesUnitNamesFromTheTableAsItStands)
{
    writeVer(QStringLiteral("5"), 0);
    run();
    const auto defaults = shell::defaultProductInfo();
    for (int u = 0; u <= 20; ++u)
        EXPECT_EQ(state.ModuleSettings[u][1], plat::trimSpaces(defaults[u + 5])) << u;
}

TEST_F(ReadInfoTest, VendorFileOverlaysLinesByIndexButNotTheModuleValues)
{
    struct Case {
        int vendorLines;
        int reportsForVendor; // lines past entry 40
    };
    for (const Case c : { Case { 41, 0 }, Case { 10, 0 }, Case { 43, 2 } }) {
        SCOPED_TRACE(c.vendorLines);
        startCase(QString::number(c.vendorLines));
        QStringList ver { QStringLiteral("图像处理"), QStringLiteral("Ps"), QStringLiteral("pstx"),
            QStringLiteral("7") };
        for (int k = 5; k <= 40; ++k)
            ver << QStringLiteral("ver%1").arg(k);
        writeFile(programDir() + "/ver.txt", encodeFile(ver));
        QStringList vendor;
        for (int n = 1; n <= c.vendorLines; ++n)
            vendor << QStringLiteral(" 厂商%1 ").arg(n - 1);
        writeFile(dataFile("288901.mxy"), encodeFile(vendor));
        writeFile(dataFile("288892.mxy"), "1\r\n");
        run();

        for (int k = 0; k <= 40; ++k) {
            const QString expected = k < c.vendorLines ? QStringLiteral("厂商%1").arg(k)
                                                       : QStringLiteral("ver%1").arg(k);
            EXPECT_EQ(state.ProductInfo[k], expected) << "entry " << k;
        }
        EXPECT_EQ(state.ModuleName, QStringLiteral("图像处理"));
        EXPECT_EQ(state.SkinPath, programDir() + "/pstx/");
        EXPECT_EQ(state.ModuleNo, 7);
        EXPECT_EQ(state.ModuleSettings[0][1], QStringLiteral("ver5"));
        EXPECT_EQ(state.AppTitle, QStringLiteral("厂商0厂商9——图像处理模块"));
        EXPECT_EQ(int(reports.size()), c.reportsForVendor);
        for (const Report& r : reports)
            EXPECT_EQ(r.number, plat::err::SubscriptOutOfRange);
    }
}

TEST_F(ReadInfoTest, MissingOrUnreadableFilesChangeNoEntry)
{
    struct Case {
        const char* name;
        bool verIsFolder; // an unreadable ver.txt; otherwise it is missing
    };
    for (const Case c : { Case { "missing", false }, Case { "unreadable", true } }) {
        SCOPED_TRACE(c.name);
        startCase(c.name);
        if (c.verIsFolder) {
            ASSERT_TRUE(QDir(programDir()).mkpath("ver.txt"));
        }
        run();
        EXPECT_EQ(state.ProductInfo, shell::defaultProductInfo());
        EXPECT_EQ(state.ModuleNo, 0);
        EXPECT_EQ(state.AppTitle,
            QStringLiteral("Mirtvale全国专业技术人员计算机应用能力考试练习系统——")
                + plat::trimSpaces(shell::defaultProductInfo()[1]) + QStringLiteral("模块"));
        EXPECT_EQ(reports.size(), 3u) << "ver.txt, the vendor file and the marker: one each";
        for (const Report& r : reports)
            EXPECT_EQ(r.tag, QStringLiteral("readInfo"));
        EXPECT_TRUE(settings.values.empty());
    }
}

TEST_F(ReadInfoTest, UnreadableVendorFileKeepsTheVerTxtEntries)
{
    writeVer(QStringLiteral("5"));
    ASSERT_TRUE(QDir(programDir()).mkpath("pstx/288901.mxy"));
    writeFile(dataFile("288892.mxy"), "1\r\n");
    run();
    EXPECT_EQ(state.ProductInfo[0], QStringLiteral("Mirtvale"));
    EXPECT_EQ(state.ProductInfo[1], QStringLiteral("图像处理"));
    EXPECT_EQ(state.ProductInfo[5], QStringLiteral("第0单元"));
    ASSERT_EQ(reports.size(), 1u);
}

TEST_F(ReadInfoTest, ModuleNumberNamesTheFirstRunValues)
{
    struct Case {
        QString entry4;
        int16_t moduleNo;
        QString nn;
        bool reported;
    };
    const Case cases[] = {
        { QStringLiteral("5"), 5, QStringLiteral("05"), false },
        { QStringLiteral("12"), 12, QStringLiteral("12"), false },
        { QStringLiteral("123"), 123, QStringLiteral("23"), false },
        { QStringLiteral("40000"), 0, QStringLiteral("00"), true }, // leaves ModuleNo at 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry4.toStdString());
        startCase(c.entry4);
        writeVer(c.entry4, 0);
        // The settings key is entry 15 as the vendor file leaves it.
        QStringList vendor;
        for (int k = 0; k <= 15; ++k)
            vendor << (k == 15 ? QStringLiteral(" acme ") : QStringLiteral("v"));
        writeFile(dataFile("288901.mxy"), encodeFile(vendor));
        writeFile(dataFile("288892.mxy"), "0\r\n");
        run();
        EXPECT_EQ(state.ModuleNo, c.moduleNo);
        const QString key = QStringLiteral("Software\\acme");
        EXPECT_EQ(settings.value(key, "ProPath" + c.nn), programDir() + QString(72, '*'));
        EXPECT_EQ(settings.value(key, "ProName" + c.nn), QStringLiteral("ksxt") + QString(36, '*'));
        EXPECT_EQ(settings.values.size(), 2u);
        ASSERT_EQ(reports.size(), c.reported ? 1u : 0u);
        if (c.reported) {
            EXPECT_EQ(reports[0].number, plat::err::Overflow);
        }
    }
}

TEST_F(ReadInfoTest, FirstRunMarkerIsSetOnlyAfterBothValuesAreWritten)
{
    struct Case {
        const char* name;
        std::optional<QByteArray> marker; // nullopt: no marker file
        int failAfter; // FakeSettings: writes that succeed before the rest fail
        int valuesWritten;
        std::optional<QByteArray> markerAfter;
        int reports;
    };
    const Case cases[] = {
        { "0", QByteArray("0\r\n"), -1, 2, QByteArray("1\r\n"), 0 },
        { "0 without line end", QByteArray("0"), -1, 2, QByteArray("1\r\n"), 0 },
        { "0 and a space", QByteArray("0 \r\n"), -1, 0, QByteArray("0 \r\n"), 0 },
        { "1", QByteArray("1\r\n"), -1, 0, QByteArray("1\r\n"), 0 },
        { "empty", QByteArray(), -1, 0, QByteArray(), 0 },
        { "missing", std::nullopt, -1, 0, std::nullopt, 1 },
        { "second write fails", QByteArray("0\r\n"), 1, 1, QByteArray("0\r\n"), 1 },
        { "both writes fail", QByteArray("0\r\n"), 0, 0, QByteArray("0\r\n"), 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startCase(c.name);
        settings.failAfter = c.failAfter;
        writeVer(QStringLiteral("5"));
        writeFile(dataFile("288901.mxy"), encodeFile({ QStringLiteral("Mirtvale") }));
        if (c.marker)
            writeFile(dataFile("288892.mxy"), *c.marker);
        run();
        EXPECT_EQ(int(settings.values.size()), c.valuesWritten);
        EXPECT_EQ(QFile::exists(dataFile("288892.mxy")), c.markerAfter.has_value());
        if (c.markerAfter) {
            EXPECT_EQ(readFile(dataFile("288892.mxy")), *c.markerAfter);
        }
        EXPECT_EQ(int(reports.size()), c.reports);
    }
}

} // namespace
