#include "platform/form.h"

#include "platform/color.h"
#include "platform/dialogwindow.h"
#include "platform/runtime.h"
#include "platform/surface.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

    // Sits before a window's own key handling (on its platform window, so it sees the keys of
    // every control inside) and passes them on to another form's window.
    class KeyForward : public QObject {
    public:
        explicit KeyForward(Form& from)
            : QObject(nullptr)
            , from_(from)
        {
        }
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::MouseButtonRelease) {
                // After the click's own handlers: they may have hidden or closed the target,
                // or opened a window of their own that keeps the focus.
                QTimer::singleShot(0, this, [this] { returnFocus(); });
                return false;
            }
            if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
                return false;
            Form* target = from_.keyTarget();
            if (!target || target == &from_ || !target->visible())
                return false;
            QWidget* top = target->hWnd();
            QWidget* dest = top->focusWidget() ? top->focusWidget() : top;
            const auto* k = static_cast<QKeyEvent*>(e);
            QKeyEvent copy(k->type(), k->key(), k->modifiers(), k->nativeScanCode(),
                k->nativeVirtualKey(), k->nativeModifiers(), k->text(), k->isAutoRepeat(),
                ushort(k->count()));
            QApplication::sendEvent(dest, &copy);
            // The press belongs to the target alone; the release still tells this window.
            return e->type() == QEvent::KeyPress;
        }

    private:
        void returnFocus()
        {
            Form* target = from_.keyTarget();
            if (!target || !target->visible() || from_.runtime().activeModal()
                || QApplication::activeModalWidget() || QApplication::activePopupWidget())
                return;
            target->activate();
        }
        Form& from_;
    };

}

Form::Form(Runtime& rt, QString name)
    : rt_(&rt)
    , name_(std::move(name))
{
}

Form::~Form()
{
    if (window_) {
        window_->detach();
        delete window_.data();
    }
}

void Form::load()
{
    if (loaded_ || loading_ || rt_->ended())
        return;
    loading_ = true;
    // A fresh window starts in the normal state. A state kept from the window before (minimised
    // by the program, then restored by the window manager) skipped the geometry, so the window
    // came back at the window system's default size.
    windowState_ = 0;
    dialog_ = false;
    area_ = std::make_unique<FormArea>(*this);
    auto* w = new Surface(*area_, nullptr);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setWindowFlag(Qt::FramelessWindowHint, borderless_);
    w->setWindowFlag(Qt::WindowStaysOnTopHint, topMost_);
    window_ = w;
    area_->attach(w);
    area_->setBackColor(syscolor::ButtonFace);
    menuBar_ = std::make_unique<MenuItem>(nullptr, QStringLiteral("menu"));
    createMenus(*menuBar_);
    createControls();
    loaded_ = true;
    showTitle();
    applyWindowGeometry();
    rt_->dispatch([this] { Form_Load(); });
    loading_ = false;
}

