#pragma once

// The two pictures the question panel carries in its own design rather than in the module's
// skin folder: the folded strip and the candidate's portrait placeholder.

#include "platform/picture.h"

namespace exercise {

// 54 x 58 pixels: "显示题框" in white on a blue bar above a document with a pencil.
plat::Picture foldedStripPicture();
// 138 x 188 pixels: a green silhouette of a graduate in a mortarboard holding a rolled
// diploma, on white.
plat::Picture portraitPicture();

} // namespace exercise
