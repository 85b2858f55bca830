// FrmMain's simulated menus: releases on the chrome hotspots (pressed looks, drop-downs, tool
// flyouts and their Alt variants), hover looks, the items of first- and second-level drop-downs
// and the comparison of the chosen path with the step's descriptors.

#include "workspace/frmmain.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "menus/menulayout.h"
#include "platform/keys.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"

#include <QDateTime>

namespace workspace {

namespace {
    namespace fd = stepengine::field;
    using stepengine::StepRecord;

    using stepengine::kLastHotspot;
    constexpr int kLastHoverLook = 64; // 65..67, the colour controls, have no hover picture

    using menus::pictureNumber;

    // The overlay of the panel a hotspot lies in.
    plat::Image& lookOf(FrmMainUi& ui, int hotspot)
    {
        switch (stepengine::panelOfHotspot(hotspot)) {
        case stepengine::HotspotPanel::MenuBar:
            return ui.ImgMenu;
        case stepengine::HotspotPanel::OptionsBar:
            return ui.ImgTool;
        case stepengine::HotspotPanel::Toolbox:
            break;
        }
        return ui.ImgHui;
    }

    void clearLooks(FrmMainUi& ui)
    {
        for (plat::Image* look : { &ui.ImgMenu, &ui.ImgHui, &ui.ImgTool, &ui.ImgElse })
            look->setPicture(plat::Picture {});
    }

    void applyLayout(plat::ControlArray<plat::Label>& items, const menus::ItemLayout& layout)
    {
        for (int i = 1; i <= menus::kItemLabels; ++i)
            if (plat::Label* l = items.at(i)) {
                const menus::ItemRect& r = layout.item(i);
                l->move(r.left, r.top, r.width, r.height);
            }
    }

    menus::ItemRect rectOf(const plat::Control& c)
    {
        return { c.left(), c.top(), c.width(), c.height() };
    }
}

void FrmMain::installMenus()
{
    auto& ui = uiNoLoad();
    // Drop-downs take the size of their pictures.
    ui.Pic1J.setAutoSize(true);
    ui.Pic2J.setAutoSize(true);
    // The looks lie beneath the hotspots, so a hotspot under its hover picture still takes the
    // mouse.
    for (plat::Image* look : { &ui.ImgMenu, &ui.ImgTool, &ui.ImgHui, &ui.ImgHui2 })
        look->zOrder(1);
    for (int i = 0; i <= kLastHotspot; ++i) {
        plat::Label& hot = ui.LblZHU[i];
        hot.MouseUp = engine_.judged(
            plat::MouseHandler([this, i](int button, int shift, double x, double y) {
                LblZHU_MouseUp(i, button, shift, x, y);
            }));
        hot.MouseMove = [this, i](int, int, double, double) { LblZHU_MouseMove(i); };
    }
    ui.PicTool.MouseUp
        = engine_.judged(plat::MouseHandler([this](int button, int shift, double x, double y) {
              PicTool_MouseUp(button, shift, x, y);
          }));
    for (int i = 1; i <= menus::kItemLabels; ++i) {
        ui.Lbl1J[i].MouseMove = [this, i](int, int, double, double) { Lbl1J_MouseMove(i); };
        ui.Lbl1J[i].Click = engine_.judged(plat::Handler([this, i] { Lbl1J_Click(i); }));
        ui.Lbl2J[i].MouseMove = [this, i](int, int, double, double) { Lbl2J_MouseMove(i); };
        ui.Lbl2J[i].Click = engine_.judged(plat::Handler([this, i] { Lbl2J_Click(i); }));
    }
}

void FrmMain::loadInterfacePicture(plat::Image& holder, const QString& name)
{
    const plat::Status loaded = holder.setPicture(ExamDataPath + name + QStringLiteral(".mxy"));
    if (loaded.ok())
        return;
    // Another item's or menu's picture would show the wrong thing: the holder goes empty.
    holder.setPicture(plat::Picture {});
    logMissingPicture(name, loaded);
}

void FrmMain::loadDropDown(
    plat::PictureBox& box, const QString& name, const menus::ItemLayout& items)
{
    const plat::Status loaded = box.setPicture(ExamDataPath + name + QStringLiteral(".mxy"));
    if (loaded.ok())
        return;
    // An empty drop-down the size of its items, rather than the last menu's picture.
    box.setPicture(plat::Picture {});
    const menus::Size size = menus::extentOf(items);
    box.setWidth(size.width);
    box.setHeight(size.height);
    logMissingPicture(name, loaded);
}

void FrmMain::logMissingPicture(const QString& name, const plat::Status& status)
{
    // Every pointer move over an item reloads its highlight; one entry is enough.
    if (name == lastMissingPicture_)
        return;
    lastMissingPicture_ = name;
    shell::AppendLog(sys_.state.LogPath,
        QStringLiteral("interface picture %1 not shown: %2").arg(name, status.error().description),
        QDateTime::currentDateTime());
}

menus::Scale FrmMain::menuScale() const { return { sys_.state.ScaleX, sys_.state.ScaleY }; }

// Hotspots -------------------------------------------------------------------------------------

void FrmMain::LblZHU_MouseUp(int index, int button, int shift, double, double)
{
    if (shift == 0 && button == plat::button::Left) {
        hotspotLeftRelease(index);
        // Copied before the test: an advance loads the next step into StepLine.
        const StepRecord step(sys_.state.StepLine);
        if (const auto m = menus::matchPath(step, { OpenHotspot, 0, 0 }))
            advanceBy(m->next);
    } else if (shift == 0) {
        hotspotRightRelease(index);
    } else if (shift == plat::shiftmask::Alt && menus::isToolGroup(index)) {
        auto& ui = this->ui();
        const plat::Label& tool = ui.LblZHU[index];
        ui.ImgHui.move(tool.left(), tool.top());
        loadInterfacePicture(
            ui.ImgHui, QStringLiteral("X0") + pictureNumber(index) + QStringLiteral("02"));
        const StepRecord step(sys_.state.StepLine);
        if (const auto m = menus::matchToolVariant(step, index))
            advanceBy(m->next);
    }
    // Shift or Ctrl, alone or with other keys, and Alt on anything but a tool: nothing.
}

void FrmMain::hotspotLeftRelease(int index)
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    clearLooks(ui);
    OpenHotspot = static_cast<int16_t>(index);
    ui.Pic1J.setVisible(false);
    const plat::Label& hot = ui.LblZHU[index];
    plat::Image& look = lookOf(ui, index);
    look.move(hot.left(), hot.top());
    // A missing pressed picture leaves the overlay empty: it was cleared above.
    sys_.logSkinFailure(
        look.setPicture(ExamDataPath + pictureNumber(index) + QStringLiteral("0099.mxy")));

