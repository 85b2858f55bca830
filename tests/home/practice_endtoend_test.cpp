// The round trip a learner makes on the sample module: start the program, open the unit tab,
// start practice of the chosen unit, solve a question in the simulated window, end the
// practice, and find the progress again after a restart. Headless, on the virtual clock; and
// once more on a real (virtual X) display.

#include "exercise/frmtm.h"
#include "home/homefixture.h"
#include "platform/keys.h"
#include "shell/frmstart.h"
#include "stepengine/answers.h"
#include "stepengine/steprecord.h"
#include "workspace/frmmain.h"

#include "records/recordio.h"
#include "support/xdesktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace {

namespace sm = plat::shiftmask;
namespace fd = stepengine::field;
using testsupport::SampleHome;

QString out(const QString& name) { return testsupport::outputDir() + QStringLiteral("/") + name; }

// The program's start: the splash hands over to the home window on its first tick.
void startProgram(SampleHome& h)
{
    h.sys->form<shell::FrmStart>().show();
    h.driver->advance(100);
    ASSERT_TRUE(h.home().visible());
}

// Question 14 of the first unit: Alt+Ctrl+I opens the image size, the width is typed and
// confirmed.
void solveImageSizeQuestion(SampleHome& h, bool screenshots)
{
    shell::AppState& st = h.st();
    auto& tm = h.sys->form<exercise::FrmTm>();
    auto& main = h.sys->form<workspace::FrmMain>();
    tm.CmTNO_Click(14); // the panel's number 14 on its first page
    h.driver->advance(100);
    ASSERT_EQ(st.CurrentQuestion, 14);
    h.driver->key(main, 'I', sm::Ctrl | sm::Alt);
    ASSERT_EQ(st.CurrentStep, 2);
    const auto answer = stepengine::acceptedAnswer(
        st.AnswerTextFile, stepengine::StepRecord(st.StepLine).text(fd::AnswerLine));
    ASSERT_TRUE(answer.ok());
    h.driver->click(main.ui().Text1);
    h.driver->key(main, 'A', sm::Ctrl);
    h.driver->type(main, stepengine::alternatives(answer.value()).first);
    if (screenshots)
        QGuiApplication::primaryScreen()->grabWindow(0).save(out("practice-xcb-2-typed.png"));
    h.driver->key(main, plat::vk::Return);
    EXPECT_TRUE(stepengine::StepRecord(st.StepLine).isEndOfQuestion());
    EXPECT_GE(st.QuestionState(14), 4);
}

// From the program's start to the first unit's practice with its first step loaded.
void openUnitPractice(SampleHome& h, bool screenshots)
{
    shell::AppState& st = h.st();
    startProgram(h);
    ASSERT_FALSE(st.ModuleSettings[0][2].isEmpty());
    const int unitSize = st.ModuleSettings[0][2].toInt();
    ASSERT_GE(unitSize, 14);
    EXPECT_EQ(st.ModuleSettings[0][3].toInt(), unitSize); // a first run: nothing learned

    // The unit tab chooses the first unit; its start button opens the practice.
    h.driver->clickForm(h.home(), testsupport::HeadlessDriver::centreInForm(h.button(4).control()));
    ASSERT_TRUE(h.ui().PicTiKu.visible());
    EXPECT_EQ(h.home().SelectedUnit, 0);
    if (screenshots)
        QGuiApplication::primaryScreen()->grabWindow(0).save(out("practice-xcb-1-units.png"));
    else
        testsupport::HeadlessDriver::saveRendering(h.home(), out("practice-1-units.png"));
    h.driver->clickForm(
        h.home(), testsupport::HeadlessDriver::centreInForm(h.button(20).control()));
    EXPECT_FALSE(h.home().isLoaded());
    EXPECT_EQ(st.StudyMode, 20);
    EXPECT_EQ(st.SetNo, 0);
    EXPECT_EQ(st.QuestionCount, unitSize);
    auto& main = h.sys->form<workspace::FrmMain>();
    ASSERT_TRUE(main.visible());
    h.driver->advance(500); // question 1 and its step 1, then the practice button set
    EXPECT_EQ(st.CurrentStep, 1);
    EXPECT_FALSE(st.StepLine.isEmpty());
}

