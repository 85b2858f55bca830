#pragma once

// The controls that the practice window FrmMain and the demonstration window FrmYanShi both put
// on their copy of the simulated application window, with one type, one parent and one design
// look. Each window's own Ui derives from it, adds its own controls and then restacks the client
// area into its own drawing order, because a base's controls are built before the window's own.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/picture.h"

namespace workspace {

struct SimWindowUi {
    explicit SimWindowUi(plat::Form& f);

    // Step pictures; beneath the areas and frames in both windows.
    plat::Image Image1, Image2, Image3, Image4, Image5; // Image5 is also the drag handle
    plat::Label Label1; // target area
    plat::Shape Shape1; // red frame around the target area or an expected tab
    plat::Label Label4; // second area, where drags start
    plat::Shape Shape4; // green frame around Label4
    plat::Shape Shape6; // rubber band
    plat::Shape Shape2; // yellow frame, shown with the hint
    plat::ControlArray<plat::Label> LblXXK; // dialog tab labels 0..13; 0 is the back label
    plat::Label LHelp; // hint label

    plat::TextBox Text1, Text2; // answer fields
    plat::ListBox LstLA; // list step
    plat::PictureBox PicLeft, PicTop, PicRight, PicBottom; // border strips around LstLA

    // Location list.
    plat::PictureBox PicList;
    plat::Label LblADDmyXZ;
    plat::ControlArray<plat::Label> LblADD; // 0..13
    plat::ControlArray<plat::Image> ImgLiN; // 0..13
    plat::Image ImgSelAD;
};

// Clears the hover and pressed looks and closes both drop-down levels, as the hotspot layout of
// either window begins. The windows' own parts hold these controls, and their drop-downs differ
// in type, so the function takes either window's Ui.
template <class WindowUi> void clearLooksAndDropDowns(WindowUi& ui)
{
    for (plat::Image* look : { &ui.ImgMenu, &ui.ImgHui, &ui.ImgTool, &ui.ImgElse })
        look->setPicture(plat::Picture {});
    ui.Pic1J.setVisible(false);
    ui.Pic2J.setVisible(false);
}

} // namespace workspace
