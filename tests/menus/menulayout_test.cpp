// The simulated drop-downs: item labels of first- and second-level drop-downs and flyouts,
// where a flyout or second level goes near the window's edges, and the menu path check.

#include "menus/menulayout.h"
#include "stepengine/engineapp.h"

#include <gtest/gtest.h>

#include <vector>

using namespace menus;
using testsupport::Rec;
namespace fd = stepengine::field;

namespace {

constexpr ItemRect kParked {};

std::vector<double> topsOf(const ItemLayout& l, const std::vector<int>& items)
{
    std::vector<double> tops;
    for (int i : items)
        tops.push_back(l.item(i).top);
    return tops;
}

void expectParkedFrom(const ItemLayout& l, int first)
{
    for (int i = first; i <= kItemLabels; ++i)
        EXPECT_EQ(l.item(i), kParked) << "item " << i;
}

// The drop-down and item pictures are named by two-digit numbers: a number past 99 keeps its
// last two digits, as the names in the module do.
TEST(MenuPictureNames, NumbersAreTheirLastTwoDigits)
{
    const struct {
        int n;
        const char* name;
    } cases[]
        = { { 0, "00" }, { 7, "07" }, { 42, "42" }, { 99, "99" }, { 100, "00" }, { 123, "23" } };
    for (const auto& c : cases)
        EXPECT_EQ(menus::pictureNumber(c.n), QString::fromLatin1(c.name)) << c.n;
}

TEST(FirstLevelLayout, RowsFollowGroupsAndScale)
{
    struct Case {
        int hotspot;
        Scale scale;
        int count;
        std::vector<int> items;
        std::vector<double> tops;
        double left, width, height;
    };
    const Case cases[] = {
        // Menu title 1: a gap of 135 after each group.
        { 1, {}, 26, { 1, 6, 7, 8, 9, 26 }, { 45, 1245, 1620, 1860, 2235, 7125 }, 45, 5160, 240 },
        // At 120 dpi the rounding is applied at each row and each gap.
        { 1, { 0.8, 0.8 }, 26, { 1, 2, 3, 4, 5, 6, 7 }, { 36, 228, 420, 612, 804, 996, 1296 }, 36,
            4128, 192 },
        // A tool flyout.
        { 42, {}, 4, { 1, 2, 3, 4 }, { 45, 330, 615, 900 }, 45, 2385, 285 },
        // Zoom levels: 240 high at a pitch of 270.
        { 14, {}, 4, { 1, 2, 3, 4 }, { 45, 315, 585, 855 }, 45, 930, 240 },
        { 14, { 1, 0.8 }, 4, { 1, 4 }, { 36, 36 + 3 * 216 }, 45, 930, 192 },
        // Own layouts.
        { 13, {}, 3, { 1, 2, 3 }, { 45, 360, 720 }, 15, 1410, 300 },
        { 19, {}, 3, { 1, 2, 3 }, { 45, 360, 675 }, 15, 2325, 300 },
        { 20, {}, 14, { 3, 4, 12, 13, 14 }, { 585, 990, 3150, 3555, 3825 }, 45, 2010, 270 },
        { 20, { 0.8, 0.8 }, 14, { 1, 4 }, { 36, 792 }, 36, 1608, 216 },
        { 23, {}, 2, { 1, 2 }, { 15, 255 }, 15, 1035, 240 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hotspot " << c.hotspot << " scale " << c.scale.y);
        const ItemLayout l = firstLevelLayout(c.hotspot, c.scale);
        EXPECT_EQ(l.count, c.count);
        EXPECT_EQ(topsOf(l, c.items), c.tops);
        const ItemRect& first = l.item(c.items.front());
        EXPECT_DOUBLE_EQ(first.left, c.left);
        EXPECT_DOUBLE_EQ(first.width, c.width);
        EXPECT_DOUBLE_EQ(first.height, c.height);
        expectParkedFrom(l, c.count + 1);
    }
}

TEST(FirstLevelLayout, LetterGroupsAndGapsOfMenuTen)
{
    // "21K21": K is 23 items, so the gaps fall after items 2, 3, 26 and 28.
    const ItemLayout l = firstLevelLayout(10, {});
    ASSERT_EQ(l.count, 29);
    for (int i = 1; i < l.count; ++i) {
        const bool gap = i == 2 || i == 3 || i == 26 || i == 28;
        EXPECT_EQ(l.item(i + 1).top - l.item(i).top, gap ? 375 : 240) << "after item " << i;
    }
}

TEST(FirstLevelLayout, ArrangeDocumentsGridAndList)
{
    const ItemLayout l = firstLevelLayout(18, {});
    ASSERT_EQ(l.count, 27);
    EXPECT_EQ(l.item(1), (ItemRect { 90, 90, 420, 375 }));
    EXPECT_EQ(l.item(4), (ItemRect { 1710, 90, 420, 375 }));
    EXPECT_EQ(l.item(6), (ItemRect { 630, 675, 420, 375 }));
    EXPECT_EQ(l.item(20), (ItemRect { 1710, 2115, 420, 375 }));
    EXPECT_EQ(topsOf(l, { 21, 22, 23, 27 }), (std::vector<double> { 2610, 2880, 3180, 4290 }));
    EXPECT_EQ(l.item(21).width, 2220);
}

TEST(FirstLevelLayout, HotspotWithoutDropDownParksEveryItem)
{
    for (int hotspot : { 0, 12, 21, 41, 62, 99 }) {
        SCOPED_TRACE(hotspot);
        const ItemLayout l = firstLevelLayout(hotspot, {});
        EXPECT_EQ(l.count, 0);
        expectParkedFrom(l, 1);
    }
}

TEST(SecondLevelLayout, KeysAndTheirRows)
{
    struct Case {
        int hotspot, item;
        Scale scale;
        int count;
        std::vector<int> items;
        std::vector<double> tops;
        double left, width;
    };
    const Case cases[] = {
        { 1, 6, {}, 3, { 1, 2, 3 }, { 45, 285, 660 }, 45, 1500 },
        { 1, 6, { 0.8, 0.8 }, 3, { 1, 2, 3 }, { 36, 228, 528 }, 36, 1200 },
        { 4, 19, {}, 6, { 1, 2, 3, 4, 5, 6 }, { 45, 330, 615, 1035, 1320, 1605 }, 45, 1965 },
        // "1A34": A is 10 at this level too.
        { 4, 5, {}, 18, { 1, 2, 11, 12, 14, 15, 18 }, { 45, 420, 2580, 2955, 3435, 3810, 4530 }, 45,
            2130 },
        { 3, 2, {}, 21, { 21 }, { 5385 }, 45, 3270 },
        // "F" is 15 here; the first level has no F.
        { 6, 16, {}, 15, { 15 }, { 45 + 14 * 240 }, 45, 4185 },
        { 5, 10, {}, 5, { 5 }, { 1005 }, 45, 2265 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.hotspot * 100 + c.item);
        EXPECT_TRUE(opensSecondLevel(c.hotspot, c.item));
        const ItemLayout l = secondLevelLayout(c.hotspot, c.item, c.scale);
        EXPECT_EQ(l.count, c.count);
        EXPECT_EQ(topsOf(l, c.items), c.tops);
        EXPECT_DOUBLE_EQ(l.item(1).left, c.left);
        EXPECT_DOUBLE_EQ(l.item(1).width, c.width);
        expectParkedFrom(l, c.count + 1);
    }
}

TEST(SecondLevelLayout, ItemsWithoutSecondLevel)
{
    const std::pair<int, int> keys[] = { { 5, 12 }, { 1, 5 }, { 12, 1 }, { 0, 0 } };
    for (const auto& [hotspot, item] : keys) {
        SCOPED_TRACE(hotspot * 100 + item);
        EXPECT_FALSE(opensSecondLevel(hotspot, item));
        const ItemLayout l = secondLevelLayout(hotspot, item, {});
        EXPECT_EQ(l.count, 0);
        expectParkedFrom(l, 1);
    }
}

TEST(GroupPlacement, LettersDifferByLevelAndRoundingIsHalfToEven)
{
    // "K" is 23 items at the first level and an empty group (a bare gap) at the second.
    const GroupRow k { 0, "1K1", 1000, 240 };
    EXPECT_EQ(layOutGroups(k, Level::First, {}).count, 25);
    const ItemLayout second = layOutGroups(k, Level::Second, {});
    EXPECT_EQ(second.count, 2);
    EXPECT_EQ(second.item(2).top, 45 + 240 + 2 * 135);
    EXPECT_EQ(layOutGroups({ 0, "E", 1000, 240 }, Level::First, {}).count, 0);

    // At 0.9: 45 * 0.9 = 40.5 rounds down to 40; 256 + 121.5 = 377.5 rounds up to 378.
    const ItemLayout l = layOutGroups({ 0, "11", 1000, 240 }, Level::First, { 1, 0.9 });
    EXPECT_EQ(topsOf(l, { 1, 2 }), (std::vector<double> { 40, 378 }));

    // More items than labels: the labels there are take them.
    EXPECT_EQ(layOutGroups({ 0, "FFFF", 1000, 240 }, Level::Second, {}).count, kItemLabels);
}

TEST(DropDownPlacement, FlyoutIsRaisedFromTheBottomLine)
{
    struct Case {
        double flyoutHeight;
        Scale scale;
        Position expected;
    };
    const Box tool { 300, 8000, 400, 300 };
    const Case cases[] = {
        { 999, {}, { 700, 8000 } }, // ends just above 9000
        { 1000, {}, { 700, 7300 } }, // ends on 9000: raised to the tool's bottom
        { 1200, {}, { 700, 7100 } },
        { 100, { 0.8, 0.8 }, { 700, 8200 } }, // the line is 7200 at 0.8
    };
    for (const Case& c : cases)
        EXPECT_EQ(flyoutPosition(tool, c.flyoutHeight, c.scale), c.expected) << c.flyoutHeight;
}

TEST(DropDownPlacement, SecondLevelIsRaisedAndFlippedOnlyPastTheEdges)
{
    struct Case {
        double width, height;
        Scale scale;
        Position expected;
    };
    const Box pic1J { 8000, 500, 3000, 7000 };
    const ItemRect item { 45, 6000, 2900, 240 };
    const Case cases[] = {
        // Opens 90 inside the first level's right edge, level with the item.
        { 500, 1000, {}, { 10910, 6500 } },
        // Bottom exactly at 8820, right edge exactly at 11850: stays.
        { 940, 2320, {}, { 10910, 6500 } },
        // One twip beyond: ends at the item's bottom; opens left of the first level.
        { 941, 2321, {}, { 8000 - 941 + 45, 6500 + 240 - 2321 } },
        // The edges scale: 8820 * 0.8 = 7056, 11850 * 0.8 = 9480.
        { 1000, 1000, { 0.8, 0.8 }, { 8000 - 1000 + 36, 6500 + 240 - 1000 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(secondLevelPosition(pic1J, item, c.width, c.height, c.scale), c.expected)
            << c.width << " x " << c.height;
}

// A step with descriptors at 125, 86 and 96 ("0" fields elsewhere).
stepengine::StepRecord stepWith(const char* at125, const char* at86, const char* at96)
{
    return stepengine::StepRecord(Rec(QStringLiteral("7000"))
                                      .set(fd::Descriptor3, QLatin1String(at125))
                                      .set(fd::Descriptor1, QLatin1String(at86))
                                      .set(fd::Descriptor2, QLatin1String(at96))
                                      .line);
}

TEST(MenuPathCheck, ClickMatchesAtItsOwnDepth)
{
    struct Case {
        const char *at125, *at86, *at96;
        MenuClick click;
        std::optional<int> slot; // position of the descriptor that answers
        QChar next;
    };
    const char* none = "0000000000";
    const Case cases[] = {
        // Menu 5, item 10, sub-item 3: only the sub-item click answers.
        { none, "H051003000", none, { 5, 10, 3 }, 86, u'0' },
        { none, "H051003000", none, { 5, 10, 0 }, {}, {} },
        { none, "H051003000", none, { 5, 0, 0 }, {}, {} },
        { none, "H051003000", none, { 5, 10, 4 }, {}, {} },
        { none, "H051003000", none, { 6, 10, 3 }, {}, {} },
        // A first-level path with a jump.
        { none, none, "H051200002", { 5, 12, 0 }, 96, u'2' },
        { none, none, "H051200002", { 5, 12, 1 }, {}, {} },
        // The hotspot itself.
        { "H050000000", none, none, { 5, 0, 0 }, 125, u'0' },
        { "H050000000", none, none, { 5, 1, 0 }, {}, {} },
        // The item picture at 96 answers its item; anywhere else it is ignored.
        { none, "H050200000", "D0505xab12", { 5, 5, 0 }, 96, u'0' },
        { none, "D0505xab12", none, { 5, 5, 0 }, {}, {} },
        { none, none, "D0505xab12", { 5, 5, 1 }, {}, {} },
        // Numbers, not text: " 5" and "05" are the same hotspot.
        { none, "H 5 500003", none, { 5, 5, 0 }, 86, u'3' },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
            << c.at125 << " " << c.at86 << " " << c.at96 << " click " << c.click.hotspot << "/"
            << c.click.item << "/" << c.click.subItem);
        const auto m = matchPath(stepWith(c.at125, c.at86, c.at96), c.click);
        ASSERT_EQ(m.has_value(), c.slot.has_value());
        if (m) {
            EXPECT_EQ(m->descriptor.pos, *c.slot);
            EXPECT_EQ(m->next, c.next);
        }
    }
}

TEST(MenuPathCheck, FirstAnsweringDescriptorWins)
{
    // 125 before 86 before 96, whatever they ask for next.
    auto m = matchPath(stepWith("H031000004", "H031000005", "H031000000"), { 3, 10, 0 });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->descriptor.pos, 125);
    EXPECT_EQ(m->next, u'4');

    // An "H" path and the item picture on the same item: the path answers, once.
    m = matchPath(stepWith("0000000000", "H040700007", "D0407xab12"), { 4, 7, 0 });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->descriptor.pos, 86);
    EXPECT_EQ(m->next, u'7');
}

TEST(MenuPathCheck, AltReleaseOnAToolAnswersAnyPathOfThatTool)
{
    struct Case {
        const char *at125, *at86, *at96;
        std::optional<int> slot;
        QChar next;
    };
    const char* none = "0000000000";
    const Case cases[] = {
        // Whatever follows the tool; the first in the order 125, 86, 96 wins.
        { "H420300004", "H420000000", none, 125, u'4' },
        { none, "H421207000", "H420000000", 86, u'0' },
        { none, "H430000000", "D4201xab12", {}, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at125 << " " << c.at86 << " " << c.at96);
        const auto m = matchToolVariant(stepWith(c.at125, c.at86, c.at96), 42);
        ASSERT_EQ(m.has_value(), c.slot.has_value());
        if (m) {
            EXPECT_EQ(m->descriptor.pos, *c.slot);
            EXPECT_EQ(m->next, c.next);
        }
    }
}

TEST(DropDownPlacement, AnEmptyDropDownIsTheSizeOfItsItems)
{
    // Items keep their left and top margin on the right and at the bottom as well.
    EXPECT_EQ(extentOf(firstLevelLayout(7, {})), (Size { 45 + 3000 + 45, 1515 + 240 + 45 }));
    EXPECT_EQ(extentOf(firstLevelLayout(23, {})), (Size { 15 + 1035 + 15, 255 + 240 + 15 }));
    EXPECT_EQ(
        extentOf(secondLevelLayout(1, 6, { 0.8, 0.8 })), (Size { 36 + 1200 + 36, 528 + 192 + 36 }));
    EXPECT_EQ(extentOf(firstLevelLayout(21, {})), (Size {}));
}

TEST(DropDownPlacement, WhereAReleaseOpensADropDown)
{
    const std::pair<int, DropDownPlace> cases[] = {
        { 1, DropDownPlace::BelowHotspot }, { 10, DropDownPlace::BelowHotspot },
        { 11, DropDownPlace::FixedLeft }, { 12, DropDownPlace::None },
        { 13, DropDownPlace::BelowHotspot }, { 15, DropDownPlace::None },
        { 18, DropDownPlace::BelowHotspot }, { 20, DropDownPlace::BelowHotspot },
        { 21, DropDownPlace::BelowPressedLook }, { 22, DropDownPlace::None },
        { 23, DropDownPlace::BelowPressedLook },
        { 42, DropDownPlace::None }, // tools open their flyouts on the right button
    };
    for (const auto& [hotspot, place] : cases)
        EXPECT_EQ(dropDownPlaceOf(hotspot), place) << hotspot;
}

TEST(DemoLayout, ItemsMoveWithThePictureAndSpanIt)
{
    // Key 0106 with its picture at (1000, 2000), 1800 wide.
    const ItemLayout l = onDemoWindow(secondLevelLayout(1, 6, {}), { 1000, 2000, 1800, 900 }, {});
    EXPECT_EQ(l.item(2), (ItemRect { 1045, 2285, 1740, 240 }));
    // Parked items move too, and keep no height.
    EXPECT_EQ(l.item(4), (ItemRect { 900, 1900, 1740, 0 }));
    EXPECT_EQ(onDemoWindow(firstLevelLayout(1, {}), { 0, 0, 4000, 0 }, { 0.8, 0.8 }).item(1).width,
        4000 - 48);
}

} // namespace
