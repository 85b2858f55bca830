#pragma once

// Where timers get their time. The program runs on the real clock (Qt timers in the event loop);
// tests run on a virtual clock of their own support library that fires due ticks only when the
// test advances it.

#include <QtGlobal>

#include <functional>
#include <memory>

namespace plat {

// One timer's hook into a clock. start() (re)arms it with an interval; stop() disarms it.
class TimerBackend {
public:
    virtual ~TimerBackend() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale (only differences mean anything).
    virtual qint64 nowMs() const = 0;
    virtual std::unique_ptr<TimerBackend> createTimer(std::function<void()> fire) = 0;
};

// Qt timers: ticks come from the event loop, nested loops (modal windows, waits) included.
class RealClock : public Clock {
public:
    qint64 nowMs() const override;
    std::unique_ptr<TimerBackend> createTimer(std::function<void()> fire) override;
};

} // namespace plat
