// The practice window's list and location pickers and its dialog tab pages, used the way the
// candidate uses them.

#include "stepengine/stages_fixture.h"

#include <gtest/gtest.h>

using testsupport::Rec;
using testsupport::StagesApp;
namespace fd = stepengine::field;

namespace {

QRectF rectOf(const plat::Control& c) { return { c.left(), c.top(), c.width(), c.height() }; }

// Steps numbered in characters 1-3, then the end of the question.
void writeQuestion(StagesApp& app, QList<Rec> steps)
{
    for (int i = 0; i < steps.size(); ++i)
        steps[i].num({ 1, 3 }, i + 1);
    app.writeSteps(steps << Rec(QStringLiteral("9999")).num({ 1, 3 }, int(steps.size()) + 1));
}

TEST(ListPicker, AWrongEntryKeepsTheListAndTheRightOneAdvances)
{
    StagesApp app;
    app.writeAnswers({ "001", "002", "003", "004甲|乙|丙" });
    Rec list(QStringLiteral("L004"));
    testsupport::textBox(list, 1500, 900, 3000, 1200);
    writeQuestion(app, { list.set(fd::PresetLine, "001").set(fd::AnswerLine, "002"), Rec() });
    auto& ui = app.ui();
    app.main().show();
    app.load(1);
    ASSERT_EQ(ui.LblXXK[0].caption(), QStringLiteral("乙"));

    app.driver->clickAt(ui.LstLA, { 300, 60 }); // the first entry, a wrong one
    EXPECT_EQ(ui.LstLA.listIndex(), 0);
    EXPECT_EQ(ui.LblXXK[0].caption(), QStringLiteral("甲"));
    EXPECT_EQ(app.st.CurrentStep, 1);
    EXPECT_TRUE(ui.LstLA.visible());
    EXPECT_TRUE(ui.PicBottom.visible());

    ASSERT_TRUE(ui.LstLA.setListIndex(2).ok()); // the right one
    EXPECT_EQ(app.st.CurrentStep, 2);
    EXPECT_FALSE(ui.LstLA.visible());
    for (const plat::PictureBox* s : { &ui.PicLeft, &ui.PicRight, &ui.PicTop, &ui.PicBottom })
        EXPECT_FALSE(s->visible());
    EXPECT_EQ(ui.LblXXK[0].caption(), QString());
}

TEST(LocationPicker, TheBoxOpensAndClosesAndOnlyTheTargetRowAdvances)
{
    StagesApp app;
    auto& st = app.st;
    st.ScaleX = 0.8;
    st.ScaleY = 1.25; // heights follow ScaleY, offsets ScaleX
    Rec location(QStringLiteral("K213"));
    testsupport::textBox(location, 1500, 1200, 3000, 300);
    writeQuestion(app, { location, Rec() });
    auto& ui = app.ui();
    auto& list = ui.PicList;
    app.main().show();
    app.load(1);
    const double closed = 330 * 1.25, open = 3720 * 1.25;
    ASSERT_EQ(list.height(), closed);
    EXPECT_EQ(list.width(), 3915 * 0.8); // as wide as its picture, not wider
    EXPECT_EQ(ui.ImgSelAD.left(), -120 * 0.8); // preset row 2

    app.driver->click(ui.LblADDmyXZ);
    EXPECT_EQ(list.height(), open);
    app.driver->click(ui.LblADDmyXZ);
    EXPECT_EQ(list.height(), closed);

    app.driver->click(ui.LblADDmyXZ);
    app.driver->moveTo(app.main(), testsupport::HeadlessDriver::centreInForm(ui.LblADD[4]));
    for (int row = 0; row < 14; ++row)
        EXPECT_EQ(ui.ImgLiN[row].visible(), row == 4) << "row " << row;
    app.driver->moveTo(app.main(), { 9000, 7500 }); // over the window itself: frmCsh
    EXPECT_EQ(list.height(), closed);

    app.driver->click(ui.LblADDmyXZ);
    app.driver->click(ui.LblADD[5]);
    EXPECT_EQ(ui.ImgSelAD.left(), -270 * 0.8);
    EXPECT_EQ(ui.ImgSelAD.picture().width(), ui.ImgLiN[5].picture().width());
    EXPECT_EQ(list.height(), closed);
    EXPECT_EQ(st.CurrentStep, 1);

    app.driver->click(ui.LblADDmyXZ);
    app.driver->click(ui.LblADD[13]);
    EXPECT_EQ(st.CurrentStep, 2);
    EXPECT_FALSE(list.visible());
}

TEST(TabPages, AWrongTabAsksForTheExpectedOneWhichBringsTheStepBack)
{
    StagesApp app;
    auto& st = app.st;
    st.ScaleX = 0.8;
    st.ScaleY = 1.25;
    st.PanelMode = 1;
    app.writeAnswers({ "001", "002", "003", "004第一行|第二行" });
    app.writePicture(QStringLiteral("dialog"), { 300, 200 });
    app.writePicture(QStringLiteral("104003"), { 303, 200 });
    app.writePicture(QStringLiteral("104008"), { 308, 200 });
    // Dialog D (12 tabs, two rows) in Image1, tab 1 shown, tab 8 expected.
    auto tabStep = [](const QString& picture) {
        Rec r;
        testsupport::picture(r, 1, 750, 360, picture);
        testsupport::hint(r, 6000, 4000, 4);
        return r.set(fd::TabCode, "XD181").target(3000, 3000, 900, 400);
    };
    writeQuestion(app, { tabStep(QStringLiteral("dialog")), tabStep(stepengine::kKeepPicture) });
    auto& ui = app.ui();
    app.main().show();
    app.load(1);
    const double hostTop = 360 * 1.25, upper = 510 * 1.25 + hostTop, lower = 810 * 1.25 + hostTop;
    ASSERT_EQ(ui.LblXXK[1].top(), lower);
    ASSERT_EQ(rectOf(ui.Label1).size(), QSizeF(1, 1));

    app.driver->click(ui.LblXXK[3]);
    EXPECT_EQ(ui.Image1.picture().width(), 303);
    EXPECT_EQ(ui.LblXXK[3].top(), lower);
    EXPECT_EQ(ui.LblXXK[8].top(), upper);
    EXPECT_EQ(ui.LHelp.caption(), QStringLiteral("请选择第8个选项卡"));
    EXPECT_EQ(rectOf(ui.Shape1), rectOf(ui.LblXXK[8]));
    EXPECT_EQ(rectOf(ui.Label1).size(), QSizeF(1, 1));

    app.driver->click(ui.LblXXK[8]);
    EXPECT_EQ(ui.Image1.picture().width(), 300); // the step's own picture, not page 104008
    EXPECT_EQ(ui.LblXXK[3].top(), upper);
    EXPECT_EQ(ui.LblXXK[8].top(), lower);
    EXPECT_TRUE(ui.Label1.visible());
    EXPECT_EQ(rectOf(ui.Label1), QRectF(2400, 3750, 720, 500));
    EXPECT_EQ(rectOf(ui.Shape1), rectOf(ui.Label1));
    EXPECT_EQ(ui.LHelp.caption(), QStringLiteral("第一行\r\n第二行"));

    // A step that keeps the host's picture ("888888") brings back the picture it shows.
    app.load(2);
    app.driver->click(ui.LblXXK[3]);
    app.driver->click(ui.LblXXK[8]);
    EXPECT_EQ(ui.Image1.picture().width(), 300);
}

TEST(TabPages, TheBackLabelGoesBackButNeverBeforeStepOne)
{
    struct Case {
        const char* backCode; // "": a step without a back code of its own
        int from, to;
    };
    const Case cases[] = {
        { "Q0002", 4, 2 }, { "Q0000", 4, 3 }, // 0 counts as one step
        { "Q000X", 4, 3 }, // and so does a character that is not a digit
        { "Q0005", 3, 1 }, // would pass step 1: stops there
        { "", 3, 2 }, { "", 1, 1 }, // step 1 is loaded again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.backCode << " from step " << c.from);
        StagesApp app;
        QList<Rec> steps;
        for (int i = 0; i < 5; ++i) {
            Rec r;
            if (*c.backCode)
                r.set(fd::BackCode, c.backCode)
                    .num(fd::DragTargetX, 4000)
                    .num(fd::DragTargetY, 300);
            steps << r;
        }
        writeQuestion(app, steps);
        app.main().show();
        app.load(c.from);
        if (*c.backCode)
            app.driver->click(app.ui().LblXXK[0]);
        else
            app.main().LblXXK_Click(0);
        EXPECT_EQ(app.st.CurrentStep, c.to);
        EXPECT_EQ(app.st.StepLine.left(3).toInt(), c.to);
    }
}

} // namespace
