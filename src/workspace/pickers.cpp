// The location list of a file dialog as both simulated windows show it: its rows and the
// pictures of the window's design, drawn once.

#include "workspace/pickers.h"

#include "platform/font.h"
#include "platform/text.h"
#include "stepengine/stepengine.h"
#include "stepengine/steprecord.h"

#include <QPainter>

#include <array>

namespace workspace {

namespace {
    // The rows as the list picture shows them; the level indents a row by 10 pixels.
    enum class Icon {
        Recent,
        Desktop,
        Folder,
        Computer,
        Floppy,
        Disk,
        Optical,
        Removable,
        Network
    };
    struct RowArt {
        LocationRow row;
        Icon icon;
    };
    const std::array<RowArt, kLocationRows> kRows { {
        { { u"我最近的文档", 0, 97 }, Icon::Recent },
        { { u"桌面", 0, 49 }, Icon::Desktop },
        { { u"我的文档", 1, 83 }, Icon::Folder },
        { { u"我的电脑", 1, 83 }, Icon::Computer },
        { { u"3.5 软盘 (A:)", 2, 123 }, Icon::Floppy },
        { { u"本地磁盘 (C:)", 2, 123 }, Icon::Disk },
        { { u"本地磁盘 (D:)", 2, 123 }, Icon::Disk },
        { { u"本地磁盘 (E:)", 2, 123 }, Icon::Disk },
        { { u"本地磁盘 (F:)", 2, 123 }, Icon::Disk },
        { { u"DVD-RAM 驱动器 (G:)", 2, 159 }, Icon::Optical },
        { { u"可移动磁盘 (H:)", 2, 135 }, Icon::Removable },
        { { u"共享文档", 2, 93 }, Icon::Folder },
        { { u"My Documents", 2, 117 }, Icon::Folder },
        { { u"网上邻居", 1, 83 }, Icon::Network },
    } };

    // Design geometry of the list, twips and pixels.
    constexpr QSize kListPixels { 261, 248 };
    constexpr int kBoxPixels = 22; // the closed box: 330 twips
    constexpr int kFirstRowPixel = 23; // 345 twips
    constexpr int kRowPixels = 16; // 240 twips
    constexpr int kIndentPixels = 10;
    constexpr int kTextPixel = 20; // text after the icon, from the row's indentation
    constexpr double kRowTop = 345, kRowPitch = 240, kRowWidth = 3900;
    constexpr double kChosenTop = 45, kChosenLeftAtLoad = -120;
    const QColor kHighlight(49, 106, 197);
    const QColor kFrame(127, 157, 185);

    void drawIcon(QPainter& p, Icon icon, int x, int y)
    {
        const QRect r(x + 1, y + 2, 13, 11);
        p.setPen(QColor(60, 60, 60));
        switch (icon) {
        case Icon::Folder:
        case Icon::Recent:
            p.fillRect(r, QColor(240, 200, 80));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            if (icon == Icon::Recent)
                p.fillRect(QRect(x + 6, y + 6, 6, 5), QColor(70, 130, 220));
            break;
        case Icon::Desktop:
        case Icon::Computer:
            p.fillRect(r.adjusted(0, 0, 0, -3), QColor(90, 150, 220));
            p.drawRect(r.adjusted(0, 0, -1, -4));
            p.fillRect(QRect(x + 4, y + 11, 7, 2), QColor(120, 120, 120));
            break;
        case Icon::Network:
            p.fillRect(QRect(x + 1, y + 3, 6, 5), QColor(90, 150, 220));
            p.fillRect(QRect(x + 8, y + 7, 6, 5), QColor(90, 150, 220));
            p.drawLine(x + 4, y + 8, x + 9, y + 8);
            break;
        case Icon::Floppy:
            p.fillRect(r, QColor(70, 70, 90));
            p.fillRect(QRect(x + 4, y + 3, 7, 4), QColor(220, 220, 220));
            break;
        case Icon::Disk:
        case Icon::Removable:
            p.fillRect(QRect(x + 1, y + 5, 13, 6), QColor(190, 190, 190));
            p.drawRect(QRect(x + 1, y + 5, 12, 5));
            p.fillRect(QRect(x + 10, y + 7, 2, 2),
                icon == Icon::Disk ? QColor(40, 180, 60) : QColor(220, 140, 40));
            break;
        case Icon::Optical:
            p.setBrush(QColor(200, 200, 215));
            p.drawEllipse(QRect(x + 2, y + 2, 11, 11));
            p.setBrush(Qt::white);
            p.drawEllipse(QRect(x + 6, y + 6, 3, 3));
            p.setBrush(Qt::NoBrush);
            break;
        }
    }