void roundTrip(SampleHome& h, bool screenshots)
{
    shell::AppState& st = h.st();
    openUnitPractice(h, screenshots);
    const int unitSize = st.ModuleSettings[0][2].toInt();
    auto& main = h.sys->form<workspace::FrmMain>();

    solveImageSizeQuestion(h, screenshots);
    if (!screenshots)
        testsupport::HeadlessDriver::saveRendering(main, out("practice-2-solved.png"));

    // The panel's end button records the question and returns to the unit tab.
    auto& tm = h.sys->form<exercise::FrmTm>();
    ASSERT_TRUE(tm.ui().CmdGN[exercise::cmd::EndPractice].visible());
    h.driver->click(tm.ui().CmdGN[exercise::cmd::EndPractice].control());
    EXPECT_FALSE(main.isLoaded());
    h.driver->advance(100);
    ASSERT_TRUE(h.ui().PicTiKu.visible());
    EXPECT_EQ(st.ModuleSettings[0][3].toInt(), unitSize - 1);
    if (screenshots) {
        QGuiApplication::primaryScreen()->grabWindow(0).save(out("practice-xcb-3-back.png"));
        // Back at its design size, whatever the window manager did with the windows before.
        const QRect shown = h.home().hWnd()->geometry();
        EXPECT_EQ(shown.size(), h.home().pixelGeometry().size());
    }
}

TEST(PracticeRoundTrip, AUnitQuestionSolvedIsRecordedAcrossARestart)
{
    ASSERT_SAMPLE_MODULE();
    SampleHome h;
    roundTrip(h, false);

    h.restart();
    startProgram(h);
    const QString line = h.st().ModuleSettings[0][4];
    ASSERT_GE(line.size(), 14);
    EXPECT_EQ(line.count(u'T'), 1);
    EXPECT_EQ(line[13], u'T');
    h.click(4);
    h.click(50);
    EXPECT_EQ(h.ui().LblUnitDQCAP[3].caption(), QStringLiteral("1题"));
    testsupport::HeadlessDriver::saveRendering(h.home(), out("practice-3-after-restart.png"));
}

// Under a virtual X display (the test suite runs this once more with xvfb-run):
//   xvfb-run -a env QT_QPA_PLATFORM=xcb tests_home --gtest_filter='RealDisplay.*'
// The windows are real X windows; clicks land by position, and screenshots of the whole
// screen are kept as test output.
TEST(RealDisplay, APracticeRoundTripOnRealWindows)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    SampleHome h;
    roundTrip(h, true);
    h.restart();
    startProgram(h);
    EXPECT_EQ(h.st().ModuleSettings[0][4].count(u'T'), 1);
    QGuiApplication::primaryScreen()->grabWindow(0).save(out("practice-xcb-4-restarted.png"));
}

// The practice ends into a records folder that takes no writes (the file-system failure is
// injected: the tests run as the superuser, whom folder permissions do not stop). The program's
// own message box says what was not saved and why, and the progress file stays as it was.
TEST(RealDisplay, AnEndOfPracticeThatCannotBeSavedIsTold)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    SampleHome h;
    openUnitPractice(h, false);
    solveImageSizeQuestion(h, false);
    const QString progressFile = h.dir.path() + QStringLiteral("/ksdata/288893.mxy");
    const QByteArray before = testsupport::readFile(progressFile);

    h.sys->services().messageBoxes = plat::makeRealServices(
        h.dir.path() + QStringLiteral("/lock"), h.dir.path() + QStringLiteral("/settings.ini"))
                                         .messageBoxes;
    // Waits for the box, keeps its text and a picture of the screen, and closes it.
    QString shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        shown = box->text();
        QGuiApplication::primaryScreen()->grabWindow(0).save(out("practice-xcb-not-saved.png"));
        box->accept();
    });
    watch.start(20);
    records::io::setFaultHook(
        [](const QString&) { return records::io::Failure::FolderNotWritable; });
    h.driver->click(
        h.sys->form<exercise::FrmTm>().ui().CmdGN[exercise::cmd::EndPractice].control());
    records::io::setFaultHook({});
    watch.stop();

    EXPECT_TRUE(shown.contains(QStringLiteral("没有保存"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("不能写入"))) << shown.toStdString();
    EXPECT_EQ(testsupport::readFile(progressFile), before);
    EXPECT_TRUE(h.reports.join(u'\n').contains(QStringLiteral("endlianxi")));
    h.driver->advance(100);
    EXPECT_TRUE(h.ui().PicTiKu.visible());
}

} // namespace
