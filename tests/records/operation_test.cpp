// Operations over several record files: wholly old or wholly new after a crash or a failure at
// any of their changes, damaged records kept aside byte for byte, and the journal's own faults.

#include "records/homefiles.h"
#include "records/learnerrecords.h"
#include "records/operation.h"
#include "records/recordio.h"

#include "recordstest.h"

#include <QDateTime>
#include <QDir>

#include <functional>
#include <map>

namespace {

using namespace records;
using recordstest::paperIdLine;
using recordstest::RecordsTest;

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30, 5));

using RecordOperations = RecordsTest;

// The names of the files in which two snapshots differ, for a short failure message.
QStringList differing(
    const std::map<QString, QByteArray>& a, const std::map<QString, QByteArray>& b)
{
    QStringList names;
    for (const auto& [name, bytes] : a)
        if (!b.count(name) || b.at(name) != bytes)
            names << name;
    for (const auto& [name, bytes] : b)
        if (!a.count(name))
            names << name;
    return names;
}

// For each operation that changes several files and each change k it makes: a crash at k,
// then a fresh start (the journal rolled forward), leaves every file old or every file new;
// a failure at k alone leaves them old when the operation says so and new otherwise.
TEST_F(RecordOperations, EveryChangeOfAnOperationIsACrashPoint)
{
    const struct {
        const char* name;
        std::function<bool()> run;
    } operations[] = {
        { "favourites with their review line",
            [&] {
                setExercise({ "0101", "0102", "0305" }, { 2, 0, 2 }, 0);
                return addFlaggedFavourites(dir, exercise, site);
            } },
        { "new random paper",
            [&] { return addRandomPaper(dir, paperIdLine(4), 3, kNow, site).ok; } },
        { "deleted random paper", [&] { return removeRandomPaper(dir, 21, 3, site).ok; } },
        { "end of a unit practice",
            [&] {
                setExercise({ "0101", "0102", "0103" }, { 4, 6, 0 }, 20);
                exercise.SetNo = 1;
                return recordPracticeEnd(dir, exercise, 2, false, site).ok;
            } },
        { "end of a practice of a paper's wrong questions",
            [&] {
                setExercise({ "0001", "0002" }, { 6, 0 }, 2);
                exercise.RecordNo = 3;
                return recordPracticeEnd(dir, exercise, 2, true, site).ok;
            } },
        { "end of a review of the wrong book",
            [&] {
                // 0203 reviewed; 0101, not flagged, leaves the favourites.
                setExercise({ "0203", "0101" }, { 4, 0 }, 12);
                return recordPracticeEnd(dir, exercise, 2, false, site).ok;
            } },
        { "score sheet", [&] { return handInRandomPaper(kNow).ok; } },
    };
    for (const auto& o : operations) {
        SCOPED_TRACE(o.name);
        seed();
        const Files before = snapshot();
        faultAt(0, false); // counts the changes, fails none
        ASSERT_TRUE(o.run());
        const int total = changes;
        const Files after = snapshot();
        ASSERT_FALSE(after == before);
        ASSERT_GE(total, 3) << "a journal, two files and its removal at least";

        for (int k = 1; k <= total; ++k) {
            SCOPED_TRACE(k);
            seed();
            faultAt(k, true);
            o.run();
            io::setFaultHook({});
            ASSERT_TRUE(rollForward(dir, site));
            const Files now = snapshot();
            // Before the journal is whole nothing has changed; after it, everything will.
            EXPECT_TRUE(now == (k == 1 ? before : after))
                << "old: " << differing(now, before).join(' ').toStdString()
                << "; new: " << differing(now, after).join(' ').toStdString();
            EXPECT_FALSE(QFileInfo::exists(JournalFile(dir)));

            seed();
            faultAt(k, false);
            const bool saved = o.run();
            io::setFaultHook({});
            EXPECT_TRUE(snapshot() == (saved ? after : before))
                << (saved ? "new: " : "old: ")
                << differing(snapshot(), saved ? after : before).join(' ').toStdString();
        }
    }
}

// A records folder that is full or takes no writes: nothing changes, the failure is reported
// and says which of the two it was.
TEST_F(RecordOperations, AFullOrReadOnlyFolderKeepsTheOldRecordsAndSaysWhy)
{
    for (const io::Failure why : { io::Failure::FolderFull, io::Failure::FolderNotWritable }) {
        seed();
        const Files before = snapshot();
        reports.clear();
        io::setFaultHook([why](const QString&) { return why; });
        const Saved saved = addRandomPaper(dir, paperIdLine(4), 3, kNow, site);
        io::setFaultHook({});
        EXPECT_FALSE(saved.ok);
        EXPECT_EQ(saved.why, why);
        EXPECT_TRUE(snapshot() == before) << differing(snapshot(), before).join(' ').toStdString();
        EXPECT_FALSE(reports.empty());
        const QString message = notSavedMessage(QStringLiteral("新的随机试卷"), saved);
        EXPECT_TRUE(message.startsWith(QStringLiteral("新的随机试卷没有保存")));
        EXPECT_TRUE(message.contains(why == io::Failure::FolderFull ? QStringLiteral("磁盘已满")
                                                                    : QStringLiteral("不能写入")))
            << message.toStdString();
    }
}

