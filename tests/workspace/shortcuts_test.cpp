// Keyboard steps: key codes in the ActionCode and the "P" key fields, menu and tool paths by
// their shortcut keys, and which of them answers a key press.

#include "platform/keys.h"
#include "stepengine/engineapp.h"
#include "workspace/shortcuts.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

using namespace workspace::shortcuts;
using testsupport::Rec;
namespace fd = stepengine::field;
namespace sm = plat::shiftmask;

namespace {

constexpr stepengine::Field kField86 { 86, 5 }, kField91 { 91, 5 }, kField96 { 96, 5 };

stepengine::StepRecord step(const Rec& r) { return stepengine::StepRecord(r.line); }

TEST(KeySteps, ActionCodeNamesKeyAndModifiers)
{
    struct Case {
        const char* actionCode;
        KeyPress press;
    };
    const Case cases[] = {
        { "6212", { plat::vk::F1, sm::Ctrl } },
        { "6012", { plat::vk::F1, 0 } },
        { "6013", { plat::vk::Return, 0 } },
        { "6290", { 'Z', sm::Ctrl } },
        { "6783", { 'S', sm::Shift | sm::Ctrl | sm::Alt } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.actionCode);
        const auto s = step(Rec(QLatin1String(c.actionCode)));
        const auto m = judgeKey(s, c.press);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->source, KeyMatch::Source::KeyCode);
        EXPECT_EQ(m->field.pos, fd::ActionCode.pos);
        EXPECT_EQ(m->code, QString::fromLatin1(c.actionCode).toInt());
        // Exactly these modifiers: one more, or one fewer, is another press.
        EXPECT_FALSE(judgeKey(s, { c.press.keyCode, c.press.shift ^ sm::Alt })) << "Alt toggled";
        if (c.press.shift != 0) {
            EXPECT_FALSE(judgeKey(s, { c.press.keyCode, 0 })) << "no modifier";
        }
    }
}

TEST(KeySteps, KeyFieldReadsItsKeyByPlace)
{
    struct Case {
        stepengine::Field field;
        const char* text;
        KeyPress press; // the press it asks for; none when it takes no part
        bool takesPart;
    };
    const Case cases[] = {
        { kField86, "P6113", { plat::vk::F1 + 1, sm::Shift }, true },
        { kField96, "P6113", { plat::vk::F1 + 1, sm::Shift }, true },
        { kField91, "P6113", { plat::vk::Return, sm::Shift }, true }, // no F-key reading at 91
        { kField86, "P6221", { 21, sm::Ctrl }, true }, // above 20: the key number itself
        { kField86, "P7000", {}, false },
        { kField86, "X6113", {}, false },
    };
    const KeyPress presses[] = {
        { plat::vk::F1 + 1, sm::Shift },
        { plat::vk::Return, sm::Shift },
        { 21, sm::Ctrl },
        { 13 + 100, sm::Shift },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " at " << c.field.pos);
        // An 8888 step keeps its ActionCode; the field's code comes back with the match.
        const auto s = step(Rec(QStringLiteral("8888")).set(c.field, QLatin1String(c.text)));
        for (const KeyPress& p : presses) {
            const auto m = judgeKey(s, p);
            const bool expected = c.takesPart && p == c.press;
            ASSERT_EQ(m.has_value(), expected) << p.keyCode << "+" << p.shift;
            if (m) {
                EXPECT_EQ(m->field.pos, c.field.pos);
                EXPECT_EQ(m->code, 6113 + (c.press.keyCode == 21 ? 108 : 0));
            }
        }
    }
}

TEST(KeySteps, ShortcutsOfMenuAndToolPaths)
{
    struct Case {
        const char* descriptor;
        std::optional<KeyPress> press;
    };
    const Case cases[] = {
        { "H010100000", KeyPress { 'N', sm::Ctrl } },
        { "H030208000", KeyPress { 'B', sm::Shift | sm::Ctrl | sm::Alt } },
        // The sub-item part comes first: 0302 alone has no shortcut.
        { "H030200000", std::nullopt }, { "H480000000", KeyPress { 'B', 0 } },
        { "H650000000", KeyPress { 'X', 0 } }, { "H610200000", KeyPress { 'R', 0 } },
        { "H090900000", KeyPress { plat::vk::Numpad0, sm::Ctrl } },
        { "H041804000", KeyPress { plat::vk::Oem4, sm::Shift | sm::Ctrl } },
        { "H051005000", KeyPress { plat::vk::F1 + 5, sm::Shift } },
        { "H530000000", std::nullopt }, // a tool without a shortcut
        { "D010100000", std::nullopt }, // not a path
    };
    for (const Case& c : cases)
        EXPECT_EQ(shortcutOf(QLatin1String(c.descriptor)), c.press) << c.descriptor;
}

