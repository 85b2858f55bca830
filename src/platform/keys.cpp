#include "platform/keys.h"

#include <QKeyEvent>

#include <array>

namespace plat {

namespace {

    struct PunctRow {
        int vk;
        quint32 x11ScanCode; // evdev code + 8
        char plain;
        char shifted;
        Qt::Key key;
    };

    // Punctuation keys by position on the US layout.
    constexpr std::array<PunctRow, 11> kPunct = { {
        { vk::Oem3, 49, '`', '~', Qt::Key_QuoteLeft },
        { vk::OemMinus, 20, '-', '_', Qt::Key_Minus },
        { vk::OemPlus, 21, '=', '+', Qt::Key_Equal },
        { vk::Oem4, 34, '[', '{', Qt::Key_BracketLeft },
        { vk::Oem6, 35, ']', '}', Qt::Key_BracketRight },
        { vk::Oem5, 51, '\\', '|', Qt::Key_Backslash },
        { vk::Oem1, 47, ';', ':', Qt::Key_Semicolon },
        { vk::Oem7, 48, '\'', '"', Qt::Key_Apostrophe },
        { vk::OemComma, 59, ',', '<', Qt::Key_Comma },
        { vk::OemPeriod, 60, '.', '>', Qt::Key_Period },
        { vk::Oem2, 61, '/', '?', Qt::Key_Slash },
    } };

    struct NamedRow {
        int vk;
        Qt::Key key;
    };

    constexpr std::array<NamedRow, 23> kNamed = { {
        { vk::Back, Qt::Key_Backspace },
        { vk::Tab, Qt::Key_Tab },
        { vk::Return, Qt::Key_Return },
        { vk::Return, Qt::Key_Enter },
        { vk::Shift, Qt::Key_Shift },
        { vk::Control, Qt::Key_Control },
        { vk::Menu, Qt::Key_Alt },
        { vk::Pause, Qt::Key_Pause },
        { vk::Capital, Qt::Key_CapsLock },
        { vk::Escape, Qt::Key_Escape },
        { vk::Space, Qt::Key_Space },
        { vk::Prior, Qt::Key_PageUp },
        { vk::Next, Qt::Key_PageDown },
        { vk::End, Qt::Key_End },
        { vk::Home, Qt::Key_Home },
        { vk::Left, Qt::Key_Left },
        { vk::Up, Qt::Key_Up },
        { vk::Right, Qt::Key_Right },
        { vk::Down, Qt::Key_Down },
        { vk::Insert, Qt::Key_Insert },
        { vk::Delete, Qt::Key_Delete },
        { vk::NumLock, Qt::Key_NumLock },
        { vk::Menu, Qt::Key_Meta },
    } };

    struct KeypadRow {
        int vk;
        Qt::Key key;
    };

    // The keypad's Enter is Return, as in the named table.
    constexpr std::array<KeypadRow, 5> kKeypadOps = { {
        { vk::Multiply, Qt::Key_Asterisk },
        { vk::Add, Qt::Key_Plus },
        { vk::Subtract, Qt::Key_Minus },
        { vk::Decimal, Qt::Key_Period },
        { vk::Divide, Qt::Key_Slash },
    } };

} // namespace

int shiftMask(Qt::KeyboardModifiers m)
{
    int s = 0;
    if (m & Qt::ShiftModifier)
        s |= shiftmask::Shift;
    if (m & Qt::ControlModifier)
        s |= shiftmask::Ctrl;
    if (m & Qt::AltModifier)
        s |= shiftmask::Alt;
    return s;
}

Qt::KeyboardModifiers modifiersFromShift(int shift)
{
    Qt::KeyboardModifiers m;
    if (shift & shiftmask::Shift)
        m |= Qt::ShiftModifier;
    if (shift & shiftmask::Ctrl)
        m |= Qt::ControlModifier;
    if (shift & shiftmask::Alt)
        m |= Qt::AltModifier;
    return m;
}

int virtualKey(const QKeyEvent& e)
{
    const int key = e.key();
    if (e.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return vk::Numpad0 + (key - Qt::Key_0);
        for (const auto& r : kKeypadOps)
            if (r.key == key)
                return r.vk;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return vk::F1 + (key - Qt::Key_F1);
    for (const auto& r : kNamed)
        if (r.key == key)
            return r.vk;
    // Punctuation by position: the scan code names the key whatever the layout or Shift.
    for (const auto& r : kPunct)
        if (e.nativeScanCode() != 0 && r.x11ScanCode == e.nativeScanCode())
            return r.vk;
    // Shifted digits and punctuation report the produced character; map it back to its key.
    const QString text = e.text();
    if (text.size() == 1) {
        const char c = char(text.at(0).toLatin1());
        for (const auto& r : kPunct)
            if (c && (r.plain == c || r.shifted == c))
                return r.vk;
        static const char kShiftedDigits[] = ")!@#$%^&*(";
        for (int d = 0; d < 10; ++d)
            if (c && kShiftedDigits[d] == c)
                return '0' + d;
    }
    for (const auto& r : kPunct)
        if (r.key == key)
            return r.vk;
    return 0;
}

QtKey qtKeyFor(int code, int shift)
{
    QtKey k;
    k.modifiers = modifiersFromShift(shift);
    const bool shifted = shift & shiftmask::Shift;
    if (code >= 'A' && code <= 'Z') {
        k.key = Qt::Key_A + (code - 'A');
        if (!(shift & (shiftmask::Ctrl | shiftmask::Alt)))
            k.text = QString(QChar(shifted ? code : code + 32));
    } else if (code >= '0' && code <= '9') {
        k.key = Qt::Key_0 + (code - '0');
        if (!(shift & (shiftmask::Ctrl | shiftmask::Alt)) && !shifted)
            k.text = QString(QChar(code));
    } else if (code >= vk::Numpad0 && code <= vk::Numpad0 + 9) {
        k.key = Qt::Key_0 + (code - vk::Numpad0);
        k.modifiers |= Qt::KeypadModifier;
        k.text = QString(QChar('0' + code - vk::Numpad0));
    } else if (code >= vk::F1 && code <= vk::F1 + 23) {
        k.key = Qt::Key_F1 + (code - vk::F1);
    } else {
        for (const auto& r : kKeypadOps)
            if (r.vk == code && code != vk::Return) {
                k.key = r.key;
                k.modifiers |= Qt::KeypadModifier;
            }
        for (const auto& r : kPunct)
            if (r.vk == code) {
                k.key = r.key;
                k.nativeScanCode = r.x11ScanCode;
                if (!(shift & (shiftmask::Ctrl | shiftmask::Alt)))
                    k.text = QString(QChar(shifted ? r.shifted : r.plain));
            }
        for (const auto& r : kNamed)
            if (r.vk == code && k.key == 0)
                k.key = r.key;
        if (code == vk::Return)
            k.text = QStringLiteral("\r");
        if (code == vk::Space)
            k.text = QStringLiteral(" ");
    }
    return k;
}

} // namespace plat
