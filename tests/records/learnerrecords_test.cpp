#include "records/learnerrecords.h"

#include "recordstest.h"

#include <QDateTime>

#include <functional>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace records;
using recordstest::RecordsTest;

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30, 5));

class LearnerRecords : public RecordsTest { };

// A first scoring creates the records folder and every file it writes.
TEST_F(LearnerRecords, FirstScoringCreatesTheRecordsFolderAndItsFiles)
{
    ASSERT_FALSE(QFileInfo::exists(dir.path));
    QStringList ids;
    std::vector<int16_t> states(40, 5); // visited and done
    for (int q = 1; q <= 40; ++q)
        ids << QString::number(q);
    states[1] = 3; // question 2 flagged, not done
    states[4] = 7; // question 5 flagged and done
    states[9] = 1; // question 10 not done
    setExercise(ids, states, 0);

    EXPECT_TRUE(addFlaggedFavourites(dir, exercise, site));
    EXPECT_TRUE(writePaperWrong(dir, 3, exercise, recordstest::paperIdLine(0), site));
    EXPECT_TRUE(addUndoneToWrongBook(dir, exercise, recordstest::paperIdLine(0), site));
    EXPECT_TRUE(recordScoring(dir, 3, "2026-12-10 09:00:00", 95, kNow, site));

    EXPECT_EQ(text(FavouritesFile(dir)), "00020005\r\n");
    EXPECT_EQ(text(FavouritesReviewFile(dir)), "FF\r\n");
    EXPECT_EQ(text(PaperWrongFile(dir, 3)), "00020010\r\n");
    EXPECT_EQ(text(dir.path + "/182403.mxy"), "00020010\r\n");
    EXPECT_EQ(text(WrongBookFile(dir)), "00020010\r\n");
    EXPECT_EQ(text(WrongBookReviewFile(dir)), "FF\r\n");
    const QStringList history = text(ExamHistoryFile(dir)).split("\r\n");
    // Exactly rows 0 to 30: 93 lines, each ended by CR LF (no empty line after them).
    ASSERT_EQ(history.size(), 94);
    for (int n = 1; n <= 93; ++n) {
        if (n >= 10 && n <= 12)
            continue;
        EXPECT_EQ(history[n - 1], ExamHistory::defaultLine(n)) << n;
    }
    EXPECT_EQ(history.mid(9, 3), QStringList({ "2026-12-10 09:00:00", "95", "E" }));
    EXPECT_TRUE(reports.empty());
}

