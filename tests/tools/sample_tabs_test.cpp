// The tab steps of the sample module in the practice window: a wrong tab shows its own page and
// keeps the step waiting (in a two-row strip its row moves next to the page), the right tab
// opens the target area, the back button returns to the step before, and the step is then
// answered as a candidate would.

#include "core/system.h"
#include "exercise/frmtm.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "support/headless.h"
#include "support/samplepractice.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <QFileInfo>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

namespace fd = stepengine::field;
using stepengine::StepRecord;

using testsupport::kUnitStudyMode;
using testsupport::sampleDataDir;

QString dataFile(const QString& name) { return sampleDataDir() + name + QStringLiteral(".mxy"); }

// The tab step of a sample question: where it is and what its record asks for.
struct TabStep {
    int unit, question, step; // question and step from 1
    int firstLine; // of the question in its step file
    QChar dialog;
    int shown, toClick;
};

// Every tab step of the sample module, read from its files.
std::vector<TabStep> sampleTabSteps()
{
    std::vector<TabStep> found;
    for (int unit = 0;; ++unit) {
        const auto questions
            = plat::readLines(dataFile(stepengine::questionFileName(kUnitStudyMode, unit)));
        const auto steps
            = plat::readLines(dataFile(stepengine::stepFileName(kUnitStudyMode, unit)));
        if (!questions.ok() || !steps.ok())
            break;
        int first = 1;
        for (int q = 1; q <= questions.value().size(); ++q) {
            const int count = plat::mid(questions.value()[q - 1], 5, 2).toInt();
            for (int s = 1; s <= count; ++s) {
                const QString r = steps.value().value(first + s - 2);
                if (plat::mid(r, 130, 1) != u"X")
                    continue;
                const QChar letter = r.at(130);
                found.push_back(
                    { unit, q, s, first, letter, plat::mid(r, 132, 1).toInt(nullptr, 16),
                        plat::mid(r, 133, 1).toInt(nullptr, 16) });
            }
            first += count;
        }
    }
    return found;
}

// The practice window and the question panel on the question of a tab step.
struct Practice : testsupport::SamplePractice {
    explicit Practice(const TabStep& t)
        : SamplePractice(t.unit, t.question)
    {
    }

    // Passes over the steps before `step` as the step engine's doNext does.
    void goTo(int step)
    {
        for (int guard = 0; guard < 10 && st.CurrentStep < step; ++guard)
            main.doNext();
        driver.advance(100); // the load's timers
    }

    QRectF rectOf(const plat::Control& c) const
    {
        return { c.left(), c.top(), c.width(), c.height() };
    }
};

QImage pageOf(const QChar dialog, int tab)
{
    const int number = (dialog.unicode() - 'A' + 1) * 1000 + tab;
    return plat::loadPicture(dataFile(QStringLiteral("10%1").arg(number, 4, 10, QChar('0'))))
        .value()
        .image();
}

TEST(SampleTabSteps, WrongTabsWaitTheRightTabOpensTheTargetAndBackReturns)
{
    // The build always generates the sample module: without it this test would check nothing.
    ASSERT_TRUE(QFileInfo::exists(dataFile(QStringLiteral("288820"))))
        << "sample module not generated in " << testsupport::sampleProgramDir().toStdString();
    const std::vector<TabStep> steps = sampleTabSteps();
    bool twoRows = false;
    for (const TabStep& t : steps) {
        SCOPED_TRACE(testing::Message() << "unit " << t.unit << " question " << t.question
                                        << " dialog " << t.dialog.toLatin1());
        Practice p(t);
        p.goTo(t.step);
        ASSERT_EQ(p.st.CurrentStep, t.step);
        auto& ui = p.ui();
        const StepRecord r(p.st.StepLine);
        const QRectF target(r.number(fd::TargetLeft) * p.st.ScaleX,
            r.number(fd::TargetTop) * p.st.ScaleY, r.number(fd::TargetWidth) * p.st.ScaleX,
            r.number(fd::TargetHeight) * p.st.ScaleY);
        const QString ask = QStringLiteral("请选择第%1个选项卡").arg(t.toClick);

        // On load the shown page waits for the tab to click, which the red frame marks.
        EXPECT_LT(ui.Label1.width(), 2);
        EXPECT_EQ(ui.LHelp.caption(), ask);
        EXPECT_TRUE(ui.Image1.picture().image() == pageOf(t.dialog, t.shown));
        EXPECT_EQ(p.rectOf(ui.Shape1), p.rectOf(ui.LblXXK[t.toClick]));

        // Wrong tabs: each shows its page, the step waits. In a two-row strip one is taken
        // from each row, first from the row not on show, so the rows trade places and back.
        const int tabs = p.main.TabCount;
        std::vector<int> wrong;
        for (const bool otherRow : { true, false })
            for (int k = 1; k <= tabs; ++k)
                if (k != t.toClick && k != t.shown
                    && (tabs < 10 ? !otherRow : ((k > 6) != (t.shown > 6)) == otherRow)
                    && std::find(wrong.begin(), wrong.end(), k) == wrong.end()) {
                    wrong.push_back(k);
                    break;
                }
        ASSERT_FALSE(wrong.empty());
        for (const int k : wrong) {
            SCOPED_TRACE(testing::Message() << "wrong tab " << k);
            p.driver.click(ui.LblXXK[k]);
            EXPECT_EQ(p.st.CurrentStep, t.step);
            EXPECT_LT(ui.Label1.width(), 2);
            EXPECT_TRUE(ui.Image1.picture().image() == pageOf(t.dialog, k));
            EXPECT_EQ(ui.LHelp.caption(), ask);
            EXPECT_EQ(p.rectOf(ui.Shape1), p.rectOf(ui.LblXXK[t.toClick]));
            if (tabs >= 10) {
                twoRows = true;
                const int other = k > 6 ? 1 : 7;
                EXPECT_DOUBLE_EQ(ui.LblXXK[k].top() - ui.LblXXK[other].top(), 300 * p.st.ScaleY)
                    << "the clicked tab's row stands next to the page";
            }
        }
        EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(p.main,
            testsupport::outputDir() + QStringLiteral("/sample-tabs-%1-wrong.png").arg(t.dialog)));

        // The right tab brings the step's own page and the target area.
        p.driver.click(ui.LblXXK[t.toClick]);
        EXPECT_EQ(p.st.CurrentStep, t.step);
        EXPECT_EQ(p.rectOf(ui.Label1).size(), target.size());
        EXPECT_EQ(ui.LHelp.caption(), QStringLiteral("单击“确定”"));
        EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(p.main,
            testsupport::outputDir() + QStringLiteral("/sample-tabs-%1-right.png").arg(t.dialog)));

        // The back button ("取消") returns to the step before; coming back, the step is
        // answered on its target area.
        p.driver.click(ui.LblXXK[0]);
        EXPECT_EQ(p.st.CurrentStep, t.step - 1);
        p.goTo(t.step);
        p.driver.click(ui.LblXXK[t.toClick]);
        p.driver.click(ui.Label1);
        EXPECT_EQ(p.st.CurrentStep, t.step + 1);
        EXPECT_TRUE(StepRecord(p.st.StepLine).isEndOfQuestion());
        EXPECT_TRUE(p.reports.isEmpty()) << p.reports.join(u'\n').toStdString();
    }
    EXPECT_GE(steps.size(), 3u);
    EXPECT_TRUE(twoRows) << "no tab step in a two-row strip";
}

} // namespace
