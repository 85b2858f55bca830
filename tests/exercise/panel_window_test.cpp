// The question panel in an exercise: opening beside the practice window, moving between
// questions, flags, number pages, the button sets, closing, folding, drags and the picture
// window.

#include "exercise/frmpicture.h"
#include "exercise/panelapp.h"
#include "platform/keys.h"
#include "platform/picture.h"
#include "platform/text.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::PanelApp;

QStringList unfinished(PanelApp& app) { return app.ui().LblUnit.caption().split(u' ').mid(1); }

TEST(PanelOpen, ShowsQuestionOneBesideThePracticeWindow)
{
    ASSERT_SAMPLE_MODULE();
    PanelApp app;
    app.prepareSample();
    app.open();
    auto& tm = app.tm();
    auto& main = app.main();
    ASSERT_TRUE(tm.visible());
    ASSERT_TRUE(main.visible());
    EXPECT_EQ(app.text(), app.fileText(1));
    EXPECT_FALSE(app.text().isEmpty());
    // Docked at the practice window's bottom-right corner.
    EXPECT_EQ(tm.left() + tm.width(), main.left() + main.width());
    EXPECT_EQ(tm.top() + tm.height(), main.top() + main.height());
    EXPECT_EQ(app.ui().LblBiao.caption(),
        QStringLiteral("图像 1单元1/%1题(未完成)").arg(app.st.QuestionCount));
    EXPECT_EQ(app.st.QuestionState(1), 1); // visited
    EXPECT_EQ(app.st.CurrentStep, 1);
    // The practice window loaded question 1's first step: the step file's first line.
    const auto steps = plat::readLines(app.st.StepFile);
    ASSERT_TRUE(steps.ok());
    EXPECT_FALSE(app.st.StepLine.isEmpty());
    EXPECT_EQ(app.st.StepLine, steps.value().value(0));
    EXPECT_FALSE(app.ui().CmdGN[exercise::cmd::Previous].enabled());
    EXPECT_TRUE(app.ui().CmdGN[exercise::cmd::Next].enabled());
    EXPECT_EQ(app.ui().LblTime.caption(), QStringLiteral("剩余50分钟"));
    EXPECT_EQ(app.ui().LblTimeJD.width(), 0);
    EXPECT_TRUE(app.reports.isEmpty()) << app.reports.join(u'\n').toStdString();
}

