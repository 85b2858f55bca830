#include "shell/tick.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace shell {

P_Cls_Tick::P_Cls_Tick(plat::Clock& clock)
    : clock_(clock)
    , startTick_(clock.nowMs())
    , lastTick_(startTick_)
{
}

qint64 P_Cls_Tick::CrossedTick() const { return clock_.nowMs() - startTick_; }

bool P_Cls_Tick::InitTick(bool bResetPauseAndStop)
{
    if (busy_)
        return false;
    startTick_ = lastTick_ = clock_.nowMs();
    busy_ = true;
    if (bResetPauseAndStop) {
        pause_ = false;
        if (HavePause)
            HavePause(false);
        stop_ = false;
    }
    if (Busy)
        Busy(true);
    return true;
}

void P_Cls_Tick::OverTick()
{
    busy_ = false;
    if (Busy)
        Busy(false);
}

void P_Cls_Tick::setOPause(bool vNewValue)
{
    pause_ = vNewValue;
    if (HavePause)
        HavePause(vNewValue);
}

void P_Cls_Tick::setOStop(bool vNewValue)
{
    stop_ = vNewValue;
    if (HaveStop)
        HaveStop(vNewValue);
}

void P_Cls_Tick::WaitPauseOrStop(qint64 lWaitTime)
{
    // The flags change only in handlers that run inside the wait.
    while (pause_ && !stop_)
        WaitTick(lWaitTime);
}

bool P_Cls_Tick::DoTickEvents(
    qint64 lTicks, bool bWaitPauseOrStopForOver, qint64 lWaitPauseOrStopWaitTime)
{
    if (clock_.nowMs() - lastTick_ < lTicks)
        return false;
    lastTick_ = clock_.nowMs();
    if (TickOk)
        TickOk();
    if (bWaitPauseOrStopForOver)
        WaitPauseOrStop(lWaitPauseOrStopWaitTime);
    QCoreApplication::processEvents();
    return true;
}

void P_Cls_Tick::WaitTick(qint64 ms)
{
    // A negative wait would otherwise block until some input happened to arrive.
    ms = std::max<qint64>(ms, 0);
    const qint64 noted = clock_.nowMs();
    const int step = int(std::min<qint64>(ms, 10));
    do {
        // Wake at the end of the step or as soon as an event arrives, and handle what came.
        QTimer bound;
        bound.setSingleShot(true);
        bound.start(step);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    } while (clock_.nowMs() - noted < ms);
}

} // namespace shell
