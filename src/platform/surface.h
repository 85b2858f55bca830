#pragma once

// The widget behind a form's client area or a picture box: it paints the container's
// background and its lightweight controls, hit-tests them and raises their mouse events, and
// delivers key events to the container. Internal to the layer.

#include <QPointer>
#include <QWidget>

namespace plat {

class Container;
class Control;
class Form;
struct EventSlots;

// A widget that calls back into the control it belongs to. The control cuts that tie when it
// goes, since the widget itself is deleted only once the event loop is back.
class ControlWidget {
public:
    virtual void detach() = 0;

protected:
    ~ControlWidget() = default;
};

class Surface : public QWidget, public ControlWidget {
    Q_OBJECT
public:
    Surface(Container& c, QWidget* parent);
    ~Surface() override;

    Container* container() const { return container_; }
    // Cuts the link to the model before the model is destroyed; the widget dies later.
    void detach() override;
    void forgetControl(Control* c);
    // Whether input may reach this surface now (no other form runs modally).
    bool acceptsInput() const;
    // Asks for the whole surface to be painted again. A step load changes a hundred controls,
    // each asking; while the surface is shown, one request stands for all until it is painted.
    void repaintAll();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    bool event(QEvent*) override;

private:
    // The lightweight control under a point, or nullptr for the container itself.
    Control* targetAt(const QPointF& px) const;
    EventSlots& slotsOf(Control* c) const;
    QPointF twipsIn(Control* c, const QPointF& px) const;
    void updateCursor(Control* c);

    Container* container_ = nullptr;
    Control* capture_ = nullptr; // lightweight control that got the press
    bool pressed_ = false;
    bool afterDoubleClick_ = false;
    quint64 pressSerial_ = 0;
    bool repaintAsked_ = false; // a whole repaint asked for while shown has not run yet
};

// Raises mouse and key events for a windowed control's own widget (text and list boxes).
namespace input {
    void mouseDown(Control& c, QMouseEvent* e);
    void mouseMove(Control& c, QMouseEvent* e);
    void mouseUp(Control& c, QMouseEvent* e, bool afterDoubleClick, bool clickToo);
    void doubleClick(Control& c, QMouseEvent* e);
    // Returns true when the handler set the key code to 0 (the key is eaten).
    bool keyDown(EventSlots& s, QKeyEvent* e);
    bool keyPress(EventSlots& s, QKeyEvent* e);
    void keyUp(EventSlots& s, QKeyEvent* e);
    int vbButton(Qt::MouseButton b);
    // Whether input may reach a form now: the program runs and no other form is modal.
    bool allowed(Form& f);
    // A control's widget got the focus from the window system: the form learns it (once).
    void focusIn(Control* c);
    int vbButtons(Qt::MouseButtons b);
}

} // namespace plat
