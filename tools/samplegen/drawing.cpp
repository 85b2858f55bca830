#include "drawing.h"

#include "toolicons.h"

#include <QFontMetrics>

#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace samplegen {

namespace {

    using workspace::chromepaint::kInk;
    const QColor kOptions(218, 218, 218);
    const QColor kToolboxBg(200, 200, 200);
    const QColor kDock(214, 214, 214);
    const QColor kWorkspace(138, 138, 138);
    const QColor kHighlight(56, 117, 215);
    const QColor kFieldBorder(122, 122, 122);

    QImage canvas(QSize size, QColor fill)
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(fill);
        return image;
    }

    // The chrome's drawing kit is the program's own, so the screens match the window's bars.
    using workspace::chromepaint::bevel;
    using workspace::chromepaint::markRect;
    using workspace::chromepaint::text;
    using workspace::chromepaint::triangleDown;
    using workspace::chromepaint::triangleRight;

    void paintSwatches(QPainter& p, const QRect& fg, const QRect& bg)
    {
        p.fillRect(bg, Qt::white);
        p.setPen(kInk);
        p.drawRect(bg.adjusted(0, 0, -1, -1));
        p.fillRect(fg, Qt::black);
        p.setPen(Qt::white);
        p.drawRect(fg.adjusted(1, 1, -2, -2));
        p.setPen(kInk);
        p.drawRect(fg.adjusted(0, 0, -1, -1));
    }

    QImage blurImage(const QImage& source, int radius)
    {
        QImage image = source.convertToFormat(QImage::Format_RGB32);
        for (int pass = 0; pass < 2; ++pass) {
            QImage out = image;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    int r = 0, g = 0, b = 0, n = 0;
                    for (int d = -radius; d <= radius; ++d) {
                        const int xx = pass == 0 ? std::clamp(x + d, 0, image.width() - 1) : x;
                        const int yy = pass == 1 ? std::clamp(y + d, 0, image.height() - 1) : y;
                        const QRgb c = image.pixel(xx, yy);
                        r += qRed(c);
                        g += qGreen(c);
                        b += qBlue(c);
                        ++n;
                    }
                    out.setPixel(x, y, qRgb(r / n, g / n, b / n));
                }
            }
            image = out;
        }
        return image;
    }

    QImage adjustImage(const QImage& source, Adjust adjust)
    {
        if (adjust == Adjust::None)
            return source;
        if (adjust == Adjust::Blur)
            return blurImage(source, 3);
        QImage image = source.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                QColor c = QColor::fromRgb(line[x]);
                int r = c.red(), g = c.green(), b = c.blue();
                switch (adjust) {
                case Adjust::Darker:
                    r /= 2, g /= 2, b /= 2;
                    break;
                case Adjust::Brighter:
                    r = std::min(255, r + 45), g = std::min(255, g + 45), b = std::min(255, b + 45);
                    break;
                case Adjust::Contrast:
                case Adjust::AutoTone: {
                    const double k = adjust == Adjust::Contrast ? 1.35 : 1.2;
                    auto s = [k](int v) { return std::clamp(int((v - 128) * k + 128), 0, 255); };
                    r = s(r), g = s(g), b = s(b);
                    break;
                }
                case Adjust::Warm:
                    r = std::min(255, r + 30), b = std::max(0, b - 25);
                    break;
                case Adjust::Grey: {
                    const int v = (r * 30 + g * 59 + b * 11) / 100;
                    r = g = b = v;
                    break;
                }
                case Adjust::HueShift: {
                    float h, s, l;
                    c.getHslF(&h, &s, &l);
                    if (h >= 0)
                        h = std::fmod(h + 0.5f, 1.0f);
                    c = QColor::fromHslF(h, s, l);
                    r = c.red(), g = c.green(), b = c.blue();
                    break;
                }
                default:
                    break;
                }
                line[x] = qRgb(r, g, b);
            }
        }
        return image;
    }

    void checkerboard(QPainter& p, const QRect& r)
    {
        for (int y = r.top(); y <= r.bottom(); y += 8)
            for (int x = r.left(); x <= r.right(); x += 8)
                p.fillRect(QRect(x, y, 8, 8).intersected(r),
                    ((x - r.left()) / 8 + (y - r.top()) / 8) % 2 ? QColor(204, 204, 204)
                                                                 : Qt::white);
    }

    // The adjustments panel: its tabs and the eight adjustment icons.
    void drawAdjustPanel(QPainter& p, const QRect& adjust)
    {
        const EditorLayout& L = editorLayout();
        p.fillRect(QRect(adjust.left(), adjust.top(), adjust.width(), 16), QColor(190, 190, 190));
        text(p, QRect(adjust.left() + 6, adjust.top(), 40, 16), "调整", 11,
            Qt::AlignLeft | Qt::AlignVCenter, kInk, true);
        text(p, QRect(adjust.left() + 46, adjust.top(), 40, 16), "蒙版", 11,
            Qt::AlignLeft | Qt::AlignVCenter, QColor(90, 90, 90));
        text(p, QRect(adjust.left() + 6, adjust.top() + 16, 180, 16), "添加调整", 11);
        for (int i = 0; i < 8; ++i) {
            const QRect r = L.adjustIcon[i];
            p.fillRect(r, QColor(236, 236, 236));
            bevel(p, r, false);
            const QRect g = r.adjusted(4, 3, -4, -3);
            p.setRenderHint(QPainter::Antialiasing);
            switch (i) {
            case 0: // brightness: a sun
                p.setBrush(kInk);
                p.setPen(Qt::NoPen);
                p.drawPie(g, 90 * 16, 180 * 16);
                p.setBrush(Qt::NoBrush);
                p.setPen(kInk);
                p.drawEllipse(g);
                break;
            case 1: // levels: a histogram
                p.setPen(Qt::NoPen);
                for (int k = 0; k < 6; ++k)
                    p.fillRect(
                        g.left() + k * 2, g.bottom() - (k * 5 % 9) - 2, 2, (k * 5 % 9) + 2, kInk);
                break;
            case 2: { // curves
                p.setPen(kInk);
                p.setBrush(Qt::NoBrush);
                p.drawRect(g);
                QPainterPath curve;
                curve.moveTo(g.bottomLeft());
                curve.cubicTo(g.left() + 6, g.bottom(), g.right() - 6, g.top(), g.right(), g.top());
                p.drawPath(curve);
                break;
            }
            case 3: // exposure
                p.setPen(kInk);
                p.setBrush(Qt::NoBrush);
                p.drawRect(g);
                p.drawLine(g.topRight(), g.bottomLeft());
                break;
            case 4: // vibrance: a triangle
            {
                QPainterPath t;
                t.moveTo(g.center().x(), g.top());
                t.lineTo(g.right(), g.bottom());
                t.lineTo(g.left(), g.bottom());
                t.closeSubpath();
                p.setPen(kInk);
                p.setBrush(Qt::NoBrush);
                p.drawPath(t);
                break;
            }
            case 5: { // hue/saturation: a colour bar
                QLinearGradient rainbow(g.topLeft(), g.topRight());
                rainbow.setColorAt(0, Qt::red);
                rainbow.setColorAt(0.33, Qt::green);
                rainbow.setColorAt(0.66, Qt::blue);
                rainbow.setColorAt(1, Qt::red);
                p.fillRect(g.adjusted(0, 3, 0, -3), rainbow);
                break;
            }
            case 6: // colour balance: scales
                p.setPen(kInk);
                p.drawLine(g.left(), g.center().y(), g.right(), g.center().y());
                p.drawLine(g.center().x(), g.top(), g.center().x(), g.bottom());
                p.drawArc(QRect(g.left(), g.center().y() - 3, 5, 6), 180 * 16, 180 * 16);
                p.drawArc(QRect(g.right() - 5, g.center().y() - 3, 5, 6), 180 * 16, 180 * 16);
                break;
            default: // black and white
                p.fillRect(QRect(g.left(), g.top(), g.width() / 2, g.height()), Qt::black);
                p.setPen(kInk);
                p.setBrush(Qt::NoBrush);
                p.drawRect(g);
                break;
            }
            p.setRenderHint(QPainter::Antialiasing, false);
        }
    }

} // namespace

QFont uiFont(int pixelSize, bool bold) { return workspace::chromepaint::font(pixelSize, bold); }

QImage drawMenuPanel(int markedHotspot, Mark mark)
{
    return workspace::drawMenuBarArt(markedHotspot, mark);
}

QImage drawOptionsPanel(int markedHotspot, Mark mark)
{
    return workspace::drawOptionsBarArt(markedHotspot, mark);
}

QImage drawToolbox(ToolboxForm form, int markedHotspot, Mark mark)
{
    const QSize size
        = form == ToolboxForm::OneColumn ? kToolboxOneColumnSize : kToolboxTwoColumnSize;
    QImage image = canvas(size, kToolboxBg);
    QPainter p(&image);
    p.setPen(QColor(150, 150, 150));
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    p.fillRect(1, 1, size.width() - 2, 12, QColor(180, 180, 180));
    for (int x = 8; x < size.width() - 8; x += 4)
        p.fillRect(x, 5, 2, 2, QColor(120, 120, 120));
    text(p, QRect(0, 13, size.width(), 12), form == ToolboxForm::OneColumn ? "»" : "«", 10,
        Qt::AlignCenter);
    for (int h = 41; h <= 67; ++h) {
        const QRect r = hotspotRect(h, form);
        if (h == markedHotspot)
            markRect(p, r, mark);
        if (h <= 62) {
            paintToolIcon(p, r, toolInfo(h).icon);
            if (h >= 42 && h <= 61)
                p.fillRect(r.right() - 3, r.bottom() - 3, 2, 2, kInk); // has a flyout
        }
    }
    // The colour swatches, swap arrow, default colours and quick-mask button, inset within
    // their hotspots as each toolbox form draws them.
    struct Insets {
        int l, t, r, b;
        QRect in(const QRect& q) const { return q.adjusted(l, t, -r, -b); }
    };
    struct SwatchLayout {
        Insets fore, back, swap, black, white, mask;
    };
    constexpr SwatchLayout kTwoColumns { { 2, 2, 6, 6 }, { 4, 4, 4, 4 }, { 3, 3, 3, 3 },
        { 1, 1, 4, 4 }, { 4, 4, 1, 1 }, { 10, 2, 10, 2 } };
    constexpr SwatchLayout kOneColumn { { 3, 2, 7, 5 }, { 7, 5, 3, 2 }, { 7, 5, 7, 5 },
        { 7, 6, 11, 9 }, { 10, 9, 8, 6 }, { 5, 5, 5, 5 } };
    const SwatchLayout& s = form == ToolboxForm::TwoColumns ? kTwoColumns : kOneColumn;
    paintSwatches(p, s.fore.in(hotspotRect(63, form)), s.back.in(hotspotRect(66, form)));
    p.setPen(kInk);
    p.drawArc(s.swap.in(hotspotRect(65, form)), 0, 90 * 16);
    const QRect def = hotspotRect(67, form);
    p.fillRect(s.black.in(def), Qt::black);
    p.fillRect(s.white.in(def), Qt::white);
    const QRect mask = s.mask.in(hotspotRect(64, form));
    p.drawRect(mask);
    p.setBrush(Qt::white);
    p.drawEllipse(mask.center(), 4, 4);
    return image;
}

int keyRoom(const QStringList& entryParts, int px)
{
    return entryParts.size() > 1 ? QFontMetrics(uiFont(px)).horizontalAdvance(entryParts[1]) + 16
                                 : 0;
}

