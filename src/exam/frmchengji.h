#pragma once

// FrmChengji: the score sheet that ends a mock or random paper. Its load scores the paper (2.5
// points a completed question), marks the 40 questions on a grid of number buttons and writes
// the learner records of the paper. A number shows its question's text; three buttons start a
// review pass of the paper, a practice of its wrong questions, or go home.

#include "exam/examrules.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"
#include "widgets/mirtbutton.h"

#include <QString>

#include <array>

namespace shell {
class System;
}

namespace exam {

struct FrmChengjiUi {
    explicit FrmChengjiUi(plat::Form& f);
    plat::PictureBox Picture1; // the sheet
    widgets::mirtButton Command3; // practice of this paper's wrong questions
    widgets::mirtButton Command1; // review pass of the whole paper
    widgets::mirtButton Command2; // home
    plat::Label Label1; // the score
    plat::PictureBox Frame1; // the number grid
    plat::ControlArray<widgets::mirtButton> CmTNO; // 1..40
    plat::Label LblTiMuYQ; // text of the question last clicked
    plat::Timer Timer1; // centres the sheet once
};

class FrmChengji : public plat::FormWith<FrmChengjiUi> {
public:
    explicit FrmChengji(shell::System& sys);

    void CmTNO_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Builds the practice of the paper's wrong questions and opens it.
    void InitShiTi();

    // The score of the paper last scored.
    double score() const { return score_; }

protected:
    void Form_Load() override;
    // A window manager's close is the way home.
    void Form_QueryUnload(int& cancel) override;

private:
    void scoreAndRecord();
    void Timer1_Timer();

    shell::System& sys_;
    std::array<QString, kPaperQuestions + 1> QuestionTexts {}; // 1..40
    double score_ = 0;
};

} // namespace exam
