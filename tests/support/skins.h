#pragma once

// Stand-in skin pictures drawn by tests: a fill with a frame and a word, and the four-frame
// strips of the skinned buttons, so renderings show where each picture lands.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace testsupport {

inline QImage skinPicture(
    int w, int h, QColor fill, const QString& text = {}, QColor ink = Qt::white)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    QPainter p(&img);
    p.setPen(fill.darker(160));
    p.drawRect(0, 0, w - 1, h - 1);
    p.setPen(ink);
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, text);
    return img;
}

// Four frames side by side: normal, hover, pressed, disabled.
inline QImage buttonStrip(int w, int h, const QString& text, QColor base = QColor(40, 110, 190))
{
    QImage img(4 * w, h, QImage::Format_RGB32);
    QPainter p(&img);
    const QColor fills[] = { base, base.lighter(130), base.darker(150), QColor(150, 150, 150) };
    for (int k = 0; k < 4; ++k)
        p.drawImage(k * w, 0, skinPicture(w, h, fills[k], text));
    return img;
}

} // namespace testsupport
