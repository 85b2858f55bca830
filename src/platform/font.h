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
// Roman...) and the size to pixels at 96 dpi, whatever the screen says, so that layout measured
// in twips is the same on every display.
QFont toQFont(const FontSpec& f);

// The installed family used for a face name.
QString familyFor(const QString& faceName);

} // namespace plat
