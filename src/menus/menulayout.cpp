#include "menus/menulayout.h"

#include "platform/rounding.h"
#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace menus {

QString pictureNumber(int n) { return plat::twoDigits(n % 100); }

namespace {
    namespace fd = stepengine::field;

    constexpr double kFirstTop = 45; // first item, and the left of every item
    constexpr double kGroupGap = 135; // separator gap after each group
    constexpr double kFlyoutBottom = 9000; // a flyout reaching this line is raised
    constexpr double kWindowBottom = 8820; // a second level reaching below this is raised
    constexpr double kWindowRight = 11850; // a second level reaching past this is flipped
    constexpr double kSecondLevelInset = 90; // second level starts inside the first's right edge
    constexpr double kFlipOverlap = 45; // a flipped second level overlaps the first

    struct LetterValue {
        char letter;
        int value;
    };
    constexpr LetterValue kFirstLevelLetters[] = {
        { 'A', 10 },
        { 'B', 11 },
        { 'C', 12 },
        { 'D', 13 },
        { 'K', 23 },
    };
    constexpr LetterValue kSecondLevelLetters[] = {
        { 'A', 10 },
        { 'B', 11 },
        { 'C', 12 },
        { 'D', 13 },
        { 'E', 14 },
        { 'F', 15 },
    };

    // A character of an ItemGroupString; anything unknown is an empty group (a bare gap).
    int groupSize(QChar c, Level level)
    {
        if (c >= u'0' && c <= u'9')
            return c.unicode() - u'0';
        const std::span<const LetterValue> letters = level == Level::First
            ? std::span<const LetterValue>(kFirstLevelLetters)
            : std::span<const LetterValue>(kSecondLevelLetters);
        for (const LetterValue& l : letters)
            if (c == QLatin1Char(l.letter))
                return l.value;
        return 0;
    }

    // First-level drop-downs and flyouts laid out from their groups, by OpenHotspot. `pitch`
    // re-spaces the rows after the layout (0: rows follow the item height).
    struct FirstLevelRow {
        GroupRow row;
        int pitch = 0;
    };
    constexpr FirstLevelRow kFirstLevelRows[] = {
        { { 1, "628122131", 5160, 240 } },
        { { 2, "622531233", 3540, 240 } },
        { { 3, "1136321", 3540, 240 } },
        { { 4, "333323121231", 3360, 240 } },
        { { 5, "43122112", 3090, 240 } },
        { { 6, "113D11", 2190, 240 } },
        { { 7, "321", 3000, 240 } },
        { { 8, "14246221", 3690, 240 } },
        { { 9, "65121232", 3000, 240 } },
        { { 10, "21K21", 1950, 240 } },
        { { 11, "4112A", 3375, 240 } },
        { { 14, "4", 930, 240 }, 270 }, // zoom levels: rows 270 apart, 240 high
        { { 42, "4", 2385, 285 } },
        { { 43, "3", 2190, 285 } },
        { { 44, "2", 2745, 285 } },
        { { 45, "3", 2190, 285 } },
        { { 46, "5", 2310, 285 } },
        { { 47, "4", 2385, 285 } },
        { { 48, "3", 2190, 285 } },
        { { 49, "2", 2745, 285 } },
        { { 50, "2", 2745, 285 } },
        { { 51, "3", 2190, 285 } },
        { { 52, "2", 2745, 285 } },
        { { 53, "3", 2190, 285 } },
        { { 54, "3", 2190, 285 } },
        { { 55, "5", 2310, 285 } },
        { { 56, "4", 2385, 285 } },
        { { 57, "2", 2745, 285 } },
        { { 58, "6", 2040, 285 } },
        { { 59, "5", 2310, 285 } },
        { { 60, "5", 2310, 285 } },
        { { 61, "2", 2745, 285 } },
    };

