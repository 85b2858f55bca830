// The practice window's list and location pickers and its dialog tab pages; the location
// list's design pictures, which the demonstration window shares.

#include "workspace/frmmain.h"

#include "core/system.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "workspace/pickers.h"

#include <QPainter>

#include <array>

namespace workspace {

namespace {
    using stepengine::StepRecord;
    namespace field = stepengine::field;

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
    constexpr double kListWidth = 3915; // design twips of the 261-pixel picture
    constexpr double kChosenTop = 45, kChosenLeftAtLoad = -120;
    constexpr double kOpenBelow = 3600; // a list lower than this counts as closed
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
        plat::Picture pic;
        pic.image = img;
        return pic;
    }

    plat::Picture drawHighlight(int row)
    {
        QImage img(kRows[row].row.highlightWidth, kRowPixels, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        drawRow(p, row, 0, true);
        p.end();
        plat::Picture pic;
        pic.image = img;
        return pic;
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
    list.setWidth(kListWidth * scaleX);
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

// The practice window --------------------------------------------------------------------------

void FrmMain::installPickers()
{
    auto& ui = this->ui();
    // The load has laid the rows out; the design pictures are drawn here. The box is as wide as
    // its picture on every display: a wider one, a child window, would cover the hint beside it.
    ui.PicList.setPicture(locationListPicture());
    ui.PicList.setWidth(kListWidth * sys_.state.ScaleX);
    for (int i = 0; i < kLocationRows; ++i) {
        ui.ImgLiN[i].setPicture(locationRowPicture(i));
        ui.ImgLiN[i].Click = engine_.judged(plat::Handler([this, i] { ImgLiN_Click(i); }));
        ui.LblADD[i].Click = engine_.judged(plat::Handler([this, i] { LblADD_Click(i); }));
        ui.LblADD[i].MouseMove = [this, i](int, int, double, double) { LblADD_MouseMove(i); };
    }
    // The box's click area lies above the chosen row's picture, which can be wider than half
    // the box: a click anywhere on the box opens or closes the list.
    ui.LblADDmyXZ.zOrder(0);
    ui.LblADDmyXZ.Click = engine_.judged(plat::Handler([this] { LblADDmyXZ_Click(); }));
    // Not judged by the press: the list stage's preset selection raises it within the load.
    ui.LstLA.Click = [this] { LstLA_Click(); };
    for (int i = 0; i <= 13; ++i)
        ui.LblXXK[i].Click = engine_.judged(plat::Handler([this, i] { LblXXK_Click(i); }));
}

void FrmMain::LstLA_Click()
{
    auto& ui = this->ui();
    ui.LblXXK[0].setCaption(ui.LstLA.list(ui.LstLA.listIndex()));
    const StepRecord r(sys_.state.StepLine);
    if (plat::val(r.text(field::AnswerLine)) != ui.LstLA.listIndex())
        return; // the wrong entry stays shown and the list waits
    ui.LstLA.setVisible(false);
    for (plat::PictureBox* strip : { &ui.PicLeft, &ui.PicRight, &ui.PicTop, &ui.PicBottom })
        strip->setVisible(false);
    ui.LblXXK[0].setCaption(QString());
    doNext();
}

void FrmMain::ImgLiN_Click(int16_t index)
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (workspace::chooseLocationRow(ui.PicList, ui.ImgLiN, ui.ImgSelAD, index,
            StepRecord(st.StepLine).actionCode(), st.ScaleX, st.ScaleY))
        doNext();
}

void FrmMain::LblADD_Click(int index) { ImgLiN_Click(static_cast<int16_t>(index)); }

void FrmMain::LblADD_MouseMove(int index)
{
    auto& ui = this->ui();
    for (int i = 0; i < kLocationRows; ++i)
        ui.ImgLiN[i].setVisible(false);
    ui.ImgLiN[index].setVisible(true);
}

void FrmMain::LblADDmyXZ_Click()
{
    const double sy = sys_.state.ScaleY;
    plat::PictureBox& list = ui().PicList;
    const bool closed = static_cast<float>(kOpenBelow * sy) > static_cast<float>(list.height());
    list.setHeight((closed ? stepengine::kLocationOpen : stepengine::kLocationClosed) * sy);
}

void FrmMain::DoubleXXK() { stepengine::layOutTabRows(ui().LblXXK, fields, sys_.state.ScaleY); }

void FrmMain::LblXXK_Click(int index)
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (index == 0) {
        // Back: a "Q" code counts back its last digit (0 or a non-digit: one step), never
        // below step 1, which would load another question's line; otherwise one step back.
        int16_t back = 0;
        if (BackCode.startsWith(u'Q')) {
            back = stepengine::readInt16(plat::right(BackCode, 1));
            if (back == 0)
                back = 1;
        } else if (st.CurrentStep > 1) {
            back = 1;
        }
        engine_.loadStep(static_cast<int16_t>(std::max(1, st.CurrentStep - back)));
        return;
    }

    plat::Image* hosts[] = { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5 };
    plat::Image* host = TabHostImage >= 1 && TabHostImage <= 5 ? hosts[TabHostImage - 1] : nullptr;
    if (host)
        stepengine::showTabPage(sys_, *host, plat::mid(TabSpec, 10 * index, 6));
    if (TabCount >= 10) {
        TabRowOrder = index > 6 ? 2 : 1;
        DoubleXXK();
    }
    plat::Label& area = ui.Label1;
    plat::Control* framed = &area;
    if (index == TabToClick) {
        if (host) {
            // The step's own picture of the host image; a kept one is the name last loaded.
            QString own
                = StepRecord(st.StepLine).text(stepengine::kImageGroups[TabHostImage - 1].name);
            if (own == stepengine::kKeepPicture)
                own = st.QuestionPictures(st.CurrentQuestion)[TabHostImage];
            host->setPicture(sys_.skinFile(own)).ignore();
        }
        area.setVisible(true);
        ui.LHelp.setCaption(SavedHint);
        area.setHeight(fields.TargetHeight * st.ScaleY);
        area.setWidth(fields.TargetWidth * st.ScaleX);
    } else {
        ui.LHelp.setCaption(
            QStringLiteral("请选择第") + QString::number(TabToClick) + QStringLiteral("个选项卡"));
        area.setHeight(1);
        area.setWidth(1);
        framed = &ui.LblXXK[TabToClick];
    }
    ui.Shape1.move(framed->left(), framed->top(), framed->width(), framed->height());
    QString caption = ui.LHelp.caption();
    caption.replace(u'|', QStringLiteral("\r\n"));
    ui.LHelp.setCaption(caption);
}

} // namespace workspace
