#include "platform/decodeahead.h"

#include <QThreadPool>

#include <utility>

namespace plat {

void decodeAhead(std::vector<Picture> pictures)
{
    if (pictures.empty())
        return;
    // The pool waits for its tasks when the program ends, so no decoding outlives it.
    QThreadPool::globalInstance()->start([pictures = std::move(pictures)] {
        for (const Picture& p : pictures)
            p.image();
    });
}

} // namespace plat
