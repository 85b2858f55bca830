// The examination login: the two pages, the candidate data it fixes, the identity-card field's
// filter for every way text arrives, the progress bar and the two ways out.

#include "exam/examrules.h"
#include "exam/frmlogon.h"
#include "examapp.h"
#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"
#include "workspace/frmmain.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using examtest::ExamApp;

class LogonTest : public ::testing::Test {
protected:
    explicit LogonTest(double scale = 1.0)
        : app(scale)
    {
    }
    void SetUp() override
    {
        ASSERT_SAMPLE_MODULE();
        app.readModule();
        app.sys->setScreenRect(QRect(0, 0, 800, 600)); // the pages fill the screen
        auto& st = app.st();
        st.StudyMode = 0; // fixed paper 2
        st.SetNo = 2;
        st.RecordNo = 2;
        st.PanelMode = 3;
        st.QuestionCount = 40;
        flow::InitShiTi(*app.sys, examtest::samplePaper(2), 2);
        st.QuestionCount = 40;
        flow::startLianXi(*app.sys); // a paper opens the login
        app.driver->advance(100); // Timer1 shows the login page
    }
    exam::FrmLogon& logon() { return app.sys->form<exam::FrmLogon>(); }
    exam::FrmLogonUi& ui() { return logon().ui(); }

    ExamApp app;
};

TEST_F(LogonTest, LoginPageShowsItsFieldsAndSetsThePapersFiles)
{
    auto& st = app.st();
    EXPECT_TRUE(logon().visible());
    EXPECT_TRUE(ui().Picture1.visible());
    EXPECT_FALSE(ui().Picture2.visible());
    EXPECT_EQ(ui().TxtZwh.text(), "18");
    EXPECT_EQ(ui().TxtSFZ.text(), exam::kIdCardPrefill);
    EXPECT_EQ(logon().caption(), "Form1");
    EXPECT_TRUE(st.StepFile.endsWith("288802.mxy"));
    EXPECT_TRUE(st.QuestionListFile.endsWith("288852.mxy"));
    EXPECT_FALSE(ui().Picture1.picture().isNull());
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(logon(), app.out("exam-login.png")));
    // Both fields show what they hold (inside their frames).
    const QImage shot = testsupport::HeadlessDriver::render(logon());
    for (plat::Control* field :
        { static_cast<plat::Control*>(&ui().TxtZwh), static_cast<plat::Control*>(&ui().TxtSFZ) })
        EXPECT_GT(testsupport::inkIn(
                      shot, testsupport::HeadlessDriver::pixelRect(*field).adjusted(4, 4, -4, -4)),
            20)
            << field->name().toStdString();
}

TEST_F(LogonTest, SeatNumbersAsTypedBecomeTwoDigits)
{
    const std::pair<QString, QString> cases[] = { { "", "00" }, { "7", "07" }, { "123", "23" } };
    for (const auto& [typed, seat] : cases) {
        ui().TxtZwh.setText(typed);
        ui().TxtSFZ.setText("");
        app.driver->click(ui().CmdLog);
        EXPECT_EQ(app.st().SeatNo, seat);
        EXPECT_EQ(ui().LblZwh.caption(), seat);
        EXPECT_EQ(app.st().IdCardNo, exam::kIdCardFiller);
        // Back to the login page for the next entry.
        ui().Timer2.setEnabled(false);
        ui().Picture2.setVisible(false);
        ui().Picture1.setVisible(true);
    }
    // The field takes at most three characters.
    ui().TxtZwh.setText("");
    app.driver->click(ui().TxtZwh);
    app.driver->type(logon(), "12345");
    EXPECT_EQ(ui().TxtZwh.text(), "123");
}

TEST_F(LogonTest, IdCardFieldFiltersTypingPastingAndComposedText)
{
    auto& field = ui().TxtSFZ;
    field.setText("");
    app.driver->click(field);
    app.driver->type(logon(), "X");
    EXPECT_EQ(field.text(), "") << "a letter into an empty field";
    app.driver->type(logon(), "12a34567890-1234567");
    EXPECT_EQ(field.text(), "12345678901234567");
    app.driver->type(logon(), "x");
    EXPECT_EQ(field.text(), "12345678901234567x");
    app.driver->type(logon(), "9");
    EXPECT_EQ(field.text(), "12345678901234567x") << "never more than 18";

    // A paste goes through the same filter.
    field.setText("");
    QApplication::clipboard()->setText(QStringLiteral("ID: 1101-0519-4912-3100-2X"));
    static_cast<QLineEdit*>(field.widget())->paste();
    EXPECT_EQ(field.text(), "11010519491231002X");

    // Text committed by an input method (full-width letters and digits are refused).
    field.setText("3201");
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("０２X99"));
    QApplication::sendEvent(field.widget(), &commit);
    EXPECT_EQ(field.text(), "320199");

    field.setText("12345678901234567");
    app.driver->click(ui().CmdLog);
    EXPECT_EQ(app.st().IdCardNo, exam::kIdCardFiller.right(1) + "12345678901234567");
}

