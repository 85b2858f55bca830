#include "toolicons.h"

#include "workspace/chromeart.h"

#include <QPainterPath>

namespace samplegen {

namespace {
    using workspace::chromepaint::kInk;
    using workspace::chromepaint::text;

    // The slanted block of the three erasers.
    QPainterPath eraserBlock(const QRectF& r)
    {
        QPainterPath e;
        e.moveTo(r.left(), r.bottom() - 5);
        e.lineTo(r.left() + 7, r.top() + 2);
        e.lineTo(r.right(), r.top() + 7);
        e.lineTo(r.right() - 7, r.bottom());
        e.closeSubpath();
        return e;
    }

    // The arrow of the two selection tools, filled or outlined.
    QPainterPath selectionArrow(const QRectF& r)
    {
        QPainterPath a;
        a.moveTo(r.left() + 3, r.top());
        a.lineTo(r.left() + 3, r.bottom());
        a.lineTo(r.left() + 7, r.bottom() - 4);
        a.lineTo(r.right() - 1, r.bottom() - 4);
        a.closeSubpath();
        return a;
    }
}

void paintToolIcon(QPainter& p, const QRect& box, const QString& key)
{
    const QRectF r = workspace::chromepaint::beginToolIcon(p, box);
    const QPointF c = r.center();
    if (key == "move") {
        QPainterPath a;
        a.moveTo(r.left() + 2, r.top());
        a.lineTo(r.left() + 2, r.bottom() - 3);
        a.lineTo(r.left() + 6, r.bottom() - 7);
        a.lineTo(r.left() + 10, r.bottom());
        a.lineTo(r.left() + 12, r.bottom() - 1);
        a.lineTo(r.left() + 8, r.bottom() - 8);
        a.lineTo(r.left() + 13, r.bottom() - 8);
        a.closeSubpath();
        p.fillPath(a, kInk);
        p.drawLine(QPointF(r.right() - 3, r.top() + 2), QPointF(r.right() - 3, r.top() + 10));
        p.drawLine(QPointF(r.right() - 7, r.top() + 6), QPointF(r.right() + 1, r.top() + 6));
    } else if (key == "lasso") {
        p.drawEllipse(QRectF(r.left(), r.top() + 1, r.width(), r.height() * 0.6));
        p.drawLine(
            QPointF(r.left() + 3, r.top() + r.height() * 0.55), QPointF(r.left() + 2, r.bottom()));
    } else if (key == "quickselect") {
        p.drawEllipse(QRectF(r.left(), r.top(), r.width() * 0.6, r.height() * 0.6));
        p.setPen(QPen(kInk, 2.2));
        p.drawLine(QPointF(c.x(), c.y()), r.bottomRight());
    } else if (key == "crop") {
        p.setPen(QPen(kInk, 1.8));
        p.drawLine(QPointF(r.left() + 4, r.top()), QPointF(r.left() + 4, r.bottom() - 4));
        p.drawLine(QPointF(r.left() + 4, r.bottom() - 4), QPointF(r.right(), r.bottom() - 4));
        p.drawLine(QPointF(r.left(), r.top() + 4), QPointF(r.right() - 4, r.top() + 4));
        p.drawLine(QPointF(r.right() - 4, r.top() + 4), QPointF(r.right() - 4, r.bottom()));
    } else if (key == "eyedropper") {
        p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(r.left() + 1, r.bottom() - 1), QPointF(r.right() - 4, r.top() + 4));
        p.setBrush(kInk);
        p.drawEllipse(QPointF(r.right() - 3, r.top() + 3), 2.5, 2.5);
    } else if (key == "heal") {
        p.setBrush(QColor(230, 230, 230));
        p.drawRoundedRect(QRectF(r.left(), c.y() - 3, r.width(), 7), 3, 3);
        p.drawLine(QPointF(c.x(), c.y() - 3), QPointF(c.x(), c.y() + 4));
    } else if (key == "stamp") {
        p.setBrush(kInk);
        p.drawRect(QRectF(r.left() + 1, r.bottom() - 3, r.width() - 2, 3));
        p.drawRect(QRectF(c.x() - 1.5, r.top() + 4, 3, r.height() - 7));
        p.drawEllipse(QPointF(c.x(), r.top() + 3), 3, 3);
    } else if (key == "historybrush") {
        p.drawArc(QRectF(r.left(), r.top(), 9, 9), 30 * 16, 300 * 16);
        p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(r.right(), r.top() + 3), QPointF(c.x(), r.bottom() - 2));
    } else if (key == "eraser") {
        p.setBrush(QColor(245, 245, 245));
        p.drawPath(eraserBlock(r));
    } else if (key == "gradient") {
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, kInk);
        p.setBrush(g);
        p.drawRect(r.adjusted(0, 3, 0, -3));
    } else if (key == "blur") {
        QPainterPath d;
        d.moveTo(c.x(), r.top());
        d.cubicTo(r.right() + 1, c.y() + 2, r.right() - 1, r.bottom(), c.x(), r.bottom());
        d.cubicTo(r.left() + 1, r.bottom(), r.left() - 1, c.y() + 2, c.x(), r.top());
        p.fillPath(d, kInk);
    } else if (key == "dodge") {
        p.setBrush(kInk);
        p.drawEllipse(QRectF(c.x() - 4, r.top(), 8, 8));
        p.setPen(QPen(kInk, 1.8));
        p.drawLine(QPointF(c.x(), r.top() + 7), QPointF(c.x(), r.bottom()));
    } else if (key == "pen") {
        QPainterPath n;
        n.moveTo(c.x(), r.top());
        n.lineTo(r.right() - 1, c.y() + 2);
        n.lineTo(c.x() + 2, r.bottom());
        n.lineTo(c.x() - 2, r.bottom());
        n.lineTo(r.left() + 1, c.y() + 2);
        n.closeSubpath();
        p.fillPath(n, kInk);
    } else if (key == "type") {
        text(p, box, "T", 16, Qt::AlignCenter, kInk, true);
    } else if (key == "pathselect") {
        p.fillPath(selectionArrow(r), kInk);
    } else if (key == "rectangle") {
        p.fillRect(r.adjusted(1, 3, -1, -3), kInk);
    } else if (key == "rotate3d" || key == "orbit3d") {
        p.drawEllipse(r.adjusted(2, 2, -2, -2));
        p.drawEllipse(QRectF(r.left() + 2, c.y() - 2, r.width() - 4, 4));
        if (key == "orbit3d")
            p.drawEllipse(QRectF(c.x() - 2, r.top() + 2, 4, r.height() - 4));
    } else if (key == "ellipse") {
        p.setPen(QPen(kInk, 1.2, Qt::DashLine));
        p.drawEllipse(r.adjusted(0, 2, 0, -2));
    } else if (key == "rowmarquee" || key == "colmarquee") {
        p.setPen(QPen(kInk, 1.2, Qt::DashLine));
        if (key == "rowmarquee")
            p.drawLine(QPointF(r.left(), c.y()), QPointF(r.right(), c.y()));
        else
            p.drawLine(QPointF(c.x(), r.top()), QPointF(c.x(), r.bottom()));
    } else if (key == "polylasso" || key == "maglasso") {
        QPolygonF poly;
        poly << QPointF(r.left(), r.top() + 3) << QPointF(r.right() - 3, r.top())
             << QPointF(r.right(), c.y()) << QPointF(c.x(), r.bottom() - 2)
             << QPointF(r.left() + 2, c.y() + 1);
        p.drawPolygon(poly);
        if (key == "maglasso")
            p.fillRect(QRectF(r.right() - 4, r.bottom() - 4, 4, 4), kInk);
    } else if (key == "magicwand") {
        p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(r.left() + 1, r.bottom() - 1), QPointF(c.x() + 2, c.y() - 2));
        p.setPen(QPen(kInk, 1.0));
        for (int i = 0; i < 4; ++i) {
            const double a = i * std::numbers::pi / 2 + std::numbers::pi / 4;
            p.drawLine(QPointF(r.right() - 3, r.top() + 3),
                QPointF(r.right() - 3 + 3 * std::cos(a), r.top() + 3 + 3 * std::sin(a)));
        }
    } else if (key == "perspcrop" || key == "slice") {
        p.setPen(QPen(kInk, 1.6));
        if (key == "slice") {
            p.drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.top()));
            p.drawRect(QRectF(r.left(), r.top(), r.width() / 2, r.height() / 2));
        } else {
            QPolygonF q;
            q << QPointF(r.left() + 3, r.top()) << QPointF(r.right() - 3, r.top())
              << QPointF(r.right(), r.bottom()) << QPointF(r.left(), r.bottom());
            p.drawPolygon(q);
        }
    } else if (key == "eyedropper3d" || key == "sampler") {
        p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(r.left() + 1, r.bottom() - 1), QPointF(r.right() - 4, r.top() + 4));
        p.setPen(QPen(kInk, 1.0));
        if (key == "sampler")
            p.drawEllipse(QPointF(r.right() - 3, r.bottom() - 3), 3, 3);
        else
            p.drawRect(QRectF(r.right() - 6, r.bottom() - 6, 6, 6));
    } else if (key == "ruler") {
        p.drawRect(QRectF(r.left(), c.y() - 3, r.width(), 6));
        for (int i = 1; i < 5; ++i)
            p.drawLine(QPointF(r.left() + i * r.width() / 5, c.y() - 3),
                QPointF(r.left() + i * r.width() / 5, c.y()));
    } else if (key == "note") {
        p.setBrush(QColor(250, 240, 160));
        p.drawRect(r.adjusted(1, 1, -1, -3));
        p.drawLine(QPointF(r.left() + 3, c.y()), QPointF(r.right() - 3, c.y()));
    } else if (key == "healbrush" || key == "patch" || key == "redeye") {
        if (key == "redeye") {
            p.setBrush(QColor(200, 30, 30));
            p.drawEllipse(c, 4, 4);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(r.adjusted(0, 2, 0, -2));
        } else if (key == "patch") {
            p.drawPath([&] {
                QPainterPath patch;
                patch.addRoundedRect(r.adjusted(1, 3, -1, -3), 4, 4);
                return patch;
            }());
            p.drawLine(QPointF(c.x(), r.top() + 3), QPointF(c.x(), r.bottom() - 3));
        } else {
            p.setBrush(QColor(230, 230, 230));
            p.drawRoundedRect(QRectF(r.left(), c.y() - 3, r.width(), 7), 3, 3);
            p.fillRect(QRectF(c.x() - 1, c.y() - 3, 2, 7), kInk);
        }
    } else if (key == "pencil" || key == "colorreplace") {
        p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(r.right() - 1, r.top() + 1), QPointF(r.left() + 3, r.bottom() - 3));
        p.setPen(QPen(kInk, 1.0));
        p.drawLine(QPointF(r.left() + 3, r.bottom() - 3), QPointF(r.left(), r.bottom()));
        if (key == "colorreplace")
            p.fillRect(QRectF(r.right() - 5, r.bottom() - 5, 5, 5), QColor(200, 40, 40));
    } else if (key == "patternstamp" || key == "arthistory") {
        p.setBrush(kInk);
        p.drawRect(QRectF(r.left() + 1, r.bottom() - 3, r.width() - 2, 3));
        p.drawRect(QRectF(c.x() - 1.5, r.top() + 4, 3, r.height() - 7));
        p.setBrush(Qt::NoBrush);
        if (key == "arthistory")
            p.drawArc(QRectF(r.left(), r.top(), 8, 8), 30 * 16, 300 * 16);
        else
            p.drawRect(QRectF(r.left(), r.top(), 6, 6));
    } else if (key == "bgeraser" || key == "magiceraser") {
        p.setBrush(key == "bgeraser" ? QColor(180, 180, 180) : QColor(245, 245, 245));
        p.drawPath(eraserBlock(r));
        if (key == "magiceraser")
            p.drawLine(QPointF(r.left(), r.top()), QPointF(r.left() + 4, r.top() + 4));
    } else if (key == "bucket") {
        QPolygonF b;
        b << QPointF(r.left() + 2, c.y()) << QPointF(c.x(), r.top() + 2)
          << QPointF(r.right() - 2, c.y()) << QPointF(c.x(), r.bottom() - 1);
        p.setBrush(QColor(245, 245, 245));
        p.drawPolygon(b);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(r.right() - 1, r.bottom() - 2), 2, 2.5);
    } else if (key == "sharpen") {
        QPolygonF t;
        t << QPointF(c.x(), r.top()) << QPointF(r.right() - 2, r.bottom())
          << QPointF(r.left() + 2, r.bottom());
        p.setBrush(kInk);
        p.drawPolygon(t);
    } else if (key == "smudge") {
        p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(r.right(), r.top()), QPointF(c.x(), c.y()));
        p.drawArc(QRectF(r.left(), c.y() - 2, c.x() - r.left() + 2, r.bottom() - c.y() + 2),
            90 * 16, 180 * 16);
    } else if (key == "burn" || key == "sponge") {
        if (key == "burn") {
            p.setPen(QPen(kInk, 1.8));
            p.drawArc(
                QRectF(r.left() + 1, r.top(), r.width() - 2, r.height() - 2), 200 * 16, 140 * 16);
            p.drawLine(QPointF(c.x(), r.top() + 4), QPointF(c.x(), r.bottom()));
        } else {
            p.setBrush(QColor(240, 220, 120));
            p.drawRoundedRect(r.adjusted(1, 3, -1, -3), 3, 3);
            p.setBrush(kInk);
            p.drawEllipse(QPointF(c.x() - 3, c.y()), 1, 1);
            p.drawEllipse(QPointF(c.x() + 3, c.y() - 1), 1, 1);
        }
    } else if (key == "freepen" || key == "addanchor" || key == "delanchor"
        || key == "convertpoint") {
        QPainterPath n;
        n.moveTo(c.x() - 2, r.top());
        n.lineTo(r.right() - 3, c.y() + 1);
        n.lineTo(c.x(), r.bottom());
        n.lineTo(r.left() + 1, c.y() + 1);
        n.closeSubpath();
        if (key == "convertpoint") {
            p.drawLine(QPointF(r.left(), r.bottom()), QPointF(c.x(), r.top()));
            p.drawLine(QPointF(c.x(), r.top()), QPointF(r.right(), r.bottom()));
        } else {
            p.fillPath(n, kInk);
        }
        p.setPen(QPen(kInk, 1.4));
        if (key == "addanchor" || key == "delanchor")
            p.drawLine(QPointF(r.right() - 5, r.top() + 2), QPointF(r.right() + 1, r.top() + 2));
        if (key == "addanchor")
            p.drawLine(QPointF(r.right() - 2, r.top() - 1), QPointF(r.right() - 2, r.top() + 5));
        if (key == "freepen")
            p.drawArc(QRectF(r.right() - 6, r.top(), 6, 6), 0, 270 * 16);
    } else if (key == "vtype" || key == "typemask" || key == "vtypemask") {
        if (key == "typemask" || key == "vtypemask") {
            p.setPen(QPen(kInk, 1.0, Qt::DashLine));
            p.drawRect(r.adjusted(1, 1, -1, -1));
        }
        p.save();
        if (key != "typemask") {
            p.translate(box.center());
            p.rotate(90);
            p.translate(-box.center());
        }
        text(p, box, "T", 15, Qt::AlignCenter, kInk, true);
        p.restore();
    } else if (key == "directselect") {
        p.setBrush(Qt::white);
        p.drawPath(selectionArrow(r));
    } else if (key == "roundrect") {
        p.setBrush(kInk);
        p.drawRoundedRect(r.adjusted(1, 3, -1, -3), 4, 4);
    } else if (key == "ellipseshape") {
        p.setBrush(kInk);
        p.drawEllipse(r.adjusted(1, 2, -1, -2));
    } else if (key == "polygon") {
        QPolygonF hex;
        for (int i = 0; i < 6; ++i)
            hex << QPointF(c.x() + r.width() / 2 * std::cos(i * std::numbers::pi / 3),
                c.y() + r.height() / 2 * std::sin(i * std::numbers::pi / 3));
        p.setBrush(kInk);
        p.drawPolygon(hex);
    } else if (key == "line") {
        p.setPen(QPen(kInk, 2.0));
        p.drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.top()));
    } else if (key == "customshape") {
        QPainterPath heart;
        heart.moveTo(c.x(), r.bottom());
        heart.cubicTo(r.left() - 2, c.y(), r.left() + 2, r.top() - 2, c.x(), r.top() + 4);
        heart.cubicTo(r.right() - 2, r.top() - 2, r.right() + 2, c.y(), c.x(), r.bottom());
        p.fillPath(heart, kInk);
    } else if (key == "roll3d" || key == "pan3d" || key == "slide3d" || key == "scale3d") {
        p.drawRect(r.adjusted(3, 3, -3, -3));
        p.drawLine(r.topLeft() + QPointF(3, 3), r.topLeft() + QPointF(6, 0));
        p.drawLine(r.topRight() + QPointF(-3, 3), r.topRight() + QPointF(0, 0));
        if (key == "roll3d")
            p.drawArc(r, 0, 120 * 16);
        else if (key == "pan3d")
            p.drawLine(QPointF(r.left(), c.y()), QPointF(r.right(), c.y()));
        else if (key == "slide3d")
            p.drawLine(QPointF(c.x(), r.top()), QPointF(c.x(), r.bottom()));
        else
            p.drawLine(r.bottomLeft(), r.topRight());
    } else {
        workspace::chromepaint::paintToolIcon(p, box, key);
    }
    p.restore();
}

} // namespace samplegen
