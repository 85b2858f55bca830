// Loading steps into the practice window, moving between them and ending a question.

#include "stepengine/engineapp.h"

#include "demo/frmyanshi.h"
#include "exercise/frmtm.h"
#include "platform/text.h"
#include "stepengine/stepengine.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using testsupport::EngineApp;
using testsupport::Rec;
using workspace::FrmMain;
namespace fd = stepengine::field;

namespace {

class Loader : public ::testing::Test {
protected:
    // The practice window and the question panel load each other, and the panel's load shows
    // question 1 at its resume step: both are loaded before a test sets the state it loads, and
    // the panel's hand-over to the practice window is left out, as the tests load steps
    // themselves.
    Loader()
    {
        main().load();
        ui().Timer2.setEnabled(false);
    }

    EngineApp app;
    shell::AppState& st = app.sys->state;
    FrmMain& main() { return app.sys->form<FrmMain>(); }
    workspace::FrmMainUi& ui() { return main().ui(); }

    // A question of `count` steps whose records carry their step number in characters 1-3; the
    // last one ends the question.
    void writeQuestion(int count, const QString& code = QStringLiteral("0001"))
    {
        QList<Rec> recs;
        for (int s = 1; s <= count; ++s)
            recs << Rec(s == count ? QStringLiteral("9999") : code)
                        .num({ 1, 3 }, s)
                        .target(1500, 1500, 900, 450);
        app.writeSteps(recs);
    }
    int loadedStep() const { return st.StepLine.left(3).toInt(); }
    void load(int step)
    {
        st.CurrentStep = static_cast<int16_t>(step);
        main().setData();
    }
};

TEST_F(Loader, ReadsTheQuestionsLineOfTheStepFile)
{
    QList<Rec> recs;
    for (int line = 1; line <= 50; ++line)
        recs << Rec().num({ 1, 3 }, line);
    app.writeSteps(recs);
    st.QuestionCount = 3;
    st.CurrentQuestion = 3;
    st.FirstStepTable(3) = 41;
    load(3);
    EXPECT_EQ(loadedStep(), 43);
    EXPECT_EQ(st.StepFile, app.stepFile());
    EXPECT_TRUE(st.QuestionListFile.endsWith(QStringLiteral("288870.mxy")));
}

TEST_F(Loader, StepOneEmptiesTheStepPicturesAndLaterStepsKeepThem)
{
    writeQuestion(3);
    app.writePicture(QStringLiteral("pic001"));
    plat::Image* images[]
        = { &ui().Image1, &ui().Image2, &ui().Image3, &ui().Image4, &ui().Image5 };
    auto fill = [&] {
        for (plat::Image* i : images)
            ASSERT_TRUE(i->setPicture(st.SkinPath + QStringLiteral("pic001.mxy")).ok());
        ASSERT_TRUE(ui().Image6.setPicture(st.SkinPath + QStringLiteral("pic001.mxy")).ok());
    };
    fill();
    load(1);
    for (plat::Image* i : images)
        EXPECT_TRUE(i->picture().isNull()) << i->name().toStdString();
    EXPECT_TRUE(ui().Image6.picture().isNull());
    fill();
    load(2);
    for (plat::Image* i : images)
        EXPECT_FALSE(i->picture().isNull()) << i->name().toStdString();
    EXPECT_FALSE(ui().Image6.picture().isNull());
}

TEST_F(Loader, ResumeStepFollowsEveryLoadIncludingTheEndStep)
{
    writeQuestion(3);
    st.QuestionCount = 2;
    st.CurrentQuestion = 2;
    st.FirstStepTable(2) = 1;
    main().load(); // its load handler resets questions 1 to 40
    st.ResumeStep(1) = 9;
    for (int step = 1; step <= 3; ++step) {
        load(step);
        EXPECT_EQ(st.ResumeStep(2), step);
    }
    EXPECT_EQ(st.ResumeStep(1), 9);
}

TEST_F(Loader, TargetAreaAndItsFrame)
{
    app.writeSteps({
        Rec().target(3000, 2000, 1800, 600), // a usable area, to leave its size behind
        Rec().set(fd::TargetArea, stepengine::kNoTargetArea),
        Rec().target(5000, 1200, 1500, 0),
        Rec().target(300, 300, 600, 10),
        Rec().target(300, 300, 600, 11),
    });
    st.PanelMode = 1; // step hints on: the hint stage shows the hint and its frames
    auto& area = ui().Label1;
    auto& frame = ui().Shape1;
    load(1);
    EXPECT_TRUE(frame.visible());

    load(2); // twenty zeros: no target area
    EXPECT_FALSE(area.visible());
    EXPECT_EQ(area.width(), 1);
    EXPECT_EQ(area.height(), 1);
    EXPECT_FALSE(frame.visible());
    EXPECT_EQ(main().fields.TargetWidth, 1800);
    EXPECT_EQ(main().fields.TargetHeight, 600);

    load(3); // Height 0: shown where it was asked for, but nothing to click
    EXPECT_TRUE(area.visible());
    EXPECT_EQ(area.left(), 5000);
    EXPECT_EQ(area.top(), 1200);
    EXPECT_EQ(area.width(), 1);
    EXPECT_EQ(area.height(), 1);
    EXPECT_EQ(main().fields.TargetWidth, 1500);
    EXPECT_EQ(main().fields.TargetHeight, 0);
    EXPECT_FALSE(frame.visible());

    load(4); // 10 twips high: too low for a frame
    EXPECT_EQ(area.height(), 10);
    EXPECT_FALSE(frame.visible());
    load(5);
    EXPECT_TRUE(frame.visible());
    EXPECT_EQ(frame.left(), 300);
    EXPECT_EQ(frame.height(), 11);
}

TEST_F(Loader, TargetAreaIsScaled)
{
    app.writeSteps({ Rec().target(3000, 2000, 1800, 600) });
    st.ScaleX = 0.8;
    st.ScaleY = 1.25;
    load(1);
    EXPECT_DOUBLE_EQ(ui().Label1.left(), 2400);
    EXPECT_DOUBLE_EQ(ui().Label1.top(), 2500);
    EXPECT_DOUBLE_EQ(ui().Label1.width(), 1440);
    EXPECT_DOUBLE_EQ(ui().Label1.height(), 750);
}

TEST_F(Loader, SecondAreaOrItsParkingPlace)
{
    app.writeSteps({
        Rec().area2(600, 900, 1200, 300),
        Rec().num(fd::Area2Left, 4000).num(fd::Area2Top, 4000),
    });
    load(1);
    auto& area = ui().Label4;
    EXPECT_TRUE(area.visible());
    EXPECT_EQ(
        QRectF(area.left(), area.top(), area.width(), area.height()), QRectF(600, 900, 1200, 300));
    load(2); // Left and Top given, sizes all zero: no second area
    EXPECT_EQ(QRectF(area.left(), area.top(), area.width(), area.height()), QRectF(-1, 900, 1, 1));
    auto& frame = ui().Shape4;
    EXPECT_EQ(
        QRectF(frame.left(), frame.top(), frame.width(), frame.height()), QRectF(-1, 900, 1, 1));
}

TEST_F(Loader, CursorSpecGivesTheTargetAreasPointer)
{
    app.writeCursor(QStringLiteral("ico12.CUR"));
    struct Case {
        const char* cursor;
        int pointer;
        bool icon;
    };
    const Case cases[] = {
        { "S0003", 3, false },
        { "S0015", 15, false },
        { "M0012", 99, true },
        { "s0003", 0, false },
        { "S0016", 0, false },
        { "00000", 0, false },
    };
    QList<Rec> recs;
    for (const Case& c : cases)
        recs << Rec().target(0, 0, 600, 600).set(fd::CursorSpec, QLatin1String(c.cursor));
    app.writeSteps(recs);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].cursor);
        load(i + 1);
        EXPECT_EQ(ui().Label1.mousePointer(), cases[i].pointer);
        if (cases[i].icon) {
            EXPECT_EQ(ui().Label1.mouseIcon().hotSpot(), QPoint(3, 4));
        }
    }
}

