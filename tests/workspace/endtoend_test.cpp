// A question of the sample module solved in the practice window from its first step to its end.

#include "exercise/frmtm.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "support/samplepractice.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// The sample module's first unit (study mode 20, set 0) and its question that hovers, waits a
// second and ends: "将鼠标指针移到状态栏的文档大小信息上……".
constexpr int kUnitStudyMode = 20;
constexpr int kQuestion = 12;

TEST(EndToEnd, SampleQuestionRunsToItsEndInThePracticeWindow)
{
    const QString programDir = QStringLiteral(KSXT_PROGRAM_DIR);
    const QString dataDir = programDir + QStringLiteral("/txcl/");
    ASSERT_SAMPLE_MODULE();

    testsupport::DrivenSystem run(programDir);
    shell::System& sys = run.sys;
    testsupport::HeadlessDriver& driver = run.driver;
    shell::AppState& st = sys.state;
    st.SkinPath = dataDir;
    st.StudyMode = kUnitStudyMode;
    st.SetNo = 0;

    ASSERT_TRUE(testsupport::launchQuestions(sys));
    ASSERT_GE(st.QuestionCount, kQuestion);
    st.CurrentQuestion = kQuestion;

    auto& main = sys.form<workspace::FrmMain>();
    auto& tm = sys.form<exercise::FrmTm>();
    main.show();
    tm.show();
    tm.DqExam();
    tm.ui().LblBiao.setCaption(QStringLiteral("第12题(未完成)"));
    st.PanelMode = 1; // step hints, as the hints button switches them on
    driver.advance(100); // Timer2
    const QString out = testsupport::outputDir();

    // Step 1: hover over the document size (a target-area check): the engine goes on.
    ASSERT_EQ(st.CurrentStep, 1);
    EXPECT_EQ(stepengine::StepRecord(st.StepLine).actionCode(), QStringLiteral("0030"));
    EXPECT_TRUE(main.ui().Label1.visible());
    EXPECT_TRUE(main.ui().Shape1.visible());
    EXPECT_EQ(main.ui().Label1.mousePointer(), 1); // "S0001"
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(main, out + QStringLiteral("/e2e-step1.png")));
    main.doNext();

    // Step 2: a timed step goes on by itself a second later.
    ASSERT_EQ(st.CurrentStep, 2);
    EXPECT_TRUE(main.ui().Timer3.enabled());
    driver.advance(1000);

    // Step 3: the end marker.
    ASSERT_EQ(st.CurrentStep, 3);
    EXPECT_TRUE(stepengine::StepRecord(st.StepLine).isEndOfQuestion());
    EXPECT_FALSE(main.ui().Timer3.enabled());
    EXPECT_EQ(st.QuestionState(kQuestion), 5);
    EXPECT_EQ(st.ResumeStep(kQuestion), 3);
    EXPECT_TRUE(main.ui().LblSuccess.visible());
    EXPECT_FALSE(main.ui().Shape1.visible());
    EXPECT_FALSE(tm.ui().LblUnit.caption().split(u' ').contains(QStringLiteral("12")));
    EXPECT_TRUE(tm.ui().LblUnit.caption().split(u' ').contains(QStringLiteral("13")));
    EXPECT_EQ(tm.ui().LblBiao.caption(), QStringLiteral("第12题(已完成)"));
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(main, out + QStringLiteral("/e2e-end.png")));

    // From the end step a jump loads the step it names; the done flag stays.
    main.GoStep(QStringLiteral("1"));
    EXPECT_EQ(st.CurrentStep, 1);
    EXPECT_FALSE(main.ui().LblSuccess.visible());
    EXPECT_TRUE(main.ui().PicMenu.enabled());
    EXPECT_EQ(st.QuestionState(kQuestion), 5);
}

} // namespace
