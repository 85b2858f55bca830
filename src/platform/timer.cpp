#include "platform/timer.h"

#include "platform/clock.h"
#include "platform/form.h"
#include "platform/runtime.h"

namespace plat {

Timer::Timer(Form& form, QString name, int intervalMs, bool enabled)
    : form_(form)
    , name_(std::move(name))
    , interval_(intervalMs)
    , enabled_(enabled)
{
    backend_ = form.runtime().clock().createTimer([this] { fire(); });
    form.addTimer(this);
    rearm();
}

Timer::~Timer()
{
    form_.removeTimer(this);
    if (backend_)
        backend_->stop();
}

void Timer::setEnabled(bool e)
{
    if (enabled_ == e)
        return;
    enabled_ = e;
    rearm();
}

void Timer::setInterval(int ms)
{
    interval_ = ms;
    rearm();
}

void Timer::rearm()
{
    if (enabled_ && interval_ > 0 && !form_.runtime().ended())
        backend_->start(interval_);
    else
        backend_->stop();
}

void Timer::fire()
{
    if (inTick_ || !enabled_)
        return;
    inTick_ = true;
    // The handler may unload the form, which retires this timer: it stays alive until the
    // dispatch depth drops to 0, so the flag can still be cleared here.
    form_.runtime().dispatch([this] {
        if (Tick)
            Tick();
    });
    inTick_ = false;
}

} // namespace plat