TEST_F(Loader, DragHandleStepsSwitchTheAreasOffAndTimedStepsGoOnEverySecond)
{
    app.writeSteps({
        Rec(QStringLiteral("8003")).target(600, 600, 900, 900).area2(2000, 600, 900, 900),
        Rec(QStringLiteral("8888")).num({ 1, 3 }, 2),
        Rec(QStringLiteral("8888")).num({ 1, 3 }, 3),
        Rec(QStringLiteral("0001")).num({ 1, 3 }, 4),
        Rec(QStringLiteral("9999")).num({ 1, 3 }, 5),
    });
    load(1);
    for (plat::Label* area : { &ui().Label1, &ui().Label4 }) {
        EXPECT_EQ(area->width(), 1);
        EXPECT_EQ(area->height(), 1);
    }
    EXPECT_EQ(ui().Shape1.width(), 900); // the frames keep their rectangles
    EXPECT_FALSE(ui().Timer3.enabled());

    load(2);
    EXPECT_TRUE(ui().Timer3.enabled());
    app.driver->advance(999);
    EXPECT_EQ(st.CurrentStep, 2);
    app.driver->advance(1);
    EXPECT_EQ(st.CurrentStep, 3);
    app.driver->advance(1000);
    EXPECT_EQ(st.CurrentStep, 4);
    EXPECT_EQ(loadedStep(), 4);
    EXPECT_FALSE(ui().Timer3.enabled());
    app.driver->advance(3000);
    EXPECT_EQ(st.CurrentStep, 4);
}

