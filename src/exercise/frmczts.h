#pragma once

// FrmCZTS: the notice an examination shows when the candidate asks for the answer. Closing it
// goes on with the examination; insisting turns the rest of the paper into practice (its score
// is not recorded as an examination) and demonstrates the current question at once.

#include "platform/controls.h"
#include "platform/form.h"
#include "widgets/mirtbutton.h"

namespace shell {
class System;
}

namespace exercise {

struct FrmCZTSUi {
    explicit FrmCZTSUi(plat::Form& f);
    plat::Shape Shape2, Shape1; // an etched border
    plat::Label Label3; // "请注意!!!"
    plat::Label Label2; // the notice
    widgets::mirtButton Command1; // back to the examination
    widgets::mirtButton Command2; // view the answer now
};

class FrmCZTS : public plat::FormWith<FrmCZTSUi> {
public:
    explicit FrmCZTS(shell::System& sys);

    void Command2_Click();

protected:
    void Form_Load() override;

private:
    shell::System& sys_;
};

} // namespace exercise
