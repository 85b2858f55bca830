#include "workspace/chromeart.h"

#include "workspace/hotspots.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace workspace {

namespace {
    constexpr int kTwipsPerPixel = 15;
    const QColor kMenuBar(228, 228, 228);
    const QColor kAppBar(206, 206, 206);
    const QColor kOptions(218, 218, 218);
    const QColor kPressed(170, 190, 222);
    const QColor kHover(196, 210, 232);

    constexpr const char16_t* kMenuTitles[] = { u"文件(F)", u"编辑(E)", u"图像(I)", u"图层(L)",
        u"选择(S)", u"滤镜(T)", u"分析(A)", u"3D(D)", u"视图(V)", u"窗口(W)", u"帮助(H)" };

    QImage canvas(QSize size, QColor fill)
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(fill);
        return image;
    }
} // namespace

namespace chromepaint {

    QFont font(int pixelSize, bool bold)
    {
        QFont f(QStringLiteral("Noto Sans CJK SC"));
        f.setPixelSize(pixelSize);
        f.setBold(bold);
        f.setHintingPreference(QFont::PreferFullHinting);
        return f;
    }

    void bevel(QPainter& p, const QRect& r, bool sunken)
    {
        p.setPen(sunken ? QColor(120, 120, 120) : QColor(250, 250, 250));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(sunken ? QColor(250, 250, 250) : QColor(120, 120, 120));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }

    void text(
        QPainter& p, const QRect& r, const QString& s, int px, int flags, QColor colour, bool bold)
    {
        p.setFont(font(px, bold));
        p.setPen(colour);
        p.drawText(r, flags | Qt::TextSingleLine, s);
    }

    void triangleDown(QPainter& p, QPoint c, int size, QColor colour)
    {
        QPainterPath path;
        path.moveTo(c.x() - size, c.y() - size / 2);
        path.lineTo(c.x() + size, c.y() - size / 2);
        path.lineTo(c.x(), c.y() + size / 2 + 1);
        path.closeSubpath();
        p.fillPath(path, colour);
    }

    void triangleRight(QPainter& p, QPoint c, int size, QColor colour)
    {
        QPainterPath path;
        path.moveTo(c.x() - size / 2, c.y() - size);
        path.lineTo(c.x() - size / 2, c.y() + size);
        path.lineTo(c.x() + size / 2 + 1, c.y());
        path.closeSubpath();
        p.fillPath(path, colour);
    }

    // Simple recognisable tool pictograms, drawn into a square.
    QRectF beginToolIcon(QPainter& p, const QRect& box)
    {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(Qt::NoBrush);
        return QRectF(box).adjusted(4, 4, -4, -4);
    }

    void paintToolIcon(QPainter& p, const QRect& box, const QString& key)
    {
        const QRectF r = beginToolIcon(p, box);
        const QPointF c = r.center();
        if (key == "marquee") {
            p.setPen(QPen(kInk, 1.2, Qt::DashLine));
            p.drawRect(r.adjusted(1, 3, -1, -3));
        } else if (key == "brush") {
            p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(r.right() - 1, r.top() + 1), QPointF(c.x() - 1, c.y() + 1));
            QPainterPath tip;
            tip.moveTo(c.x() - 1, c.y() - 1);
            tip.quadTo(r.left() - 1, c.y() + 2, r.left(), r.bottom());
            tip.quadTo(c.x() + 1, r.bottom(), c.x() + 2, c.y() + 2);
            tip.closeSubpath();
            p.fillPath(tip, kInk);
        } else if (key == "hand") {
            p.setBrush(QColor(245, 245, 245));
            p.drawRoundedRect(
                QRectF(r.left() + 2, c.y() - 2, r.width() - 4, r.height() / 2 + 2), 3, 3);
            for (int i = 0; i < 4; ++i)
                p.drawRoundedRect(
                    QRectF(r.left() + 2.5 + i * 2.8, r.top() + 1, 2.6, r.height() / 2), 1, 1);
        } else if (key == "zoom") {
            p.setPen(QPen(kInk, 1.6));
            p.drawEllipse(QRectF(r.left(), r.top(), r.width() * 0.65, r.height() * 0.65));
            p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(
                QPointF(r.left() + r.width() * 0.6, r.top() + r.height() * 0.6), r.bottomRight());
        } else if (key == "browser") {
            p.setBrush(QColor(120, 150, 200));
            p.drawRoundedRect(r, 2, 2);
            p.setPen(Qt::white);
            p.drawLine(QPointF(r.left() + 3, c.y()), QPointF(r.right() - 3, c.y()));
        } else if (key == "rotateview") {
            p.drawArc(r, 30 * 16, 280 * 16);
            triangleRight(p, QPoint(int(r.right()) - 1, int(r.top()) + 4), 3);
        }
        p.restore();
    }

    void markRect(QPainter& p, const QRect& r, ChromeMark mark)
    {
        if (mark == ChromeMark::Pressed) {
            p.fillRect(r, kPressed);
            bevel(p, r, true);
        } else if (mark == ChromeMark::Hover) {
            p.fillRect(r, kHover);
            p.setPen(QColor(150, 170, 205));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }

} // namespace chromepaint

