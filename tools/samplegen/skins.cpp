// Skin pictures of the program's windows, drawn in one calm style: a blue title strip, light
// pages, rounded buttons whose words are part of the picture wherever the window sets no
// caption. Sizes are the windows' design sizes in pixels (15 twips to the pixel).
#include "skins.h"

#include "drawing.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace samplegen {

namespace {

    const QColor kAccent(36, 112, 196);
    const QColor kAccentDark(22, 78, 150);
    const QColor kStripTop(52, 128, 210);
    const QColor kStripBottom(28, 92, 170);
    const QColor kPage(244, 247, 251);
    const QColor kLine(205, 213, 224);
    const QColor kInk(51, 51, 51);
    const QColor kSoftInk(102, 102, 102);
    const QColor kOrange(226, 132, 36);
    const QColor kGreen(56, 150, 88);
    const QColor kRed(206, 64, 54);
    const QColor kDisabled(196, 200, 206);

    QImage blank(QSize size, QColor fill)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(fill);
        return image;
    }

    // The largest font up to `px` in which `words` fit `width`.
    QFont fitted(const QString& words, int width, int px, bool bold = false)
    {
        QFont font = uiFont(px, bold);
        while (px > 9 && QFontMetrics(font).horizontalAdvance(words) > width) {
            --px;
            font = uiFont(px, bold);
        }
        return font;
    }

    void words(QPainter& p, const QRectF& r, const QString& s, int px, const QColor& ink,
        bool bold = false, int align = Qt::AlignCenter)
    {
        p.setFont(fitted(s, static_cast<int>(r.width()) - 4, px, bold));
        p.setPen(ink);
        p.drawText(r, align, s);
    }

    void titleStrip(QPainter& p, const QRect& r)
    {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, kStripTop);
        g.setColorAt(1, kStripBottom);
        p.fillRect(r, g);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), kAccentDark);
    }

    // A page with a title strip of `stripHeight` and a thin frame: the backgrounds of the
    // message box, the about box, the updater and the question panel.
    QImage dialogBackground(QSize size, int stripHeight, QColor body = kPage)
    {
        QImage image = blank(size, body);
        QPainter p(&image);
        titleStrip(p, QRect(0, 0, size.width(), stripHeight));
        p.setPen(kAccentDark);
        p.drawRect(0, 0, size.width() - 1, size.height() - 1);
        return image;
    }

    // ---- button faces ----------------------------------------------------------------

    enum class Tone {
        Blue, // a command
        Light, // a quiet command or a list entry; dark words
        Orange, // examination and flag commands
        Green,
        Red, // the wrong-question book
        Title, // small glyph buttons on the blue title strip
    };

    // What the fourth frame shows. Most buttons grey out; the tabs, list entries and topics
    // are disabled to mark the one on show, so their fourth frame is the "chosen" look.
    enum class Fourth { Greyed, Chosen };

    using Glyph = std::function<void(QPainter&, const QRectF&, const QColor&)>;

    struct Face {
        QSize frame;
        Tone tone = Tone::Blue;
        QString text;
        int px = 13;
        Fourth fourth = Fourth::Greyed;
        Glyph glyph; // drawn above the words (or alone)
        bool bold = false;
    };

    QColor baseOf(Tone tone)
    {
        switch (tone) {
        case Tone::Blue:
            return kAccent;
        case Tone::Light:
            return QColor(252, 253, 255);
        case Tone::Orange:
            return kOrange;
        case Tone::Green:
            return kGreen;
        case Tone::Red:
            return kRed;
        case Tone::Title:
            return QColor(40, 108, 190);
        }
        return kAccent;
    }

    void paintFrame(QPainter& p, const QRect& cell, const Face& f, int state)
    {
        const QColor base = baseOf(f.tone);
        const bool light = f.tone == Tone::Light;
        QColor fill = base;
        QColor ink = light ? kInk : QColor(Qt::white);
        QColor border = light ? kLine : base.darker(135);
        if (state == 1) {
            fill = light ? QColor(226, 238, 252) : base.lighter(115);
            border = light ? kAccent : border;
        } else if (state == 2) {
            fill = light ? QColor(204, 222, 246) : base.darker(118);
            border = light ? kAccentDark : border;
        } else if (state == 3) {
            if (f.fourth == Fourth::Chosen) {
                fill = light ? kAccent : kPage;
                ink = light ? QColor(Qt::white) : kAccentDark;
                border = light ? kAccentDark : kPage;
            } else {
                fill = light ? QColor(236, 238, 241) : kDisabled;
                ink = light ? QColor(160, 164, 170) : QColor(245, 246, 248);
                border = light ? kLine : kDisabled.darker(115);
            }
        }
        p.save();
        p.setClipRect(cell);
        p.fillRect(cell, f.tone == Tone::Title ? baseOf(Tone::Title) : kPage);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF body = QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient g(body.topLeft(), body.bottomLeft());
        g.setColorAt(0, fill.lighter(state == 2 ? 100 : 108));
        g.setColorAt(1, fill);
        p.setBrush(g);
        p.setPen(f.tone == Tone::Title && state == 0 ? QPen(Qt::NoPen) : QPen(border));
        const qreal radius = std::min<qreal>(4, std::min(cell.width(), cell.height()) / 5.0);
        p.drawRoundedRect(body, radius, radius);
        p.setRenderHint(QPainter::Antialiasing, false);
        // The pressed face moves one pixel right and down, as the caption does.
        const QRectF inner = QRectF(cell).translated(state == 2 ? 1 : 0, state == 2 ? 1 : 0);
        if (f.glyph && !f.text.isEmpty()) {
            const qreal glyphSize = std::min(inner.width() * 0.5, inner.height() * 0.45);
            const QRectF g2(inner.center().x() - glyphSize / 2, inner.top() + inner.height() * 0.16,
                glyphSize, glyphSize);
            p.setRenderHint(QPainter::Antialiasing);
            f.glyph(p, g2, ink);
            p.setRenderHint(QPainter::Antialiasing, false);
            words(p,
                QRectF(inner.left(), g2.bottom() + inner.height() * 0.05, inner.width(),
                    inner.bottom() - g2.bottom() - inner.height() * 0.08),
                f.text, f.px, ink, f.bold);
        } else if (f.glyph) {
            p.setRenderHint(QPainter::Antialiasing);
            f.glyph(p, inner, ink);
        } else if (!f.text.isEmpty()) {
            words(p, inner, f.text, f.px, ink, f.bold);
        }
        p.restore();
    }

    QImage strip(const Face& f)
    {
        QImage image = blank(QSize(4 * f.frame.width(), f.frame.height()), kPage);
        QPainter p(&image);
        for (int k = 0; k < 4; ++k)
            paintFrame(p, QRect(QPoint(k * f.frame.width(), 0), f.frame), f, k);
        return image;
    }

    Face face(QSize frame, Tone tone, const QString& text, int px = 13)
    {
        Face f;
        f.frame = frame;
        f.tone = tone;
        f.text = text;
        f.px = px;
        return f;
    }

    // ---- glyphs ------------------------------------------------------------------------

    void minimiseGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, 2));
        const QPointF c = r.center();
        p.drawLine(QPointF(c.x() - 5, c.y() + 3), QPointF(c.x() + 5, c.y() + 3));
    }

    void closeGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, 2));
        const QPointF c = r.center();
        p.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
        p.drawLine(c + QPointF(-4.5, 4.5), c + QPointF(4.5, -4.5));
    }

    void bookGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, std::max<qreal>(1.5, r.width() / 22)));
        p.setBrush(Qt::NoBrush);
        const QRectF b = r.adjusted(
            r.width() * 0.08, r.height() * 0.15, -r.width() * 0.08, -r.height() * 0.12);
        QPainterPath path;
        path.moveTo(b.center().x(), b.top() + b.height() * 0.1);
        path.quadTo(b.left() + b.width() * 0.25, b.top() - b.height() * 0.05, b.left(), b.top());
        path.lineTo(b.left(), b.bottom() - b.height() * 0.1);
        path.quadTo(b.left() + b.width() * 0.25, b.bottom() - b.height() * 0.15, b.center().x(),
            b.bottom());
        path.quadTo(b.right() - b.width() * 0.25, b.bottom() - b.height() * 0.15, b.right(),
            b.bottom() - b.height() * 0.1);
        path.lineTo(b.right(), b.top());
        path.quadTo(b.right() - b.width() * 0.25, b.top() - b.height() * 0.05, b.center().x(),
            b.top() + b.height() * 0.1);
        path.lineTo(b.center().x(), b.bottom());
        p.drawPath(path);
    }

    void paperGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, std::max<qreal>(1.5, r.width() / 22)));
        p.setBrush(Qt::NoBrush);
        const QRectF s
            = r.adjusted(r.width() * 0.2, r.height() * 0.06, -r.width() * 0.2, -r.height() * 0.06);
        p.drawRoundedRect(s, 2, 2);
        for (int k = 0; k < 4; ++k) {
            const qreal y = s.top() + s.height() * (0.25 + 0.17 * k);
            p.drawLine(QPointF(s.left() + s.width() * 0.2, y),
                QPointF(s.right() - s.width() * (k == 3 ? 0.45 : 0.2), y));
        }
    }

    void starGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        QPainterPath star;
        const QPointF c = r.center();
        const qreal outer = std::min(r.width(), r.height()) * 0.48, inner = outer * 0.42;
        for (int k = 0; k < 10; ++k) {
            const qreal a = -M_PI / 2 + k * M_PI / 5;
            const qreal rad = k % 2 ? inner : outer;
            const QPointF pt(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
            k ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(ink, std::max<qreal>(1.5, r.width() / 22)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(star);
    }

    void crossBookGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        paperGlyph(p, r, ink);
        const qreal s = r.width() * 0.18;
        const QPointF c(r.right() - r.width() * 0.22, r.bottom() - r.height() * 0.2);
        p.setPen(QPen(ink, std::max<qreal>(2, r.width() / 16)));
        p.drawLine(c + QPointF(-s, -s), c + QPointF(s, s));
        p.drawLine(c + QPointF(-s, s), c + QPointF(s, -s));
    }

    void homeGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, std::max<qreal>(1.5, r.width() / 20)));
        p.setBrush(Qt::NoBrush);
        QPainterPath roof;
        roof.moveTo(r.left() + r.width() * 0.1, r.top() + r.height() * 0.5);
        roof.lineTo(r.center().x(), r.top() + r.height() * 0.12);
        roof.lineTo(r.right() - r.width() * 0.1, r.top() + r.height() * 0.5);
        p.drawPath(roof);
        p.drawRect(QRectF(r.left() + r.width() * 0.24, r.top() + r.height() * 0.46,
            r.width() * 0.52, r.height() * 0.42));
    }

    void arrowUpGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, 2));
        const QPointF c = r.center();
        p.drawLine(QPointF(c.x(), r.bottom() - 2), QPointF(c.x(), r.top() + 2));
        p.drawLine(QPointF(c.x() - r.width() * 0.3, r.top() + r.height() * 0.4),
            QPointF(c.x(), r.top() + 2));
        p.drawLine(QPointF(c.x() + r.width() * 0.3, r.top() + r.height() * 0.4),
            QPointF(c.x(), r.top() + 2));
    }

    void helpGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
        p.setFont(uiFont(static_cast<int>(r.height() * 0.7), true));
        p.drawText(r, Qt::AlignCenter, "?");
    }

    void globeGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, 1.6));
        p.setBrush(Qt::NoBrush);
        const QRectF g = r.adjusted(1, 1, -1, -1);
        p.drawEllipse(g);
        p.drawEllipse(g.adjusted(g.width() * 0.28, 0, -g.width() * 0.28, 0));
        p.drawLine(QPointF(g.left(), g.center().y()), QPointF(g.right(), g.center().y()));
    }

    void gearGlyph(QPainter& p, const QRectF& r, const QColor& ink)
    {
        p.setPen(QPen(ink, 1.4));
        p.setBrush(Qt::NoBrush);
        const QPointF c = r.center();
        const qreal rad = std::min(r.width(), r.height()) * 0.26;
        p.drawEllipse(c, rad, rad);
        for (int k = 0; k < 8; ++k) {
            const qreal a = k * M_PI / 4;
            p.drawLine(c + QPointF(rad * std::cos(a), rad * std::sin(a)),
                c + QPointF(rad * 1.6 * std::cos(a), rad * 1.6 * std::sin(a)));
        }
    }

    void checkBox(QPainter& p, const QRectF& box, bool checked, const QColor& ink)
    {
        p.setPen(QPen(checked ? kAccent : QColor(150, 158, 170), 1));
        p.setBrush(checked ? kAccent : QColor(Qt::white));
        p.drawRoundedRect(box, 2, 2);
        if (checked) {
            p.setPen(QPen(Qt::white, 2));
            p.drawLine(QPointF(box.left() + 3, box.center().y()),
                QPointF(box.left() + box.width() * 0.42, box.bottom() - 3));
            p.drawLine(QPointF(box.left() + box.width() * 0.42, box.bottom() - 3),
                QPointF(box.right() - 2.5, box.top() + 3));
        }
        Q_UNUSED(ink);
    }

    // A toggle of the favourites and wrong-question panels: a check box and its words.
    Face toggle(const QString& text, bool checked)
    {
        Face f = face({ 80, 30 }, Tone::Light, {});
        f.glyph = [text, checked](QPainter& p, const QRectF& r, const QColor& ink) {
            checkBox(p, QRectF(r.left() + 7, r.center().y() - 7, 14, 14), checked, ink);
            p.setRenderHint(QPainter::Antialiasing, false);
            words(p, QRectF(r.left() + 24, r.top(), r.width() - 26, r.height()), text, 13, ink,
                false, Qt::AlignLeft | Qt::AlignVCenter);
        };
        return f;
    }

    // A face that carries no words: the window sets a caption over it.
    Face plain(QSize frame, Tone tone, QColor fill = {})
    {
        Face f = face(frame, tone, {});
        if (fill.isValid())
            f.glyph = [fill](QPainter& p, const QRectF& r, const QColor&) {
                p.setPen(Qt::NoPen);
                p.setBrush(fill);
                p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 3, 3);
            };
        return f;
    }

    Face withGlyph(Face f, Glyph g)
    {
        f.glyph = std::move(g);
        return f;
    }

    Face chosenWhenDisabled(Face f)
    {
        f.fourth = Fourth::Chosen;
        return f;
    }

    // ---- pictures ----------------------------------------------------------------------

    QImage logo()
    {
        QImage image = blank({ 24, 24 }, kStripTop);
        QPainter p(&image);
        paintLandscapeIcon(p, QRectF(2, 2, 20, 20), Qt::white, kAccent);
        return image;
    }

    QImage messageIcon(bool question)
    {
        QImage image = blank({ 48, 48 }, kPage);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(question ? kAccent : kOrange);
        p.drawEllipse(QRectF(4, 4, 40, 40));
        p.setPen(Qt::white);
        p.setFont(uiFont(28, true));
        p.drawText(QRect(4, 3, 40, 40), Qt::AlignCenter, question ? "?" : "!");
        return image;
    }

    QImage homeBackground()
    {
        QImage image = blank({ 800, 600 }, kPage);
        QPainter p(&image);
        titleStrip(p, QRect(0, 0, 800, 110));
        p.fillRect(QRect(0, 570, 800, 30), QColor(232, 237, 244));
        p.setPen(kLine);
        p.drawLine(0, 570, 800, 570);
        return image;
    }

    QImage startPage()
    {
        QImage image = blank({ 800, 600 }, kPage);
        QPainter p(&image);
        QLinearGradient sky(0, 0, 0, 420);
        sky.setColorAt(0, kStripTop);
        sky.setColorAt(1, QColor(120, 172, 226));
        p.fillRect(QRect(0, 0, 800, 420), sky);
        // Soft hills behind the title, drawn rather than photographed.
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawEllipse(QRectF(-120, 300, 620, 260));
        p.setBrush(QColor(255, 255, 255, 30));
        p.drawEllipse(QRectF(360, 320, 620, 240));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(0, 420, 800, 180), kPage);
        p.setPen(kLine);
        p.drawLine(0, 420, 800, 420);
        words(p, QRect(24, 8, 500, 24), "全国专业技术人员计算机应用能力考试练习系统", 14,
            QColor(230, 240, 252), false, Qt::AlignLeft | Qt::AlignVCenter);
        QFont title("Noto Serif CJK SC");
        title.setPixelSize(40);
        title.setBold(true);
        p.setFont(title);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 70, 800, 60), Qt::AlignCenter, "图像处理模块");
        words(
            p, QRect(0, 130, 800, 30), "单元练习 · 模拟考试 · 错题复习", 17, QColor(225, 236, 250));
        // Link texts under the transparent click areas of the start page.
        const struct {
            QRect r;
            const char* text;
        } links[] = {
            { { 32, 438, 188, 18 }, "关于本练习系统" },
            { { 96, 458, 92, 18 }, "官方网站" },
            { { 202, 458, 92, 18 }, "备用网站" },
            { { 96, 496, 92, 20 }, "客服二" },
            { { 202, 496, 92, 20 }, "在线客服" },
        };
        for (const auto& l : links) {
            p.setFont(uiFont(13));
            p.setPen(kAccent);
            p.drawText(l.r, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(l.text));
        }
        words(p, QRect(520, 462, 228, 20), "升级 · 帮助 · 官网", 13, kSoftInk, false,
            Qt::AlignLeft | Qt::AlignVCenter);
        p.fillRect(QRect(0, 570, 800, 30), QColor(232, 237, 244));
        p.drawLine(0, 570, 800, 570);
        return image;
    }

    QImage tabStrip()
    {
        QImage image = blank({ 800, 110 }, kPage);
        QPainter p(&image);
        titleStrip(p, QRect(0, 0, 800, 110));
        p.fillRect(QRect(0, 108, 800, 2), kPage);
        return image;
    }

    QImage panelBackground()
    {
        QImage image = blank({ 800, 460 }, kPage);
        QPainter p(&image);
        p.setPen(kLine);
        p.drawLine(0, 459, 799, 459);
        return image;
    }

    QImage leftColumn()
    {
        QImage image = blank({ 181, 458 }, QColor(232, 238, 246));
        QPainter p(&image);
        p.setPen(kLine);
        p.drawLine(180, 0, 180, 457);
        return image;
    }

    QImage unitChart()
    {
        // Placed at (182, 112) of the unit panel; the bars stand on y = 370 of the panel and
        // are at most 238 high; the scope buttons lie over its foot at y = 380.
        const int base = 370 - 112;
        QImage image = blank({ 420, 300 }, kPage);
        QPainter p(&image);
        p.setPen(QColor(226, 231, 238));
        for (int k = 1; k <= 5; ++k)
            p.drawLine(150, base - k * 238 / 5, 410, base - k * 238 / 5);
        p.setPen(kSoftInk);
        p.drawLine(150, base, 410, base);
        p.drawLine(150, base - 238, 150, base);
        words(p, QRect(30, 2, 92, 18), "题目总数：", 13, kInk, false,
            Qt::AlignRight | Qt::AlignVCenter);
        p.fillRect(QRect(12, 60, 12, 12), kAccent);
        words(p, QRect(28, 57, 100, 18), "已学的题目", 12, kSoftInk, false,
            Qt::AlignLeft | Qt::AlignVCenter);
        p.fillRect(QRect(12, 84, 12, 12), kOrange);
        words(p, QRect(28, 81, 100, 18), "未学的题目", 12, kSoftInk, false,
            Qt::AlignLeft | Qt::AlignVCenter);
        words(p, QRect(12, 268, 100, 25), "练习范围：", 13, kInk, false,
            Qt::AlignRight | Qt::AlignVCenter);
        return image;
    }

    QImage unitTitleIcon()
    {
        QImage image = blank({ 60, 60 }, kPage);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(2, 2, 56, 56), 10, 10);
        bookGlyph(p, QRectF(12, 12, 36, 36), Qt::white);
        return image;
    }

    // The favourites and the wrong-question panel: the heading, a short note and the card
    // behind the two toggles, their counts and the two commands.
    QImage collectionFace(const QString& title, const QString& note, bool favourites)
    {
        QImage image = blank({ 800, 460 }, kPage);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(favourites ? kOrange : kRed);
        p.drawRoundedRect(QRectF(40, 40, 64, 64), 12, 12);
        if (favourites)
            starGlyph(p, QRectF(52, 52, 40, 40), Qt::white);
        else
            crossBookGlyph(p, QRectF(52, 52, 40, 40), Qt::white);
        p.setRenderHint(QPainter::Antialiasing, false);
        words(p, QRect(120, 44, 400, 30), title, 22, kInk, true, Qt::AlignLeft | Qt::AlignVCenter);
        words(p, QRect(120, 78, 640, 22), note, 13, kSoftInk, false,
            Qt::AlignLeft | Qt::AlignVCenter);
        p.setPen(kLine);
        p.setBrush(Qt::white);
        p.drawRect(QRect(360, 120, 400, 140));
        words(p, QRect(376, 126, 200, 20), "选择要练习的题目：", 13, kInk, false,
            Qt::AlignLeft | Qt::AlignVCenter);
        words(p, QRect(500, 157, 20, 16), "题", 13, kInk);
        words(p, QRect(500, 187, 20, 16), "题", 13, kInk);
        return image;
    }

    QImage loginPage()
    {
        QImage image = blank({ 800, 600 }, QColor(64, 128, 128));
        QPainter p(&image);
        QLinearGradient g(0, 0, 0, 600);
        g.setColorAt(0, QColor(58, 120, 124));
        g.setColorAt(1, QColor(36, 88, 96));
        p.fillRect(image.rect(), g);
        words(p, QRect(0, 70, 800, 40), "全国专业技术人员计算机应用能力考试", 26, Qt::white, true);
        words(p, QRect(0, 116, 800, 26), "图像处理模块 · 模拟考试", 17, QColor(220, 236, 236));
        const QRect card(180, 220, 440, 220);
        p.fillRect(card, QColor(246, 249, 250));
        p.fillRect(QRect(card.left(), card.top(), card.width(), 34), QColor(40, 100, 106));
        words(p, QRect(card.left(), card.top(), card.width(), 34), "考生登录", 16, Qt::white, true);
        words(p, QRect(230, 296, 104, 24), "座 位 号：", 15, kInk, true,
            Qt::AlignRight | Qt::AlignVCenter);
        words(p, QRect(230, 327, 104, 24), "身份证号：", 15, kInk, true,
            Qt::AlignRight | Qt::AlignVCenter);
        p.setPen(QColor(150, 170, 172));
        p.setBrush(Qt::white);
        p.drawRect(QRect(337, 295, 218, 25));
        p.drawRect(QRect(337, 326, 218, 25));
        // The two click areas lie over these faces.
        for (const auto& [r, text] : { std::pair { QRect(285, 376, 89, 33), "登 录" },
                 { QRect(444, 376, 89, 33), "退 出" } }) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QColor(30, 84, 90));
            p.setBrush(QColor(48, 118, 124));
            p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
            p.setRenderHint(QPainter::Antialiasing, false);
            words(p, r, QString::fromUtf8(text), 15, Qt::white, true);
        }
        words(p, QRect(0, 540, 800, 20), "请输入座位号和身份证号，然后单击“登录”。", 13,
            QColor(210, 230, 230));
        return image;
    }

    QImage loginConfirmPage()
    {
        QImage image = loginPage().copy();
        QPainter p(&image);
        QLinearGradient g(0, 0, 0, 600);
        g.setColorAt(0, QColor(58, 120, 124));
        g.setColorAt(1, QColor(36, 88, 96));
        p.fillRect(image.rect(), g);
        const QRect card(40, 130, 720, 270);
        p.fillRect(card, QColor(246, 249, 250));
        p.fillRect(QRect(card.left(), card.top(), card.width(), 30), QColor(40, 100, 106));
        words(p, QRect(card.left(), card.top(), card.width(), 30), "请核对考生信息", 15, Qt::white,
            true);
        const struct {
            int right, top;
            const char* text;
        } rows[] = {
            { 270, 174, "姓    名：" },
            { 270, 196, "座 位 号：" },
            { 270, 220, "场    次：" },
            { 165, 281, "考试科目：" },
            { 165, 306, "身份证号：" },
            { 165, 330, "档 案 号：" },
            { 165, 350, "考试日期：" },
        };
        for (const auto& r : rows)
            words(p, QRect(r.right - 110, r.top - 2, 110, 20), QString::fromUtf8(r.text), 15, kInk,
                true, Qt::AlignRight | Qt::AlignVCenter);
        words(p, QRect(0, 500, 800, 22), "正在进入考试，请稍候……", 15, Qt::white, true);
        p.fillRect(QRect(73, 531, 691, 14), QColor(28, 70, 76));
        return image;
    }

    QImage scoreSheet()
    {
        QImage image = blank({ 800, 600 }, QColor(246, 249, 254));
        QPainter p(&image);
        titleStrip(p, QRect(0, 0, 800, 90));
        words(p, QRect(0, 20, 800, 50), "考 试 成 绩 单", 28, Qt::white, true);
        p.setPen(kLine);
        p.setBrush(Qt::white);
        p.drawRect(QRect(150, 120, 500, 130));
        words(p, QRect(170, 132, 460, 24), "全国专业技术人员计算机应用能力考试 · 图像处理模块", 15,
            kInk, true);
        words(p, QRect(170, 170, 460, 20), "共 40 题，每题 2.5 分，满分 100 分，75 分及格。", 13,
            kSoftInk);
        words(p, QRect(170, 200, 460, 20), "单击下面的题号可以查看该题的题目。", 13, kSoftInk);
        // Under the number grid: the score line stands above it.
        words(p, QRect(150, 499, 500, 16), "答题情况：绿色为已完成，红色为未完成", 12, kSoftInk);
        return image;
    }

    // Faces of the question-number buttons: the program writes the number over them.
    Face numberFace(QColor fill)
    {
        Face f = plain({ 30, 30 }, Tone::Light, fill);
        return f;
    }

} // namespace