    // One row at (0, y) of a picture: indentation, icon, text; highlighted or plain.
    void drawRow(QPainter& p, int row, int y, bool highlighted)
    {
        const RowArt& art = kRows[row];
        const int indent = art.row.level * kIndentPixels;
        drawIcon(p, art.icon, indent, y);
        const QString text = QString::fromUtf16(art.row.name);
        p.setFont(plat::toQFont({ QStringLiteral("宋体"), 9 }));
        const int textWidth = p.fontMetrics().horizontalAdvance(text) + 4;
        const QRect textRect(indent + kTextPixel - 2, y, textWidth, kRowPixels);
        if (highlighted)
            p.fillRect(textRect, kHighlight);
        p.setPen(highlighted ? Qt::white : Qt::black);
        p.drawText(textRect.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    }

    plat::Picture drawList()
    {
        QImage img(kListPixels, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        // The closed box with its drop button.
        p.setPen(kFrame);
        p.drawRect(0, 0, kListPixels.width() - 1, kBoxPixels - 1);
        const QRect button(kListPixels.width() - 18, 2, 16, kBoxPixels - 4);
        p.fillRect(button, QColor(193, 211, 251));
        p.setPen(QColor(77, 97, 133));
        p.setBrush(QColor(77, 97, 133));
        const QPoint c = button.center();
        const QPoint arrow[]
            = { { c.x() - 4, c.y() - 2 }, { c.x() + 4, c.y() - 2 }, { c.x(), c.y() + 2 } };
        p.drawPolygon(arrow, 3);
        p.setBrush(Qt::NoBrush);
        // The dropped list below it.
        p.setPen(Qt::black);
        p.drawRect(
            0, kFirstRowPixel - 1, kListPixels.width() - 1, kListPixels.height() - kFirstRowPixel);
        for (int row = 0; row < kLocationRows; ++row)
            drawRow(p, row, kFirstRowPixel + row * kRowPixels, false);
        p.end();
        return plat::Picture(img);
    }

    plat::Picture drawHighlight(int row)
    {
        QImage img(kRows[row].row.highlightWidth, kRowPixels, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        drawRow(p, row, 0, true);
        p.end();
        return plat::Picture(img);
    }
}

const LocationRow& locationRow(int row)
{
    static const LocationRow none {};
    return row >= 0 && row < kLocationRows ? kRows[row].row : none;
}

const plat::Picture& locationListPicture()
{
    static const plat::Picture list = drawList();
    return list;
}

const plat::Picture& locationRowPicture(int row)
{
    static const std::array<plat::Picture, kLocationRows> rows = [] {
        std::array<plat::Picture, kLocationRows> r;
        for (int i = 0; i < kLocationRows; ++i)
            r[i] = drawHighlight(i);
        return r;
    }();
    static const plat::Picture none;
    return row >= 0 && row < kLocationRows ? rows[row] : none;
}

void layOutLocationList(plat::PictureBox& list, plat::Label& box,
    plat::ControlArray<plat::Label>& rowAreas, plat::ControlArray<plat::Image>& rowPictures,
    plat::Image& chosen, double scaleX, double scaleY)
{
    list.setPicture(locationListPicture());
    list.setWidth(kLocationListWidth * scaleX);
    for (int i = 0; i < kLocationRows; ++i) {
        plat::Label& area = rowAreas[i];
        area.move(0, (kRowPitch * i + kRowTop) * scaleY, kRowWidth * scaleX, kRowPitch * scaleY);
        area.setCaption(QString());
        plat::Image& picture = rowPictures[i];
        picture.setPicture(locationRowPicture(i));
        picture.setVisible(false);
        picture.move(0, area.top());
    }
    chosen.move(kChosenLeftAtLoad * scaleX, kChosenTop * scaleY);
    box.move(0, 0, kRowWidth * scaleX, stepengine::kLocationClosed * scaleY);
    list.setHeight(stepengine::kLocationClosed * scaleY);
    list.setVisible(false);
}

bool chooseLocationRow(plat::PictureBox& list, plat::ControlArray<plat::Image>& rowPictures,
    plat::Image& chosen, int row, const QString& actionCode, double scaleX, double scaleY)
{
    chosen.setLeft(stepengine::locationRowOffset(row) * scaleX);
    chosen.setPicture(rowPictures[row].picture());
    // Closed like frmCsh closes it: a height, so ScaleY.
    list.setHeight(stepengine::kLocationClosed * scaleY);
    return stepengine::readInt16(plat::mid(actionCode, 3, 2)) == row;
}

} // namespace workspace
