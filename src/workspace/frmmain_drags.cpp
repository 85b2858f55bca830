// FrmMain's drags: the drag handle Image5 of the 8001..8009 steps, and the second area Label4
// with its plain press, rubber band (004x), drag and drop (005x), answer confirmation (0028)
// and jump. Each handler reads StepLine when it runs.

#include "workspace/frmmain.h"

#include "core/system.h"
#include "platform/keys.h"
#include "platform/rounding.h"
#include "platform/text.h"
#include "stepengine/answers.h"
#include "workspace/checks.h"

#include <cmath>
#include <cstdlib>

namespace workspace {

namespace {
    namespace fd = stepengine::field;
    using stepengine::StepRecord;

    // How a handle step moves and when its release succeeds: for each axis, -1 the handle must
    // reach the target from above (L <= X*, T <= Y*), +1 from below, 0 the axis does not move.
    struct HandleRule {
        int code;
        int x;
        int y;
    };
    constexpr HandleRule kHandleRules[] = {
        { 8001, -1, 0 },
        { 8002, +1, 0 },
        { 8003, 0, -1 },
        { 8004, 0, +1 },
        { 8006, -1, +1 },
        { 8007, +1, +1 },
        { 8008, -1, -1 },
        { 8009, +1, -1 },
    }; // 8005: the handle stays put and no release succeeds

    const HandleRule* handleRuleOf(int code)
    {
        for (const HandleRule& r : kHandleRules)
            if (r.code == code)
                return &r;
        return nullptr;
    }

    bool reached(int direction, double at, double target)
    {
        return direction == 0 || (direction < 0 ? at <= target : at >= target);
    }

    // Window positions are stored rounded, halves to even, as the loader stores the home.
    int32_t rounded(double twips) { return static_cast<int32_t>(plat::roundHalfEven(twips)); }

    constexpr stepengine::Field kHandleHomeLeft = stepengine::kImageGroups[4].left;
    constexpr stepengine::Field kHandleHomeTop = stepengine::kImageGroups[4].top;
    constexpr double kBandStartSize = 15; // twips, unscaled

    // What a Label4 handler reads of the step: the ActionCode's first three characters and the
    // modifier digit after them.
    struct DragStep {
        QString code;
        QString kind; // "004" rubber band, "005" drag and drop
        int modifiers = 0;
        explicit DragStep(const StepRecord& r)
            : code(r.actionCode())
            , kind(code.left(3))
            , modifiers(stepengine::readInt16(plat::mid(code, 4, 1)))
        {
        }
        bool band() const { return kind == QStringLiteral("004"); }
        bool dragOrBand() const { return band() || kind == QStringLiteral("005"); }
    };

