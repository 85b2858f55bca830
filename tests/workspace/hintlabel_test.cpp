// The step hint of the sample module read in the practice window. The hint label is drawn by the
// window itself, so every picture box, field and list of the window (the menu bar, the options
// bar, the toolbox among them) stands over it; only a label placed clear of them is read.

#include "core/system.h"
#include "exercise/frmtm.h"
#include "stepengine/steprecord.h"
#include "support/headless.h"
#include "support/samplepractice.h"
#include "workspace/frmmain.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using testsupport::HeadlessDriver;
using testsupport::SamplePractice;

// The label's rectangle in the pixels of the rendered window.
QRect onWindow(const plat::Control& c, plat::Form& f)
{
    const QPoint origin = c.parent().surface()->mapTo(f.hWnd(), QPoint(0, 0));
    return c.pixelRect().toAlignedRect().translated(origin);
}

// The controls a learner would see over the label: visible, stacked above it (every windowed
// control, and lightweight ones drawn after it) and meeting its rectangle.
QStringList controlsOver(const plat::Label& hint)
{
    QStringList names;
    bool above = false;
    const QRectF label = hint.pixelRect();
    for (const plat::Control* c : hint.parent().children()) {
        if (c == &hint) {
            above = true;
            continue;
        }
        if ((above || c->isWindowed()) && c->visible() && c->pixelRect().intersects(label))
            names << c->name();
    }
    return names;
}

// Whether the hint label shows whole on the rendered practice window: every pixel of its
// rectangle is its light-yellow ground (255, 255, 192), its red text (255, 0, 0) or a smoothed
// blend of the two, and some of them are text. Anything over the label shows other colours.
::testing::AssertionResult hintReadable(SamplePractice& p)
{
    const plat::Label& hint = p.ui().LHelp;
    if (!hint.visibleInForm())
        return ::testing::AssertionFailure() << "the hint label is hidden";
    if (hint.caption().isEmpty())
        return ::testing::AssertionFailure() << "the hint label has no text";
    const QImage shot = HeadlessDriver::render(p.main).convertToFormat(QImage::Format_RGB32);
    const QRect r = onWindow(hint, p.main);
    if (r.isEmpty() || !shot.rect().contains(r))
        return ::testing::AssertionFailure()
            << "the hint label at " << r.x() << "," << r.y() << " lies past the window";
    int foreign = 0, text = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb px = shot.pixel(x, y);
            const int g = qGreen(px), b = qBlue(px);
            if (qRed(px) < 245 || std::abs(b - g * 192 / 255) > 12)
                ++foreign;
            else if (g < 128)
                ++text;
        }
    // A part of the label cut off by the question panel, which docks over the window's corner.
    const QWidget* panel = p.sys.form<exercise::FrmTm>().hWnd();
    const QRect global(p.main.hWnd()->mapToGlobal(r.topLeft()), r.size());
    const bool underPanel
        = panel && panel->isVisible() && panel->frameGeometry().intersects(global);
    if (foreign == 0 && text > 0 && !underPanel)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "hint \"" << qPrintable(hint.caption()) << "\" at " << r.x() << "," << r.y() << " "
        << r.width() << "x" << r.height() << ": " << foreign << " pixels not its own, " << text
        << " text pixels" << (underPanel ? ", under the question panel" : "")
        << "; over it: " << qPrintable(controlsOver(hint).join(u' '));
}

// The first question of the first unit: "文件→新建" beside the open drop-down lay beneath the
// menu bar, only the red frame on 文件(F) showed. With hints off, the panel's 步骤提示 button
// shows the hint the step loaded, and its text must be on the screen.
TEST(HintLabel, StepHintsButtonShowsTheTextOfTheFirstStep)
{
    ASSERT_SAMPLE_MODULE();
    SamplePractice p(0, 1);
    p.st.PanelMode = 2; // practice without hints, then the step again
    p.main.setData();
    p.driver.advance(500); // the panel's practice buttons
    ASSERT_FALSE(p.ui().LHelp.visibleInForm());
    p.driver.click(p.sys.form<exercise::FrmTm>().ui().CmdGN[exercise::cmd::StepHints].control());
    p.driver.advance(100); // the hint frame's timer
    EXPECT_EQ(p.st.PanelMode, 1);
    EXPECT_EQ(p.ui().LHelp.caption(), QStringLiteral("文件→新建"));
    EXPECT_TRUE(hintReadable(p));
}

// Every step of every question, as a candidate with step hints on goes through them: the hint
// label is read whole where the step leaves it, beneath nothing.
TEST(HintLabel, EveryStepOfTheSampleModuleShowsItsHintUncovered)
{
    ASSERT_SAMPLE_MODULE();
    int steps = 0;
    for (int unit = 0; unit < 5; ++unit) {
        SamplePractice p(unit, 1);
        auto& panel = p.sys.form<exercise::FrmTm>();
        for (int question = 1; question <= p.st.QuestionCount; ++question) {
            if (question > 1) { // the next question, as the panel shows it
                p.st.CurrentQuestion = static_cast<int16_t>(question);
                p.st.ResumeStep(question) = 1;
                panel.DqExam();
                p.st.PanelMode = 1; // hints again: a question display switches them off
                p.driver.advance(100);
            }
            for (int guard = 0; guard < 40; ++guard) {
                if (stepengine::StepRecord(p.st.StepLine).isEndOfQuestion())
                    break;
                SCOPED_TRACE(QStringLiteral("unit %1 question %2 step %3")
                                 .arg(unit + 1)
                                 .arg(question)
                                 .arg(p.st.CurrentStep)
                                 .toStdString());
                EXPECT_TRUE(hintReadable(p));
                ++steps;
                p.main.doNext();
                p.driver.advance(100);
            }
        }
    }
    EXPECT_GT(steps, 0); // the walk reached the module's steps
}

} // namespace