QImage drawBarDropDown(int hotspot, int highlightedItem)
{
    const BarDropDown& bar = *barDropDown(hotspot);
    QImage image = canvas(bar.size, QColor(246, 246, 246));
    QPainter p(&image);
    p.setPen(QColor(130, 130, 130));
    p.drawRect(0, 0, bar.size.width() - 1, bar.size.height() - 1);
    if (hotspot == 21) {
        // The tool preset picker: a short list of presets of the current tool.
        text(p, QRect(8, 4, 200, 18), "工具预设", 12, Qt::AlignLeft | Qt::AlignVCenter);
        const QStringList presets { "矩形选框 1 像素", "矩形选框 10 像素羽化", "正方形选框" };
        for (int i = 0; i < presets.size(); ++i) {
            const QRect row(6, 28 + i * 22, 206, 20);
            p.fillRect(row, i == 0 ? QColor(214, 228, 248) : Qt::white);
            paintToolIcon(p, QRect(row.left() + 2, row.top(), 20, 20), "marquee");
            text(p, row.adjusted(28, 0, 0, 0), presets[i], 11, Qt::AlignLeft | Qt::AlignVCenter);
        }
        text(p, QRect(8, 124, 200, 18), "仅限当前工具", 11, Qt::AlignLeft | Qt::AlignVCenter);
        return image;
    }
    for (int i = 1; i <= static_cast<int>(bar.items.size()); ++i) {
        const QRect r = bar.items[i - 1];
        const bool lit = i == highlightedItem;
        const QColor ink = lit ? Qt::white : kInk;
        if (lit)
            p.fillRect(r, kHighlight);
        const QString label = bar.texts.value(i - 1);
        if (label.isEmpty()) {
            // A document arrangement: the window split into its frames.
            const QRect g = r.adjusted(4, 3, -4, -3);
            p.fillRect(g, lit ? QColor(90, 140, 225) : Qt::white);
            p.setPen(ink);
            p.drawRect(g);
            const int split = (i - 1) % 4;
            if (split >= 1)
                p.drawLine(g.center().x(), g.top(), g.center().x(), g.bottom());
            if (split >= 2)
                p.drawLine(g.left(), g.center().y(), g.right(), g.center().y());
            if (split == 3)
                p.drawLine(g.left() + g.width() / 4, g.top(), g.left() + g.width() / 4, g.bottom());
            continue;
        }
        text(p, r.adjusted(hotspot == 14 ? 8 : 18, 0, 0, 0), label, 11,
            Qt::AlignLeft | Qt::AlignVCenter, ink);
        if (hotspot == 13 || (hotspot == 20 && i == 1) || (hotspot == 19 && i == 1)
            || (hotspot == 23 && i == 1)) {
            p.setPen(QPen(ink, 1.5));
            const QPoint c(r.left() + 9, r.center().y());
            p.drawLine(c + QPoint(-4, 0), c + QPoint(-1, 3));
            p.drawLine(c + QPoint(-1, 3), c + QPoint(4, -3));
        }
    }
    if (hotspot == 18) {
        p.setPen(QColor(190, 190, 190));
        p.drawLine(4, 170, bar.size.width() - 4, 170);
    }
    return image;
}

QImage drawDropDown(int hotspot, int highlightedItem)
{
    const MenuTitle& menu = menuTitle(hotspot);
    const QSize size = dropDownSize(hotspot);
    QImage image = canvas(size, QColor(246, 246, 246));
    QPainter p(&image);
    p.setPen(QColor(130, 130, 130));
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    const int count = dropDownItemCount(hotspot);
    const bool tools = hotspot >= 41;
    const int fontPx = tools ? 12 : 11;
    int itemIndex = 0;
    for (const QChar group : menu.groups) {
        const int n = groupSize(group);
        for (int k = 0; k < n; ++k) {
            ++itemIndex;
            const QRect r = dropDownItemRect(hotspot, itemIndex);
            const QStringList parts = menu.items.value(itemIndex - 1).split('\t');
            const bool lit = itemIndex == highlightedItem;
            const QColor ink = lit ? Qt::white : kInk;
            if (lit)
                p.fillRect(r, kHighlight);
            int textLeft = r.left() + 22;
            if (tools) {
                if (itemIndex == 1)
                    p.fillRect(r.left() + 3, r.center().y() - 1, 3, 3, ink);
                paintToolIcon(p, QRect(r.left() + 8, r.top(), r.height(), r.height()),
                    flyoutIcon(hotspot, itemIndex));
                textLeft = r.left() + 12 + r.height();
            }
            text(p,
                QRect(textLeft, r.top(), r.right() - textLeft - 6 - keyRoom(parts, fontPx),
                    r.height()),
                parts.value(0), fontPx, Qt::AlignLeft | Qt::AlignVCenter, ink);
            if (parts.size() > 1)
                text(p, QRect(r.left(), r.top(), r.width() - 16, r.height()), parts.value(1),
                    fontPx, Qt::AlignRight | Qt::AlignVCenter, ink);
            if (!tools && opensSecondLevel(hotspot, itemIndex))
                triangleRight(p, QPoint(r.right() - 7, r.center().y()), 4, ink);
        }
        if (itemIndex < count) {
            const int y = dropDownItemRect(hotspot, itemIndex).bottom() + 5;
            p.setPen(QColor(190, 190, 190));
            p.drawLine(22, y, size.width() - 4, y);
            p.setPen(Qt::white);
            p.drawLine(22, y + 1, size.width() - 4, y + 1);
        }
    }
    return image;
}

QImage drawSecondLevel(int hotspot, int item, int highlightedSub)
{
    const SecondLevel* level = secondLevel(hotspot, item);
    if (!level || level->items.size() != secondLevelItemCount(hotspot, item))
        throw std::runtime_error(
            "second level " + std::to_string(hotspot * 100 + item) + " has no item texts to draw");
    const QSize size = secondLevelSize(hotspot, item);
    QImage image = canvas(size, QColor(246, 246, 246));
    QPainter p(&image);
    p.setPen(QColor(130, 130, 130));
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    const int count = secondLevelItemCount(hotspot, item);
    int sub = 0;
    for (const QChar group : level->groups) {
        for (int k = 0; k < secondLevelGroupSize(group); ++k) {
            ++sub;
            const QRect r = secondLevelItemRect(hotspot, item, sub);
            const QStringList parts = level->items.value(sub - 1).split('\t');
            const bool lit = sub == highlightedSub;
            const QColor ink = lit ? Qt::white : kInk;
            if (lit)
                p.fillRect(r, kHighlight);
            text(p, QRect(r.left() + 22, r.top(), r.width() - 28 - keyRoom(parts, 11), r.height()),
                parts.value(0), 11, Qt::AlignLeft | Qt::AlignVCenter, ink);
            if (parts.size() > 1)
                text(p, QRect(r.left(), r.top(), r.width() - 8, r.height()), parts.value(1), 11,
                    Qt::AlignRight | Qt::AlignVCenter, ink);
        }
        if (sub < count) {
            const int y = secondLevelItemRect(hotspot, item, sub).bottom() + 5;
            p.setPen(QColor(190, 190, 190));
            p.drawLine(22, y, size.width() - 4, y);
            p.setPen(Qt::white);
            p.drawLine(22, y + 1, size.width() - 4, y + 1);
        }
    }
    return image;
}

QImage drawToolVariant(int hotspot, int item)
{
    const QRect spot = hotspotRect(hotspot);
    QImage image = canvas(spot.size(), kToolboxBg);
    QPainter p(&image);
    const QRect r(QPoint(0, 0), spot.size());
    markRect(p, r, Mark::Pressed);
    paintToolIcon(p, r, flyoutIcon(hotspot, item));
    p.fillRect(r.right() - 3, r.bottom() - 3, 2, 2, kInk);
    return image;
}

QImage drawCheckedItem(int hotspot, int item, bool highlighted)
{
    const QRect row = dropDownItemRect(hotspot, item);
    QImage image = drawDropDown(hotspot, highlighted ? item : 0).copy(row);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(highlighted ? QColor(Qt::white) : kInk, 1.6));
    const int y = image.height() / 2;
    p.drawLine(QPointF(6, y), QPointF(9, y + 3));
    p.drawLine(QPointF(9, y + 3), QPointF(15, y - 4));
    return image;
}

QImage cutHotspot(int hotspot, Mark mark)
{
    QImage panel;
    if (hotspot <= 20)
        panel = drawMenuPanel(hotspot, mark);
    else if (hotspot <= 40)
        panel = drawOptionsPanel(hotspot, mark);
    else
        panel = drawToolbox(ToolboxForm::TwoColumns, hotspot, mark);
    return panel.copy(hotspotRect(hotspot));
}

QImage drawLandscape(QSize size, Adjust adjust)
{
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QLinearGradient sky(0, 0, 0, h * 0.6);
    sky.setColorAt(0, QColor(92, 150, 214));
    sky.setColorAt(1, QColor(200, 225, 240));
    p.fillRect(QRectF(0, 0, w, h * 0.62), sky);
    QRadialGradient sun(w * 0.78, h * 0.2, h * 0.12);
    sun.setColorAt(0, QColor(255, 250, 215));
    sun.setColorAt(0.6, QColor(255, 236, 160));
    sun.setColorAt(1, QColor(255, 236, 160, 0));
    p.fillRect(QRectF(0, 0, w, h * 0.6), sun);
    QRandomGenerator random(20261201);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const double cx = w * (0.1 + 0.22 * i) + random.bounded(20),
                     cy = h * (0.1 + 0.05 * (i % 2));
        p.setBrush(QColor(255, 255, 255, 210));
        for (int k = 0; k < 4; ++k)
            p.drawEllipse(QPointF(cx + k * w * 0.025, cy + (k % 2) * 3), w * 0.035, h * 0.04);
    }
    QPainterPath far;
    far.moveTo(0, h * 0.5);
    far.lineTo(w * 0.18, h * 0.3);
    far.lineTo(w * 0.33, h * 0.45);
    far.lineTo(w * 0.5, h * 0.26);
    far.lineTo(w * 0.7, h * 0.47);
    far.lineTo(w * 0.85, h * 0.35);
    far.lineTo(w, h * 0.48);
    far.lineTo(w, h * 0.62);
    far.lineTo(0, h * 0.62);
    far.closeSubpath();
    p.fillPath(far, QColor(110, 130, 160));
    QPainterPath snow;
    snow.moveTo(w * 0.5, h * 0.26);
    snow.lineTo(w * 0.545, h * 0.31);
    snow.lineTo(w * 0.5, h * 0.3);
    snow.lineTo(w * 0.465, h * 0.31);
    snow.closeSubpath();
    p.fillPath(snow, QColor(240, 244, 250));
    QPainterPath near;
    near.moveTo(0, h * 0.58);
    near.cubicTo(w * 0.2, h * 0.45, w * 0.35, h * 0.62, w * 0.55, h * 0.55);
    near.cubicTo(w * 0.7, h * 0.5, w * 0.85, h * 0.6, w, h * 0.54);
    near.lineTo(w, h * 0.66);
    near.lineTo(0, h * 0.66);
    near.closeSubpath();
    p.fillPath(near, QColor(70, 120, 80));
    QLinearGradient lake(0, h * 0.64, 0, h * 0.8);
    lake.setColorAt(0, QColor(120, 170, 210));
    lake.setColorAt(1, QColor(60, 110, 160));
    p.fillRect(QRectF(0, h * 0.64, w, h * 0.16), lake);
    p.setPen(QPen(QColor(230, 240, 250, 160), 1));
    for (int i = 0; i < 12; ++i) {
        const double y = h * 0.66 + random.bounded(int(h * 0.12));
        const double x = random.bounded(int(w * 0.9));
        p.drawLine(QPointF(x, y), QPointF(x + w * 0.06, y));
    }
    p.setPen(Qt::NoPen);
    QLinearGradient grass(0, h * 0.78, 0, h);
    grass.setColorAt(0, QColor(110, 160, 70));
    grass.setColorAt(1, QColor(70, 120, 40));
    p.fillRect(QRectF(0, h * 0.78, w, h * 0.22), grass);
    for (int i = 0; i < 7; ++i) {
        const double x = w * 0.04 + i * w * 0.055 + random.bounded(8);
        const double base = h * 0.8 + random.bounded(int(h * 0.08));
        const double th = h * (0.16 + random.bounded(6) / 100.0);
        p.fillRect(QRectF(x - 2, base - th * 0.25, 4, th * 0.25), QColor(90, 60, 30));
        QPainterPath tree;
        tree.moveTo(x, base - th);
        tree.lineTo(x + th * 0.22, base - th * 0.22);
        tree.lineTo(x - th * 0.22, base - th * 0.22);
        tree.closeSubpath();
        p.fillPath(tree, QColor(30 + i * 5, 90 + i * 4, 45));
    }
    for (int i = 0; i < 40; ++i) {
        const QColor flower = i % 3 == 0
            ? QColor(250, 220, 60)
            : (i % 3 == 1 ? QColor(240, 110, 130) : QColor(255, 255, 255));
        p.setBrush(flower);
        p.drawEllipse(QPointF(w * 0.45 + random.bounded(int(w * 0.5)),
                          h * 0.84 + random.bounded(int(h * 0.14))),
            2, 2);
    }
    p.end();
    return adjustImage(image, adjust);
}