    QChar charAt(const StepRecord& r, stepengine::Field f)
    {
        const QString c = r.text(f);
        return c.isEmpty() ? QChar(u'0') : c[0];
    }
}

void FrmMain::installDrags()
{
    auto& ui = uiNoLoad();
    ui.Image5.MouseMove = [this](int button, int shift, double x, double y) {
        Image5_MouseMove(button, shift, x, y);
    };
    // Releases are judged only when their press was made on this step: a press that advanced
    // the step leaves its release, and the handle's click after a snap, to a step that is gone.
    ui.Image5.MouseUp
        = engine_.judged(plat::MouseHandler([this](int button, int shift, double x, double y) {
              Image5_MouseUp(button, shift, x, y);
          }));
    ui.Label4.MouseDown = [this](int button, int shift, double x, double y) {
        Label4_MouseDown(button, shift, x, y);
    };
    ui.Label4.MouseMove = [this](int button, int shift, double x, double y) {
        Label4_MouseMove(button, shift, x, y);
    };
    ui.Label4.MouseUp
        = engine_.judged(plat::MouseHandler([this](int button, int shift, double x, double y) {
              Label4_MouseUp(button, shift, x, y);
          }));
}

// Drag handle --------------------------------------------------------------------------------

void FrmMain::Image5_MouseMove(int button, int, double x, double y)
{
    if (button != plat::button::Left)
        return;
    const HandleRule* rule = handleRuleOf(StepTypeValue);
    if (!rule)
        return;
    auto& handle = ui().Image5;
    // The handle's edge closes half the gap to the pointer at every move.
    if (rule->x != 0) {
        handle.setLeft(HandleLeft + x / 2);
        HandleLeft = rounded(handle.left());
    }
    if (rule->y != 0) {
        handle.setTop(HandleTop + y / 2);
        HandleTop = rounded(handle.top());
    }
}

void FrmMain::Image5_MouseUp(int, int, double, double)
{
    // One rule, the one of the step the drag belongs to: after a snap has advanced, the next
    // step's handle is not judged by this release.
    const HandleRule* rule = handleRuleOf(StepTypeValue);
    if (!rule)
        return;
    const shell::AppState& st = sys_.state;
    auto& handle = ui().Image5;
    const double targetX = DragTargetX * st.ScaleX;
    const double targetY = DragTargetY * st.ScaleY;
    if (reached(rule->x, HandleLeft, targetX) && reached(rule->y, HandleTop, targetY)) {
        if (rule->y != 0)
            handle.setTop(targetY);
        if (rule->x != 0)
            handle.setLeft(targetX);
        doNext();
        return;
    }
    const StepRecord r(st.StepLine);
    if (rule->y != 0) {
        handle.setTop(r.number(kHandleHomeTop) * st.ScaleY);
        HandleTop = rounded(handle.top());
    }
    if (rule->x != 0) {
        handle.setLeft(r.number(kHandleHomeLeft) * st.ScaleX);
        HandleLeft = rounded(handle.left());
    }
}

// Second area --------------------------------------------------------------------------------

void FrmMain::Label4_MouseDown(int button, int shift, double x, double y)
{
    const StepRecord r(sys_.state.StepLine);
    const DragStep d(r);
    const QString noPress = QStringLiteral("EE");
    if (d.code != QStringLiteral("0028") && charAt(r, fd::Area2Next) == u'0'
        && button == plat::button::Left && r.text(fd::PressMarker) != noPress
        && r.text(fd::PressMarkerAlt) != noPress) {
        doNext();
        return;
    }
    if (shift != d.modifiers || !d.dragOrBand())
        return;
    auto& ui = this->ui();
    if (d.band()) {
        ui.Shape6.setWidth(kBandStartSize);
        ui.Shape6.setHeight(kBandStartSize);
        ui.Shape6.setVisible(true);
        BandStartX = rounded(ui.Label4.left() + x);
        BandStartY = rounded(ui.Label4.top() + y);
    }
    Dragging = -1;
}

void FrmMain::Label4_MouseMove(int, int shift, double x, double y)
{
    const StepRecord r(sys_.state.StepLine);
    const DragStep d(r);
    if (shift != d.modifiers || !d.dragOrBand())
        return;
    auto& ui = this->ui();
    if (d.band()) {
        if (!ui.Shape6.visible())
            return;
        // The band keeps its corner at the press point and grows right and down by the
        // distance the pointer has gone, whichever way it went.
        ui.Shape6.setLeft(BandStartX);
        ui.Shape6.setTop(BandStartY);
        ui.Shape6.setWidth(std::abs(ui.Label4.left() + x - ui.Shape6.left()));
        ui.Shape6.setHeight(std::abs(ui.Label4.top() + y - ui.Shape6.top()));
    }
    if (Dragging != -1)
        return;
    // The drag pointer is also the sign that a drag took place (see the drop).
    stepengine::showPointer(
        sys_, ui.Label4, stepengine::PointerCode::parse(r.text(fd::CursorSpec)).forDrag());
}

void FrmMain::Label4_MouseUp(int, int shift, double x, double y)
{
    const StepRecord r(sys_.state.StepLine);
    const DragStep d(r);
    auto& ui = this->ui();
    const float px = static_cast<float>(ui.Label4.left() + x);
    const float py = static_cast<float>(ui.Label4.top() + y);
    const plat::Label& target = ui.Label1;
    const bool inside = static_cast<float>(target.left()) <= px
        && px <= static_cast<float>(target.left() + target.width())
        && static_cast<float>(target.top()) <= py
        && py <= static_cast<float>(target.top() + target.height());

    // Every release ends the band, also one whose modifier was let go before it: a band left
    // standing would frame nothing until the next step.
    const bool bandShown = ui.Shape6.visible();
    ui.Shape6.setVisible(false);
    const bool withModifiers = shift == d.modifiers;
    if (d.band() && withModifiers) {
        ui.Shape6.setWidth(kBandStartSize);
        ui.Shape6.setHeight(kBandStartSize);
        if (bandShown && inside) {
            doNext();
            return;
        }
    }
    if (d.dragOrBand() && withModifiers) {
        Dragging = 0;
        if (inside && ui.Label4.mousePointer() != 0) {
            const QChar next = charAt(r, fd::DropNext);
            if (next == u'0')
                doNext();
            else
                GoStep(QString(next));
            return;
        }
        ui.Label4.setMousePointer(0).ignore();
    }
    if (d.code == QStringLiteral("0028")) {
        if (const auto answer = answerOf(fd::AnswerLine);
            answer && checks::liveMatch(ui.Text1.text(), *answer, false)) {
            doNext();
            return;
        }
    }
    const QChar jump = charAt(r, fd::Area2Next);
    if (jump != u'0')
        GoStep(QString(jump));
}

} // namespace workspace
