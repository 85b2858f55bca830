#include "support/headless.h"

#include "platform/runtime.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace testsupport {

using namespace plat;

namespace {

    Qt::MouseButton qtButton(int b)
    {
        switch (b) {
        case button::Right:
            return Qt::RightButton;
        case button::Middle:
            return Qt::MiddleButton;
        default:
            return Qt::LeftButton;
        }
    }

    // The control's offset in its form's client twips.
    QPointF originInForm(Control& c)
    {
        QPointF o(c.left(), c.top());
        for (Container* p = &c.parent(); p;) {
            Control* pc = p->asControl();
            if (!pc)
                break;
            o += QPointF(pc->left(), pc->top());
            p = &pc->parent();
        }
        return o;
    }

    // Notes where scripted mouse input points; events from the window system are its own.
    class PointerWatch : public QObject {
    public:
        explicit PointerWatch(std::optional<QPoint>& pointer)
            : pointer_(pointer)
        {
            qApp->installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject*, QEvent* e) override
        {
            switch (e->type()) {
            case QEvent::MouseMove:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                if (e->spontaneous())
                    pointer_.reset();
                else
                    pointer_ = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
                break;
            default:
                break;
            }
            return false;
        }

    private:
        std::optional<QPoint>& pointer_;
    };

} // namespace

HeadlessDriver::HeadlessDriver(Runtime& rt, VirtualClock& clock)
    : rt_(rt)
    , clock_(clock)
    , pointerWatch_(std::make_unique<PointerWatch>(pointer_))
{
    rt_.pointerDriver = [this] { return pointer_ ? *pointer_ : QCursor::pos(); };
    rt_.modalDriver = [this](Form& f) {
        if (modalAnswers_.empty()) {
            ++unanswered_;
            return;
        }
        auto answer = std::move(modalAnswers_.front());
        modalAnswers_.pop_front();
        answer(f);
    };
    rt_.popupDriver
        = [this](Form&, MenuItem& menu, const std::optional<plat::PopupPlace>& place) -> MenuItem* {
        popupPlaces_.push_back(place);
        QStringList shown;
        for (const auto& item : menu.items())
            if (item->visible)
                shown << item->caption;
        popupLog_ << shown.join(QLatin1Char('|'));
        if (popupAnswers_.empty())
            return nullptr;
        const QStringList path = popupAnswers_.front().split(QLatin1Char('/'), Qt::SkipEmptyParts);
        popupAnswers_.pop_front();
        MenuItem* at = &menu;
        for (const QString& caption : path) {
            MenuItem* next = nullptr;
            for (const auto& item : at->items())
                if (item->visible && item->enabled && !item->isSeparator()
                    && item->caption == caption)
                    next = item.get();
            if (!next)
                return nullptr;
            at = next;
        }
        return at == &menu ? nullptr : at;
    };
}

HeadlessDriver::~HeadlessDriver()
{
    rt_.modalDriver = nullptr;
    rt_.popupDriver = nullptr;
    rt_.pointerDriver = nullptr;
}

QPointF HeadlessDriver::centreInForm(Control& c)
{
    return originInForm(c) + QPointF(c.width() / 2, c.height() / 2);
}

QRect HeadlessDriver::pixelRect(Control& c)
{
    const Runtime& rt = c.runtime();
    const QPointF o = originInForm(c);
    return QRectF(o.x() / rt.twipsPerPixelX(), o.y() / rt.twipsPerPixelY(),
        c.width() / rt.twipsPerPixelX(), c.height() / rt.twipsPerPixelY())
        .toAlignedRect();
}

// On a real display a window maps some time after it is shown, and without a window manager a
// window asked to be active when shown takes the focus only once it has mapped: a press that
// came before then would lose its activation to it. A learner presses only what is on screen,
// so the driver first lets every shown window map.
void HeadlessDriver::waitUntilShownWindowsMap()
{
    if (QGuiApplication::platformName() == QStringLiteral("offscreen"))
        return;
    const auto unmapped = [] {
        for (QWidget* t : QApplication::topLevelWidgets()) {
            const QWindow* handle = t->windowHandle();
            if (t->isVisible() && !t->isMinimized() && handle && !handle->isExposed())
                return true;
        }
        return false;
    };
    QElapsedTimer waited;
    waited.start();
    while (unmapped() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window system's press gives the focus to the first widget up from the one pressed that
// takes focus by click; Qt does this only for its own spontaneous events, so the driver does it.
void HeadlessDriver::giveClickFocus(QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            // A press into an inactive window activates it first, as the window system does.
            if (!w->isActiveWindow()) {
                waitUntilShownWindowsMap();
                w->window()->activateWindow();
                processEvents();
            }
            if (!w->hasFocus())
                w->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (w->isWindow())
            return;
    }
}

void HeadlessDriver::sendMouse(
    Form& f, QPointF twips, QEvent::Type type, Qt::MouseButton b, Qt::MouseButtons held, int shift)
{
    QWidget* top = f.hWnd();
    if (!top)
        return;
    const QPointF px(twips.x() / rt_.twipsPerPixelX(), twips.y() / rt_.twipsPerPixelY());
    QWidget* target = nullptr;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || !pressed_) {
        // The deepest widget there, as the window system would pick it (a list's viewport).
        target = top->childAt(px.toPoint());
        if (!target)
            target = top;
    } else {
        target = pressed_.data();
    }
    if (type == QEvent::MouseButtonPress) {
        pressed_ = target;
        giveClickFocus(target);
    }
    const QPointF local = target->mapFrom(top, px);
    QMouseEvent e(type, local, target->mapToGlobal(local), b, held, modifiersFromShift(shift));
    QPointer<QWidget> guard(target);
    QApplication::sendEvent(target, &e);
    if (type == QEvent::MouseButtonRelease && held == Qt::NoButton)
        pressed_ = nullptr;
    processEvents();
}

