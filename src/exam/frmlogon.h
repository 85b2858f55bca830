#pragma once

// FrmLogon: the simulated examination login of a mock or random paper. The candidate enters a
// seat number and an identity-card number on the login page, confirms, sees the candidate data
// on the confirmation page while a progress bar fills, and the examination starts with the
// question panel and the simulated window.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace shell {
class System;
}

namespace exam {

struct FrmLogonUi {
    explicit FrmLogonUi(plat::Form& f);
    plat::PictureBox Picture1; // login page
    plat::TextBox TxtZwh; // seat number
    plat::TextBox TxtSFZ; // identity-card number
    plat::Label CmdLog; // log in (the face is part of the page)
    plat::Label CmdExit; // leave
    plat::PictureBox Picture2; // confirmation page
    plat::Label LblName;
    plat::Label LblZwh;
    plat::Label LblCC;
    plat::Label LblKm;
    plat::Label LblSfz;
    plat::Label LblDah;
    plat::Label LblDate;
    plat::PictureBox P2; // progress track
    plat::Label LJD; // progress bar
    plat::Timer Timer1; // shows the login page once
    plat::Timer Timer2; // progress
};

class FrmLogon : public plat::FormWith<FrmLogonUi> {
public:
    explicit FrmLogon(shell::System& sys);

    void CmdLog_Click();
    void CmdExit_Click();

protected:
    void Form_Load() override;
    // A window manager's close is the leave button with its question, while there is one.
    void Form_QueryUnload(int& cancel) override;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    // Keeps a field's text to its rule whichever way the text arrived.
    void filterField(plat::TextBox& box, bool idCard);

    shell::System& sys_;
};

} // namespace exam
