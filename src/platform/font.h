#pragma once

#include <QFont>
#include <QString>

#include <vector>

namespace plat {

// A control's font as the forms set it: a face name as the window designs give it (mapped to an
// installed family when drawn), a size in points and the style flags.
struct FontSpec {
    QString name = QStringLiteral("宋体");
    double size = 9.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontSpec&) const = default;
};

// Maps the face to an installed family by a fixed table (宋体, 黑体, 楷体_GB2312, 隶书, Times New
// Roman...) and the size in points to pixels at the display's twips per pixel (1440 twips an
// inch, 72 points an inch): a size scaled by ScaleX then keeps its pixel size on every display,
// like the twips of the layout. Pictures drawn in pixels pass the default (96 dpi).
QFont toQFont(const FontSpec& f, double twipsPerPixel = 15.0);

// The installed family used for a face name.
QString familyFor(const QString& faceName);

// Loads the font files of these fonts as their first measuring or drawing would. Loading a face
// takes milliseconds, another size of a loaded face little, so a window whose faces were loaded
// ahead (while the program waited anyway) measures and draws its text sooner. Qt's font cache
// keeps them for later use by this thread, the one that draws.
void loadFaces(const std::vector<FontSpec>& fonts, double twipsPerPixel = 15.0);

} // namespace plat
