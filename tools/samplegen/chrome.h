#pragma once

#include "workspace/chromeart.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace samplegen {

// Geometry of the simulated editor's chrome, in pixels of the 96-dpi design (1 px = 15 twips).
// The hotspot rectangles are the ones the simulated window lays its click labels on, so the
// pictures drawn from them line up with the labels.
constexpr int kTwipsPerPixel = 15;
constexpr int kWindowWidth = 800; // 12000 twips
constexpr int kWindowHeight = 600; // 9000 twips

constexpr QPoint kMenuPanelPos { 0, 0 };
constexpr QSize kMenuPanelSize = workspace::kMenuBarArtSize;
constexpr QPoint kOptionsPanelPos { 4, 61 };
constexpr QSize kOptionsPanelSize = workspace::kOptionsBarArtSize;
constexpr QPoint kToolboxPos { 4, 95 };
constexpr QSize kToolboxOneColumnSize { 38, 668 };
constexpr QSize kToolboxTwoColumnSize { 62, 376 };

// The question panel docks over this corner of the window; nothing to click may lie there.
constexpr QRect kQuestionPanelArea { 468, 358, 332, 242 };

enum class ToolboxForm { OneColumn, TwoColumns };

// Hotspot rectangle relative to its own panel (menu bar, options bar or toolbox).
QRect hotspotRect(int hotspot, ToolboxForm form = ToolboxForm::TwoColumns);
// The panel origin inside the window for a hotspot index.
QPoint panelOrigin(int hotspot);

struct MenuTitle {
    QString title;
    QString groups; // one character per separator group, as the drop-down layout reads it
    int itemWidthTwips;
    int itemHeightTwips;
    QStringList items; // "text" or "text\tshortcut"
};

// Menu titles 1 to 11 of the menu bar (index 0 unused) and the tool flyouts 42 to 61.
const MenuTitle& menuTitle(int hotspot);
bool hasDropDown(int hotspot);
int groupSize(QChar groupChar);
int dropDownItemCount(int hotspot);
// Item rectangle inside the drop-down picture (item from 1).
QRect dropDownItemRect(int hotspot, int item);
QSize dropDownSize(int hotspot);
bool opensSecondLevel(int hotspot, int item);

// Second-level drop-downs: the layout of every item key that opens one (hotspot, first-level
// item), and item texts for the ones the module draws.
struct SecondLevel {
    QString groups; // one character per group: a digit, or A to F for 10 to 15
    int itemWidthTwips;
    int itemHeightTwips;
    QStringList items; // empty: the layout is known but no picture is drawn
};
const SecondLevel* secondLevel(int hotspot, int item); // nullptr when the item opens none
int secondLevelGroupSize(QChar groupChar);
int secondLevelItemCount(int hotspot, int item);
// Rectangle of entry `sub` inside the second-level picture.
QRect secondLevelItemRect(int hotspot, int item, int sub);
QSize secondLevelSize(int hotspot, int item);
// On-screen rectangles (window pixels) of an open drop-down, its items and second levels,
// placed as the simulated window places them.
QRect dropDownOnScreen(int hotspot);
QRect dropDownItemOnScreen(int hotspot, int item);
QRect secondLevelOnScreen(int hotspot, int item);
QRect secondLevelItemOnScreen(int hotspot, int item, int sub);

// Drop-downs of the application bar (13, 14, 18, 19, 20) and the options bar (21, 23), laid
// out by the simulated window's own layouts; 21 has a picture but no items.
struct BarDropDown {
    QSize size;
    std::vector<QRect> items; // item i at items[i - 1], inside the picture
    QStringList texts; // empty for the picture-only items of the document grid
};
const BarDropDown* barDropDown(int hotspot); // nullptr for other hotspots

// Icon key of a tool flyout's item; item 1 is the tool's own icon.
QString flyoutIcon(int hotspot, int item);

// The key check's shortcut table (the program's own, not a copy): true when the key code and
// modifier mask (1 Shift, 2 Ctrl, 4 Alt) is the shortcut of a command the window has.
bool inShortcutTable(int keyCode, int mask);
// Key code a four-digit key number 6SKK asks for, by where it stands: the action code, or the
// key field at record character 86, 91 or 96. 0 when the text is no key number.
struct KeyPress {
    int keyCode = 0;
    int mask = 0;
};
KeyPress keyOfCode(const QString& code, int where);
// The shortcut the key check gives the path hotspot / item / sub-item (0 where none).
std::optional<KeyPress> shortcutOfPath(int hotspot, int item, int sub);

// The context menus of the menu file sMenu.sys: families 3 to 6, menus 1 to 9, 15 lines each.
QStringList menuFileLines();
// What a four-digit menu code FMGI names in those lines: the caption of the item, or an empty
// string with `why` set when it names no item that can be chosen.
QString menuItemText(const QStringList& menuFile, int menuCode, QString* why = nullptr);

// Menu commands shown with a check mark: the four characters that name their item background
// (code + "77") and highlight (code + "00") in examdata.
struct CheckedItem {
    QString code;
    int hotspot;
    int item;
};
inline const std::vector<CheckedItem>& checkedItems()
{
    static const std::vector<CheckedItem> items { { "7701", 10, 7 } };
    return items;
}

struct ToolInfo {
    QString tooltip;
    QString icon; // key of the icon drawing
};
// Toolbox hotspots 41 to 67.
const ToolInfo& toolInfo(int hotspot);

} // namespace samplegen