const EditorLayout& editorLayout()
{
    static const EditorLayout layout = [] {
        EditorLayout l;
        l.image = QRect(95, 177, 480, 320);
        l.documentTab = QRect(72, 97, 230, 18);
        l.statusDocSize = QRect(118, 560, 150, 16);
        for (int i = 0; i < 8; ++i)
            l.adjustIcon[i] = QRect(610 + i * 23, 128, 20, 18);
        for (int i = 0; i < 3; ++i) {
            l.layerRow[i] = QRect(605, 228 + 26 * i, 193, 26);
            l.layerEye[i] = QRect(607, 232 + 26 * i, 16, 18);
            l.layerThumb[i] = QRect(628, 231 + 26 * i, 28, 20);
            l.layerName[i] = QRect(662, 232 + 26 * i, 100, 18);
        }
        l.opacityField = QRect(752, 188, 42, 17);
        l.newGroupButton = QRect(728, 310, 18, 16);
        l.newLayerButton = QRect(750, 310, 18, 16);
        l.deleteLayerButton = QRect(772, 310, 18, 16);
        return l;
    }();
    return layout;
}

QImage drawEditorScreen(const Scene& scene)
{
    const EditorLayout& L = editorLayout();
    QImage image = canvas({ kWindowWidth, kWindowHeight }, QColor(180, 180, 180));
    QPainter p(&image);
    p.drawImage(kMenuPanelPos, drawMenuPanel());
    p.fillRect(0, 60, kWindowWidth, 35, kOptions);
    p.drawImage(kOptionsPanelPos, drawOptionsPanel());
    p.fillRect(0, 95, 68, kWindowHeight - 95, QColor(170, 170, 170));
    p.drawImage(kToolboxPos, drawToolbox(ToolboxForm::TwoColumns));

    // Document window: tab, canvas area, status bar.
    const QRect doc(70, 95, 531, 483);
    p.fillRect(doc, kWorkspace);
    p.fillRect(QRect(doc.left(), doc.top(), doc.width(), 20), QColor(196, 196, 196));
    const QRect tab = L.documentTab;
    p.fillRect(tab, QColor(236, 236, 236));
    bevel(p, tab, false);
    text(p, tab.adjusted(8, 0, -18, 0), scene.tab, 11);
    text(p, tab.adjusted(0, 0, -5, 0), "×", 11, Qt::AlignRight | Qt::AlignVCenter);
    const QRect area(doc.left(), doc.top() + 21, doc.width(), 442);
    const QRect status(doc.left(), area.bottom() + 1, doc.width(), 19);
    p.fillRect(status, QColor(210, 210, 210));
    p.setPen(QColor(150, 150, 150));
    p.drawLine(status.topLeft(), status.topRight());
    const QRect zoomField(status.left() + 2, status.top() + 2, 44, 15);
    p.fillRect(zoomField, Qt::white);
    bevel(p, zoomField, true);
    text(p, zoomField.adjusted(3, 0, 0, 0), QString("%1%").arg(scene.zoom), 10);
    text(p, L.statusDocSize, scene.blank ? "文档:450.0K/0 字节" : "文档:450.0K/450.0K", 11);
    triangleRight(p, QPoint(L.statusDocSize.right() + 6, L.statusDocSize.center().y()), 4);

    // The picture itself, centred at the scene's zoom.
    QSize shown = scene.imageSize * scene.zoom / 100;
    QImage picture;
    if (scene.blank) {
        picture = canvas(scene.imageSize, Qt::white);
    } else {
        picture = drawLandscape(scene.imageSize, scene.adjust);
    }
    if (scene.flipped)
        picture = picture.mirrored(true, false);
    if (scene.zoom != 100)
        picture = picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QSize full(shown.width() + scene.extendX, shown.height() + scene.extendY);
    QRect where(QPoint(0, 0), full);
    where.moveCenter(L.image.center());
    p.setClipRect(area);
    p.fillRect(where.adjusted(2, 2, 2, 2), QColor(90, 90, 90));
    if (scene.backgroundHidden) {
        checkerboard(p, where);
    } else {
        p.fillRect(where, Qt::white);
        p.drawImage(where.left() + scene.extendX / 2, where.top() + scene.extendY / 2, picture);
    }
    if (scene.dab.isValid()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(scene.dab);
        p.drawEllipse(QPoint(L.image.left() + 150, L.image.top() + 150), 18, 18);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    if (scene.strokeWidth > 0) {
        p.setPen(QPen(Qt::black, scene.strokeWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const int half = scene.strokeWidth / 2;
        p.drawRect(where.adjusted(half, half, -half - 1, -half - 1));
    }
    if (!scene.text.isEmpty()) {
        QFont font("Noto Serif CJK SC");
        font.setPixelSize(44);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(200, 30, 30));
        p.drawText(QRect(L.image.left() + 40, L.image.top() + 30, 300, 60),
            Qt::AlignLeft | Qt::AlignVCenter, scene.text);
    }
    if (scene.selection || scene.selectionRect.isValid()) {
        const QRect marked = scene.selectionRect.isValid()
            ? scene.selectionRect.translated(where.topLeft())
            : where.adjusted(0, 0, -1, -1);
        QPainterPath outline;
        if (scene.ellipseSelection)
            outline.addEllipse(marked);
        else
            outline.addRect(marked);
        if (scene.selectionFill.isValid())
            p.fillPath(outline, scene.selectionFill);
        p.strokePath(outline, QPen(Qt::black, 1, Qt::DashLine));
        p.strokePath(outline.translated(1, 1), QPen(Qt::white, 1, Qt::DashLine));
    }
    if (scene.transformBox) {
        const QRect box = where.adjusted(0, 0, -1, -1);
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        for (const QPoint at : { box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight(),
                 QPoint(box.center().x(), box.top()), QPoint(box.center().x(), box.bottom()),
                 QPoint(box.left(), box.center().y()), QPoint(box.right(), box.center().y()) }) {
            const QRect handle(at.x() - 3, at.y() - 3, 7, 7);
            p.fillRect(handle, Qt::white);
            p.drawRect(handle.adjusted(0, 0, -1, -1));
        }
        p.drawEllipse(box.center(), 3, 3);
    }
    p.setClipping(false);

    // Right dock: adjustments, then layers.
    const QRect dock(603, 95, 197, 505);
    p.fillRect(dock, QColor(176, 176, 176));
    const QRect adjust(dock.left() + 1, 95, 195, 68);
    p.fillRect(adjust, kDock);
    if (scene.adjustPanelHidden)
        p.fillRect(adjust, QColor(176, 176, 176));
    else
        drawAdjustPanel(p, adjust);

    const QRect layers(dock.left() + 1, 166, 195, 165);
    p.fillRect(layers, kDock);
    p.fillRect(QRect(layers.left(), layers.top(), layers.width(), 17), QColor(190, 190, 190));
    text(p, QRect(layers.left() + 6, layers.top(), 40, 17), "图层", 11,
        Qt::AlignLeft | Qt::AlignVCenter, kInk, true);
    text(p, QRect(layers.left() + 42, layers.top(), 40, 17), "通道", 11,
        Qt::AlignLeft | Qt::AlignVCenter, QColor(90, 90, 90));
    text(p, QRect(layers.left() + 78, layers.top(), 40, 17), "路径", 11,
        Qt::AlignLeft | Qt::AlignVCenter, QColor(90, 90, 90));
    const QRect blend(layers.left() + 4, 188, 70, 17);
    p.fillRect(blend, QColor(240, 240, 240));
    bevel(p, blend, false);
    text(p, blend.adjusted(4, 0, 0, 0), "正常", 11);
    triangleDown(p, QPoint(blend.right() - 7, blend.center().y()));
    text(p, QRect(layers.left() + 82, 188, 66, 17), "不透明度:", 11);
    p.fillRect(L.opacityField, Qt::white);
    bevel(p, L.opacityField, true);
    text(p, L.opacityField.adjusted(3, 0, 0, 0), QString("%1%").arg(scene.opacity), 11);
    text(p, QRect(layers.left() + 4, 207, 40, 17), "锁定:", 11);
    p.setPen(kInk);
    for (int i = 0; i < 4; ++i)
        p.drawRect(layers.left() + 40 + i * 16, 210, 10, 10);
    text(p, QRect(layers.left() + 110, 207, 40, 17), "填充:", 11);
    const QRect fill(752, 207, 42, 17);
    p.fillRect(fill, Qt::white);
    bevel(p, fill, true);
    text(p, fill.adjusted(3, 0, 0, 0), "100%", 11);
    for (int i = 0; i < scene.layers.size() && i < 3; ++i) {
        const bool active = i == scene.activeLayer;
        const bool isBackground = scene.layers[i] == "背景";
        p.fillRect(L.layerRow[i], active ? QColor(160, 186, 226) : QColor(226, 226, 226));
        p.setPen(QColor(170, 170, 170));
        p.drawLine(L.layerRow[i].bottomLeft(), L.layerRow[i].bottomRight());
        const QRect eye = L.layerEye[i];
        p.fillRect(eye, QColor(236, 236, 236));
        bevel(p, eye, true);
        if (!(isBackground && scene.backgroundHidden)) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(kInk);
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(eye.left() + 2, eye.center().y() - 3, 12, 7));
            p.setBrush(kInk);
            p.drawEllipse(QPointF(eye.center().x() + 0.5, eye.center().y() + 0.5), 2, 2);
            p.setRenderHint(QPainter::Antialiasing, false);
        }
        const QRect thumb = L.layerThumb[i];
        if (isBackground && !scene.backgroundHidden)
            p.drawImage(thumb, drawLandscape({ 48, 32 }, scene.adjust).scaled(thumb.size()));
        else
            checkerboard(p, thumb);
        if (i == 0 && scene.textLayer) {
            p.fillRect(thumb, QColor(240, 240, 240));
            text(p, thumb, "T", 14, Qt::AlignCenter, kInk, true);
        }
        if (i == 0 && scene.groupLayer) {
            p.fillRect(thumb, QColor(226, 226, 226));
            p.setPen(kInk);
            p.drawRect(thumb.adjusted(4, 5, -6, -4));
            p.drawLine(thumb.left() + 4, thumb.top() + 5, thumb.left() + 10, thumb.top() + 2);
        }
        if (i == 0 && scene.smartObject) {
            p.drawImage(thumb, drawLandscape({ 48, 32 }, scene.adjust).scaled(thumb.size()));
            p.fillRect(thumb.right() - 7, thumb.bottom() - 7, 7, 7, Qt::white);
            p.setPen(kInk);
            p.drawRect(thumb.right() - 7, thumb.bottom() - 7, 6, 6);
        }
        p.setPen(kInk);
        p.setBrush(Qt::NoBrush);
        p.drawRect(thumb.adjusted(0, 0, -1, -1));
        QFont f = uiFont(11);
        f.setItalic(isBackground);
        p.setFont(f);
        p.drawText(L.layerName[i], Qt::AlignLeft | Qt::AlignVCenter, scene.layers[i]);
        if (isBackground) {
            const QRect lock(L.layerRow[i].right() - 16, L.layerRow[i].top() + 8, 8, 7);
            p.fillRect(lock, QColor(120, 100, 40));
            p.drawArc(QRect(lock.left() + 1, lock.top() - 5, 6, 8), 0, 180 * 16);
        }
    }
    // Panel foot buttons: link, style, mask, adjustment, group, new layer, delete.
    const char* foot[] = { "∞", "fx", "◘", "◐", "▭", "+", "⌫" };
    for (int i = 0; i < 7; ++i) {
        const QRect r(640 + i * 22, 310, 18, 16);
        p.fillRect(r, QColor(230, 230, 230));
        bevel(p, r, false);
        text(p, r, foot[i], 10, Qt::AlignCenter);
    }
    // A collapsed panel under the layers.
    p.fillRect(QRect(dock.left() + 1, 334, 195, 18), QColor(196, 196, 196));
    text(p, QRect(dock.left() + 8, 334, 120, 18), "历史记录", 11);
    return image;
}

