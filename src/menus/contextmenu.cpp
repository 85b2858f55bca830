#include "menus/contextmenu.h"

namespace menus {

namespace {
    bool isItemGroup(const PopupEntry& e) { return e.cascade[0] == '\0'; }

    // The menu entry that holds the list at position G: wm100 itself for an item group.
    plat::MenuItem* listHolder(plat::MenuItem& wm100, const PopupEntry& e)
    {
        return isItemGroup(e) ? &wm100 : wm100.find(QLatin1String(e.cascade));
    }

    template <class F> void forEachListItem(plat::MenuItem& wm100, F f)
    {
        for (int g = 1; g <= kEntries; ++g)
            for (int i = 0; i < kListItems; ++i)
                if (plat::MenuItem* item = popupItem(wm100, g, i))
                    f(g, i, *item);
    }
}

void buildPopup(plat::MenuItem& wm100)
{
    for (const PopupEntry& e : kPopupEntries) {
        plat::MenuItem& holder = isItemGroup(e) ? wm100 : wm100.add(QLatin1String(e.cascade));
        holder.add(QLatin1String(e.list), 0);
    }
}

void loadPopupItems(plat::MenuItem& wm100)
{
    for (int i = 1; i < kListItems; ++i)
        for (const PopupEntry& e : kPopupEntries)
            if (plat::MenuItem* holder = listHolder(wm100, e))
                holder->loadArrayItem(QLatin1String(e.list), i);
}

plat::MenuItem* popupItem(plat::MenuItem& wm100, int position, int index)
{
    if (position < 1 || position > kEntries)
        return nullptr;
    const PopupEntry& e = kPopupEntries[position - 1];
    plat::MenuItem* holder = listHolder(wm100, e);
    return holder ? holder->find(QLatin1String(e.list), index) : nullptr;
}

void clearPopup(plat::MenuItem& wm100)
{
    for (const PopupEntry& e : kPopupEntries)
        if (!isItemGroup(e))
            if (plat::MenuItem* cascade = wm100.find(QLatin1String(e.cascade)))
                cascade->visible = false;
    forEachListItem(wm100, [](int, int, plat::MenuItem& item) { item.visible = false; });
}

void fillPopup(plat::MenuItem& wm100, const ContextMenu& menu)
{
    clearPopup(wm100);
    for (int g = 1; g <= kEntries; ++g) {
        const MenuEntry& entry = menu.at(g);
        if (!entry.visible)
            continue;
        const PopupEntry& e = kPopupEntries[g - 1];
        if (!isItemGroup(e)) {
            plat::MenuItem* cascade = wm100.find(QLatin1String(e.cascade));
            if (!cascade)
                continue;
            cascade->caption = entry.caption;
            cascade->visible = true;
        }
        for (int i = 0; i < entry.items.size() && i < kMaxItems; ++i) {
            if (plat::MenuItem* item = popupItem(wm100, g, i)) {
                item->caption = entry.items[i];
                item->visible = true;
            }
        }
    }
}

void connectPopup(plat::MenuItem& wm100, const std::function<void(int, int)>& chosen)
{
    forEachListItem(wm100, [&chosen](int g, int i, plat::MenuItem& item) {
        item.Click = [chosen, g, i] { chosen(g, i); };
    });
}

} // namespace menus
