// The tick class: runs, due ticks, pause and stop, and waits that keep events flowing.

#include "shell/tick.h"

#include "support/virtualclock.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>

using shell::P_Cls_Tick;

namespace {

class TickTest : public ::testing::Test {
protected:
    TickTest()
    {
        tick.TickOk = [this] { log << "TickOk"; };
        tick.Busy = [this](bool b) { log << QStringLiteral("Busy(%1)").arg(b); };
        tick.HavePause = [this](bool b) { log << QStringLiteral("HavePause(%1)").arg(b); };
        tick.HaveStop = [this](bool b) { log << QStringLiteral("HaveStop(%1)").arg(b); };
    }

    testsupport::VirtualClock clock;
    P_Cls_Tick tick { clock };
    QStringList log;
};

TEST_F(TickTest, ASecondInitTickBeforeOverTickChangesAndRaisesNothing)
{
    clock.advance(1000);
    ASSERT_TRUE(tick.InitTick(true));
    EXPECT_EQ(log, (QStringList { "HavePause(0)", "Busy(1)" }));
    tick.setOPause(true);
    clock.advance(250);
    log.clear();
    EXPECT_FALSE(tick.InitTick(true));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(tick.oPause());
    EXPECT_EQ(tick.CrossedTick(), 250);
    tick.OverTick();
    EXPECT_EQ(log, QStringList { "Busy(0)" });
    EXPECT_FALSE(tick.isBusy());
}

TEST_F(TickTest, InitTickResetsStopSilentlyAndKeepsFlagsWhenAskedTo)
{
    tick.setOPause(true);
    tick.setOStop(true);
    ASSERT_TRUE(tick.InitTick(false));
    EXPECT_TRUE(tick.oPause());
    EXPECT_TRUE(tick.oStop());
    tick.OverTick();
    log.clear();
    ASSERT_TRUE(tick.InitTick(true));
    EXPECT_FALSE(tick.oPause());
    EXPECT_FALSE(tick.oStop());
    EXPECT_FALSE(log.contains("HaveStop(0)"));
}

TEST_F(TickTest, WritingAFlagRaisesItsEventEvenWhenUnchanged)
{
    tick.setOPause(false);
    tick.setOPause(false);
    tick.setOStop(false);
    EXPECT_EQ(log, (QStringList { "HavePause(0)", "HavePause(0)", "HaveStop(0)" }));
}

TEST_F(TickTest, ATickIsDueOnceItsIntervalHasPassedSinceTheLastOne)
{
    ASSERT_TRUE(tick.InitTick(false));
    log.clear();
    EXPECT_FALSE(tick.DoTickEvents(100, false, 0));
    clock.advance(99);
    EXPECT_FALSE(tick.DoTickEvents(100, false, 0));
    clock.advance(1);
    EXPECT_TRUE(tick.DoTickEvents(100, false, 0));
    EXPECT_FALSE(tick.DoTickEvents(100, false, 0)); // counted from this tick on
    EXPECT_EQ(log, QStringList { "TickOk" });
    // An interval of 0 (or below) is due on every call.
    for (qint64 interval : { 0, -5 })
        EXPECT_TRUE(tick.DoTickEvents(interval, false, 0)) << interval;
}

TEST_F(TickTest, TimesBeyond32BitsNeitherOverflowNorTurnNegative)
{
    ASSERT_TRUE(tick.InitTick(false));
    const qint64 long_ = qint64(std::numeric_limits<qint32>::max()) * 3; // about 74 days
    clock.advance(long_);
    EXPECT_EQ(tick.CrossedTick(), long_);
    EXPECT_EQ(tick.CrossedTicks(), long_);
    EXPECT_TRUE(tick.DoTickEvents(std::numeric_limits<qint32>::max(), false, 0));
}

TEST_F(TickTest, WaitPauseOrStopReturnsAtOnceUnlessPausedAndNotStopped)
{
    struct Case {
        bool pause, stop;
    };
    for (const Case c : { Case { false, false }, Case { true, true }, Case { false, true } }) {
        tick.setOPause(c.pause);
        tick.setOStop(c.stop);
        bool handled = false;
        QTimer::singleShot(0, [&] { handled = true; });
        tick.WaitPauseOrStop(10);
        // Returning at once means no event was handled on the way.
        EXPECT_FALSE(handled) << c.pause << c.stop;
        QCoreApplication::processEvents();
    }
}

TEST_F(TickTest, WhilePausedEventsKeepFlowingUntilAHandlerStopsTheRun)
{
    // The clock moves and a pause button is pressed only in event handlers, as in the program.
    for (qint64 wait : { qint64(20), qint64(-1) }) {
        tick.setOStop(false);
        tick.setOPause(true);
        int rounds = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            clock.advance(10);
            if (++rounds == 5)
                tick.setOStop(true);
        });
        ticker.start(1);
        tick.WaitPauseOrStop(wait);
        // It returns within the wait round in which the handler stopped it.
        EXPECT_GE(rounds, 5) << wait;
        EXPECT_LE(rounds, 8) << wait;
    }
}

TEST_F(TickTest, ADueTickWaitsOutAPauseThatItsOwnHandlerSets)
{
    ASSERT_TRUE(tick.InitTick(false));
    tick.TickOk = [&] {
        tick.setOPause(true);
        QTimer::singleShot(5, [&] {
            clock.advance(30);
            tick.setOPause(false);
        });
    };
    EXPECT_TRUE(tick.DoTickEvents(0, true, 10));
    EXPECT_FALSE(tick.oPause());
    EXPECT_GE(tick.CrossedTick(), 30);
}

} // namespace
