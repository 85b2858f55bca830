#pragma once

#include "platform/events.h"

#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace plat {

// Where a popup menu opens instead of at the pointer: a point of the form's client area in
// twips, on which the menu's top edge and its left edge (its right edge when `rightAligned`)
// stand.
struct PopupPlace {
    double x = 0;
    double y = 0;
    bool rightAligned = false;
};

// A menu entry of a form's menu tree. The top entries of a popup menu are invisible menu-bar
// entries whose children are shown by Form::popupMenu. A caption "-" is a separator that keeps
// its index. Control arrays of entries share a name and differ by index.
class MenuItem {
public:
    MenuItem(MenuItem* parent, QString name, int index = -1);
    ~MenuItem();

    const QString& name() const { return name_; }
    int index() const { return index_; }
    MenuItem* parent() const { return parent_; }

    QString caption;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    Handler Click;

    bool isSeparator() const { return caption == QStringLiteral("-"); }
    // Children in menu order.
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
    MenuItem& add(QString name, int index = -1);
    // Adds an array member right after the last member of the same name (the run-time Load of a
    // menu control array); fails when the index exists.
    MenuItem* loadArrayItem(const QString& name, int index);
    MenuItem* find(const QString& name, int index = -1) const;
    bool hasVisibleChildren() const;

private:
    MenuItem* parent_ = nullptr;
    QString name_;
    int index_ = -1;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

} // namespace plat
