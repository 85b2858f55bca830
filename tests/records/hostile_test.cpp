// Record files that are not what their names say (links, folders, oversized or unreadable files,
// random bytes), journals that are damaged, a disk that fills in the middle of a save, and the
// leftovers of rewrites cut short.

#include "records/homefiles.h"
#include "records/learnerrecords.h"
#include "records/operation.h"
#include "records/recordio.h"

#include "recordstest.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <functional>
#include <map>

namespace hostiletest {

using namespace records;
using recordstest::paperIdLine;
using recordstest::RecordsTest;

const QDateTime kHandIn(QDate(2026, 12, 10), QTime(10, 0, 0));

class HostileRecords : public RecordsTest {
protected:
    bool reportedAbout(const QString& file) const
    {
        for (const recordstest::Report& r : reports)
            if (r.description.contains(QFileInfo(file).fileName()))
                return true;
        return false;
    }

    Saved handIn() { return handInRandomPaper(kHandIn); }
};

// Each record with the function that reads it (what the learner's windows see, as text) and an
// operation that rewrites it.
class HostileRecordsTable;
struct RecordUse {
    const char* name;
    std::function<QString(const RecordsDir&)> file;
    std::function<QString(HostileRecordsTable&)> read;
    std::function<bool(HostileRecordsTable&)> write;
};

// What is planted under a record's name.
enum class Plant { Link, DanglingLink, Folder, Oversized, Unreadable, RandomBytes };

class HostileRecordsTable : public HostileRecords {
protected:
    std::vector<RecordUse> uses();
    QString target() const { return tmp.path() + QStringLiteral("/elsewhere.txt"); }
    const QByteArray targetBytes = "0909\r\n"; // reads as a record if it were followed
    const QByteArray randomBytes = QByteArray("\x93\x00\xff\x1b\xfe\x81", 6);

    // A records folder of its own for each case: damaged records are reported once per file
    // and run.
    void freshFolder()
    {
        dir = RecordsDir { tmp.path() + QStringLiteral("/%1/ksdata").arg(++folders) };
    }
    int folders = 0;

