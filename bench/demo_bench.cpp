// The demonstration player: one glide tick with the arrow moved and the window repainted, and
// the whole demonstration of the sample module's longest question on the virtual clock.

#include "demo/frmyanshi.h"
#include "exercise/frmtm.h"
#include "platform/text.h"
#include "samplequestions.h"
#include "stepengine/steprecord.h"
#include "support/driven.h"
#include "workspace/frmmain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Question {
    int16_t unit = 0, question = 0, firstLine = 1, steps = 0;
};

struct DemoModule {
    std::unique_ptr<testsupport::DrivenSystem> run;
    shell::System* sys = nullptr;
    testsupport::HeadlessDriver* driver = nullptr;
    std::vector<Question> questions;
};

DemoModule makeModule()
{
    DemoModule m;
    const QString programDir = QStringLiteral(KSXT_PROGRAM_DIR);
    m.run = std::make_unique<testsupport::DrivenSystem>(programDir);
    m.sys = &m.run->sys;
    m.driver = &m.run->driver;
    shell::AppState& st = m.sys->state;
    st.SkinPath = programDir + QStringLiteral("/txcl/");
    st.AnswerTextFile = m.sys->skinFile(QStringLiteral("288890"));
    for (const bench::SampleQuestion& q : bench::sampleQuestions(*m.sys))
        m.questions.push_back({ q.unit, q.question, q.firstLine, q.steps });
    return m;
}

// Opens the exercise on question q and starts its demonstration as the panel does.
void startDemonstration(DemoModule& m, const Question& q)
{
    shell::AppState& st = m.sys->state;
    st.StudyMode = 20;
    st.SetNo = q.unit;
    st.QuestionCount = 40;
    st.CurrentQuestion = q.question;
    st.FirstStepTable(q.question) = q.firstLine;
    st.FirstStepTable(q.question + 1) = static_cast<int16_t>(q.firstLine + q.steps);
    st.ResumeStep(q.question) = 1;
    st.DemoActive = -1;
    m.sys->form<workspace::FrmMain>().hide();
    m.sys->form<exercise::FrmTm>().hide();
    m.sys->form<demo::FrmYanShi>().show();
}

// Virtual milliseconds until the window has closed (at most ten minutes).
int runToEnd(DemoModule& m)
{
    auto& yan = m.sys->form<demo::FrmYanShi>();
    int ms = 0;
    while (yan.isLoaded() && ms < 600000) {
        m.driver->advance(100);
        ms += 100;
    }
    return ms;
}

DemoModule& module() { return bench::keptFixture<DemoModule>(makeModule); }

void BM_DemoGlideTick(benchmark::State& state)
{
    DemoModule& m = module();
    if (m.questions.empty()) {
        state.SkipWithError("no sample module");
        return;
    }
    startDemonstration(m, m.questions.front());
    auto& yan = m.sys->form<demo::FrmYanShi>();
    // A far target: the tick moves and redraws but never arrives.
    yan.TargetX = 1000;
    yan.TargetY = 1000;
    const int32_t x = 11000, y = 8000;
    for (auto _ : state) {
        yan.PointerX = x;
        yan.PointerY = y;
        yan.GlideDX = -400;
        yan.GlideDY = -300;
        yan.GlideStep = 500;
        yan.Timer2_Timer();
        testsupport::HeadlessDriver::processEvents(); // the repaint of the moved arrow
    }
    m.sys->state.DemoActive = 0;
    yan.unload();
}

void BM_DemoLongestQuestion(benchmark::State& state)
{
    DemoModule& m = module();
    if (m.questions.empty()) {
        state.SkipWithError("no sample module");
        return;
    }
    // The question whose demonstration lasts longest on the virtual clock.
    static const std::pair<Question, int> longest = [&m] {
        std::pair<Question, int> best { {}, 0 };
        for (const Question& q : m.questions) {
            startDemonstration(m, q);
            const int ms = runToEnd(m);
            if (ms > best.second)
                best = { q, ms };
        }
        return best;
    }();
    int ms = 0;
    for (auto _ : state) {
        startDemonstration(m, longest.first);
        ms = runToEnd(m);
    }
    state.counters["unit"] = longest.first.unit;
    state.counters["question"] = longest.first.question;
    state.counters["virtual_s"] = ms / 1000.0;
}

BENCHMARK(BM_DemoGlideTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DemoLongestQuestion)->Unit(benchmark::kMillisecond);

} // namespace