TEST(PanelNavigation, ByArrowsAndNumbersWithFlagsAndASolvedQuestion)
{
    ASSERT_SAMPLE_MODULE();
    PanelApp app;
    app.prepareSample();
    app.open();
    auto& ui = app.ui();
    auto& st = app.st;
    const int n = st.QuestionCount;
    ASSERT_GE(n, 12);

    // Arrows.
    app.driver.click(ui.CmdGN[exercise::cmd::Next].control());
    EXPECT_EQ(st.CurrentQuestion, 2);
    EXPECT_EQ(app.text(), app.fileText(2));
    EXPECT_TRUE(ui.LblBiao.caption().contains(QStringLiteral("2/%1题").arg(n)));
    EXPECT_TRUE(ui.CmdGN[exercise::cmd::Previous].enabled());
    app.driver.click(ui.CmdGN[exercise::cmd::Previous].control());
    EXPECT_EQ(st.CurrentQuestion, 1);
    EXPECT_EQ(app.text(), app.fileText(1));

    // By number: the page opens, a number shows its question and closes the page.
    app.driver.click(ui.CmdGN[exercise::cmd::Numbers].control());
    ASSERT_TRUE(ui.FrmSelect.visible());
    EXPECT_TRUE(ui.CmTNO[n].visible());
    EXPECT_FALSE(ui.CmTNO[n + 1].visible());
    app.driver.click(ui.CmTNO[n].control());
    EXPECT_FALSE(ui.FrmSelect.visible());
    EXPECT_EQ(st.CurrentQuestion, n);
    EXPECT_EQ(app.text(), app.fileText(n));
    EXPECT_FALSE(ui.CmdGN[exercise::cmd::Next].enabled());

    // Flag and unflag: the pair shows one button, the state follows.
    EXPECT_TRUE(ui.CmdGN[exercise::cmd::Flag].visible());
    EXPECT_FALSE(ui.CmdGN[exercise::cmd::RemoveFlag].visible());
    app.driver.click(ui.CmdGN[exercise::cmd::Flag].control());
    EXPECT_EQ(st.QuestionState(n), 3);
    EXPECT_FALSE(ui.CmdGN[exercise::cmd::Flag].visible());
    EXPECT_TRUE(ui.CmdGN[exercise::cmd::RemoveFlag].visible());
    app.driver.click(
        ui.CmdGN[exercise::cmd::Next].control()); // stays on the last question, still flagged
    EXPECT_EQ(st.CurrentQuestion, n);
    EXPECT_TRUE(ui.CmdGN[exercise::cmd::RemoveFlag].visible());
    app.driver.click(ui.CmdGN[exercise::cmd::RemoveFlag].control());
    EXPECT_EQ(st.QuestionState(n), 1);
    EXPECT_TRUE(ui.CmdGN[exercise::cmd::Flag].visible());
    EXPECT_FALSE(ui.CmdGN[exercise::cmd::RemoveFlag].visible());

    // Question 12 asks to hover over the document size, then goes on by itself.
    app.driver.click(ui.CmdGN[exercise::cmd::Numbers].control());
    app.driver.click(ui.CmTNO[12].control());
    app.driver.advance(100); // the step load
    ASSERT_EQ(st.CurrentQuestion, 12);
    EXPECT_TRUE(ui.LblBiao.caption().endsWith(QStringLiteral("(未完成)")));
    EXPECT_TRUE(unfinished(app).contains(QStringLiteral("12")));
    auto& target = app.main().ui().Label1;
    ASSERT_TRUE(target.visible());
    app.driver.moveTo(app.main(), testsupport::HeadlessDriver::centreInForm(target));
    app.driver.advance(1000); // the timed step
    EXPECT_EQ(st.QuestionState(12), 5);
    EXPECT_TRUE(ui.LblBiao.caption().endsWith(QStringLiteral("(已完成)")));
    EXPECT_FALSE(unfinished(app).contains(QStringLiteral("12")));
    EXPECT_TRUE(unfinished(app).contains(QStringLiteral("11")));

    // Back on question 12 later: the list still leaves it out.
    app.driver.click(ui.CmdGN[exercise::cmd::Previous].control());
    EXPECT_FALSE(unfinished(app).contains(QStringLiteral("12")));
    EXPECT_EQ(unfinished(app).size(), n - 1);
}

TEST(PanelNavigation, PreviousAndNextStopAtBothEnds)
{
    struct Case {
        int count, from, button, to;
        bool previousEnabled, nextEnabled;
    };
    using namespace exercise::cmd;
    const Case cases[] = {
        { 5, 1, Previous, 1, false, true },
        { 5, 5, Next, 5, true, false },
        { 5, 3, Next, 4, true, true },
        { 1, 1, Next, 1, false, false },
        { 1, 1, Previous, 1, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " from " << c.from << " button " << c.button);
        PanelApp app;
        app.prepareNumbered(c.count);
        app.open();
        app.st.CurrentQuestion = static_cast<int16_t>(c.from);
        app.tm().CmdGN_Click(c.button);
        EXPECT_EQ(app.st.CurrentQuestion, c.to);
        EXPECT_EQ(app.text(), QStringLiteral("第%1题").arg(c.to));
        EXPECT_EQ(app.ui().CmdGN[exercise::cmd::Previous].enabled(), c.previousEnabled);
        EXPECT_EQ(app.ui().CmdGN[exercise::cmd::Next].enabled(), c.nextEnabled);
    }
}

TEST(PanelNavigation, HintsHoldForOneQuestionAndAnExaminationStaysOne)
{
    struct Case {
        int before, after;
    };
    for (const Case c : { Case { 1, 2 }, Case { 2, 2 }, Case { 3, 3 } }) {
        SCOPED_TRACE(c.before);
        PanelApp app;
        app.openNumbered(3);
        app.st.PanelMode = static_cast<int16_t>(c.before);
        app.tm().CmdGN_Click(exercise::cmd::Next);
        EXPECT_EQ(app.st.PanelMode, c.after);
    }
}

