#include "shell/moduleinfo.h"

#include "core/errorreport.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shell/numerictext.h"

#include <QStringList>

namespace shell {

namespace {

    constexpr int kLastEntry = 40;
    constexpr int kUnitNameCount = 21; // units 0..20, from entries 5..25

    // Decodes the lines of an encoded file into ProductInfo, line n into entry n - offset. A
    // file that cannot be read changes nothing; lines past the table are reported and skipped.
    void overlayEncodedFile(
        AppState& state, const ErrorSite& site, const QString& path, int entryOfFirstLine)
    {
        const auto lines = plat::readLines(plat::resolvePath(path));
        if (!site.check(lines))
            return;
        int entry = entryOfFirstLine;
        for (const QString& line : lines.value()) {
            if (entry > kLastEntry) {
                site.fail(plat::err::SubscriptOutOfRange,
                    QStringLiteral("%1: line %2 lies past the product table")
                        .arg(path)
                        .arg(entry - entryOfFirstLine + 1));
            } else {
                DecodedText decoded = decodeNumericText(line);
                for (const plat::Error& failure : decoded.failures)
                    site.fail(failure);
                state.ProductInfo[entry] = std::move(decoded.text);
            }
            ++entry;
        }
    }

    // First run of an installation: record where the program lives. The marker is set to "1"
    // only once both values are written, so a failed write is tried again on the next start.
    void recordFirstRun(AppState& state, const ErrorSite& site, plat::Settings& settings,
        const QString& programDir, const QString& programName)
    {
        const QString marker = plat::resolvePath(state.SkinPath + QStringLiteral("288892.mxy"));
        const auto lines = plat::readLines(marker);
        if (!site.check(lines))
            return;
        if (lines.value().isEmpty() || lines.value().first() != QStringLiteral("0"))
            return;

        const QString nn = plat::right(QStringLiteral("0") + QString::number(state.ModuleNo), 2);
        const QString key = QStringLiteral("Software\\") + state.ProductInfo[15];
        const bool pathWritten = site.check(SetRegValue(settings, key,
            QStringLiteral("ProPath") + nn, programDir + QString(72, QLatin1Char('*'))));
        const bool nameWritten = site.check(SetRegValue(settings, key,
            QStringLiteral("ProName") + nn, programName + QString(36, QLatin1Char('*'))));
        if (pathWritten && nameWritten)
            site.check(plat::writeLines(marker, { QStringLiteral("1") }));
    }

} // namespace

std::array<QString, 41> defaultProductInfo()
{
    std::array<QString, 41> info {};
    info[0] = QStringLiteral("Mirtvale");
    info[1] = QStringLiteral("http://www.example.com/");
    info[2] = QStringLiteral("http://www.example.com/");
    info[3] = QStringLiteral("http://www.example.com/service/");
    info[4] = QStringLiteral("http://www.example.com/service/");
    info[5] = QStringLiteral("http://www.example.com/");
    info[6] = QStringLiteral("http://www.example.com/");
    info[7] = QStringLiteral("Mirtvale");
    info[8] = QStringLiteral("Mirtvo1");
    info[9] = QStringLiteral("全国专业技术人员计算机应用能力考试练习系统");
    info[10] = QStringLiteral("000-00000000");
    info[11] = QStringLiteral("10000");
    info[12] = QStringLiteral("mirt");
    info[13] = QStringLiteral("http://www.example.com/download/");
    info[15] = QStringLiteral("mirt");
    info[16] = QStringLiteral("www.example.com");
    info[26] = QStringLiteral("2015");
    info[29] = QStringLiteral("&H666666");
    info[30] = QStringLiteral("240");
    info[31] = QStringLiteral("5040");
    info[32] = QStringLiteral("7440");
    info[33] = QStringLiteral("9930");
    info[34] = QStringLiteral("2");
    return info;
}

plat::Status SetRegValue(plat::Settings& settings, const QString& keyPath, const QString& valueName,
    const QString& value)
{
    return settings.setValue(keyPath, valueName, value);
}

void readInfo(AppState& state, plat::Settings& settings, const QString& programDir,
    const QString& programName)
{
    const ErrorSite site(state, QStringLiteral("readInfo"));
    auto& info = state.ProductInfo;

    info = defaultProductInfo();
    overlayEncodedFile(state, site, programDir + QStringLiteral("/ver.txt"), 1);

    // The module values come from ver.txt alone; the vendor file cannot change them.
    const auto moduleNo = plat::valInt16(info[4]);
    if (site.check(moduleNo))
        state.ModuleNo = moduleNo.value();
    state.ModuleName = plat::trimSpaces(info[1]);
    state.ModuleShortName = plat::trimSpaces(info[2]);
    state.SkinPath = programDir + QLatin1Char('/') + plat::trimSpaces(info[3]) + QLatin1Char('/');
    for (int unit = 0; unit < kUnitNameCount; ++unit)
        state.ModuleSettings[unit][1] = plat::trimSpaces(info[unit + 5]);

    overlayEncodedFile(state, site, state.SkinPath + QStringLiteral("288901.mxy"), 0);
    for (QString& entry : info)
        entry = plat::trimSpaces(entry);

    state.AppTitle
        = info[0] + info[9] + QStringLiteral("——") + state.ModuleName + QStringLiteral("模块");

    recordFirstRun(state, site, settings, programDir, programName);
}

} // namespace shell
