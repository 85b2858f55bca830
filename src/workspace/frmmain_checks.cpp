// FrmMain's input checks: actions on the target area Label1, the answer fields Text1, Text2 and
// Text3, and the hint frame on the expected hotspot. Each handler reads StepLine when it runs;
// a match advances through doNext or GoStep, anything else leaves the step as it is.

#include "workspace/frmmain.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/services.h"
#include "platform/text.h"
#include "stepengine/answers.h"
#include "workspace/checks.h"

namespace workspace {

namespace {
    namespace fd = stepengine::field;
    using stepengine::StepRecord;

    const QString kAnswerTag = QStringLiteral("checkanswer");
    constexpr int kEnter = 13;

    // The descriptors the hint frame reads, in the order in which a later one wins.
    struct FrameSource {
        stepengine::Field slot;
        const char* kinds; // first characters that take part
    };
    constexpr FrameSource kFrameSources[] = {
        { fd::Descriptor2, "HD" },
        { fd::Descriptor1, "HD" },
        { fd::Descriptor3, "H" },
    };

    // The hint frame of the panel a hotspot lies in.
    plat::Shape& frameOf(FrmMainUi& ui, int hotspot)
    {
        switch (stepengine::panelOfHotspot(hotspot)) {
        case stepengine::HotspotPanel::MenuBar:
            return ui.ShapeMenu;
        case stepengine::HotspotPanel::OptionsBar:
            return ui.ShapeTool;
        case stepengine::HotspotPanel::Toolbox:
            break;
        }
        return ui.ShapeHui;
    }

