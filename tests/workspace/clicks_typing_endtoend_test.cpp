// Every click, hover and typing step of the sample module answered in the practice window as a
// candidate would: first a wrong action, which must leave the step as it is, then the right one.
// Steps of other kinds on the way are passed over by the step engine's doNext (or, for timed
// steps, by waiting), so that each of these steps is met in its question as the bank has it.

#include "core/system.h"
#include "exercise/frmtm.h"
#include "platform/keys.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "support/headless.h"
#include "support/samplepractice.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>

#include <gtest/gtest.h>

namespace {

namespace fd = stepengine::field;
namespace sm = plat::shiftmask;
using stepengine::StepRecord;

constexpr int kLeft = plat::button::Left, kRight = plat::button::Right;
using testsupport::kUnitStudyMode;
using testsupport::sampleDataDir;
using testsupport::sampleProgramDir;

// How a step of each kind is answered, right and wrong.
enum class Way {
    Click, // a release on the target area with the step's button and keys
    DoubleClick,
    Hover,
    Jump, // a release of any button on the target area, which jumps where the area names
    Live, // typed into the answer field; judged at every change
    Enter, // typed, then Enter
    ClickToConfirm, // typed, then a click on the target area
    Select, // the answer selected with the mouse in Text1
};
struct StepKind {
    const char* code; // "9": the modified clicks 9SBB
    Way way;
};
const StepKind kKinds[] = {
    { "0001", Way::Click },
    { "0004", Way::Jump },
    { "0003", Way::Click },
    { "9", Way::Click },
    { "0002", Way::DoubleClick },
    { "0030", Way::Hover },
    { "0020", Way::Live },
    { "0025", Way::Live },
    { "0021", Way::Live },
    { "0027", Way::Live },
    { "0022", Way::Enter },
    { "0024", Way::Enter },
    { "0028", Way::Enter },
    { "0026", Way::ClickToConfirm },
    { "0023", Way::Select },
};

const StepKind* kindOf(const QString& code)
{
    for (const StepKind& k : kKinds)
        if (code == QLatin1String(k.code)
            || (k.code == QLatin1String("9") && code.size() == 4 && code[0] == u'9'
                && code != u"9999"))
            return &k;
    return nullptr;
}

// The sample module's units as the exercise launch sees them: the question lines and, per
// question, its step records.
struct Unit {
    int setNo = 0;
    QStringList questions;
    QList<int> firstLines;
    QStringList steps;
    QStringList recordsOf(int question) const // from 1
    {
        const int n = plat::mid(questions[question - 1], 5, 2).toInt();
        return steps.mid(firstLines[question - 1] - 1, n);
    }
};

std::optional<Unit> readUnit(int setNo)
{
    auto file = [](const QString& name) { return sampleDataDir() + name + QStringLiteral(".mxy"); };
    const auto questions
        = plat::readLines(file(stepengine::questionFileName(kUnitStudyMode, setNo)));
    const auto steps = plat::readLines(file(stepengine::stepFileName(kUnitStudyMode, setNo)));
    if (!questions.ok() || !steps.ok())
        return std::nullopt;
    Unit u { setNo, questions.value(), {}, steps.value() };
    int line = 1;
    for (const QString& q : u.questions) {
        u.firstLines << line;
        line += plat::mid(q, 5, 2).toInt();
    }
    return u;
}

using Practice = testsupport::SamplePractice;

// The text of an answer file line named by a record field, read here on its own: the line from
// its fourth character.
QString answerText(const QStringList& answers, const QString& lineField)
{
    const int n = lineField.toInt();
    return n >= 1 && n <= answers.size() ? answers[n - 1].mid(3) : QString();
}

// A point of the target area (twips from its corner) that the hint label does not cover: the
// hint may lie over part of the area, and a candidate clicks where the area can be seen.
QPointF targetPoint(Practice& p)
{
    const plat::Label& area = p.ui().Label1;
    const plat::Label& hint = p.ui().LHelp;
    const QRectF covered
        = hint.visible() ? QRectF(hint.left(), hint.top(), hint.width(), hint.height()) : QRectF();
    const QPointF centre(area.width() / 2, area.height() / 2);
    if (!covered.contains(QPointF(area.left(), area.top()) + centre))
        return centre;
    for (int y = 1; y < 20; y += 2)
        for (int x = 1; x < 20; x += 2) {
            const QPointF at(area.width() * x / 20, area.height() * y / 20);
            if (!covered.contains(QPointF(area.left(), area.top()) + at))
                return at;
        }
    return centre;
}

void clickTarget(Practice& p, int button = kLeft, int shift = 0)
{
    p.driver.clickAt(p.ui().Label1, targetPoint(p), button, shift);
}

// Types `text` into the focused field character by character and stops once the step has
// changed, as a candidate stops typing when the question moves on.
void typeUntilAnswered(Practice& p, const QString& text)
{
    const int before = p.st.CurrentStep;
    for (QChar ch : text) {
        p.driver.type(p.main, QString(ch));
        if (p.st.CurrentStep != before)
            return;
    }
}

// Clicks into a field and selects all it holds, so that typing replaces it.
void clickAndSelectAll(Practice& p, plat::TextBox& field)
{
    p.driver.click(field);
    ASSERT_EQ(p.main.focusedControl(), &field);
    p.driver.key(p.main, 'A', sm::Ctrl);
}

// Drags the mouse across characters [from, to) of Text1, selecting them.
void dragSelect(Practice& p, int from, int to)
{
    auto* edit = qobject_cast<QLineEdit*>(p.ui().Text1.widget());
    ASSERT_NE(edit, nullptr);
    const int y = edit->height() / 2;
    // The pixel columns at which the caret would stand before character `at`.
    auto columnOf = [&](int at) {
        int first = -1, last = -1;
        for (int x = 0; x < edit->width(); ++x)
            if (edit->cursorPositionAt(QPoint(x, y)) == at) {
                if (first < 0)
                    first = x;
                last = x;
            }
        return (first + last) / 2;
    };
    const double tpp = p.ui().Text1.width() / edit->width();
    const QPointF origin = testsupport::HeadlessDriver::centreInForm(p.ui().Text1)
        - QPointF(p.ui().Text1.width() / 2, 0);
    p.driver.drag(
        p.main, origin + QPointF(columnOf(from) * tpp, 0), origin + QPointF(columnOf(to) * tpp, 0));
}

// The field a typing step is answered in.
plat::TextBox& fieldOf(Practice& p, const QString& code)
{
    if (code == u"0021")
        return p.ui().Text2;
    if (code == u"0027")
        return p.ui().Text3;
    return p.ui().Text1;
}

// One wrong action for the step; the step must stay as it is afterwards.
void actWrongly(Practice& p, const StepKind& kind, const StepRecord& r)
{
    const QString code = r.actionCode();
    switch (kind.way) {
    case Way::Click:
        if (code == u"0001") {
            clickTarget(p, kLeft, sm::Ctrl);
        } else if (code == u"0003") {
            clickTarget(p, kLeft);
        } else {
            const int shift = code.mid(1, 1).toInt();
            clickTarget(p, code.mid(2).toInt(), shift == 0 ? sm::Ctrl : 0);
        }
        break;
    case Way::DoubleClick:
        clickTarget(p);
        break;
    case Way::Hover: {
        const QPointF centre = testsupport::HeadlessDriver::centreInForm(p.ui().Label1);
        p.driver.moveTo(p.main, centre - QPointF(p.ui().Label1.width() / 2 + 300, 0));
        break;
    }
    case Way::Jump: {
        // Just above the area: the dialog picture, whose click leads nowhere.
        const QPointF centre = testsupport::HeadlessDriver::centreInForm(p.ui().Label1);
        p.driver.clickForm(p.main, centre - QPointF(0, p.ui().Label1.height() / 2 + 150));
        break;
    }
    case Way::Live:
        clickAndSelectAll(p, fieldOf(p, code));
        p.driver.type(p.main, QStringLiteral("#"));
        break;
    case Way::Enter:
        clickAndSelectAll(p, p.ui().Text1);
        p.driver.type(p.main, QStringLiteral("#"));
        p.driver.key(p.main, plat::vk::Return);
        EXPECT_EQ(p.ui().Text1.text(), QString()) << "a wrong Enter empties the field";
        break;
    case Way::ClickToConfirm:
        clickAndSelectAll(p, p.ui().Text1);
        p.driver.type(p.main, QStringLiteral("#"));
        clickTarget(p);
        break;
    case Way::Select:
        p.driver.click(p.ui().Text1); // a click selects nothing
        break;
    }
}

// The right action for the step.
void actRightly(Practice& p, const StepKind& kind, const StepRecord& r, const QStringList& answers)
{
    const QString code = r.actionCode();
    const QString answer = answerText(answers, r.text(fd::AnswerLine));
    const QString first = answer.section(u'|', 0, 0);
    switch (kind.way) {
    case Way::Click:
        if (code == u"0001")
            clickTarget(p, kLeft);
        else if (code == u"0003")
            clickTarget(p, kRight);
        else
            clickTarget(p, code.mid(2).toInt(), code.mid(1, 1).toInt());
        break;
    case Way::DoubleClick:
        p.driver.doubleClick(p.ui().Label1);
        break;
    case Way::Jump:
        clickTarget(p, kRight); // any button will do
        break;
    case Way::Hover:
        p.driver.moveTo(p.main,
            testsupport::HeadlessDriver::centreInForm(p.ui().Label1)
                - QPointF(p.ui().Label1.width() / 2, p.ui().Label1.height() / 2) + targetPoint(p));
        break;
    case Way::Live:
        clickAndSelectAll(p, fieldOf(p, code));
        typeUntilAnswered(p, code == u"0021" ? answer : first);
        break;
    case Way::Enter:
        clickAndSelectAll(p, p.ui().Text1);
        p.driver.type(p.main, first);
        p.driver.key(p.main, plat::vk::Return);
        break;
    case Way::ClickToConfirm:
        clickAndSelectAll(p, p.ui().Text1);
        p.driver.type(p.main, first);
        clickTarget(p);
        break;
    case Way::Select: {
        const QString wanted = answerText(answers, r.text(fd::HintLine));
        const int at
            = static_cast<int>(p.ui().Text1.text().indexOf(wanted, 0, Qt::CaseInsensitive));
        ASSERT_GE(at, 0) << "the field does not hold the text to select";
        dragSelect(p, at, at + static_cast<int>(wanted.size()));
        break;
    }
    }
}

// Where the right action leads: typed answers go on to the next step, clicks by the target
// area's NextStepCode.
int expectedStepAfter(const StepKind& kind, const StepRecord& r, int step)
{
    const bool byTarget
        = kind.way == Way::Click || kind.way == Way::DoubleClick || kind.way == Way::Jump;
    if (byTarget)
        if (const auto jump = stepengine::stepOfNextCode(r.text(fd::TargetNext)))
            return *jump;
    return step + 1;
}

TEST(SampleClicksAndTyping, EveryStepIsAnsweredByTheRightActionAndOnlyByIt)
{
    ASSERT_SAMPLE_MODULE();
    const auto answerLines = plat::readLines(sampleDataDir() + QStringLiteral("288890.mxy"));
    ASSERT_TRUE(answerLines.ok());
    const QStringList& answers = answerLines.value();

    QSet<QString> kindsMet;
    for (int setNo = 0;; ++setNo) {
        const auto unit = readUnit(setNo);
        if (!unit)
            break;
        for (int q = 1; q <= unit->questions.size(); ++q) {
            const QStringList records = unit->recordsOf(q);
            const bool ours = std::any_of(records.begin(), records.end(),
                [](const QString& r) { return kindOf(StepRecord(r).actionCode()); });
            if (!ours)
                continue;
            SCOPED_TRACE(testing::Message() << "unit " << setNo << " question " << q << " "
                                            << plat::mid(unit->questions[q - 1], 7).toStdString());
            Practice p(unit->setNo, q);
            for (int guard = 0;
                 guard < records.size() && !StepRecord(p.st.StepLine).isEndOfQuestion(); ++guard) {
                const StepRecord r(p.st.StepLine);
                const int step = p.st.CurrentStep;
                SCOPED_TRACE(
                    testing::Message() << "step " << step << " " << r.actionCode().toStdString());
                const StepKind* kind = kindOf(r.actionCode());
                if (!kind) {
                    if (r.actionCode() == u"8888")
                        p.driver.advance(1000);
                    else
                        p.main.doNext(); // another kind's step
                    continue;
                }
                const bool firstOfKind = !kindsMet.contains(QLatin1String(kind->code));
                kindsMet << QLatin1String(kind->code);
                // A dialog step whose page is not shown yet: the candidate first picks its tab,
                // which gives the target area its size.
                if (p.main.TabToClick > 0 && p.ui().Label1.width() < 2) {
                    p.driver.click(p.ui().LblXXK[p.main.TabToClick]);
                    ASSERT_EQ(p.st.CurrentStep, step) << "the tab is not the step's action";
                    ASSERT_GT(p.ui().Label1.width(), 1) << "the tab did not open the target";
                }
                if (firstOfKind) {
                    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(p.main,
                        testsupport::outputDir()
                            + QStringLiteral("/clicks-typing-%1.png").arg(r.actionCode())));
                }
                actWrongly(p, *kind, r);
                ASSERT_EQ(p.st.CurrentStep, step) << "a wrong action answered the step";
                actRightly(p, *kind, r, answers);
                ASSERT_EQ(p.st.CurrentStep, expectedStepAfter(*kind, r, step))
                    << "the right action did not answer the step; Text1 holds '"
                    << p.ui().Text1.text().toStdString() << "'";
            }
            EXPECT_TRUE(StepRecord(p.st.StepLine).isEndOfQuestion());
            EXPECT_EQ(p.st.QuestionState(q) & 4, 4);
            EXPECT_TRUE(p.reports.isEmpty()) << p.reports.join(u'\n').toStdString();
        }
    }
    // The sample module keeps a question of every kind, so that none is left untried here.
    for (const StepKind& k : kKinds)
        EXPECT_TRUE(kindsMet.contains(QLatin1String(k.code))) << "no sample step " << k.code;
}

