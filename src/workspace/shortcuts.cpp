#include "workspace/shortcuts.h"

#include "platform/keys.h"
#include "platform/text.h"

namespace workspace::shortcuts {

namespace {
    namespace fd = stepengine::field;
    using stepengine::Field;

    constexpr int kKeyFamily = 6; // 6SKK
    constexpr int kFunctionKeyOffset = 100; // KK 12 and up read as F1 and up where they shift

    // How each place reads KK: a KK in lowKK..highKK is KK + 100, any other is KK itself.
    struct PlaceRule {
        KeyPlace place;
        Field field;
        int lowKK;
        int highKK;
    };
    constexpr PlaceRule kPlaces[] = {
        { KeyPlace::ActionCode, fd::ActionCode, 12, 12 },
        { KeyPlace::Field86, fd::KeyField86, 0, 20 },
        { KeyPlace::Field91, fd::KeyField91, 1, 0 }, // never shifted
        { KeyPlace::Field96, fd::KeyField96, 0, 20 },
    };

    // ShortcutTable entries; the mask is Ctrl unless the entry says otherwise.
    struct Shortcut {
        const char* path;
        int keyCode;
        int shift = plat::shiftmask::Ctrl;
    };

    // By hotspot, item and sub-item (descriptor characters 2-7); looked up first.
    // clang-format off
    constexpr Shortcut kSubItemShortcuts[] = {
        { "022701", 'K' },
        { "030202", 'L' },
        { "030203", 'M' },
        { "030206", 'U' },
        { "030207", 'B' },
        { "030208", 'B', 7 },
        { "650000", 'X', 0 },
        { "670000", 'D', 0 },
        { "030211", 'I' },
        { "030218", 'U', 3 },
        { "040101", 'N', 3 },
        { "040105", 'J' },
        { "040106", 'J', 3 },
        { "041801", plat::vk::Oem6, 3 }, // ]
        { "041802", plat::vk::Oem6 },
        { "041804", plat::vk::Oem4, 3 }, // [
        { "041803", plat::vk::Oem4 },
        { "051005", plat::vk::F1 + 5, 1 }, // F6
        { "091403", 'H', 3 },
        { "091404", plat::vk::Oem7 }, // '
        { "091405", plat::vk::Oem1 }, // ;
    };
    // clang-format on

    // By hotspot and item (descriptor characters 2-5); item 00 of a tool is the tool itself.
    constexpr Shortcut kItemShortcuts[] = {
        { "0101", 'N' },
        { "0102", 'O' },
        { "0103", 'O', 6 },
        { "0104", 'O', 7 },
        { "0109", 'W' },
        { "0110", 'W', 6 },
        { "0111", 'W', 3 },
        { "0112", 'S' },
        { "0113", 'S', 3 },
        { "0115", 'S', 7 },
        { "0116", plat::vk::F12, 0 },
        { "0122", 'I', 7 },
        { "0123", 'P', 3 },
        { "0124", 'P' },
        { "0125", 'P', 7 },
        { "0126", 'Q' },
        { "0201", 'X' },
        { "0202", 'C' },
        { "0203", 'C', 3 },
        { "0204", 'V' },
        { "0205", 'V', 3 },
        { "0209", plat::vk::F1 + 4, 1 }, // F5
        { "0211", 'C', 7 },
        { "0212", 'T' },
        { "0222", 'K', 3 },
        { "0225", 'K', 7 },
        { "0226", 'M', 7 },
        { "0303", 'L', 3 },
        { "0304", 'L', 7 },
        { "0305", 'B', 3 },
        { "0306", 'I', 6 },
        { "0307", 'C', 6 },
        { "0412", 'G', 6 },
        { "0415", 'G' },
        { "0416", 'G', 3 },
        { "0424", 'E' },
        { "0425", 'E', 3 },
        { "0501", 'A' },
        { "0502", 'D' },
        { "0503", 'D', 3 },
        { "0504", 'I', 3 },
        { "0505", 'A', 6 },
        { "0509", 'R', 6 },
        { "0601", 'F' },
        { "0703", 'M', 3 },
        { "0808", 'X', 6 },
        { "0811", 'X', 7 },
        { "0902", 'Y' },
        { "0903", 'Y', 3 },
        { "0907", plat::vk::Add }, // keypad +
        { "0908", plat::vk::Subtract }, // keypad -
        { "0909", plat::vk::Numpad0 },
        { "0910", plat::vk::Numpad0 + 1 },
        { "0913", 'H' },
        { "0915", 'R' },
        { "0916", plat::vk::Oem1, 3 }, // ;
        { "0918", plat::vk::Oem1, 6 },
        { "1009", plat::vk::F1 + 8, 4 }, // F9
        { "1013", plat::vk::F1 + 4, 0 }, // F5
        { "1019", plat::vk::F1 + 6, 0 }, // F7
        { "1021", plat::vk::F1 + 7, 0 }, // F8
        { "1022", plat::vk::F1 + 5, 0 }, // F6
        { "1101", plat::vk::F1, 0 },
        { "4200", 'M', 0 },
        { "4300", 'L', 0 },
        { "4400", 'W', 0 },
        { "4500", 'C', 0 },
        { "4600", 'I', 0 },
        { "4700", 'J', 0 },
        { "4800", 'B', 0 },
        { "4900", 'S', 0 },
        { "5000", 'Y', 0 },
        { "5100", 'E', 0 },
        { "5200", 'G', 0 },
        { "5400", 'O', 0 },
        { "5500", 'P', 0 },
        { "5600", 'T', 0 },
        { "5700", 'A', 0 },
        { "5800", 'U', 0 },
        { "5900", 'K', 0 },
        { "6000", 'N', 0 },
        { "6100", 'H', 0 },
        { "6102", 'R', 0 },
        { "6200", 'Z', 0 },
        { "6500", 'X', 0 },
        { "6700", 'D', 0 },
    };

