#pragma once

// FrmEnd1 and FrmEnd2: the two modal confirmations of a hand-in. The first warns when questions
// are still untouched or flagged; the second says that the candidate cannot log in again, and
// its hand-in closes the examination and opens the score sheet. Cancelling either returns to the
// examination.

#include "platform/controls.h"
#include "platform/form.h"
#include "widgets/mirtbutton.h"

namespace shell {
class System;
}

namespace exam {

struct FrmEndUi {
    explicit FrmEndUi(plat::Form& f);
    plat::Shape Frame1; // the frame around the question
    plat::Label Label1; // the question, in red
    widgets::mirtButton Command1; // hand in
    widgets::mirtButton Command2; // cancel
};

// The layout and the cancel both dialogs share.
class FrmEndBase : public plat::FormWith<FrmEndUi> {
public:
    FrmEndBase(shell::System& sys, const QString& name);

    virtual void Command1_Click() = 0;
    // Cancel: back to the examination, the panel docked at the simulated window again.
    void Command2_Click();

protected:
    void Form_Load() override;
    // A window manager's close is the cancel.
    void Form_QueryUnload(int& cancel) override;
    shell::System& sys_;
};

class FrmEnd1 : public FrmEndBase {
public:
    explicit FrmEnd1(shell::System& sys);
    void Command1_Click() override;

protected:
    void Form_Load() override;
};

class FrmEnd2 : public FrmEndBase {
public:
    explicit FrmEnd2(shell::System& sys);
    // The final hand-in.
    void Command1_Click() override;

protected:
    void Form_Load() override;
};

} // namespace exam
