#include "platform/decodeahead.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <utility>

namespace plat {

namespace {

    // One worker: pictures decoded ahead one at a time hold one picture's memory at a time and
    // leave the main thread's core to it. The application owns the pool, so its destruction
    // waits for the work under way and no decoding outlives the program.
    QThreadPool& pool()
    {
        static QPointer<QThreadPool> instance;
        if (!instance) {
            instance = new QThreadPool(QCoreApplication::instance());
            instance->setMaxThreadCount(1);
        }
        return *instance;
    }

    std::atomic<quint64> newestNext { 0 };

} // namespace

void decodeAhead(std::vector<Picture> pictures)
{
    if (pictures.empty())
        return;
    pool().start([pictures = std::move(pictures)] {
        for (const Picture& p : pictures)
            p.image();
    });
}

void decodeNextAhead(QStringList paths)
{
    const quint64 ticket = ++newestNext;
    if (paths.isEmpty())
        return;
    pool().start([paths = std::move(paths), ticket] {
        loadAhead(paths, [ticket] { return newestNext == ticket; });
    });
}

void waitForDecodingAhead() { pool().waitForDone(); }

} // namespace plat