QRect DialogSpec::rect(const QString& key) const
{
    for (const auto& e : elements)
        if (e.key == key)
            return e.rect;
    throw std::runtime_error(
        "dialog " + name.toStdString() + " has no element " + key.toStdString());
}

QRect DialogSpec::screenRect(const QString& key) const { return rect(key).translated(screenPos); }

namespace {

    // The layer style dialog, one picture per page of its tab strip. The tabs stand where the
    // simulated window lays the strip's click areas out (row at 555 twips, 285 high, tabs from
    // 150, 1560 and 3030 to 4200); the cancel button is where the strip puts its back button.
    DialogSpec layerStylePage(int shown)
    {
        using E = DialogElement;
        DialogSpec page { QString("10500%1").arg(shown), "图层样式", { 410, 436 }, { 60, 100 },
            {} };
        auto& e = page.elements;
        const QString tabs[] = { "混合选项", "投影", "描边" };
        const int lefts[] = { 10, 104, 202, 280 };
        e.push_back({ E::Group, { 6, 55, 398, 344 }, "" });
        for (int k = 0; k < 3; ++k)
            e.push_back({ E::Tab, { lefts[k], 37, lefts[k + 1] - lefts[k], 19 }, tabs[k],
                QString("tab%1").arg(k + 1), k + 1 == shown });
        switch (shown) {
        case 1:
            e.push_back({ E::Group, { 16, 70, 378, 84 }, "常规混合" });
            e.push_back({ E::Label, { 28, 92, 80, 20 }, "混合模式(D):" });
            e.push_back({ E::Combo, { 116, 92, 150, 20 }, "正常" });
            e.push_back({ E::Label, { 28, 120, 80, 20 }, "不透明度(O):" });
            e.push_back({ E::Field, { 116, 120, 50, 20 }, "100" });
            e.push_back({ E::Label, { 170, 120, 20, 20 }, "%" });
            e.push_back({ E::Group, { 16, 164, 378, 110 }, "高级混合" });
            e.push_back({ E::Label, { 28, 186, 90, 20 }, "填充不透明度(F):" });
            e.push_back({ E::Field, { 126, 186, 50, 20 }, "100" });
            e.push_back({ E::Label, { 28, 214, 60, 20 }, "通道:" });
            e.push_back({ E::Check, { 80, 214, 40, 18 }, "R", "", true });
            e.push_back({ E::Check, { 124, 214, 40, 18 }, "G", "", true });
            e.push_back({ E::Check, { 168, 214, 40, 18 }, "B", "", true });
            e.push_back({ E::Label, { 28, 242, 60, 20 }, "挖空(N):" });
            e.push_back({ E::Combo, { 90, 242, 90, 20 }, "无" });
            break;
        case 2:
            e.push_back({ E::Group, { 16, 70, 378, 176 }, "结构" });
            e.push_back({ E::Label, { 28, 92, 80, 20 }, "混合模式(B):" });
            e.push_back({ E::Combo, { 116, 92, 150, 20 }, "正片叠底" });
            e.push_back({ E::Label, { 28, 120, 80, 20 }, "不透明度(O):" });
            e.push_back({ E::Field, { 116, 120, 50, 20 }, "75" });
            e.push_back({ E::Label, { 28, 148, 80, 20 }, "角度(A):" });
            e.push_back({ E::Anchor, { 116, 146, 30, 30 }, "" });
            e.push_back({ E::Field, { 156, 148, 50, 20 }, "120" });
            e.push_back({ E::Label, { 210, 148, 30, 20 }, "度" });
            e.push_back({ E::Label, { 28, 184, 80, 20 }, "距离(D):" });
            e.push_back({ E::Field, { 116, 184, 50, 20 }, "5" });
            e.push_back({ E::Label, { 170, 184, 30, 20 }, "像素" });
            e.push_back({ E::Label, { 28, 212, 80, 20 }, "大小(S):" });
            e.push_back({ E::Field, { 116, 212, 50, 20 }, "5" });
            e.push_back({ E::Label, { 170, 212, 30, 20 }, "像素" });
            e.push_back({ E::Group, { 16, 254, 378, 60 }, "品质" });
            e.push_back({ E::Label, { 28, 276, 80, 20 }, "杂色(N):" });
            e.push_back({ E::Field, { 116, 276, 50, 20 }, "0" });
            break;
        default:
            e.push_back({ E::Group, { 16, 70, 378, 150 }, "结构" });
            e.push_back({ E::Label, { 28, 92, 80, 20 }, "大小(S):" });
            e.push_back({ E::Field, { 116, 92, 50, 20 }, "3", "size" });
            e.push_back({ E::Label, { 170, 92, 30, 20 }, "像素" });
            e.push_back({ E::Label, { 28, 120, 80, 20 }, "位置(P):" });
            e.push_back({ E::Combo, { 116, 120, 100, 20 }, "外部", "position" });
            e.push_back({ E::Label, { 28, 148, 80, 20 }, "混合模式(B):" });
            e.push_back({ E::Combo, { 116, 148, 150, 20 }, "正常" });
            e.push_back({ E::Label, { 28, 176, 80, 20 }, "不透明度(O):" });
            e.push_back({ E::Field, { 116, 176, 50, 20 }, "100" });
            e.push_back({ E::Group, { 16, 228, 378, 60 }, "填充类型" });
            e.push_back({ E::Combo, { 28, 252, 90, 20 }, "颜色" });
            e.push_back({ E::Label, { 130, 252, 40, 20 }, "颜色:" });
            e.push_back({ E::Swatch, { 170, 252, 40, 18 }, "black" });
            break;
        }
        e.push_back({ E::Check, { 28, 376, 120, 18 }, "预览(V)", "", true });
        e.push_back({ E::DefaultButton, { 236, 409, 73, 19 }, "确定", "ok" });
        e.push_back({ E::Button, { 320, 409, 73, 19 }, "取消", "cancel" });
        return page;
    }

    // The colour settings dialog, one picture per page of its strip of four tabs (row at 540
    // twips, 300 high, tabs from 150, 930, 1770 and 2550 to 3480).
    DialogSpec colourSettingsPage(int shown)
    {
        using E = DialogElement;
        DialogSpec page { QString("10100%1").arg(shown), "颜色设置", { 400, 220 }, { 68, 110 },
            {} };
        auto& e = page.elements;
        const QString tabs[] = { "工作空间", "管理方案", "转换选项", "高级控制" };
        const int lefts[] = { 10, 62, 118, 170, 232 };
        e.push_back({ E::Group, { 6, 56, 388, 124 }, "" });
        for (int k = 0; k < 4; ++k)
            e.push_back({ E::Tab, { lefts[k], 36, lefts[k + 1] - lefts[k], 20 }, tabs[k],
                QString("tab%1").arg(k + 1), k + 1 == shown });
        const QString& name = tabs[shown - 1];
        e.push_back({ E::Group, { 16, 66, 368, 104 }, name });
        if (shown == 3) {
            e.push_back({ E::Label, { 28, 88, 60, 20 }, "引擎(N):" });
            e.push_back({ E::Combo, { 96, 88, 160, 20 }, "标准引擎", "engine" });
            e.push_back({ E::Label, { 28, 116, 60, 20 }, "意图(I):" });
            e.push_back({ E::Combo, { 96, 116, 160, 20 }, "可感知", "intent" });
            e.push_back({ E::Check, { 28, 144, 160, 18 }, "使用黑场补偿(U)", "", true });
        } else {
            e.push_back({ E::Label, { 28, 88, 60, 20 }, "RGB(R):" });
            e.push_back({ E::Combo, { 96, 88, 160, 20 }, name + "默认" });
            e.push_back({ E::Check, { 28, 116, 160, 18 }, "显示" + name + "提示", "", true });
        }
        e.push_back({ E::DefaultButton, { 236, 190, 73, 19 }, "确定", "ok" });
        e.push_back({ E::Button, { 316, 190, 73, 19 }, "取消", "cancel" });
        return page;
    }

    // The preferences dialog, one picture per page of its two-row tab strip of twelve tabs.
    // The tabs stand where the simulated window lays the strip out (rows at 510 and 810 twips,
    // 285 high; the row that holds the shown tab is the lower one, next to the page). The
    // dialog stands right of the toolbox, its buttons clear of the question panel.
    DialogSpec preferencesPage(int shown)
    {
        using E = DialogElement;
        DialogSpec page { QString("1040%1").arg(shown, 2, 10, QChar('0')), "首选项", { 430, 262 },
            { 68, 92 }, {} };
        auto& e = page.elements;
        const QString tabs[] = { "常规", "界面", "文件处理", "性能", "光标", "透明度", "单位与标尺",
            "参考线", "增效工具", "文字", "3D", "技术预览" };
        const int lefts[2][7]
            = { { 10, 89, 146, 215, 272, 341, 411 }, { 10, 75, 142, 209, 276, 343, 413 } };
        const int shownRow = shown > 6 ? 1 : 0;
        e.push_back({ E::Group, { 6, 73, 418, 153 }, "" });
        for (int row = 0; row < 2; ++row)
            for (int k = 0; k < 6; ++k) {
                const int tab = row * 6 + k + 1;
                e.push_back({ E::Tab,
                    { lefts[row][k], row == shownRow ? 54 : 34, lefts[row][k + 1] - lefts[row][k],
                        19 },
                    tabs[tab - 1], QString("tab%1").arg(tab), tab == shown });
            }
        const QString& name = tabs[shown - 1];
        e.push_back({ E::Group, { 16, 84, 398, 132 }, name });
        if (shown == 7) {
            e.push_back({ E::Label, { 28, 108, 80, 20 }, "标尺(R):" });
            e.push_back({ E::Combo, { 110, 108, 100, 20 }, "厘米", "rulers" });
            e.push_back({ E::Label, { 28, 136, 80, 20 }, "文字(Y):" });
            e.push_back({ E::Combo, { 110, 136, 100, 20 }, "点", "type" });
            e.push_back({ E::Label, { 28, 164, 80, 20 }, "列尺寸:" });
            e.push_back({ E::Field, { 110, 164, 60, 20 }, "180" });
            e.push_back({ E::Label, { 176, 164, 40, 20 }, "点" });
        } else {
            e.push_back({ E::Label, { 28, 108, 150, 20 }, name + "选项:" });
            e.push_back({ E::Combo, { 180, 108, 120, 20 }, "默认" });
            e.push_back({ E::Check, { 28, 136, 180, 18 }, "显示" + name + "提示", "", true });
            e.push_back({ E::Check, { 28, 162, 180, 18 }, "自动更新" + name, "", shown % 2 == 1 });
        }
        e.push_back({ E::DefaultButton, { 262, 234, 73, 19 }, "确定", "ok" });
        e.push_back({ E::Button, { 342, 234, 73, 19 }, "取消", "cancel" });
        return page;
    }

} // namespace

