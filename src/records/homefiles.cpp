#include "records/homefiles.h"

#include "core/errorreport.h"
#include "platform/text.h"
#include "records/recordio.h"

#include <algorithm>

namespace records {

namespace {

    // The numeric value of a field rounded into 16 bits; a value outside reads as 0.
    int16_t value16(const QString& field) { return plat::valInt16(field).valueOr(0); }

    int16_t clampedCount(int16_t value, int16_t most, const QString& file, const char* what,
        const shell::ErrorSite& site)
    {
        if (value > most) {
            io::reportRefused(file,
                QStringLiteral("%1 %2 is more than the %3 the program holds")
                    .arg(QLatin1String(what))
                    .arg(value)
                    .arg(most),
                site);
            return most;
        }
        return std::max<int16_t>(value, 0);
    }

    // Line n of a file: the lines are read from the start until line n; a file that ends
    // before it gives nothing rather than its last line.
    QString lineN(const std::optional<QStringList>& lines, int n)
    {
        if (!lines || n < 1 || n > lines->size())
            return {};
        return lines->at(n - 1);
    }

    // The entries of the random-paper file as the count rule reads them: at most 15 lines.
    inline constexpr int kRandomLinesRead = 15;

    bool isBlank(const QString& line) { return plat::trimSpaces(line).isEmpty(); }

} // namespace

// ---- PaperFile ----

PaperCounts readPaperCounts(const DataDir& dir, const shell::ErrorSite& site)
{
    const QString file = PaperFile(dir);
    const QString line
        = plat::trimSpaces(lineN(io::readLines(file, site, 1, io::Missing::Reported), 1));
    PaperCounts counts;
    counts.fixedPaperCount
        = clampedCount(value16(plat::left(line, 2)), kMaxFixedPapers, file, "fixed papers", site);
    counts.unitCount = clampedCount(value16(plat::mid(line, 3, 2)), kMaxUnits, file, "units", site);
    return counts;
}

std::optional<QList<int>> readUnitSizes(const DataDir& dir, const shell::ErrorSite& site)
{
    const std::optional<QStringList> lines = io::readLines(PaperFile(dir), site, 2);
    if (!lines || lines->size() < 2 || lines->at(1).isEmpty())
        return std::nullopt;
    const QString& line = lines->at(1);
    QList<int> sizes;
    for (int p = 1; p <= line.size() && sizes.size() < kMaxUnitSizes; p += 2)
        sizes.append(std::max<int>(value16(plat::mid(line, p, 2)), 0));
    return sizes;
}

QString readFixedPaper(const DataDir& dir, int paper, const shell::ErrorSite& site)
{
    if (paper < 0 || paper >= kMaxFixedPapers)
        return {};
    return lineN(io::readLines(PaperFile(dir), site, paper + 3, io::Missing::Reported), paper + 3);
}

// ---- RandomPaperFile ----

int16_t randomPaperCount(const RecordsDir& dir, const shell::ErrorSite& site)
{
    const QString file = RandomPaperFile(dir);
    const QStringList lines = io::linesOrNone(file, site, kRandomLinesRead);
    int16_t count = 0;
    while (count < lines.size() && !isBlank(lines.at(count)))
        ++count;
    return clampedCount(count, kMaxRandomPapers, file, "random papers", site);
}

QString readRandomPaper(const RecordsDir& dir, int paper, const shell::ErrorSite& site)
{
    const int n = paper - (kFirstRandomPaper - 1);
    if (n < 1 || n > kMaxRandomPapers)
        return {};
    return lineN(io::readLines(RandomPaperFile(dir), site, n), n);
}

bool writeNewRandomPaper(const RecordsDir& dir, const QString& idLine, const shell::ErrorSite& site)
{
    const QString file = RandomPaperFile(dir);
    const std::optional<QStringList> old = io::linesToRewrite(file, site, kMaxRandomPapers - 1);
    if (!old)
        return false;
    QStringList lines { idLine };
    for (int k = 0; k < kMaxRandomPapers - 1; ++k)
        lines.append(k < old->size() ? old->at(k) : QString());
    return io::write(file, lines, site);
}

bool deleteRandomPaper(
    const RecordsDir& dir, int paper, int randomCount, const shell::ErrorSite& site)
{
    const QString file = RandomPaperFile(dir);
    const int count = std::clamp(randomCount, 0, static_cast<int>(kMaxRandomPapers));
    const int n = paper - (kFirstRandomPaper - 1);
    if (n < 1 || n > count) {
        io::reportRefused(
            file, QStringLiteral("no random paper %1 among %2").arg(paper).arg(count), site);
        return false;
    }
    // The entries up to the first blank line, as the count rule sees them.
    const std::optional<QStringList> old = io::linesToRewrite(file, site, kRandomLinesRead);
    if (!old)
        return false;
    QStringList entries;
    for (const QString& line : *old) {
        if (isBlank(line))
            break;
        entries.append(line);
    }
    while (entries.size() < count)
        entries.append(QString());
    entries = entries.mid(0, count);
    entries.removeAt(n - 1);
    entries.append(QString());
    return io::write(file, entries, site);
}

// ---- ModuleNumberFile ----

bool moduleNumberMatches(const DataDir& dir, int16_t moduleNo, const shell::ErrorSite& site)
{
    const QString line
        = lineN(io::readLines(ModuleNumberFile(dir), site, 1, io::Missing::Reported), 1);
    return plat::val(line) == static_cast<double>(moduleNo);
}

// ---- AdvertFile ----

Advert readAdvert(const RecordsDir& dir, const shell::ErrorSite& site)
{
    const std::optional<QStringList> lines = io::readLines(AdvertFile(dir), site, 3);
    Advert advert;
    advert.text = plat::trimSpaces(lineN(lines, 1)).replace(u'◎', QStringLiteral("\r\n"));
    const plat::Result<int32_t> colour = plat::toInt32(plat::val(lineN(lines, 2)));
    if (colour)
        advert.colour = colour.value();
    else
        site.fail(colour.error());
    advert.link = lineN(lines, 3);
    return advert;
}

// ---- HelpPageFile ----

QString helpTopicTitle(int n)
{
    static const char16_t* const titles[kHelpPages]
        = { u"软件介绍", u"备考指南", u"考试大纲", u"答题技巧", u"常见问题" };
    return n >= 0 && n < kHelpPages ? QString::fromUtf16(titles[n]) : QString();
}

} // namespace records