TEST_F(LearnerRecords, AddingFlaggedQuestionsKeepsOneReviewCharacterPerId)
{
    QStringList fifty;
    std::vector<int16_t> flaggedFifty(50, 2);
    for (int q = 1; q <= 50; ++q)
        fifty << QString::number(100 + q);
    const struct {
        const char* name;
        QStringList oldLines; // list, review; empty: no files
        QStringList ids;
        std::vector<int16_t> states;
        QString list;
        QString review;
    } cases[] = {
        { "flagged in question order", {}, { "312", "7", "105" }, { 2, 6, 3 }, "031200070105",
            "FFF" },
        { "unflagged and done are not added", { "0102", "T" }, { "7", "105", "106" }, { 0, 4, 5 },
            "0102", "T" },
        { "present ids are not added again", { "01050007", "TF" }, { "7", "105", "312" },
            { 2, 2, 2 }, "010500070312", "TFF" },
        { "short review line padded", { "01050007", "" }, { "312" }, { 2 }, "010500070312", "FFF" },
        { "long review line cut", { "0105", "TTTT" }, { "312" }, { 2 }, "01050312", "TF" },
        { "more than forty at once", {}, fifty, flaggedFifty, QString(), QString(50, 'F') },
    };
    for (const auto& c : cases) {
        QFile::remove(FavouritesFile(dir));
        QFile::remove(FavouritesReviewFile(dir));
        if (!c.oldLines.isEmpty()) {
            put(FavouritesFile(dir), { c.oldLines[0] });
            put(FavouritesReviewFile(dir), { c.oldLines[1] });
        }
        setExercise(c.ids, c.states, 20);
        EXPECT_TRUE(addFlaggedFavourites(dir, exercise, site)) << c.name;
        const ReviewedList back = readFavourites(dir, site);
        if (!c.list.isEmpty()) {
            EXPECT_EQ(back.listLine(), c.list) << c.name;
        }
        EXPECT_EQ(back.count(), back.review.size()) << c.name;
        EXPECT_EQ(text(FavouritesReviewFile(dir)), c.review + "\r\n") << c.name;
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(LearnerRecords, ListsStopAtFiveHundredIdsAndSkipIdsThatAreNotIds)
{
    QString full;
    for (int i = 0; i < 500; ++i)
        full += QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
    put(FavouritesFile(dir), { full });
    put(FavouritesReviewFile(dir), { QString(500, 'T') });
    setExercise({ "9001", "12345", "9002" }, { 2, 2, 2 });

    EXPECT_TRUE(addFlaggedFavourites(dir, exercise, site));
    EXPECT_EQ(text(FavouritesFile(dir)), full + "\r\n");
    EXPECT_EQ(text(FavouritesReviewFile(dir)), QString(500, 'T') + "\r\n");
    // 12345 is reported, never cut into 2345; 9001 and 9002 are refused by the full list.
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_TRUE(reports[0].description.contains("9001"));
    EXPECT_TRUE(reports[1].description.contains("12345"));
    EXPECT_EQ(tags(), QStringList({ "clickbotn", "clickbotn", "clickbotn" }));
}

TEST_F(LearnerRecords, RemovingUnflaggedQuestionsTakesTheirOwnReviewCharacters)
{
    const struct {
        const char* name;
        QString list;
        QString review;
        QStringList ids;
        std::vector<int16_t> states;
        QString newList;
        QString newReview;
    } cases[] = {
        { "middle id", "010203100007", "TFT", { "310" }, { 1 }, "01020007", "TT" },
        { "first and last", "010203100007", "TFF", { "102", "7" }, { 4, 0 }, "0310", "F" },
        { "flagged stay", "010203100007", "TFT", { "310", "102" }, { 3, 6 }, "010203100007",
            "TFT" },
        // 0203 and 1000 occur in the plain concatenation across two ids: nothing is removed.
        { "straddling match", "010203100007", "TFT", { "203", "1000" }, { 0, 0 }, "010203100007",
            "TFT" },
        { "duplicates all go", "0102031001020007", "TFFT", { "102" }, { 0 }, "03100007", "FT" },
        { "short review line", "010203100007", "T", { "310" }, { 0 }, "01020007", "TF" },
    };
    for (const auto& c : cases) {
        put(FavouritesFile(dir), { c.list });
        put(FavouritesReviewFile(dir), { c.review });
        setExercise(c.ids, c.states, 9);
        EXPECT_TRUE(removeUnflaggedFavourites(dir, exercise, site)) << c.name;
        EXPECT_EQ(text(FavouritesFile(dir)), c.newList + "\r\n") << c.name;
        EXPECT_EQ(text(FavouritesReviewFile(dir)), c.newReview + "\r\n") << c.name;
    }
}

// A practice of the whole list holds its ids in order; one of the unreviewed group the ids at
// the unreviewed characters ("T" is reviewed, anything else is not).
TEST_F(LearnerRecords, MarkingReviewedFollowsTheStudyMode)
{
    const struct {
        const char* name;
        int mode;
        QString review; // of the list 0101 0102 0103 0104
        QStringList ids; // the exercise
        std::vector<int16_t> states;
        QString marked;
    } cases[] = {
        { "all: question i is id i", 9, "FFFF", { "0101", "0102", "0103", "0104" }, { 4, 0, 6, 1 },
            "TFTF" },
        { "all: a reviewed id stays reviewed", 9, "TTFF", { "0101", "0102", "0103", "0104" },
            { 0, 0, 0, 5 }, "TTFT" },
        { "unreviewed: the k-th F", 10, "TFTF", { "0102", "0104" }, { 0, 4 }, "TFTT" },
        { "unreviewed: first of three", 10, "FTFF", { "0101", "0103", "0104" }, { 7, 0, 0 },
            "TTFF" },
        { "unreviewed: other characters are unreviewed too", 10, "TXTF", { "0102", "0104" },
            { 0, 4 }, "TXTT" },
        { "unreviewed: short line padded", 10, "T", { "0102", "0103", "0104" }, { 0, 0, 4 },
            "TFFT" },
        // The set builder skipped 0102 (its files are missing): question 2 is 0103.
        { "a skipped question", 10, "FFFF", { "0101", "0103", "0104" }, { 0, 4, 0 }, "FFTF" },
        { "reviewed group changes nothing", 11, "TFTF", { "0101", "0103" }, { 4, 4 }, "TFTF" },
        { "no done question changes nothing", 9, "FFFF", { "0101", "0102", "0103", "0104" },
            { 1, 3, 2, 0 }, "FFFF" },
        { "unit practice changes nothing", 20, "FFFF", { "0101", "0102", "0103", "0104" },
            { 4, 4, 4, 4 }, "FFFF" },
    };
    for (const auto& c : cases) {
        put(FavouritesFile(dir), { "0101010201030104" });
        put(FavouritesReviewFile(dir), { c.review });
        setExercise(c.ids, c.states, c.mode);
        EXPECT_TRUE(markFavouritesReviewed(dir, exercise, site)) << c.name;
        EXPECT_EQ(readFavourites(dir, site).review, c.marked) << c.name;
    }
}

TEST_F(LearnerRecords, TheWrongBookIsMarkedInItsOwnModes)
{
    put(WrongBookFile(dir), { "010101020103" });
    put(WrongBookReviewFile(dir), { "FTF" });
    put(FavouritesFile(dir), { "010101020103" });
    put(FavouritesReviewFile(dir), { "FFF" });
    setExercise({ "0101", "0103" }, { 0, 4 }, 13);
    EXPECT_TRUE(markFavouritesReviewed(dir, exercise, site));
    EXPECT_TRUE(markWrongBookReviewed(dir, exercise, site));
    EXPECT_EQ(text(WrongBookReviewFile(dir)), "FTT\r\n");
    EXPECT_EQ(text(FavouritesReviewFile(dir)), "FFF\r\n");

    setExercise({ "0101", "0102", "0103" }, { 4, 0, 0 }, 12);
    EXPECT_TRUE(markWrongBookReviewed(dir, exercise, site));
    EXPECT_EQ(text(WrongBookReviewFile(dir)), "TTT\r\n");
}

TEST_F(LearnerRecords, ClearingAGroupKeepsTheOthersWithTheirReviewCharacters)
{
    const struct {
        const char* name;
        QString list;
        QString review;
        ReviewGroups cleared;
        QString newList; // "<missing>": not written
        QString newReview;
    } cases[] = {
        { "unreviewed", "010101020305", "FTT", UnreviewedGroup, "01020305", "TT" },
        { "reviewed", "010101020305", "FTT", ReviewedGroup, "0101", "F" },
        { "all", "010101020305", "FTT", BothGroups, "", "" },
        // Ids without a review character are unreviewed: a clear of the reviewed keeps them.
        { "reviewed, short review line", "010101020305", "T", ReviewedGroup, "01020305", "FF" },
        { "unreviewed, short review line", "010101020305", "T", UnreviewedGroup, "0101", "T" },
    };
    for (const auto& c : cases) {
        put(WrongBookFile(dir), { c.list });
        put(WrongBookReviewFile(dir), { c.review });
        const Cleared cleared = clearWrongBook(dir, c.cleared, site);
        ASSERT_TRUE(cleared.changed && cleared.saved.ok) << c.name;
        EXPECT_EQ(cleared.kept.listLine(), c.newList) << c.name;
        EXPECT_EQ(text(WrongBookFile(dir)), c.newList + "\r\n") << c.name;
        EXPECT_EQ(text(WrongBookReviewFile(dir)), c.newReview + "\r\n") << c.name;
    }

    // An empty list, or no group, leaves both files untouched.
    put(FavouritesFile(dir), { "" });
    put(FavouritesReviewFile(dir), { "TTF" });
    Cleared cleared = clearFavourites(dir, BothGroups, site);
    EXPECT_TRUE(cleared.saved.ok && !cleared.changed);
    EXPECT_EQ(text(FavouritesReviewFile(dir)), "TTF\r\n");
    put(FavouritesFile(dir), { "0101" });
    cleared = clearFavourites(dir, NoGroup, site);
    EXPECT_TRUE(cleared.saved.ok && !cleared.changed);
    EXPECT_EQ(text(FavouritesFile(dir)), "0101\r\n");
}

// A clear that cannot be saved says so and why, and changes neither file: the panel is not told
// that the list is empty.
TEST_F(LearnerRecords, AClearThatCannotBeSavedSaysWhy)
{
    for (const io::Failure why : { io::Failure::FolderFull, io::Failure::FolderNotWritable }) {
        for (const bool wrongBook : { false, true }) {
            SCOPED_TRACE(wrongBook ? "wrong book" : "favourites");
            const QString list = wrongBook ? WrongBookFile(dir) : FavouritesFile(dir);
            const QString review = wrongBook ? WrongBookReviewFile(dir) : FavouritesReviewFile(dir);
            put(list, { "01010102" });
            put(review, { "TF" });
            reports.clear();
            io::setFaultHook([why](const QString&) { return why; });
            const Cleared cleared = wrongBook ? clearWrongBook(dir, BothGroups, site)
                                              : clearFavourites(dir, BothGroups, site);
            io::setFaultHook({});
            EXPECT_FALSE(cleared.saved.ok);
            EXPECT_FALSE(cleared.changed);
            EXPECT_EQ(cleared.saved.why, why);
            EXPECT_EQ(cleared.saved.left, Left::Old);
            EXPECT_EQ(text(list), "01010102\r\n");
            EXPECT_EQ(text(review), "TF\r\n");
            EXPECT_FALSE(reports.empty());
        }
    }
}

TEST_F(LearnerRecords, APapersWrongQuestions)
{
    QStringList ids;
    std::vector<int16_t> states(40, 4);
    for (int q = 1; q <= 40; ++q)
        ids << QString::number(q);

    // All done: an empty line, written all the same.
    setExercise(ids, states, 0);
    EXPECT_TRUE(writePaperWrong(dir, 7, exercise, recordstest::paperIdLine(0), site));
    EXPECT_EQ(text(PaperWrongFile(dir, 7)), "\r\n");
    EXPECT_TRUE(readPaperWrong(dir, 7, site).isEmpty());

    // A short paper line gives nothing for its missing questions.
    states[0] = 0;
    states[38] = 1;
    setExercise(ids, states, 0);
    EXPECT_TRUE(writePaperWrong(dir, 7, exercise, recordstest::paperIdLine(0).left(150), site));
    EXPECT_EQ(text(PaperWrongFile(dir, 7)), "0001\r\n");
    EXPECT_TRUE(writePaperWrong(dir, 7, exercise, recordstest::paperIdLine(0), site));
    EXPECT_EQ(readPaperWrong(dir, 7, site), QStringList({ "0001", "0039" }));

    // Narrowing after the practice of three wrong questions, 1 and 3 done: only 2 stays.
    put(PaperWrongFile(dir, 7), { "010102020303" });
    setExercise({ "101", "202", "303" }, { 4, 1, 5 }, 2);
    EXPECT_TRUE(narrowPaperWrong(dir, 7, exercise, site));
    EXPECT_EQ(text(PaperWrongFile(dir, 7)), "0202\r\n");
    // Nothing done: nothing written.
    setExercise({ "202" }, { 1 }, 2);
    EXPECT_TRUE(narrowPaperWrong(dir, 7, exercise, site));
    EXPECT_EQ(text(PaperWrongFile(dir, 7)), "0202\r\n");
    EXPECT_TRUE(reports.empty());
}

TEST_F(LearnerRecords, RandomPapersShiftTheirWrongQuestions)
{
    const auto seed = [&](int count) {
        for (int p = 20; p <= 30; ++p)
            QFile::remove(PaperWrongFile(dir, p));
        for (int p = 20; p < 20 + count; ++p)
            put(PaperWrongFile(dir, p), { QStringLiteral("00%1").arg(p) });
    };
    const auto contents = [&](int from, int to) {
        QStringList t;
        for (int p = from; p <= to; ++p)
            t << text(PaperWrongFile(dir, p)).trimmed();
        return t;
    };

    seed(0);
    EXPECT_TRUE(shiftPaperWrongForNewRandomPaper(dir, 0, site));
    EXPECT_EQ(contents(20, 21), QStringList({ "", "<missing>" }));

    seed(3);
    EXPECT_TRUE(shiftPaperWrongForNewRandomPaper(dir, 3, site));
    EXPECT_EQ(contents(20, 24), QStringList({ "", "0020", "0021", "0022", "<missing>" }));

    seed(10);
    EXPECT_TRUE(shiftPaperWrongForNewRandomPaper(dir, 10, site));
    EXPECT_EQ(contents(29, 30), QStringList({ "0028", "0029" }));

    // A missing source leaves its destination without a list instead of another paper's.
    seed(3);
    QFile::remove(PaperWrongFile(dir, 21));
    EXPECT_TRUE(shiftPaperWrongForNewRandomPaper(dir, 3, site));
    EXPECT_EQ(contents(21, 23), QStringList({ "0020", "<missing>", "0022" }));

    // Deleting paper 21 of 4: 22 and 23 move down and 23, no longer listed, has no file.
    seed(4);
    EXPECT_TRUE(shiftPaperWrongForDeletedRandomPaper(dir, 21, 4, site));
    EXPECT_EQ(contents(20, 23), QStringList({ "0020", "0022", "0023", "<missing>" }));
    seed(4);
    QFile::remove(PaperWrongFile(dir, 23));
    EXPECT_TRUE(shiftPaperWrongForDeletedRandomPaper(dir, 22, 4, site));
    EXPECT_EQ(contents(22, 22), QStringList({ "<missing>" }));
    EXPECT_TRUE(readPaperWrong(dir, 22, site).isEmpty());
    EXPECT_TRUE(reports.empty());

    // A paper that is not among the random papers moves nothing.
    seed(2);
    EXPECT_FALSE(shiftPaperWrongForDeletedRandomPaper(dir, 23, 2, site));
    EXPECT_EQ(contents(20, 22), QStringList({ "0020", "0021", "<missing>" }));
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(LearnerRecords, AScoringKeepsTheBestScore)
{
    const struct {
        const char* name;
        const char* storedBest; // nullptr: no history file
        const char* start;
        double score;
        const char* time;
        const char* best;
    } cases[] = {
        { "first scoring", nullptr, "2026-12-01 08:00:00", 82.5, "2026-12-01 08:00:00", "82.5" },
        { "higher", "80", "2026-12-01 08:00:00", 100, "2026-12-01 08:00:00", "100" },
        { "equal", "82.5", "2026-12-01 08:00:00", 82.5, "2026-12-01 08:00:00", "82.5" },
        { "lower", "90", "2026-12-01 08:00:00", 2.5, "2026-12-01 08:00:00", "90" },
        { "stored best not a number", "abc", "2026-12-01 08:00:00", 2.5, "2026-12-01 08:00:00",
            "2.5" },
        { "stored best not a number, score 0", "abc", "2026-12-01 08:00:00", 0,
            "2026-12-01 08:00:00", "abc" },
        { "answers viewed", "50", "-1", 100, "2026-12-10 09:30:05", "50" },
    };
    for (const auto& c : cases) {
        QFile::remove(ExamHistoryFile(dir));
        if (c.storedBest)
            put(ExamHistoryFile(dir), { "x", "0", "E", "t", c.storedBest, "E" });
        EXPECT_TRUE(recordScoring(dir, 1, c.start, c.score, kNow, site)) << c.name;
        const ExamHistory h = readExamHistory(dir, site);
        EXPECT_EQ(h.lastTime(1), QString::fromUtf8(c.time)) << c.name;
        EXPECT_EQ(h.bestScore(1), QString::fromUtf8(c.best)) << c.name;
        EXPECT_EQ(h.line(6), "E") << c.name;
    }
    EXPECT_FALSE(recordScoring(dir, 31, "2026-12-01 08:00:00", 10, kNow, site));
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(LearnerRecords, HistoryReadsDefaultsAndAtMostAHundredLines)
{
    ExamHistory h = readExamHistory(dir, site);
    EXPECT_EQ(h.line(1), "您还未考试！");
    EXPECT_EQ(h.line(2), "0");
    EXPECT_EQ(h.line(3), "E");
    EXPECT_EQ(h.line(100), "您还未考试！");
    EXPECT_EQ(h.lastTime(40), ""); // past the table
    h.line(0) = "lost";
    EXPECT_EQ(h.line(0), "");

    QStringList lines;
    for (int n = 1; n <= 120; ++n)
        lines << QString::number(n);
    put(ExamHistoryFile(dir), lines.mid(0, 4));
    h = readExamHistory(dir, site);
    EXPECT_EQ(h.line(4), "4");
    EXPECT_EQ(h.line(5), "0");
    put(ExamHistoryFile(dir), lines);
    h = readExamHistory(dir, site);
    EXPECT_EQ(h.line(100), "100");
    EXPECT_TRUE(reports.empty());
}

TEST_F(LearnerRecords, RandomPaperRowsMoveInTheHistory)
{
    QStringList lines;
    for (int row = 0; row < 30; ++row)
        lines << QStringLiteral("time%1").arg(row) << QString::number(row) << "E";
    put(ExamHistoryFile(dir), lines);
    EXPECT_TRUE(historyForNewRandomPaper(dir, kNow, site));
    ExamHistory h = readExamHistory(dir, site);
    EXPECT_EQ(h.lastTime(19), "time19");
    EXPECT_EQ(h.lastTime(20), "2026-12-10 09:30:05");
    EXPECT_EQ(h.bestScore(20), "0");
    EXPECT_EQ(h.lastTime(21), "time20");
    EXPECT_EQ(h.bestScore(29), "28"); // old row 29 dropped
    EXPECT_EQ(text(ExamHistoryFile(dir)).split("\r\n").size(), 92); // 90 lines and an empty one

    put(ExamHistoryFile(dir), lines);
    EXPECT_TRUE(historyForDeletedRandomPaper(dir, 21, 4, site));
    h = readExamHistory(dir, site);
    EXPECT_EQ(h.bestScore(20), "20");
    EXPECT_EQ(h.bestScore(21), "22");
    EXPECT_EQ(h.bestScore(22), "23");
    EXPECT_EQ(h.bestScore(23), "23"); // the last random row keeps its contents
    EXPECT_EQ(h.bestScore(24), "24");
    EXPECT_TRUE(reports.empty());
}

TEST_F(LearnerRecords, UnitProgressFitsEachLineToItsUnit)
{
    const struct {
        const char* name;
        QStringList old;
        std::optional<QList<int>> sizes;
        QStringList fitted; // lines 0.. (the rest empty)
    } cases[] = {
        { "first run", {}, QList<int> { 3, 2 }, { "FFF", "FF" } },
        { "padded and cut", { "TT", "TFTFT", "T" }, QList<int> { 4, 3, 0 }, { "TTFF", "TFT", "" } },
        { "a unit of fifty reaches its size at once", { "T" }, QList<int> { 50 },
            { "T" + QString(49, 'F') } },
    };
    for (const auto& c : cases) {
        QFile::remove(UnitProgressFile(dir));
        if (!c.old.isEmpty())
            put(UnitProgressFile(dir), c.old);
        const QStringList lines = refreshUnitProgress(dir, c.sizes, site);
        ASSERT_EQ(lines.size(), 25) << c.name;
        QStringList expected = c.fitted;
        while (expected.size() < 25)
            expected << QString();
        EXPECT_EQ(lines, expected) << c.name;
        EXPECT_EQ(
            text(UnitProgressFile(dir)), (expected + QStringList { "" }).join("\r\n") + "\r\n")
            << c.name;
    }

    // Thirty lines: the first 25, fitted, then an empty line.
    QStringList thirty;
    for (int u = 0; u < 30; ++u)
        thirty << "TF";
    put(UnitProgressFile(dir), thirty);
    refreshUnitProgress(dir, QList<int>(30, 2), site);
    EXPECT_EQ(readUnitProgress(dir, site).mid(24, 2), QStringList({ "TF", "" }));

    // Without unit sizes the learner's progress is left alone.
    put(UnitProgressFile(dir), { "TTT", "TF" });
    const QStringList kept = refreshUnitProgress(dir, std::nullopt, site);
    EXPECT_EQ(kept.mid(0, 2), QStringList({ "TTT", "TF" }));
    EXPECT_EQ(text(UnitProgressFile(dir)), "TTT\r\nTF\r\n");
    EXPECT_TRUE(reports.empty());
}

TEST_F(LearnerRecords, UnitPracticeWritesItsUnitsLine)
{
    // Whole unit 2 with five questions, 1 and 4 done.
    put(UnitProgressFile(dir), { "TT", "FFF", "TTTTT", "F" });
    setExercise({ "201", "202", "203", "204", "205" }, { 5, 1, 0, 7, 3 }, 20);
    exercise.SetNo = 2;
    EXPECT_TRUE(recordUnitPractice(dir, exercise, 4, site));
    EXPECT_EQ(text(UnitProgressFile(dir)), "TT\r\nFFF\r\nTFFTF\r\nF\r\n\r\n");

    // Unlearned questions of unit 1: done questions 0102 and 0105 mark their own characters,
    // the short line filled up with "F" first.
    setExercise({ "102", "103", "105" }, { 4, 0, 4 }, 6);
    exercise.RecordNo = 1;
    EXPECT_TRUE(recordUnlearnedDone(dir, exercise, 4, site));
    EXPECT_EQ(readUnitProgress(dir, site)[1], "FTFFT");

    // Nothing done: nothing written.
    const QString before = text(UnitProgressFile(dir));
    setExercise({ "102" }, { 3 }, 6);
    exercise.RecordNo = 1;
    EXPECT_TRUE(recordUnlearnedDone(dir, exercise, 4, site));
    EXPECT_EQ(text(UnitProgressFile(dir)), before);

    // An unknown unit count never shortens the file.
    setExercise({ "1", "2" }, { 4, 4 }, 20);
    exercise.SetNo = 0;
    EXPECT_TRUE(recordUnitPractice(dir, exercise, 0, site));
    EXPECT_EQ(readUnitProgress(dir, site).mid(0, 4), QStringList({ "TT", "FTFFT", "TFFTF", "F" }));
    EXPECT_TRUE(reports.empty());
}

// The home refresh takes any number but 0 as on; the option dialog shows its box set only for
// exactly "1".
TEST_F(LearnerRecords, TheInputMethodOptionIsReadAsANumberAndAsTheDialogsBox)
{
    const struct {
        const char* line; // nullptr: no file
        bool on;
        bool checked;
    } cases[] = { { "1", true, true }, { " 1", true, false }, { "1 ", true, false },
        { "2", true, false }, { "0", false, false }, { "x", false, false }, { "", false, false },
        { nullptr, false, false } };
    for (const auto& c : cases) {
        QFile::remove(ImeOptionFile(dir));
        if (c.line)
            put(ImeOptionFile(dir), { c.line });
        const ImeOption read = readImeOption(dir, site);
        EXPECT_EQ(read.on, c.on) << (c.line ? c.line : "missing");
        EXPECT_EQ(read.checked, c.checked) << (c.line ? c.line : "missing");
    }
    EXPECT_TRUE(writeImeOption(dir, true, site));
    EXPECT_EQ(text(ImeOptionFile(dir)), "1\r\n");
    EXPECT_TRUE(writeImeOption(dir, false, site));
    EXPECT_EQ(text(ImeOptionFile(dir)), "0\r\n");
}

// A rewrite that cannot complete (a full disk) is reported under the caller's tag and leaves
// the old files whole.
TEST_F(LearnerRecords, AFailedRewriteIsReportedAndKeepsTheOldFile)
{
    QString longList;
    for (int i = 0; i < 400; ++i)
        longList += QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
    put(FavouritesFile(dir), { longList });
    put(FavouritesReviewFile(dir), { "T" });
    setExercise({ "9999" }, { 2 });

    struct rlimit saved { };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1024; // the list no longer fits; its review line does
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = addFlaggedFavourites(dir, exercise, site);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(text(FavouritesFile(dir)), longList + "\r\n");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].tag, "clickbotn");
    EXPECT_EQ(reports[0].number, plat::err::FileIo);
    // The list and its review line change together: the review line is not written either.
    EXPECT_EQ(text(FavouritesReviewFile(dir)), "T\r\n");
    const ReviewedList back = readFavourites(dir, site);
    EXPECT_EQ(back.count(), 400);
    EXPECT_EQ(back.review, "T" + QString(399, 'F'));
}

// A record file that is there but cannot be read (here: larger than any data file may be) is
// kept whole under another name before a rewrite starts the record again from nothing.
TEST_F(LearnerRecords, AFileThatCannotBeReadIsKeptWholeBeforeARewrite)
{
    setExercise({ "0101", "0102" }, { 6, 1 }, 20);
    exercise.SetNo = 1;
    exercise.RecordNo = 1;
    const struct {
        const char* name;
        QString file;
        std::function<bool()> rewrite;
    } cases[] = {
        { "favourites", FavouritesFile(dir),
            [&] { return addFlaggedFavourites(dir, exercise, site); } },
        { "review line", FavouritesReviewFile(dir),
            [&] { return removeUnflaggedFavourites(dir, exercise, site); } },
        { "wrong book", WrongBookFile(dir),
            [&] { return addUndoneToWrongBook(dir, exercise, "01010102", site); } },
        { "history", ExamHistoryFile(dir),
            [&] { return recordScoring(dir, 1, "2026-12-10 09:00:00", 50, kNow, site); } },
        { "unit progress", UnitProgressFile(dir),
            [&] { return recordUnitPractice(dir, exercise, 5, site); } },
        { "paper wrong questions", PaperWrongFile(dir, 1),
            [&] {
                exercise.StudyMode = 2;
                return narrowPaperWrong(dir, 1, exercise, site);
            } },
        // Written at a hand-in without being read first.
        { "paper wrong questions at a hand-in", PaperWrongFile(dir, 2),
            [&] { return writePaperWrong(dir, 2, exercise, "01010102", site); } },
    };
    const qint64 huge = plat::kMaxDataFileBytes + 1;
    for (const auto& c : cases) {
        QDir().mkpath(dir.path);
        QFile f(c.file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(huge)); // sparse: no disk space taken
        f.close();
        reports.clear();
        (void)io::takeSetAside(reporter);
        EXPECT_TRUE(c.rewrite()) << c.name;
        const QString kept = keptAs(c.file);
        ASSERT_FALSE(kept.isEmpty()) << c.name;
        ASSERT_TRUE(QFileInfo(kept).isFile()) << c.name;
        EXPECT_EQ(QFileInfo(kept).size(), huge) << c.name;
        EXPECT_LT(QFileInfo(c.file).size(), 1000) << c.name;
        EXPECT_FALSE(reports.empty()) << c.name;
        EXPECT_EQ(io::takeSetAside(reporter).size(), 1) << c.name;
        QDir(dir.path).removeRecursively();
    }
    // Unit progress that cannot be read is set aside too, and the units keep their sizes.
    QDir().mkpath(dir.path);
    QFile f(UnitProgressFile(dir));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(huge));
    f.close();
    EXPECT_EQ(refreshUnitProgress(dir, QList<int> { 3 }, site).value(0), "FFF");
    EXPECT_EQ(QFileInfo(keptAs(UnitProgressFile(dir))).size(), huge);
    EXPECT_EQ(io::takeSetAside(reporter).size(), 1);
}

TEST_F(LearnerRecords, AWriteIntoAReadOnlyFolderIsReportedAndKeepsTheOldFile)
{
    put(ImeOptionFile(dir), { "1" });
    // The folder refuses the write through the fault hook, which binds the superuser too...
    io::setFaultHook([](const QString&) { return io::Failure::FolderNotWritable; });
    EXPECT_FALSE(writeImeOption(dir, false, site));
    io::setFaultHook({});
    EXPECT_EQ(text(ImeOptionFile(dir)), "1\r\n");
    EXPECT_EQ(tags(), QStringList({ "clickbotn" }));

    // ...and through its permissions where they bind.
    if (::geteuid() != 0) {
        reports.clear();
        QFile::setPermissions(dir.path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool ok = writeImeOption(dir, false, site);
        QFile::setPermissions(
            dir.path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_FALSE(ok);
        EXPECT_EQ(text(ImeOptionFile(dir)), "1\r\n");
        EXPECT_EQ(tags(), QStringList({ "clickbotn" }));
    }
}

// The program dies (here: killed for exceeding its file-size limit) while the new history is
// being written, before the rename: the old file is still whole.
TEST_F(LearnerRecords, ARewriteKilledBeforeItsRenameLeavesTheOldFileWhole)
{
    // Forked without a new exec, so the child writes into this test's own folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    QStringList lines;
    for (int row = 0; row < 31; ++row)
        lines << "2026-01-01 00:00:00" << QString::number(row) << "E";
    put(ExamHistoryFile(dir), lines);
    const QString old = text(ExamHistoryFile(dir));

    const auto killedWhileWriting = [&] {
        struct rlimit small {
            16, RLIM_INFINITY
        };
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
        (void)recordScoring(dir, 2, "2026-12-10 10:00:00", 100, kNow, site);
        std::_Exit(0);
    };
    EXPECT_EXIT(killedWhileWriting(), ::testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(text(ExamHistoryFile(dir)), old);
    EXPECT_EQ(readExamHistory(dir, site).bestScore(2), "2");
}

} // namespace