TEST(NumberPage, PagesFollowTheQuestionCount)
{
    struct Case {
        int count;
        int visibleOnFirst;
        bool paging;
        int lastPage;
        int firstOnLast, shownOnLast;
    };
    const Case cases[] = {
        { 0, 0, false, 0, 0, 0 },
        { 7, 7, false, 0, 1, 7 },
        { 40, 40, false, 0, 1, 40 },
        { 41, 40, true, 1, 41, 1 },
        { 80, 40, true, 1, 41, 40 },
        { 81, 40, true, 2, 81, 1 },
        { 500, 40, true, 12, 481, 20 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        PanelApp app;
        app.prepareNumbered(c.count);
        app.open();
        auto& tm = app.tm();
        auto& ui = app.ui();
        auto shown = [&] {
            int k = 0;
            for (int i = 1; i <= 40; ++i)
                k += ui.CmTNO[i].visible() ? 1 : 0;
            return k;
        };
        EXPECT_EQ(tm.LastNumberPage, c.lastPage);
        app.tm().CmdGN_Click(exercise::cmd::Numbers);
        EXPECT_TRUE(ui.FrmSelect.visible());
        EXPECT_EQ(shown(), c.visibleOnFirst);
        EXPECT_EQ(ui.CmdSelNext.visible(), c.paging);
        EXPECT_EQ(ui.CmdSelLast.visible(), c.paging);
        tm.CmdSelLast_Click(); // never below the first page
        EXPECT_EQ(tm.NumberPage, 0);
        for (int k = 0; k < 20; ++k)
            tm.CmdSelNext_Click(); // never past the last
        EXPECT_EQ(tm.NumberPage, c.lastPage);
        EXPECT_EQ(shown(), c.shownOnLast);
        if (c.shownOnLast > 0) {
            EXPECT_EQ(ui.CmTNO[1].caption(), QString::number(c.firstOnLast));
            app.driver.click(ui.CmTNO[1].control());
            EXPECT_EQ(app.st.CurrentQuestion, c.firstOnLast);
        }
    }
}

TEST(NumberPage, FaceOfANumberFollowsItsQuestionsState)
{
    ASSERT_SAMPLE_MODULE();
    PanelApp app;
    app.prepareSample();
    app.open();
    auto& st = app.st;
    for (int q = 2; q <= 8; ++q)
        st.QuestionState(q) = static_cast<int16_t>(q - 1); // question 1 is visited: 1
    st.QuestionState(9) = 0;
    app.tm().CmdGN_Click(exercise::cmd::Numbers);
    const char* faces[] = { "l01031", "l01031", "l01032", "l01032", "l01030", "l01031", "l01032",
        "l01032", "l01030" };
    for (int q = 1; q <= 9; ++q) {
        SCOPED_TRACE(q);
        const auto face = plat::loadPicture(app.sys.skinFile(QString::fromLatin1(faces[q - 1])));
        ASSERT_TRUE(face.ok());
        EXPECT_EQ(app.ui().CmTNO[q].picture().image(), face.value().image());
    }
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(
        app.tm(), testsupport::outputDir() + QStringLiteral("/panel_numbers.png")));
}

TEST(PanelButtonSets, PracticeAndExaminationAfterTheButtonSetTimer)
{
    for (int mode : { 2, 3 }) {
        SCOPED_TRACE(mode);
        PanelApp app;
        app.prepareNumbered(3);
        app.st.PanelMode = static_cast<int16_t>(mode);
        app.open();
        testsupport::expectButtonSet(app.ui(), mode == 3);
        EXPECT_FALSE(app.ui().TimKsModel.enabled());
    }
}

TEST(PanelWindow, ACloseRequestIsRefusedUntilTheProgramLetsThePanelGo)
{
    PanelApp app;
    app.openNumbered(3);
    auto& tm = app.tm();
    tm.hWnd()->close(); // the window manager's close
    EXPECT_TRUE(tm.isLoaded());
    EXPECT_TRUE(tm.visible());
    tm.unload();
    EXPECT_TRUE(tm.isLoaded());

    app.st.PanelCanClose = -1; // the program's own end of the exercise
    tm.unload();
    EXPECT_FALSE(tm.isLoaded());
    app.driver.advance(100);

    // The next exercise's panel refuses again.
    app.main().unload();
    app.open();
    ASSERT_TRUE(tm.visible());
    EXPECT_EQ(app.st.PanelCanClose, 0);
    tm.hWnd()->close();
    EXPECT_TRUE(tm.visible());
}

