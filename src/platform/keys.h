#pragma once

// Virtual-key codes and the Shift mask, in which the step records and the shortcut table name
// their keys, and their mapping from and to Qt's key events.

#include <QString>
#include <Qt>

class QKeyEvent;

namespace plat {

// Shift mask of mouse and key events.
namespace shiftmask {
    inline constexpr int Shift = 1;
    inline constexpr int Ctrl = 2;
    inline constexpr int Alt = 4;
}

// Mouse buttons (Button argument; in MouseMove the mask of buttons held).
namespace button {
    inline constexpr int Left = 1;
    inline constexpr int Right = 2;
    inline constexpr int Middle = 4;
}

namespace vk {
    inline constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18,
                         Pause = 19, Capital = 20, Escape = 27, Space = 32, Prior = 33, Next = 34,
                         End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
                         Insert = 45, Delete = 46, Numpad0 = 96, Multiply = 106, Add = 107,
                         Subtract = 109, Decimal = 110, Divide = 111, F1 = 112, F12 = 123,
                         NumLock = 144, Oem1 = 186 /* ;: */, OemPlus = 187, OemComma = 188,
                         OemMinus = 189, OemPeriod = 190, Oem2 = 191 /* /? */, Oem3 = 192 /* `~ */,
                         Oem4 = 219 /* [{ */, Oem5 = 220 /* \| */, Oem6 = 221 /* ]} */,
                         Oem7 = 222 /* '" */;
}

// The virtual-key code of a key event: letters A-Z 65-90, digits 48-57, keypad 96-111, F-keys
// 112-135, punctuation by key position on the US layout (X11 scan codes, else the character).
// 0 when the key has no code.
int virtualKey(const QKeyEvent& e);

// Shift mask from Qt modifiers. AltGr is not Ctrl+Alt: it adds nothing.
int shiftMask(Qt::KeyboardModifiers m);
Qt::KeyboardModifiers modifiersFromShift(int shift);

// Inverse mapping for scripted input: the Qt key and text a virtual key produces with the mask.
struct QtKey {
    int key = 0;
    QString text;
    Qt::KeyboardModifiers modifiers;
    quint32 nativeScanCode = 0;
};
QtKey qtKeyFor(int virtualKeyCode, int shift);

} // namespace plat
