#pragma once

// The pictures built into the simulated window's design: the application bar above the menu bar
// (799 x 60 pixels, in PicMenu) and the tool options bar (770 x 30 pixels, in PicTool). Every
// title, button and field is drawn under the rectangle of the hotspot laid over it, taken from
// the hotspot layout, so picture and click areas cannot drift apart. The sample-module
// generator draws its screens and its hover and pressed pictures with these same functions.

#include "platform/picture.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

namespace workspace {

inline constexpr QSize kMenuBarArtSize { 799, 60 };
inline constexpr QSize kOptionsBarArtSize { 770, 30 };

// One hotspot drawn hovered or pressed: the look the hover and pressed pictures are cut from.
enum class ChromeMark { None, Hover, Pressed };

// A hotspot's rectangle in pixels of the 96-dpi design, relative to its panel.
QRect hotspotArtRect(int index, bool twoColumns = true);

// Menu-bar title of hotspot 1..11 ("" for any other).
QString menuBarTitle(int hotspot);

QImage drawMenuBarArt(int markedHotspot = 0, ChromeMark mark = ChromeMark::None);
QImage drawOptionsBarArt(int markedHotspot = 0, ChromeMark mark = ChromeMark::None);

// The plain pictures, drawn once and kept.
const plat::Picture& menuBarArt();
const plat::Picture& optionsBarArt();

// The small drawing kit of the chrome, shared with the generator's toolbox and drop-downs.
namespace chromepaint {
    inline const QColor kInk { 32, 32, 32 };

    QFont font(int pixelSize, bool bold = false);
    void bevel(QPainter& p, const QRect& r, bool sunken);
    void text(QPainter& p, const QRect& r, const QString& s, int px = 12,
        int flags = Qt::AlignLeft | Qt::AlignVCenter, QColor colour = kInk, bool bold = false);
    void triangleDown(QPainter& p, QPoint c, int size = 3, QColor colour = kInk);
    void triangleRight(QPainter& p, QPoint c, int size = 3, QColor colour = kInk);
    // Readies `p` for a pictogram in `box` (saved state, antialiasing, the ink pen) and returns
    // the square to draw in; the pictogram ends with p.restore().
    QRectF beginToolIcon(QPainter& p, const QRect& box);
    // The pictograms the chrome shows ("marquee", "brush", "hand", "zoom", "browser",
    // "rotateview"), drawn into a square; the generator draws the other tools' itself.
    void paintToolIcon(QPainter& p, const QRect& box, const QString& key);
    void markRect(QPainter& p, const QRect& r, ChromeMark mark);
} // namespace chromepaint

} // namespace workspace
