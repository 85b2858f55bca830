#pragma once

#include <QColor>

#include <cstdint>

namespace plat {

// Colours are 0x00BBGGRR values, red in the low byte, as the window designs and the product
// information write them. A value with the high bit set names a system colour by its index in
// the low byte.
QColor toQColor(uint32_t value);
uint32_t fromQColor(const QColor& c);
inline constexpr uint32_t rgb(int r, int g, int b)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}

// Frequently used system colours.
namespace syscolor {
    inline constexpr uint32_t ButtonFace = 0x8000000F;
    inline constexpr uint32_t ButtonText = 0x80000012;
    inline constexpr uint32_t Window = 0x80000005;
    inline constexpr uint32_t WindowText = 0x80000008;
    inline constexpr uint32_t Highlight = 0x8000000D;
    inline constexpr uint32_t HighlightText = 0x8000000E;
}

} // namespace plat
