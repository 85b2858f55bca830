// Enter on a real question box whose default is 否: the login's leave question and the question
// at the end of a paper's wrong-question practice. Both used to default to 是, so Enter left the
// login and took questions off the paper's wrong list. Each box is a dialog of the window it
// serves, centred on it: the platform placed the boxes before they took their size, well off the
// middle, and the wrong-list question belongs over the simulated window, not over the panel folded
// to its strip. Runs on a real display (RealDisplay, under openbox and without a window manager),
// the key pressed through the X server.

#include "exam/frmlogon.h"
#include "examapp.h"
#include "home/homeflow.h"
#include "platform/services.h"
#include "records/recordfiles.h"
#include "support/xdesktop.h"
#include "workspace/frmmain.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

namespace xd = testsupport::desktop;
using examtest::ExamApp;

// Every learner record, by name, byte for byte.
QMap<QString, QByteArray> learnerRecords(const ExamApp& a)
{
    QMap<QString, QByteArray> files;
    const QString root = a.dir.path() + QStringLiteral("/ksdata");
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), testsupport::readFile(path));
    }
    return files;
}

// The sample program on the real display, with the platform's own question box.
struct RealBoxes : ExamApp {
    RealBoxes()
    {
        readModuleOnTheRealScreen();
        sys->services().messageBoxes = plat::makeRealServices(QStringLiteral("ksxt-questions-test"),
            out(QStringLiteral("questions-desktop-test.ini")))
                                           .messageBoxes;
    }

    // Runs `ask`, which opens a question box, and presses Enter in the box once it is on the
    // screen, a dialog of `served` centred on it. Returns the box's text, empty when none
    // opened.
    QString enterOnTheQuestion(
        const std::function<void()>& ask, const QString& shotName, plat::Form& served)
    {
        QString text;
        xd::whenAMessageBoxShows([&](QMessageBox& box) {
            xd::settle(300);
            text = box.text();
            xd::expectDialogOf(box.winId(), { served.hWnd()->winId() }, served.hWnd()->winId());
            xd::screenshot(
                out(QStringLiteral("question-%1-%2.png").arg(xd::windowManagerName(), shotName)));
            xd::xdo(
                { QStringLiteral("windowfocus"), QStringLiteral("--sync"), xd::hex(box.winId()) });
            xd::key(QStringLiteral("Return"));
            // A box that took no Enter would hold the test: closed, and told below.
            QTimer::singleShot(2000, &box, [&box, &text] {
                if (box.isVisible()) {
                    text = QStringLiteral("Enter did not answer: ") + text;
                    box.reject();
                }
            });
        });
        ask();
        return text;
    }
};

TEST(RealDisplay, EnterOnANoDefaultQuestionChangesNothing)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    {
        SCOPED_TRACE("the login's leave question");
        RealBoxes a;
        auto& logon = a.sys->form<exam::FrmLogon>();
        logon.show();
        a.driver->advance(100);
        xd::waitUntilViewable(logon);
        // A record to keep: leaving must not even rewrite it.
        const QString wrong = records::PaperWrongFile(a.recordsDir(), 3);
        testsupport::writeFile(wrong, "010101020103\r\n");
        const auto before = learnerRecords(a);
        ASSERT_TRUE(before.contains(
            QDir(a.dir.path() + QStringLiteral("/ksdata")).relativeFilePath(wrong)));
        const QString asked
            = a.enterOnTheQuestion([&] { xd::clickAt(logon.ui().CmdExit); }, "login", logon);
        EXPECT_EQ(asked, QStringLiteral("确实要退出考试系统吗？"));
        xd::settle();
        EXPECT_TRUE(logon.isLoaded());
        if (logon.isLoaded()) {
            EXPECT_TRUE(logon.visible());
            EXPECT_TRUE(xd::xWindow(logon.hWnd()->winId()).viewable);
            EXPECT_TRUE(logon.ui().Picture1.visible()); // still the login page
        }
        EXPECT_EQ(learnerRecords(a), before);
    }
    {
        SCOPED_TRACE("the end of a paper's wrong-question practice");
        RealBoxes a;
        // Asked over the simulated window, not over the panel folded to its strip at the
        // screen's corner.
        a.startPaper();
        auto& main = a.sys->form<workspace::FrmMain>();
        xd::waitUntilViewable(main);
        const QString wrong = records::PaperWrongFile(a.recordsDir(), 3);
        testsupport::writeFile(wrong, "010101020103\r\n");
        shell::AppState& st = a.st();
        st.StudyMode = 2;
        st.SetNo = 17;
        st.RecordNo = 3;
        st.QuestionCount = 3;
        const int states[] = { 4, 0, 4 }; // the first and the last answered right
        for (int i = 1; i <= 3; ++i) {
            st.QuestionIds(i) = QStringLiteral("010%1").arg(i);
            st.QuestionState(i) = static_cast<int16_t>(states[i - 1]);
        }
        const auto before = learnerRecords(a);
        ASSERT_TRUE(before.contains(
            QDir(a.dir.path() + QStringLiteral("/ksdata")).relativeFilePath(wrong)));
        const QString asked
            = a.enterOnTheQuestion([&] { flow::EndLianXi(*a.sys); }, "wronglist", main);
        EXPECT_TRUE(asked.startsWith(QStringLiteral("本次答对的题目要从“错题复习”中去掉吗？")))
            << asked.toStdString();
        // The end of practice writes its other records as after a 否 (the favourites files);
        // every record there was before stays byte for byte.
        const auto after = learnerRecords(a);
        for (auto it = before.begin(); it != before.end(); ++it)
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
        EXPECT_TRUE(a.home().visible());
    }
}

} // namespace
