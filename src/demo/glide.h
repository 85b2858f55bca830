#pragma once

// The demonstration pointer's movement as pure rules: the glide set-up of a leg, the arrival
// test of every glide tick, the centre of a control, the fourteen segments of the drawn arrow
// and the colour of the click ring. Positions are twips of the demonstration window.

#include <QString>

#include <array>
#include <cstdint>

namespace demo {

// The nearest whole number, an exact half to the even neighbour (plat::roundHalfEven), held as
// a 16-bit or 32-bit integer and clamped to the type's range.
int16_t toInt16(double v);
int32_t toInt32(double v);

// One leg: the major axis advances a fifteenth of the straight-line distance a tick, the minor
// axis in proportion; each increment is rounded on its own.
struct Glide {
    double step = 0; // GlideStep, unrounded
    int16_t dx = 0; // GlideDX
    int16_t dy = 0; // GlideDY
    bool operator==(const Glide&) const = default;
};
Glide glideSetup(int32_t pointerX, int32_t pointerY, int32_t targetX, int32_t targetY);

// Whether the pointer has arrived: both gaps within 1.2 glide steps, or closer than 1.5 glide
// steps, or closer than 120 x ScaleX twips. The pointer is never snapped onto the target.
bool arrived(int32_t pointerX, int32_t pointerY, int32_t targetX, int32_t targetY, double step,
    double scaleX);

// The centre coordinate of a control's side: pos + size / 2, rounded half to even.
int32_t centreOf(double pos, double size);

// The arrow at the pointer: segments 0..7 the outline (1 pixel, window-text colour), 8..13 the
// white fill (2 pixels). Window twips, unrounded.
struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Segment&) const = default;
};
inline constexpr int kOutlineSegments = 8;
inline constexpr int kFillSegments = 6;
std::array<Segment, kOutlineSegments + kFillSegments> arrowSegments(
    double pointerX, double pointerY, double scaleX, double scaleY);

// The click ring's colour for a step: green for a double-click, yellow for a right click and
// for context menus of families 3 and 4, red otherwise.
uint32_t ringColour(const QString& actionCode);

} // namespace demo
