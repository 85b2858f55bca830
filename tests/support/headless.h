#pragma once

// The headless driver (tests and benchmarks only): runs forms without a display (Qt's offscreen
// platform) on a virtual clock, feeds scripted input through the same widgets and event paths as
// real input, answers modal windows and popup menus given in advance, and renders any window to a
// picture.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/keys.h"
#include "support/virtualclock.h"

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace testsupport {

using plat::Control;
using plat::Form;
using plat::Runtime;
namespace button = plat::button;

class HeadlessDriver {
public:
    // The runtime must run on `clock`.
    HeadlessDriver(Runtime& rt, VirtualClock& clock);
    ~HeadlessDriver();

    // Mouse input at a control (by default its centre; `at` in twips relative to the control)
    // or at twips of a form's client area. The event goes to whatever lies on top there, like
    // a real click.
    void click(Control& c, int button = button::Left, int shift = 0);
    void clickAt(Control& c, QPointF at, int button = button::Left, int shift = 0);
    void doubleClick(Control& c, int shift = 0);
    void rightClick(Control& c, int shift = 0) { click(c, button::Right, shift); }
    void clickForm(Form& f, QPointF twips, int button = button::Left, int shift = 0);
    void press(Form& f, QPointF twips, int button = button::Left, int shift = 0);
    void moveTo(Form& f, QPointF twips, int shift = 0);
    void release(Form& f, QPointF twips, int button = button::Left, int shift = 0);
    // Press at one point, move in steps, release at another (form twips).
    void drag(
        Form& f, QPointF from, QPointF to, int button = button::Left, int shift = 0, int steps = 5);
    // A control's centre in its form's client twips.
    static QPointF centreInForm(Control& c);
    // Where a control lies in its form's rendering, in pixels.
    static QRect pixelRect(Control& c);

    // Keys go to the form's focused control, or to the form.
    void key(Form& f, int virtualKeyCode, int shift = 0);
    void type(Form& f, const QString& text);

    // Advances the virtual clock and lets posted events (deferred deletions) run.
    void advance(qint64 ms);
    static void processEvents();

    // Answers for modal windows and popup menus, used in order. A modal window without an
    // answer is hidden at once (counted in unansweredModals()).
    void answerModal(std::function<void(Form&)> answer);
    // Chooses the entry with this caption path ("编辑/拷贝") in the next popup; "" chooses none.
    void choosePopup(const QString& captionPath);
    int unansweredModals() const { return unanswered_; }
    QStringList popupLog() const { return popupLog_; }
    // Where each popup was asked to open (none: at the pointer), in order.
    const std::vector<std::optional<plat::PopupPlace>>& popupPlaces() const { return popupPlaces_; }

    // Renders a window as it would show.
    static QImage render(Form& f);
    static bool saveRendering(Form& f, const QString& path);

private:
    static void waitUntilShownWindowsMap();
    static void giveClickFocus(QWidget* w);
    void sendMouse(Form& f, QPointF twips, QEvent::Type type, Qt::MouseButton b,
        Qt::MouseButtons held, int shift);
    Runtime& rt_;
    VirtualClock& clock_;
    std::deque<std::function<void(Form&)>> modalAnswers_;
    std::deque<QString> popupAnswers_;
    QStringList popupLog_;
    std::vector<std::optional<plat::PopupPlace>> popupPlaces_;
    int unanswered_ = 0;
    QPointer<QWidget> pressed_;
    // Scripted input moves no real pointer: its latest mouse event stands for it.
    std::optional<QPoint> pointer_;
    std::unique_ptr<QObject> pointerWatch_;
    Qt::MouseButtons held_ = Qt::NoButton;
};

} // namespace testsupport
