#pragma once

// The simulated drop-downs: where the invisible item labels of a first-level drop-down or tool
// flyout (Lbl1J) and of a second-level drop-down (Lbl2J) lie, where a flyout or second-level
// drop-down goes so that it stays inside the window, and whether a click in them answers the
// step's menu path. All sizes are twips; design values are for 96 dpi and scaled here.

#include "stepengine/steprecord.h"

#include <QChar>
#include <QString>

#include <array>
#include <optional>

namespace menus {

inline constexpr int kItemLabels = 44; // Lbl1J(1..44), Lbl2J(1..44)

// A hotspot, item or sub-item number as the menu pictures' names write it: its last two digits.
QString pictureNumber(int n);

struct Scale {
    double x = 1.0; // ScaleX
    double y = 1.0; // ScaleY
};

// A label's place in twips, relative to its drop-down picture. The default is parked: outside
// the picture and without area, so it cannot be hit.
struct ItemRect {
    double left = -100;
    double top = -100;
    double width = 0;
    double height = 0;
    bool operator==(const ItemRect&) const = default;
};

// What one layout call leaves on the 44 labels: items 1..count placed, the others parked.
struct ItemLayout {
    std::array<ItemRect, kItemLabels> items {};
    int count = 0;
    const ItemRect& item(int i) const { return items[i - 1]; } // i from 1
};

// A drop-down described by its separator groups (ItemGroupString): one character per group.
struct GroupRow {
    int key = 0; // OpenHotspot, or OpenHotspot * 100 + OpenItem for the second level
    const char* groups = ""; // ItemGroupString
    int width = 0; // item width, design twips
    int height = 0; // item height and pitch, design twips
};

// The letter values of group strings differ by level ("K" is 23 at the first level only).
enum class Level { First, Second };

// Tool1JTop / Tool2JTop: rows of `height` from 45, with a gap of 135 after every group; tops
// are rounded half to even as they accumulate. A string of more than 44 items places 44.
ItemLayout layOutGroups(const GroupRow& row, Level level, Scale s);

// Tool1JCSH: the items of the drop-down or flyout of hotspot `openHotspot` (LblZHU index). A
// hotspot without a drop-down leaves every item parked.
ItemLayout firstLevelLayout(int openHotspot, Scale s);

// SecondLevelKeys: whether item `item` of hotspot `hotspot`'s drop-down opens a second level.
bool opensSecondLevel(int hotspot, int item);
// Tool2JCSH: the items of that second level; a key without one leaves every item parked.
ItemLayout secondLevelLayout(int hotspot, int item, Scale s);

// Placing a drop-down picture so that it stays inside the simulated window.
struct Box {
    double left = 0, top = 0, width = 0, height = 0;
};
struct Position {
    double left = 0;
    double top = 0;
    bool operator==(const Position&) const = default;
};

// The size of a drop-down whose picture is missing: its items with the margins they keep from
// the picture's top-left corner kept on the right and at the bottom too.
struct Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size&) const = default;
};
Size extentOf(const ItemLayout& layout);

// Where a left release on a hotspot opens its drop-down (Pic1J), if it opens one.
enum class DropDownPlace {
    None,
    BelowHotspot, // menu titles and application-bar buttons: under the hotspot
    FixedLeft, // the last menu title: under it, but at a fixed distance from the window's left
    BelowPressedLook, // options-bar buttons: under the pressed picture just shown
};
DropDownPlace dropDownPlaceOf(int hotspot);
inline constexpr double kLastTitleDropDownLeft = 8490; // design twips, times ScaleX
// Tool groups of the toolbox, whose right or Alt release shows a flyout or a variant.
inline bool isToolGroup(int hotspot) { return hotspot >= 42 && hotspot <= 61; }

// The demonstration window's items lie on the window itself: every label, parked ones included,
// is moved by the picture's origin and spans the picture less 60 twips (times ScaleX).
ItemLayout onDemoWindow(ItemLayout layout, const Box& picture, Scale s);

// A tool flyout opens to the right of its tool (`tool` in window twips); a flyout that would
// reach 9000 * ScaleY, or lower, is raised to end at the tool's bottom.
Position flyoutPosition(const Box& tool, double flyoutHeight, Scale s);

// A second-level drop-down of size `width` x `height` opens 90 twips inside the right edge of
// the first-level one (`pic1J`, window twips), level with the clicked item (`item`, relative to
// pic1J). Reaching below 8820 * ScaleY raises it to end at the item's bottom; reaching past
// 11850 * ScaleX flips it to the left of the first level, overlapping it by 45.
Position secondLevelPosition(
    const Box& pic1J, const ItemRect& item, double width, double height, Scale s);

// A click in the simulated menus: the hotspot released, the first-level item and the
// second-level item clicked; 0 for a level not clicked.
struct MenuClick {
    int hotspot = 0;
    int item = 0;
    int subItem = 0;
};

// The descriptor that answers a click, and its NextStepCode: "0" the next step, anything else
// the step to jump to.
struct PathMatch {
    stepengine::Field descriptor {};
    QChar next = u'0';
};

// Descriptors are tried at 125, 86 and 96, in this order, and the first that answers the click
// wins, so one click advances once. An "H" path answers a click at its own depth: "0000" after
// the hotspot for the hotspot itself, "00" after the item for a first-level item. A "D" item
// picture at 96 answers a click on its first-level item with the next step.
std::optional<PathMatch> matchPath(const stepengine::StepRecord& step, const MenuClick& click);

// An Alt release on a tool group: an "H" path naming the tool answers, whatever it says after
// the tool; the first in the order 125, 86, 96 wins.
std::optional<PathMatch> matchToolVariant(const stepengine::StepRecord& step, int tool);

} // namespace menus
