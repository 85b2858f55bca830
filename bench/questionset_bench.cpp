// Question sets on the sample module: building a set of 500 questions, and a step change in the
// practice window in a set of 500 questions beside one of 5 (the step file grows with the set).

#include "home/homeflow.h"
#include "home/questionset.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "support/driven.h"
#include "workspace/frmmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A data folder of links to the sample module, so the slot files are written into a copy.
struct LinkedModule {
    QTemporaryDir dir;
    QString data;
    QStringList ids; // every question id of the sample module
    LinkedModule()
    {
        const QString from = QStringLiteral(KSXT_PROGRAM_DIR) + QStringLiteral("/txcl/");
        data = dir.path() + QStringLiteral("/txcl/");
        QDir().mkpath(data);
        for (const QString& name : QDir(from).entryList(QDir::Files))
            QFile::link(from + name, data + name);
        for (int u = 0; u < 20; ++u) {
            const auto lines = plat::readLines(from + QStringLiteral("2888%1.mxy").arg(70 + u));
            if (!lines.ok())
                break;
            for (int q = 1; q <= lines.value().size(); ++q)
                ids << QStringLiteral("%1").arg(u * 100 + q, 4, 10, QChar(u'0'));
        }
    }
    QString idString(int count) const
    {
        QString s;
        for (int i = 0; i < count; ++i)
            s += ids[i % ids.size()];
        return s;
    }
};

// A program on the linked module; none, and the benchmark skipped, without a sample module.
std::unique_ptr<testsupport::DrivenSystem> makeSystem(
    benchmark::State& state, const LinkedModule& m)
{
    if (m.ids.isEmpty()) {
        state.SkipWithError("no sample module");
        return nullptr;
    }
    auto run = std::make_unique<testsupport::DrivenSystem>(m.dir.path());
    run->sys.state.SkinPath = m.data;
    return run;
}

void BM_InitShiTi500(benchmark::State& state)
{
    LinkedModule m;
    const auto run = makeSystem(state, m);
    if (!run)
        return;
    shell::System* sys = &run->sys;
    const QString ids = m.idString(500);
    for (auto _ : state) {
        if (flow::InitShiTi(*sys, ids, 19) != 500) {
            state.SkipWithError("the set was not built whole");
            return;
        }
    }
}
BENCHMARK(BM_InitShiTi500)->Unit(benchmark::kMillisecond);

// One step change: the next step of the question on show, loaded into the practice window with
// its pictures already decoded, for every question of the set in turn. The picture cache keeps
// the question on show, not the whole set: each question's steps are loaded once untimed, then
// stepped through twice. A step seen for the first time is BM_LoadStepUncached.
void BM_StepChange(benchmark::State& state)
{
    LinkedModule m;
    const auto run = makeSystem(state, m);
    if (!run)
        return;
    shell::System* sys = &run->sys;
    shell::AppState& st = sys->state;
    const int count = static_cast<int>(state.range(0));
    flow::InitShiTi(*sys, m.idString(count), 19);
    st.StudyMode = 6;
    st.SetNo = 13;
    st.PanelMode = 1;
    st.AnswerTextFile = sys->skinFile(QStringLiteral("288890"));
    const auto questions = plat::readLines(sys->skinFile(stepengine::questionFileName(19, 0)));
    const QList<int> table = home::firstStepLines(questions.value());
    for (int q = 1; q <= table.size(); ++q)
        st.FirstStepTable(q) = static_cast<int16_t>(table[q - 1]);
    std::vector<int> stepCounts; // of questions 1, 2, ...
    for (int q = 1; q <= count && q < table.size(); ++q)
        stepCounts.push_back(table[q] - table[q - 1]);
    auto& main = sys->form<workspace::FrmMain>();
    main.show();
    const auto load = [&](size_t question, int step) {
        st.CurrentQuestion = static_cast<int16_t>(question + 1);
        st.CurrentStep = static_cast<int16_t>(step);
        main.setData();
        // What the window shows is decoded before it appears; hidden pictures wait.
        main.decodeShownPictures();
    };
    size_t question = 0;
    int change = 0;
    for (auto _ : state) {
        const int steps = stepCounts[question];
        if (change == 0) {
            state.PauseTiming();
            for (int s = 1; s <= steps; ++s)
                load(question, s);
            state.ResumeTiming();
        }
        load(question, change % steps + 1);
        if (++change == 2 * steps) {
            change = 0;
            question = (question + 1) % stepCounts.size();
        }
    }
    state.counters["step_lines"]
        = benchmark::Counter(static_cast<double>(table.value(table.size() - 1)));
}
BENCHMARK(BM_StepChange)->Arg(5)->Arg(500)->Unit(benchmark::kMicrosecond);

} // namespace
