// The demonstration's menus: the replay of a menu path through the bars' drop-downs and tool
// flyouts ("7000" steps), and the context menu and submenu drawn from the menu file.

#include "demo/frmyanshi.h"

#include "core/system.h"
#include "demo/glide.h"
#include "menus/menulayout.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"

namespace demo {

namespace {
    namespace field = stepengine::field;
    using stepengine::StepRecord;

    constexpr double kSecondLevelInset = 90; // times ScaleX
    constexpr double kSecondLevelBottom = 8820; // times ScaleY
    constexpr double kSecondLevelRight = 11850; // times ScaleX
    constexpr double kSecondLevelFlipOverlap = 15; // times ScaleX

    using menus::pictureNumber;

    menus::Box boxOf(const plat::Control& c)
    {
        return { c.left(), c.top(), c.width(), c.height() };
    }

    void applyLayout(plat::ControlArray<plat::Label>& items, const menus::ItemLayout& layout)
    {
        for (int i = 1; i <= menus::kItemLabels; ++i)
            if (plat::Label* l = items.at(i)) {
                const menus::ItemRect& r = layout.item(i);
                l->move(r.left, r.top, r.width, r.height);
            }
    }

    // An item that the layout placed (a parked one has no height).
    bool placed(const menus::ItemLayout& layout, int item)
    {
        return item >= 1 && item <= menus::kItemLabels && layout.item(item).height > 0;
    }

    void showEntry(plat::Label& l, const DrawnLabel& d)
    {
        l.setCaption(d.caption);
        l.move(d.left, d.top);
        l.setVisible(true);
    }
    void showEntry(plat::Line& l, const DrawnLine& d)
    {
        l.setPoints(d.x1, d.y1, d.x2, d.y2);
        l.setVisible(true);
    }
    void showBody(plat::Label& body, plat::Shape& border, const Body& b)
    {
        body.move(b.left, b.top, b.width, b.height);
        border.move(b.left, b.top, b.width, b.height);
        body.setVisible(true);
        border.setVisible(true);
    }
}

void FrmYanShi::loadInterfacePicture(plat::Image& holder, const QString& name)
{
    const plat::Status loaded = holder.setPicture(InterfaceFolder + name + QStringLiteral(".mxy"));
    if (loaded.ok())
        return;
    // Another item's or menu's picture would show the wrong thing: the holder goes empty.
    holder.setPicture(plat::Picture {});
    writeLog(
        QStringLiteral("interface picture %1 not shown: %2").arg(name, loaded.error().description));
}

// Drop-down replay -----------------------------------------------------------------------------

void FrmYanShi::ToolClick(int16_t hotspot)
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    for (plat::Image* look : { &ui.ImgMenu, &ui.ImgHui, &ui.ImgTool, &ui.ImgElse })
        look->setPicture(plat::Picture {});
    if (ReplayItem == 0 && ReplaySubItem == 0) {
        // The path ends at the hotspot: its click shows only as the ring.
        ui.Timer2.setEnabled(false);
        advanceBy(ReplayNextCode);
        return;
    }
    ui.Pic1J.setVisible(false);
    const plat::Label* hot = ui.LblZHU.at(hotspot);
    if (!hot || hotspot < 1 || hotspot > 67) {
        stand(QStringLiteral("hotspot %1 has no drop-down").arg(hotspot));
        return;
    }
    const QString nn = pictureNumber(hotspot);
    plat::Image& look = hotspot <= 20 ? ui.ImgMenu : hotspot <= 40 ? ui.ImgTool : ui.ImgHui;
    look.move(hot->left(), hot->top());
    loadInterfacePicture(look, nn + QStringLiteral("0099"));

    const menus::DropDownPlace place = menus::dropDownPlaceOf(hotspot);
    const bool flyout = menus::isToolGroup(hotspot);
    if (place == menus::DropDownPlace::None && !flyout) {
        stand(QStringLiteral("hotspot %1 opens no drop-down for item %2")
                  .arg(hotspot)
                  .arg(ReplayItem));
        return;
    }
    plat::Image& drop = ui.Pic1J;
    loadInterfacePicture(drop, nn + QStringLiteral("0077"));
    if (drop.picture().image().isNull()) {
        // An empty drop-down the size of its items, rather than the last menu's picture.
        const menus::Size size
            = menus::extentOf(menus::firstLevelLayout(hotspot, { st.ScaleX, st.ScaleY }));
        drop.setWidth(size.width);
        drop.setHeight(size.height);
    }
    switch (place) {
    case menus::DropDownPlace::BelowHotspot:
        drop.move(hot->left() + ui.PicMenu.left(), ui.PicMenu.top() + hot->top() + hot->height());
        break;
    case menus::DropDownPlace::FixedLeft:
        drop.move(menus::kLastTitleDropDownLeft * st.ScaleX,
            ui.PicMenu.top() + hot->top() + hot->height());
        break;
    case menus::DropDownPlace::BelowPressedLook:
        drop.move(hot->left(), hot->top() + ui.ImgTool.height());
        break;
    case menus::DropDownPlace::None: {
        const menus::Position at
            = menus::flyoutPosition(boxOf(*hot), drop.height(), { st.ScaleX, st.ScaleY });
        drop.move(at.left, at.top);
        break;
    }
    }
    drop.setVisible(true);
    Tool1JCSH();
}

