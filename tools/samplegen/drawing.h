#pragma once

#include "chrome.h"
#include "workspace/chromeart.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace samplegen {

QFont uiFont(int pixelSize, bool bold = false);

// Chrome panels. `marked` draws one hotspot pressed (or hovered) so that the pressed and
// hover pictures can be cut out of the same drawing the panel comes from.
// The menu and options bars are the simulated window's own pictures (workspace/chromeart.h).
using Mark = workspace::ChromeMark;
QImage drawMenuPanel(int markedHotspot = 0, Mark mark = Mark::None);
QImage drawOptionsPanel(int markedHotspot = 0, Mark mark = Mark::None);
QImage drawToolbox(ToolboxForm form, int markedHotspot = 0, Mark mark = Mark::None);
QImage drawDropDown(int hotspot, int highlightedItem = 0);
QImage drawSecondLevel(int hotspot, int item, int highlightedSub = 0);
// Room a drop-down entry ("words\tshortcut") keeps at the right of its row for the shortcut.
int keyRoom(const QStringList& entryParts, int px);
// A drop-down of the application or options bar (see barDropDown).
QImage drawBarDropDown(int hotspot, int highlightedItem = 0);
// Tool `hotspot` pressed and showing the icon of its flyout item `item` (the toolbox overlay
// and the Alt-click look).
QImage drawToolVariant(int hotspot, int item);
// One drop-down row drawn with a check mark in front, plain or highlighted: the item
// background and highlight of a checked menu command.
QImage drawCheckedItem(int hotspot, int item, bool highlighted);
QImage cutHotspot(int hotspot, Mark mark);

// The editor's screen, 800 x 600.
enum class Adjust { None, Darker, Brighter, Contrast, AutoTone, Warm, Grey, HueShift, Blur };
struct Scene {
    QString tab = QStringLiteral("风景.jpg @ 100%(RGB/8)");
    bool blank = false;
    QSize imageSize { 480, 320 };
    int zoom = 100;
    int extendX = 0;
    int extendY = 0;
    Adjust adjust = Adjust::None;
    bool selection = false;
    int strokeWidth = 0;
    QColor dab; // a round brush dab on the image when valid
    QString text;
    QStringList layers { QStringLiteral("背景") };
    bool backgroundHidden = false;
    bool smartObject = false;
    bool textLayer = false;
    bool groupLayer = false;
    int opacity = 100;
    int activeLayer = 0;
    QRect selectionRect; // a selection inside the picture (picture pixels) when valid
    bool ellipseSelection = false; // the selection rectangle holds an ellipse
    QColor selectionFill; // the selection filled with this colour when valid
    bool transformBox = false; // free-transform handles around the picture
    bool flipped = false; // the picture mirrored left to right
    bool adjustPanelHidden = false;
};
QImage drawEditorScreen(const Scene& scene);

// Places on the editor screen that steps aim at (window pixels).
struct EditorLayout {
    QRect image; // the picture at 100 %
    QRect documentTab;
    QRect statusDocSize;
    QRect adjustIcon[8];
    QRect layerRow[3];
    QRect layerEye[3];
    QRect layerName[3];
    QRect layerThumb[3];
    QRect opacityField;
    QRect newGroupButton;
    QRect newLayerButton;
    QRect deleteLayerButton;
};
const EditorLayout& editorLayout();

// Dialogs and other step pictures, drawn from element tables.
struct DialogElement {
    enum Kind {
        Label,
        Field,
        Combo,
        Button,
        DefaultButton,
        Check,
        Radio,
        Group,
        Swatch,
        Slider,
        Preview,
        FileList,
        Spectrum,
        Anchor,
        Icon,
        Histogram,
        Gradients,
        Tab // a tab of a tab strip; `on` marks the tab whose page shows
    };
    Kind kind = Label;
    QRect rect {};
    QString text {};
    QString key {};
    bool on = false;
};
struct DialogSpec {
    QString name;
    QString title; // empty: a frameless panel (tooltip, picker)
    QSize size;
    QPoint screenPos;
    std::vector<DialogElement> elements;
    QRect rect(const QString& key) const; // dialog pixels
    QRect screenRect(const QString& key) const; // window pixels
};
const std::vector<DialogSpec>& dialogSpecs();
const DialogSpec& dialogSpec(const QString& name);
// The picture of `dialog` after the typing step whose answer is `typed`.
QString typedDialog(const QString& dialog, const QString& typed);
QImage drawDialog(const DialogSpec& dialog);
// The push buttons of the dialog drawn as `picture` (its typed variants too), in dialog
// pixels; empty when the picture is no dialog.
std::vector<QRect> dialogButtons(const QString& picture);

// The knob of a dialog slider, a drag handle.
QImage drawSliderKnob();

// Skin pictures.
QImage drawLandscape(QSize size, Adjust adjust = Adjust::None);
QImage drawSplash();
QImage drawLogo();
// The program's picture motif (a landscape in a rounded square), scaled to `box`.
void paintLandscapeIcon(QPainter& p, const QRectF& box, const QColor& back, const QColor& photo);
QImage drawAppIcon();
QImage drawPaperCard();
QImage drawRandomPaperPage();
// Cursor pictures, 32 x 32 with alpha; the hot spot is returned.
QImage drawCursor(const QString& kind, QPoint* hotSpot);

} // namespace samplegen
