#include "platform/menu.h"

#include <algorithm>

namespace plat {

MenuItem::MenuItem(MenuItem* parent, QString name, int index)
    : parent_(parent)
    , name_(std::move(name))
    , index_(index)
{
}

MenuItem::~MenuItem() = default;

MenuItem& MenuItem::add(QString name, int index)
{
    items_.push_back(std::make_unique<MenuItem>(this, std::move(name), index));
    return *items_.back();
}

MenuItem* MenuItem::loadArrayItem(const QString& name, int index)
{
    if (find(name, index))
        return nullptr;
    auto last = std::find_if(items_.rbegin(), items_.rend(),
        [&](const std::unique_ptr<MenuItem>& m) { return m->name_ == name; });
    if (last == items_.rend())
        return nullptr;
    auto pos = last.base(); // one past the last member
    auto it = items_.insert(pos, std::make_unique<MenuItem>(this, name, index));
    (*it)->caption = (*std::prev(it))->caption;
    return it->get();
}

MenuItem* MenuItem::find(const QString& name, int index) const
{
    for (const auto& m : items_) {
        if (m->name_ == name && m->index_ == index)
            return m.get();
        if (MenuItem* inner = m->find(name, index))
            return inner;
    }
    return nullptr;
}

bool MenuItem::hasVisibleChildren() const
{
    return std::any_of(items_.begin(), items_.end(), [](const auto& m) { return m->visible; });
}

} // namespace plat
