#include "platform/surface.h"

#include "platform/color.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/keys.h"
#include "platform/runtime.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace plat {

namespace input {

    int vbButton(Qt::MouseButton b)
    {
        switch (b) {
        case Qt::LeftButton:
            return button::Left;
        case Qt::RightButton:
            return button::Right;
        case Qt::MiddleButton:
            return button::Middle;
        default:
            return 0;
        }
    }

    int vbButtons(Qt::MouseButtons b)
    {
        int m = 0;
        if (b & Qt::LeftButton)
            m |= button::Left;
        if (b & Qt::RightButton)
            m |= button::Right;
        if (b & Qt::MiddleButton)
            m |= button::Middle;
        return m;
    }

    namespace {
        QPointF twips(const Control& c, const QMouseEvent* e)
        {
            return QPointF(e->position().x() * c.tppX(), e->position().y() * c.tppY());
        }
    }

    void mouseDown(Control& c, QMouseEvent* e)
    {
        c.runtime().notePress(e->globalPosition().toPoint());
        const QPointF p = twips(c, e);
        const int b = vbButton(e->button()), s = shiftMask(e->modifiers());
        c.runtime().dispatch([&] {
            if (c.MouseDown)
                c.MouseDown(b, s, p.x(), p.y());
        });
    }

    void mouseMove(Control& c, QMouseEvent* e)
    {
        const QPointF p = twips(c, e);
        const int b = vbButtons(e->buttons()), s = shiftMask(e->modifiers());
        c.runtime().dispatch([&] {
            if (c.MouseMove)
                c.MouseMove(b, s, p.x(), p.y());
        });
    }

    void mouseUp(Control& c, QMouseEvent* e, bool afterDoubleClick, bool clickToo)
    {
        const QPointF p = twips(c, e);
        const int b = vbButton(e->button()), s = shiftMask(e->modifiers());
        Runtime& rt = c.runtime();
        Handler click = (!afterDoubleClick && clickToo) ? c.Click : Handler();
        MouseHandler up = c.MouseUp;
        Form& form = c.form();
        rt.dispatch([&] {
            if (up)
                up(b, s, p.x(), p.y());
            if (click && form.isLoaded())
                click();
        });
    }

    void doubleClick(Control& c, QMouseEvent* e)
    {
        c.runtime().dispatch([&] {
            if (c.DblClick)
                c.DblClick();
        });
    }

    bool allowed(Form& f)
    {
        Runtime& rt = f.runtime();
        Form* modal = rt.activeModal();
        return !rt.ended() && (!modal || modal == &f);
    }

    void focusIn(Control* c)
    {
        if (c && c->form().focusedControl() != c)
            c->form().noteFocus(c);
    }

    bool keyDown(EventSlots& s, QKeyEvent* e)
    {
        int code = virtualKey(*e);
        if (code == 0 || !s.KeyDown)
            return false;
        s.KeyDown(code, shiftMask(e->modifiers()));
        return code == 0;
    }

    bool keyPress(EventSlots& s, QKeyEvent* e)
    {
        const QString t = e->text();
        if (t.isEmpty() || !s.KeyPress)
            return false;
        int ascii = t.at(0).unicode();
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
            ascii = 13;
        s.KeyPress(ascii);
        return ascii == 0;
    }

    void keyUp(EventSlots& s, QKeyEvent* e)
    {
        int code = virtualKey(*e);
        if (code != 0 && s.KeyUp)
            s.KeyUp(code, shiftMask(e->modifiers()));
    }

} // namespace input

Surface::Surface(Container& c, QWidget* parent)
    : QWidget(parent)
    , container_(&c)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(parent ? Qt::ClickFocus : Qt::StrongFocus);
}

Surface::~Surface() = default;

void Surface::detach()
{
    container_ = nullptr;
    capture_ = nullptr;
}

void Surface::forgetControl(Control* c)
{
    if (capture_ == c)
        capture_ = nullptr;
}

bool Surface::acceptsInput() const
{
    if (!container_)
        return false;
    if (!input::allowed(container_->form()))
        return false;
    if (Control* self = container_->asControl())
        return self->enabled();
    return true;
}

