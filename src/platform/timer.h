#pragma once

#include "platform/events.h"

#include <QString>

#include <memory>

namespace plat {

class Form;
class TimerBackend;

// A form's timer. Ticks come only from the clock (the event loop, or a test's virtual clock).
// Enabling an enabled timer adds no tick; setting the interval while enabled restarts the wait;
// disabling cancels a pending tick; a tick handler still running is not entered again by its
// own timer; an interval of 0 never ticks.
class Timer {
public:
    Timer(Form& form, QString name, int intervalMs = 0, bool enabled = false);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const QString& name() const { return name_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    int interval() const { return interval_; }
    void setInterval(int ms);

    Handler Tick; // the Timer event

private:
    void fire();
    void rearm();
    Form& form_;
    QString name_;
    int interval_ = 0;
    bool enabled_ = false;
    bool inTick_ = false;
    std::unique_ptr<TimerBackend> backend_;
};

} // namespace plat