TEST(PanelWindow, FoldsAtTheBottomLeftAndUnfoldsDockedWhereThePracticeWindowIsNow)
{
    PanelApp app;
    app.openNumbered(3);
    auto& tm = app.tm();
    auto& main = app.main();
    auto& ui = app.ui();
    main.move(1500, 900);
    app.driver.click(ui.LblZXH.control());
    EXPECT_TRUE(ui.FrmZXH.visible());
    EXPECT_EQ(tm.width(), ui.FrmZXH.width());
    EXPECT_EQ(tm.height(), ui.FrmZXH.height());
    EXPECT_EQ(tm.left(), main.left());
    EXPECT_EQ(tm.top() + tm.height(), main.top() + main.height());
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(
        tm, testsupport::outputDir() + QStringLiteral("/panel_folded.png")));

    main.move(3000, 1200);
    main.setWindowState(1);
    app.driver.click(ui.Command2);
    EXPECT_FALSE(ui.FrmZXH.visible());
    EXPECT_EQ(main.windowState(), 0);
    EXPECT_EQ(tm.width(), 4980);
    EXPECT_EQ(tm.height(), 3630);
    EXPECT_EQ(tm.left() + tm.width(), main.left() + main.width());
    EXPECT_EQ(tm.top() + tm.height(), main.top() + main.height());
}

TEST(PanelWindow, ARightButtonOnTheCaptionStripMovesNothingButBringsThePracticeWindowBack)
{
    PanelApp app;
    app.openNumbered(3);
    auto& tm = app.tm();
    auto& main = app.main();
    tm.move(777, 888);
    main.setWindowState(1);
    app.driver.clickAt(app.ui().LblMove, QPointF(1500, 200), plat::button::Right);
    EXPECT_EQ(tm.left(), 777);
    EXPECT_EQ(tm.top(), 888);
    EXPECT_EQ(main.windowState(), 0);
    EXPECT_TRUE(main.visible());
}

TEST(PanelWindow, TheCloseButtonDoesNothingAndTheListShowsWholeAsATooltip)
{
    PanelApp app;
    app.openNumbered(120);
    auto& tm = app.tm();
    const QPointF at(tm.left(), tm.top());
    app.driver.click(app.ui().LblClose.control());
    EXPECT_TRUE(tm.visible());
    EXPECT_EQ(QPointF(tm.left(), tm.top()), at);

    auto& list = app.ui().LblUnit;
    // The list runs past the end of its strip; the pointer rests on its beginning.
    const QPointF strip = testsupport::HeadlessDriver::centreInForm(app.ui().PicUnit);
    app.driver.moveTo(tm, QPointF(strip.x() - app.ui().PicUnit.width() / 2 + 300, strip.y()));
    EXPECT_EQ(list.toolTipText(), list.caption());
    EXPECT_TRUE(list.toolTipText().endsWith(QStringLiteral(" 120")));
}

TEST(PanelWindow, CandidateDetailsOpenAndClose)
{
    ASSERT_SAMPLE_MODULE();
    PanelApp app;
    app.prepareSamplePaper();
    app.open();
    auto& ui = app.ui();
    app.driver.click(ui.CmdGN[exercise::cmd::CandidateDetails].control());
    ASSERT_TRUE(ui.FrmKSXX.visible());
    EXPECT_EQ(ui.KsName1.caption(), QStringLiteral("张晓明"));
    EXPECT_EQ(ui.KsSFZ1.caption(), QStringLiteral("110101199003071234"));
    EXPECT_EQ(ui.KsKM1.caption(), QStringLiteral("图像处理"));
    // The values start where the longest prefix ends, on the prefix's line.
    for (int k = 0; k <= 5; ++k)
        EXPECT_LE(ui.Label1[k].left() + ui.Label1[k].width(), ui.KsName1.left()) << k;
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(
        app.tm(), testsupport::outputDir() + QStringLiteral("/panel_candidate.png")));
    app.driver.click(ui.CmdKSFH.control());
    EXPECT_FALSE(ui.FrmKSXX.visible());
}