using namespace chromepaint;

QRect hotspotArtRect(int index, bool twoColumns)
{
    const HotspotCell c = hotspotCell(index, twoColumns);
    return { c.left / kTwipsPerPixel, c.top / kTwipsPerPixel, c.width / kTwipsPerPixel,
        c.height / kTwipsPerPixel };
}

QString menuBarTitle(int hotspot)
{
    if (hotspot < 1 || hotspot > 11)
        return {};
    return QString::fromUtf16(kMenuTitles[hotspot - 1]);
}

QImage drawMenuBarArt(int markedHotspot, ChromeMark mark)
{
    QImage image = canvas(kMenuBarArtSize, kMenuBar);
    QPainter p(&image);
    p.fillRect(0, 0, kMenuBarArtSize.width(), 31, kAppBar);
    p.setPen(QColor(170, 170, 170));
    p.drawLine(0, 31, kMenuBarArtSize.width(), 31);
    p.drawLine(0, 59, kMenuBarArtSize.width(), 59);
    // The editor's own mark: a blue tile with a brush stroke.
    const QRect logo(6, 4, 28, 24);
    p.fillRect(logo, QColor(40, 70, 130));
    paintToolIcon(p, logo.adjusted(3, 2, -3, -2), "brush");
    for (int h = 1; h <= 20; ++h) {
        const QRect r = hotspotArtRect(h);
        if (h == markedHotspot)
            markRect(p, r, mark);
        if (h <= 11) {
            text(p, r, menuBarTitle(h), 12, Qt::AlignCenter);
            continue;
        }
        switch (h) {
        case 12:
            paintToolIcon(p, r.adjusted(2, 0, -2, 0), "browser");
            break;
        case 13:
            p.setPen(kInk);
            for (int i = 0; i < 3; ++i)
                p.drawRect(r.left() + 5 + i * 7, r.top() + 8, 5, 5);
            triangleDown(p, QPoint(r.right() - 6, r.center().y()));
            break;
        case 14:
            p.fillRect(r.adjusted(2, 3, -2, -3), Qt::white);
            bevel(p, r.adjusted(2, 3, -2, -3), true);
            text(p, r.adjusted(6, 0, -12, 0), "100%", 11);
            triangleDown(p, QPoint(r.right() - 8, r.center().y()));
            break;
        case 15:
            paintToolIcon(p, r, "hand");
            break;
        case 16:
            paintToolIcon(p, r, "zoom");
            break;
        case 17:
            paintToolIcon(p, r, "rotateview");
            break;
        case 18:
            p.setPen(kInk);
            p.drawRect(r.left() + 6, r.top() + 6, 9, 10);
            p.drawRect(r.left() + 17, r.top() + 6, 9, 10);
            triangleDown(p, QPoint(r.right() - 6, r.center().y()));
            break;
        case 19:
            p.setPen(kInk);
            p.drawRect(r.left() + 7, r.top() + 5, 18, 12);
            p.fillRect(r.left() + 8, r.top() + 6, 17, 3, QColor(90, 90, 90));
            triangleDown(p, QPoint(r.right() - 6, r.center().y()));
            break;
        case 20:
            p.fillRect(r.adjusted(0, 2, 0, -2), QColor(236, 236, 236));
            bevel(p, r.adjusted(0, 2, 0, -2), false);
            text(p, r.adjusted(6, 0, -14, 0), "基本功能", 12);
            triangleDown(p, QPoint(r.right() - 8, r.center().y()));
            break;
        default:
            break;
        }
    }
    return image;
}

