#pragma once

// The location list of a file dialog (PicList) as both simulated windows show it: its fourteen
// rows and the pictures of the window's design, drawn once: the closed box above the rows, and
// each row's highlighted picture (ImgLiN), which the closed box also shows for the chosen row.

#include "platform/controls.h"
#include "platform/picture.h"
#include "workspace/design.h"

#include <QString>

namespace workspace {

inline constexpr int kLocationRows = 14;
// Design width of the list: its picture is 261 pixels wide.
inline constexpr double kLocationListWidth = design::kLocationList.width;

// Row `row` (0..13) of the list: the location, its indentation level and the width of its
// highlighted picture in pixels.
struct LocationRow {
    const char16_t* name = u"";
    int level = 0;
    int highlightWidth = 0;
};
const LocationRow& locationRow(int row);

// The whole list picture (261 x 248 pixels): the box, then the rows from 345 twips down.
const plat::Picture& locationListPicture();
// The highlighted picture of a row, 16 pixels high; empty for a row outside 0..13.
const plat::Picture& locationRowPicture(int row);

// The load-time layout of a location list: rows, their pictures, the box and the closed height.
void layOutLocationList(plat::PictureBox& list, plat::Label& box,
    plat::ControlArray<plat::Label>& rowAreas, plat::ControlArray<plat::Image>& rowPictures,
    plat::Image& chosen, double scaleX, double scaleY);

// The row choice (ImgLiN_Click) on a window's own controls: the box shows the row and the list
// closes. Returns whether the row is the step's target row (ActionCode characters 3-4).
bool chooseLocationRow(plat::PictureBox& list, plat::ControlArray<plat::Image>& rowPictures,
    plat::Image& chosen, int row, const QString& actionCode, double scaleX, double scaleY);

} // namespace workspace