    // Drop-downs of the application and options bars with a layout of their own, in design
    // twips; each value is scaled as it is, without rounding.
    struct DesignRect {
        int left, top, width, height;
    };
    constexpr DesignRect kExtrasLayout[] = {
        // 13: view extras
        { 15, 45, 1410, 300 },
        { 15, 360, 1410, 300 },
        { 15, 720, 1410, 300 },
    };
    constexpr DesignRect kScreenModeLayout[] = {
        // 19: screen mode
        { 15, 45, 2325, 300 },
        { 15, 360, 2325, 300 },
        { 15, 675, 2325, 300 },
    };
    constexpr DesignRect kWorkspaceLayout[] = {
        // 20: right end of the application bar; gaps before items 4 and 13
        { 45, 45, 2010, 270 },
        { 45, 315, 2010, 270 },
        { 45, 585, 2010, 270 },
        { 45, 990, 2010, 270 },
        { 45, 1260, 2010, 270 },
        { 45, 1530, 2010, 270 },
        { 45, 1800, 2010, 270 },
        { 45, 2070, 2010, 270 },
        { 45, 2340, 2010, 270 },
        { 45, 2610, 2010, 270 },
        { 45, 2880, 2010, 270 },
        { 45, 3150, 2010, 270 },
        { 45, 3555, 2010, 270 },
        { 45, 3825, 2010, 270 },
    };
    constexpr DesignRect kOptionsButtonLayout[] = {
        // 23: third options-bar button
        { 15, 15, 1035, 240 },
        { 15, 255, 1035, 240 },
    };
    // 18: arrange documents; a grid of 4 x 5 buttons above a list of seven commands.
    constexpr std::array<DesignRect, 27> kArrangeLayout = [] {
        constexpr int gridRowTops[] = { 90, 675, 1155, 1635, 2115 };
        constexpr int listTops[] = { 2610, 2880, 3180, 3450, 3750, 4020, 4290 };
        std::array<DesignRect, 27> a {};
        for (int i = 0; i < 20; ++i)
            a[i] = { 90 + i % 4 * 540, gridRowTops[i / 4], 420, 375 };
        for (int i = 0; i < 7; ++i)
            a[20 + i] = { 75, listTops[i], 2220, 270 };
        return a;
    }();

    struct OwnLayout {
        int hotspot;
        std::span<const DesignRect> items;
    };
    constexpr OwnLayout kOwnLayouts[] = {
        { 13, kExtrasLayout },
        { 18, kArrangeLayout },
        { 19, kScreenModeLayout },
        { 20, kWorkspaceLayout },
        { 23, kOptionsButtonLayout },
    };

