#pragma once

// The one rounding rule of the system: to the nearest integer, halves to the even neighbour
// ("banker's rounding": 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2), for every fractional value
// that becomes an integer: a record field "2.5" reads as 2, and a scaled coordinate or a
// control's centre rounds the same way wherever it is computed. It relies on the default
// floating-point rounding mode, which nothing in the program changes.

#include <cmath>

namespace plat {

inline double roundHalfEven(double v) { return std::nearbyint(v); }

} // namespace plat
