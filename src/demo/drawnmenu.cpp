#include "demo/drawnmenu.h"

#include "demo/glide.h"
#include "menus/menufile.h"
#include "platform/rounding.h"

#include <algorithm>

namespace demo {

// A menu line's items index the label arrays directly: a line split into more items than a
// drawn menu has labels would write past them.
static_assert(kGroupEntries >= menus::kMaxItems && kSubEntries >= menus::kMaxItems);

namespace {
    // Context menu.
    constexpr double kFirstRow = 90; // below the body's top
    constexpr double kRow = 270;
    constexpr double kSeparatorRow = 135;
    constexpr double kTextInset = 300;
    constexpr double kLineInset = 60;
    constexpr double kBodyExtra = 690; // widest entry + this
    constexpr double kTriangleFromRight = 180;
    constexpr double kTriangleDown = 30;
    constexpr double kLiftTest = 300; // times ScaleY
    constexpr double kLiftTo = 600; // times ScaleY
    constexpr double kFrameHeight = 270; // times ScaleY
    constexpr double kFrameAbove = 135; // times ScaleX
    // Submenu.
    constexpr double kSubFirstRow = 135;
    constexpr double kSubOverlap = 60;
    constexpr double kSubFrameHeight = 285;
    constexpr double kSubFrameAbove = 60;

    // Entry position G and its block line (from 0).
    constexpr int kRowLine[10] = { 0, 1, 3, 4, 6, 7, 9, 10, 12, 14 };
    // The submenu line of cascade entry G.
    constexpr int kSubmenuLine[10] = { 0, 2, 0, 5, 0, 8, 0, 11, 13, 0 };

    const QString kAbsent = QStringLiteral("0");
    const QString kSeparator = QStringLiteral("-");

    void shift(DrawnLabel& l, double dx, double dy)
    {
        l.left += dx;
        l.top += dy;
    }
    void shift(DrawnLine& l, double dx, double dy)
    {
        l.x1 += dx;
        l.x2 += dx;
        l.y1 += dy;
        l.y2 += dy;
    }

