#include "shell/frmstart.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "platform/services.h"
#include "records/operation.h"
#include "shell/moduleinfo.h"

#include <QDateTime>

namespace shell {

FrmStartUi::FrmStartUi(plat::Form& f)
    : Label1(f.area(), QStringLiteral("Label1"))
    , Timer1(f, QStringLiteral("Timer1"), 100, false)
{
    Label1.setBackStyle(0);
    Label1.setForeColor(0xFFFFFF);
    Label1.setAutoSize(true);
    Label1.setCaption(QStringLiteral("正在启动软件，请稍候..."));
}

FrmStart::FrmStart(System& sys)
    : FormWith(sys, QStringLiteral("FrmStart"))
    , sys_(sys)
{
    setBorderless(true);
    setCentered(true);
}

void FrmStart::Form_Load()
{
    AppState& st = sys_.state;
    auto& ui = uiNoLoad();
    ui.Timer1.Tick = [this] { Timer1_Timer(); };

    // A second instance only says so and ends; nothing is written.
    if (!sys_.services().singleInstance->acquire()) {
        sys_.services().messageBoxes->show(plat::MessageBoxes::Kind::Information,
            QStringLiteral("考试练习系统已在运行。如果你没有找到，请关闭其它窗口和程序，或者注销或"
                           "重启。"),
            QStringLiteral("系统提示"));
        sys_.end();
        return;
    }

    const ErrorSite site(st, QStringLiteral("startload"));
    readInfo(st, *sys_.services().settings, sys_.programDir(), sys_.programName());
    sys_.setApplicationTitle(st.AppTitle);
    st.ScaleX = sys_.twipsPerPixelX() / 15;
    st.ScaleY = sys_.twipsPerPixelY() / 15;
    setWidth(6000 * st.ScaleX);
    setHeight(3000 * st.ScaleY);
    site.check(setPicture(sys_.skinFile(QStringLiteral("l20059"))));
    ui.Label1.setTop(2160 * st.ScaleY);
    ui.Label1.setCaption(
        QStringLiteral("正在启动") + st.ModuleShortName + QStringLiteral("，请稍候..."));
    ui.Label1.setFontSize(11 * st.ScaleX);
    ui.Label1.setLeft((width() - ui.Label1.width()) / 2);
    st.SetNo = 0;
    st.DemoActive = 0;
    st.CandidateName = st.ProductInfo[8];
    site.check(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    setCaption(QStringLiteral("全国专业技术人员计算机应用能力考试练习系统"));
    st.OsVersion = GetOSVersionOF();
    HandOverPending = true;
    ui.Timer1.setEnabled(true);
    // The wait is the home window's to prepare in, once the splash is on the screen.
    afterFirstPainting([this] {
        if (sys_.handovers.prepareHome)
            sys_.handovers.prepareHome(sys_);
    });
}

void FrmStart::Timer1_Timer()
{
    if (!HandOverPending)
        return;
    HandOverPending = false;
    ui().Timer1.setEnabled(false);
    UpdataExe();
}

void FrmStart::UpdataExe()
{
    // The run log first, so that whatever the first reads of the records meet is logged; then
    // an operation cut short by the last run is completed before anything reads the records.
    sys_.state.LogPath = runLogPath(sys_.programDir(), QDateTime::currentDateTime());
    records::rollForward(
        records::RecordsDir::of(sys_), ErrorSite(sys_.state, QStringLiteral("updataexe")));
    sys_.handovers.showHome(sys_);
    if (sys_.ended())
        return;
    unload();
}

QString FrmStart::GetOSVersionOF() const { return plat::osVersion(); }

} // namespace shell
