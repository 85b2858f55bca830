#pragma once

// The design of the simulated application window that the practice window FrmMain and the
// demonstration window FrmYanShi both show: the window's size, the chrome panels and where
// ToolCSH puts them, the design rectangles of the step controls and the colours of the frames.
// Twips of the 96-dpi layout; x values are multiplied by ScaleX, y values by ScaleY where a
// window applies them at run time.

#include "platform/controls.h"

#include <cstdint>

namespace workspace::design {

// Left, Top, Width, Height in design twips.
struct Rect {
    double left, top, width, height;
};
inline void place(plat::Control& c, const Rect& r) { c.move(r.left, r.top, r.width, r.height); }

inline constexpr double kWindowWidth = 12000;
inline constexpr double kWindowHeight = 9000;

// Chrome panels: their design rectangles, which are also where ToolCSH puts them.
inline constexpr Rect kMenuBar { 0, 0, 11985, 900 }; // 799 x 60 pixels
inline constexpr Rect kOptionsBar { 60, 915, 11550, 450 }; // 770 x 30 pixels
inline constexpr Rect kToolbox { 60, 1425, 900, 5400 };
inline constexpr Rect kElse { 0, 0, 1500, 1500 };
inline constexpr Rect kHotspot { 0, 0, 495, 375 };
inline constexpr double kHotspot0Top = 240; // kept unscaled

// Step controls before a step places them.
inline constexpr Rect kHint { 6000, 4000, 2700, 300 };
inline constexpr Rect kYellowFrame { 16200, 5520, 975,
    375 }; // outside the window until a step places it
inline constexpr Rect kText1 { 0, 0, 1500, 285 };
inline constexpr Rect kList { 0, 0, 1800, 1200 };
inline constexpr Rect kLocationList { 0, 0, 3915, 3720 }; // 261 x 248 pixels
inline constexpr Rect kDropDown { 30000, 30000, 3600, 4800 };
inline constexpr Rect kBackLabel { -1, -1, 1095, 285 };
inline constexpr double kStrip = 15; // border strips around the list box

// Colours (0xBBGGRR).
inline constexpr uint32_t kRed = 0x0000FF; // target frame, hint text
inline constexpr uint32_t kGreen = 0x00FF00; // frame of the second area
inline constexpr uint32_t kYellow = 0x00FFFF; // frame that follows the hint
inline constexpr uint32_t kWindowGrey = 0xC0C0C0;
inline constexpr uint32_t kStripColour = 0xB99D7F;
inline constexpr uint32_t kHintBack = 0xC0FFFF;

// Design looks both windows give their controls.
inline void transparent(plat::Label& l) { l.setBackStyle(0); }
inline void frame(plat::Shape& s, uint32_t colour)
{
    s.setBorderColor(colour);
    s.setBorderWidth(2);
    s.setFillStyle(1);
}
// The tab-strip labels 0..13; label 0 doubles as the back button until a step places it.
inline void designTabLabels(plat::ControlArray<plat::Label>& tabs)
{
    for (int i = 0; i <= 13; ++i) {
        plat::Label& tab = tabs.create(i);
        transparent(tab);
        tab.setAlignment(2);
    }
    place(tabs[0], kBackLabel);
}
// The hint label: red bold text on light yellow, sized to its text.
inline void designHintLabel(plat::Label& hint)
{
    hint.setBackColor(kHintBack);
    hint.setForeColor(kRed);
    hint.setFontBold(true);
    hint.setAutoSize(true);
    place(hint, kHint);
}

} // namespace workspace::design