// The red hint frame of every sample question whose first step names a hotspot in its first or
// second descriptor: it stands on that hotspot, in the panel that holds it, once the load's
// timer has ticked.
TEST(SampleClicksAndTyping, TheHintFrameStandsOnTheHotspotTheFirstStepNames)
{
    ASSERT_SAMPLE_MODULE();
    struct Frame {
        int first, last; // the hotspots it frames
        plat::Shape workspace::FrmMainUi::*shape;
        const char* name;
    };
    const Frame frames[] = {
        { 1, 20, &workspace::FrmMainUi::ShapeMenu, "menu" },
        { 21, 40, &workspace::FrmMainUi::ShapeTool, "options" },
        { 41, 67, &workspace::FrmMainUi::ShapeHui, "toolbox" },
    };
    QSet<QString> rendered;
    for (int setNo = 0;; ++setNo) {
        const auto unit = readUnit(setNo);
        if (!unit)
            break;
        for (int q = 1; q <= unit->questions.size(); ++q) {
            const StepRecord first(unit->recordsOf(q).value(0));
            int hotspot = 0;
            for (const stepengine::Field slot : { fd::Descriptor2, fd::Descriptor1 }) {
                const QString d = first.text(slot);
                if ((d.startsWith(u'H') || d.startsWith(u'D')) && d.mid(1, 2).toInt() > 0)
                    hotspot = d.mid(1, 2).toInt(); // the one at 86 wins over the one at 96
            }
            if (hotspot < 1 || hotspot > 67 || first.text(fd::Descriptor3).startsWith(u'H'))
                continue;
            SCOPED_TRACE(testing::Message()
                << "unit " << setNo << " question " << q << " hotspot " << hotspot);
            Practice p(unit->setNo, q);
            p.driver.advance(100); // TimerDisFK, switched on last by the load
            const plat::Label& spot = p.ui().LblZHU[hotspot];
            for (const Frame& f : frames) {
                const plat::Shape& shape = p.ui().*f.shape;
                const bool mine = hotspot >= f.first && hotspot <= f.last;
                EXPECT_EQ(shape.visible(), mine) << f.name;
                if (mine) {
                    EXPECT_EQ(QRectF(shape.left(), shape.top(), shape.width(), shape.height()),
                        QRectF(spot.left(), spot.top(), spot.width(), spot.height()));
                    if (!rendered.contains(QLatin1String(f.name))) {
                        rendered << QLatin1String(f.name);
                        EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(p.main,
                            testsupport::outputDir()
                                + QStringLiteral("/hint-frame-%1.png").arg(f.name)));
                    }
                }
            }
        }
    }
    EXPECT_FALSE(rendered.isEmpty()) << "no sample question names a hotspot first";
}