namespace {
    std::vector<DialogSpec> withTypedDialogs(std::vector<DialogSpec> specs);
}

const std::vector<DialogSpec>& dialogSpecs()
{
    using E = DialogElement;
    static const std::vector<DialogSpec> specs = withTypedDialogs({
        { "dg0001", "新建", { 420, 262 }, { 150, 110 },
            { { E::Label, { 16, 36, 74, 20 }, "名称(N):" },
                { E::Field, { 92, 36, 210, 20 }, "未标题-1", "name" },
                { E::Label, { 16, 64, 74, 20 }, "预设(P):" },
                { E::Combo, { 92, 64, 210, 20 }, "剪贴板" },
                { E::Label, { 16, 96, 74, 20 }, "宽度(W):" },
                { E::Field, { 92, 96, 90, 20 }, "480", "width" },
                { E::Combo, { 188, 96, 80, 20 }, "像素" },
                { E::Label, { 16, 122, 74, 20 }, "高度(H):" },
                { E::Field, { 92, 122, 90, 20 }, "320", "height" },
                { E::Combo, { 188, 122, 80, 20 }, "像素" },
                { E::Label, { 16, 148, 74, 20 }, "分辨率(R):" },
                { E::Field, { 92, 148, 90, 20 }, "72", "resolution" },
                { E::Combo, { 188, 148, 80, 20 }, "像素/英寸" },
                { E::Label, { 16, 174, 74, 20 }, "颜色模式(M):" },
                { E::Combo, { 92, 174, 90, 20 }, "RGB 颜色", "mode" },
                { E::Combo, { 188, 174, 80, 20 }, "8 位" },
                { E::Label, { 16, 200, 74, 20 }, "背景内容(C):" },
                { E::Combo, { 92, 200, 176, 20 }, "白色" },
                { E::Label, { 16, 230, 200, 20 }, "图像大小:   450.0K" },
                { E::DefaultButton, { 322, 36, 84, 24 }, "确定", "ok" },
                { E::Button, { 322, 66, 84, 24 }, "取消", "cancel" },
                { E::Button, { 322, 96, 84, 24 }, "存储预设(S)..." },
                { E::Button, { 322, 126, 84, 24 }, "删除预设(D)..." } } },
        { "dg0002", "图像大小", { 400, 292 }, { 160, 110 },
            { { E::Group, { 10, 30, 292, 80 }, "像素大小: 450.0K" },
                { E::Label, { 22, 50, 70, 20 }, "宽度(W):" },
                { E::Field, { 96, 50, 70, 20 }, "480", "pxWidth" },
                { E::Combo, { 172, 50, 60, 20 }, "像素" },
                { E::Label, { 22, 78, 70, 20 }, "高度(H):" },
                { E::Field, { 96, 78, 70, 20 }, "320", "pxHeight" },
                { E::Combo, { 172, 78, 60, 20 }, "像素" },
                { E::Icon, { 240, 52, 14, 44 }, "chain" },
                { E::Group, { 10, 118, 292, 106 }, "文档大小:" },
                { E::Label, { 22, 138, 70, 20 }, "宽度(D):" },
                { E::Field, { 96, 138, 70, 20 }, "16.93", "docWidth" },
                { E::Combo, { 172, 138, 60, 20 }, "厘米" },
                { E::Label, { 22, 164, 70, 20 }, "高度(G):" },
                { E::Field, { 96, 164, 70, 20 }, "11.29", "docHeight" },
                { E::Combo, { 172, 164, 60, 20 }, "厘米" },
                { E::Label, { 22, 192, 70, 20 }, "分辨率(R):" },
                { E::Field, { 96, 192, 70, 20 }, "72", "resolution" },
                { E::Combo, { 172, 192, 80, 20 }, "像素/英寸" },
                { E::Check, { 14, 230, 160, 18 }, "缩放样式(Y)", "", true },
                { E::Check, { 14, 250, 160, 18 }, "约束比例(C)", "", true },
                { E::Check, { 14, 270, 120, 18 }, "重定图像像素(I):", "", true },
                { E::Combo, { 136, 268, 166, 20 }, "两次立方(自动)" },
                { E::DefaultButton, { 312, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 312, 60, 78, 24 }, "取消", "cancel" },
                { E::Button, { 312, 90, 78, 24 }, "自动(A)..." } } },
        { "dg0003", "画布大小", { 380, 260 }, { 170, 110 },
            { { E::Group, { 10, 30, 272, 62 }, "当前大小: 450.0K" },
                { E::Label, { 24, 48, 200, 18 }, "宽度:   16.93 厘米" },
                { E::Label, { 24, 68, 200, 18 }, "高度:   11.29 厘米" },
                { E::Group, { 10, 100, 272, 122 }, "新建大小: 450.0K" },
                { E::Label, { 24, 120, 60, 20 }, "宽度(W):" },
                { E::Field, { 88, 120, 70, 20 }, "16.93", "width" },
                { E::Combo, { 164, 120, 70, 20 }, "厘米" },
                { E::Label, { 24, 146, 60, 20 }, "高度(H):" },
                { E::Field, { 88, 146, 70, 20 }, "11.29", "height" },
                { E::Combo, { 164, 146, 70, 20 }, "厘米" },
                { E::Check, { 88, 170, 80, 18 }, "相对(R)" },
                { E::Label, { 24, 192, 60, 20 }, "定位:" }, { E::Anchor, { 88, 188, 30, 30 }, "" },
                { E::Label, { 10, 232, 90, 20 }, "画布扩展颜色:" },
                { E::Combo, { 100, 232, 90, 20 }, "背景" },
                { E::Swatch, { 196, 232, 20, 20 }, "white" },
                { E::DefaultButton, { 292, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 292, 60, 78, 24 }, "取消", "cancel" } } },
        { "dg0004", "存储为", { 460, 290 }, { 72, 96 },
            { { E::Label, { 14, 34, 70, 20 }, "保存在(I):" },
                { E::Combo, { 86, 34, 240, 20 }, "图片", "place" },
                { E::Button, { 334, 32, 26, 24 }, "↑" },
                { E::Button, { 364, 32, 26, 24 }, "▣", "newFolder" },
                { E::Button, { 394, 32, 26, 24 }, "☰" },
                { E::FileList, { 14, 62, 432, 150 }, "", "list" },
                { E::Label, { 14, 222, 80, 20 }, "文件名(N):" },
                { E::Field, { 96, 222, 250, 20 }, "风景", "fileName" },
                { E::Label, { 14, 250, 80, 20 }, "格式(F):" },
                { E::Combo, { 96, 250, 250, 20 }, "JPEG (*.JPG;*.JPEG;*.JPE)" },
                { E::DefaultButton, { 362, 220, 84, 24 }, "保存(S)", "save" },
                { E::Button, { 362, 250, 84, 24 }, "取消", "cancel" } } },
        { "dg0005", "填充", { 360, 210 }, { 180, 130 },
            { { E::Group, { 10, 30, 252, 62 }, "内容" },
                { E::Label, { 22, 50, 70, 20 }, "使用(U):" },
                { E::Combo, { 92, 50, 150, 20 }, "前景色" },
                { E::Label, { 22, 72, 200, 18 }, "自定图案:" },
                { E::Group, { 10, 100, 252, 100 }, "混合" },
                { E::Label, { 22, 120, 70, 20 }, "模式(M):" },
                { E::Combo, { 110, 120, 132, 20 }, "正常" },
                { E::Label, { 22, 148, 86, 20 }, "不透明度(O):" },
                { E::Field, { 110, 148, 50, 20 }, "100", "opacity" },
                { E::Label, { 164, 148, 20, 20 }, "%" },
                { E::Check, { 22, 174, 150, 18 }, "保留透明区域(P)" },
                { E::DefaultButton, { 272, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 272, 60, 78, 24 }, "取消", "cancel" } } },
        { "dg0006", "描边", { 360, 250 }, { 180, 104 },
            { { E::Group, { 10, 30, 252, 66 }, "描边" },
                { E::Label, { 22, 48, 60, 20 }, "宽度(W):" },
                { E::Field, { 86, 48, 60, 20 }, "1 px", "width" },
                { E::Label, { 22, 72, 60, 20 }, "颜色:" },
                { E::Swatch, { 86, 72, 40, 18 }, "black" },
                { E::Group, { 10, 104, 252, 44 }, "位置" },
                { E::Radio, { 22, 122, 74, 18 }, "内部(I)", "", true },
                { E::Radio, { 98, 122, 74, 18 }, "居中(C)" },
                { E::Radio, { 174, 122, 74, 18 }, "居外(U)" },
                { E::Group, { 10, 156, 252, 86 }, "混合" },
                { E::Label, { 22, 174, 70, 20 }, "模式(M):" },
                { E::Combo, { 110, 174, 132, 20 }, "正常" },
                { E::Label, { 22, 200, 86, 20 }, "不透明度(O):" },
                { E::Field, { 110, 200, 50, 20 }, "100" }, { E::Label, { 164, 200, 20, 20 }, "%" },
                { E::Check, { 22, 222, 150, 18 }, "保留透明区域(P)" },
                { E::DefaultButton, { 272, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 272, 60, 78, 24 }, "取消", "cancel" } } },
        { "dg0007", "拾色器(前景色)", { 446, 294 }, { 110, 98 },
            { { E::Spectrum, { 12, 30, 240, 240 }, "" }, { E::Slider, { 260, 30, 18, 240 }, "hue" },
                { E::Swatch, { 290, 40, 60, 30 }, "black" },
                { E::Swatch, { 290, 70, 60, 30 }, "black" },
                { E::Label, { 290, 24, 60, 16 }, "新的" },
                { E::Label, { 290, 102, 60, 16 }, "当前" },
                { E::Label, { 290, 140, 20, 20 }, "H:" }, { E::Field, { 310, 140, 40, 20 }, "0" },
                { E::Label, { 290, 164, 20, 20 }, "S:" }, { E::Field, { 310, 164, 40, 20 }, "0" },
                { E::Label, { 290, 188, 20, 20 }, "B:" }, { E::Field, { 310, 188, 40, 20 }, "0" },
                { E::Label, { 360, 140, 20, 20 }, "R:" }, { E::Field, { 380, 140, 40, 20 }, "0" },
                { E::Label, { 360, 164, 20, 20 }, "G:" }, { E::Field, { 380, 164, 40, 20 }, "0" },
                { E::Label, { 360, 188, 20, 20 }, "B:" }, { E::Field, { 380, 188, 40, 20 }, "0" },
                { E::Label, { 290, 252, 16, 20 }, "#" },
                { E::Field, { 306, 252, 70, 20 }, "000000", "hex" },
                { E::DefaultButton, { 362, 30, 74, 24 }, "确定", "ok" },
                { E::Button, { 362, 60, 74, 24 }, "取消", "cancel" },
                { E::Button, { 362, 90, 74, 24 }, "颜色库" } } },
        { "dg0008", "亮度/对比度", { 420, 160 }, { 150, 150 },
            { { E::Label, { 16, 34, 60, 20 }, "亮度:" },
                { E::Field, { 250, 34, 56, 20 }, "0", "brightness" },
                { E::Slider, { 16, 58, 290, 12 }, "" }, { E::Label, { 16, 82, 60, 20 }, "对比度:" },
                { E::Field, { 250, 82, 56, 20 }, "0", "contrast" },
                { E::Slider, { 16, 106, 290, 12 }, "" },
                { E::Check, { 16, 132, 120, 18 }, "使用旧版(L)" },
                { E::DefaultButton, { 324, 30, 84, 24 }, "确定", "ok" },
                { E::Button, { 324, 60, 84, 24 }, "取消", "cancel" },
                { E::Button, { 324, 90, 84, 24 }, "自动(A)" },
                { E::Check, { 324, 124, 84, 18 }, "预览(P)", "", true } } },
        { "dg0009", "色相/饱和度", { 440, 250 }, { 120, 106 },
            { { E::Label, { 16, 32, 60, 20 }, "预设(E):" },
                { E::Combo, { 80, 32, 200, 20 }, "默认值" },
                { E::Combo, { 16, 62, 100, 20 }, "全图" },
                { E::Label, { 30, 92, 80, 20 }, "色相(H):" },
                { E::Field, { 250, 92, 56, 20 }, "0", "hue" },
                { E::Slider, { 30, 114, 276, 12 }, "rainbow" },
                { E::Label, { 30, 134, 80, 20 }, "饱和度(A):" },
                { E::Field, { 250, 134, 56, 20 }, "0", "saturation" },
                { E::Slider, { 30, 156, 276, 12 }, "" },
                { E::Label, { 30, 176, 80, 20 }, "明度(I):" },
                { E::Field, { 250, 176, 56, 20 }, "0", "lightness" },
                { E::Slider, { 30, 198, 276, 12 }, "" },
                { E::Check, { 330, 180, 90, 18 }, "着色(O)" },
                { E::Check, { 330, 200, 90, 18 }, "预览(P)", "", true },
                { E::DefaultButton, { 346, 30, 84, 24 }, "确定", "ok" },
                { E::Button, { 346, 60, 84, 24 }, "取消", "cancel" } } },
        { "dg0010", "高斯模糊", { 300, 300 }, { 168, 100 },
            { { E::Preview, { 14, 30, 188, 188 }, "" },
                { E::Label, { 14, 222, 188, 18 }, "－      100%      ＋" },
                { E::Label, { 14, 252, 62, 20 }, "半径(R):" },
                { E::Field, { 80, 252, 60, 20 }, "1.0", "radius" },
                { E::Label, { 146, 252, 40, 20 }, "像素" }, { E::Slider, { 14, 278, 270, 12 }, "" },
                { E::DefaultButton, { 212, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 212, 60, 78, 24 }, "取消", "cancel" },
                { E::Check, { 212, 94, 78, 18 }, "预览(P)", "", true } } },
        { "dg0011", "复制图层", { 400, 180 }, { 160, 140 },
            { { E::Label, { 16, 32, 200, 20 }, "复制:    背景" },
                { E::Label, { 16, 58, 50, 20 }, "为(A):" },
                { E::Field, { 70, 58, 220, 20 }, "背景 副本", "name" },
                { E::Group, { 10, 90, 292, 80 }, "目标" },
                { E::Label, { 22, 110, 60, 20 }, "文档(D):" },
                { E::Combo, { 86, 110, 200, 20 }, "风景.jpg" },
                { E::Label, { 22, 138, 60, 20 }, "名称(N):" },
                { E::Field, { 86, 138, 200, 20 }, "" },
                { E::DefaultButton, { 312, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 312, 60, 78, 24 }, "取消", "cancel" } } },
        { "dg0012", "图层属性", { 400, 130 }, { 160, 150 },
            { { E::Label, { 16, 36, 60, 20 }, "名称(N):" },
                { E::Field, { 80, 36, 210, 20 }, "图层 1", "name" },
                { E::Label, { 16, 70, 60, 20 }, "颜色(C):" },
                { E::Combo, { 80, 70, 110, 20 }, "无" },
                { E::DefaultButton, { 310, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 310, 60, 78, 24 }, "取消", "cancel" } } },
        { "dg0013", "图像编辑器", { 320, 124 }, { 210, 170 },
            { { E::Icon, { 18, 36, 34, 34 }, "warning" },
                { E::Label, { 62, 42, 250, 22 }, "要删除图层“图层 1”吗？" },
                { E::DefaultButton, { 126, 88, 84, 24 }, "是(Y)", "yes" },
                { E::Button, { 220, 88, 84, 24 }, "否(N)", "no" } } },
        { "dg0014", "关于", { 380, 230 }, { 170, 120 },
            { { E::Preview, { 10, 30, 360, 150 }, "about" },
                { E::Label, { 16, 186, 260, 18 }, "图像编辑器  版本 12.0 (模拟)" },
                { E::Label, { 16, 204, 260, 18 }, "本画面为练习用的示例图片。" },
                { E::DefaultButton, { 286, 194, 84, 24 }, "确定", "ok" } } },
        { "dg0015", "", { 240, 150 }, { 150, 120 }, { { E::Gradients, { 6, 6, 228, 138 }, "" } } },
        { "dg0016", "色彩范围", { 400, 250 }, { 150, 100 },
            { { E::Label, { 16, 32, 60, 20 }, "选择(C):" },
                { E::Combo, { 80, 32, 160, 20 }, "取样颜色" },
                { E::Label, { 16, 62, 90, 20 }, "颜色容差(F):" },
                { E::Field, { 250, 62, 50, 20 }, "40", "fuzziness" },
                { E::Slider, { 16, 86, 284, 12 }, "" },
                { E::Preview, { 60, 106, 200, 134 }, "mask" },
                { E::DefaultButton, { 310, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 310, 60, 78, 24 }, "取消", "cancel" },
                { E::Button, { 310, 90, 78, 24 }, "载入(L)..." },
                { E::Button, { 310, 120, 78, 24 }, "存储(S)..." } } },
        { "dg0017", "复制图像", { 380, 110 }, { 170, 150 },
            { { E::Label, { 16, 34, 220, 20 }, "复制:    风景.jpg" },
                { E::Label, { 16, 62, 50, 20 }, "为(A):" },
                { E::Field, { 70, 62, 200, 20 }, "风景 副本", "name" },
                { E::DefaultButton, { 290, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 290, 60, 78, 24 }, "取消", "cancel" } } },
        { "dg0018", "图像编辑器", { 360, 124 }, { 190, 170 },
            { { E::Icon, { 18, 36, 34, 34 }, "info" },
                { E::Label, { 62, 34, 290, 20 }, "要启用可重新编辑的智能滤镜，" },
                { E::Label, { 62, 54, 290, 20 }, "选中的图层将转换为智能对象。" },
                { E::DefaultButton, { 170, 88, 84, 24 }, "确定", "ok" },
                { E::Button, { 264, 88, 84, 24 }, "取消", "cancel" } } },
        { "dg0019", "段落", { 220, 150 }, { 380, 110 },
            { { E::Button, { 10, 30, 24, 22 }, "≡" }, { E::Button, { 36, 30, 24, 22 }, "☰" },
                { E::Button, { 62, 30, 24, 22 }, "≣" }, { E::Label, { 10, 62, 60, 20 }, "左缩进:" },
                { E::Field, { 70, 62, 50, 20 }, "0 点" },
                { E::Label, { 10, 88, 60, 20 }, "右缩进:" },
                { E::Field, { 70, 88, 50, 20 }, "0 点" },
                { E::Check, { 10, 120, 100, 18 }, "连字", "", true } } },
        { "dg0020", "直方图", { 220, 150 }, { 380, 110 },
            { { E::Histogram, { 10, 30, 200, 90 }, "" },
                { E::Label, { 10, 124, 200, 18 }, "通道: 颜色" } } },
        { "dg0021", "图像编辑器", { 340, 124 }, { 200, 170 },
            { { E::Icon, { 18, 36, 34, 34 }, "info" },
                { E::Label, { 62, 34, 270, 20 }, "无法连接到联机滤镜页面。" },
                { E::Label, { 62, 54, 270, 20 }, "请检查网络连接后再试。" },
                { E::DefaultButton, { 240, 88, 84, 24 }, "确定", "ok" } } },
        { "dg0022", "亮度/对比度", { 420, 160 }, { 150, 150 },
            { { E::Label, { 16, 34, 60, 20 }, "亮度:" },
                { E::Field, { 250, 34, 56, 20 }, "0", "brightness" },
                { E::Slider, { 16, 58, 290, 12 }, "bare", "brightnessSlider" },
                { E::Label, { 16, 82, 60, 20 }, "对比度:" },
                { E::Field, { 250, 82, 56, 20 }, "0", "contrast" },
                { E::Slider, { 16, 106, 290, 12 }, "" },
                { E::Check, { 16, 132, 120, 18 }, "使用旧版(L)" },
                { E::DefaultButton, { 324, 30, 84, 24 }, "确定", "ok" },
                { E::Button, { 324, 60, 84, 24 }, "取消", "cancel" },
                { E::Button, { 324, 90, 84, 24 }, "自动(A)" },
                { E::Check, { 324, 124, 84, 18 }, "预览(P)", "", true } } },
        layerStylePage(1),
        layerStylePage(2),
        layerStylePage(3),
        colourSettingsPage(1),
        colourSettingsPage(2),
        colourSettingsPage(3),
        colourSettingsPage(4),
        preferencesPage(1),
        preferencesPage(2),
        preferencesPage(3),
        preferencesPage(4),
        preferencesPage(5),
        preferencesPage(6),
        preferencesPage(7),
        preferencesPage(8),
        preferencesPage(9),
        preferencesPage(10),
        preferencesPage(11),
        preferencesPage(12),
        { "dg0023", "画笔", { 220, 160 }, { 380, 110 },
            { { E::Label, { 10, 28, 120, 20 }, "画笔笔尖形状" },
                { E::Label, { 10, 50, 200, 30 }, "·    •    ●    ●" },
                { E::Label, { 10, 90, 40, 20 }, "大小:" },
                { E::Field, { 150, 90, 60, 20 }, "13 px" }, { E::Slider, { 10, 116, 200, 12 }, "" },
                { E::Check, { 10, 136, 100, 18 }, "平滑", "", true } } },
        { "dg0024", "羽化选区", { 300, 96 }, { 200, 160 },
            { { E::Label, { 16, 40, 90, 20 }, "羽化半径(R):" },
                { E::Field, { 106, 40, 60, 20 }, "0", "radius" },
                { E::Label, { 170, 40, 30, 20 }, "像素" },
                { E::DefaultButton, { 212, 30, 78, 24 }, "确定", "ok" },
                { E::Button, { 212, 60, 78, 24 }, "取消", "cancel" } } },
        { "tp0001", "", { 230, 70 }, { 120, 486 },
            { { E::Label, { 8, 4, 220, 16 }, "宽度: 480 像素(16.93 厘米)" },
                { E::Label, { 8, 20, 220, 16 }, "高度: 320 像素(11.29 厘米)" },
                { E::Label, { 8, 36, 220, 16 }, "通道: 3(RGB 颜色, 8bpc)" },
                { E::Label, { 8, 52, 220, 16 }, "分辨率: 72 像素/英寸" } } },
        { "tp0002", "", { 150, 20 }, { 640, 148 },
            { { E::Label, { 6, 1, 140, 18 }, "创建新的曲线调整图层" } } },
        { "pg0001", "", { 240, 56 }, { 190, 250 },
            { { E::Label, { 10, 6, 220, 18 }, "正在应用 高斯模糊..." },
                { E::Slider, { 10, 30, 220, 14 }, "progress" } } },
    });
    return specs;
}

