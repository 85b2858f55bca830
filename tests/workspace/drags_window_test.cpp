// Drags in the practice window: the drag handle Image5 of the 8001..8009 steps, and the second
// area Label4 with its plain press, rubber band, drag and drop, answer and jump.

#include "workspace/practicequestion.h"

#include "platform/keys.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

using testsupport::Rec;
using workspace::FrmMain;
using workspace::FrmMainUi;
namespace fd = stepengine::field;
namespace sm = plat::shiftmask;

namespace {

constexpr int kLeft = plat::button::Left, kRight = plat::button::Right;
const stepengine::ImageGroup& kHandle = stepengine::kImageGroups[4];

struct Question : testsupport::PracticeQuestion {
    explicit Question(QList<Rec> steps, const QStringList& answers = {})
    {
        writePicture(QStringLiteral("hd0001"), { 20, 20 });
        load(std::move(steps), answers, 3);
    }
};

// A handle step: the knob picture at its home, and the target.
Rec handle(const char* code, int homeLeft, int homeTop, int targetX, int targetY, QChar next = u'0')
{
    return Rec(QLatin1String(code))
        .set(kHandle.name, QStringLiteral("hd0001"))
        .num(kHandle.left, homeLeft)
        .num(kHandle.top, homeTop)
        .set(kHandle.next, QString(next))
        .num(fd::DragTargetX, targetX)
        .num(fd::DragTargetY, targetY);
}

TEST(DragHandle, TheReleaseSnapsOntoTheTargetOrSendsTheHandleHome)
{
    struct Move {
        int button;
        double x, y; // from the handle's corner
    };
    struct Case {
        const char* name;
        Rec step;
        QList<Move> moves;
        int stepAfter;
        double left = 0, top = 0; // where a handle that went home stands
    };
    const Case cases[] = {
        { "8001 reaches 3000", handle("8001", 5000, 1000, 3000, 0), { { kLeft, -4000, 0 } }, 2 },
        { "8001 stops at 3001", handle("8001", 5000, 1000, 3000, 0), { { kLeft, -3998, 0 } }, 1,
            5000, 1000 },
        { "8001 trails the pointer", handle("8001", 5000, 1000, 3000, 0),
            { { kLeft, -2000, 0 }, { kLeft, -2000, 0 } }, 2 }, // 4000, then 3000
        { "8006 right of the target", handle("8006", 5000, 1000, 3000, 3000),
            { { kLeft, -2000, 5000 } }, 1, 5000, 1000 },
        { "8006 down and left", handle("8006", 5000, 1000, 3000, 3000), { { kLeft, -4000, 5000 } },
            2 },
        { "8005 never moves", handle("8005", 5000, 1000, 3000, 0), { { kLeft, -4000, 0 } }, 1, 5000,
            1000 },
        { "right button", handle("8001", 5000, 1000, 3000, 0), { { kRight, -4000, 0 } }, 1, 5000,
            1000 },
        { "both buttons", handle("8001", 5000, 1000, 3000, 0), { { kLeft | kRight, -4000, 0 } }, 1,
            5000, 1000 },
        { "no move, home short", handle("8002", 2000, 1000, 3000, 0), {}, 1, 2000, 1000 },
        { "no move, home at target", handle("8002", 3000, 1000, 3000, 0), {}, 2 },
        // Far below 32767 twips: the position must not wrap to a negative number.
        { "8004 past 16 bits", handle("8004", 1000, 9000, 0, 32767), { { kLeft, 0, 50000 } }, 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Question q({ c.step });
        for (const Move& m : c.moves)
            q.main.Image5_MouseMove(m.button, 0, m.x, m.y);
        q.main.Image5_MouseUp(kRight, 0, 0, 0); // any button is judged
        ASSERT_EQ(q.step(), c.stepAfter);
        if (c.stepAfter == 1) {
            EXPECT_EQ(q.ui.Image5.left(), c.left);
            EXPECT_EQ(q.ui.Image5.top(), c.top);
            EXPECT_EQ(q.main.HandleLeft, c.left);
            EXPECT_EQ(q.main.HandleTop, c.top);
        }
    }
}

TEST(DragHandle, AfterAFailedReleaseTheNextDragStartsFromHome)
{
    Question q({ handle("8001", 5000, 1000, 3000, 0) });
    q.main.Image5_MouseMove(kLeft, 0, -3000, 0); // 3500
    q.main.Image5_MouseUp(kLeft, 0, 0, 0);
    ASSERT_EQ(q.main.HandleLeft, 5000);
    q.main.Image5_MouseMove(kLeft, 0, -4000, 0); // from home: 3000
    q.main.Image5_MouseUp(kLeft, 0, 0, 0);
    EXPECT_EQ(q.step(), 2);
}

TEST(DragHandle, AtAHalfTwipScaleTheHomeIsStoredAsTheReturnHomeStoresIt)
{
    // At ScaleX = ScaleY = 1.5 the design 1003 lands on 1504.5 twips, which rounds half to even
    // to 1504; the home the loader stores and the one a failed release stores must agree, or
    // the same handle at the same place would be judged one way before and another way after.
    struct Case {
        const char* code; // the moving axis must reach a target at 0, which it never does
        int home;
        int32_t stored;
    };
    const Case cases[] = {
        { "8001", 1003, 1504 },
        { "8003", 1003, 1504 },
        { "8001", 1001, 1502 }, // 1501.5: the even neighbour lies above
        { "8003", 1001, 1502 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " home " << c.home);
        testsupport::PracticeQuestion q;
        q.sys->state.ScaleX = q.sys->state.ScaleY = 1.5;
        q.writePicture(QStringLiteral("hd0001"), { 20, 20 });
        q.load({ handle(c.code, c.home, c.home, 0, 0) }, {}, 1);
        const bool horizontal = c.code == QLatin1String("8001");
        int32_t& home = horizontal ? q.main.HandleLeft : q.main.HandleTop;
        EXPECT_EQ(home, c.stored);
        q.main.Image5_MouseUp(kLeft, 0, 0, 0); // short of the target: back home
        ASSERT_EQ(q.step(), 1);
        EXPECT_EQ(home, c.stored);
    }
}

TEST(DragHandle, ASnapThatAdvancedJudgesNothingOfTheNextStep)
{
    // Both handle steps stand at their targets, and step 2's handle would jump to step 4 when
    // clicked. One click on the handle completes step 1 only: neither step 2's rule nor its
    // click belongs to that press.
    Question q({ handle("8001", 3000, 3000, 3000, 0), handle("8002", 3000, 3000, 3000, 0, u'4') });
    q.driver->click(q.ui.Image5);
    EXPECT_EQ(q.step(), 2);
    q.driver->click(q.ui.Image5);
    EXPECT_EQ(q.step(), 3);
}

// A second area at (990, 990) 600 x 600 and a target area at (3990, 2985) 1500 x 900, all on
// whole pixels.
Rec areas(const char* code, const char* marker = "EE")
{
    return Rec(QLatin1String(code))
        .set(fd::PressMarker, QLatin1String(marker))
        .area2(990, 990, 600, 600)
        .target(3990, 2985, 1500, 900)
        .set(fd::CursorSpec, QStringLiteral("S0002"));
}
const QPointF kInArea2 { 1290, 1290 };
const QPointF kInTarget { 4500, 3300 };
const QPointF kOutside { 6000, 6000 };

TEST(SecondArea, RubberBandsAndDropsNeedTheirKeysAMoveAndTheTarget)
{
    struct Case {
        const char* name;
        Rec step;
        int pressShift, moveShift, releaseShift;
        bool move;
        QPointF releaseAt;
        int stepAfter;
    };
    const Case cases[] = {
        { "0040 inside", areas("0040"), 0, 0, 0, true, kInTarget, 2 },
        { "0040 outside", areas("0040"), 0, 0, 0, true, kOutside, 1 },
        { "0041 Shift held", areas("0041"), sm::Shift, sm::Shift, sm::Shift, true, kInTarget, 2 },
        { "0041 Shift let go first", areas("0041"), sm::Shift, sm::Shift, 0, true, kInTarget, 1 },
        { "0041 without Shift", areas("0041"), 0, 0, 0, true, kInTarget, 1 },
        { "0050 moved", areas("0050"), 0, 0, 0, true, kInTarget, 2 },
        { "0050 not moved", areas("0050"), 0, 0, 0, false, kInTarget, 1 },
        { "0050 moved, dropped outside", areas("0050"), 0, 0, 0, true, kOutside, 1 },
        { "0050 jumps by 102", areas("0050").set(fd::CursorSpec, QStringLiteral("S3002")), 0, 0, 0,
            true, kInTarget, 3 },
        { "0052 Ctrl", areas("0052"), sm::Ctrl, sm::Ctrl, sm::Ctrl, true, kInTarget, 2 },
        { "0052 Ctrl+Shift", areas("0052"), sm::Ctrl | sm::Shift, sm::Ctrl | sm::Shift,
            sm::Ctrl | sm::Shift, true, kInTarget, 1 },
        // The default pointer cannot show that a drag took place.
        { "0050 pointer S00", areas("0050").set(fd::CursorSpec, QStringLiteral("S0000")), 0, 0, 0,
            true, kInTarget, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Question q({ c.step });
        q.driver->press(q.main, kInArea2, kLeft, c.pressShift);
        EXPECT_EQ(q.step(), 1) << "the press alone";
        if (c.move)
            q.driver->moveTo(q.main, (kInArea2 + c.releaseAt) / 2, c.moveShift);
        q.driver->release(q.main, c.releaseAt, kLeft, c.releaseShift);
        EXPECT_EQ(q.step(), c.stepAfter);
        EXPECT_FALSE(q.ui.Shape6.visible()) << "the band ends with the release";
    }
}

TEST(SecondArea, TheBandGrowsFromThePressPointWhicheverWayThePointerGoes)
{
    Question q({ areas("0041") });
    q.driver->press(q.main, kInArea2, kLeft, 0);
    EXPECT_FALSE(q.ui.Shape6.visible()) << "no band without Shift";
    q.driver->release(q.main, kInArea2, kLeft, 0);

    q.driver->press(q.main, kInArea2, kLeft, sm::Shift);
    ASSERT_TRUE(q.ui.Shape6.visible());
    EXPECT_EQ(q.ui.Shape6.width(), 15);
    q.driver->moveTo(q.main, { 690, 900 }, sm::Shift); // up and to the left
    EXPECT_EQ(q.ui.Shape6.left(), 1290);
    EXPECT_EQ(q.ui.Shape6.top(), 1290);
    EXPECT_EQ(q.ui.Shape6.width(), 600);
    EXPECT_EQ(q.ui.Shape6.height(), 390);
    EXPECT_EQ(q.ui.Label4.mousePointer(), 2); // the drag pointer of "S0002"
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(
        q.main, testsupport::outputDir() + QStringLiteral("/drags-band.png")));
    q.driver->release(q.main, kOutside, kLeft, sm::Shift);
    EXPECT_FALSE(q.ui.Shape6.visible());
    EXPECT_EQ(q.ui.Label4.mousePointer(), 0);
}

TEST(SecondArea, APlainPressAdvancesUnlessMarkedAndAReleaseJumps)
{
    struct Case {
        const char* name;
        Rec step;
        int button;
        int stepAfter;
    };
    const Case cases[] = {
        { "plain press", areas("0001", "00"), kLeft, 2 },
        { "also on a drag step", areas("0050", "00"), kLeft, 2 },
        { "EE at 4-5", areas("0001", "EE"), kLeft, 1 },
        { "EE at 6-7", areas("0001", "00").set(fd::PressMarkerAlt, QStringLiteral("EE")), kLeft,
            1 },
        { "right button", areas("0001", "00"), kRight, 1 },
        { "release jumps by 182", areas("0001", "00").set(fd::Area2Next, QStringLiteral("3")),
            kLeft, 3 },
        { "right release jumps too", areas("0001", "00").set(fd::Area2Next, QStringLiteral("3")),
            kRight, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Question q({ c.step });
        q.driver->click(q.ui.Label4, c.button);
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(SecondArea, AReleaseConfirmsTheTypedAnswer)
{
    struct Case {
        const char* typed;
        int stepAfter;
    };
    const Case cases[] = {
        { " ABC ", 2 },
        { "xyz", 2 },
        { "a bc", 1 }, // inner spaces count
        { "abc|xyz", 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Question q({ areas("0028", "00").set(fd::AnswerLine, QStringLiteral("001")) },
            { QStringLiteral("001abc|xyz") });
        q.ui.Text1.setText(QString::fromUtf8(c.typed));
        q.driver->click(q.ui.Label4);
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

} // namespace
