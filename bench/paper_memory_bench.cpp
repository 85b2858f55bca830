// Memory of a whole mock paper: the program from its start-up window through the home window,
// the login and all 40 questions of a paper (each shown in the panel and the simulated window)
// to the hand-in and the score sheet. Reports the process's peak resident memory; run it on its
// own (--benchmark_filter=WholePaper) so no other benchmark raises the peak first.

#include "exam/frmchengji.h"
#include "exam/frmend.h"
#include "exam/frmlogon.h"
#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "shell/frmstart.h"
#include "support/driven.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

double peakResidentMiB()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// The program folder with its module data linked, so the run writes only into the copy.
void linkProgram(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + src.mid(from.size());
        QDir().mkpath(QFileInfo(dst).absolutePath());
        if (QFileInfo(src).fileName() == QStringLiteral("ver.txt"))
            QFile::copy(src, dst);
        else
            QFile::link(src, dst);
    }
}

void BM_WholePaperPeakMemory(benchmark::State& state)
{
    QTemporaryDir dir;
    linkProgram(QStringLiteral(KSXT_PROGRAM_DIR), dir.path());
    const double atStart = peakResidentMiB();
    for (auto _ : state) {
        testsupport::DrivenSystem run(dir.path());
        shell::System& sys = run.sys;
        testsupport::HeadlessDriver& driver = run.driver;
        sys.form<shell::FrmStart>().show();
        driver.advance(100);
        auto& home = sys.form<home::FrmFengmian>();
        for (const int button : { 5, 29, 74 }) // the papers, the mock list, mock paper 4
            driver.click(home.ui().ClickBotn[button].control());
        auto& logon = sys.form<exam::FrmLogon>();
        driver.advance(100);
        driver.click(logon.ui().CmdLog);
        driver.advance(1500);
        auto& tm = sys.form<exercise::FrmTm>();
        if (!tm.visible()) {
            state.SkipWithError("the examination did not start");
            return;
        }
        for (int q = 2; q <= 40; ++q) {
            driver.click(tm.ui().CmdGN[exercise::cmd::Next].control());
            driver.advance(200);
        }
        driver.answerModal(
            [&](plat::Form&) { driver.click(sys.form<exam::FrmEnd1>().ui().Command1.control()); });
        driver.answerModal(
            [&](plat::Form&) { driver.click(sys.form<exam::FrmEnd2>().ui().Command1.control()); });
        driver.click(tm.ui().CmdGN[exercise::cmd::HandIn].control());
        driver.advance(100);
        if (!sys.form<exam::FrmChengji>().visible() || sys.state.CurrentQuestion != 40) {
            state.SkipWithError("the paper did not reach the score sheet");
            return;
        }
        sys.end();
    }
    state.counters["peak_MiB"] = peakResidentMiB();
    state.counters["before_MiB"] = atStart;
}
BENCHMARK(BM_WholePaperPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