namespace {

    // A dialog as it stands after a typing step: its field holds what was typed, so the step
    // after it (a click on 确定) does not show the field's old default again.
    struct TypedDialog {
        const char* dialog;
        const char* field;
        const char* typed;
        const char* name;
    };
    constexpr TypedDialog kTypedDialogs[] = {
        { "dg0001", "name", "海报", "dt0001" },
        { "dg0004", "fileName", "春天", "dt0004" },
        { "dg0007", "hex", "ff0000", "dt0007" },
        { "dg0008", "contrast", "40", "dt0008" },
        { "dg0009", "hue", "180", "dt0009" },
        { "dg0011", "name", "山景", "dt0011" },
    };

    std::vector<DialogSpec> withTypedDialogs(std::vector<DialogSpec> specs)
    {
        for (const TypedDialog& t : kTypedDialogs) {
            auto base = std::find_if(specs.begin(), specs.end(),
                [&](const DialogSpec& d) { return d.name == QString::fromUtf8(t.dialog); });
            if (base == specs.end())
                throw std::runtime_error(std::string("no dialog ") + t.dialog);
            DialogSpec typed = *base;
            typed.name = QString::fromUtf8(t.name);
            bool found = false;
            for (DialogElement& e : typed.elements)
                if (e.key == QString::fromUtf8(t.field)) {
                    e.text = QString::fromUtf8(t.typed);
                    found = true;
                }
            if (!found)
                throw std::runtime_error(std::string("no field ") + t.field + " in " + t.dialog);
            specs.push_back(std::move(typed));
        }
        return specs;
    }

} // namespace

