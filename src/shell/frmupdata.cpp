#include "shell/frmupdata.h"

#include "core/errorreport.h"
#include "core/serverconfig.h"
#include "core/system.h"
#include "platform/color.h"
#include "platform/keys.h"
#include "platform/services.h"
#include "widgets/msgbox.h"

namespace shell {

FrmUpdataUi::FrmUpdataUi(plat::Form& f)
    : ImgLogo1(f.area(), QStringLiteral("ImgLogo1"))
    , lblMove(f.area(), QStringLiteral("lblMove"))
    , Label4(f.area(), QStringLiteral("Label4"))
    , Label3(f.area(), QStringLiteral("Label3"))
    , LblVer(f.area(), QStringLiteral("LblVer"))
    , Label1(f.area(), QStringLiteral("Label1"))
    , Label2(f.area(), QStringLiteral("Label2"))
    , Command2(f.area(), QStringLiteral("Command2"))
    , Command3(f.area(), QStringLiteral("Command3"))
    , Command1(f.area(), QStringLiteral("Command1"))
    , Timer1(f, QStringLiteral("Timer1"), 100, false)
{
    lblMove.setBackStyle(0);
    // The texts lie on the skin picture.
    for (plat::Label* l : { &Label4, &Label3, &LblVer, &Label1, &Label2 }) {
        l->setBackStyle(0);
        l->setAutoSize(true);
    }
    Label4.setForeColor(plat::rgb(255, 255, 255));
    Label2.setForeColor(plat::rgb(255, 0, 0));
    Command2.setVisible(false);
    Command3.setVisible(false);
}

FrmUpdata::FrmUpdata(System& sys)
    : FormWith(sys, QStringLiteral("FrmUpdata"))
    , sys_(sys)
{
    setBorderless(true);
    setCentered(true);
}

BankUpdater FrmUpdata::updater()
{
    return BankUpdater(sys_.state, *sys_.services().http, sys_.programDir(), sys_.programName(),
        readServerConfig(sys_.programDir()).updateBaseUrl, limits);
}

void FrmUpdata::Form_Load()
{
    const AppState& st = sys_.state;
    const ErrorSite site(sys_.state, QStringLiteral("upload"));
    auto& ui = uiNoLoad();
    const double sx = st.ScaleX, sy = st.ScaleY;
    ui.Timer1.Tick = [this] { Timer1_Timer(); };
    ui.Command1.Click = [this] { Command1_Click(); };
    ui.Command2.Click = [this] { Command2_Click(); };
    ui.Command3.Click = [this] { Command3_Click(); };
    ui.lblMove.MouseDown = [this](int button, int, double, double) { lblMove_MouseDown(button); };

    setTopMost(true);
    move(left(), top(), 5550 * sx, 3750 * sy);
    site.check(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    setCaption(QStringLiteral("全国专业技术人员计算机应用能力考试练习系统"));
    site.check(setPicture(sys_.skinFile(QStringLiteral("l20069"))));
    ui.ImgLogo1.move(120 * sx, 90 * sy);
    site.check(ui.ImgLogo1.setPicture(sys_.skinFile(QStringLiteral("l20067"))));
    ui.lblMove.move(0, 0, 5580 * sx, 540 * sy);
    ui.Label4.move(600 * sx, 150 * sy);
    ui.Label4.setFont({ QStringLiteral("宋体"), 10 * sx });
    ui.Label4.setCaption(QStringLiteral("新版本检测——") + st.ModuleShortName);
    ui.Label3.move(360 * sx, 960 * sy);
    ui.Label3.setFontSize(9 * sx);
    ui.LblVer.move(1800 * sx, 960 * sy);
    ui.LblVer.setFontSize(9 * sx);
    ui.Label1.move(360 * sx, 1440 * sy);
    ui.Label1.setFontSize(9 * sx);
    ui.Label2.move(360 * sx, 1920 * sy);
    ui.Label2.setFont({ QStringLiteral("宋体"), 14 * sx });
    ui.Command2.move(420 * sx, 2880 * sy, 2100 * sx, 450 * sy);
    site.check(ui.Command2.setPicture(sys_.skinFile(QStringLiteral("l20075"))));
    ui.Command3.move(3000 * sx, 2880 * sy, 2100 * sx, 450 * sy);
    site.check(ui.Command3.setPicture(sys_.skinFile(QStringLiteral("l20076"))));
    ui.Command1.move(3480 * sx, 2880 * sy, 1350 * sx, 450 * sy);
    site.check(ui.Command1.setPicture(sys_.skinFile(QStringLiteral("l20001"))));

    ui.Label3.setCaption(QStringLiteral("当前题库版本是："));
    ui.LblVer.setCaption(st.BankVersion);
    ui.Label1.setCaption(QStringLiteral("最新题库版本是：") + st.BankVersion);
    ui.Label2.setCaption(QStringLiteral("已是最新版本，无需升级。"));

    hide();
    ui.Timer1.setEnabled(true);
    updater().fetchAdvert();
}

void FrmUpdata::Timer1_Timer()
{
    if (sys_.state.UpdaterVisible != 0)
        show();
    else
        hide();
    ui().Timer1.setEnabled(false);
    TKUP();
}

void FrmUpdata::TKUP()
{
    BankUpdater run = updater();
    const UpdateCheck found = run.check();
    // Closed while the check waited: the run ends with the window.
    if (!isLoaded())
        return;
    if (found == UpdateCheck::UpToDate)
        return;
    if (found == UpdateCheck::Failed || !run.fetchListCopy()) {
        if (isLoaded())
            ui().Label2.setCaption(kUpdateCheckFailedText);
        return;
    }
    if (!isLoaded())
        return;

    hide();
    plat::MessageBoxes& boxes = *sys_.services().messageBoxes;
    if (!boxes.show(plat::MessageBoxes::Kind::Question,
            QStringLiteral("题库有新文件，是否要进行升级？"), QStringLiteral("升级软件")))
        return;

    const UpdateOutcome done = run.applyList();
    boxes.show(plat::MessageBoxes::Kind::Information,
        QStringLiteral("已更新%1/%2文件。请重新打开软件！")
            .arg(done.successful)
            .arg(done.attempted),
        sys_.state.AppTitle);
    if (done.programFileFetched)
        ErrorSite(sys_.state, QStringLiteral("tkup"))
            .check(sys_.services().shell->startDetached(
                sys_.programFile(QStringLiteral("duveda.rar")), {}));
    sys_.end();
}

void FrmUpdata::Command1_Click() { unload(); }

void FrmUpdata::Command3_Click() { unload(); }

void FrmUpdata::Command2_Click()
{
    const AppState& st = sys_.state;
    sys_.services().shell->openUrl(st.ProductInfo[13]).ignore();
    const QString crlf = QStringLiteral("\r\n");
    const QString prompt = crlf + crlf + QStringLiteral("注意：") + crlf
        + QStringLiteral("要升级题库，请在打开的网页") + st.ProductInfo[13]
        + QStringLiteral("中，找到【") + st.ModuleName
        + QStringLiteral("模块】进行下载，下载完成后直接安装就是新版本（无需卸载旧版）。") + crlf
        + crlf + QStringLiteral("确定要升级吗？");
    unload();
    if (widgets::ask(sys_, QStringLiteral("升级提示"), prompt, widgets::kMsgIconQuestion))
        sys_.end();
}

void FrmUpdata::lblMove_MouseDown(int button)
{
    if (button == plat::button::Left)
        startSystemMove();
}

} // namespace shell
