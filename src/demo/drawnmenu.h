#pragma once

// The context menu and its cascade submenu as the demonstration draws them on its own window
// from a block of the menu file: where the body, every entry, separator and submenu triangle
// lie, the flips that keep the menu inside the window, and the entry the pointer aims at.
// Pure layout in window twips; the window copies the result onto its labels and lines.

#include "stepengine/steprecord.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>

namespace demo {

// The size a label takes for a caption (twips); the window measures with the label's font.
using Measure = std::function<QSizeF(const QString&)>;

struct DrawnLabel {
    bool shown = false;
    QString caption {};
    double left = 0, top = 0, width = 0, height = 0;
};
struct DrawnLine {
    bool shown = false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
struct Body {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Body&) const = default;
};
// The point the pointer glides to and the red frame over that entry's row. Not found: the
// step names a separator, nothing, or an absent row, and the pointer stands.
struct Aim {
    bool found = false;
    int32_t x = 0, y = 0;
    Body frame {};
};

inline constexpr int kGroupEntries = 10; // LRM2, LRM4, LRM6, LRM9: 0..9
inline constexpr int kMenuSeparators = 10; // LRFGX 0..9
inline constexpr int kSubEntries = 10; // LRS 0..9
inline constexpr int kSubSeparators = 6; // LRSFgx 0..5

struct ContextMenuDrawing {
    Body body {};
    // Item groups at entry positions 2, 4, 6, 9 (LRM2, LRM4, LRM6, LRM9), in this order.
    std::array<std::array<DrawnLabel, kGroupEntries>, 4> groups {};
    // Cascade entries and their triangles by entry position G (index G - 1; 1, 3, 5, 7, 8).
    std::array<DrawnLabel, 9> cascades {};
    std::array<DrawnLabel, 9> triangles {};
    std::array<DrawnLine, kMenuSeparators> separators {};
    Aim aim {};
};

struct SubmenuDrawing {
    Body body {};
    std::array<DrawnLabel, kSubEntries> entries {};
    std::array<DrawnLine, kSubSeparators> separators {};
    Aim aim {};
};

// The menu a context-menu step shows: its MenuCode (the ActionCode, or the "R"/"RA" field),
// the family 1..4 (0 for none; an ActionCode beginning "3" or "4" names family 1 or 2 itself),
// the menu number and the entry position G and item I, which always come from the ActionCode.
struct DemoMenu {
    int16_t code = 0;
    int family = 0;
    int16_t menuNo = 0;
    int entry = 0;
    int item = 0;
};
DemoMenu demoMenuOf(const stepengine::StepRecord& step);

// The fifteen block lines of a menu from the menu file's lines; lines past the file's end are
// empty, a block before the first line is lines 1 to 15.
QStringList blockOf(const QStringList& menuFile, int family, int menuNo);

inline constexpr int kGroupIndexOf[10] = { -1, -1, 0, -1, 1, -1, 2, -1, -1, 3 }; // G -> group
bool isCascadeEntry(int entry);
bool isItemGroup(int entry);

// RightKeyMenu: the menu with its top-left corner at the pointer, flipped left when no more
// than its own width would remain to the window's right edge and lifted when it would reach
// within 300 x ScaleY of the bottom edge; the aim is entry `entry`, item `item`.
ContextMenuDrawing drawContextMenu(const QStringList& block, int32_t pointerX, int32_t pointerY,
    double windowWidth, double windowHeight, double scaleX, double scaleY, int entry, int item,
    const Measure& measure);

// RightKeySub: the submenu of cascade entry `entry` beside the menu body, its top level with
// the entry's row (`entryTop`); it is never flipped. The aim is item `item`.
SubmenuDrawing drawSubmenu(const QStringList& block, const Body& menu, double entryTop, int entry,
    int item, const Measure& measure);

} // namespace demo
