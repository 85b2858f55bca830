#pragma once

// The hotspot layout of the chrome (ToolCSH): where each transparent hotspot LblZHU(i) lies on
// the menu bar, the options bar and the toolbox, in one or two toolbox columns. Both simulated
// windows lay their hotspots out from this one table.

#include "platform/controls.h"
#include "stepengine/steprecord.h"

#include <QPointF>
#include <QString>

namespace workspace {

// A hotspot's design rectangle in twips of the 96-dpi layout, relative to its panel.
struct HotspotCell {
    int left = 0, top = 0, width = 0, height = 0;
};

// The design rectangle of hotspot `index` (0..67) in the given toolbox form. Hotspot 0's Top
// and Height are not part of the layout: each window keeps its design values.
HotspotCell hotspotCell(int index, bool twoColumns);

// ToolCSH's hotspot part: writes Left, Top, Width and Height of hotspots 0..67 (hotspot 0 only
// its Left and Width), scaled. The demonstration's hotspots lie on the window itself: the
// options bar's origin is added to hotspots 21..40 and the toolbox's to 41..67 (window twips).
void layOutHotspots(plat::ControlArray<plat::Label>& hotspots, bool twoColumns, double scaleX,
    double scaleY, QPointF optionsBarOrigin = {}, QPointF toolboxOrigin = {});

// The tooltip of a hotspot ("" for those that have none).
QString hotspotToolTip(int index);
// Gives hotspots 12..19 and 41..67 their tooltips (the practice window's load).
void setHotspotToolTips(plat::ControlArray<plat::Label>& hotspots);

} // namespace workspace
