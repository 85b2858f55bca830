// Time from the program's start-up window to the home window on the sample module: reading the
// module information, the splash, the first-run settings and the hand-over on the first timer
// tick, with the picture cache empty as at a real start. The splash's own timer interval is
// design, not work, and passes on the virtual clock.

#include "core/system.h"
#include "home/frmfengmian.h"
#include "platform/headless.h"
#include "platform/picture.h"
#include "shell/frmstart.h"

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

void BM_StartUpToHomeWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    if (!copyTree(QStringLiteral(KSXT_PROGRAM_DIR), dir.path())) {
        state.SkipWithError("cannot copy the program folder");
        return;
    }
    for (auto _ : state) {
        plat::clearPictureCache();
        auto clock = std::make_unique<plat::VirtualClock>();
        plat::VirtualClock& c = *clock;
        shell::System sys(std::move(clock), plat::makeFakeServices(), dir.path());
        sys.setScreenRect(QRect(0, 0, 1280, 1024));
        plat::HeadlessDriver driver(sys, c);
        sys.form<shell::FrmStart>().show();
        driver.advance(100);
        if (!sys.form<home::FrmFengmian>().visible()) {
            state.SkipWithError("the home window did not open");
            return;
        }
        sys.end();
        plat::HeadlessDriver::processEvents();
    }
}

} // namespace

BENCHMARK(BM_StartUpToHomeWindow)->Unit(benchmark::kMillisecond);