void FrmYanShi::Tool1JCSH()
{
    const shell::AppState& st = sys_.state;
    const menus::Scale scale { st.ScaleX, st.ScaleY };
    auto& ui = this->ui();
    ui.Img1J.setPicture(plat::Picture {});
    const menus::ItemLayout own = menus::firstLevelLayout(ReplayHotspot, scale);
    applyLayout(ui.Lbl1J, menus::onDemoWindow(own, boxOf(ui.Pic1J), scale));
    if (!placed(own, ReplayItem)) {
        stand(QStringLiteral("item %1 is not in the drop-down of hotspot %2")
                  .arg(ReplayItem)
                  .arg(ReplayHotspot));
        return;
    }
    const plat::Label& item = ui.Lbl1J[ReplayItem];
    glideTo(centreOf(item.left(), item.width()), centreOf(item.top(), item.height()));
    ui.Shape1.move(item.left(), item.top(), item.width(), item.height());
    ui.Timer6.setEnabled(true);
}

void FrmYanShi::Tool1JClick(int16_t item)
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    ReplayItem = item;
    const plat::Label* clicked = ui.Lbl1J.at(item);
    if (!clicked)
        return;
    const QString key = pictureNumber(ReplayHotspot) + pictureNumber(ReplayItem);
    if (menus::opensSecondLevel(ReplayHotspot, ReplayItem)) {
        plat::Image& second = ui.Pic2J;
        loadInterfacePicture(second, key + QStringLiteral("77"));
        if (second.picture().image().isNull()) {
            const menus::Size size = menus::extentOf(
                menus::secondLevelLayout(ReplayHotspot, ReplayItem, { st.ScaleX, st.ScaleY }));
            second.setWidth(size.width);
            second.setHeight(size.height);
        }
        second.move(
            ui.Pic1J.left() + ui.Pic1J.width() - kSecondLevelInset * st.ScaleX, clicked->top());
        second.setVisible(true);
        if (second.top() + second.height() > kSecondLevelBottom * st.ScaleY)
            second.setTop(kSecondLevelBottom * st.ScaleY - second.height());
        if (second.left() + second.width() > kSecondLevelRight * st.ScaleX)
            second.setLeft(ui.Pic1J.left() - second.width() + kSecondLevelFlipOverlap * st.ScaleX);
        if (ReplaySubItem != 0)
            Tool2JCSH();
    } else if (ReplaySubItem != 0) {
        stand(QStringLiteral("item %1 of hotspot %2 has no second level")
                  .arg(item)
                  .arg(ReplayHotspot));
    }

    ui.Img1J.move(clicked->left(), clicked->top());
    QString highlight = key + QStringLiteral("00");
    const int h = ReplayHotspot;
    if (item <= 40 && (h == 24 || h == 25 || h == 26 || h == 33 || h == 34))
        highlight = QStringLiteral("4999") + pictureNumber(item);
    const auto d = StepRecord(st.StepLine).descriptor(field::Descriptor1);
    if (d.kind == u'D' && d.hotspot == ReplayHotspot && d.item == item)
        highlight = d.pictureStem + QStringLiteral("00");
    loadInterfacePicture(ui.Img1J, highlight);
    ui.Img1J.setVisible(true);
    if (ReplaySubItem == 0)
        advanceBy(ReplayNextCode);
}

void FrmYanShi::Tool2JCSH()
{
    const shell::AppState& st = sys_.state;
    const menus::Scale scale { st.ScaleX, st.ScaleY };
    auto& ui = this->ui();
    const menus::ItemLayout own = menus::secondLevelLayout(ReplayHotspot, ReplayItem, scale);
    applyLayout(ui.Lbl2J, menus::onDemoWindow(own, boxOf(ui.Pic2J), scale));
    if (!placed(own, ReplaySubItem)) {
        stand(QStringLiteral("item %1 is not in the second level of %2/%3")
                  .arg(ReplaySubItem)
                  .arg(ReplayHotspot)
                  .arg(ReplayItem));
        return;
    }
    const plat::Label& item = ui.Lbl2J[ReplaySubItem];
    glideTo(centreOf(item.left(), item.width()), centreOf(item.top(), item.height()));
    ui.Shape1.move(item.left(), item.top(), item.width(), item.height());
    ui.Timer7.setEnabled(true);
}

void FrmYanShi::Tool2JClick(int16_t)
{
    if (ReplaySubItem == 0)
        return;
    advanceBy(ReplayNextCode);
    ui().Img1J.setVisible(false);
}

