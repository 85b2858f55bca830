#include "stepengine/stepengine.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "platform/decodeahead.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "stepengine/answers.h"
#include "stepengine/keptlines.h"
#include "stepengine/steprecord.h"
#include "stepengine/tracing.h"

#include <QDateTime>

#include <optional>
#include <utility>

namespace stepengine {

namespace {
    constexpr double kFrameMinHeight = 10; // screen twips; a lower target area gets no frame
    const QString kLoadTag = QStringLiteral("setdata");
}

StepEngine::StepEngine(shell::System& sys, StepWindow& window)
    : sys_(sys)
    , window_(window)
{
}

void StepEngine::loadStep(int16_t step)
{
    if (loading_) {
        advance([this, step] { loadStep(step); });
        return;
    }
    shell::AppState& st = sys_.state;
    const shell::ErrorSite site(st, kLoadTag);
    const QString stepFile = sys_.skinFile(stepFileName(st.StudyMode, st.SetNo));
    const QString questionFile = sys_.skinFile(questionFileName(st.StudyMode, st.SetNo));
    const int firstLine = st.FirstStepTable(st.CurrentQuestion);
    const int line = stepLineNumber(firstLine, step);

    // The record is read before anything changes: a missing file or line must not rebuild the
    // window from the record of another step or of the other window.
    auto lines = keptLines(stepFile);
    if (!site.check(lines))
        return;
    if (line < 1 || line > lines.value().size()) {
        site.fail(plat::err::InputPastEndOfFile,
            QStringLiteral("Input past end of file: line %1 of %2").arg(line).arg(stepFile));
        return;
    }
    loading_ = true;
    pressAtLoad_ = sys_.pressSerial();
    window_.setCurrentStep(step);
    st.StepFile = stepFile;
    st.QuestionListFile = questionFile;
    logIfCutShort(stepFile, line, lines.value()[line - 1]);
    runStages(lines.value()[line - 1]);
    loading_ = false;
    // The learner spends seconds on a step: once it is on the screen, the next line's pictures
    // (the next step, or the first of the next question in the unit's order) decode, so that
    // its load finds them.
    if (line < lines.value().size()) {
        window_.stepControls().window->afterFirstPainting(
            [next = picturesSetBy(lines.value()[line])] { plat::decodeNextAhead(next); });
    }

    if (pending_) {
        const auto next = std::exchange(pending_, nullptr);
        next();
    }
}

void StepEngine::logIfCutShort(const QString& stepFile, int line, const QString& record)
{
    // The last field's end: a shorter line reads its missing fields as empty, which can leave
    // the question without an answer that passes. Written to the run log once per file.
    constexpr int kWholeRecord = field::Area2Height.pos + field::Area2Height.len - 1;
    const QString& logPath = sys_.state.LogPath;
    if (record.size() >= kWholeRecord || logPath.isEmpty() || shortLinesLogged_.contains(stepFile))
        return;
    shortLinesLogged_.insert(stepFile);
    shell::AppendLog(logPath,
        QStringLiteral("step line %1 of %2 is cut short: %3 of %4 characters")
            .arg(line)
            .arg(stepFile)
            .arg(record.size())
            .arg(kWholeRecord),
        QDateTime::currentDateTime());
}

void StepEngine::runStages(const QString& record)
{
    shell::AppState& st = sys_.state;
    StepControls c = window_.stepControls();

    // Nothing of the last step stays: its panels hide, its tab labels shrink just off the
    // window, and the text fields get their font size back.
    window_.prologue();
    for (plat::Control* p : c.panels)
        p->setVisible(false);
    const double textPoints = 9 * st.ScaleX;
    for (plat::TextBox* t : { c.Text1, c.Text2 }) {
        plat::FontSpec f = t->font();
        f.size = textPoints;
        t->setFont(f);
    }
    st.StepLine = record;
    window_.afterLineRead();
    for (int i = 1; i <= 13; ++i) {
        plat::Label& tab = (*c.LblXXK)[i];
        tab.setHeight(1);
        tab.setWidth(1);
        tab.setLeft(-1 * st.ScaleX);
        tab.setTop(-1 * st.ScaleY);
        tab.setCaption(QString());
    }

    // The stages in a fixed order, since later ones read what earlier ones set: the frame and
    // the pointer the target area, the answer fields and prompts the step type.
    picturesStage();
    textBoxStage();
    hintStage();
    targetArea(c);
    tabStripStage();
    secondArea(c);
    const QString actionCode = stepType(c); // later stages compare this copy
    if (!window_.endOfQuestion(actionCode)) // the demonstration's end marker ends its load
        return;
    extraTextFieldsStage(actionCode);
    textPromptsStage(actionCode);
    listAndLocationStage(actionCode);
    frameCheck(c);
    hintFrameStage();
    pointer(c);
    if (panelCodeOf(StepRecord(st.StepLine).text(field::PanelCode)).any)
        panelsStage();
    window_.pointerTarget(actionCode);
    hintLineBreaks(c);
    window_.epilogue();
}

void StepEngine::targetArea(StepControls& c)
{
    const shell::AppState& st = sys_.state;
    const StepRecord r(st.StepLine);
    plat::Label& area = *c.Label1;
    StepFields& f = window_.stepFields();
    area.setHeight(kOneTwip);
    area.setWidth(kOneTwip);
    if (r.text(field::TargetArea) == kNoTargetArea) {
        area.setHeight(kOneTwip);
        area.setWidth(kOneTwip);
        area.setVisible(false);
        c.Shape1->setVisible(false);
    } else {
        area.setVisible(true);
        area.setLeft(r.number(field::TargetLeft) * st.ScaleX);
        area.setTop(r.number(field::TargetTop) * st.ScaleY);
        f.TargetWidth = r.number(field::TargetWidth);
        area.setWidth(f.TargetWidth * st.ScaleX);
        f.TargetHeight = r.number(field::TargetHeight);
        if (f.TargetHeight != 0) {
            area.setAutoSize(false);
            area.setHeight(f.TargetHeight * st.ScaleY);
        } else {
            // No usable area: it stays shown but offers no place to click.
            area.setAutoSize(true);
            area.setHeight(kOneTwip);
            area.setWidth(kOneTwip);
            c.Shape1->setVisible(false);
        }
    }
    trace(*c.Shape1, area);
}

void StepEngine::secondArea(StepControls& c)
{
    const shell::AppState& st = sys_.state;
    const StepRecord r(st.StepLine);
    plat::Label& area = *c.Label4;
    if (r.text(field::Area2Size) != kNoSecondArea) {
        area.setVisible(true);
        area.setLeft(r.number(field::Area2Left) * st.ScaleX);
        area.setTop(r.number(field::Area2Top) * st.ScaleY);
        area.setWidth(r.number(field::Area2Width) * st.ScaleX);
        area.setHeight(r.number(field::Area2Height) * st.ScaleY);
    } else {
        // Just left of the window's edge; Top and visibility stay as an earlier step left them.
        area.setWidth(kOneTwip);
        area.setHeight(kOneTwip);
        area.setLeft(-kOneTwip);
    }
    trace(*c.Shape4, area);
}

QString StepEngine::stepType(StepControls& c)
{
    const QString code = StepRecord(sys_.state.StepLine).actionCode();
    const int16_t value = readInt16(code);
    window_.setStepType(value);
    c.Timer3->setEnabled(value == 8888);
    if (code.startsWith(QLatin1String("80"))) {
        // Drag-handle steps are done with Image5 alone; the frames keep their rectangles.
        for (plat::Label* area : { c.Label1, c.Label4 }) {
            area->setWidth(kOneTwip);
            area->setHeight(kOneTwip);
        }
    }
    return code;
}

void StepEngine::frameCheck(StepControls& c)
{
    if (!c.Label1->visible() || c.Label1->height() <= kFrameMinHeight)
        c.Shape1->setVisible(false);
}

void StepEngine::pointer(StepControls& c)
{
    plat::Label& area = *c.Label1;
    area.setMousePointer(0).ignore(); // a refused standard number leaves the default
    showPointer(
        sys_, area, PointerCode::parse(StepRecord(sys_.state.StepLine).text(field::CursorSpec)));
}

void showPointer(const shell::System& sys, plat::Label& area, const PointerCode& pointer)
{
    switch (pointer.kind) {
    case PointerCode::Kind::Default:
        area.setMousePointer(0).ignore();
        break;
    case PointerCode::Kind::Standard:
        area.setMousePointer(pointer.standard).ignore();
        break;
    case PointerCode::Kind::Custom:
        area.setMousePointer(plat::kCustomPointer).ignore();
        area.setMouseIcon(sys.programFile(pointer.cursorFile)).ignore();
        break;
    }
}

void StepEngine::hintLineBreaks(StepControls& c)
{
    QString caption = c.LHelp->caption();
    caption.replace(u'|', QStringLiteral("\r\n"));
    c.LHelp->setCaption(caption);
}

void StepEngine::advance(std::function<void()> advanceNow)
{
    if (!loading_) {
        advanceNow();
        return;
    }
    if (!pending_)
        pending_ = std::move(advanceNow);
}

std::optional<int16_t> StepEngine::jumpTarget(const QString& code)
{
    const auto step = stepOfNextCode(code);
    if (!step || *step > stepCount())
        return std::nullopt;
    return step;
}

int StepEngine::stepCount() const
{
    const shell::AppState& st = sys_.state;
    const int q = st.CurrentQuestion;
    const int next = shell::PerQuestion<int16_t>::inBounds(q + 1) ? st.FirstStepTable(q + 1) : 0;
    QString questionLine;
    if (next <= st.FirstStepTable(q)) {
        // The table does not say: the question file does, as the launch read it. A file that
        // cannot be read names no count.
        const auto lines = keptLines(sys_.skinFile(questionFileName(st.StudyMode, st.SetNo)));
        if (lines.ok() && q >= 1 && q <= lines.value().size())
            questionLine = lines.value()[q - 1];
    }
    return questionStepCount(st.FirstStepTable(q), next, questionLine);
}

bool StepEngine::pressOfThisStep() const { return sys_.pressSerial() > pressAtLoad_; }

plat::Handler StepEngine::judged(plat::Handler h)
{
    return [this, h = std::move(h)] {
        if (pressOfThisStep())
            h();
    };
}

plat::MouseHandler StepEngine::judged(plat::MouseHandler h)
{
    return [this, h = std::move(h)](int button, int shift, double x, double y) {
        if (pressOfThisStep())
            h(button, shift, x, y);
    };
}

QString unfinishedList(const shell::AppState& st)
{
    QString caption = QStringLiteral("未完成的题目");
    const int count = std::min<int>(st.QuestionCount, shell::PerQuestion<int16_t>::kLast);
    for (int i = 1; i <= count; ++i)
        if (st.QuestionState(i) < 4)
            caption += QStringLiteral(" ") + QString::number(i);
    return caption;
}

void markDone(shell::AppState& st, int question)
{
    if (shell::PerQuestion<int16_t>::inBounds(question) && st.QuestionState(question) < 4)
        st.QuestionState(question) += 4;
}

void putTopMost(plat::Form& f)
{
    f.hWnd();
    f.setTopMost(true);
    f.bringToFront();
}

QString StepEngine::answerLineFor(const QString& field)
{
    const auto line = answerLineOf(sys_.state.AnswerTextFile, field);
    if (!line.ok())
        sys_.reportOnce(kLoadTag, line.error());
    return line.valueOr({});
}

} // namespace stepengine