    void plant(Plant p, const QString& file)
    {
        QFile::remove(target());
        QDir().mkpath(dir.path);
        switch (p) {
        case Plant::Link:
            putRaw(target(), targetBytes);
            [[fallthrough]];
        case Plant::DanglingLink:
            ASSERT_TRUE(QFile::link(target(), file));
            break;
        case Plant::Folder:
            ASSERT_TRUE(QDir().mkpath(file + QStringLiteral("/inside")));
            break;
        case Plant::Oversized: {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_TRUE(f.resize(plat::kMaxDataFileBytes + 1)); // sparse
            break;
        }
        case Plant::Unreadable:
            putRaw(file, targetBytes);
            io::setReadFaultHook([file](const QString& path) {
                return QFileInfo(path).fileName() == QFileInfo(file).fileName();
            });
            break;
        case Plant::RandomBytes:
            putRaw(file, randomBytes);
            break;
        }
    }
};

std::vector<RecordUse> HostileRecordsTable::uses()
{
    auto flagged = [](HostileRecordsTable& t) {
        t.setExercise({ "0101" }, { 2 }, 0);
        return addFlaggedFavourites(t.dir, t.exercise, t.site);
    };
    auto undone = [](HostileRecordsTable& t) {
        t.setExercise({ "0101", "0102" }, { 0, 6 }, 8);
        return addUndoneToWrongBook(t.dir, t.exercise, "01010102", t.site);
    };
    auto favourites = [](HostileRecordsTable& t) {
        const ReviewedList l = readFavourites(t.dir, t.site);
        return l.listLine() + '/' + l.reviewLine();
    };
    auto wrongBook = [](HostileRecordsTable& t) {
        const ReviewedList l = readWrongBook(t.dir, t.site);
        return l.listLine() + '/' + l.reviewLine();
    };
    return {
        { "favourites", FavouritesFile, favourites, flagged },
        { "favourites' review line", FavouritesReviewFile, favourites, flagged },
        { "wrong book", WrongBookFile, wrongBook, undone },
        { "wrong book's review line", WrongBookReviewFile, wrongBook, undone },
        { "paper's wrong questions", [](const RecordsDir& d) { return PaperWrongFile(d, 3); },
            [](HostileRecordsTable& t) { return readPaperWrong(t.dir, 3, t.site).join(','); },
            [](HostileRecordsTable& t) {
                t.setExercise({ "0101", "0102" }, { 0, 6 }, 8);
                return writePaperWrong(t.dir, 3, t.exercise, "01010102", t.site);
            } },
        { "history", ExamHistoryFile,
            [](HostileRecordsTable& t) {
                const ExamHistory h = readExamHistory(t.dir, t.site);
                return h.lastTime(2) + '/' + h.bestScore(2);
            },
            [](HostileRecordsTable& t) {
                return recordScoring(t.dir, 2, "2026-12-10 09:00:00", 50, kHandIn, t.site);
            } },
        { "unit progress", UnitProgressFile,
            [](HostileRecordsTable& t) { return readUnitProgress(t.dir, t.site).join(','); },
            [](HostileRecordsTable& t) {
                // The units keep their sizes from the module whatever the file was.
                return refreshUnitProgress(t.dir, QList<int> { 3, 2 }, t.site).mid(0, 2)
                    == QStringList({ "FFF", "FF" });
            } },
        { "input-method option", ImeOptionFile,
            [](HostileRecordsTable& t) {
                const ImeOption o = readImeOption(t.dir, t.site);
                return QStringLiteral("on %1, checked %2").arg(o.on).arg(o.checked);
            },
            [](HostileRecordsTable& t) { return writeImeOption(t.dir, true, t.site); } },
        { "random papers", RandomPaperFile,
            [](HostileRecordsTable& t) { return QString::number(randomPaperCount(t.dir, t.site)); },
            [](HostileRecordsTable& t) {
                return addRandomPaper(t.dir, paperIdLine(4), 0, kHandIn, t.site).ok;
            } },
    };
}

// Whatever has a record's name, a read sees no more than a missing record (never a link's
// target) and says so; the next write keeps it whole under another name, tells the learner
// once, writes a plain file in its place and leaves a link's target as it was.
TEST_F(HostileRecordsTable, EveryRecordNameAgainstEveryHostileEntry)
{
    const struct {
        const char* name;
        Plant plant;
    } plants[] = {
        { "link", Plant::Link },
        { "dangling link", Plant::DanglingLink },
        { "folder", Plant::Folder },
        { "oversized", Plant::Oversized },
        { "unreadable", Plant::Unreadable },
        { "random bytes", Plant::RandomBytes },
    };
    for (const RecordUse& use : uses()) {
        SCOPED_TRACE(use.name);
        freshFolder();
        const QString missing = use.read(*this);
        for (const auto& p : plants) {
            SCOPED_TRACE(p.name);
            freshFolder();
            const QString file = use.file(dir);
            plant(p.plant, file);
            reports.clear();
            const QString read = use.read(*this);
            if (p.plant != Plant::RandomBytes) { // random bytes keep their list's own reading
                EXPECT_EQ(read, missing);
            }
            EXPECT_TRUE(reportedAbout(file));

            ASSERT_TRUE(use.write(*this));
            io::setReadFaultHook({});
            const QFileInfo now(file);
            EXPECT_TRUE(now.isFile() && !now.isSymLink()) << "a plain file takes the name";
            const QString kept = keptAs(file);
            ASSERT_FALSE(kept.isEmpty());
            const QFileInfo aside(kept);
            switch (p.plant) {
            case Plant::Link:
                EXPECT_TRUE(aside.isSymLink());
                EXPECT_EQ(testsupport::readFile(target()), targetBytes) << "target unchanged";
                EXPECT_EQ(QDir(dir.path).entryList({ "*.damaged-*" }, QDir::Files).size(), 1)
                    << "the target's bytes are not copied in";
                break;
            case Plant::DanglingLink:
                EXPECT_TRUE(aside.isSymLink());
                EXPECT_FALSE(QFileInfo::exists(target())) << "no file made through the link";
                break;
            case Plant::Folder:
                EXPECT_TRUE(QFileInfo(kept + QStringLiteral("/inside")).isDir());
                break;
            case Plant::Oversized:
                EXPECT_EQ(aside.size(), plat::kMaxDataFileBytes + 1);
                break;
            case Plant::Unreadable:
                EXPECT_EQ(testsupport::readFile(kept), targetBytes);
                break;
            case Plant::RandomBytes:
                EXPECT_EQ(testsupport::readFile(kept), randomBytes);
                break;
            }
            const QList<io::SetAside> told = io::takeSetAside(reporter);
            ASSERT_EQ(told.size(), 1);
            EXPECT_EQ(told[0].file, now.fileName());
            EXPECT_TRUE(setAsideMessage(told).contains(aside.fileName()));

            // Once set aside, the next write neither sets anything aside nor says anything.
            reports.clear();
            ASSERT_TRUE(use.write(*this));
            EXPECT_TRUE(io::takeSetAside(reporter).isEmpty());
            EXPECT_FALSE(keptAs(file).isEmpty());
        }
    }
}

// A link where a paper's wrong-question list is moved from or to during a random-paper shift
// is set aside; its target never takes or gives a list.
TEST_F(HostileRecords, ALinkInARandomPaperShiftIsNeverFollowed)
{
    const QString target = tmp.path() + QStringLiteral("/elsewhere.txt");
    for (const int linked : { 20, 21, 22 }) {
        SCOPED_TRACE(linked);
        seed();
        putRaw(target, "0909\r\n");
        QFile::remove(PaperWrongFile(dir, linked));
        ASSERT_TRUE(QFile::link(target, PaperWrongFile(dir, linked)));
        const Saved saved = addRandomPaper(dir, paperIdLine(4), 2, kHandIn, site);
        EXPECT_TRUE(saved.ok);
        EXPECT_EQ(testsupport::readFile(target), QByteArray("0909\r\n"));
        for (int p = 20; p <= 23; ++p)
            EXPECT_FALSE(QFileInfo(PaperWrongFile(dir, p)).isSymLink()) << p;
        EXPECT_NE(readPaperWrong(dir, linked + 1, site), QStringList({ "0909" }));
        EXPECT_TRUE(QFileInfo(keptAs(PaperWrongFile(dir, linked))).isSymLink());
        (void)io::takeSetAside(reporter);
    }
}

// A disk that is full from the k-th change of a hand-in on, for every k: the learner is told
// the truth (records as they were, or a change kept to be completed), a start with the disk
// still full says so and names the records, and a start once there is room completes it.
TEST_F(HostileRecords, ADiskFillingAtEveryChangeIsToldTruthfully)
{
    seed();
    const Files before = snapshot();
    faultAt(0, true);
    ASSERT_TRUE(handIn().ok);
    const int total = changes;
    const Files after = snapshot();
    ASSERT_NE(after, before);

    for (int k = 1; k <= total; ++k) {
        SCOPED_TRACE(k);
        seed();
        faultAt(k, true);
        const Saved saved = handIn();
        const QString message = notSavedMessage(QStringLiteral("本次考试的成绩和错题记录"), saved);
        const bool journal = QFileInfo::exists(JournalFile(dir));
        if (saved.ok) {
            EXPECT_EQ(snapshot(), after);
        } else if (saved.left == Left::Old) {
            EXPECT_EQ(snapshot(), before);
            EXPECT_FALSE(journal);
            EXPECT_TRUE(message.contains(QStringLiteral("原有的记录保持不变")));
        } else {
            EXPECT_EQ(saved.left, Left::Pending);
            EXPECT_TRUE(journal);
            EXPECT_EQ(saved.why, io::Failure::FolderFull);
            EXPECT_FALSE(message.contains(QStringLiteral("保持不变"))) << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("自动补全"))) << message.toStdString();
        }

