// Generating a random paper on the sample module: the draw of 40 questions, the question slot
// built from them and the record shifts (random-paper list, examination history, the papers'
// wrong-question files), with ten random papers already on record, as the generate button does
// it before the launch.

#include "core/errorreport.h"
#include "home/paperpanel.h"
#include "platform/text.h"
#include "records/homefiles.h"
#include "records/recordfiles.h"
#include "shell/moduleinfo.h"
#include "support/driven.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_GenerateRandomPaper(benchmark::State& state)
{
    const QString program = QStringLiteral(KSXT_PROGRAM_DIR);
    QTemporaryDir dir;
    // The program folder with links to the module data: the slot files go into the copy.
    QDir().mkpath(dir.path() + QStringLiteral("/txcl"));
    QFile::copy(program + QStringLiteral("/ver.txt"), dir.path() + QStringLiteral("/ver.txt"));
    for (const QString& name : QDir(program + QStringLiteral("/txcl")).entryList(QDir::Files))
        QFile::link(program + QStringLiteral("/txcl/") + name,
            dir.path() + QStringLiteral("/txcl/") + name);
    testsupport::DrivenSystem run(dir.path());
    shell::System& sys = run.sys;
    shell::AppState& st = sys.state;
    shell::readInfo(st, *sys.services().settings, dir.path(), sys.programName());
    const shell::ErrorSite site(st, QStringLiteral("bench"));
    const auto counts = records::readPaperCounts(records::DataDir::of(sys), site);
    const auto sizes = records::readUnitSizes(records::DataDir::of(sys), site);
    if (counts.unitCount == 0 || !sizes) {
        state.SkipWithError("no sample module");
        return;
    }
    st.UnitCount = counts.unitCount;
    for (int u = 0; u < st.UnitCount && u < static_cast<int>(sizes->size()); ++u)
        st.ModuleSettings[static_cast<size_t>(u)][2] = QString::number(sizes->at(u));
    // Ten random papers on record, each with its wrong questions.
    const auto rnd = home::seededSource(1);
    for (int k = 0; k < 10; ++k)
        home::createRandomPaper(sys, k, rnd, site);
    for (int p = 20; p <= 29; ++p)
        plat::writeLines(records::PaperWrongFile(records::RecordsDir::of(sys), p),
            { QStringLiteral("0001000200030004") })
            .ignore();
    for (auto _ : state) {
        if (!home::createRandomPaper(sys, 10, rnd, site)) {
            state.SkipWithError("no paper drawn");
            return;
        }
    }
    if (!st.ErrDesc.isEmpty())
        state.SkipWithError(qPrintable(QStringLiteral("a step failed: ") + st.ErrDesc));
}
BENCHMARK(BM_GenerateRandomPaper)->Unit(benchmark::kMillisecond);

// The draw alone.
void BM_DrawRandomPaper(benchmark::State& state)
{
    const QList<int> sizes { 20, 18, 17, 19, 17 };
    const auto rnd = home::seededSource(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(home::drawRandomPaper(sizes, rnd));
}
BENCHMARK(BM_DrawRandomPaper)->Unit(benchmark::kMicrosecond);

} // namespace