TEST(PanelWindow, HandInPutsThePanelAwayBeforeTheHandInDialogs)
{
    PanelApp app;
    app.prepareNumbered(3);
    app.st.PanelMode = 3;
    app.open();
    auto& tm = app.tm();
    app.driver.click(app.ui().CmdGN[exercise::cmd::HandIn].control());
    EXPECT_TRUE(tm.isLoaded());
    EXPECT_FALSE(tm.visible());
    EXPECT_EQ(tm.left(), 0);
    EXPECT_EQ(tm.top(), 0);
}

TEST(QuestionDisplay, AShortOrUnreadableFileShowsNoTextOfAnotherQuestion)
{
    PanelApp app;
    app.prepareNumbered(5, 3);
    app.open();
    app.tm().CmdGN_Click(exercise::cmd::Next);
    app.tm().CmdGN_Click(exercise::cmd::Next);
    EXPECT_EQ(app.text(), QStringLiteral("第3题"));
    app.tm().CmdGN_Click(exercise::cmd::Next);
    EXPECT_EQ(app.st.CurrentQuestion, 4);
    EXPECT_EQ(app.text(), QString());
    EXPECT_TRUE(app.runLog().contains(QStringLiteral("question 4 not shown")));

    QFile::remove(app.st.QuestionListFile);
    app.tm().CmdGN_Click(exercise::cmd::Previous);
    EXPECT_EQ(app.text(), QString());
}

TEST(QuestionDisplay, LineBreaksAndPictureQuestions)
{
    PanelApp app;
    const QImage pic = [] {
        QImage i(200, 100, QImage::Format_RGB32);
        i.fill(Qt::darkGreen);
        return i;
    }();
    app.prepareLines(
        { QStringLiteral("000101上一行|下一行"), QStringLiteral("000201pictureqp0001看图|照做"),
            QStringLiteral("000301picture../x01不是图"),
            QStringLiteral("000401pictureqp0404没有这张图") },
        4);
    ASSERT_TRUE(pic.save(app.sys.skinFile(QStringLiteral("qp0001")), "BMP"));
    app.open();
    auto& ui = app.ui();
    EXPECT_EQ(app.text(), QStringLiteral("上一行\r\n下一行"));
    EXPECT_FALSE(ui.Image2.visible());

    app.tm().CmdGN_Click(exercise::cmd::Next);
    EXPECT_EQ(app.text(), QStringLiteral("看图|照做"));
    EXPECT_TRUE(ui.Image2.visible());
    EXPECT_EQ(ui.Image2.caption(), QStringLiteral("显示图片"));
    auto& picture = app.sys.form<exercise::FrmPicture>();
    EXPECT_EQ(picture.ui().Image1.picture().width(), 200);

    // A name that is not a plain file name loads nothing: no picture, no button.
    app.tm().CmdGN_Click(exercise::cmd::Next);
    EXPECT_EQ(app.text(), QStringLiteral("不是图"));
    EXPECT_FALSE(ui.Image2.visible());
    EXPECT_TRUE(picture.ui().Image1.picture().isNull());
    EXPECT_TRUE(app.runLog().contains(QStringLiteral("picture \"../x01\" of question 3")));

    // A missing picture does not leave the previous question's on show.
    app.tm().CmdGN_Click(exercise::cmd::Previous);
    EXPECT_EQ(picture.ui().Image1.picture().width(), 200);
    app.tm().CmdGN_Click(exercise::cmd::Next);
    app.tm().CmdGN_Click(exercise::cmd::Next);
    EXPECT_FALSE(ui.Image2.visible());
    EXPECT_TRUE(picture.ui().Image1.picture().isNull());
}

class PictureWindow : public ::testing::TestWithParam<double> { };

