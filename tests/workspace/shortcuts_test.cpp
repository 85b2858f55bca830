// Keyboard steps: key codes in the ActionCode and the "P" key fields, menu and tool paths by
// their shortcut keys, and which of them answers a key press.

#include "platform/keys.h"
#include "stepengine/engineapp.h"
#include "workspace/shortcuts.h"

#include <gtest/gtest.h>

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
