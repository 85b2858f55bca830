#include "exercise/panelart.h"

#include "platform/font.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace exercise {

plat::Picture foldedStripPicture()
{
    QImage img(54, 58, QImage::Format_RGB32);
    img.fill(QColor(236, 242, 250));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Caption bar.
    p.fillRect(QRect(0, 0, 54, 17), QColor(36, 98, 186));
    QFont f = plat::toQFont({ QStringLiteral("宋体"), 8 });
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 54, 17), Qt::AlignCenter, QStringLiteral("显示题框"));
    // A sheet with a folded corner and lines of text.
    QPolygonF sheet({ { 14, 22 }, { 33, 22 }, { 40, 29 }, { 40, 53 }, { 14, 53 } });
    p.setPen(QPen(QColor(70, 90, 120), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.drawPolyline(QPolygonF({ { 33, 22 }, { 33, 29 }, { 40, 29 } }));
    p.setPen(QPen(QColor(120, 140, 170), 1));
    for (int y = 33; y <= 48; y += 5)
        p.drawLine(QPointF(18, y), QPointF(36, y));
    // A pencil across the sheet's lower right.
    p.save();
    p.translate(44, 38);
    p.rotate(45);
    p.setPen(QPen(QColor(90, 60, 20), 1));
    p.setBrush(QColor(240, 180, 40));
    p.drawRect(QRectF(-2.5, -10, 5, 16));
    p.setBrush(QColor(230, 200, 160));
    p.drawPolygon(QPolygonF({ { -2.5, 6 }, { 2.5, 6 }, { 0, 11 } }));
    p.setBrush(QColor(220, 110, 120));
    p.drawRect(QRectF(-2.5, -13, 5, 3));
    p.restore();
    p.end();
    return { img, {}, false };
}

plat::Picture portraitPicture()
{
    QImage img(138, 188, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(46, 139, 87);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    // Gown: shoulders and body.
    QPainterPath gown;
    gown.moveTo(18, 188);
    gown.cubicTo(18, 130, 40, 112, 69, 112);
    gown.cubicTo(98, 112, 120, 130, 120, 188);
    gown.closeSubpath();
    p.drawPath(gown);
    // Head.
    p.drawEllipse(QPointF(69, 82), 24, 27);
    // Mortarboard: the board and the cap beneath it.
    p.drawPolygon(QPolygonF({ { 69, 34 }, { 116, 50 }, { 69, 66 }, { 22, 50 } }));
    p.drawRect(QRectF(48, 52, 42, 16));
    // Tassel.
    p.setPen(QPen(green, 2.5));
    p.drawLine(QPointF(69, 50), QPointF(104, 58));
    p.drawLine(QPointF(104, 58), QPointF(104, 80));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(104, 83), 3.5, 5);
    // A white collar line to part the head from the gown.
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(QPointF(52, 113), QPointF(69, 126));
    p.drawLine(QPointF(86, 113), QPointF(69, 126));
    // The rolled diploma with its ribbon, held across the body.
    p.save();
    p.translate(69, 156);
    p.rotate(-18);
    p.setPen(QPen(QColor(30, 100, 60), 1.5));
    p.setBrush(QColor(250, 250, 240));
    p.drawRoundedRect(QRectF(-38, -7, 76, 14), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(-4, -7.5, 8, 15));
    p.restore();
    p.end();
    return { img, {}, false };
}

} // namespace exercise