    template <class Table> std::optional<KeyPress> lookUp(const Table& table, const QString& path)
    {
        for (const Shortcut& s : table)
            if (path == QLatin1String(s.path))
                return KeyPress { s.keyCode, s.shift };
        return std::nullopt;
    }

    // The 6SKK code of a "P" key field; 0 when the field takes no part.
    int keyFieldCode(const QString& field)
    {
        if (!field.startsWith(u'P'))
            return 0;
        const int code = stepengine::readInt16(plat::mid(field, 2, 4));
        return code / 1000 == kKeyFamily ? code : 0;
    }

    constexpr Field kShortcutDescriptors[] = { fd::Descriptor3, fd::Descriptor1, fd::Descriptor2 };
}

std::optional<KeyPress> expectedKey(int code, KeyPlace place)
{
    if (code / 1000 != kKeyFamily)
        return std::nullopt;
    const int mask = code % 1000 / 100;
    int key = code % 100;
    for (const PlaceRule& r : kPlaces)
        if (r.place == place && key >= r.lowKK && key <= r.highKK)
            key += kFunctionKeyOffset;
    return KeyPress { key, mask };
}

std::optional<KeyPress> shortcutOf(const QString& path)
{
    if (!path.startsWith(u'H'))
        return std::nullopt;
    if (auto k = lookUp(kSubItemShortcuts, plat::mid(path, 2, 6)))
        return k;
    return lookUp(kItemShortcuts, plat::mid(path, 2, 4));
}

std::optional<KeyMatch> judgeKey(const stepengine::StepRecord& step, KeyPress press)
{
    // A key the platform knows no code for is no key of any step.
    if (press.keyCode == 0)
        return std::nullopt;
    for (const PlaceRule& r : kPlaces) {
        const QString text = step.text(r.field);
        const int code
            = r.place == KeyPlace::ActionCode ? stepengine::readInt16(text) : keyFieldCode(text);
        if (expectedKey(code, r.place) == press)
            return KeyMatch { KeyMatch::Source::KeyCode, r.field, code };
    }
    for (const Field slot : kShortcutDescriptors) {
        const QString text = step.text(slot);
        if (shortcutOf(text) == press)
            return KeyMatch { KeyMatch::Source::Shortcut, slot, 0 };
    }
    return std::nullopt;
}

} // namespace workspace::shortcuts