    QString actionCodeOf(const QString& stepLine) { return StepRecord(stepLine).actionCode(); }
    // The target area's NextStepCode; a record too short to hold one names no jump.
    QChar targetNextOf(const StepRecord& r)
    {
        const QString c = r.text(fd::TargetNext);
        return c.isEmpty() ? QChar(u'0') : c[0];
    }
}

void FrmMain::installChecks()
{
    auto& ui = uiNoLoad();
    // A release, click or double-click is judged only when its press was made on this step.
    ui.Label1.MouseUp
        = engine_.judged(plat::MouseHandler([this](int button, int shift, double x, double y) {
              Label1_MouseUp(button, shift, x, y);
          }));
    ui.Label1.DblClick = engine_.judged(plat::Handler([this] { Label1_DblClick(); }));
    ui.Label1.MouseMove = [this](int button, int shift, double x, double y) {
        Label1_MouseMove(button, shift, x, y);
    };
    ui.Text1.Change = [this] { Text1_Change(); };
    ui.Text1.GotFocus = [this] { Text1_GotFocus(); };
    ui.Text1.KeyUp = [this](int& keyCode, int shift) { Text1_KeyUp(keyCode, shift); };
    ui.Text1.MouseUp = engine_.judged(plat::MouseHandler(
        [this](int button, int shift, double x, double y) { Text1_MouseUp(button, shift, x, y); }));
    ui.Text2.Change = [this] { Text2_Change(); };
    ui.Text3.Change = [this] { Text3_Change(); };
    ui.Text3.GotFocus = [this] { Text3_GotFocus(); };
    ui.TimerDisFK.Tick = [this] { TimerDisFK_Timer(); };
}

void FrmMain::advanceBy(QChar nextStepCode)
{
    if (nextStepCode == u'0')
        doNext();
    else
        GoStep(QString(nextStepCode));
}

void FrmMain::showContextMenu(int menuCode)
{
    MenuNo = static_cast<int16_t>(stepengine::MenuCode::of(menuCode).menu);
    systemMenu();
    if (plat::MenuItem* wm100 = menuBar().find(QStringLiteral("wm100")))
        popupMenu(*wm100); // modal: a chosen item's handler runs before this returns
}

std::optional<QString> FrmMain::answerOf(stepengine::Field lineField)
{
    shell::AppState& st = sys_.state;
    const QString field = StepRecord(st.StepLine).text(lineField);
    auto answer = stepengine::acceptedAnswer(st.AnswerTextFile, field);
    if (!answer.ok()) {
        // Another line's text would judge the step against a wrong answer: no match instead.
        // The live checks ask at every keystroke: each fault is reported once.
        sys_.reportOnce(kAnswerTag, answer.error());
        return std::nullopt;
    }
    return answer.value();
}

// Target area ----------------------------------------------------------------------------------

void FrmMain::Label1_DblClick()
{
    const StepRecord r(sys_.state.StepLine);
    if (r.actionCode() == QStringLiteral("0002"))
        advanceBy(targetNextOf(r));
}

void FrmMain::Label1_MouseMove(int, int, double, double)
{
    const shell::AppState& st = sys_.state;
    const QString code = actionCodeOf(st.StepLine);
    if (code == QStringLiteral("0030"))
        doNext(); // hovering is the whole action
    auto& area = ui().Label1;
    // Rubber bands and drags end on the target area; their pointer is the drag's own.
    if (code.startsWith(QLatin1String("004")) || code.startsWith(QLatin1String("005"))) {
        area.setMousePointer(0).ignore();
        return;
    }
    // The record now current: a hover step has loaded the next one.
    stepengine::showPointer(
        sys_, area, stepengine::PointerCode::parse(StepRecord(st.StepLine).text(fd::CursorSpec)));
}

void FrmMain::Label1_MouseUp(int button, int shift, double, double)
{
    shell::AppState& st = sys_.state;
    const StepRecord before(st.StepLine);
    const QChar next = targetNextOf(before);

    // A context menu named by the "R" descriptor opens on the right button, whatever the keys.
    bool popupShown = false;
    const auto menu = before.descriptor(fd::MenuOfDescriptor);
    if (menu.kind == u'R') {
        StepTypeValue = static_cast<int16_t>(menu.menuCode);
        if (stepengine::isContextMenuCode(menu.menuCode) && button == plat::button::Right) {
            showContextMenu(menu.menuCode);
            popupShown = true;
            // A chosen item that advanced has loaded another step; this release was for the
            // step that is gone.
            if (!engine_.pressOfThisStep())
                return;
        }
    }

    StepTypeValue = StepRecord(st.StepLine).number(fd::ActionCode);
    switch (checks::judgeRelease(StepTypeValue, next, button, shift)) {
    case checks::Release::Advance:
        advanceBy(next);
        break;
    case checks::Release::ContextMenu:
        // The same menu named twice in one record opens once per release.
        if (!popupShown)
            showContextMenu(StepTypeValue);
        break;
    case checks::Release::ConfirmAnswer:
        if (const auto answer = answerOf(fd::AnswerLine);
            answer && checks::liveMatch(ui().Text1.text(), *answer, false))
            doNext();
        break;
    case checks::Release::Nothing:
        break;
    }
}

// Answer fields --------------------------------------------------------------------------------

void FrmMain::Text1_Change()
{
    const QString code = actionCodeOf(sys_.state.StepLine);
    StepTypeValue = stepengine::readInt16(code);
    const bool ignoreCase = code == QStringLiteral("0020");
    if (!ignoreCase && code != QStringLiteral("0025"))
        return;
    // One judgement per change: a step advanced here is not judged again by the next record.
    if (const auto answer = answerOf(fd::AnswerLine);
        answer && checks::liveMatch(ui().Text1.text(), *answer, !ignoreCase))
        doNext();
}

void FrmMain::Text1_KeyUp(int keyCode, int)
{
    const QString code = actionCodeOf(sys_.state.StepLine);
    if (keyCode != kEnter
        || (code != QStringLiteral("0022") && code != QStringLiteral("0024")
            && code != QStringLiteral("0028")))
        return;
    auto& text = ui().Text1;
    if (const auto answer = answerOf(fd::AnswerLine);
        answer && checks::enterMatch(text.text(), *answer))
        doNext();
    else
        text.setText(QString()); // a wrong Enter starts the field afresh
}

void FrmMain::Text1_MouseUp(int, int, double, double)
{
    if (actionCodeOf(sys_.state.StepLine) != QStringLiteral("0023"))
        return;
    // The text to select is the step's hint line, whole.
    if (const auto answer = answerOf(fd::HintLine);
        answer && checks::selectionMatch(ui().Text1.selText(), *answer))
        doNext();
}

void FrmMain::Text2_Change()
{
    // Text2 shows only for "0021" steps, so the step type is not tested.
    if (const auto answer = answerOf(fd::AnswerLine);
        answer && checks::wholeMatch(ui().Text2.text(), *answer))
        doNext();
}

void FrmMain::Text3_Change()
{
    // Text3 shows only for "0027" steps.
    if (const auto answer = answerOf(fd::AnswerLine);
        answer && checks::liveMatch(ui().Text3.text(), *answer, false))
        doNext();
}

void FrmMain::activateKeyboardLayout()
{
    const shell::AppState& st = sys_.state;
    if (st.UseIme != 0 && sys_.services().keyboardLayouts)
        sys_.services().keyboardLayouts->activate(st.KeyboardLayout).ignore();
}

void FrmMain::Text1_GotFocus()
{
    activateKeyboardLayout();
    // In a "0027" step Text3 stands in Text1's place and takes the typing.
    if (actionCodeOf(sys_.state.StepLine) == QStringLiteral("0027"))
        ui().Text3.setFocus().ignore();
}

void FrmMain::Text3_GotFocus() { activateKeyboardLayout(); }

void FrmMain::focusAnswerField()
{
    plat::TextBox& field = ui().Text1;
    const bool held = focusedControl() == &field;
    field.setFocus().ignore();
    if (held)
        sys_.dispatch([this] { Text1_GotFocus(); });
}

// Hint frame -----------------------------------------------------------------------------------

void FrmMain::TimerDisFK_Timer()
{
    auto& ui = this->ui();
    for (plat::Shape* s : { &ui.ShapeMenu, &ui.ShapeTool, &ui.ShapeHui })
        s->setVisible(false);
    const StepRecord r(sys_.state.StepLine);
    for (const FrameSource& source : kFrameSources) {
        const QString descriptor = r.text(source.slot);
        if (descriptor.isEmpty() || !QLatin1String(source.kinds).contains(descriptor[0]))
            continue;
        const auto hotspot = checks::framedHotspot(descriptor);
        if (!hotspot)
            continue;
        plat::Shape& frame = frameOf(ui, *hotspot);
        const plat::Label& spot = ui.LblZHU[*hotspot];
        frame.setLeft(spot.left());
        frame.setTop(spot.top());
        frame.setWidth(spot.width());
        frame.setHeight(spot.height());
        frame.setVisible(ui.LHelp.visible()); // frames show only with the hints
    }
    ui.TimerDisFK.setEnabled(false);
}

} // namespace workspace
