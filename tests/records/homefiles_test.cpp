#include "records/homefiles.h"

#include <algorithm>

#include "recordstest.h"

namespace {

using namespace records;
using recordstest::RecordsTest;

class HomeFiles : public RecordsTest { };

// The two folders hold different files under the same numbers.
TEST_F(HomeFiles, EachFolderNamesItsOwnFiles)
{
    EXPECT_EQ(PaperFile(data), tmp.path() + "/data/288891.mxy");
    EXPECT_EQ(RandomPaperFile(dir), tmp.path() + "/ksdata/288891.mxy");
    EXPECT_EQ(ImeOptionFile(dir), tmp.path() + "/ksdata/288890.mxy");
    EXPECT_EQ(ExamHistoryFile(dir), tmp.path() + "/ksdata/288892.mxy");
    EXPECT_EQ(ModuleNumberFile(data), tmp.path() + "/data/288899.mxy");
    EXPECT_EQ(AdvertFile(dir), tmp.path() + "/ksdata/170100.mxy");
    EXPECT_EQ(HelpPageFile(data, 3), tmp.path() + "/data/l38183.mxy");
    EXPECT_EQ(PaperWrongFile(dir, 5), tmp.path() + "/ksdata/182405.mxy");
    EXPECT_EQ(PaperWrongFile(dir, 25), tmp.path() + "/ksdata/182425.mxy");
    EXPECT_EQ(helpTopicTitle(2), "考试大纲");
    EXPECT_EQ(helpTopicTitle(5), "");
}

TEST_F(HomeFiles, PaperCountsAndUnitSizes)
{
    const struct {
        const char* name;
        QStringList lines; // empty: no file
        int papers;
        int units;
        std::optional<QList<int>> sizes;
        int reports;
    } cases[] = {
        { "trimmed counts", { " 1011 ", "1520" }, 10, 11, QList<int> { 15, 20 }, 0 },
        { "odd-length sizes", { "0503", "15203" }, 5, 3, QList<int> { 15, 20, 3 }, 0 },
        { "one line: no sizes", { "0503" }, 5, 3, std::nullopt, 0 },
        { "empty sizes line", { "0503", "" }, 5, 3, std::nullopt, 0 },
        { "counts above 20 clamped", { "2530", "10" }, 20, 20, QList<int> { 10 }, 2 },
        { "not numbers", { "ab", "x9" }, 0, 0, QList<int> { 0 }, 0 },
        { "missing file", {}, 0, 0, std::nullopt, 1 },
    };
    for (const auto& c : cases) {
        QFile::remove(PaperFile(data));
        if (!c.lines.isEmpty())
            put(PaperFile(data), c.lines);
        reports.clear();
        const PaperCounts counts = readPaperCounts(data, site);
        EXPECT_EQ(counts.fixedPaperCount, c.papers) << c.name;
        EXPECT_EQ(counts.unitCount, c.units) << c.name;
        EXPECT_EQ(readUnitSizes(data, site), c.sizes) << c.name;
        EXPECT_EQ(static_cast<int>(reports.size()), c.reports) << c.name;
    }

    // At most 26 sizes.
    put(PaperFile(data), { "0127", QString(54, '1') });
    EXPECT_EQ(readUnitSizes(data, site)->size(), 26);
}

TEST_F(HomeFiles, APaperLineIsItsOwnOrNothing)
{
    put(PaperFile(data), { "0202", "0505", "A", "B" });
    EXPECT_EQ(readFixedPaper(data, 0, site), "A");
    EXPECT_EQ(readFixedPaper(data, 1, site), "B");
    EXPECT_EQ(readFixedPaper(data, 2, site), ""); // never paper 1's line

    put(RandomPaperFile(dir), { "R20", "R21", "R22" });
    EXPECT_EQ(readRandomPaper(dir, 20, site), "R20");
    EXPECT_EQ(readRandomPaper(dir, 22, site), "R22");
    EXPECT_EQ(readRandomPaper(dir, 25, site), "");
    EXPECT_EQ(readRandomPaper(dir, 19, site), "");
    EXPECT_TRUE(reports.empty());
}

TEST_F(HomeFiles, RandomPaperCount)
{
    QStringList twelve;
    for (int k = 0; k < 12; ++k)
        twelve << QStringLiteral("P%1").arg(k);
    const struct {
        const char* name;
        QStringList lines; // empty: no file
        int count;
    } cases[] = {
        { "missing file", {}, 0 },
        { "blank third line", { "A", "B", "", "D" }, 2 },
        { "a line of spaces", { "A", "   ", "C" }, 1 },
        { "no blank line", { "A", "B", "C" }, 3 },
        { "ten and blanks", twelve.mid(0, 10) + QStringList { "", "" }, 10 },
        { "more than ten", twelve, 10 },
    };
    for (const auto& c : cases) {
        QFile::remove(RandomPaperFile(dir));
        if (!c.lines.isEmpty())
            put(RandomPaperFile(dir), c.lines);
        EXPECT_EQ(randomPaperCount(dir, site), c.count) << c.name;
    }
    EXPECT_EQ(reports.size(), 1u); // the twelve papers
}

TEST_F(HomeFiles, NewAndDeletedRandomPapers)
{
    // First paper: the new line and nine blank lines.
    EXPECT_TRUE(writeNewRandomPaper(dir, "N1", site));
    EXPECT_EQ(text(RandomPaperFile(dir)), "N1" + QString("\r\n").repeated(10));
    EXPECT_EQ(randomPaperCount(dir, site), 1);
    EXPECT_TRUE(writeNewRandomPaper(dir, "N2", site));
    EXPECT_EQ(randomPaperCount(dir, site), 2);
    EXPECT_EQ(readRandomPaper(dir, 21, site), "N1");

    // Ten papers: the oldest is dropped.
    QStringList ten;
    for (int k = 1; k <= 10; ++k)
        ten << QStringLiteral("P%1").arg(k);
    put(RandomPaperFile(dir), ten);
    EXPECT_TRUE(writeNewRandomPaper(dir, "NEW", site));
    EXPECT_EQ(
        plat::readLines(RandomPaperFile(dir)).value(), QStringList({ "NEW" }) + ten.mid(0, 9));

    // Deleting paper 21 of three closes the gap and ends with an empty line.
    put(RandomPaperFile(dir), { "P1", "P2", "P3", "", "" });
    EXPECT_TRUE(deleteRandomPaper(dir, 21, 3, site));
    EXPECT_EQ(text(RandomPaperFile(dir)), "P1\r\nP3\r\n\r\n");
    EXPECT_EQ(randomPaperCount(dir, site), 2);
    EXPECT_TRUE(deleteRandomPaper(dir, 20, 2, site));
    EXPECT_TRUE(deleteRandomPaper(dir, 20, 1, site));
    EXPECT_EQ(text(RandomPaperFile(dir)), "\r\n");
    EXPECT_TRUE(reports.empty());

    EXPECT_FALSE(deleteRandomPaper(dir, 20, 0, site));
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(HomeFiles, ModuleNumber)
{
    const struct {
        const char* line; // nullptr: no file
        int moduleNo;
        bool matches;
    } cases[] = { { "07", 7, true }, { " 6 ", 6, true }, { "8", 7, false }, { "x", 7, false },
        { "x", 0, true }, { nullptr, 7, false }, { nullptr, 0, true } };
    for (const auto& c : cases) {
        QFile::remove(ModuleNumberFile(data));
        if (c.line)
            put(ModuleNumberFile(data), { c.line });
        EXPECT_EQ(moduleNumberMatches(data, static_cast<int16_t>(c.moduleNo), site), c.matches)
            << (c.line ? c.line : "missing") << " " << c.moduleNo;
    }
    EXPECT_EQ(reports.size(), 2u); // the missing file, each time
}

TEST_F(HomeFiles, Advert)
{
    const struct {
        const char* name;
        QStringList lines; // empty: no file
        QString text;
        int colour;
        QString link;
    } cases[] = {
        { "three lines", { " 新题库◎已上线 ", "&HFF", " http://x/y " }, "新题库\r\n已上线", 255,
            " http://x/y " },
        { "decimal colour", { "A", "255" }, "A", 255, "" },
        { "one line only", { "只有一行" }, "只有一行", 0, "" },
        { "missing file", {}, "", 0, "" },
    };
    for (const auto& c : cases) {
        QFile::remove(AdvertFile(dir));
        if (!c.lines.isEmpty())
            put(AdvertFile(dir), c.lines);
        const Advert a = readAdvert(dir, site);
        EXPECT_EQ(a.text, c.text) << c.name;
        EXPECT_EQ(a.colour, c.colour) << c.name;
        EXPECT_EQ(a.link, c.link) << c.name;
    }
    EXPECT_TRUE(reports.empty());

    // A file that cannot be read (here a folder of that name) is reported and reads empty.
    QFile::remove(AdvertFile(dir));
    QDir().mkpath(AdvertFile(dir));
    EXPECT_EQ(readAdvert(dir, site).text, "");
    EXPECT_EQ(reports.size(), 1u);
}

// A file of binary bytes in place of a record never crashes a reader, and reads as no data: no
// papers, no units, no questions, no colour, no module match. Only the count rule of the random
// papers finds lines in it, and the excess is reported.
TEST_F(HomeFiles, BinaryFilesReadAsNoData)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>((i * 37) & 0xff));
    for (const QString& path :
        { PaperFile(data), RandomPaperFile(dir), AdvertFile(dir), ModuleNumberFile(data) })
        putRaw(path, junk);

    const PaperCounts counts = readPaperCounts(data, site);
    EXPECT_EQ(counts.fixedPaperCount, 0);
    EXPECT_EQ(counts.unitCount, 0);
    const auto sizes = readUnitSizes(data, site);
    ASSERT_TRUE(sizes.has_value());
    EXPECT_LE(sizes->size(), 26);
    for (int size : *sizes)
        EXPECT_EQ(size, 0);
    EXPECT_FALSE(moduleNumberMatches(data, 1, site));
    EXPECT_EQ(readAdvert(dir, site).colour, 0);
    // The module's own files are not the learner's records: only the advert, kept among the
    // records, is reported as damaged.
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].description.contains(QStringLiteral("170100.mxy")));
    EXPECT_TRUE(reports[0].description.contains(QStringLiteral("damaged")));
    reports.clear();

    EXPECT_EQ(randomPaperCount(dir, site), kMaxRandomPapers);
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(std::any_of(reports.begin(), reports.end(), [](const auto& r) {
        return r.number == plat::err::SubscriptOutOfRange
            && r.description.contains(QStringLiteral("288891.mxy"));
    }));
}

} // namespace