TEST_P(PictureWindow, TheButtonShowsThenHidesTheCentredPicture)
{
    const double scale = GetParam();
    PanelApp app(0, scale);
    app.prepareLines({ QStringLiteral("000101pictureqp0001看图") }, 1);
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(QColor(40, 120, 200));
    ASSERT_TRUE(img.save(app.sys.skinFile(QStringLiteral("qp0001")), "BMP"));
    app.open();
    auto& ui = app.ui();
    auto& picture = app.sys.form<exercise::FrmPicture>();
    ASSERT_TRUE(ui.Image2.visible());
    EXPECT_FALSE(picture.visible());

    for (int round = 0; round < 2; ++round) { // a dragged window is placed again
        SCOPED_TRACE(round);
        app.driver.click(ui.Image2.control());
        EXPECT_TRUE(picture.visible());
        EXPECT_EQ(ui.Image2.caption(), QStringLiteral("隐藏图片"));
        app.driver.advance(100); // the window sizes and places itself
        const double tppX = 15 * scale, tppY = 15 * scale;
        EXPECT_DOUBLE_EQ(picture.width(), 120 * scale + 200 * tppX);
        EXPECT_DOUBLE_EQ(picture.height(), 120 * scale + 100 * tppY);
        EXPECT_DOUBLE_EQ(picture.left() + picture.width() / 2, app.sys.screenWidthTwips() / 2);
        EXPECT_DOUBLE_EQ(picture.top() + picture.height() / 2, app.sys.screenHeightTwips() / 2);
        EXPECT_DOUBLE_EQ(picture.ui().Image1.left(), 60 * scale);
        if (round == 0) {
            EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(
                picture, testsupport::outputDir() + QStringLiteral("/picture_window.png")));
        }
        app.driver.click(ui.Image2.control());
        EXPECT_FALSE(picture.visible());
        EXPECT_EQ(ui.Image2.caption(), QStringLiteral("显示图片"));
        picture.move(0, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, PictureWindow, ::testing::Values(1.0, 0.8));

// Whatever hides the picture while it is shown leaves the button offering to show it, and the
// next press shows it.
TEST(PictureWindowHidden, TheNextPressShowsItAgain)
{
    struct Case {
        const char* name;
        int command;
    };
    for (const Case c : { Case { "demonstration", exercise::cmd::Demonstration },
             Case { "next picture question", exercise::cmd::Next },
             Case { "redo", exercise::cmd::Redo } }) {
        SCOPED_TRACE(c.name);
        PanelApp app;
        app.prepareLines({ QStringLiteral("000101pictureqp0001看图"),
                             QStringLiteral("000201pictureqp0001再看图") },
            2);
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::darkRed);
        ASSERT_TRUE(img.save(app.sys.skinFile(QStringLiteral("qp0001")), "BMP"));
        app.open();
        auto& ui = app.ui();
        auto& picture = app.sys.form<exercise::FrmPicture>();
        app.driver.click(ui.Image2.control());
        ASSERT_TRUE(picture.visible());

        app.tm().CmdGN_Click(c.command);
        EXPECT_FALSE(picture.visible());
        EXPECT_FALSE(app.tm().pictureShown());
        EXPECT_EQ(ui.Image2.caption(), QStringLiteral("显示图片"));
        app.tm().Image2_Click();
        EXPECT_TRUE(picture.visible());
        EXPECT_EQ(ui.Image2.caption(), QStringLiteral("隐藏图片"));
    }
}

} // namespace

namespace {

TEST(PanelClock, TheMinuteTimerCountsAPaperDownAndStopsInPractice)
{
    struct Case {
        int studyMode, panelMode;
        bool counts;
    };
    for (const Case c : { Case { 0, 3, true }, Case { 8, 3, true }, Case { 20, 2, false } }) {
        SCOPED_TRACE(c.studyMode);
        PanelApp app;
        app.prepareNumbered(3);
        app.st.StudyMode = static_cast<int16_t>(c.studyMode);
        app.st.RecordNo = 20;
        app.st.PanelMode = static_cast<int16_t>(c.panelMode);
        app.open();
        auto& ui = app.ui();
        app.driver.advance(60000);
        EXPECT_EQ(ui.TimeKS.enabled(), c.counts);
        if (!c.counts) {
            EXPECT_EQ(app.st.MinutesLeft, 50);
            continue;
        }
        EXPECT_EQ(ui.LblTime.caption(), QStringLiteral("剩余50分钟"));
        EXPECT_EQ(app.st.MinutesLeft, 49);
        app.driver.advance(60000);
        EXPECT_EQ(ui.LblTime.caption(), QStringLiteral("剩余49分钟"));
        EXPECT_NEAR(ui.LblTimeJD.width(), ui.PTime.width() / 50, 1);
    }
}

} // namespace
