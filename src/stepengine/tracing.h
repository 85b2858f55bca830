#pragma once

// What the step loader and its dialog stages both do to the target area and its red frame.

#include "platform/controls.h"

namespace stepengine {

// A click area switched off: less than a pixel, unscaled.
inline constexpr double kOneTwip = 1;

// The Shape traces the control's rectangle, Left, Top, Width, Height in this order.
inline void trace(plat::Shape& s, const plat::Control& c)
{
    s.setLeft(c.left());
    s.setTop(c.top());
    s.setWidth(c.width());
    s.setHeight(c.height());
}

} // namespace stepengine