void Form::unload()
{
    if (!loaded_)
        return;
    int cancel = 0;
    rt_->dispatch([&] { Form_Unload(cancel); });
    if (cancel != 0 || !loaded_)
        return;
    quitModal();
    loaded_ = false;
    painted_ = false;
    afterPainting_.clear();
    focused_ = nullptr;
    for (Timer* t : timers_)
        t->setEnabled(false);
    // The controls die later: a handler of one of them may be running now.
    destroyControls();
    if (window_) {
        window_->detach();
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
    rt_->retire(std::shared_ptr<void>(std::move(area_)));
    rt_->retire(std::shared_ptr<void>(std::move(menuBar_)));
}

namespace {
    void decodePicturesShownIn(const Container& c)
    {
        c.picture().image();
        for (const Control* child : c.children()) {
            if (!child->visible())
                continue;
            if (const auto* image = dynamic_cast<const Image*>(child))
                image->picture().image();
            else if (const auto* inner = dynamic_cast<const Container*>(child))
                decodePicturesShownIn(*inner);
        }
    }
}

void Form::decodeShownPictures()
{
    if (area_)
        decodePicturesShownIn(*area_);
}

void Form::show(bool modal)
{
    load();
    if (!window_)
        return;
    decodeShownPictures();
    Form* owner = nullptr;
    if (modal && !modalLoop_) {
        owner = rt_->windowInUse();
        if (owner == this)
            owner = nullptr;
        // Kept above the window last used, which may be a top-most one (the question panel) that
        // stands above the window it serves: a dialog below it could not be used.
        Form* above = rt_->latestShown(false);
        becomeDialogOf(above != this ? above : owner);
    }
    if (!everShown_ || (owner && centered_)) {
        const bool first = !everShown_;
        everShown_ = true;
        if (owner && centered_) {
            // Over the window it serves, the frame the window manager adds included, kept on
            // the screen.
            const QRect placed = centredDialogRect(pixelGeometry().size(), expectedFrame(*window_),
                owner->window_->frameGeometry(), rt_->screenRect());
            left_ = placed.left() * rt_->twipsPerPixelX();
            top_ = placed.top() * rt_->twipsPerPixelY();
            applyWindowGeometry();
        } else if (first && centered_) {
            left_ = (rt_->screenWidthTwips() - width_) / 2;
            top_ = (rt_->screenHeightTwips() - height_) / 2;
            applyWindowGeometry();
        }
    }
    if (modal && !modalLoop_)
        window_->setWindowModality(Qt::ApplicationModal);
    switch (windowState_) {
    case 1:
        window_->showMinimized();
        break;
    case 2:
        window_->showMaximized();
        break;
    default:
        window_->show();
    }
    window_->raise();
    if (topMost_)
        rt_->noteTopMost(*this);
    rt_->raiseTopMost();
    watchKeys();
    rt_->noteActivated(*this);
    if (!modal || modalLoop_) {
        activate();
        return;
    }

    rt_->modalStack_.push_back(this);
    if (rt_->modalDriver) {
        rt_->dispatch([this] { rt_->modalDriver(*this); });
        if (visible())
            hide();
    } else {
        QEventLoop loop;
        modalLoop_ = &loop;
        loop.exec();
        modalLoop_ = nullptr;
    }
    std::erase(rt_->modalStack_, this);
    if (window_)
        window_->setWindowModality(Qt::NonModal);
}

void Form::becomeDialogOf(Form* owner)
{
    dialog_ = true;
    makeDialogWindow(*window_, owner ? owner->window_.data() : nullptr, borderless_, topMost_);
    applyWindowGeometry();
}

void Form::afterFirstPainting(std::function<void()> task)
{
    if (!task)
        return;
    afterPainting_.push_back(std::move(task));
    if (painted_)
        startAfterPaintingTasks();
}

void Form::notePainted()
{
    if (painted_)
        return;
    painted_ = true;
    startAfterPaintingTasks();
}

void Form::startAfterPaintingTasks()
{
    if (afterPainting_.empty() || !window_)
        return;
    // Queued behind the painting, so the painted window reaches the screen first; the window
    // is the timer's context, so an unload that destroys it drops the tasks.
    QTimer::singleShot(0, window_, [this, tasks = std::exchange(afterPainting_, {})] {
        for (const auto& task : tasks)
            rt_->dispatch(task);
    });
}

void Form::hide()
{
    if (!loaded_)
        load();
    if (window_)
        window_->hide();
    quitModal();
}

void Form::quitModal()
{
    if (modalLoop_)
        modalLoop_->quit();
}

bool Form::visible() const { return loaded_ && window_ && window_->isVisible(); }

FormArea& Form::area()
{
    load();
    return *area_;
}

QWidget* Form::hWnd()
{
    load();
    return window_;
}

double Form::left()
{
    load();
    return left_;
}
double Form::top()
{
    load();
    return top_;
}
double Form::width()
{
    load();
    return width_;
}
double Form::height()
{
    load();
    return height_;
}
void Form::setLeft(double v) { move(v, top()); }
void Form::setTop(double v) { move(left(), v); }
void Form::setWidth(double v) { move(left(), top(), v); }
void Form::setHeight(double v) { move(left(), top(), -1, v); }

void Form::move(double left, double top, double width, double height)
{
    load();
    left_ = left;
    top_ = top;
    if (width >= 0)
        width_ = width;
    if (height >= 0)
        height_ = height;
    applyWindowGeometry();
}

void Form::applyWindowGeometry()
{
    if (!window_ || windowState_ != 0)
        return;
    syncing_ = true;
    const QRect g = pixelGeometry();
    // A dialog's size is fixed: the window manager offers no resizing or maximising.
    if (dialog_)
        window_->setFixedSize(g.size());
    window_->setGeometry(g);
    syncing_ = false;
}

void Form::syncFromWindow()
{
    // The window manager moved or sized the window (maximising, its own move): take its
    // pixels, but keep the exact twips when the pixels still agree. During a caption drag the
    // window is where the drag put it; the manager's answers to the drag's earlier moves come
    // late.
    if (!window_ || syncing_ || drag_.armed)
        return;
    const QRect g = window_->geometry();
    const QRect mine = pixelGeometry();
    const double tx = rt_->twipsPerPixelX(), ty = rt_->twipsPerPixelY();
    if (g.x() != mine.x())
        left_ = g.x() * tx;
    if (g.y() != mine.y())
        top_ = g.y() * ty;
    if (g.width() != mine.width())
        width_ = g.width() * tx;
    if (g.height() != mine.height())
        height_ = g.height() * ty;
}

void Form::noteWindowState()
{
    if (!window_ || syncing_)
        return;
    windowState_ = window_->isMinimized() ? 1 : window_->isMaximized() ? 2 : 0;
    // A modal dialog hidden while it blocks would leave every window of the program dead.
    if (windowState_ == 1 && std::ranges::find(rt_->modalStack_, this) != rt_->modalStack_.end())
        restoreMinimisedDialog(*window_, [this] {
            rt_->raiseTopMost();
            activate();
        });
}

QRect Form::pixelGeometry() const
{
    const double tx = rt_->twipsPerPixelX(), ty = rt_->twipsPerPixelY();
    return QRect(int(std::lround(left_ / tx)), int(std::lround(top_ / ty)),
        std::max(1, int(std::lround(width_ / tx))), std::max(1, int(std::lround(height_ / ty))));
}

QString Form::caption()
{
    load();
    return caption_;
}

void Form::setCaption(const QString& c)
{
    load();
    caption_ = c;
    showTitle();
}

void Form::showTitle()
{
    if (window_)
        window_->setWindowTitle(caption_.isEmpty() ? rt_->applicationTitle() : caption_);
}

Status Form::setIcon(const QString& path)
{
    load();
    auto pic = loadPicture(path);
    if (!pic)
        return pic.status();
    if (window_)
        window_->setWindowIcon(QIcon(QPixmap::fromImage(pic.value().image())));
    return {};
}

Status Form::setPicture(const QString& path) { return area().setPicture(path); }

void Form::setBackColor(uint32_t c) { area().setBackColor(c); }

int Form::windowState()
{
    load();
    if (window_ && window_->isVisible()) {
        if (window_->isMinimized())
            return 1;
        if (window_->isMaximized())
            return 2;
        return 0;
    }
    return windowState_;
}

void Form::setWindowState(int s)
{
    load();
    windowState_ = s;
    if (!window_)
        return;
    if (s == 2) {
        const QRect r = rt_->screenRect();
        if (window_->isVisible())
            window_->showMaximized();
        // Report the maximised size at once; the window manager may take longer.
        left_ = r.x() * rt_->twipsPerPixelX();
        top_ = r.y() * rt_->twipsPerPixelY();
        width_ = r.width() * rt_->twipsPerPixelX();
        height_ = r.height() * rt_->twipsPerPixelY();
    } else if (s == 1) {
        if (window_->isVisible())
            window_->showMinimized();
    } else {
        if (window_->isVisible())
            window_->showNormal();
        applyWindowGeometry();
    }
}

void Form::setBorderless(bool b)
{
    // A design property: kept for the window that the next load creates.
    borderless_ = b;
    if (window_)
        window_->setWindowFlag(Qt::FramelessWindowHint, b);
}

void Form::setCentered(bool c) { centered_ = c; }

void Form::setTopMost(bool topMost)
{
    load();
    if (!window_ || topMost_ == topMost)
        return;
    topMost_ = topMost;
    if (topMost)
        rt_->noteTopMost(*this);
    else
        rt_->forgetTopMost(*this);
    const bool wasVisible = window_->isVisible();
    // Changing the flag hides the window; show it again where it was.
    window_->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    applyWindowGeometry();
    if (wasVisible)
        window_->show();
}

void Form::bringToFront()
{
    load();
    if (!window_ || !window_->isVisible())
        return;
    window_->raise();
    if (topMost_)
        rt_->noteTopMost(*this);
    rt_->raiseTopMost();
}

void Form::watchKeys()
{
    QWindow* handle = window_ ? window_->windowHandle() : nullptr;
    if (!keyTarget_ || !handle || keyForward_)
        return;
    auto* filter = new KeyForward(*this);
    filter->setParent(handle); // goes with the window
    handle->installEventFilter(filter);
    keyForward_ = filter;
}

void Form::activate()
{
    if (window_ && window_->isVisible() && !window_->isMinimized())
        window_->activateWindow();
}

void Form::startSystemMove(std::function<void()> afterMove)
{
    if (!window_)
        return;
    drag_ = CaptionDrag {};
    drag_.armed = true;
    drag_.pressGlobal = rt_->pressPosition();
    drag_.windowAtPress = window_->geometry().topLeft(); // without the frame, as move() places it
    drag_.afterMove = std::move(afterMove);
}

bool Form::captionDragMove(QPoint global, bool leftHeld)
{
    if (!drag_.armed)
        return false;
    if (!leftHeld || !window_) {
        // The button went up: the drag is over, whether or not it moved anything.
        std::function<void()> afterMove = std::move(drag_.afterMove);
        drag_ = CaptionDrag {};
        if (window_)
            rt_->dispatch(afterMove);
        return true;
    }
    // The window is moved here, also under a window manager: the manager's own move starts from
    // where the pointer is when it takes over, so the first stretch of the drag was lost, and it
    // keeps the release to itself. A maximised window stays in place.
    if (windowState_ != 0)
        return true;
    const QPoint to = drag_.windowAtPress + (global - drag_.pressGlobal);
    move(to.x() * rt_->twipsPerPixelX(), to.y() * rt_->twipsPerPixelY());
    return true;
}

void Form::closeRequest()
{
    int cancel = 0;
    rt_->dispatch([&] { Form_QueryUnload(cancel); });
    if (cancel == 0)
        unload();
}

MenuItem& Form::menuBar()
{
    load();
    return *menuBar_;
}

void Form::popupMenu(MenuItem& menu, const std::optional<PopupPlace>& place)
{
    load();
    // A menu without a visible entry would show as an empty frame that chooses nothing.
    if (!menu.hasVisibleChildren())
        return;
    MenuItem* chosen = nullptr;
    if (rt_->popupDriver) {
        chosen = rt_->popupDriver(*this, menu, place);
    } else {
        std::function<void(QMenu&, MenuItem&)> fill = [&](QMenu& qm, MenuItem& m) {
            for (const auto& item : m.items()) {
                if (!item->visible)
                    continue;
                if (item->isSeparator()) {
                    qm.addSeparator();
                    continue;
                }
                QString text = item->caption;
                if (item->hasVisibleChildren()) {
                    QMenu* sub = qm.addMenu(text);
                    sub->setEnabled(item->enabled);
                    fill(*sub, *item);
                } else {
                    QAction* a = qm.addAction(text);
                    a->setEnabled(item->enabled);
                    a->setCheckable(item->checked);
                    a->setChecked(item->checked);
                    MenuItem* target = item.get();
                    QObject::connect(
                        a, &QAction::triggered, [&chosen, target] { chosen = target; });
                }
            }
        };
        QMenu qm(window_);
        fill(qm, menu);
        QPoint at = QCursor::pos();
        if (place && window_) {
            at = window_->mapToGlobal(QPoint(qRound(place->x / rt_->twipsPerPixelX()),
                qRound(place->y / rt_->twipsPerPixelY())));
            if (place->rightAligned)
                at.rx() -= qm.sizeHint().width();
        }
        qm.exec(at);
    }
    if (chosen && chosen->Click) {
        Handler h = chosen->Click;
        rt_->dispatch(h);
    }
}

void Form::noteFocus(Control* c)
{
    if (focused_ == c)
        return;
    Control* old = focused_;
    focused_ = c;
    if (old && old->LostFocus)
        rt_->dispatch(old->LostFocus);
    if (c && c->GotFocus)
        rt_->dispatch(c->GotFocus);
}

void Form::forgetControl(Control* c)
{
    if (focused_ == c)
        focused_ = nullptr;
}

void Form::retire(std::shared_ptr<void> controls) { rt_->retire(std::move(controls)); }

} // namespace plat
