// Every question of the sample module demonstrated from its first step to its end on the
// virtual clock: the pointer reaches each target, the menus and drop-downs open, the answers
// are typed, and the run hands the exercise back to the panel without a stall.

#include "demorun.h"

#include "platform/text.h"
#include "stepengine/answers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

namespace fd = stepengine::field;
using testsupport::Aims;
using testsupport::Arrival;
using testsupport::StepSeen;

QPointF centre(const QRectF& r) { return r.center(); }

// What a step's pointer must reach, arrival by arrival: the timer that puts the ring down and
// the point it aims at, by the kind of step.
struct Aim {
    const char* timer;
    QPointF (*point)(const Aims&, const StepSeen&);
};

QPointF label1(const Aims& a, const StepSeen&) { return centre(a.label1); }
QPointF label4(const Aims& a, const StepSeen&) { return centre(a.label4); }
QPointF text1(const Aims& a, const StepSeen&)
{
    return { a.text1.left() + 300, a.text1.center().y() };
}
QPointF image5(const Aims& a, const StepSeen&) { return centre(a.image5); }
QPointF hotspot(const Aims& a, const StepSeen&) { return centre(a.hotspot); }
QPointF item1(const Aims& a, const StepSeen&) { return centre(a.item1); }
QPointF item2(const Aims& a, const StepSeen&) { return centre(a.item2); }
QPointF menuEntry(const Aims& a, const StepSeen&) { return centre(a.menuTarget); }
QPointF subEntry(const Aims& a, const StepSeen&) { return centre(a.subTarget); }
QPointF listBox(const Aims& a, const StepSeen&) { return centre(a.lstLA); }
QPointF locationBox(const Aims& a, const StepSeen&)
{
    return { a.picList.center().x(), a.picList.top() + 165 };
}
QPointF locationRow(const Aims& a, const StepSeen& s)
{
    const int row = s.code.right(2).toInt();
    return { a.picList.center().x(), a.picList.top() + 255 * (row + 1) };
}
QPointF tab(const Aims& a, const StepSeen& s)
{
    return centre(a.tabs.at(stepengine::tabNumber(s.line.at(fd::TabCode.pos + 2))));
}

bool isTabStep(const QString& line)
{
    const QString t = plat::mid(line, fd::TabCode.pos, 5);
    return t.startsWith(u'X') && t.at(2) != t.at(3);
}

// The arrivals a step must show, in order.
std::vector<Aim> aimsOf(const StepSeen& s)
{
    const QString& c = s.code;
    if (isTabStep(s.line))
        return { { "Timer2", tab }, { "Timer2", label1 } };
    if (c == QStringLiteral("7000")) {
        const stepengine::StepRecord r(s.line);
        auto h = r.descriptor(fd::Descriptor3);
        if (h.kind != u'H')
            h = r.descriptor(fd::Descriptor1);
        if (h.kind != u'H')
            h = r.descriptor(fd::Descriptor2);
        std::vector<Aim> a { { "Timer2", hotspot } };
        if (h.item != 0)
            a.push_back({ "Timer6", item1 });
        if (h.subItem != 0)
            a.push_back({ "Timer7", item2 });
        return a;
    }
    if (c.startsWith(u'6') || c == stepengine::kTimedStep)
        return {};
    if (c.startsWith(QLatin1String("004")) || c.startsWith(QLatin1String("005")))
        return { { "Timer2", label4 }, { "Timer2", label1 } };
    if (c == QStringLiteral("0022") || c == QStringLiteral("0026"))
        return { { "Timer2", text1 }, { "Timer2", label1 } };
    if (c.startsWith(QLatin1String("002")))
        return { { "Timer2", text1 } };
    if (c.startsWith(QLatin1String("800")))
        return { { "Timer2", image5 } };
    if (c.startsWith(u'K'))
        return { { "Timer2", locationBox }, { "Timer2", locationRow } };
    if (c.startsWith(u'L'))
        return { { "Timer2", listBox } };
    if (c.startsWith(u'3') || c.startsWith(u'4') || c.startsWith(u'5')) {
        if (demo::isItemGroup(c.mid(2, 1).toInt()))
            return { { "Timer2", label1 }, { "TimerRM", menuEntry } };
        // A cascade entry opens its submenu without a ring; the item in it gets one.
        return { { "Timer2", label1 }, { "TimerRS", subEntry } };
    }
    return { { "Timer2", label1 } }; // clicks, hovers and buttons
}

struct Question {
    int unit = 0;
    int question = 0;
};

std::vector<Question> everyQuestion()
{
    std::vector<Question> all;
    const QString data = testsupport::sampleDataDir();
    for (int unit = 0; unit <= 4; ++unit) {
        const auto lines = plat::readLines(
            data + stepengine::questionFileName(testsupport::kUnitStudyMode, unit) + ".mxy");
        if (!lines.ok())
            continue;
        for (int q = 1; q <= lines.value().size(); ++q)
            all.push_back({ unit, q });
    }
    return all;
}