TEST_F(LogonTest, ConfirmationPageShowsTheCandidateThenTheExaminationStarts)
{
    auto& st = app.st();
    ui().TxtZwh.setText("7");
    ui().TxtSFZ.setText("1234567890");
    app.driver->click(ui().CmdLog);
    EXPECT_EQ(st.PanelCanClose, 0);
    EXPECT_FALSE(ui().Picture1.visible());
    EXPECT_TRUE(ui().Picture2.visible());
    EXPECT_EQ(ui().LblName.caption(), st.CandidateName);
    EXPECT_EQ(ui().LblZwh.caption(), "07");
    EXPECT_EQ(ui().LblCC.caption(), "18");
    EXPECT_EQ(ui().LblKm.caption(), st.ModuleName);
    EXPECT_EQ(ui().LblSfz.caption(), exam::kIdCardFiller.right(8) + "1234567890");
    EXPECT_EQ(ui().LblDah.caption(), "888888");
    EXPECT_EQ(ui().LblDate.caption(), QDate::currentDate().toString("yyyy年MM月dd日"));
    EXPECT_EQ(st.ShiftNo, "18");
    EXPECT_EQ(st.ArchiveNo, "888888");
    app.driver->advance(300);
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(logon(), app.out("exam-login-confirm.png")));
    // The confirmation page shows the candidate's details, not an empty page.
    const QImage shot = testsupport::HeadlessDriver::render(logon());
    for (plat::Label* detail : { &ui().LblName, &ui().LblZwh, &ui().LblSfz, &ui().LblDate })
        EXPECT_GT(testsupport::inkIn(shot, testsupport::HeadlessDriver::pixelRect(*detail)), 20)
            << detail->name().toStdString();

    st.CurrentQuestion = 9;
    app.driver->advance(300); // six ticks: the bar is not full yet
    ASSERT_TRUE(logon().isLoaded());
    EXPECT_FALSE(app.sys->form<exercise::FrmTm>().visible());
    app.driver->advance(100); // the seventh
    EXPECT_FALSE(logon().isLoaded());
    EXPECT_EQ(st.CurrentQuestion, 1);
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(st.ExamStartTime)
                    .hasMatch())
        << st.ExamStartTime.toStdString();
    EXPECT_TRUE(app.sys->form<workspace::FrmMain>().visible());
    EXPECT_TRUE(app.sys->form<exercise::FrmTm>().visible());
    app.driver->advance(100); // the panel's load timer shows question 1
    EXPECT_TRUE(app.reports.isEmpty()) << app.reports.join('\n').toStdString();
}

TEST_F(LogonTest, LeavingAsksAndOnlyYesGoesHome)
{
    auto& boxes = app.messageBoxes();
    boxes.answers = { false };
    app.driver->click(ui().CmdExit);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "确实要退出考试系统吗？");
    EXPECT_EQ(boxes.shown[0].title, app.st().ProductInfo[0] + "Pelmar");
    EXPECT_TRUE(logon().visible());
    EXPECT_TRUE(ui().Picture1.visible());

    boxes.answers = { true };
    app.driver->click(ui().CmdExit);
    EXPECT_FALSE(logon().isLoaded());
    EXPECT_TRUE(app.sys->form<home::FrmFengmian>().visible());
    EXPECT_FALSE(QFileInfo::exists(app.recordFile("288892")));
}

class LogonScaledTest : public LogonTest {
protected:
    LogonScaledTest()
        : LogonTest(1.25)
    {
    }
};

TEST_F(LogonScaledTest, BarIsFullOnTheSeventhTickAtScaleOneAndAQuarter)
{
    ASSERT_DOUBLE_EQ(app.st().ScaleX, 1.25);
    app.driver->click(ui().CmdLog);
    app.driver->advance(600);
    EXPECT_TRUE(logon().isLoaded());
    EXPECT_DOUBLE_EQ(ui().LJD.width(), 255 + 6 * 1875);
    app.driver->advance(100);
    EXPECT_FALSE(logon().isLoaded());
}

} // namespace
