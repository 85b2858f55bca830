#pragma once

// A timing helper for loops that must act at most once per interval, measure elapsed time and
// honour pause and stop requests without blocking window events. The owner calls InitTick at
// the start of a run, polls DoTickEvents from its loop and calls OverTick at the end.
//
// Time comes from the runtime's monotonic 64-bit clock, so differences neither overflow nor
// change sign however long the machine has been up.

#include "platform/clock.h"

#include <QtGlobal>

#include <functional>

namespace shell {

class P_Cls_Tick {
public:
    explicit P_Cls_Tick(plat::Clock& clock);

    // Events.
    std::function<void()> TickOk; // an interval elapsed in DoTickEvents
    std::function<void(bool)> Busy; // new busy state: InitTick (true), OverTick (false)
    std::function<void(bool)> HavePause; // oPause written, or reset by InitTick
    std::function<void(bool)> HaveStop; // oStop written

    // Milliseconds since the start of the run (or creation).
    qint64 CrossedTick() const;
    qint64 CrossedTicks() const { return CrossedTick(); }
    // Starts a run; false, with nothing changed or raised, while a run is busy.
    bool InitTick(bool bResetPauseAndStop);
    void OverTick();
    // Waits, with window events flowing, while paused and not stopped. A negative wait per
    // round counts as 0.
    void WaitPauseOrStop(qint64 lWaitTime);
    // True, after raising TickOk, when lTicks ms have passed since the last tick.
    bool DoTickEvents(qint64 lTicks, bool bWaitPauseOrStopForOver, qint64 lWaitPauseOrStopWaitTime);

    bool oPause() const { return pause_; }
    void setOPause(bool vNewValue); // raises HavePause even when unchanged
    bool oStop() const { return stop_; }
    void setOStop(bool vNewValue); // raises HaveStop even when unchanged
    bool isBusy() const { return busy_; }

private:
    // Waits at least once, in rounds of at most 10 ms, until `ms` have passed, handling the
    // window events that arrive meanwhile.
    void WaitTick(qint64 ms);

    plat::Clock& clock_;
    qint64 startTick_ = 0; // clock at creation or at the last successful InitTick
    qint64 lastTick_ = 0; // clock at the last TickOk (or the start)
    bool pause_ = false; // oPause
    bool stop_ = false; // oStop
    bool busy_ = false; // isBusy
};

} // namespace shell