class SampleDemonstration : public testing::TestWithParam<Question> { };

TEST_P(SampleDemonstration, RunsFromTheFirstStepToTheEnd)
{
    const Question q = GetParam();
    testsupport::DemoRun run(q.unit, q.question);
    QTemporaryDir logDir;
    run.st.LogPath = logDir.filePath(QStringLiteral("run.txt"));
    run.start();
    ASSERT_TRUE(run.yan.isLoaded());
    EXPECT_FALSE(run.yan.ui().ImgLogo.caption().isEmpty()); // the question as its note
    EXPECT_FALSE(run.main.visible());
    EXPECT_FALSE(run.sys.form<exercise::FrmTm>().visible());
    ASSERT_TRUE(run.runToEnd(120000)) << "the demonstration stalled at step " << run.yan.DemoStep
                                      << " " << run.st.StepLine.left(11).toStdString();
    EXPECT_EQ(run.st.DemoActive, 0);
    EXPECT_TRUE(run.main.visible());
    EXPECT_TRUE(run.sys.form<exercise::FrmTm>().visible());
    EXPECT_FALSE(QFileInfo::exists(run.st.LogPath))
        << plat::readLines(run.st.LogPath).value().join(u'\n').toStdString();
    EXPECT_TRUE(run.reports.isEmpty()) << run.reports.join(u'\n').toStdString();
    ASSERT_FALSE(run.steps.empty());
    EXPECT_EQ(run.steps.back().code, stepengine::kEndOfQuestion) << "ended before the last step";

    for (const StepSeen& s : run.steps) {
        SCOPED_TRACE(s.line.left(11).toStdString());
        const std::vector<Aim> aims = aimsOf(s);
        if (s.code == stepengine::kEndOfQuestion)
            continue;
        ASSERT_EQ(s.arrivals.size(), aims.size());
        for (size_t i = 0; i < aims.size(); ++i) {
            const Arrival& a = s.arrivals[i];
            EXPECT_EQ(a.timer, QString::fromLatin1(aims[i].timer));
            const QPointF want = aims[i].point(a.aims, s);
            const double off = std::hypot(a.at.x() - want.x(), a.at.y() - want.y());
            EXPECT_LE(off, 1.75 * a.glideStep + 121)
                << "arrival " << i << " at (" << a.at.x() << ", " << a.at.y() << "), target ("
                << want.x() << ", " << want.y() << ")";
        }
        const QString c = s.code;
        if (c.startsWith(u'3') || c.startsWith(u'4') || c.startsWith(u'5')) {
            EXPECT_TRUE(s.contextMenu);
            EXPECT_EQ(s.submenu, demo::isCascadeEntry(c.mid(2, 1).toInt()));
        }
        if (c == QStringLiteral("7000") && aims.size() > 1) {
            EXPECT_TRUE(s.dropDown);
        }
        if (c.startsWith(QLatin1String("002")) && c != QStringLiteral("0023")) {
            const auto answer = stepengine::acceptedAnswer(
                run.st.AnswerTextFile, stepengine::StepRecord(s.line).text(fd::AnswerLine));
            ASSERT_TRUE(answer.ok());
            EXPECT_EQ(s.typed, stepengine::alternatives(answer.value()).first);
        }
    }
}

TEST(SampleDemonstrationEnd, ThePracticeResumesAtItsOwnStep)
{
    // "新建一个名称为“海报”的图像文档。", left at its second step before the demonstration.
    testsupport::DemoRun run(0, 2, 2);
    ASSERT_EQ(run.st.CurrentStep, 2);
    const QString practiceLine = run.st.StepLine;
    run.start();
    ASSERT_TRUE(run.runToEnd(60000));
    EXPECT_TRUE(stepengine::StepRecord(run.st.StepLine).isEndOfQuestion()); // the demonstration's
    run.driver.advance(200); // the panel's reload timer, then the practice window's load
    EXPECT_EQ(run.st.CurrentStep, 2);
    EXPECT_EQ(run.st.ResumeStep(2), 2);
    EXPECT_EQ(run.st.StepLine.toStdString(), practiceLine.toStdString());
    EXPECT_EQ(run.st.PanelMode, 2);
    EXPECT_TRUE(run.main.visible());
}

std::string nameOf(const testing::TestParamInfo<Question>& info)
{
    return "Unit" + std::to_string(info.param.unit) + "Question"
        + std::to_string(info.param.question);
}

INSTANTIATE_TEST_SUITE_P(
    EveryQuestion, SampleDemonstration, testing::ValuesIn(everyQuestion()), nameOf);

} // namespace
