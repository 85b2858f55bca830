// Time from the program's start-up window to the complete home window on the sample module:
// reading the module information, the splash, the first-run settings, the hand-over on the first
// timer tick and the home window's load with the refresh of every panel, with the picture cache
// empty as at a real start. The splash's own timer interval is
// design, not work, and passes on the virtual clock.

#include "home/frmfengmian.h"
#include "platform/picture.h"
#include "shell/frmstart.h"
#include "support/driven.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A private copy of the program folder: start-up writes its first-run marker and run log there.
bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + src.mid(from.size());
        QDir().mkpath(QFileInfo(dst).absolutePath());
        if (!QFile::copy(src, dst))
            return false;
    }
    return true;
}

// The program started on a virtual clock: the start-up window shown and its first tick run.
struct StartedProgram : testsupport::DrivenSystem {
    explicit StartedProgram(const QString& programDir)
        : testsupport::DrivenSystem(programDir)
    {
        sys.form<shell::FrmStart>().show();
        driver.advance(100);
    }
    ~StartedProgram() { sys.end(); }
    bool homeShown() { return sys.form<home::FrmFengmian>().visible(); }
};

void BM_StartUpToHomeWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    if (!copyTree(QStringLiteral(KSXT_PROGRAM_DIR), dir.path())) {
        state.SkipWithError("cannot copy the program folder");
        return;
    }
    for (auto _ : state) {
        plat::clearPictureCache();
        StartedProgram program(dir.path());
        if (!program.homeShown()) {
            state.SkipWithError("the home window did not open");
            return;
        }
    }
}

// The part of the start-up that the home window's refresh takes: every panel rebuilt from the
// module data and the records (the progress file rewritten), on a window already loaded.
void BM_HomeRefresh(benchmark::State& state)
{
    QTemporaryDir dir;
    if (!copyTree(QStringLiteral(KSXT_PROGRAM_DIR), dir.path())) {
        state.SkipWithError("cannot copy the program folder");
        return;
    }
    StartedProgram program(dir.path());
    if (!program.homeShown()) {
        state.SkipWithError("the home window did not open");
        return;
    }
    auto& home = program.sys.form<home::FrmFengmian>();
    for (auto _ : state)
        home.FengMainCsh();
}

} // namespace

BENCHMARK(BM_StartUpToHomeWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HomeRefresh)->Unit(benchmark::kMillisecond);