        // The next start, the disk still full.
        reports.clear();
        (void)takeJournalNotices(reporter);
        const bool completed = rollForward(dir, site);
        EXPECT_EQ(completed, !journal);
        const QStringList notices = takeJournalNotices(reporter);
        if (journal) {
            ASSERT_EQ(notices.size(), 1);
            EXPECT_TRUE(notices[0].contains(QStringLiteral("考试成绩记录")))
                << notices[0].toStdString();
            EXPECT_TRUE(notices[0].contains(QStringLiteral("磁盘已满")));
            EXPECT_FALSE(reports.empty()) << "logged";
            EXPECT_TRUE(QFileInfo::exists(JournalFile(dir))) << "kept for the next start";
        } else {
            EXPECT_TRUE(notices.isEmpty());
        }

        // A start with room: wholly new, or wholly old when the learner was told so.
        io::setFaultHook({});
        EXPECT_TRUE(rollForward(dir, site));
        EXPECT_EQ(snapshot(), saved.ok || saved.left == Left::Pending ? after : before);
        EXPECT_FALSE(QFileInfo::exists(JournalFile(dir)));
    }
}

// The message names what became of the records; only records that are as they were are said
// to be unchanged.
TEST_F(HostileRecords, TheNotSavedMessageSaysWhatBecameOfTheRecords)
{
    const struct {
        Left left;
        const char16_t* says;
    } cases[] = {
        { Left::Old, u"原有的记录保持不变" },
        { Left::Pending, u"自动补全" },
        { Left::EarlierPending, u"上一次没有写完的记录也还没有补全" },
        { Left::EarlierCompleted, u"请重新操作一次" },
    };
    for (const auto& c : cases) {
        const QString m = notSavedMessage(
            QStringLiteral("收藏夹的清空"), { false, io::Failure::FolderFull, c.left });
        EXPECT_TRUE(m.startsWith(QStringLiteral("收藏夹的清空"))) << m.toStdString();
        EXPECT_TRUE(m.contains(QString::fromUtf16(c.says))) << m.toStdString();
        EXPECT_EQ(m.contains(QStringLiteral("保持不变")), c.left == Left::Old) << m.toStdString();
    }
}

