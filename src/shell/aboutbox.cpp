#include "shell/aboutbox.h"

#include "core/system.h"
#include "platform/color.h"
#include "platform/keys.h"
#include "platform/runtime.h"

#include <QDir>

namespace shell {

namespace {
    const QString kSongTi = QStringLiteral("宋体");
}

FrmAboutUi::FrmAboutUi(plat::Form& f)
    : ImgLogo1(f.area(), QStringLiteral("ImgLogo1"))
    , Label1(f.area(), QStringLiteral("Label1"))
    , Line1(f.area(), QStringLiteral("Line1"))
    , lblMove(f.area(), QStringLiteral("lblMove"))
    , LblClick(f.area(), QStringLiteral("LblClick"))
{
    for (int i : { 0, 1, 2, 3, 4, 6 }) {
        plat::Label& l = Label1.create(i);
        l.setBackStyle(0);
        l.setAutoSize(i != 3);
    }
    Label1[3].setWordWrap(true);
    Label1[2].setForeColor(plat::rgb(255, 255, 255));
    Label1[1].setForeColor(plat::rgb(12, 127, 233));
    Label1[4].setForeColor(plat::rgb(255, 0, 0));
    Label1[4].setFont({ kSongTi, 12, true });
    Line1.create(4).setBorderColor(plat::rgb(128, 128, 128));
    Line1.create(3).setBorderColor(plat::rgb(255, 255, 255));
    lblMove.setBackStyle(0);
    LblClick.create(0);
    LblClick.create(1);
}

FrmAbout::FrmAbout(System& sys)
    : FormWith(sys, QStringLiteral("FrmAbout"))
    , sys_(sys)
{
    setCentered(true);
}

void FrmAbout::Form_Load()
{
    auto& ui = uiNoLoad();
    const AppState& st = sys_.state;
    const double sx = st.ScaleX, sy = st.ScaleY;

    // Every step that fails (a missing picture) is skipped; its control stays empty.
    setBorderless(true);
    sys_.logSkinFailure(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    setCaption(st.ProductInfo[0] + st.ProductInfo[9] + QStringLiteral("——") + st.ModuleName
        + QStringLiteral("模块"));
    move(left(), top(), 6300 * sx, 4200 * sy);
    sys_.logSkinFailure(setPicture(sys_.skinFile(QStringLiteral("l20070"))));
    setTopMost(true);
    ui.ImgLogo1.move(120 * sx, 90 * sy);
    sys_.logSkinFailure(ui.ImgLogo1.setPicture(sys_.skinFile(QStringLiteral("l20067"))));
    ui.Label1[1].setCaption(st.ProductInfo[0] + st.ProductInfo[9]);
    ui.Label1[2].setCaption(ui.Label1[1].caption());
    ui.lblMove.move(0, 0, 5580 * sx, 540 * sy);
    ui.LblClick[0].move(width() - 420 * sx, 90 * sy, 330 * sx, 330 * sy);
    ui.LblClick[1].move(4680 * sx, 3480 * sy, 1350 * sx, 450 * sy);
    sys_.logSkinFailure(ui.LblClick[0].setPicture(sys_.skinFile(QStringLiteral("l20003"))));
    sys_.logSkinFailure(ui.LblClick[1].setPicture(sys_.skinFile(QStringLiteral("l20001"))));

    ui.Label1[2].move(600 * sx, 180 * sy);
    ui.Label1[2].setFont({ kSongTi, 10 * sx });
    ui.Label1[1].move(480 * sx, 720 * sy);
    ui.Label1[1].setFont({ kSongTi, 10 * sx });
    const double column = ui.Label1[1].left();
    ui.Label1[4].move(column, 1080 * sy);
    ui.Label1[4].setFontSize(12 * sx);
    ui.Label1[4].setCaption(QStringLiteral("── ") + st.ModuleShortName);
    ui.Label1[0].move(column, 1500 * sy);
    ui.Label1[0].setFontSize(10 * sx);
    // Read once, now: the about box does not follow later changes of the home window.
    ui.Label1[0].setCaption(st.BankVersionText ? st.BankVersionText() : QString());
    ui.Label1[3].move(column, 1800 * sy, 5490 * sx, 540 * sy);
    ui.Label1[3].setFontSize(10 * sx);
    ui.Label1[3].setCaption(
        QStringLiteral("系统工作目录: ") + QDir::toNativeSeparators(sys_.programDir()));
    ui.Label1[6].move(column, 3600 * sy);
    ui.Label1[6].setFontSize(10 * sx);
    ui.Label1[6].setCaption(st.ProductInfo[7]);

    plat::Line& edge = ui.Line1[4];
    edge.setPoints(360 * sx, 2385 * sy, 5760 * sx, 2385 * sy);
    ui.Line1[3].setPoints(edge.x1() + 15, edge.y1() + 15, edge.x2() + 15, edge.y2() + 15);

    for (int i : { 0, 1 })
        ui.LblClick[i].Click = [this] { unload(); };
    // Only the work folder answers a click; the shell's result is not looked at.
    ui.Label1[3].Click = [this] { sys_.services().shell->openFolder(sys_.programDir()).ignore(); };
    ui.lblMove.MouseDown = [this](int button, int, double, double) {
        if (button == plat::button::Left)
            startSystemMove();
    };
}

} // namespace shell