void HeadlessDriver::press(Form& f, QPointF twips, int button, int shift)
{
    held_ |= qtButton(button);
    sendMouse(f, twips, QEvent::MouseButtonPress, qtButton(button), held_, shift);
}

void HeadlessDriver::moveTo(Form& f, QPointF twips, int shift)
{
    sendMouse(f, twips, QEvent::MouseMove, Qt::NoButton, held_, shift);
}

void HeadlessDriver::release(Form& f, QPointF twips, int button, int shift)
{
    held_ &= ~qtButton(button);
    sendMouse(f, twips, QEvent::MouseButtonRelease, qtButton(button), held_, shift);
}

void HeadlessDriver::clickForm(Form& f, QPointF twips, int button, int shift)
{
    press(f, twips, button, shift);
    release(f, twips, button, shift);
}

void HeadlessDriver::click(Control& c, int button, int shift)
{
    clickForm(c.form(), centreInForm(c), button, shift);
}

void HeadlessDriver::clickAt(Control& c, QPointF at, int button, int shift)
{
    clickForm(c.form(), originInForm(c) + at, button, shift);
}

void HeadlessDriver::doubleClick(Control& c, int shift)
{
    Form& f = c.form();
    const QPointF p = centreInForm(c);
    press(f, p, button::Left, shift);
    release(f, p, button::Left, shift);
    held_ |= Qt::LeftButton;
    sendMouse(f, p, QEvent::MouseButtonDblClick, Qt::LeftButton, held_, shift);
    release(f, p, button::Left, shift);
}

void HeadlessDriver::drag(Form& f, QPointF from, QPointF to, int button, int shift, int steps)
{
    press(f, from, button, shift);
    for (int i = 1; i <= steps; ++i)
        moveTo(f, from + (to - from) * (double(i) / steps), shift);
    release(f, to, button, shift);
}

void HeadlessDriver::key(Form& f, int virtualKeyCode, int shift)
{
    QWidget* target = f.focusedControl() ? f.focusedControl()->widget() : f.hWnd();
    if (!target)
        return;
    const QtKey k = qtKeyFor(virtualKeyCode, shift);
    QPointer<QWidget> guard(target);
    QKeyEvent down(QEvent::KeyPress, k.key, k.modifiers, k.nativeScanCode, 0, 0, k.text);
    QApplication::sendEvent(target, &down);
    processEvents();
    if (!guard)
        return;
    QKeyEvent up(QEvent::KeyRelease, k.key, k.modifiers, k.nativeScanCode, 0, 0, k.text);
    QApplication::sendEvent(target, &up);
    processEvents();
}

void HeadlessDriver::type(Form& f, const QString& text)
{
    for (QChar ch : text) {
        QWidget* target = f.focusedControl() ? f.focusedControl()->widget() : f.hWnd();
        if (!target)
            return;
        int key
            = ch.isLetter() && ch.unicode() < 128 ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : 0;
        if (ch.isDigit() && ch.unicode() < 128)
            key = Qt::Key_0 + (ch.unicode() - '0');
        if (ch == QLatin1Char(' '))
            key = Qt::Key_Space;
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &up);
        processEvents();
    }
}

void HeadlessDriver::advance(qint64 ms)
{
    clock_.advance(ms);
    processEvents();
}

void HeadlessDriver::processEvents()
{
    if (!QCoreApplication::instance())
        return; // a fixture that outlives the application (a benchmark's static one)
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void HeadlessDriver::answerModal(std::function<void(Form&)> answer)
{
    modalAnswers_.push_back(std::move(answer));
}

void HeadlessDriver::choosePopup(const QString& captionPath)
{
    popupAnswers_.push_back(captionPath);
}

QImage HeadlessDriver::render(Form& f)
{
    QWidget* w = f.hWnd();
    if (!w)
        return {};
    w->ensurePolished();
    return w->grab().toImage();
}

bool HeadlessDriver::saveRendering(Form& f, const QString& path)
{
    return render(f).save(path, "PNG");
}

} // namespace testsupport
