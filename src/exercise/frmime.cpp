#include "exercise/frmime.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "exercise/frmtm.h"
#include "platform/color.h"
#include "platform/keys.h"
#include "records/learnerrecords.h"
#include "widgets/msgbox.h"

#include <QPainter>

namespace exercise {

namespace {
    const QString kAdvice
        = QStringLiteral("如果输入文字时出现计算机考试***."
                         "exe遇到问题需要关闭时，说明您另外安装的输入法和本软件不兼容，"
                         "您可以取消调用输入法，在您需要输入汉字时，可以按Ctrl+"
                         "Shift键切换，或者点击电脑右下角的输入法"
                         "按钮。");
    constexpr int kSquarePixels = 13;
}

CheckBox::CheckBox(plat::Container& parent, QString name)
    : Box(parent, name)
    , Square(Box, name + QStringLiteral(".Square"))
    , Caption(Box, name + QStringLiteral(".Caption"))
{
    Caption.setBackStyle(0);
    Caption.setAutoSize(true);
    Square.setStretch(false);
    auto toggle = [this] { setValue(!value_); };
    Box.Click = toggle;
    Square.Click = toggle;
    Caption.Click = toggle;
    drawBox();
}

void CheckBox::move(double left, double top, double width, double height)
{
    Box.move(left, top, width, height);
    const double squareTwipsX = kSquarePixels * Square.tppX();
    const double squareTwipsY = kSquarePixels * Square.tppY();
    Square.move(2 * Square.tppX(), (height - squareTwipsY) / 2);
    Caption.move(squareTwipsX + 6 * Square.tppX(), (height - Caption.height()) / 2);
}

void CheckBox::setFont(const plat::FontSpec& f)
{
    Caption.setFont(f);
    Caption.setTop((Box.height() - Caption.height()) / 2);
}

void CheckBox::setBackColor(uint32_t c) { Box.setBackColor(c); }

void CheckBox::setValue(bool v)
{
    if (v == value_)
        return;
    value_ = v;
    drawBox();
    if (Click)
        Click();
}

void CheckBox::drawBox()
{
    QImage img(kSquarePixels, kSquarePixels, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(0, 0, kSquarePixels - 1, kSquarePixels - 1);
    if (value_) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 2));
        p.drawPolyline(QPolygonF({ { 3, 6.5 }, { 5.5, 9.5 }, { 10, 3.5 } }));
    }
    p.end();
    Square.setPicture(plat::Picture { img, {}, false });
}

FrmIMEUi::FrmIMEUi(plat::Form& f)
    : ImgLogo1(f.area(), QStringLiteral("ImgLogo1"))
    , lblMove(f.area(), QStringLiteral("lblMove"))
    , Label1(f.area(), QStringLiteral("Label1"))
    , Check1(f.area(), QStringLiteral("Check1"))
    , LblClick(f.area(), QStringLiteral("LblClick"))
{
    lblMove.setBackStyle(0);
    plat::Label& advice = Label1.create(0);
    advice.setBackStyle(0);
    advice.setWordWrap(true);
    advice.setCaption(kAdvice);
    plat::Label& title = Label1.create(2);
    title.setBackStyle(0);
    title.setAutoSize(true);
    title.setForeColor(plat::rgb(255, 255, 255));
    title.setCaption(QStringLiteral("输入法调用提示"));
    Check1.setCaption(QStringLiteral("调用输入法"));
    Check1.setBackColor(0xE1FFFF);
    Check1.setForeColor(0x0000FF);
    LblClick.create(0);
    LblClick.create(1);
}

FrmIME::FrmIME(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmIME"))
    , sys_(sys)
{
    setBorderless(true);
    setCentered(true);
}

void FrmIME::Form_Load()
{
    const shell::AppState& st = sys_.state;
    const double sx = st.ScaleX, sy = st.ScaleY;
    auto& ui = uiNoLoad();
    auto skin = [this](const char* name) { return sys_.skinFile(QLatin1String(name)); };

    sys_.logSkinFailure(setIcon(skin("l62011")));
    setCaption(st.ProductInfo[0] + st.ProductInfo[9] + QStringLiteral("——") + st.ModuleName
        + QStringLiteral("模块"));
    setWidth(6300 * sx);
    setHeight(4200 * sy);
    sys_.logSkinFailure(setPicture(skin("l20070")));
    ui.ImgLogo1.move(120 * sx, 90 * sy);
    sys_.logSkinFailure(ui.ImgLogo1.setPicture(skin("l20067")));
    ui.lblMove.move(0, 0, 5580 * sx, 540 * sy);
    ui.LblClick[0].move(width() - 420 * sx, 90 * sy, 330 * sx, 330 * sy);
    sys_.logSkinFailure(ui.LblClick[0].setPicture(skin("l20003")));
    ui.LblClick[1].move(4620 * sx, 3480 * sy, 1350 * sx, 450 * sy);
    sys_.logSkinFailure(ui.LblClick[1].setPicture(skin("l20001")));
    ui.Label1[0].move(720 * sx, 1440 * sy, 4695 * sx, 1215 * sy);
    ui.Label1[0].setFont({ QStringLiteral("宋体"), 9 * sx });
    ui.Check1.move(2400 * sx, 2520 * sy, 1455 * sx, 255 * sy);
    ui.Check1.setFont({ QStringLiteral("宋体"), 9 * sx });
    ui.Label1[2].move(600 * sx, 180 * sy);
    ui.Label1[2].setFont({ QStringLiteral("宋体"), 10 * sx });

    for (int i = 0; i <= 1; ++i)
        ui.LblClick[i].Click = [this] { unload(); };
    ui.lblMove.MouseDown = [this](int button, int, double, double) {
        if (button == plat::button::Left)
            startSystemMove();
    };
    ui.Check1.Click = [this] { Check1_Click(); };

    // Setting the box counts as a change: the file is written again and the option takes hold.
    const shell::ErrorSite site(sys_.state, QStringLiteral("frmime"));
    if (records::readImeOption(records::RecordsDir::of(sys_), site).checked)
        ui.Check1.setValue(true);
}

void FrmIME::Check1_Click()
{
    if (restoringBox_)
        return;
    shell::AppState& st = sys_.state;
    const bool on = ui().Check1.value();
    const shell::ErrorSite site(st, QStringLiteral("frmime"));
    if (!records::writeImeOption(records::RecordsDir::of(sys_), on, site)) {
        // An option that is not saved would be lost at the next start while the box claimed it:
        // the option stays as it was, and the box shows it so.
        widgets::ask(sys_, QStringLiteral("输入法调用提示"),
            QStringLiteral("\r\n\r\n输入法设置无法保存（记录文件夹只读或磁盘已满），"
                           "仍按原来的设置：")
                + (st.UseIme != 0 ? QStringLiteral("调用输入法。")
                                  : QStringLiteral("不调用输入法。")),
            widgets::kMsgIconEmpty);
        restoringBox_ = true;
        ui().Check1.setValue(st.UseIme != 0);
        restoringBox_ = false;
        return;
    }
    st.UseIme = on ? -1 : 0;
}

void FrmIME::Form_Unload(int&)
{
    // The panel unfolds at the simulated window's bottom-right corner again.
    sys_.form<FrmTm>().Command2_Click();
}

} // namespace exercise