QImage drawOptionsBarArt(int markedHotspot, ChromeMark mark)
{
    QImage image = canvas(kOptionsBarArtSize, kOptions);
    QPainter p(&image);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(0, 0, kOptionsBarArtSize.width() - 1, kOptionsBarArtSize.height() - 1);
    for (int h = 21; h <= 37; ++h) {
        const QRect r = hotspotArtRect(h);
        if (h == markedHotspot)
            markRect(p, r, mark);
        if (h == 21) {
            paintToolIcon(p, r.adjusted(0, 0, -14, 0), "marquee");
            triangleDown(p, QPoint(r.right() - 6, r.center().y()));
        } else if (h == 22) {
            text(p, QRect(r.left(), r.top() - 2, 40, r.height() + 4), "羽化:", 11);
            const QRect f(r.left() + 30, r.top(), 34, r.height());
            p.fillRect(f, Qt::white);
            bevel(p, f, true);
            text(p, f.adjusted(3, 0, 0, 0), "0 像素", 10);
        } else if (h == 23) {
            p.fillRect(r.left() + 2, r.center().y() - 5, 10, 10, Qt::white);
            p.setPen(kInk);
            p.drawRect(r.left() + 2, r.center().y() - 5, 10, 10);
            p.drawLine(r.left() + 4, r.center().y(), r.left() + 6, r.center().y() + 3);
            p.drawLine(r.left() + 6, r.center().y() + 3, r.left() + 10, r.center().y() - 3);
            text(p, r.adjusted(16, 0, 0, 0), "消除锯齿", 11);
        } else if (h == 24) {
            text(p, QRect(r.left(), r.top() - 3, 34, r.height() + 6), "样式:", 11);
            const QRect f(r.left() + 32, r.top() - 2, 52, r.height() + 4);
            p.fillRect(f, QColor(240, 240, 240));
            bevel(p, f, false);
            text(p, f.adjusted(4, 0, -10, 0), "正常", 10);
            triangleDown(p, QPoint(f.right() - 6, f.center().y()));
        } else {
            // Four groups of selection-mode and alignment buttons, then one alone.
            p.fillRect(r.adjusted(2, 2, -2, -2), QColor(232, 232, 232));
            bevel(p, r.adjusted(2, 2, -2, -2), false);
            p.setPen(kInk);
            const QRect g = r.adjusted(6, 6, -6, -6);
            const int kind = (h - 25) % 3;
            if (h == 37) {
                p.drawEllipse(g); // refine edge
            } else if (kind == 0) {
                p.drawRect(g);
            } else if (kind == 1) {
                p.drawRect(g.adjusted(0, 0, -3, -3));
                p.drawRect(g.adjusted(3, 3, 0, 0));
            } else {
                p.drawLine(g.left(), g.center().y(), g.right(), g.center().y());
                p.drawLine(g.center().x(), g.top(), g.center().x(), g.bottom());
            }
        }
    }
    // Width and height fields beside the button groups; not hotspots, only picture.
    text(p, QRect(660, 0, 110, 30), "宽度:    高度:", 11);
    return image;
}

const plat::Picture& menuBarArt()
{
    static const plat::Picture picture { drawMenuBarArt() };
    return picture;
}

const plat::Picture& optionsBarArt()
{
    static const plat::Picture picture { drawOptionsBarArt() };
    return picture;
}

} // namespace workspace
