#pragma once

// The virtual clock of the tests and benchmarks: timers tick only when the test moves time on.

#include "platform/clock.h"

#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

namespace testsupport {

// Deterministic time for tests. advance(ms) moves time forward and fires every tick that falls
// due on the way, in order of due time; ticks due at the same moment fire in the order in which
// their timers were armed. A tick handler may arm, stop or advance nothing else: time only
// moves when the test says so.
class VirtualClock : public plat::Clock {
public:
    VirtualClock();
    ~VirtualClock() override;
    qint64 nowMs() const override { return now_; }
    std::unique_ptr<plat::TimerBackend> createTimer(std::function<void()> fire) override;

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

} // namespace testsupport
