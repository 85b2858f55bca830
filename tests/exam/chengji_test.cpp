// The score sheet: the score and the number grid, every record it writes for a fixed and a
// random paper, the question texts, and its three ways on (review pass, wrong-question paper,
// home).

#include "exam/examrules.h"
#include "exam/frmchengji.h"
#include "examapp.h"
#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"
#include "records/learnerrecords.h"
#include "workspace/frmmain.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using examtest::ExamApp;

class ChengjiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_SAMPLE_MODULE();
        app.readModule();
    }

    // A handed-in paper: fixed paper `paper`, or random paper 22 holding the sample's fixed paper
    // `paper`; questions 1..done completed.
    void handIn(int16_t studyMode, int paper, int done, const QString& startTime)
    {
        auto& st = app.st();
        paperLine = examtest::samplePaper(paper);
        st.StudyMode = studyMode;
        if (studyMode == 8) {
            app.writeRecord(
                "288891", { examtest::samplePaper(0), examtest::samplePaper(1), paperLine, "" });
            st.SetNo = 11;
            st.RecordNo = 22;
        } else {
            st.SetNo = static_cast<int16_t>(paper);
            st.RecordNo = static_cast<int16_t>(paper);
        }
        flow::InitShiTi(*app.sys, paperLine, st.StudyMode + st.SetNo);
        st.QuestionListFile = app.sys->skinFile(
            QStringLiteral("2888%1").arg(st.StudyMode + st.SetNo + 50, 2, 10, QLatin1Char('0')));
        st.QuestionCount = 40;
        for (int i = 1; i <= 40; ++i)
            st.QuestionState(i) = i <= done ? 5 : 1;
        st.ExamStartTime = startTime;
        sheet().show();
        app.driver->advance(100);
    }
    exam::FrmChengji& sheet() { return app.sys->form<exam::FrmChengji>(); }
    QString wrongOf(int from) { return paperLine.mid(4 * from); }

    ExamApp app;
    QString paperLine;
};

TEST_F(ChengjiTest, ScoreAndRecordsOfAFixedPaper)
{
    struct Case {
        int done;
        QString caption;
    };
    const Case cases[] = {
        { 0, "第4套得分：0分" },
        { 1, "第4套得分：2.5分" },
        { 39, "第4套得分：97.5分" },
        { 40, "第4套得分：100分" },
    };
    app.writeRecord("288863", { "0199" }); // the wrong-question book holds one id already
    app.writeRecord("288873", { "T" });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.done);
        app.writeRecord("288892", {}); // every row at its default
        handIn(0, 3, c.done, "2026-12-10 09:00:00");
        auto& ui = sheet().ui();
        EXPECT_EQ(ui.Label1.caption(), c.caption);
        EXPECT_EQ(ui.CmTNO[1].picture().isNull(), false);
        EXPECT_EQ(ui.CmTNO[40].caption(), "40");
        EXPECT_TRUE(ui.CmTNO[40].fontBold());
        // Paper 3's wrong questions, history row 3 (lines 10 to 12), the book.
        EXPECT_EQ(app.recordLines("182403"), QStringList { wrongOf(c.done) });
        const QStringList history = app.recordLines("288892");
        ASSERT_GE(history.size(), 93);
        EXPECT_EQ(history[9], "2026-12-10 09:00:00");
        EXPECT_EQ(history[10], records::scoreText(c.done * 2.5));
        EXPECT_EQ(history[7], "0") << "other rows untouched";
        const QString book = app.recordLines("288863").value(0);
        EXPECT_TRUE(book.startsWith("0199"));
        for (int i = c.done; i < 40; ++i)
            EXPECT_TRUE(book.contains(paperLine.mid(4 * i, 4)));
        EXPECT_EQ(app.recordLines("288873").value(0).size(), book.size() / 4);
        EXPECT_TRUE(app.recordLines("288873").value(0).startsWith("T"));
        EXPECT_EQ(app.st().ExamStartTime, "-1");
        sheet().unload();
    }
}

