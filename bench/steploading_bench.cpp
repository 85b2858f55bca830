// Time to load a step into the practice window: every step of the sample module's units in
// turn. Cached: in the learner's pause between steps the event loop runs and the next step's
// pictures decode ahead, as in the program. Back to back: no pause and no event loop, so nothing
// is decoded ahead. Uncached: the cache is emptied before each load.

#include "platform/decodeahead.h"
#include "platform/heap.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "samplequestions.h"
#include "stepengine/steprecord.h"
#include "support/driven.h"
#include "workspace/frmmain.h"

#include <QApplication>
#include <QFileInfo>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <vector>

namespace {

struct Step {
    int16_t studyMode, question, step, firstLine;
};

struct Module {
    std::unique_ptr<testsupport::DrivenSystem> run;
    shell::System* sys = nullptr;
    std::vector<Step> steps;
    QString error;
};

// Every step of units 0..4 (study mode 20 + unit) with the question table of its unit.
Module& module()
{
    return bench::keptFixture<Module>([] {
        Module m;
        const QString programDir = QStringLiteral(KSXT_PROGRAM_DIR);
        m.run = std::make_unique<testsupport::DrivenSystem>(programDir);
        m.sys = &m.run->sys;
        m.sys->state.SkinPath = programDir + QStringLiteral("/txcl/");
        m.sys->state.PanelMode = 1;
        for (const bench::SampleQuestion& q : bench::sampleQuestions(*m.sys))
            for (int16_t s = 1; s <= q.steps; ++s)
                m.steps.push_back(
                    { static_cast<int16_t>(20 + q.unit), q.question, s, q.firstLine });
        if (m.steps.empty())
            m.error = QStringLiteral("no sample module in ") + programDir;
        return m;
    });
}

enum class Between { Pause, Nothing, EmptyCache };

void loadEveryStep(benchmark::State& state, Between between)
{
    Module& m = module();
    if (!m.error.isEmpty()) {
        state.SkipWithError(m.error.toStdString().c_str());
        return;
    }
    shell::AppState& st = m.sys->state;
    auto& main = m.sys->form<workspace::FrmMain>();
    main.show();
    size_t i = 0;
    for (auto _ : state) {
        const Step& s = m.steps[i++ % m.steps.size()];
        st.StudyMode = s.studyMode;
        st.CurrentQuestion = s.question;
        st.FirstStepTable(s.question) = s.firstLine;
        st.CurrentStep = s.step;
        if (between != Between::Nothing) {
            state.PauseTiming();
            m.run->driver.processEvents(); // the painting, then the work behind it
            plat::waitForDecodingAhead();
            if (between == Between::EmptyCache)
                plat::clearPictureCache();
            state.ResumeTiming();
        }
        main.setData();
        // What the window shows is decoded before it appears; hidden pictures wait.
        main.decodeShownPictures();
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_kb"] = benchmark::Counter(static_cast<double>(usage.ru_maxrss));
    state.counters["steps"] = benchmark::Counter(static_cast<double>(m.steps.size()));
}

void BM_LoadStepCached(benchmark::State& state) { loadEveryStep(state, Between::Pause); }
void BM_LoadStepBackToBack(benchmark::State& state) { loadEveryStep(state, Between::Nothing); }
void BM_LoadStepUncached(benchmark::State& state) { loadEveryStep(state, Between::EmptyCache); }
BENCHMARK(BM_LoadStepCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadStepBackToBack)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadStepUncached)->Unit(benchmark::kMicrosecond);

QtMessageHandler qtMessages = nullptr;
// The offscreen platform cannot raise a window and says so on standard error at every step load,
// which a display does not; that write is no part of the program's time.
void dropOffscreenRaiseNotes(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text != QStringLiteral("This plugin does not support raise()"))
        qtMessages(type, context, text);
}

} // namespace

// The main of every benchmark here: the process is set up as the program's.
int main(int argc, char** argv)
{
    plat::returnLargeBlocksWhenFreed();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessages = qInstallMessageHandler(dropOffscreenRaiseNotes);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench::dropFixtures();
    return 0;
}
