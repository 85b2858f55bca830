#pragma once

// Keyboard steps: a key combination written as a key code 6SKK, in the step's ActionCode or
// in one of its three "P" key fields, and menu or tool paths pressed by their shortcut keys
// (ShortcutTable). KeyClick asks judgeKey whether a key press answers the current step.

#include "stepengine/steprecord.h"

#include <optional>

namespace workspace::shortcuts {

// A key press as the key-down events give it: the virtual-key code and the Shift mask
// (plat::shiftmask; 1 Shift, 2 Ctrl, 4 Alt).
struct KeyPress {
    int keyCode = 0;
    int shift = 0;
    bool operator==(const KeyPress&) const = default;
};

// Where a key code stands in the step; the key number KK reads differently in each place.
enum class KeyPlace {
    ActionCode, // characters 8-11: KK 12 is F1
    Field86, // "P" 6SKK at 86-90: KK up to 20 is KK + 100 (12..20 are F1..F9)
    Field91, // "P" 6SKK at 91-95: KK as it is
    Field96, // "P" 6SKK at 96-100: as at 86
};

// The key press a key code 6SKK asks for at `place`: mask S, key from KK. Nothing when `code`
// is not 6000..6999.
std::optional<KeyPress> expectedKey(int code, KeyPlace place);

// The key press the ShortcutTable gives a path: `path` is the ten characters of an "H"
// descriptor; hotspot, item and sub-item are looked up first, then hotspot and item.
std::optional<KeyPress> shortcutOf(const QString& path);

// What answered a key press.
struct KeyMatch {
    enum class Source { KeyCode, Shortcut };
    Source source = Source::KeyCode;
    stepengine::Field field {}; // the ActionCode, the key field or the "H" descriptor
    int code = 0; // the 6SKK code that matched; 0 for a shortcut
};

// Judges a key press against `step`: the ActionCode, the key fields at 86, 91, 96, then the
// "H" descriptors at 125, 86, 96 by their shortcuts; the first that answers wins, so one press
// advances once. The comparison is exact: an extra modifier is a different press. Every match
// goes on to the next step; a path's own NextStepCode belongs to the clicks through the menus.
// Nothing is stored: the step's ActionCode stays the code the timed step is tested by.
std::optional<KeyMatch> judgeKey(const stepengine::StepRecord& step, KeyPress press);

} // namespace workspace::shortcuts
