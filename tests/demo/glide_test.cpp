// The pointer's movement rules: the glide set-up, the arrival test, the arrow and the ring.

#include "demo/glide.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using demo::Glide;

struct GlideCase {
    int gapX, gapY;
    double step;
    int dx, dy;
};

TEST(Glide, IncrementsFromTheGapsRoundedHalfToEven)
{
    const GlideCase cases[] = {
        { -6000, 0, 400, -400, 0 }, // horizontal leg
        { 400, 300, 100.0 / 3, 33, 25 },
        { -3000, 4000, 1000.0 / 3, -250, 333 }, // y is the major axis
        { 40, 30, 10.0 / 3, 3, 2 }, // 2.5 goes to the even 2
        { 24, -18, 2, 2, -2 }, // 1.5 goes to 2, then the sign
        { 300, 300, 300 * std::sqrt(2.0) / 15, 28, 28 }, // equal gaps: y major
        { -8, 6, 10.0 / 15, -1, 0 }, // 0.5 goes to the even 0
        { 0, 0, 0, 0, 0 },
    };
    for (const GlideCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gapX << ", " << c.gapY);
        const Glide g = demo::glideSetup(7680, 5760, 7680 + c.gapX, 5760 + c.gapY);
        EXPECT_NEAR(g.step, c.step, 1e-9);
        EXPECT_EQ(g.dx, c.dx);
        EXPECT_EQ(g.dy, c.dy);
    }
}

TEST(Glide, ALegOfAnyLengthTakesAboutFifteenTicks)
{
    for (const int length : { 6000, 20000 }) {
        const Glide g = demo::glideSetup(0, 0, length, 0);
        int x = 0, ticks = 0;
        do {
            x += g.dx;
            ++ticks;
        } while (!demo::arrived(x, 0, length, 0, g.step, 1.0));
        EXPECT_EQ(ticks, 14) << length;
    }
}

struct ArrivalCase {
    int gapX, gapY; // pointer minus target
    double step;
    double scaleX;
    bool arrived;
};

TEST(Glide, ArrivalBoundaries)
{
    const ArrivalCase cases[] = {
        { 120, 120, 100, 1, true }, // both gaps exactly 1.2 steps
        { 121, 0, 100, 1, true }, // one gap over, but closer than 1.5 steps
        { 150, 0, 100, 1, false }, // exactly 1.5 steps on one axis
        { 149, 0, 100, 1, true }, { 125, 60, 100, 1, true }, // past on one axis, 138.7 away
        { 125, 90, 100, 1, false }, // 154 away
        { 119, 0, 1, 1, true }, // under 120 twips whatever the step
        { 120, 0, 1, 1, false }, { 95, 0, 1, 0.8, true }, // 120 x ScaleX
        { 96, 0, 1, 0.8, false }, { 0, 0, 0, 1, true }, // a zero leg arrives at once
    };
    for (const ArrivalCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gapX << ", " << c.gapY << " step " << c.step);
        EXPECT_EQ(
            demo::arrived(1000 + c.gapX, 1000 + c.gapY, 1000, 1000, c.step, c.scaleX), c.arrived);
    }
}

TEST(Glide, CentresRoundHalfToEven)
{
    EXPECT_EQ(demo::centreOf(100, 5), 102); // 102.5
    EXPECT_EQ(demo::centreOf(101, 5), 104); // 103.5
    EXPECT_EQ(demo::centreOf(-3, 3), -2); // -1.5
    EXPECT_EQ(demo::toInt16(1e9), 32767);
}

TEST(Arrow, SegmentsAtThePointer)
{
    const auto s = demo::arrowSegments(0, 0, 1, 1);
    EXPECT_EQ(s[5], (demo::Segment { 60, -15, 240, 165 }));
    EXPECT_EQ(s[7], (demo::Segment { 180, 300, 195, 300 })); // closes the tail
    EXPECT_EQ(s[8], (demo::Segment { 75, 15, 75, 210 })); // first fill line
    const auto scaled = demo::arrowSegments(1000, 2000, 0.8, 1.25);
    EXPECT_EQ(scaled[0], (demo::Segment { 1048, 2000, 1048, 2300 }));
    EXPECT_EQ(scaled[13], (demo::Segment { 1108, 2206.25, 1168, 2375 }));
}

TEST(ClickRing, ColourByStepCode)
{
    const std::pair<const char*, uint32_t> cases[] = {
        { "0001", 0x0000FF },
        { "0002", 0x00FF00 },
        { "0003", 0x00FFFF },
        { "3123", 0x00FFFF },
        { "4211", 0x00FFFF },
        { "5124", 0x0000FF },
        { "7000", 0x0000FF },
    };
    for (const auto& [code, colour] : cases)
        EXPECT_EQ(demo::ringColour(QString::fromLatin1(code)), colour) << code;
}

} // namespace