QString typedDialog(const QString& dialog, const QString& typed)
{
    for (const TypedDialog& t : kTypedDialogs)
        if (dialog == QString::fromUtf8(t.dialog) && typed == QString::fromUtf8(t.typed))
            return QString::fromUtf8(t.name);
    throw std::runtime_error(
        "no picture of " + dialog.toStdString() + " holding " + typed.toStdString());
}

const DialogSpec& dialogSpec(const QString& name)
{
    for (const auto& dialog : dialogSpecs())
        if (dialog.name == name)
            return dialog;
    throw std::runtime_error("no dialog " + name.toStdString());
}

std::vector<QRect> dialogButtons(const QString& picture)
{
    QString name = picture;
    for (const TypedDialog& t : kTypedDialogs)
        if (picture == QString::fromUtf8(t.name))
            name = QString::fromUtf8(t.dialog);
    std::vector<QRect> out;
    for (const auto& dialog : dialogSpecs())
        if (dialog.name == name)
            for (const DialogElement& e : dialog.elements)
                if (e.kind == DialogElement::Button || e.kind == DialogElement::DefaultButton)
                    out.push_back(e.rect);
    return out;
}

QImage drawDialog(const DialogSpec& dialog)
{
    using E = DialogElement;
    const bool framed = !dialog.title.isEmpty();
    QImage image = canvas(dialog.size, framed ? QColor(236, 236, 236) : QColor(255, 255, 225));
    QPainter p(&image);
    const QRect outer(0, 0, dialog.size.width(), dialog.size.height());
    if (framed) {
        QLinearGradient bar(0, 0, 0, 22);
        bar.setColorAt(0, QColor(214, 220, 230));
        bar.setColorAt(1, QColor(190, 198, 212));
        p.fillRect(QRect(0, 0, dialog.size.width(), 22), bar);
        text(p, QRect(8, 0, dialog.size.width() - 40, 22), dialog.title, 12,
            Qt::AlignLeft | Qt::AlignVCenter, kInk, true);
        text(p, QRect(dialog.size.width() - 24, 0, 18, 22), "×", 14, Qt::AlignCenter);
        p.setPen(QColor(100, 110, 130));
        p.drawRect(outer.adjusted(0, 0, -1, -1));
    } else {
        p.setPen(QColor(110, 110, 110));
        p.drawRect(outer.adjusted(0, 0, -1, -1));
    }
    for (const auto& e : dialog.elements) {
        const QRect r = e.rect;
        switch (e.kind) {
        case E::Label:
            text(p, r, e.text, 12);
            break;
        case E::Field:
            p.fillRect(r, Qt::white);
            bevel(p, r, true);
            text(p, r.adjusted(4, 0, -2, 0), e.text, 12);
            break;
        case E::Combo:
            p.fillRect(r, QColor(250, 250, 250));
            bevel(p, r, true);
            text(p, r.adjusted(4, 0, -16, 0), e.text, 12);
            p.fillRect(
                QRect(r.right() - 14, r.top() + 2, 12, r.height() - 4), QColor(226, 226, 226));
            triangleDown(p, QPoint(r.right() - 8, r.center().y()));
            break;
        case E::Button:
        case E::DefaultButton: {
            QLinearGradient face(r.topLeft(), r.bottomLeft());
            face.setColorAt(0, QColor(252, 252, 252));
            face.setColorAt(1, QColor(222, 222, 222));
            p.fillRect(r, face);
            p.setPen(e.kind == E::DefaultButton ? QColor(60, 100, 170) : QColor(140, 140, 140));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            if (e.kind == E::DefaultButton)
                p.drawRect(r.adjusted(1, 1, -2, -2));
            text(p, r, e.text, 12, Qt::AlignCenter);
            break;
        }
        case E::Check:
        case E::Radio: {
            const QRect box(r.left(), r.center().y() - 6, 12, 12);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(kFieldBorder);
            p.setBrush(Qt::white);
            if (e.kind == E::Check)
                p.drawRect(box);
            else
                p.drawEllipse(box);
            if (e.on) {
                p.setPen(QPen(kInk, 1.6));
                if (e.kind == E::Check) {
                    p.drawLine(box.left() + 2, box.center().y(), box.left() + 5, box.bottom() - 2);
                    p.drawLine(box.left() + 5, box.bottom() - 2, box.right() - 2, box.top() + 2);
                } else {
                    p.setBrush(kInk);
                    p.drawEllipse(box.center() + QPointF(0.5, 0.5), 2.5, 2.5);
                }
            }
            p.setRenderHint(QPainter::Antialiasing, false);
            text(p, r.adjusted(17, 0, 0, 0), e.text, 12);
            break;
        }
        case E::Group: {
            p.setPen(QColor(170, 170, 170));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 8, -1, -1));
            p.setPen(Qt::white);
            p.drawRect(r.adjusted(1, 9, -2, -2));
            p.setFont(uiFont(12));
            const int w = p.fontMetrics().horizontalAdvance(e.text) + 8;
            p.fillRect(QRect(r.left() + 8, r.top(), w, 16), QColor(236, 236, 236));
            text(p, QRect(r.left() + 12, r.top(), w, 16), e.text, 12);
            break;
        }
        case E::Swatch:
            p.fillRect(r, e.text == "black" ? QColor(Qt::black) : QColor(Qt::white));
            p.setPen(kInk);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            break;
        case E::Slider:
            if (e.text == "progress") {
                p.fillRect(r, Qt::white);
                bevel(p, r, true);
                p.fillRect(r.adjusted(2, 2, -r.width() / 3, -2), kHighlight);
            } else if (e.text == "hue") {
                QLinearGradient g(r.topLeft(), r.bottomLeft());
                const QColor stops[]
                    = { Qt::red, Qt::magenta, Qt::blue, Qt::cyan, Qt::green, Qt::yellow, Qt::red };
                for (int i = 0; i < 7; ++i)
                    g.setColorAt(i / 6.0, stops[i]);
                p.fillRect(r, g);
                triangleRight(p, QPoint(r.left() - 3, r.bottom() - 2), 4);
            } else {
                if (e.text == "rainbow") {
                    QLinearGradient g(r.topLeft(), r.topRight());
                    g.setColorAt(0, Qt::red);
                    g.setColorAt(0.5, Qt::cyan);
                    g.setColorAt(1, Qt::red);
                    p.fillRect(r.adjusted(0, 2, 0, -2), g);
                } else {
                    p.fillRect(r.adjusted(0, r.height() / 2 - 1, 0, -r.height() / 2 + 1),
                        QColor(150, 150, 150));
                }
                if (e.text != "bare") {
                    QPainterPath thumb;
                    const int x = r.center().x();
                    thumb.moveTo(x, r.center().y());
                    thumb.lineTo(x + 5, r.bottom() + 3);
                    thumb.lineTo(x - 5, r.bottom() + 3);
                    thumb.closeSubpath();
                    p.fillPath(thumb, kInk);
                }
            }
            break;
        case E::Preview:
            if (e.text == "about") {
                QLinearGradient g(r.topLeft(), r.bottomRight());
                g.setColorAt(0, QColor(30, 50, 90));
                g.setColorAt(1, QColor(90, 130, 190));
                p.fillRect(r, g);
                const QRect tile(r.left() + 20, r.top() + 30, 80, 70);
                p.fillRect(tile, QColor(40, 70, 130));
                paintToolIcon(p, tile.adjusted(16, 12, -16, -12), "brush");
                QFont font("Noto Serif CJK SC");
                font.setPixelSize(28);
                font.setBold(true);
                p.setFont(font);
                p.setPen(Qt::white);
                p.drawText(
                    r.adjusted(120, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, "图像编辑器");
            } else if (e.text == "mask") {
                QImage grey = drawLandscape(r.size(), Adjust::Grey);
                p.drawImage(r, grey);
            } else {
                p.drawImage(r, drawLandscape({ 480, 320 }).copy(150, 60, r.width(), r.height()));
            }
            p.setPen(kFieldBorder);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            break;
        case E::FileList: {
            p.fillRect(r, Qt::white);
            bevel(p, r, true);
            const QStringList names { "风景.jpg", "花朵.jpg", "海边.jpg", "夜景.png", "素描.bmp" };
            for (int i = 0; i < names.size(); ++i) {
                const QRect row(r.left() + 6 + (i / 4) * 140, r.top() + 6 + (i % 4) * 20, 130, 18);
                p.fillRect(QRect(row.left(), row.top() + 3, 14, 12), QColor(120, 160, 210));
                text(p, row.adjusted(18, 0, 0, 0), names[i], 12);
            }
            break;
        }
        case E::Spectrum: {
            QLinearGradient across(r.topLeft(), r.topRight());
            across.setColorAt(0, Qt::white);
            across.setColorAt(1, Qt::red);
            p.fillRect(r, across);
            QLinearGradient down(r.topLeft(), r.bottomLeft());
            down.setColorAt(0, QColor(0, 0, 0, 0));
            down.setColorAt(1, Qt::black);
            p.fillRect(r, down);
            p.setPen(Qt::white);
            p.drawEllipse(QPoint(r.left() + 4, r.bottom() - 4), 4, 4);
            break;
        }
        case E::Anchor:
            for (int i = 0; i < 9; ++i) {
                const QRect cell(r.left() + (i % 3) * 10, r.top() + (i / 3) * 10, 9, 9);
                p.fillRect(cell, i == 4 ? QColor(90, 90, 90) : Qt::white);
                p.setPen(kFieldBorder);
                p.drawRect(cell.adjusted(0, 0, -1, -1));
            }
            break;
        case E::Icon:
            p.setRenderHint(QPainter::Antialiasing);
            if (e.text == "chain") {
                p.setPen(QPen(kInk, 1.2));
                p.drawLine(r.left(), r.top() + 4, r.center().x(), r.top() + 4);
                p.drawLine(r.center().x(), r.top() + 4, r.center().x(), r.bottom() - 4);
                p.drawLine(r.left(), r.bottom() - 4, r.center().x(), r.bottom() - 4);
                p.drawRoundedRect(QRectF(r.center().x() - 3, r.center().y() - 6, 6, 12), 3, 3);
            } else {
                QPainterPath tri;
                if (e.text == "warning") {
                    tri.moveTo(r.center().x(), r.top());
                    tri.lineTo(r.right(), r.bottom());
                    tri.lineTo(r.left(), r.bottom());
                    tri.closeSubpath();
                    p.fillPath(tri, QColor(240, 190, 40));
                } else {
                    tri.addEllipse(r);
                    p.fillPath(tri, QColor(50, 110, 200));
                }
                text(p, r.adjusted(0, 4, 0, 0), e.text == "warning" ? "!" : "i", 18,
                    Qt::AlignCenter, e.text == "warning" ? kInk : QColor(Qt::white), true);
            }
            p.setRenderHint(QPainter::Antialiasing, false);
            break;
        case E::Histogram: {
            p.fillRect(r, Qt::white);
            p.setPen(kFieldBorder);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            const QImage land = drawLandscape({ 120, 80 });
            int bins[50] = {};
            for (int y = 0; y < land.height(); ++y)
                for (int x = 0; x < land.width(); ++x)
                    ++bins[qGray(land.pixel(x, y)) * 50 / 256];
            int most = 1;
            for (int b : bins)
                most = std::max(most, b);
            for (int i = 0; i < 50; ++i) {
                const int h = bins[i] * (r.height() - 4) / most;
                p.fillRect(r.left() + 2 + i * 4, r.bottom() - 1 - h, 4, h, QColor(60, 60, 60));
            }
            break;
        }
        case E::Tab: {
            const QRect face = e.on ? r : r.adjusted(0, 2, 0, 0);
            p.fillRect(face, e.on ? QColor(236, 236, 236) : QColor(214, 214, 214));
            p.setPen(QColor(150, 150, 150));
            p.drawLine(face.topLeft(), face.topRight());
            p.drawLine(face.topLeft(), face.bottomLeft());
            p.drawLine(face.topRight(), face.bottomRight());
            if (!e.on)
                p.drawLine(face.bottomLeft(), face.bottomRight());
            text(p, face, e.text, 12, Qt::AlignCenter, kInk, e.on);
            break;
        }
        case E::Gradients: {
            const QColor pairs[][2] = { { Qt::black, Qt::white }, { Qt::red, Qt::yellow },
                { Qt::blue, Qt::cyan }, { QColor(120, 60, 20), QColor(250, 220, 160) },
                { Qt::darkGreen, Qt::green }, { Qt::magenta, Qt::white },
                { QColor(255, 140, 0), QColor(120, 0, 120) }, { Qt::white, QColor(0, 0, 0, 0) } };
            for (int i = 0; i < 24; ++i) {
                const QRect cell(r.left() + (i % 6) * 38, r.top() + (i / 6) * 34, 34, 30);
                QLinearGradient g(cell.topLeft(), cell.topRight());
                g.setColorAt(0, pairs[i % 8][0]);
                g.setColorAt(1, pairs[(i + i / 8) % 8][1]);
                p.fillRect(cell, g);
                p.setPen(kFieldBorder);
                p.drawRect(cell.adjusted(0, 0, -1, -1));
            }
            break;
        }
        }
    }
    return image;
}

