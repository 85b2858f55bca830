#pragma once

#include <QFont>
#include <QString>

namespace plat {

// A control's font as the forms set it: a face name of the original platform, a size in points
// and the style flags.
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

} // namespace plat
