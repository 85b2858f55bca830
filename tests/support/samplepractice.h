#pragma once

// The sample module that the build writes beside the program, opened in the practice window
// and the question panel as a candidate opens a question of a unit.

#include "exercise/frmtm.h"
#include "support/driven.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace testsupport {

inline QString sampleProgramDir() { return QStringLiteral(KSXT_PROGRAM_DIR); }
inline QString sampleDataDir() { return sampleProgramDir() + QStringLiteral("/txcl/"); }
// Whether the build wrote the sample module. The build makes it before any test runs, so a test
// that needs it fails without it (ASSERT_SAMPLE_MODULE) rather than skipping, which would let a
// broken generator pass unnoticed.
inline bool sampleModuleGenerated()
{
    return QFileInfo::exists(sampleDataDir() + QStringLiteral("288820.mxy"))
        && QFileInfo::exists(sampleDataDir() + QStringLiteral("288891.mxy"));
}
#define ASSERT_SAMPLE_MODULE()                                                                     \
    ASSERT_TRUE(::testsupport::sampleModuleGenerated())                                            \
        << "sample module not generated in " << qPrintable(::testsupport::sampleProgramDir())      \
        << " (the default build target makes it)"
inline constexpr int kUnitStudyMode = 20; // unit practice: SetNo is the unit

// Question `question` of unit `unit`, on a virtual clock with fake services, loaded at step
// `step` once Timer2 has run; every failure reported is collected in `reports`.
struct SamplePractice : DrivenSystem {
    SamplePractice(int unit, int question, int step = 1)
        : DrivenSystem(sampleProgramDir())
        , st(sys.state)
        , main(sys.form<workspace::FrmMain>())
    {
        st.SkinPath = sampleDataDir();
        st.StudyMode = kUnitStudyMode;
        st.SetNo = static_cast<int16_t>(unit);
        st.AnswerTextFile = sys.skinFile(QStringLiteral("288890"));
        st.errorSink = [this](QString tag, int number, QString description, QString) {
            reports << tag + QStringLiteral(" ") + QString::number(number) + QStringLiteral(" ")
                    + description;
        };
        EXPECT_TRUE(launchQuestions(sys));
        EXPECT_GE(st.QuestionCount, question);
        st.CurrentQuestion = static_cast<int16_t>(question);
        auto& tm = sys.form<exercise::FrmTm>();
        main.show();
        tm.show();
        st.ResumeStep(question) = static_cast<int16_t>(step);
        tm.DqExam();
        st.PanelMode = 1; // step hints, as the hints button switches them on
        driver.advance(100); // Timer2 loads the step
    }
    shell::AppState& st;
    workspace::FrmMain& main;
    QStringList reports;
    workspace::FrmMainUi& ui() { return main.ui(); }
};

} // namespace testsupport