// Typing with key events as the keyboard sends them, straight to the answer field's widget.
TEST(SampleClicksAndTyping, ATypedAnswerGoesInThroughRealKeyEvents)
{
    ASSERT_SAMPLE_MODULE();
    const auto answerLines = plat::readLines(sampleDataDir() + QStringLiteral("288890.mxy"));
    ASSERT_TRUE(answerLines.ok());

    // The first question that opens with an Enter-confirmed field or reaches one.
    for (int setNo = 0;; ++setNo) {
        const auto unit = readUnit(setNo);
        ASSERT_TRUE(unit) << "the sample module has no \"0022\" step";
        for (int q = 1; q <= unit->questions.size(); ++q) {
            const QStringList records = unit->recordsOf(q);
            const auto at = std::find_if(records.begin(), records.end(),
                [](const QString& r) { return StepRecord(r).actionCode() == u"0022"; });
            if (at == records.end())
                continue;
            Practice p(unit->setNo, q);
            while (p.st.CurrentStep - 1 < at - records.begin())
                p.main.doNext();
            const QString answer
                = answerText(answerLines.value(), StepRecord(*at).text(fd::AnswerLine))
                      .section(u'|', 0, 0);
            QWidget* edit = p.ui().Text1.widget();
            ASSERT_TRUE(edit && p.main.focusedControl() == &p.ui().Text1)
                << "the field takes the typing";
            auto send = [&](QEvent::Type type, int key, const QString& text) {
                QKeyEvent e(type, key, Qt::NoModifier, text);
                QApplication::sendEvent(edit, &e);
            };
            const int step = p.st.CurrentStep;
            // A wrong answer and Enter: the field is emptied, the step stays.
            for (const QString& text : { QStringLiteral("9"), QStringLiteral("\r") }) {
                const int key = text == u"\r" ? Qt::Key_Return : Qt::Key_9;
                send(QEvent::KeyPress, key, text);
                send(QEvent::KeyRelease, key, text);
            }
            EXPECT_EQ(p.ui().Text1.text(), QString());
            EXPECT_EQ(p.st.CurrentStep, step);
            for (QChar ch : answer) {
                const int key = ch.isDigit() ? Qt::Key_0 + (ch.unicode() - u'0') : 0;
                send(QEvent::KeyPress, key, QString(ch));
                send(QEvent::KeyRelease, key, QString(ch));
            }
            EXPECT_EQ(p.ui().Text1.text(), answer);
            EXPECT_EQ(p.st.CurrentStep, step);
            send(QEvent::KeyPress, Qt::Key_Enter, QStringLiteral("\r")); // the keypad's Enter
            send(QEvent::KeyRelease, Qt::Key_Enter, QStringLiteral("\r"));
            EXPECT_EQ(p.st.CurrentStep, step + 1);
            return;
        }
    }
}

} // namespace