TEST_F(ChengjiTest, RandomPaperWritesItsOwnRowAndWrongFile)
{
    app.writeRecord("288892", {});
    app.sys->setScreenRect(QRect(0, 0, 800, 600)); // the sheet fills the screen
    handIn(8, 5, 2, "2026-12-10 10:30:00");
    EXPECT_EQ(sheet().ui().Label1.caption(), "随机题得分：5分");
    EXPECT_EQ(app.recordLines("182422"), QStringList { wrongOf(2) });
    const QStringList history = app.recordLines("288892");
    EXPECT_EQ(history[66], "2026-12-10 10:30:00");
    EXPECT_EQ(history[67], "5");
    EXPECT_FALSE(QFileInfo::exists(app.recordFile("182411")));
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(sheet(), app.out("exam-scoresheet.png")));
    // The numbers show their questions' texts, without a picture name.
    app.driver->click(sheet().ui().CmTNO[2].control());
    const QString q2
        = exam::questionText(plat::readLines(app.st().QuestionListFile).valueOr({}).value(1));
    EXPECT_EQ(sheet().ui().LblTiMuYQ.caption(), "第2题： " + q2);
    EXPECT_FALSE(q2.startsWith("picture"));
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(
        sheet(), app.out("exam-scoresheet-question.png")));
}

TEST_F(ChengjiTest, BestScoreOnlyRisesAndViewedAnswersKeepIt)
{
    struct Case {
        QString stored, start;
        int done;
        QString best;
        bool startTimeKept;
    };
    const Case cases[] = {
        { "50", "2026-12-10 11:00:00", 30, "75", true },
        { "80", "2026-12-10 11:00:00", 30, "80", true },
        { "75", "2026-12-10 11:00:00", 30, "75", true }, // equal: unchanged
        { "优", "2026-12-10 11:00:00", 1, "2.5", true }, // not a number counts as 0
        { "10", "-1", 40, "10", false }, // answers viewed: time of the scoring, best kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString() + " " + c.start.toStdString());
        QStringList history;
        for (int n = 1; n <= 93; ++n)
            history << (n == 5 ? c.stored : records::ExamHistory::defaultLine(n));
        app.writeRecord("288892", history);
        handIn(0, 1, c.done, c.start);
        const QStringList after = app.recordLines("288892");
        EXPECT_EQ(after[4], c.best);
        if (c.startTimeKept)
            EXPECT_EQ(after[3], c.start);
        else
            EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                            .match(after[3])
                            .hasMatch());
        sheet().unload();
    }
}

TEST_F(ChengjiTest, AChangedPaperLineFallsBackToTheExercisesIds)
{
    app.writeRecord("288892", {});
    // The random-paper file lost its lines after the paper began.
    handIn(8, 4, 0, "2026-12-10 12:00:00");
    app.writeRecord("288891", { "0001" });
    sheet().unload();
    sheet().show();
    EXPECT_EQ(app.recordLines("182422"), QStringList { paperLine });
}

TEST_F(ChengjiTest, FlaggedQuestionsJoinTheFavouritesOnce)
{
    paperLine = examtest::samplePaper(2);
    app.writeRecord("288862", { paperLine.mid(8, 4) }); // question 3 is a favourite already
    app.writeRecord("288872", { "T" });
    auto& st = app.st();
    handIn(0, 2, 0, "2026-12-10 12:00:00");
    sheet().unload();
    st.QuestionState(3) = 3; // flagged, not done
    st.QuestionState(7) = 7; // flagged and done
    sheet().show();
    EXPECT_EQ(
        app.recordLines("288862"), QStringList { paperLine.mid(8, 4) + paperLine.mid(24, 4) });
    EXPECT_EQ(app.recordLines("288872"), QStringList { "TF" });
    EXPECT_TRUE(app.recordLines("182402").value(0).contains(paperLine.mid(8, 4)));
    EXPECT_FALSE(app.recordLines("182402").value(0).contains(paperLine.mid(24, 4)));
}