Control* Surface::targetAt(const QPointF& px) const
{
    return container_ ? container_->lightweightAt(px) : nullptr;
}

EventSlots& Surface::slotsOf(Control* c) const
{
    return c ? static_cast<EventSlots&>(*c) : container_->eventSlots();
}

QPointF Surface::twipsIn(Control* c, const QPointF& px) const
{
    const Runtime& rt = container_->form().runtime();
    QPointF t(px.x() * rt.twipsPerPixelX(), px.y() * rt.twipsPerPixelY());
    if (c)
        t -= QPointF(c->left(), c->top());
    return t;
}

void Surface::updateCursor(Control* c)
{
    Control* src = c ? c : (container_ ? container_->asControl() : nullptr);
    int pointer = src ? src->mousePointer() : 0;
    if (pointer == kCustomPointer && src && !src->mouseIcon().isNull()) {
        setCursor(container_->form().runtime().cursorOf(src->mouseIcon()));
        return;
    }
    static const Qt::CursorShape kShapes[] = { Qt::ArrowCursor, Qt::ArrowCursor, Qt::CrossCursor,
        Qt::IBeamCursor, Qt::ArrowCursor, Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor, Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor, Qt::WhatsThisCursor, Qt::SizeAllCursor };
    if (pointer >= 0 && pointer <= 15)
        setCursor(kShapes[pointer]);
    else
        unsetCursor();
}

void Surface::repaintAll()
{
    if (repaintAsked_ && isVisible())
        return;
    // Qt drops a request while the widget is hidden and paints it whole when shown.
    repaintAsked_ = isVisible();
    update();
}

void Surface::paintEvent(QPaintEvent*)
{
    repaintAsked_ = false;
    if (!container_)
        return;
    QPainter p(this);
    p.fillRect(rect(), toQColor(container_->backColor()));
    if (!container_->picture().isNull())
        p.drawImage(QPointF(0, 0), container_->picture().image());
    for (Control* c : container_->children()) {
        if (c->isWindowed() || !c->visible())
            continue;
        p.save();
        c->paint(p);
        p.restore();
    }
    if (isWindow())
        container_->form().notePainted();
}

void Surface::mousePressEvent(QMouseEvent* e)
{
    if (!acceptsInput())
        return;
    Runtime& rt = container_->form().runtime();
    Control* target = targetAt(e->position());
    capture_ = target;
    pressed_ = true;
    afterDoubleClick_ = false;
    pressSerial_ = rt.notePress(e->globalPosition().toPoint());
    // A click on a picture box gives it the focus.
    if (Control* self = container_->asControl(); self && self->visibleInForm())
        if (self->form().focusedControl() != self)
            self->setFocus().ignore();
    if (!container_)
        return;
    EventSlots& s = slotsOf(target);
    const QPointF t = twipsIn(target, e->position());
    const int b = input::vbButton(e->button()), sh = shiftMask(e->modifiers());
    rt.dispatch([&] {
        if (s.MouseDown)
            s.MouseDown(b, sh, t.x(), t.y());
    });
}

void Surface::mouseMoveEvent(QMouseEvent* e)
{
    if (!acceptsInput())
        return;
    if (container_->form().captionDragMove(
            e->globalPosition().toPoint(), e->buttons().testFlag(Qt::LeftButton)))
        return;
    Control* target
        = (pressed_ && e->buttons() != Qt::NoButton) ? capture_ : targetAt(e->position());
    if (pressed_ && e->buttons() == Qt::NoButton)
        pressed_ = false;
    if (!(pressed_ && e->buttons() != Qt::NoButton))
        updateCursor(target);
    if (pressed_ && !capture_)
        target = nullptr; // the press was on the container itself
    EventSlots& s = slotsOf(target);
    const QPointF t = twipsIn(target, e->position());
    const int b = input::vbButtons(e->buttons()), sh = shiftMask(e->modifiers());
    container_->form().runtime().dispatch([&] {
        if (s.MouseMove)
            s.MouseMove(b, sh, t.x(), t.y());
    });
}