// A record that cannot be read as its format is kept byte for byte under another name before
// anything replaces it, reported, and named once in the learner's notice.
TEST_F(RecordOperations, DamagedRecordsAreKeptAsideByteForByte)
{
    QByteArray utf16 = QByteArray("\xff\xfe", 2);
    for (const char16_t c : u"TTF")
        utf16 += QByteArray(reinterpret_cast<const char*>(&c), 2);
    const struct {
        const char* name;
        QString file;
        QByteArray bytes;
        std::function<void()> replace;
    } cases[] = {
        { "binary progress", UnitProgressFile(dir), QByteArray("\x00\x01\x02TT\x7f", 6),
            [&] { refreshUnitProgress(dir, QList<int> { 3 }, site); } },
        { "progress in another encoding", UnitProgressFile(dir), utf16,
            [&] { refreshUnitProgress(dir, QList<int> { 3 }, site); } },
        { "progress of the wrong shape", UnitProgressFile(dir), "hello\r\nworld\r\n",
            [&] { refreshUnitProgress(dir, QList<int> { 3 }, site); } },
        { "favourites of the wrong shape", FavouritesFile(dir), "01x1 abc\r\n",
            [&] {
                setExercise({ "0101" }, { 2 }, 0);
                addFlaggedFavourites(dir, exercise, site);
            } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir.path).removeRecursively();
        QDir().mkpath(dir.path);
        putRaw(c.file, c.bytes);
        reports.clear();
        c.replace();

        const QString kept = keptAs(c.file);
        ASSERT_FALSE(kept.isEmpty()) << "one copy set aside";
        ASSERT_TRUE(QFileInfo(kept).isFile());
        EXPECT_EQ(testsupport::readFile(kept), c.bytes);
        EXPECT_NE(testsupport::readFile(c.file), c.bytes) << "replaced";
        EXPECT_FALSE(reports.empty());
        const QList<io::SetAside> told = io::takeSetAside(reporter);
        ASSERT_EQ(told.size(), 1);
        const QString keptName = QFileInfo(kept).fileName();
        EXPECT_EQ(told[0].copy, keptName);
        EXPECT_TRUE(setAsideMessage(told).contains(keptName));
        EXPECT_TRUE(io::takeSetAside(reporter).isEmpty()) << "told once";
    }
}

// Records that are whole are neither set aside nor, when nothing changes, written again.
TEST_F(RecordOperations, AnUnchangedRecordIsNotRewritten)
{
    seed();
    refreshUnitProgress(dir, QList<int> { 3, 2 }, site);
    faultAt(0, false);
    refreshUnitProgress(dir, QList<int> { 3, 2 }, site);
    setExercise({ "0101" }, { 2 }, 0);
    EXPECT_TRUE(addFlaggedFavourites(dir, exercise, site));
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(io::takeSetAside(reporter).isEmpty());
    EXPECT_TRUE(reports.empty());
}

// A journal that is not whole (cut short, or not a journal) applies nothing and is kept aside.
TEST_F(RecordOperations, AJournalThatIsNotWholeAppliesNothing)
{
    seed();
    const Files before = snapshot();
    const QByteArray whole = encodeJournal(
        { { "288862.mxy", QByteArray("0909\r\n") }, { "182420.mxy", std::nullopt } });
    ASSERT_TRUE(decodeJournal(whole).has_value());
    for (const QByteArray& bytes :
        { whole.left(whole.size() - 1), whole.left(30), QByteArray("garbage"),
            encodeJournal({ { "../288862.mxy", QByteArray("0909\r\n") } }) }) {
        putRaw(JournalFile(dir), bytes);
        reports.clear();
        EXPECT_TRUE(rollForward(dir, site));
        EXPECT_EQ(snapshot(), before);
        EXPECT_FALSE(QFileInfo::exists(JournalFile(dir)));
        EXPECT_EQ(reports.size(), 1u);
    }
    putRaw(JournalFile(dir), whole);
    EXPECT_TRUE(rollForward(dir, site));
    EXPECT_EQ(testsupport::readFile(FavouritesFile(dir)), QByteArray("0909\r\n"));
    EXPECT_FALSE(QFileInfo::exists(PaperWrongFile(dir, 20)));
}

// A journal left in the folder during a run (a save that could neither finish nor be put back)
// is completed by the next operation, which then changes nothing of its own: what it read may
// predate the journal.
TEST_F(RecordOperations, AnUnfinishedSaveIsCompletedBeforeTheNextOne)
{
    seed();
    putRaw(JournalFile(dir),
        encodeJournal(
            { { "288862.mxy", QByteArray("0909\r\n") }, { "288872.mxy", QByteArray("T\r\n") } }));
    const QByteArray papers = testsupport::readFile(RandomPaperFile(dir));
    const Saved saved = addRandomPaper(dir, paperIdLine(4), 3, kNow, site);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(testsupport::readFile(FavouritesFile(dir)), QByteArray("0909\r\n"));
    EXPECT_EQ(testsupport::readFile(RandomPaperFile(dir)), papers);
    EXPECT_FALSE(QFileInfo::exists(JournalFile(dir)));
    EXPECT_FALSE(reports.empty());
    EXPECT_TRUE(addRandomPaper(dir, paperIdLine(4), 3, kNow, site).ok)
        << "the next one goes through";
}

} // namespace
