#pragma once

// FrmTm: the question panel, always on top beside the simulated window. This is the part of it
// that the step engine works with: the title and the list of unfinished questions, the question
// loader DqExam, the load timer and the step-hints button.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace shell {
class System;
}

namespace exercise {

struct FrmTmUi {
    explicit FrmTmUi(plat::Form& f);
    plat::Label LblBiao; // title; ends in "(未完成)" or "(已完成)"
    plat::Label LblUnit; // list of unfinished questions
    plat::Timer TimerREDO; // one-shot load of the current question
};

class FrmTm : public plat::FormWith<FrmTmUi> {
public:
    explicit FrmTm(shell::System& sys);

    // DqExam: shows the current question: restores its saved pictures into the simulated window,
    // resumes its step and lets the simulated window load that step.
    void DqExam();
    // The panel's function buttons; 6 shows the step hints.
    void CmdGN_Click(int index);

protected:
    void Form_Load() override;

private:
    shell::System& sys_;
};

} // namespace exercise