void Surface::mouseReleaseEvent(QMouseEvent* e)
{
    if (!acceptsInput())
        return;
    if (!e->buttons().testFlag(Qt::LeftButton))
        container_->form().captionDragMove(e->globalPosition().toPoint(), false);
    Control* target = pressed_ ? capture_ : targetAt(e->position());
    const bool wasPressed = pressed_;
    if (e->buttons() == Qt::NoButton) {
        pressed_ = false;
        capture_ = nullptr;
    }
    const bool afterDouble = afterDoubleClick_;
    afterDoubleClick_ = false;
    const QPointF t = twipsIn(target, e->position());
    // Click needs the release over the control that got the press; text and list boxes handle
    // their own clicks, so every target here is a picture-like control or a container.
    bool inside = target ? QRectF(0, 0, target->width(), target->height()).contains(t)
                         : rect().contains(e->position().toPoint());
    const int b = input::vbButton(e->button()), sh = shiftMask(e->modifiers());
    const bool clickButton = b == button::Left || b == button::Right;
    Runtime& rt = container_->form().runtime();
    EventSlots& s = slotsOf(target);
    Handler click = (wasPressed && inside && clickButton && !afterDouble) ? s.Click : Handler();
    MouseHandler up = s.MouseUp;
    Form& form = container_->form();
    rt.dispatch([&] {
        if (up)
            up(b, sh, t.x(), t.y());
        // An unload inside MouseUp takes the control away before its Click.
        if (click && container_ && form.isLoaded())
            click();
    });
}

void Surface::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (!acceptsInput())
        return;
    // The second press of a double-click raises DblClick in place of MouseDown; the release
    // after it raises MouseUp without Click.
    Control* target = targetAt(e->position());
    capture_ = target;
    pressed_ = true;
    afterDoubleClick_ = true;
    Runtime& rt = container_->form().runtime();
    rt.notePress(e->globalPosition().toPoint());
    EventSlots& s = slotsOf(target);
    rt.dispatch([&] {
        if (s.DblClick)
            s.DblClick();
    });
}

void Surface::keyPressEvent(QKeyEvent* e)
{
    if (!acceptsInput())
        return;
    EventSlots& s = container_->eventSlots();
    container_->form().runtime().dispatch([&] {
        if (!input::keyDown(s, e) && container_)
            input::keyPress(container_->eventSlots(), e);
    });
}

void Surface::keyReleaseEvent(QKeyEvent* e)
{
    if (!acceptsInput())
        return;
    EventSlots& s = container_->eventSlots();
    container_->form().runtime().dispatch([&] { input::keyUp(s, e); });
}

void Surface::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    if (!container_)
        return;
    if (Control* self = container_->asControl())
        container_->form().noteFocus(self);
    else
        container_->form().noteFocus(nullptr);
}

void Surface::closeEvent(QCloseEvent* e)
{
    // The window manager's close goes through the form's unload, which may refuse.
    e->ignore();
    if (container_ && !container_->asControl())
        container_->form().runtime().dispatch([&] { container_->form().closeRequest(); });
}

void Surface::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    if (container_ && !container_->asControl() && isWindow())
        container_->form().syncFromWindow();
}

void Surface::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (container_ && !container_->asControl() && isWindow())
        container_->form().syncFromWindow();
}

bool Surface::event(QEvent* e)
{
    // The window manager restored, minimised or maximised the window.
    if (e->type() == QEvent::WindowStateChange && container_ && !container_->asControl()
        && isWindow())
        container_->form().noteWindowState();
    // Without a window manager an activated window may stand above the top-most ones.
    if (e->type() == QEvent::WindowActivate && container_ && !container_->asControl()
        && isWindow()) {
        container_->form().runtime().noteActivated(container_->form());
        container_->form().runtime().raiseTopMost();
    }
    if (e->type() == QEvent::ToolTip && container_) {
        auto* he = static_cast<QHelpEvent*>(e);
        Control* c = targetAt(he->pos());
        Control* src = c ? c : container_->asControl();
        if (src && !src->toolTipText().isEmpty())
            QToolTip::showText(he->globalPos(), src->toolTipText(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

} // namespace plat
