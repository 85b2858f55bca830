// Key presses in the practice window: key steps, the "P" key fields and menu paths pressed by
// their shortcuts, sent as real key events through the window's key relays.

#include "workspace/practicequestion.h"

#include "platform/keys.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

using testsupport::Rec;
using workspace::FrmMain;
namespace fd = stepengine::field;
namespace sm = plat::shiftmask;

namespace {

constexpr stepengine::Field kField86 { 86, 5 }, kField91 { 91, 5 }, kField96 { 96, 5 };

// A question of the given steps (then a plain click and the end) in the practice window.
struct Question : testsupport::PracticeQuestion {
    explicit Question(QList<Rec> steps) { load(std::move(steps), {}, 2); }
    void press(int keyCode, int shift) { driver->key(main, keyCode, shift); }
};

Rec keyField(const char* actionCode, stepengine::Field at, const char* field)
{
    return Rec(QLatin1String(actionCode)).set(at, QLatin1String(field));
}

TEST(KeysWindow, AKeyPressAdvancesOnlyWithTheKeyAndModifiersOfTheStep)
{
    struct Case {
        const char* name;
        Rec step;
        int keyCode, shift;
        int stepAfter;
    };
    const Case cases[] = {
        { "6212 Ctrl+F1", Rec(QStringLiteral("6212")), plat::vk::F1, sm::Ctrl, 2 },
        { "6212 extra Shift", Rec(QStringLiteral("6212")), plat::vk::F1, sm::Ctrl | sm::Shift, 1 },
        { "6212 F1 alone", Rec(QStringLiteral("6212")), plat::vk::F1, 0, 1 },
        { "6012 F1", Rec(QStringLiteral("6012")), plat::vk::F1, 0, 2 },
        { "6013 Enter", Rec(QStringLiteral("6013")), plat::vk::Return, 0, 2 },
        { "6290 Ctrl+Z", Rec(QStringLiteral("6290")), 'Z', sm::Ctrl, 2 },
        { "6290 Ctrl+Alt+Z", Rec(QStringLiteral("6290")), 'Z', sm::Ctrl | sm::Alt, 1 },
        { "P6113 at 86, Shift+F2", keyField("7000", kField86, "P6113"), plat::vk::F1 + 1, sm::Shift,
            2 },
        { "P6113 at 96, Shift+F2", keyField("7000", kField96, "P6113"), plat::vk::F1 + 1, sm::Shift,
            2 },
        { "P6113 at 91, Shift+Enter", keyField("7000", kField91, "P6113"), plat::vk::Return,
            sm::Shift, 2 },
        { "P6113 at 91, Shift+F2", keyField("7000", kField91, "P6113"), plat::vk::F1 + 1, sm::Shift,
            1 },
        { "X6113 takes no part", keyField("7000", kField86, "X6113"), plat::vk::F1 + 1, sm::Shift,
            1 },
        // A path pressed by its shortcut goes on to the next step, not to the path's own jump.
        { "path 0101 Ctrl+N", keyField("7000", fd::Descriptor1, "H010100004"), 'N', sm::Ctrl, 2 },
        { "path 0101 Ctrl+Shift+N", keyField("7000", fd::Descriptor1, "H010100004"), 'N',
            sm::Ctrl | sm::Shift, 1 },
        { "path 0909 keypad 0", keyField("7000", fd::Descriptor3, "H090900000"), plat::vk::Numpad0,
            sm::Ctrl, 2 },
        { "path 0909 main 0", keyField("7000", fd::Descriptor3, "H090900000"), '0', sm::Ctrl, 1 },
        { "path 041802 Ctrl+]", keyField("7000", fd::Descriptor2, "H041802000"), plat::vk::Oem6,
            sm::Ctrl, 2 },
        { "path 091405 Ctrl+;", keyField("7000", fd::Descriptor2, "H091405000"), plat::vk::Oem1,
            sm::Ctrl, 2 },
        { "tool 48 B", keyField("7000", fd::Descriptor3, "H480000000"), 'B', 0, 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Question q({ c.step });
        q.press(c.keyCode, c.shift);
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(KeysWindow, TwoMatchingPlacesAdvanceOnce)
{
    // The ActionCode and the field at 86 both ask for Ctrl+S, and so does step 2.
    Question q({ keyField("6283", kField86, "P6283"), Rec(QStringLiteral("6283")) });
    q.press('S', sm::Ctrl);
    EXPECT_EQ(q.step(), 2);
    q.press('S', sm::Ctrl);
    EXPECT_EQ(q.step(), 3);
}

TEST(KeysWindow, ATimedStepGoesOnAfterAKeyPress)
{
    // A key field of the timed step that the press does not match must not stop the timer's
    // step, and neither must a press that matches nothing at all.
    Question q({ keyField("8888", kField86, "P6113") });
    q.press('A', sm::Ctrl);
    q.press(plat::vk::F1 + 1, 0);
    EXPECT_EQ(q.step(), 1);
    q.driver->advance(1000);
    EXPECT_EQ(q.step(), 2);
}

TEST(KeysWindow, KeysReachTheCheckFromThePictureBoxesButNotFromTheAnswerField)
{
    {
        // "A1": the menu bar shows.
        Question q({ Rec(QStringLiteral("6290")).set(fd::PanelCode, QStringLiteral("A1")) });
        ASSERT_TRUE(q.main.ui().PicMenu.setFocus().ok());
        q.press('Z', sm::Ctrl);
        EXPECT_EQ(q.step(), 2);
    }
    {
        Question q({ Rec(QStringLiteral("6290")) });
        q.main.ui().Text1.setVisible(true);
        ASSERT_TRUE(q.main.ui().Text1.setFocus().ok());
        q.press('Z', sm::Ctrl);
        EXPECT_EQ(q.step(), 1);
    }
}

} // namespace
