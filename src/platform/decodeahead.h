#pragma once

// Decoding ahead: pictures a window will show soon (the home window behind the splash, the next
// step of an exercise while the learner works on this one) are decoded on a worker thread while
// the program waits anyway.

#include "platform/picture.h"

#include <QStringList>

#include <vector>

namespace plat {

// Decodes the pictures on the worker thread and returns at once. A window that loads one of
// them later (from the picture cache, as the same file) finds it decoded, or waits for the
// decoding under way: the image is the same either way.
void decodeAhead(std::vector<Picture> pictures);

// Loads and decodes the picture files of the step to be shown next (loadAhead) on the worker
// thread, and returns at once. A later call replaces an earlier one: only the newest next is
// worth its memory.
void decodeNextAhead(QStringList paths);

// Waits until every decoding ahead asked for so far has finished.
void waitForDecodingAhead();

} // namespace plat