TEST_F(Loader, GoStepJumpsWithinTheQuestionOnly)
{
    writeQuestion(35);
    struct Case {
        const char* code;
        int step; // the step shown afterwards; 2 = nothing happened
    };
    const Case cases[] = {
        { "0", 2 },
        { "7", 7 },
        { "A", 10 },
        { "Z", 35 },
        { "a", 2 },
        { "%", 2 },
        { "", 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        load(2);
        main().GoStep(QString::fromLatin1(c.code));
        EXPECT_EQ(st.CurrentStep, c.step);
        EXPECT_EQ(loadedStep(), c.step);
    }
    writeQuestion(9);
    load(2);
    main().GoStep(QStringLiteral("A")); // step 10 of a question of 9 steps
    EXPECT_EQ(st.CurrentStep, 2);
    EXPECT_EQ(loadedStep(), 2);
}

TEST_F(Loader, AJumpReachesALaterSolutionBranchOfTheQuestionButNeverTheNextQuestion)
{
    // Question 1 (lines 1-5) has two solution branches, each closed by its own end marker:
    // 1 the choice, 2-3 the first branch, 4-5 the second. Question 2 follows on lines 6-8.
    QList<Rec> recs;
    const char* codes[] = { "0001", "0001", "9999", "0001", "9999", "0001", "0001", "9999" };
    for (int line = 1; line <= 8; ++line)
        recs << Rec(QLatin1String(codes[line - 1]))
                    .num({ 1, 3 }, line)
                    .target(1500, 1500, 900, 450)
                    .set(fd::TargetNext, line == 1 ? QStringLiteral("4") : QStringLiteral("0"));
    app.writeSteps(recs);
    struct Case {
        const char* where; // where the question's step count comes from
        int16_t secondFirstLine; // FirstStepTable(2); 0: not filled
        const char* questionLine;
    };
    const Case cases[] = {
        { "the first-step table", 6, "0001xx" },
        { "the question line", 0, "000105" },
        { "the question line with a blank", 0, "0001 5" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        ASSERT_TRUE(plat::writeLines(app.questionFile(), { QLatin1String(c.questionLine) }).ok());
        st.QuestionCount = 2;
        st.FirstStepTable(2) = c.secondFirstLine;
        st.FirstStepTable(3) = 9;
        load(1);
        app.driver->click(ui().Label1); // the choice of the second branch
        EXPECT_EQ(loadedStep(), 4);
        main().GoStep(QStringLiteral("5"));
        EXPECT_EQ(loadedStep(), 5);
        main().GoStep(QStringLiteral("6")); // question 2's first line
        EXPECT_EQ(st.CurrentStep, 5);
        EXPECT_EQ(loadedStep(), 5);
    }
    // Neither the table nor a readable question line names a count: no jump at all.
    ASSERT_TRUE(QFile::remove(app.questionFile()));
    st.FirstStepTable(2) = 0;
    load(1);
    main().GoStep(QStringLiteral("2"));
    EXPECT_EQ(loadedStep(), 1);
}

TEST_F(Loader, DoNextOnTheEndStepOnlyAddsTheDoneFlag)
{
    writeQuestion(2);
    load(2);
    const QString record = st.StepLine;
    for (auto [before, after] : { std::pair { 3, 7 }, std::pair { 6, 6 } }) {
        st.QuestionState(1) = static_cast<int16_t>(before);
        main().doNext();
        EXPECT_EQ(st.QuestionState(1), after);
        EXPECT_EQ(st.CurrentStep, 2);
        EXPECT_EQ(st.StepLine, record);
    }
}

TEST_F(Loader, EndOfQuestionMarksDoneAndListsTheUnfinished)
{
    writeQuestion(2);
    st.QuestionCount = 3;
    st.QuestionState(1) = 1;
    st.QuestionState(2) = 1;
    st.QuestionState(3) = 0;
    auto& tm = app.sys->form<exercise::FrmTm>();
    tm.ui().LblBiao.setCaption(QStringLiteral("第1题(未完成)"));
    load(1);
    EXPECT_TRUE(ui().PicMenu.enabled());
    main().doNext();
    EXPECT_EQ(st.QuestionState(1), 5);
    EXPECT_EQ(tm.ui().LblUnit.caption(), QStringLiteral("未完成的题目 2 3"));
    EXPECT_EQ(tm.ui().LblBiao.caption(), QStringLiteral("第1题(已完成)"));
    EXPECT_TRUE(ui().LblSuccess.visible());
    EXPECT_FALSE(ui().LHelp.visible());
    EXPECT_FALSE(ui().Shape1.visible());
    EXPECT_FALSE(ui().PicMenu.enabled());

    // The last unfinished question, in an examination.
    st.QuestionState(2) = 4;
    st.QuestionState(3) = 6;
    st.PanelMode = 3;
    load(2);
    EXPECT_EQ(st.QuestionState(1), 5); // not added twice
    EXPECT_EQ(tm.ui().LblUnit.caption(), QStringLiteral("未完成的题目"));
    EXPECT_FALSE(ui().LblSuccess.visible());
    EXPECT_FALSE(ui().LHelp.visible()); // an examination shows no hints at all
    load(1);
    EXPECT_TRUE(ui().PicMenu.enabled());
}

// A practice window whose step-type statement completes a typing step, as a preset answer
// that is already right does through the text field's change event.
class PresetWindow : public FrmMain {
public:
    using FrmMain::FrmMain;
    QStringList log;
    int requests = 1; // advances requested per completed load

protected:
    void setStepType(int16_t value) override
    {
        FrmMain::setStepType(value);
        log << QStringLiteral("load %1").arg(currentStep());
        if (value == 20)
            for (int i = 0; i < requests; ++i)
                doNext();
    }
    void epilogue() override
    {
        FrmMain::epilogue();
        log << QStringLiteral("epilogue %1").arg(currentStep());
    }
};

TEST_F(Loader, AnAdvanceDuringALoadRunsOnceAfterIt)
{
    app.writeSteps({ Rec(QStringLiteral("0020")).num({ 1, 3 }, 1),
        Rec(QStringLiteral("0001")).num({ 1, 3 }, 2), Rec(QStringLiteral("0001")).num({ 1, 3 }, 3),
        Rec(QStringLiteral("9999")).num({ 1, 3 }, 4) });
    auto& w = app.sys->form<PresetWindow>();
    w.requests = 2;
    st.CurrentStep = 1;
    w.setData();
    EXPECT_EQ(w.log, QStringList({ "load 1", "epilogue 1", "load 2", "epilogue 2" }));
    EXPECT_EQ(st.CurrentStep, 2);
    EXPECT_EQ(loadedStep(), 2);
    EXPECT_EQ(st.ResumeStep(1), 2);
}

TEST_F(Loader, MissingOrShortStepFileChangesNothingAndIsReported)
{
    QList<Rec> recs;
    for (int line = 1; line <= 10; ++line)
        recs << Rec().num({ 1, 3 }, line).target(100 * line, 600, 900, 450);
    app.writeSteps(recs); // a question that runs past the file's end
    load(8);
    for (int i = 0; i < 2; ++i)
        main().doNext();
    ASSERT_EQ(loadedStep(), 10);
    ASSERT_TRUE(app.reports.isEmpty());
    const QString record = st.StepLine;
    const QRectF area(
        ui().Label1.left(), ui().Label1.top(), ui().Label1.width(), ui().Label1.height());
    ui().LblSuccess.setVisible(true); // something every load would change

    main().doNext(); // line 11 of a file of 10 lines
    EXPECT_EQ(app.reports, QStringList({ "setdata 62" }));
    EXPECT_EQ(st.CurrentStep, 10);
    EXPECT_EQ(st.StepLine, record);
    EXPECT_TRUE(ui().LblSuccess.visible());

    ASSERT_TRUE(QFile::remove(app.stepFile()));
    app.reports.clear();
    st.CurrentStep = 2; // as the question panel resumes a question
    main().setData();
    EXPECT_EQ(app.reports, QStringList({ "setdata 53" }));
    EXPECT_EQ(st.StepLine, record);
    EXPECT_EQ(st.ResumeStep(1), 10);
    EXPECT_TRUE(ui().LblSuccess.visible());
    EXPECT_EQ(
        QRectF(ui().Label1.left(), ui().Label1.top(), ui().Label1.width(), ui().Label1.height()),
        area);
}

// A step line cut short reads its missing fields as empty and can leave the question without an
// answer that passes: the run log says so, once per step file however often it is loaded.
TEST_F(Loader, AStepLineCutShortIsLoggedOncePerFile)
{
    writeQuestion(3);
    auto lines = plat::readLines(app.stepFile()).value();
    lines[1] = lines[1].left(60);
    ASSERT_TRUE(plat::writeLines(app.stepFile(), lines).ok());
    st.LogPath = app.dir.path() + QStringLiteral("/ksdata/run.txt");
    QDir().mkpath(app.dir.path() + QStringLiteral("/ksdata"));

    load(1);
    EXPECT_FALSE(plat::decodeGbk(testsupport::readFile(st.LogPath)).contains("cut short"))
        << "a whole line is not logged";
    for (int i = 0; i < 3; ++i)
        load(2);
    const QString log = plat::decodeGbk(testsupport::readFile(st.LogPath));
    EXPECT_EQ(log.count(QStringLiteral("cut short")), 1) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("step line 2 of ") + app.stepFile()))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral(": 60 of "))) << log.toStdString();
}

