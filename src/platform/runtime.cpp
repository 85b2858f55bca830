#include "platform/runtime.h"

#include "platform/form.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <exception>

namespace plat {

Runtime::Runtime(std::unique_ptr<Clock> clock, Services services, QString programDir)
    : clock_(std::move(clock))
    , services_(std::move(services))
    , programDir_(std::move(programDir))
{
    // Qt scales for high-dpi screens itself; its logical dpi is what the design sees.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        scaleX_ = 96.0 / s->logicalDotsPerInchX();
        scaleY_ = 96.0 / s->logicalDotsPerInchY();
    }
}

Runtime::~Runtime()
{
    graveyard_.clear();
    for (auto& [type, form] : forms_)
        form->quitModal();
}

std::vector<Form*> Runtime::forms() const
{
    std::vector<Form*> v;
    for (const auto& [type, form] : forms_)
        v.push_back(form.get());
    return v;
}

QRect Runtime::screenRect() const
{
    if (screenOverride_)
        return *screenOverride_;
    if (QScreen* s = QGuiApplication::primaryScreen())
        return s->geometry();
    return QRect(0, 0, 1024, 768);
}

double Runtime::screenWidthTwips() const { return screenRect().width() * twipsPerPixelX(); }
double Runtime::screenHeightTwips() const { return screenRect().height() * twipsPerPixelY(); }

QCursor Runtime::cursorOf(const Picture& icon) const
{
    const QImage& image = icon.image();
    auto it = cursors_.find(image.cacheKey());
    if (it == cursors_.end() || it->hotSpot() != icon.hotSpot()) {
        if (cursors_.size() >= 16)
            cursors_.clear();
        it = cursors_.insert(image.cacheKey(),
            QCursor(QPixmap::fromImage(image), icon.hotSpot().x(), icon.hotSpot().y()));
    }
    return *it;
}

void Runtime::setApplicationTitle(const QString& title)
{
    applicationTitle_ = title;
    for (auto& [type, form] : forms_)
        form->showTitle();
}

QPoint Runtime::pointerPosition() const { return pointerDriver ? pointerDriver() : QCursor::pos(); }

void Runtime::end()
{
    if (ended_)
        return;
    ended_ = true;
    for (auto& [type, form] : forms_)
        form->unload();
    if (onEnd)
        onEnd();
}

void Runtime::dispatch(const std::function<void()>& handler)
{
    if (!handler)
        return;
    ++depth_;
    try {
        handler();
    } catch (const std::exception& e) {
        report(QStringLiteral("event"), Error { 0, QString::fromUtf8(e.what()) });
    } catch (...) {
        report(QStringLiteral("event"), Error { 0, QStringLiteral("unknown failure") });
    }
    --depth_;
    if (depth_ == 0 && !graveyard_.empty())
        QTimer::singleShot(0, [alive = std::weak_ptr<bool>(alive_), this] {
            if (!alive.expired())
                purge();
        });
}

void Runtime::retire(std::shared_ptr<void> p)
{
    if (!p)
        return;
    graveyard_.push_back(std::move(p));
    if (depth_ == 0)
        QTimer::singleShot(0, [alive = std::weak_ptr<bool>(alive_), this] {
            if (!alive.expired())
                purge();
        });
}

void Runtime::purge()
{
    if (depth_ > 0)
        return; // the dispatch that ends later schedules another purge
    // In retirement order: a form's controls before its client area.
    auto dead = std::move(graveyard_);
    graveyard_.clear();
    for (auto& p : dead)
        p.reset();
}

void Runtime::noteTopMost(Form& f)
{
    std::erase(topOrder_, &f);
    topOrder_.push_back(&f);
}

void Runtime::raiseTopMost()
{
    // Raising may activate nothing, but a window system's answer can come back as an activation
    // of one of these windows while this runs.
    if (raising_)
        return;
    raising_ = true;
    auto raise = [](QWidget* w) {
        if (w && w->isVisible())
            w->raise();
    };
    for (Form* f : std::vector<Form*>(topOrder_))
        if (f->visible() && f->topMost_)
            raise(f->window_);
    for (Form* f : std::vector<Form*>(modalStack_))
        if (f->visible())
            raise(f->window_);
    // A standard dialog (a message box) is no form; it stands above every form.
    if (QWidget* dialog = QApplication::activeModalWidget())
        raise(dialog);
    raising_ = false;
}

Form* Runtime::latestShown(bool throughKeyTarget) const
{
    if (Form* modal = activeModal(); modal && modal->visible())
        return modal;
    for (auto it = activeOrder_.rbegin(); it != activeOrder_.rend(); ++it) {
        Form* f = *it;
        if (!f->visible() || f->window_->isMinimized())
            continue;
        Form* target = throughKeyTarget ? f->keyTarget() : nullptr;
        return target && target->visible() ? target : f;
    }
    return nullptr;
}

void Runtime::noteActivated(Form& f)
{
    std::erase(activeOrder_, &f);
    activeOrder_.push_back(&f);
}

void Runtime::report(const QString& tag, const Error& e)
{
    if (reportHook)
        reportHook(tag, e);
}

} // namespace plat
