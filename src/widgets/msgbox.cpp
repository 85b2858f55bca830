#include "widgets/msgbox.h"

#include "core/system.h"
#include "platform/color.h"
#include "platform/keys.h"

namespace widgets {

FrmMTMSGBOXUi::FrmMTMSGBOXUi(plat::Form& f)
    : ImgLogo1(f.area(), QStringLiteral("ImgLogo1"))
    , LblTitle(f.area(), QStringLiteral("LblTitle"))
    , Image1(f.area(), QStringLiteral("Image1"))
    , LblPrompt(f.area(), QStringLiteral("LblPrompt"))
    , lblMove(f.area(), QStringLiteral("lblMove"))
    , LblClick(f.area(), QStringLiteral("LblClick"))
{
    LblTitle.setAutoSize(true);
    LblTitle.setBackStyle(0);
    LblTitle.setForeColor(plat::rgb(255, 255, 255));
    LblPrompt.setBackStyle(0);
    LblPrompt.setWordWrap(true);
    LblPrompt.setForeColor(plat::syscolor::ButtonText);
    lblMove.setBackStyle(0);
    for (int i = 0; i <= 3; ++i)
        LblClick.create(i);
}

FrmMTMSGBOX::FrmMTMSGBOX(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmMTMSGBOX"))
    , sys_(sys)
{
    setCentered(true);
}

void FrmMTMSGBOX::Form_Load()
{
    auto& ui = uiNoLoad();
    const shell::AppState& st = sys_.state;
    const double sx = st.ScaleX, sy = st.ScaleY;

    // A missing skin picture leaves its element empty; the box works all the same.
    setBorderless(true);
    sys_.logSkinFailure(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    setCaption(st.ProductInfo[0] + st.ProductInfo[9] + QStringLiteral("——") + st.ModuleName
        + QStringLiteral("模块"));
    move(left(), top(), 5550 * sx, 3750 * sy);
    sys_.logSkinFailure(setPicture(sys_.skinFile(QStringLiteral("l20069"))));
    ui.ImgLogo1.move(120 * sx, 90 * sy);
    sys_.logSkinFailure(ui.ImgLogo1.setPicture(sys_.skinFile(QStringLiteral("l20067"))));
    setTopMost(true);
    ui.LblTitle.move(600 * sx, 180 * sy);
    ui.LblTitle.setFont({ QStringLiteral("宋体"), 10 * sx });
    ui.LblPrompt.move(1200 * sx, 720 * sy, 4080 * sx, 1920 * sy);
    ui.LblPrompt.setFont({ QStringLiteral("宋体"), 10 * sx });
    ui.Image1.move(240 * sx, 690 * sy);
    ui.lblMove.move(0, 0, 4500 * sx, 540 * sy);
    ui.LblClick[0].move(3960 * sx, 2880 * sy, 1350 * sx, 450 * sy);
    ui.LblClick[1].move(2460 * sx, 2880 * sy, 1350 * sx, 450 * sy);
    ui.LblClick[3].move(width() - 420 * sx, 90 * sy, 330 * sx, 330 * sy);
    ui.LblClick[2].move(4560 * sx, 120 * sy, 330 * sx, 330 * sy);
    ui.LblClick[2].setVisible(false);
    for (int i = 0; i <= 3; ++i)
        sys_.logSkinFailure(
            ui.LblClick[i].setPicture(sys_.skinFile(QStringLiteral("l2000") + QString::number(i))));

    for (int i = 0; i <= 3; ++i)
        ui.LblClick[i].Click = [this, i] {
            if (i == 1)
                sys_.state.MsgResult = 1;
            unload();
        };
    ui.lblMove.MouseDown = [this](int button, int, double, double) {
        if (button == plat::button::Left)
            startSystemMove();
    };
}

bool ask(shell::System& sys, const QString& title, const QString& prompt, int icon)
{
    auto& box = sys.form<FrmMTMSGBOX>();
    // A box left loaded (hidden by an ended modal loop) would carry its old texts over.
    box.unload();
    sys.state.MsgResult = 0;
    box.ui().LblTitle.setCaption(title);
    if (icon == kMsgIconQuestion || icon == kMsgIconEmpty)
        sys.logSkinFailure(box.ui().Image1.setPicture(
            sys.skinFile(QStringLiteral("l2007") + QString::number(icon))));
    box.ui().LblPrompt.setCaption(prompt);
    box.show(true);
    return sys.state.MsgResult == 1;
}

} // namespace widgets