TEST_F(Loader, AReleaseOfAPressBeforeTheLoadIsNotJudged)
{
    app.writeSteps({ Rec(QStringLiteral("8888")).num({ 1, 3 }, 1).imageNext(1, u'3'),
        // Step 2 keeps Image1's picture where the test put it, so that it can be clicked.
        Rec(QStringLiteral("0001"))
            .num({ 1, 3 }, 2)
            .imageNext(1, u'3')
            .num(stepengine::kImageGroups[0].left, 6000)
            .num(stepengine::kImageGroups[0].top, 6000)
            .set(stepengine::kImageGroups[0].name, stepengine::kKeepPicture),
        Rec(QStringLiteral("0001")).num({ 1, 3 }, 3),
        Rec(QStringLiteral("9999")).num({ 1, 3 }, 4) });
    main().show();
    load(1);
    app.writePicture(QStringLiteral("pic001"), { 60, 40 });
    ASSERT_TRUE(ui().Image1.setPicture(st.SkinPath + QStringLiteral("pic001.mxy")).ok());
    ui().Image1.move(6000, 6000);
    const QPointF at = testsupport::HeadlessDriver::centreInForm(ui().Image1);

    app.driver->press(main(), at);
    app.driver->advance(1000); // the timed step goes on while the button is held
    EXPECT_EQ(st.CurrentStep, 2);
    app.driver->release(main(), at);
    EXPECT_EQ(st.CurrentStep, 2);

    app.driver->click(ui().Image1);
    EXPECT_EQ(st.CurrentStep, 3);
}