std::vector<SkinPicture> skinPictures()
{
    using F = PictureFormat;
    std::vector<SkinPicture> out;
    auto add = [&](const QString& name, const QImage& image, F format) {
        out.push_back({ name, image, format, 1 });
    };
    auto button = [&](const QString& name, const Face& f, F format = F::Png) {
        out.push_back({ name, strip(f), format, 4 });
    };

    // Shared by the message box, the about box, the updater, the option dialog and the
    // question panel.
    add("l20067", logo(), F::Png);
    add("l20069", dialogBackground({ 370, 250 }, 36), F::Bmp);
    add("l20070", dialogBackground({ 420, 280 }, 36), F::Png);
    add("l20071", messageIcon(true), F::Png);
    add("l20072", messageIcon(false), F::Gif);
    add("l01046", dialogBackground({ 332, 242 }, 30, QColor(240, 240, 240)), F::Bmp);

    // Home window: the 49 buttons 0 to 48 each load "l200" and their index, so every one
    // has a face, also those the window never shows.
    const QSize chromeButton { 22, 22 };
    const Face minimise = withGlyph(face(chromeButton, Tone::Title, {}), minimiseGlyph);
    const Face close = withGlyph(face(chromeButton, Tone::Title, {}), closeGlyph);
    button("l20000", face({ 90, 30 }, Tone::Light, "取消", 14));
    button("l20001", face({ 90, 30 }, Tone::Blue, "确定", 14));
    button("l20002", minimise);
    button("l20003", close);
    button("l20004", withGlyph(face({ 150, 150 }, Tone::Blue, "题库练习", 20), bookGlyph));
    button("l20005", withGlyph(face({ 150, 150 }, Tone::Green, "模拟考试", 20), paperGlyph));
    button("l20006", withGlyph(face({ 150, 160 }, Tone::Orange, "我的收藏", 20), starGlyph));
    button("l20007", withGlyph(face({ 150, 160 }, Tone::Red, "错题本", 20), crossBookGlyph));
    button("l20008", withGlyph(face({ 36, 55 }, Tone::Light, "升级", 12), arrowUpGlyph));
    button("l20009", plain({ 36, 55 }, Tone::Light), F::Bmp);
    button("l20010", plain({ 36, 55 }, Tone::Light), F::Bmp);
    button("l20011", withGlyph(face({ 36, 55 }, Tone::Light, "帮助", 12), helpGlyph));
    button("l20012", withGlyph(face({ 36, 55 }, Tone::Light, "官网", 12), globeGlyph));
    button("l20013", minimise);
    button("l20014", close);
    const char* const tabs[] = { "首页", "题库练习", "试卷", "我的收藏", "错题本" };
    const Glyph tabGlyphs[] = { homeGlyph, bookGlyph, paperGlyph, starGlyph, crossBookGlyph };
    for (int i = 0; i < 5; ++i) {
        Face tab = chosenWhenDisabled(
            withGlyph(face({ 82, 80 }, Tone::Title, QString::fromUtf8(tabs[i]), 14), tabGlyphs[i]));
        button("l2001" + QString::number(5 + i), tab);
    }
    button("l20020", face({ 120, 40 }, Tone::Blue, "开始练习", 16));
    button("l20021", face({ 120, 40 }, Tone::Blue, "生成新试卷", 16));
    button("l20022", face({ 120, 40 }, Tone::Blue, "开始练习", 16));
    button("l20023", face({ 80, 25 }, Tone::Light, "清空收藏", 12));
    button("l20024", face({ 120, 40 }, Tone::Blue, "开始练习", 16));
    button("l20025", face({ 80, 25 }, Tone::Light, "清空错题", 12));
    button("l20026", plain({ 60, 30 }, Tone::Light), F::Bmp);
    button("l20027", plain({ 60, 30 }, Tone::Light), F::Bmp);
    const char* const lists[] = { "冲刺试卷", "模拟试卷", "随机组卷", "我的随机试卷", "软件介绍",
        "备考指南", "考试大纲", "答题技巧", "常见问题" };
    for (int i = 0; i < 9; ++i)
        button("l200" + QString::number(28 + i),
            chosenWhenDisabled(face({ 180, 50 }, Tone::Light, QString::fromUtf8(lists[i]), 15)));
    const char* const scopes[] = { "全部", "已学", "未学" };
    for (int s = 0; s < 3; ++s) {
        button("l2003" + QString::number(7 + s),
            face({ 60, 25 }, Tone::Light, QString::fromUtf8(scopes[s]), 13));
        button("l2008" + QString::number(7 + s),
            face({ 60, 25 }, Tone::Blue, QString::fromUtf8(scopes[s]), 13));
    }
    const char* const reviewed[] = { "未复习", "已复习", "未复习", "已复习" };
    for (int j = 0; j < 4; ++j) {
        button("l2004" + QString::number(j), toggle(QString::fromUtf8(reviewed[j]), false));
        button("l2009" + QString::number(j), toggle(QString::fromUtf8(reviewed[j]), true));
    }
    button("l20044", chosenWhenDisabled(face({ 180, 58 }, Tone::Light, "全部单元", 17)));
    button("l20045", chosenWhenDisabled(plain({ 180, 35 }, Tone::Light)));
    button("l20046", plain({ 79, 37 }, Tone::Blue));
    button("l20086", plain({ 79, 37 }, Tone::Orange));
    button("l20047", face({ 85, 30 }, Tone::Blue, "开始练习", 13));
    button("l20048", face({ 85, 30 }, Tone::Green, "开始考试", 13));
    add("l20051", startPage(), F::Jpeg);
    add("l20052", tabStrip(), F::Png);
    add("l20053", panelBackground(), F::Png);
    add("l20054", leftColumn(), F::Bmp);
    add("l20055", unitChart(), F::Png);
    add("l20057",
        collectionFace("我的收藏",
            "练习时收藏的题目都在这里，可以只练未复习的、只练已复习的，或者全部再练一遍。", true),
        F::Png);
    add("l20058",
        collectionFace(
            "错题本", "练习和考试中没有完成的题目会自动收入错题本，反复练习直到熟练为止。", false),
        F::Png);
    add("l20060", homeBackground(), F::Jpeg);
    add("l20064", unitTitleIcon(), F::Png);
    // Updater.
    button("l20075", face({ 140, 30 }, Tone::Blue, "手动升级", 14));
    button("l20076", face({ 140, 30 }, Tone::Light, "暂不升级", 14));

    // Question panel: function buttons, number faces and page buttons.
    const struct {
        int width;
        const char* text;
        Tone tone;
    } functions[] = {
        { 48, "上一题", Tone::Blue },
        { 48, "下一题", Tone::Blue },
        { 58, "重做", Tone::Light },
        { 58, "标记", Tone::Light },
        { 48, "题号", Tone::Light },
        { 58, "结束练习", Tone::Orange },
        { 58, "步骤提示", Tone::Light },
        { 58, "演示", Tone::Green },
        { 58, "交卷", Tone::Orange },
        { 58, "考生信息", Tone::Light },
        { 58, "查看答案", Tone::Green },
        { 58, "取消标记", Tone::Light },
    };
    for (int i = 0; i < 12; ++i)
        button("l010" + QString::number(i).rightJustified(2, QChar('0')),
            face({ functions[i].width, 22 }, functions[i].tone,
                QString::fromUtf8(functions[i].text), 12));
    button("l01053", face({ 58, 22 }, Tone::Orange, "标记", 12));
    button("l01054", face({ 58, 22 }, Tone::Orange, "取消标记", 12));
    button("l01030", numberFace(QColor(252, 253, 255)), F::Gif);
    button("l01031", numberFace(QColor(214, 230, 250)), F::Gif);
    button("l01032", numberFace(QColor(252, 206, 150)), F::Gif);
    button("l01033", numberFace(QColor(190, 230, 198)), F::Gif);
    button("l01034", numberFace(QColor(246, 196, 190)), F::Gif);
    button("l01043", withGlyph(face({ 16, 18 }, Tone::Light, {}), gearGlyph));
    button("l01044", plain({ 58, 22 }, Tone::Light));
    button("l01045", face({ 55, 22 }, Tone::Light, "返回", 12));
    button("l01047", face({ 55, 22 }, Tone::Light, "上一页", 12));
    button("l01048", face({ 55, 22 }, Tone::Light, "下一页", 12));

    // Score sheet, view-answer notice and hand-in confirmations.
    button("l01035", face({ 128, 30 }, Tone::Blue, "本次考题复习", 14));
    button("l01036", face({ 128, 30 }, Tone::Orange, "本次错题复习", 14));
    button("l01037", face({ 58, 30 }, Tone::Light, "返回首页", 12));
    button("l01038", face({ 128, 30 }, Tone::Light, "继续考试", 14));
    button("l01039", face({ 128, 30 }, Tone::Orange, "我想立即看答案", 14));
    button("l01041", face({ 88, 28 }, Tone::Orange, "交卷", 14), F::Bmp);
    button("l01042", face({ 88, 28 }, Tone::Light, "取消", 14), F::Bmp);

    // Full-window pages of the login and the score sheet.
    add("9l0056", loginPage(), F::Jpeg);
    add("9l0057", loginConfirmPage(), F::Jpeg);
    add("9l0058", scoreSheet(), F::Png);
    return out;
}

} // namespace samplegen
