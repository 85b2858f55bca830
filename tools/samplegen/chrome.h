#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace samplegen {

// Geometry of the simulated editor's chrome, in pixels of the 96-dpi design (1 px = 15 twips).
// The hotspot rectangles are the ones the simulated window lays its click labels on, so the
// pictures drawn from them line up with the labels.
constexpr int kTwipsPerPixel = 15;
constexpr int kWindowWidth = 800; // 12000 twips
constexpr int kWindowHeight = 600; // 9000 twips

constexpr QPoint kMenuPanelPos { 0, 0 };
constexpr QSize kMenuPanelSize { 799, 60 };
constexpr QPoint kOptionsPanelPos { 4, 61 };
constexpr QSize kOptionsPanelSize { 770, 30 };
constexpr QPoint kToolboxPos { 4, 95 };
constexpr QSize kToolboxOneColumnSize { 38, 668 };
constexpr QSize kToolboxTwoColumnSize { 62, 376 };

// The question panel docks over this corner of the window; nothing to click may lie there.
constexpr QRect kQuestionPanelArea { 468, 358, 332, 242 };

enum class ToolboxForm { OneColumn, TwoColumns };

// Hotspot rectangle relative to its own panel (menu bar, options bar or toolbox).
QRect hotspotRect(int hotspot, ToolboxForm form = ToolboxForm::TwoColumns);
// The panel origin inside the window for a hotspot index.
QPoint panelOrigin(int hotspot);

struct MenuTitle {
    QString title;
    QString groups; // one character per separator group, as the drop-down layout reads it
    int itemWidthTwips;
    int itemHeightTwips;
    QStringList items; // "text" or "text\tshortcut"
};

// Menu titles 1 to 11 of the menu bar (index 0 unused) and the tool flyouts 42 to 61.
const MenuTitle& menuTitle(int hotspot);
bool hasDropDown(int hotspot);
int groupSize(QChar groupChar);
int dropDownItemCount(int hotspot);
// Item rectangle inside the drop-down picture (item from 1).
QRect dropDownItemRect(int hotspot, int item);
QSize dropDownSize(int hotspot);
bool opensSecondLevel(int hotspot, int item);

struct ToolInfo {
    QString tooltip;
    QString icon; // key of the icon drawing
};
// Toolbox hotspots 41 to 67.
const ToolInfo& toolInfo(int hotspot);

} // namespace samplegen