    // SecondLevelLayout; its keys are SecondLevelKeys.
    constexpr GroupRow kSecondLevelRows[] = {
        { 106, "21", 1500, 240 },
        { 118, "6", 2250, 240 },
        { 119, "6", 2250, 240 },
        { 120, "214", 2490, 240 },
        { 121, "1221131", 2670, 240 },
        { 213, "1632", 2640, 240 },
        { 219, "4", 1545, 240 },
        { 227, "191", 2850, 240 },
        { 301, "831", 1860, 240 },
        { 302, "46524", 3270, 240 },
        { 308, "42", 2130, 240 },
        { 315, "2", 2985, 240 },
        { 401, "42", 3540, 240 },
        { 403, "2", 1575, 240 },
        { 405, "1A34", 2130, 240 },
        { 406, "121", 2040, 240 },
        { 407, "3", 1305, 240 },
        { 408, "465", 2220, 240 },
        { 409, "21211", 2760, 240 },
        { 410, "422", 1680, 240 },
        { 411, "312", 1680, 240 },
        { 413, "225112", 2580, 240 },
        { 414, "72", 1680, 240 },
        { 418, "5", 2715, 240 },
        { 419, "33", 1965, 285 },
        { 420, "33", 1965, 285 },
        { 421, "1421211", 2850, 240 },
        { 427, "3", 1755, 240 },
        { 510, "5", 2265, 240 },
        { 606, "9", 1575, 240 },
        { 607, "8", 1575, 240 },
        { 608, "B", 1575, 240 },
        { 609, "D", 1575, 240 },
        { 610, "5", 2715, 240 },
        { 611, "2", 1575, 240 },
        { 612, "E", 1575, 240 },
        { 613, "6", 2250, 240 },
        { 614, "7", 3075, 240 },
        { 615, "5", 2715, 240 },
        { 616, "F", 4185, 240 },
        { 617, "5", 2715, 240 },
        { 618, "5", 2715, 240 },
        { 619, "2", 1575, 240 },
        { 701, "2", 1575, 240 },
        { 702, "1", 1575, 240 },
        { 803, "B", 1575, 240 },
        { 804, "4", 1545, 240 },
        { 812, "7", 3075, 240 },
        { 901, "1632", 2310, 240 },
        { 904, "39", 3210, 240 },
        { 912, "3", 4500, 240 },
        { 914, "A21", 3000, 240 },
        { 917, "52", 1680, 240 },
        { 1001, "541", 3120, 240 },
        { 1002, "23921", 2670, 240 },
        { 1109, "6", 3450, 240 },
        { 1110, "3", 4500, 240 },
        { 1111, "1", 1575, 240 },
        { 1112, "C", 3450, 240 },
        { 1113, "7", 3075, 240 },
        { 1114, "6", 3450, 240 },
        { 1115, "2", 2985, 240 },
        { 1116, "7", 3075, 240 },
        { 1117, "3", 4500, 240 },
        { 1118, "3", 4500, 240 },
    };

    const GroupRow* secondLevelRow(int hotspot, int item)
    {
        const int key = hotspot * 100 + item;
        for (const GroupRow& r : kSecondLevelRows)
            if (r.key == key)
                return &r;
        return nullptr;
    }

    // The descriptors of a step in the order every path check takes them.
    constexpr stepengine::Field kPathDescriptors[] = {
        fd::Descriptor3,
        fd::Descriptor1,
        fd::Descriptor2,
    };

    // Whether an "H" path ends at the depth of the click and names the clicked item there.
    bool pathAnswers(const QString& text, const stepengine::ActionDescriptor& d, const MenuClick& c)
    {
        if (d.kind != u'H' || d.hotspot != c.hotspot)
            return false;
        if (c.item == 0)
            return d.clicksHotspotItself();
        if (d.item != c.item)
            return false;
        if (c.subItem == 0)
            return plat::mid(text, 6, 2) == QStringLiteral("00");
        return d.subItem == c.subItem;
    }
}

ItemLayout layOutGroups(const GroupRow& row, Level level, Scale s)
{
    std::array<double, kItemLabels> tops {};
    tops[0] = plat::roundHalfEven(kFirstTop * s.y);
    for (int i = 1; i < kItemLabels; ++i)
        tops[i] = plat::roundHalfEven(tops[i - 1] + row.height * s.y);
    int n = 0;
    for (const char* c = row.groups; *c; ++c) {
        n += groupSize(QLatin1Char(*c), level);
        for (int j = n; j < kItemLabels; ++j)
            tops[j] = plat::roundHalfEven(tops[j] + kGroupGap * s.y);
    }
    ItemLayout layout;
    layout.count = std::min(n, kItemLabels);
    for (int i = 0; i < layout.count; ++i)
        layout.items[i] = { kFirstTop * s.x, tops[i], row.width * s.x, row.height * s.y };
    return layout;
}

