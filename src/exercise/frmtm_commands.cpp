// The question panel's commands: the function buttons, the question-number page, the button
// set of practice or examination, and the demonstration start.

#include "core/system.h"
#include "exercise/frmczts.h"
#include "exercise/frmtm.h"

#include <algorithm>

namespace exercise {

void FrmTm::CmdGN_Click(int index)
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    const int q = st.CurrentQuestion;
    switch (index) {
    case cmd::Previous:
        st.CurrentQuestion = static_cast<int16_t>(std::max(q - 1, 1));
        DqExam();
        break;
    case cmd::Next:
        st.CurrentQuestion
            = static_cast<int16_t>(std::max(std::min<int>(q + 1, st.QuestionCount), 1));
        DqExam();
        break;
    case cmd::Redo:
        st.ResumeStep(q) = 1;
        DqExam();
        break;
    case cmd::Flag:
        st.QuestionState(q) = static_cast<int16_t>(withFlag(st.QuestionState(q)));
        ui.CmdGN[cmd::RemoveFlag].setVisible(true);
        ui.CmdGN[cmd::Flag].setVisible(false);
        break;
    case cmd::Numbers:
        dqYeMian();
        break;
    case cmd::EndPractice:
        sys_.handovers.endPractice(sys_);
        break;
    case cmd::StepHints: // until the next question display
        st.setPanelMode(shell::PanelMode::Hints);
        sys_.exerciseWindows().showStepHints();
        break;
    case cmd::Demonstration:
        StartYanShi();
        break;
    case cmd::HandIn: // out of the way while the hand-in dialogs run
        setLeft(0);
        setTop(0);
        hide();
        sys_.handovers.openHandIn(sys_);
        break;
    case cmd::CandidateDetails:
        ui.FrmKSXX.setVisible(true);
        break;
    case cmd::ViewAnswer:
        putPictureAway();
        sys_.form<FrmCZTS>().show(true);
        break;
    case cmd::RemoveFlag:
        st.QuestionState(q) = static_cast<int16_t>(withoutFlag(st.QuestionState(q)));
        ui.CmdGN[cmd::Flag].setVisible(true);
        ui.CmdGN[cmd::RemoveFlag].setVisible(false);
        break;
    default:
        break;
    }
}

void FrmTm::CmTNO_Click(int index)
{
    sys_.state.CurrentQuestion = static_cast<int16_t>(NumberPage * kNumbersPerPage + index);
    ui().FrmSelect.setVisible(false);
    DqExam();
}

void FrmTm::CmdSelLast_Click()
{
    NumberPage = static_cast<int16_t>(std::max(NumberPage - 1, 0));
    dqYeMian();
}

void FrmTm::CmdSelNext_Click()
{
    NumberPage = static_cast<int16_t>(std::clamp<int>(NumberPage + 1, 0, LastNumberPage));
    dqYeMian();
}

void FrmTm::CmdSelFH_Click() { ui().FrmSelect.setVisible(false); }

void FrmTm::CmdKSFH_Click() { ui().FrmKSXX.setVisible(false); }

void FrmTm::dqYeMian()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    const int count = st.QuestionCount;
    const bool paging = pagingShown(count);
    ui.CmdSelLast.setVisible(paging);
    ui.CmdSelNext.setVisible(paging);
    LastNumberPage = static_cast<int16_t>(lastNumberPage(count));
    NumberPage = static_cast<int16_t>(std::clamp<int>(NumberPage, 0, LastNumberPage));
    const int n = numbersOnPage(count, NumberPage);
    for (int i = 1; i <= kNumbersPerPage; ++i) {
        widgets::mirtButton& b = ui.CmTNO[i];
        if (i > n) {
            b.setVisible(false);
            continue;
        }
        const int k = NumberPage * kNumbersPerPage + i;
        b.setCaption(QString::number(k));
        sys_.logSkinFailure(b.setPicture(sys_.skinFile(numberFace(st.QuestionState(k)))));
        b.setVisible(true);
    }
    ui.FrmSelect.setVisible(true);
}

void FrmTm::TimKsModel_Timer()
{
    showButtonSet();
    ui().TimKsModel.setEnabled(false);
}

void FrmTm::showButtonSet()
{
    auto& ui = this->ui();
    const bool examination = sys_.state.panelMode() == shell::PanelMode::Examination;
    ui.PicUnit.setVisible(!examination);
    for (const LowerRowPlace& place : kLowerRow) {
        ui.CmdGN[place.practice].setVisible(!examination);
        ui.CmdGN[place.examination].setVisible(examination);
    }
}

void FrmTm::TimerREDO_Timer()
{
    DqExam();
    ui().TimerREDO.setEnabled(false);
}

void FrmTm::StartYanShi()
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    putPictureAway();
    st.DemoActive = -1;
    // The demonstration's note shows the text in one run, its "|" as they are.
    showQuestionText(false);
    st.DemoActive = -1;
    ui.TimStartYS.setEnabled(true);
}

void FrmTm::TimStartYS_Timer()
{
    auto& ui = this->ui();
    // The first tick only counts, so the button's own click and repaint finish first.
    ++DemoStartTicks;
    if (DemoStartTicks < 2)
        return;
    DemoStartTicks = 0;
    ui.TimStartYS.setEnabled(false);
    sys_.exerciseWindows().startDemonstration();
    sys_.state.DemoActive = -1;
}

} // namespace exercise