    const menus::DropDownPlace place = menus::dropDownPlaceOf(index);
    if (place == menus::DropDownPlace::None)
        return;
    loadDropDown(ui.Pic1J, pictureNumber(index) + QStringLiteral("0077"),
        menus::firstLevelLayout(index, menuScale()));
    switch (place) {
    case menus::DropDownPlace::BelowHotspot:
        ui.Pic1J.move(ui.PicMenu.left() + hot.left(), ui.PicMenu.top() + hot.top() + hot.height());
        break;
    case menus::DropDownPlace::FixedLeft:
        ui.Pic1J.move(
            menus::kLastTitleDropDownLeft * st.ScaleX, ui.PicMenu.top() + hot.top() + hot.height());
        break;
    case menus::DropDownPlace::BelowPressedLook:
        ui.Pic1J.move(
            ui.PicTool.left() + hot.left(), ui.PicTool.top() + hot.top() + ui.ImgTool.height());
        break;
    case menus::DropDownPlace::None:
        break;
    }
    ui.Pic1J.setVisible(true);
    Tool1JCSH();
}

void FrmMain::hotspotRightRelease(int index)
{
    auto& ui = this->ui();
    OpenHotspot = static_cast<int16_t>(index);
    if (!menus::isToolGroup(index))
        return;
    const plat::Label& tool = ui.LblZHU[index];
    ui.ImgHui.move(tool.left(), tool.top());
    sys_.logSkinFailure(
        ui.ImgHui.setPicture(ExamDataPath + pictureNumber(index) + QStringLiteral("0099.mxy")));
    loadDropDown(ui.Pic1J, pictureNumber(index) + QStringLiteral("0077"),
        menus::firstLevelLayout(index, menuScale()));
    const menus::Box toolBox { ui.PicHui.left() + tool.left(), ui.PicHui.top() + tool.top(),
        tool.width(), tool.height() };
    const menus::Position at = menus::flyoutPosition(toolBox, ui.Pic1J.height(), menuScale());
    ui.Pic1J.move(at.left, at.top);
    ui.Pic1J.setVisible(true);
    Tool1JCSH();
}

void FrmMain::PicTool_MouseUp(int button, int, double, double)
{
    StepTypeValue = StepRecord(sys_.state.StepLine).number(fd::ActionCode);
    if (stepengine::opensContextMenuOnOptionsBar(StepTypeValue) && button == plat::button::Right)
        showContextMenu(StepTypeValue);
}