TEST_F(ChengjiTest, ReviewPassKeepsTheMarksOfTheExamination)
{
    auto& st = app.st();
    handIn(0, 1, 10, "2026-12-10 12:00:00");
    st.QuestionState(12) = 3;
    st.CurrentQuestion = 9;
    app.driver->click(sheet().ui().Command1.control());
    app.driver->advance(600);
    EXPECT_FALSE(sheet().isLoaded());
    EXPECT_EQ(st.PanelMode, 2);
    EXPECT_EQ(st.PanelCanClose, 0);
    EXPECT_EQ(st.StudyMode, 0);
    EXPECT_EQ(st.RecordNo, 1);
    EXPECT_EQ(st.QuestionState(12), 3);
    EXPECT_GE(st.QuestionState(5), 5);
    EXPECT_EQ(st.DoneBefore(5), "F");
    EXPECT_EQ(st.CurrentQuestion, 1);
    auto& tm = app.sys->form<exercise::FrmTm>();
    auto& main = app.sys->form<workspace::FrmMain>();
    EXPECT_TRUE(tm.visible());
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(tm.ui().TimeKS.enabled());
    EXPECT_DOUBLE_EQ(tm.left(), main.left() + main.width() - tm.width());
    // No countdown runs during the review.
    app.driver->advance(120000);
    EXPECT_EQ(st.MinutesLeft, 50);
}

TEST_F(ChengjiTest, WrongQuestionPaperFromIds0003And0105)
{
    auto& st = app.st();
    handIn(0, 1, 40, "2026-12-10 12:00:00");
    app.writeRecord("182401", { "00030105" });
    app.writeRecord("288862", { "0105" }); // a favourite: flagged at the launch, kept at the end
    app.driver->click(sheet().ui().Command3.control());
    app.driver->advance(600);
    EXPECT_FALSE(sheet().isLoaded());
    EXPECT_EQ(st.StudyMode, 2);
    EXPECT_EQ(st.SetNo, 17);
    EXPECT_EQ(st.RecordNo, 1);
    EXPECT_EQ(st.PanelMode, 2);
    EXPECT_EQ(st.QuestionCount, 2);
    EXPECT_EQ(*records::idText(st.QuestionIds(1)), "0003");
    EXPECT_EQ(*records::idText(st.QuestionIds(2)), "0105");
    EXPECT_EQ(st.QuestionState(1) & 2, 0);
    EXPECT_EQ(st.QuestionState(2) & 2, 2);
    EXPECT_EQ(st.DoneBefore(2), "F");
    const QStringList slot = plat::readLines(app.sys->skinFile("288869")).valueOr({});
    const QStringList unit0 = plat::readLines(app.sys->skinFile("288870")).valueOr({});
    const QStringList unit1 = plat::readLines(app.sys->skinFile("288871")).valueOr({});
    ASSERT_GE(slot.size(), 2);
    EXPECT_EQ(slot[0], unit0[2]);
    EXPECT_EQ(slot[1], unit1[4]);
    auto& tm = app.sys->form<exercise::FrmTm>();
    EXPECT_TRUE(tm.visible());
    EXPECT_FALSE(tm.ui().CmTNO[3].visible());
    EXPECT_FALSE(tm.ui().TimeKS.enabled());
}

TEST_F(ChengjiTest, AnEmptyWrongListGivesANoticeAndTheSheetStays)
{
    handIn(0, 1, 40, "2026-12-10 12:00:00");
    QString prompt;
    app.answerBox(true, &prompt);
    app.driver->click(sheet().ui().Command3.control());
    EXPECT_FALSE(prompt.isEmpty());
    EXPECT_TRUE(sheet().visible());
    EXPECT_EQ(app.st().StudyMode, 0);
    EXPECT_FALSE(app.sys->form<exercise::FrmTm>().isLoaded());
}

TEST_F(ChengjiTest, HomeOpensThePaperPage)
{
    handIn(0, 1, 3, "2026-12-10 12:00:00");
    app.driver->click(sheet().ui().Command2.control());
    EXPECT_FALSE(sheet().isLoaded());
    EXPECT_EQ(app.st().DeferredCommand, 17);
    auto& home = app.sys->form<home::FrmFengmian>();
    EXPECT_TRUE(home.visible());
    app.driver->advance(100);
    EXPECT_TRUE(home.ui().PicKaCH.visible());
}

} // namespace
