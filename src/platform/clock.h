#pragma once

// Where timers get their time. The program runs on the real clock (Qt timers in the event loop);
// tests run on a virtual clock that fires due ticks only when the test advances it.

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

// Deterministic time for tests. advance(ms) moves time forward and fires every tick that falls
// due on the way, in order of due time; ticks due at the same moment fire in the order in which
// their timers were armed. A tick handler may arm, stop or advance nothing else: time only
// moves when the test says so.
class VirtualClock : public Clock {
public:
    VirtualClock();
    ~VirtualClock() override;
    qint64 nowMs() const override { return now_; }
    std::unique_ptr<TimerBackend> createTimer(std::function<void()> fire) override;

    void advance(qint64 ms);
    // Runs time forward until no timer is armed or `limitMs` has passed; returns the time used.
    qint64 runUntilIdle(qint64 limitMs);
    int armedCount() const;

private:
    struct Entry;
    friend class VirtualTimer;
    qint64 now_ = 0;
    quint64 nextSerial_ = 0;
    std::shared_ptr<std::vector<Entry*>> entries_;
};

} // namespace plat