void FrmMain::LblZHU_MouseMove(int index)
{
    if (index == OpenHotspot)
        return; // its pressed look and open drop-down stay
    auto& ui = this->ui();
    OpenHotspot = 0;
    ui.Pic1J.setVisible(false);
    ui.Pic2J.setVisible(false);
    clearLooks(ui);
    if (index > kLastHoverLook)
        return;
    const plat::Label& hot = ui.LblZHU[index];
    plat::Image& look = lookOf(ui, index);
    look.move(hot.left(), hot.top());
    // A missing hover picture leaves the overlay empty, without a word.
    sys_.logSkinFailure(
        look.setPicture(ExamDataPath + pictureNumber(index) + QStringLiteral("0088.mxy")));
}

// First-level drop-downs -----------------------------------------------------------------------

void FrmMain::Tool1JCSH()
{
    auto& ui = this->ui();
    ui.Img1J.setPicture(plat::Picture {});
    applyLayout(ui.Lbl1J, menus::firstLevelLayout(OpenHotspot, menuScale()));

    // The item the step marks with a picture of its own gets its background.
    ui.Img1jBK.setVisible(false);
    const auto d = StepRecord(sys_.state.StepLine).descriptor(fd::Descriptor2);
    if (d.kind != u'D' || d.hotspot != OpenHotspot)
        return;
    if (const plat::Label* item = ui.Lbl1J.at(d.item))
        ui.Img1jBK.move(item->left(), item->top());
    loadInterfacePicture(ui.Img1jBK, d.pictureStem + QStringLiteral("77"));
    ui.Img1jBK.setVisible(true);
}

void FrmMain::Lbl1J_MouseMove(int index)
{
    auto& ui = this->ui();
    const plat::Label& item = ui.Lbl1J[index];
    ui.Img1J.move(item.left(), item.top());
    QString name = pictureNumber(OpenHotspot) + pictureNumber(index) + QStringLiteral("00");
    const auto d = StepRecord(sys_.state.StepLine).descriptor(fd::Descriptor2);
    if (d.kind == u'D' && d.hotspot == OpenHotspot && d.item == index)
        name = d.pictureStem + QStringLiteral("00");
    loadInterfacePicture(ui.Img1J, name);
    if (OpenItem != index)
        ui.Pic2J.setVisible(false);
}

void FrmMain::Lbl1J_Click(int index)
{
    const menus::Scale scale = menuScale();
    auto& ui = this->ui();
    OpenItem = static_cast<int16_t>(index);
    const plat::Label& item = ui.Lbl1J[index];
    if (menus::opensSecondLevel(OpenHotspot, OpenItem)) {
        loadDropDown(ui.Pic2J,
            pictureNumber(OpenHotspot) + pictureNumber(OpenItem) + QStringLiteral("77"),
            menus::secondLevelLayout(OpenHotspot, OpenItem, scale));
        // Level with the item, raised and flipped so that it stays inside the window.
        const menus::Position at = menus::secondLevelPosition(
            { ui.Pic1J.left(), ui.Pic1J.top(), ui.Pic1J.width(), ui.Pic1J.height() }, rectOf(item),
            ui.Pic2J.width(), ui.Pic2J.height(), scale);
        ui.Pic2J.move(at.left, at.top);
        ui.Pic2J.setVisible(true);
        Tool2JCSH();
    }

    const StepRecord step(sys_.state.StepLine);
    if (const auto m = menus::matchPath(step, { OpenHotspot, OpenItem, 0 }))
        advanceBy(m->next);
}

// Second-level drop-downs ----------------------------------------------------------------------

void FrmMain::Tool2JCSH()
{
    auto& ui = this->ui();
    ui.Img2J.setPicture(plat::Picture {});
    applyLayout(ui.Lbl2J, menus::secondLevelLayout(OpenHotspot, OpenItem, menuScale()));
}

void FrmMain::Lbl2J_MouseMove(int index)
{
    auto& ui = this->ui();
    const plat::Label& item = ui.Lbl2J[index];
    ui.Img2J.move(item.left(), item.top());
    loadInterfacePicture(
        ui.Img2J, pictureNumber(OpenHotspot) + pictureNumber(OpenItem) + pictureNumber(index));
}

void FrmMain::Lbl2J_Click(int index)
{
    const StepRecord step(sys_.state.StepLine);
    if (const auto m = menus::matchPath(step, { OpenHotspot, OpenItem, index }))
        advanceBy(m->next);
}

} // namespace workspace