ItemLayout firstLevelLayout(int openHotspot, Scale s)
{
    for (const FirstLevelRow& r : kFirstLevelRows) {
        if (r.row.key != openHotspot)
            continue;
        ItemLayout layout = layOutGroups(r.row, Level::First, s);
        if (r.pitch != 0)
            for (int i = 1; i < layout.count; ++i)
                layout.items[i].top = layout.items[i - 1].top + r.pitch * s.y;
        return layout;
    }
    for (const OwnLayout& own : kOwnLayouts) {
        if (own.hotspot != openHotspot)
            continue;
        ItemLayout layout;
        layout.count = static_cast<int>(own.items.size());
        for (int i = 0; i < layout.count; ++i) {
            const DesignRect& d = own.items[i];
            layout.items[i] = { d.left * s.x, d.top * s.y, d.width * s.x, d.height * s.y };
        }
        return layout;
    }
    return {};
}

bool opensSecondLevel(int hotspot, int item) { return secondLevelRow(hotspot, item) != nullptr; }

ItemLayout secondLevelLayout(int hotspot, int item, Scale s)
{
    const GroupRow* row = secondLevelRow(hotspot, item);
    return row ? layOutGroups(*row, Level::Second, s) : ItemLayout {};
}

Size extentOf(const ItemLayout& layout)
{
    if (layout.count == 0)
        return {};
    double minLeft = layout.items[0].left, minTop = layout.items[0].top;
    double right = 0, bottom = 0;
    for (int i = 0; i < layout.count; ++i) {
        const ItemRect& r = layout.items[i];
        minLeft = std::min(minLeft, r.left);
        minTop = std::min(minTop, r.top);
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
    }
    return { right + minLeft, bottom + minTop };
}

DropDownPlace dropDownPlaceOf(int hotspot)
{
    if ((hotspot >= 1 && hotspot <= 10) || hotspot == 13 || hotspot == 14
        || (hotspot >= 18 && hotspot <= 20))
        return DropDownPlace::BelowHotspot;
    if (hotspot == 11)
        return DropDownPlace::FixedLeft;
    if (hotspot == 21 || hotspot == 23)
        return DropDownPlace::BelowPressedLook;
    return DropDownPlace::None;
}

ItemLayout onDemoWindow(ItemLayout layout, const Box& picture, Scale s)
{
    for (ItemRect& r : layout.items) {
        r.left += picture.left;
        r.top += picture.top;
        r.width = picture.width - 60 * s.x;
    }
    return layout;
}

Position flyoutPosition(const Box& tool, double flyoutHeight, Scale s)
{
    Position p { tool.left + tool.width, tool.top };
    if (p.top + flyoutHeight >= kFlyoutBottom * s.y)
        p.top = tool.top + tool.height - flyoutHeight;
    return p;
}

Position secondLevelPosition(
    const Box& pic1J, const ItemRect& item, double width, double height, Scale s)
{
    Position p { pic1J.left + pic1J.width - kSecondLevelInset * s.x, pic1J.top + item.top };
    if (p.top + height > kWindowBottom * s.y)
        p.top = pic1J.top + item.top + item.height - height;
    if (p.left + width > kWindowRight * s.x)
        p.left = pic1J.left - width + kFlipOverlap * s.x;
    return p;
}

std::optional<PathMatch> matchPath(const stepengine::StepRecord& step, const MenuClick& click)
{
    for (const stepengine::Field slot : kPathDescriptors) {
        const QString text = step.text(slot);
        const auto d = stepengine::ActionDescriptor::parse(text);
        if (pathAnswers(text, d, click))
            return PathMatch { slot, d.next };
    }
    // The item picture marks a first-level item; a click on it goes to the next step.
    if (click.item != 0 && click.subItem == 0) {
        const auto d = step.descriptor(fd::Descriptor2);
        if (d.kind == u'D' && d.hotspot == click.hotspot && d.item == click.item)
            return PathMatch { fd::Descriptor2, u'0' };
    }
    return std::nullopt;
}

std::optional<PathMatch> matchToolVariant(const stepengine::StepRecord& step, int tool)
{
    for (const stepengine::Field slot : kPathDescriptors) {
        const auto d = step.descriptor(slot);
        if (d.kind == u'H' && d.hotspot == tool)
            return PathMatch { slot, d.next };
    }
    return std::nullopt;
}

} // namespace menus
