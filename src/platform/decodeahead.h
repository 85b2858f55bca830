#pragma once

// Decoding ahead: a window that will show large pictures soon (the home window behind the
// splash) has them decoded on a worker thread while the program waits anyway.

#include "platform/picture.h"

#include <vector>

namespace plat {

// Decodes the pictures on a worker thread and returns at once. A window that loads one of them
// later (from the picture cache, as the same file) finds it decoded, or waits for the decoding
// under way: the image is the same either way.
void decodeAhead(std::vector<Picture> pictures);

} // namespace plat