// The whole shortcut table as the design gives it, the key codes written as numbers: every
// path answers its own key and mask, and no path outside the table answers any.
TEST(KeySteps, ShortcutTableHoldsEveryPathAndNoOther)
{
    struct Entry {
        const char* path;
        int keyCode;
        int mask;
    };
    // By hotspot, item and sub-item; looked up before the shorter part.
    // clang-format off
    const Entry subItemPart[] = {
        { "022701", 75, 2 }, // K
        { "030202", 76, 2 }, // L
        { "030203", 77, 2 }, // M
        { "030206", 85, 2 }, // U
        { "030207", 66, 2 }, // B
        { "030208", 66, 7 }, // B
        { "650000", 88, 0 }, // X
        { "670000", 68, 0 }, // D
        { "030211", 73, 2 }, // I
        { "030218", 85, 3 }, // U
        { "040101", 78, 3 }, // N
        { "040105", 74, 2 }, // J
        { "040106", 74, 3 }, // J
        { "041801", 221, 3 }, // ]
        { "041802", 221, 2 }, // ]
        { "041804", 219, 3 }, // [
        { "041803", 219, 2 }, // [
        { "051005", 117, 1 }, // F6
        { "091403", 72, 3 }, // H
        { "091404", 222, 2 }, // '
        { "091405", 186, 2 }, // ;
    };
    // By hotspot and item; item 00 of a toolbox hotspot is the tool itself.
    const Entry itemPart[] = {
        { "0101", 78, 2 }, // N
        { "0102", 79, 2 }, // O
        { "0103", 79, 6 }, // O
        { "0104", 79, 7 }, // O
        { "0109", 87, 2 }, // W
        { "0110", 87, 6 }, // W
        { "0111", 87, 3 }, // W
        { "0112", 83, 2 }, // S
        { "0113", 83, 3 }, // S
        { "0115", 83, 7 }, // S
        { "0116", 123, 0 }, // F12
        { "0122", 73, 7 }, // I
        { "0123", 80, 3 }, // P
        { "0124", 80, 2 }, // P
        { "0125", 80, 7 }, // P
        { "0126", 81, 2 }, // Q
        { "0201", 88, 2 }, // X
        { "0202", 67, 2 }, // C
        { "0203", 67, 3 }, // C
        { "0204", 86, 2 }, // V
        { "0205", 86, 3 }, // V
        { "0209", 116, 1 }, // F5
        { "0211", 67, 7 }, // C
        { "0212", 84, 2 }, // T
        { "0222", 75, 3 }, // K
        { "0225", 75, 7 }, // K
        { "0226", 77, 7 }, // M
        { "0303", 76, 3 }, // L
        { "0304", 76, 7 }, // L
        { "0305", 66, 3 }, // B
        { "0306", 73, 6 }, // I
        { "0307", 67, 6 }, // C
        { "0412", 71, 6 }, // G
        { "0415", 71, 2 }, // G
        { "0416", 71, 3 }, // G
        { "0424", 69, 2 }, // E
        { "0425", 69, 3 }, // E
        { "0501", 65, 2 }, // A
        { "0502", 68, 2 }, // D
        { "0503", 68, 3 }, // D
        { "0504", 73, 3 }, // I
        { "0505", 65, 6 }, // A
        { "0509", 82, 6 }, // R
        { "0601", 70, 2 }, // F
        { "0703", 77, 3 }, // M
        { "0808", 88, 6 }, // X
        { "0811", 88, 7 }, // X
        { "0902", 89, 2 }, // Y
        { "0903", 89, 3 }, // Y
        { "0907", 107, 2 }, // keypad +
        { "0908", 109, 2 }, // keypad −
        { "0909", 96, 2 }, // keypad 0
        { "0910", 97, 2 }, // keypad 1
        { "0913", 72, 2 }, // H
        { "0915", 82, 2 }, // R
        { "0916", 186, 3 }, // ;
        { "0918", 186, 6 }, // ;
        { "1009", 120, 4 }, // F9
        { "1013", 116, 0 }, // F5
        { "1019", 118, 0 }, // F7
        { "1021", 119, 0 }, // F8
        { "1022", 117, 0 }, // F6
        { "1101", 112, 0 }, // F1
        { "4200", 77, 0 }, // M
        { "4300", 76, 0 }, // L
        { "4400", 87, 0 }, // W
        { "4500", 67, 0 }, // C
        { "4600", 73, 0 }, // I
        { "4700", 74, 0 }, // J
        { "4800", 66, 0 }, // B
        { "4900", 83, 0 }, // S
        { "5000", 89, 0 }, // Y
        { "5100", 69, 0 }, // E
        { "5200", 71, 0 }, // G
        { "5400", 79, 0 }, // O
        { "5500", 80, 0 }, // P
        { "5600", 84, 0 }, // T
        { "5700", 65, 0 }, // A
        { "5800", 85, 0 }, // U
        { "5900", 75, 0 }, // K
        { "6000", 78, 0 }, // N
        { "6100", 72, 0 }, // H
        { "6200", 90, 0 }, // Z
        { "6500", 88, 0 }, // X
        { "6700", 68, 0 }, // D
        { "6102", 82, 0 }, // R
    };
    // clang-format on

    for (const Entry& e : subItemPart)
        EXPECT_EQ(shortcutOf(QStringLiteral("H%1000").arg(QLatin1String(e.path))),
            (KeyPress { e.keyCode, e.mask }))
            << "path " << e.path;
    for (const Entry& e : itemPart)
        EXPECT_EQ(shortcutOf(QStringLiteral("H%100000").arg(QLatin1String(e.path))),
            (KeyPress { e.keyCode, e.mask }))
            << "path " << e.path;

    // Every other path: hotspots 00..67, items 00..30, sub-items 00..20. A sub-item the longer
    // part does not hold takes the entry of its hotspot and item.
    auto fromEntries = [&](const QString& path) -> std::optional<KeyPress> {
        for (const Entry& e : subItemPart)
            if (path == QLatin1String(e.path))
                return KeyPress { e.keyCode, e.mask };
        for (const Entry& e : itemPart)
            if (path.left(4) == QLatin1String(e.path))
                return KeyPress { e.keyCode, e.mask };
        return std::nullopt;
    };
    QStringList wrong;
    for (int h = 0; h <= 67; ++h)
        for (int item = 0; item <= 30; ++item)
            for (int sub = 0; sub <= 20; ++sub) {
                const QString path = QStringLiteral("%1%2%3")
                                         .arg(h, 2, 10, QChar(u'0'))
                                         .arg(item, 2, 10, QChar(u'0'))
                                         .arg(sub, 2, 10, QChar(u'0'));
                if (shortcutOf(u'H' + path + QStringLiteral("000")) != fromEntries(path))
                    wrong << path;
            }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.mid(0, 20).join(u' ').toStdString();
}

