#pragma once

// FrmUpdata: the question-bank updater window. Its load shows the installed bank version and
// fetches the home screen's advert; 100 ms later its timer checks the update server once and,
// when the server's bank is newer and the user agrees, downloads the newer files and ends the
// program.

#include "platform/form.h"
#include "shell/updater.h"
#include "widgets/mirtbutton.h"

#include <QString>

namespace shell {

class System;

// Label2's text when the check could not reach a list.
inline const QString kUpdateCheckFailedText = QStringLiteral("未能检测新版本，请稍后重试。");

struct FrmUpdataUi {
    explicit FrmUpdataUi(plat::Form& f);
    plat::Image ImgLogo1; // logo
    plat::Label lblMove; // transparent drag strip along the top
    plat::Label Label4; // the window's title line
    plat::Label Label3; // "当前题库版本是："
    plat::Label LblVer; // the installed bank version
    plat::Label Label1; // "最新题库版本是：" and the installed version
    plat::Label Label2; // the check's verdict
    widgets::mirtButton Command2; // manual upgrade through the download page; never shown
    widgets::mirtButton Command3; // a second close button; never shown
    widgets::mirtButton Command1; // close
    plat::Timer Timer1; // the one check per load, 100 ms after it
};

class FrmUpdata : public plat::FormWith<FrmUpdataUi> {
public:
    explicit FrmUpdata(System& sys);

    // TKUP: the update run. Only the window's own timer calls it.
    void TKUP();

    UpdateLimits limits {}; // time limits of the network waits

protected:
    void Form_Load() override;

private:
    BankUpdater updater();
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void lblMove_MouseDown(int button);

    System& sys_;
};

} // namespace shell