// A journal that is not one whole operation, or not a file, is set aside as it is, the learner
// is told which records it may have left half-changed, and later saves go through.
TEST_F(HostileRecords, ADamagedJournalIsToldKeptAndNoLongerInTheWay)
{
    const QByteArray whole = encodeJournal({ { "288862.mxy", QByteArray("0909\r\n") },
        { "288892.mxy", QByteArray("x\r\n") }, { "182420.mxy", std::nullopt } });
    QByteArray nul = encodeJournal({ { "288862.mxy", QByteArray("0909\r\n") } });
    nul.replace("288862.mxy", QByteArray("notes\0.mxy", 10));
    const QString target = tmp.path() + QStringLiteral("/elsewhere.txt");
    const struct {
        const char* name;
        std::function<void()> plant;
        QStringList named; // the records the learner is told of
    } cases[] = {
        { "cut short in its second file",
            [&] { putRaw(JournalFile(dir), whole.left(whole.indexOf("x\r\n"))); },
            { "收藏夹", "考试成绩记录" } },
        { "not a journal", [&] { putRaw(JournalFile(dir), "\x01\x02garbage"); }, {} },
        { "a name with a NUL byte", [&] { putRaw(JournalFile(dir), nul); }, {} },
        { "a folder", [&] { QDir().mkpath(JournalFile(dir) + "/x"); }, {} },
        { "a link",
            [&] {
                putRaw(target, whole);
                QFile::link(target, JournalFile(dir));
            },
            {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        seed();
        const Files before = snapshot();
        c.plant();
        reports.clear();
        EXPECT_TRUE(rollForward(dir, site));
        EXPECT_EQ(snapshot(), before) << "nothing of it applied";
        EXPECT_FALSE(
            QFileInfo::exists(JournalFile(dir)) || QFileInfo(JournalFile(dir)).isSymLink());
        EXPECT_FALSE(keptAs(JournalFile(dir)).isEmpty());
        EXPECT_FALSE(reports.empty());
        const QStringList notices = takeJournalNotices(reporter);
        ASSERT_EQ(notices.size(), 1);
        EXPECT_TRUE(notices[0].contains(QFileInfo(keptAs(JournalFile(dir))).fileName()));
        for (const QString& title : c.named)
            EXPECT_TRUE(notices[0].contains(title)) << notices[0].toStdString();
        if (c.named.isEmpty()) {
            EXPECT_TRUE(notices[0].contains(QStringLiteral("无法确定")))
                << notices[0].toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(dir.path + "/notes")) << "no stray file from a name";
        if (QFileInfo::exists(target)) {
            EXPECT_EQ(testsupport::readFile(target), whole);
        }

        // Not in the way of the next save of several files.
        EXPECT_TRUE(addRandomPaper(dir, paperIdLine(4), 2, kHandIn, site).ok);
        QFile::remove(target);
    }

    // Met by a save instead of a start: set aside the same way, and the save goes through.
    seed();
    QDir().mkpath(JournalFile(dir) + "/x");
    EXPECT_TRUE(addRandomPaper(dir, paperIdLine(4), 2, kHandIn, site).ok);
    EXPECT_EQ(takeJournalNotices(reporter).size(), 1);
    EXPECT_TRUE(QFileInfo(keptAs(JournalFile(dir))).isDir());
}

// A damaged journal that cannot be moved out of the way is never completed: a save it stops
// leaves the records as they were and says so, promising nothing to come.
TEST_F(HostileRecords, ADamagedJournalThatCannotBeMovedPromisesNothing)
{
    const struct {
        const char* name;
        std::function<void()> plant;
    } cases[] = {
        { "not a journal", [&] { putRaw(JournalFile(dir), "\x01\x02garbage"); } },
        { "a folder", [&] { QDir().mkpath(JournalFile(dir) + "/x"); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        seed();
        const Files before = snapshot();
        c.plant();
        io::setFaultHook([this](const QString& path) {
            return path == JournalFile(dir) ? io::Failure::FolderNotWritable : io::Failure::None;
        });
        const Saved saved = addRandomPaper(dir, paperIdLine(4), 2, kHandIn, site);
        EXPECT_FALSE(saved.ok);
        EXPECT_EQ(saved.left, Left::Old);
        const QString message = notSavedMessage(QStringLiteral("随机试卷"), saved);
        EXPECT_FALSE(message.contains(QStringLiteral("自动补全"))) << message.toStdString();
        EXPECT_EQ(snapshot(), before);
        EXPECT_TRUE(keptAs(JournalFile(dir)).isEmpty());
        const QStringList notices = takeJournalNotices(reporter);
        ASSERT_EQ(notices.size(), 1);
        EXPECT_TRUE(notices[0].contains(QStringLiteral("也无法移开"))) << notices[0].toStdString();
        io::setFaultHook({});
    }
}

// A start removes the temporary files that rewrites cut short left behind, by the atomic save's
// own names only, and nothing else.
TEST_F(HostileRecords, AStartRemovesOnlyTheRewritesOwnLeftovers)
{
    seed();
    const QStringList leftovers
        = { "288862.mxy.AbCdEf", "182420.mxy.q1W2e3", "journal.ksj.XyZabc" };
    const QStringList others = { "288862.mxy.damaged-20261210-0930", "288862.mxy.AbCdE",
        "288862.mxy.AbCdEfG", "notes.txt", "28886.mxy.AbCdEf", "288862.txt.AbCdEf" };
    for (const QString& name : leftovers + others)
        putRaw(dir.path + "/" + name, "x");
    QDir().mkpath(dir.path + "/288863.mxy.QwErTy"); // a folder is not a leftover
    putRaw(tmp.path() + "/elsewhere.txt", "x");
    QFile::link(tmp.path() + "/elsewhere.txt", dir.path + "/288872.mxy.LnKaBc");
    const Files before = snapshot();

    EXPECT_TRUE(rollForward(dir, site));
    for (const QString& name : leftovers)
        EXPECT_FALSE(QFileInfo::exists(dir.path + "/" + name)) << name.toStdString();
    for (const QString& name : others)
        EXPECT_TRUE(QFileInfo::exists(dir.path + "/" + name)) << name.toStdString();
    EXPECT_TRUE(QFileInfo(dir.path + "/288863.mxy.QwErTy").isDir());
    EXPECT_TRUE(QFileInfo(dir.path + "/288872.mxy.LnKaBc").isSymLink());
    EXPECT_TRUE(QFileInfo::exists(tmp.path() + "/elsewhere.txt"));
    Files untouched = before;
    for (const QString& name : leftovers)
        untouched.erase(name);
    EXPECT_EQ(snapshot(), untouched) << "the records themselves untouched";
}

} // namespace hostiletest