QImage drawSliderKnob()
{
    QImage image = canvas({ 11, 9 }, QColor(236, 236, 236));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath thumb;
    thumb.moveTo(5.5, 0);
    thumb.lineTo(11, 9);
    thumb.lineTo(0, 9);
    thumb.closeSubpath();
    p.fillPath(thumb, kInk);
    return image;
}

QImage drawSplash()
{
    QImage image = canvas({ 400, 200 }, Qt::black);
    QPainter p(&image);
    QImage land = drawLandscape({ 400, 200 }, Adjust::Darker);
    p.drawImage(0, 0, land);
    QLinearGradient veil(0, 0, 0, 200);
    veil.setColorAt(0, QColor(10, 30, 60, 200));
    veil.setColorAt(1, QColor(10, 30, 60, 90));
    p.fillRect(image.rect(), veil);
    p.setRenderHint(QPainter::Antialiasing);
    QFont title("Noto Serif CJK SC");
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 38, 400, 44), Qt::AlignCenter, "图像处理");
    text(p, QRect(0, 86, 400, 22), "计算机应用能力考试练习系统", 15, Qt::AlignCenter,
        QColor(220, 230, 245));
    p.fillRect(QRect(120, 116, 160, 2), QColor(255, 255, 255, 120));
    // The start-up line is laid over this area by the program itself (Top 2160 twips = 144 px).
    return image;
}

QImage drawLogo()
{
    QImage image = canvas({ 116, 23 }, QColor(192, 192, 192));
    QPainter p(&image);
    p.fillRect(QRect(0, 0, 23, 23), QColor(40, 70, 130));
    paintToolIcon(p, QRect(2, 2, 19, 19), "brush");
    text(p, QRect(28, 0, 88, 23), "练习模拟窗口", 12, Qt::AlignLeft | Qt::AlignVCenter,
        QColor(40, 40, 40), true);
    return image;
}

void paintLandscapeIcon(QPainter& p, const QRectF& box, const QColor& back, const QColor& photo)
{
    // Drawn on a 30-unit square and scaled to the box.
    const double u = box.width() / 30;
    const auto at = [&](double x, double y) { return box.topLeft() + QPointF(x * u, y * u); };
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(box, 5 * u, 5 * u);
    p.setBrush(photo);
    p.drawRect(QRectF(at(6, 7), QSizeF(18 * u, 14 * u)).toRect()); // whole pixels: no soft edge
    p.setBrush(QColor(80, 150, 90));
    QPainterPath hill;
    hill.moveTo(at(6, 21));
    hill.lineTo(at(13, 12));
    hill.lineTo(at(18, 17));
    hill.lineTo(at(21, 14));
    hill.lineTo(at(24, 21));
    hill.closeSubpath();
    p.drawPath(hill);
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(at(20, 10), 2 * u, 2 * u);
    p.restore();
}

QImage drawAppIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintLandscapeIcon(p, QRectF(1, 1, 30, 30), QColor(40, 70, 130), QColor(250, 250, 250));
    return image;
}

QImage drawPaperCard()
{
    QImage image = canvas({ 294, 80 }, QColor(250, 250, 250));
    QPainter p(&image);
    p.setPen(QColor(210, 215, 222));
    p.drawRect(0, 0, 293, 79);
    p.fillRect(QRect(1, 1, 4, 78), QColor(12, 127, 233));
    p.setPen(QColor(232, 234, 238));
    p.drawLine(8, 34, 286, 34);
    return image;
}

QImage drawRandomPaperPage()
{
    QImage image = canvas({ 600, 440 }, QColor(246, 248, 251));
    QPainter p(&image);
    p.setPen(QColor(210, 215, 222));
    p.drawRect(0, 0, 599, 439);
    QFont title("Noto Serif CJK SC");
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(12, 127, 233));
    p.drawText(QRect(0, 40, 600, 40), Qt::AlignCenter, "随机试卷");
    const QStringList lines { "从题库的全部单元中随机抽取 40 道题，",
        "组成一套新的试卷，按正式考试的方式练习：", "登录、50 分钟倒计时、交卷并评分。", "",
        "最近生成的 10 套随机试卷会保留在试卷列表中。" };
    for (int i = 0; i < lines.size(); ++i)
        text(p, QRect(80, 110 + i * 28, 460, 24), lines[i], 15, Qt::AlignLeft | Qt::AlignVCenter,
            QColor(64, 64, 64));
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        const QRectF sheet(90 + i * 26, 290 - i * 10, 110, 130);
        p.setPen(QColor(180, 186, 196));
        p.setBrush(Qt::white);
        p.drawRect(sheet);
        p.setPen(QColor(210, 214, 220));
        for (int k = 0; k < 6; ++k)
            p.drawLine(QPointF(sheet.left() + 12, sheet.top() + 20 + k * 16),
                QPointF(sheet.right() - 12, sheet.top() + 20 + k * 16));
    }
    return image;
}

QImage drawCursor(const QString& kind, QPoint* hotSpot)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen outline(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen ink(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto stroke = [&](const QPainterPath& path, bool fillBlack) {
        p.strokePath(path, outline);
        if (fillBlack)
            p.fillPath(path, Qt::black);
        p.strokePath(path, ink);
    };
    *hotSpot = QPoint(1, 1);
    if (kind == "arrow" || kind == "hand") {
        QPainterPath a;
        a.moveTo(1, 1);
        a.lineTo(1, 22);
        a.lineTo(6, 17);
        a.lineTo(10, 26);
        a.lineTo(13, 25);
        a.lineTo(9, 16);
        a.lineTo(16, 16);
        a.closeSubpath();
        if (kind == "arrow") {
            p.fillPath(a, Qt::white);
            p.strokePath(a, ink);
        } else {
            QPainterPath h;
            h.addRoundedRect(6, 12, 18, 14, 5, 5);
            for (int i = 0; i < 4; ++i)
                h.addRoundedRect(6 + i * 4.5, 4 + (i == 0 ? 4 : 0), 4, 12, 2, 2);
            p.fillPath(h.simplified(), Qt::white);
            p.strokePath(h.simplified(), ink);
            *hotSpot = QPoint(15, 15);
        }
    } else if (kind == "brush") {
        QPainterPath c;
        c.addEllipse(QPointF(15.5, 15.5), 9, 9);
        p.strokePath(c, outline);
        p.strokePath(c, ink);
        *hotSpot = QPoint(15, 15);
    } else if (kind == "eyedropper") {
        QPainterPath d;
        d.moveTo(2, 29);
        d.lineTo(19, 12);
        stroke(d, false);
        p.setPen(ink);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(23, 8), 5, 5);
        *hotSpot = QPoint(2, 29);
    } else if (kind == "zoom") {
        QPainterPath g;
        g.addEllipse(QPointF(12, 12), 9, 9);
        p.setBrush(Qt::white);
        p.setPen(ink);
        p.drawEllipse(QPointF(12, 12), 9, 9);
        QPainterPath handle;
        handle.moveTo(19, 19);
        handle.lineTo(29, 29);
        p.strokePath(handle, QPen(Qt::black, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.setPen(QPen(Qt::black, 1.6));
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
        *hotSpot = QPoint(12, 12);
    } else if (kind == "crosshair") {
        QPainterPath c;
        c.moveTo(15.5, 2);
        c.lineTo(15.5, 12);
        c.moveTo(15.5, 19);
        c.lineTo(15.5, 29);
        c.moveTo(2, 15.5);
        c.lineTo(12, 15.5);
        c.moveTo(19, 15.5);
        c.lineTo(29, 15.5);
        stroke(c, false);
        *hotSpot = QPoint(15, 15);
    } else {
        throw std::runtime_error("no cursor drawing " + kind.toStdString());
    }
    return image;
}

} // namespace samplegen
