#include "support/virtualclock.h"

#include <algorithm>

namespace testsupport {

struct VirtualClock::Entry {
    std::function<void()> fire;
    bool armed = false;
    int interval = 0;
    qint64 due = 0;
    quint64 serial = 0; // order of arming, breaks ties between equal due times
};

class VirtualTimer : public plat::TimerBackend {
public:
    VirtualTimer(VirtualClock& clock, std::function<void()> fire)
        : clock_(clock)
        , list_(clock.entries_)
    {
        entry_.fire = std::move(fire);
        list_->push_back(&entry_);
    }
    ~VirtualTimer() override
    {
        auto& v = *list_;
        v.erase(std::remove(v.begin(), v.end(), &entry_), v.end());
    }
    void start(int intervalMs) override
    {
        entry_.armed = intervalMs > 0;
        entry_.interval = intervalMs;
        entry_.due = clock_.now_ + intervalMs;
        entry_.serial = clock_.nextSerial_++;
    }
    void stop() override { entry_.armed = false; }

private:
    VirtualClock& clock_;
    std::shared_ptr<std::vector<VirtualClock::Entry*>> list_;
    VirtualClock::Entry entry_;
};

VirtualClock::VirtualClock()
    : entries_(std::make_shared<std::vector<Entry*>>())
{
}

VirtualClock::~VirtualClock() = default;

std::unique_ptr<plat::TimerBackend> VirtualClock::createTimer(std::function<void()> fire)
{
    return std::make_unique<VirtualTimer>(*this, std::move(fire));
}

void VirtualClock::advance(qint64 ms)
{
    const qint64 end = now_ + ms;
    for (;;) {
        Entry* next = nullptr;
        for (Entry* e : *entries_) {
            if (!e->armed || e->due > end)
                continue;
            if (!next || e->due < next->due || (e->due == next->due && e->serial < next->serial))
                next = e;
        }
        if (!next)
            break;
        now_ = next->due;
        // Re-arm before firing, so a handler that stops its own timer wins.
        next->due += next->interval;
        next->serial = nextSerial_++;
        auto fire = next->fire; // the handler may destroy the timer
        fire();
    }
    now_ = end;
}

qint64 VirtualClock::runUntilIdle(qint64 limitMs)
{
    const qint64 start = now_;
    while (armedCount() > 0 && now_ - start < limitMs) {
        qint64 nextDue = -1;
        for (Entry* e : *entries_)
            if (e->armed && (nextDue < 0 || e->due < nextDue))
                nextDue = e->due;
        advance(std::min(nextDue, start + limitMs) - now_);
    }
    return now_ - start;
}

int VirtualClock::armedCount() const
{
    return int(
        std::count_if(entries_->begin(), entries_->end(), [](Entry* e) { return e->armed; }));
}

} // namespace testsupport
