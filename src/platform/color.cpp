#include "platform/color.h"

#include <array>

namespace plat {

namespace {

    // The classic desktop scheme, index = system colour number.
    constexpr std::array<uint32_t, 25> kSystemColors = {
        0xC8D0D4, // 0 scroll bar
        0xA56E3A, // 1 desktop
        0x6A240A, // 2 active caption
        0x808080, // 3 inactive caption
        0xF0F0F0, // 4 menu bar
        0xFFFFFF, // 5 window background
        0x000000, // 6 window frame
        0x000000, // 7 menu text
        0x000000, // 8 window text
        0xFFFFFF, // 9 caption text
        0xC8D0D4, // 10 active border
        0xC8D0D4, // 11 inactive border
        0x808080, // 12 application workspace
        0xFF9933, // 13 highlight (B=FF G=99 R=33)
        0xFFFFFF, // 14 highlight text
        0xF0F0F0, // 15 button face
        0xA0A0A0, // 16 button shadow
        0x6D6D6D, // 17 grey text
        0x000000, // 18 button text
        0x000000, // 19 inactive caption text
        0xFFFFFF, // 20 button highlight
        0x404040, // 21 3D dark shadow
        0xE3E3E3, // 22 3D light
        0x000000, // 23 tooltip text
        0xE1FFFF, // 24 tooltip background
    };

} // namespace

QColor toQColor(uint32_t value)
{
    if (value & 0x80000000u) {
        uint32_t index = value & 0xFFu;
        value = index < kSystemColors.size() ? kSystemColors[index] : 0;
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

uint32_t fromQColor(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

} // namespace plat