void FrmYanShi::Timer6_Timer()
{
    if (!clickOnArrival(ui().Timer6))
        return;
    TickCount = 0;
    Tool1JClick(ReplayItem);
}

void FrmYanShi::Timer7_Timer()
{
    if (!clickOnArrival(ui().Timer7))
        return;
    TickCount = 0;
    Tool2JClick(ReplaySubItem);
}

// Drawn context menu ---------------------------------------------------------------------------

Measure FrmYanShi::labelMeasure(plat::Label& probe)
{
    // Every entry label has the same font: any of them measures a caption.
    return [&probe](const QString& caption) {
        probe.setCaption(caption);
        return QSizeF(probe.width(), probe.height());
    };
}

void FrmYanShi::RightKeyMenu()
{
    const shell::AppState& st = sys_.state;
    if (st.DemoActive == 0)
        return;
    auto& ui = this->ui();
    const DemoMenu m = demoMenuOf(StepRecord(st.StepLine));
    DemoMenuCode = m.code;
    DemoMenuNo = m.menuNo;
    if (m.family == 0 || m.menuNo == 0) {
        stand(QStringLiteral("context-menu code %1 names no menu").arg(m.code));
        return;
    }
    const ContextMenuDrawing d = drawContextMenu(blockOf(menuFile_, m.family, m.menuNo), PointerX,
        PointerY, width(), height(), st.ScaleX, st.ScaleY, m.entry, m.item,
        labelMeasure(ui.LRM9[kGroupEntries - 1]));
    showBody(ui.LRightMMenu, ui.ShapeRMain, d.body);
    plat::ControlArray<plat::Label>* groups[] = { &ui.LRM2, &ui.LRM4, &ui.LRM6, &ui.LRM9 };
    for (int g = 0; g < 4; ++g)
        for (int i = 0; i < kGroupEntries; ++i)
            if (d.groups[g][i].shown)
                showEntry((*groups[g])[i], d.groups[g][i]);
    for (int g = 1; g <= 9; ++g) {
        if (!d.cascades[g - 1].shown)
            continue;
        showEntry(ui.LRMJL[g], d.cascades[g - 1]);
        plat::Image& t = ui.ImgJLSanjiao[g];
        t.move(d.triangles[g - 1].left, d.triangles[g - 1].top);
        t.setVisible(true);
    }
    for (int s = 0; s < kMenuSeparators; ++s)
        if (d.separators[s].shown)
            showEntry(ui.LRFGX[s], d.separators[s]);
    aimAtEntry(d.aim, ui.TimerRM,
        QStringLiteral("menu %1 has no entry %2, item %3").arg(m.code).arg(m.entry).arg(m.item));
}

void FrmYanShi::RightKeySub()
{
    const shell::AppState& st = sys_.state;
    if (st.DemoActive == 0)
        return;
    auto& ui = this->ui();
    const DemoMenu m = demoMenuOf(StepRecord(st.StepLine));
    DemoMenuCode = m.code;
    DemoMenuNo = m.menuNo;
    const plat::Label& menu = ui.LRightMMenu;
    const plat::Label* entry = isCascadeEntry(m.entry) ? ui.LRMJL.at(m.entry) : nullptr;
    const SubmenuDrawing d = drawSubmenu(blockOf(menuFile_, m.family, m.menuNo),
        { menu.left(), menu.top(), menu.width(), menu.height() }, entry ? entry->top() : menu.top(),
        m.entry, m.item, labelMeasure(ui.LRS[kSubEntries - 1]));
    showBody(ui.LRightSub, ui.ShapeRSUB, d.body);
    for (int i = 0; i < kSubEntries; ++i)
        if (d.entries[i].shown)
            showEntry(ui.LRS[i], d.entries[i]);
    for (int s = 0; s < kSubSeparators; ++s)
        if (d.separators[s].shown)
            showEntry(ui.LRSFgx[s], d.separators[s]);
    aimAtEntry(d.aim, ui.TimerRS,
        QStringLiteral("submenu of menu %1 entry %2 has no item %3")
            .arg(m.code)
            .arg(m.entry)
            .arg(m.item));
}

void FrmYanShi::aimAtEntry(const Aim& aim, plat::Timer& arrival, const QString& missing)
{
    if (!aim.found) {
        stand(missing);
        return;
    }
    const Body& f = aim.frame;
    ui().Shape1.move(f.left, f.top, f.width, f.height);
    glideTo(aim.x, aim.y);
    arrival.setEnabled(true);
}

void FrmYanShi::TimerRM_Timer()
{
    if (!glideTick())
        return;
    auto& ui = this->ui();
    const int entry = demoMenuOf(StepRecord(sys_.state.StepLine)).entry;
    ui.TimerRM.setEnabled(false);
    if (isItemGroup(entry)) {
        ringAtPointer();
        doNext();
    } else {
        RightKeySub();
    }
}

void FrmYanShi::TimerRS_Timer()
{
    if (clickOnArrival(ui().TimerRS))
        doNext();
}

} // namespace demo
