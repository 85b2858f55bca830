#pragma once

// The popup context menu wm100 of the practice window, filled from a menu of the menu file.
// Its nine entries stand in a fixed order: the entry position G of a MenuCode names one of them,
// a cascade entry (sMirtMain1..5 with its submenu sMirtSub1..5) or an item group shown directly
// in the popup (sMirtInde1..4). Every list holds items 0..10; items 0..9 can be filled.

#include "menus/menufile.h"
#include "platform/menu.h"

#include <QString>

#include <array>
#include <functional>

namespace menus {

inline constexpr int kListItems = 11; // items 0..10 of every list of wm100

// The names of the popup's entry at each position G (index G - 1); `cascade` is empty for an
// item group, whose list lies directly in wm100.
struct PopupEntry {
    const char* cascade;
    const char* list;
};
inline constexpr std::array<PopupEntry, kEntries> kPopupEntries { {
    { "sMirtMain1", "sMirtSub1" },
    { "", "sMirtInde1" },
    { "sMirtMain2", "sMirtSub2" },
    { "", "sMirtInde2" },
    { "sMirtMain3", "sMirtSub3" },
    { "", "sMirtInde3" },
    { "sMirtMain4", "sMirtSub4" },
    { "sMirtMain5", "sMirtSub5" },
    { "", "sMirtInde4" },
} };

// Builds the popup's entries and lists, each list with item 0 only (the design-time tree).
void buildPopup(plat::MenuItem& wm100);
// Adds items 1..10 to every list (the window's load handler does this).
void loadPopupItems(plat::MenuItem& wm100);
// Item `index` of the list at position G, or nullptr.
plat::MenuItem* popupItem(plat::MenuItem& wm100, int position, int index);
// Hides every cascade entry and every item of the nine lists.
void clearPopup(plat::MenuItem& wm100);
// Shows `menu` in the popup: clears it, then gives each present entry its caption and the
// first items of its list their captions. Items that no token fills stay hidden.
void fillPopup(plat::MenuItem& wm100, const ContextMenu& menu);
// Makes a choice of item `index` of the list at position G call `chosen(G, index)`.
void connectPopup(plat::MenuItem& wm100, const std::function<void(int, int)>& chosen);

} // namespace menus
