#pragma once

// The context menus of the simulated application, read from the menu file: which fifteen lines
// hold a menu, what each line is, and how an item line splits into items. The popup menu wm100
// is filled from a ContextMenu, and its choices are judged against the step's MenuCode here.

#include "platform/status.h"
#include "stepengine/steprecord.h"

#include <QString>
#include <QStringList>

#include <array>

namespace menus {

inline const QString kMenuFileName = QStringLiteral("sMenu.sys"); // in the program folder

inline constexpr int kBlockLines = 15; // MenuBlock: lines of one menu
inline constexpr int kFamilyLines = 135; // nine menus of one family
inline constexpr int kMaxItems = 10; // items 0..9 of an item list; text after that is dropped
inline constexpr int kEntries = 9; // entry positions G 1..9 of wm100

// File lines (from 1) of the block of family digit F (3..6) and menu digit M. Any other family
// digit, and family 3 with menu 0, fall back on lines 1 to 15.
struct LineRange {
    int first = 1;
    int last = kBlockLines;
};
LineRange blockLines(int familyDigit, int menuDigit);

// An item line split at "|": token n is item n - 1. At most kMaxItems tokens; "-" is a
// separator that keeps its number; empty tokens are items with empty captions.
QStringList splitItems(const QString& line);
inline bool isSeparator(const QString& caption) { return caption == QStringLiteral("-"); }

// One entry of wm100 at position G. Cascade entries (G 1, 3, 5, 7, 8: sMirtMain1..5) carry a
// caption and open the submenu sMirtSub1..5; item groups (G 2, 4, 6, 9: sMirtInde1..4) show
// their items directly.
struct MenuEntry {
    bool cascade = false;
    bool visible = false; // false when its caption or group line is "0"
    QString caption {}; // cascade entries only
    QStringList items {}; // captions of items 0..n-1 of its list; the list's other items hide
};

// Where an entry's lines sit in its block (block lines from 1; captionLine 0 for item groups).
struct EntryLines {
    int captionLine = 0;
    int itemLine = 0;
};
inline constexpr std::array<EntryLines, kEntries> kEntryLines { {
    { 2, 3 }, // G1 sMirtMain1 / sMirtSub1
    { 0, 4 }, // G2 sMirtInde1
    { 5, 6 }, // G3 sMirtMain2 / sMirtSub2
    { 0, 7 }, // G4 sMirtInde2
    { 8, 9 }, // G5 sMirtMain3 / sMirtSub3
    { 0, 10 }, // G6 sMirtInde3
    { 11, 12 }, // G7 sMirtMain4 / sMirtSub4
    { 13, 14 }, // G8 sMirtMain5 / sMirtSub5
    { 0, 15 }, // G9 sMirtInde4
} };

struct ContextMenu {
    std::array<MenuEntry, kEntries> entries {}; // index G - 1

    const MenuEntry& at(int position) const { return entries[position - 1]; }
    // A menu whose lines are all "0" is valid and shows nothing.
    bool hasVisibleEntry() const;
};

// The menu of a block's fifteen lines; lines missing from `block` read as empty text.
ContextMenu menuOfBlock(const QStringList& block);

// Reads the menu of family digit F and menu digit M from the menu file (GBK). A file that
// cannot be read, or that ends before the block's first line, gives no menu and the failure
// (the second as plat::err::InputPastEndOfFile); a file that ends inside the block leaves the rest
// of the block empty text.
plat::Result<ContextMenu> readContextMenu(const QString& menuFile, int familyDigit, int menuDigit);

// The MenuCode a context-menu step asks for: the ActionCode as a number, unless the field at 86
// begins with "R" ("R" FMGI) or "RA" ("RA" MGI, family 6).
int menuCodeOfStep(const stepengine::StepRecord& step);

// Whether choosing item `index` of the list at entry position `position` answers `menuCode`
// while menu `menuNo` is shown: the item, the menu and the entry digits must agree; the family
// digit is not compared.
bool choiceMatches(int menuCode, int menuNo, int position, int index);

} // namespace menus
