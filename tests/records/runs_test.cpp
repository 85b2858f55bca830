// Two runs of the program in one process on one records folder: what the records layer keeps
// for a run (the open operation, the damaged records already reported, what waits to be told)
// belongs to that run alone, so the second behaves as the first.

#include "core/system.h"
#include "records/learnerrecords.h"
#include "records/operation.h"
#include "records/recordio.h"
#include "support/driven.h"

#include "recordstest.h"

#include <QDir>
#include <QTemporaryDir>

#include <array>
#include <memory>

namespace {

using namespace records;
using testsupport::DrivenSystem;

// A run of the program on the shared program folder, collecting what it reports.
struct ProgramRun {
    explicit ProgramRun(const QString& programDir)
        : run(programDir)
    {
        run.sys.state.errorSink
            = [this](QString, int, QString description, QString) { reports << description; };
    }
    shell::System& sys() { return run.sys; }
    RecordsDir dir() { return RecordsDir::of(run.sys); }
    DrivenSystem run;
    shell::ErrorSite site { run.sys.state, QStringLiteral("clickbotn") };
    QStringList reports {};
};

class TwoRuns : public ::testing::Test {
protected:
    TwoRuns()
    {
        for (auto& r : runs)
            r = std::make_unique<ProgramRun>(tmp.path());
        QDir().mkpath(dir().path);
    }
    RecordsDir dir() { return runs[0]->dir(); }
    ProgramRun& a() { return *runs[0]; }
    ProgramRun& b() { return *runs[1]; }

    QTemporaryDir tmp {};
    std::array<std::unique_ptr<ProgramRun>, 2> runs {};
};

// Each run reports a damaged record at its first read and never again, whatever the other run
// has read: both runs' logs name it.
TEST_F(TwoRuns, EachReportsADamagedRecordOnce)
{
    testsupport::writeFile(UnitProgressFile(dir()), "XYZ\r\n");
    QDir().mkpath(ImeOptionFile(dir())); // a folder where a record should be
    const struct {
        ProgramRun* run;
        int reports; // of each file
    } reads[] = { { &a(), 1 }, { &b(), 1 }, { &a(), 0 }, { &b(), 0 } };
    for (const auto& read : reads) {
        ProgramRun& r = *read.run;
        SCOPED_TRACE(&r == &a() ? "first run" : "second run");
        (void)readUnitProgress(r.dir(), r.site);
        (void)readImeOption(r.dir(), r.site);
        EXPECT_EQ(r.reports.filter("288893.mxy").size(), read.reports)
            << r.reports.join('\n').toStdString();
        EXPECT_EQ(r.reports.filter("288890.mxy").size(), read.reports)
            << r.reports.join('\n').toStdString();
        r.reports.clear();
    }
}

// What one run set aside, and the unfinished save it met at its start, are told to that run's
// learner; the other run has nothing to tell.
TEST_F(TwoRuns, EachTellsOnlyWhatItMet)
{
    testsupport::writeFile(UnitProgressFile(dir()), "XYZ\r\n");
    (void)refreshUnitProgress(a().dir(), QList<int> { 3 }, a().site);
    testsupport::writeFile(JournalFile(dir()), "not a journal");
    EXPECT_TRUE(rollForward(b().dir(), b().site));

    const QList<io::SetAside> asideA = io::takeSetAside(a().sys().state);
    ASSERT_EQ(asideA.size(), 1);
    EXPECT_EQ(asideA[0].file, "288893.mxy");
    EXPECT_TRUE(io::takeSetAside(b().sys().state).isEmpty());
    EXPECT_TRUE(takeJournalNotices(a().sys().state).isEmpty());
    EXPECT_EQ(takeJournalNotices(b().sys().state).size(), 1);
}

// An operation open in one run holds back that run's changes only: the other run's writes reach
// the disk at once and are not the operation's to commit or drop, and neither run reads what
// waits in the other's operation.
TEST_F(TwoRuns, AnOperationHoldsBackOnlyItsOwnRunsChanges)
{
    ASSERT_TRUE(writeImeOption(a().dir(), false, a().site));
    {
        Operation op(a().dir(), a().site);
        ASSERT_TRUE(writeImeOption(a().dir(), true, a().site));
        EXPECT_TRUE(readImeOption(a().dir(), a().site).on) << "the run reads its waiting change";
        EXPECT_FALSE(readImeOption(b().dir(), b().site).on) << "not the other run's to read";

        shell::AppState& exercise = b().sys().state;
        exercise.QuestionCount = 1;
        exercise.QuestionIds(1) = QStringLiteral("0101");
        exercise.QuestionState(1) = 2; // flagged
        ASSERT_TRUE(addFlaggedFavourites(b().dir(), b().sys().state, b().site));
        EXPECT_EQ(readFavourites(a().dir(), a().site).ids, QStringList { "0101" })
            << "written at once";
        // Dropped uncommitted: the other run's write stays.
    }
    EXPECT_FALSE(readImeOption(b().dir(), b().site).on);
    EXPECT_EQ(readFavourites(b().dir(), b().site).ids, QStringList { "0101" });
    EXPECT_TRUE(a().reports.isEmpty()) << a().reports.join('\n').toStdString();
    EXPECT_TRUE(b().reports.isEmpty()) << b().reports.join('\n').toStdString();
}

} // namespace