TEST(KeySteps, ShortcutAnswersThePathsStep)
{
    // A menu path at 86 whose shortcut is Ctrl+N.
    auto s = step(Rec(QStringLiteral("7000")).set(fd::Descriptor1, QStringLiteral("H010100004")));
    auto m = judgeKey(s, { 'N', sm::Ctrl });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->source, KeyMatch::Source::Shortcut);
    EXPECT_EQ(m->field.pos, 86);
    EXPECT_FALSE(judgeKey(s, { 'N', sm::Ctrl | sm::Shift })); // Ctrl+Shift+N is another command

    // The keypad 0 is not the main keyboard's 0.
    s = step(Rec(QStringLiteral("7000")).set(fd::Descriptor2, QStringLiteral("H090900000")));
    EXPECT_TRUE(judgeKey(s, { plat::vk::Numpad0, sm::Ctrl }));
    EXPECT_FALSE(judgeKey(s, { '0', sm::Ctrl }));

    // A path without a shortcut expects no key, whatever the path before it expected.
    s = step(Rec(QStringLiteral("7000"))
                 .set(fd::Descriptor3, QStringLiteral("H480000000"))
                 .set(fd::Descriptor1, QStringLiteral("H530000000")));
    m = judgeKey(s, { 'B', 0 });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field.pos, 125);
    EXPECT_FALSE(judgeKey(s, { 'O', 0 }));
}

TEST(KeySteps, FirstAnsweringPlaceWins)
{
    // ActionCode and the field at 86 both ask for Ctrl+S, and the path at 125 is Ctrl+S too:
    // one press answers once, by the ActionCode.
    const auto s = step(Rec(QStringLiteral("6283"))
                            .set(kField86, QStringLiteral("P6283"))
                            .set(fd::Descriptor3, QStringLiteral("H011200005")));
    const auto m = judgeKey(s, { 'S', sm::Ctrl });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field.pos, fd::ActionCode.pos);

    // The field at 96 comes before every shortcut.
    const auto t = step(Rec(QStringLiteral("0001"))
                            .set(kField96, QStringLiteral("P6283"))
                            .set(fd::Descriptor3, QStringLiteral("H011200005")));
    EXPECT_EQ(judgeKey(t, { 'S', sm::Ctrl })->field.pos, 96);
}

TEST(KeySteps, KeyWithoutCodeAnswersNothing)
{
    // "6000" reads as key number 0 with no modifier, which no real key has.
    EXPECT_FALSE(judgeKey(step(Rec(QStringLiteral("6000"))), { 0, 0 }));
    EXPECT_FALSE(judgeKey(step(Rec(QStringLiteral("0001"))), { 0, 0 }));
}

} // namespace