    Aim aimAt(const DrawnLabel& l)
    {
        if (!l.shown)
            return {};
        return { true, centreOf(l.left, l.width), centreOf(l.top, l.height), {} };
    }
}

bool isCascadeEntry(int entry)
{
    return entry == 1 || entry == 3 || entry == 5 || entry == 7 || entry == 8;
}
bool isItemGroup(int entry) { return entry == 2 || entry == 4 || entry == 6 || entry == 9; }

DemoMenu demoMenuOf(const stepengine::StepRecord& step)
{
    DemoMenu m;
    m.code = static_cast<int16_t>(menus::menuCodeOfStep(step));
    const int thousands = m.code / 1000;
    m.family = thousands >= 3 && thousands <= 6 ? thousands - 2 : 0;
    const QString action = step.actionCode();
    if (action.startsWith(u'3'))
        m.family = 1;
    else if (action.startsWith(u'4'))
        m.family = 2;
    m.menuNo = static_cast<int16_t>(m.code / 100 % 10);
    m.entry = stepengine::readInt16(action.mid(2, 1));
    m.item = stepengine::readInt16(action.mid(3, 1));
    return m;
}

QStringList blockOf(const QStringList& menuFile, int family, int menuNo)
{
    const menus::LineRange lines = menus::blockLines(family == 0 ? 0 : family + 2, menuNo);
    QStringList block = menuFile.mid(lines.first - 1, menus::kBlockLines);
    while (block.size() < menus::kBlockLines)
        block << QString();
    return block;
}

ContextMenuDrawing drawContextMenu(const QStringList& block, int32_t pointerX, int32_t pointerY,
    double windowWidth, double windowHeight, double scaleX, double scaleY, int entry, int item,
    const Measure& measure)
{
    ContextMenuDrawing d;
    Body& b = d.body;
    b.left = pointerX;
    b.top = pointerY;
    double y = b.top + kFirstRow;
    double widest = 0;
    int s = 0;
    for (int g = 1; g <= 9; ++g) {
        const QString line = block.value(kRowLine[g]);
        if (line == kAbsent)
            continue;
        if (isCascadeEntry(g)) {
            DrawnLabel& l = d.cascades[g - 1];
            const QSizeF size = measure(line);
            l = { true, line, b.left + kTextInset, y, size.width(), size.height() };
            d.triangles[g - 1] = { true, QString(), 0, y + kTriangleDown, 0, 0 };
            y += kRow;
            continue;
        }
        auto& labels = d.groups[kGroupIndexOf[g]];
        const QStringList pieces = menus::splitItems(line);
        for (int k = 0; k < pieces.size(); ++k) {
            if (pieces[k] == kSeparator) {
                if (s < kMenuSeparators)
                    d.separators[s] = { true, b.left + kLineInset, y, 0, y };
                y += kSeparatorRow;
                ++s;
                continue;
            }
            const QSizeF size = measure(pieces[k]);
            labels[k] = { true, pieces[k], b.left + kTextInset, y, size.width(), size.height() };
            widest = std::max(widest, plat::roundHalfEven(size.width()));
            y += kRow;
        }
    }
    b.width = widest + kBodyExtra;
    b.height = y - b.top;
    for (DrawnLabel& t : d.triangles)
        if (t.shown)
            t.left = b.left + b.width - kTriangleFromRight;
    for (DrawnLine& l : d.separators)
        if (l.shown)
            l.x2 = l.x1 + b.width - 2 * kLineInset;

    double dx = 0, dy = 0;
    if (b.left + b.width >= windowWidth - b.width)
        dx = -b.width;
    if (b.top + b.height >= windowHeight - kLiftTest * scaleY)
        dy = -((b.top + b.height) - (windowHeight - kLiftTo * scaleY));
    b.left += dx;
    b.top += dy;
    for (auto& group : d.groups)
        for (DrawnLabel& l : group)
            shift(l, dx, dy);
    for (DrawnLabel& l : d.cascades)
        shift(l, dx, dy);
    for (DrawnLabel& l : d.triangles)
        shift(l, dx, dy);
    for (DrawnLine& l : d.separators)
        shift(l, dx, dy);

    if (isItemGroup(entry) && item >= 0 && item < kGroupEntries)
        d.aim = aimAt(d.groups[kGroupIndexOf[entry]][item]);
    else if (isCascadeEntry(entry))
        d.aim = aimAt(d.cascades[entry - 1]);
    if (d.aim.found)
        d.aim.frame = { b.left, d.aim.y - kFrameAbove * scaleX, b.width, kFrameHeight * scaleY };
    return d;
}

SubmenuDrawing drawSubmenu(const QStringList& block, const Body& menu, double entryTop, int entry,
    int item, const Measure& measure)
{
    SubmenuDrawing d;
    Body& b = d.body;
    b.left = menu.left + menu.width - kSubOverlap;
    b.top = isCascadeEntry(entry) ? entryTop : menu.top;
    const QString line = isCascadeEntry(entry) ? block.value(kSubmenuLine[entry]) : QString();
    double y = plat::roundHalfEven(b.top + kSubFirstRow);
    double widest = 0;
    int s = 0;
    const QStringList pieces = menus::splitItems(line);
    for (int k = 0; k < pieces.size(); ++k) {
        if (pieces[k] == kSeparator) {
            if (s < kSubSeparators)
                d.separators[s] = { true, b.left + kLineInset, y, 0, y };
            y += kSeparatorRow;
            ++s;
            continue;
        }
        const QSizeF size = measure(pieces[k]);
        d.entries[k] = { true, pieces[k], b.left + kTextInset, y, size.width(), size.height() };
        widest = std::max(widest, plat::roundHalfEven(size.width()));
        y += kRow;
    }
    b.width = widest + kBodyExtra;
    b.height = y - b.top;
    for (DrawnLine& l : d.separators)
        if (l.shown)
            l.x2 = l.x1 + b.width - 2 * kLineInset;
    if (item >= 0 && item < kSubEntries)
        d.aim = aimAt(d.entries[item]);
    if (d.aim.found)
        d.aim.frame = { b.left, d.entries[item].top - kSubFrameAbove, b.width, kSubFrameHeight };
    return d;
}

} // namespace demo