TEST_F(Loader, TheDemonstrationsRecordDoesNotDriveThePracticeTimer)
{
    app.writeSteps({ Rec(QStringLiteral("8888")).num({ 1, 3 }, 1),
        Rec(QStringLiteral("0001")).num({ 1, 3 }, 2),
        Rec(QStringLiteral("0001")).num({ 1, 3 }, 3).target(600, 600, 900, 900),
        Rec(QStringLiteral("9999")).num({ 1, 3 }, 4) });
    load(1);
    ASSERT_TRUE(ui().Timer3.enabled());
    st.DemoActive = -1;
    auto& demo = app.sys->form<demo::FrmYanShi>();
    demo.load();
    demo.ui().Timer4.setEnabled(false); // the pause of its step 1 would advance it
    demo.DemoStep = 3;
    demo.setData();
    ASSERT_EQ(loadedStep(), 3);
    app.driver->advance(1000); // the practice timer's second, before the glide arrives
    EXPECT_EQ(st.CurrentStep, 1);
    EXPECT_EQ(loadedStep(), 3);
    EXPECT_EQ(st.ResumeStep(1), 1);
}

TEST_F(Loader, OutOfRangeQuestionLoadsNothingOutsideTheTables)
{
    writeQuestion(3);
    st.CurrentQuestion = 600;
    st.FirstStepTable(600) = 1; // lost: the question has no line
    load(1);
    EXPECT_EQ(app.reports, QStringList({ "setdata 62" }));
    EXPECT_EQ(st.ResumeStep(600), 0);
}

} // namespace
