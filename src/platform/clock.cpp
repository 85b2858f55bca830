#include "platform/clock.h"

#include <QElapsedTimer>
#include <QTimer>

namespace plat {

namespace {

    class QtTimerBackend : public TimerBackend {
    public:
        explicit QtTimerBackend(std::function<void()> fire)
        {
            timer_.setTimerType(Qt::PreciseTimer);
            QObject::connect(&timer_, &QTimer::timeout, std::move(fire));
        }
        void start(int intervalMs) override { timer_.start(intervalMs); }
        void stop() override { timer_.stop(); }

    private:
        QTimer timer_;
    };

    const QElapsedTimer& processClock()
    {
        static QElapsedTimer t = [] {
            QElapsedTimer e;
            e.start();
            return e;
        }();
        return t;
    }

} // namespace

qint64 RealClock::nowMs() const { return processClock().elapsed(); }

std::unique_ptr<TimerBackend> RealClock::createTimer(std::function<void()> fire)
{
    return std::make_unique<QtTimerBackend>(std::move(fire));
}

} // namespace plat
