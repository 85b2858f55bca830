#pragma once

// FrmTm: the question panel, a small borderless window kept on top at the bottom-right corner of
// the simulated window. It shows the question, moves between questions, flags them, pages the
// question numbers, shows hints, starts the demonstration, and in an examination shows the clock
// and the candidate's details. Its rules live in panelrules.h; this is the window.

#include "exercise/panelcommands.h"
#include "exercise/panelrules.h"
#include "exercise/questionbox.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "platform/timer.h"
#include "widgets/mirtbutton.h"

#include <array>
#include <cstdint>

namespace shell {
class System;
}

namespace exercise {

// Controls in the order they are built: a later sibling stands above an earlier one (the
// window's stacking puts the minimised strip on top of everything, the two page frames above
// the body, the picture button above the text box).
struct FrmTmUi {
    explicit FrmTmUi(plat::Form& f);

    // Title strip.
    plat::Label LblBiao; // the title; ends in "(未完成)" or "(已完成)"
    plat::Label LblMove; // transparent drag strip
    plat::Image ImgLogo1;

    // The body.
    plat::PictureBox FrmZhuYa;
    plat::Label LblTime; // "剩余50分钟"
    plat::Label LblName; // the candidate's name
    plat::Label LblIME; // "EN": opens the input-method menu
    plat::ControlArray<widgets::mirtButton> CmdGN; // the function buttons, by cmd::
    QuestionBox RtbTM; // the question text
    plat::PictureBox PTime; // frame of the time bar
    plat::Label LblTimeJD; // the elapsed share of the examination
    plat::PictureBox PicUnit; // covers the clock row in practice
    plat::Label LblUnit; // list of unfinished questions
    widgets::mirtButton Image2; // the picture toggle: "显示图片" / "隐藏图片"
    widgets::mirtButton CmdEn; // opens the input-method option

    // The candidate-info frame.
    plat::PictureBox FrmKSXX;
    plat::Image Image1; // portrait placeholder
    plat::ControlArray<plat::Label> Label1; // 0..5, row prefixes
    plat::Label KsName1, KsZWH1, KsCC1, KsDAH1, KsKM1, KsSFZ1; // row values
    widgets::mirtButton CmdKSFH; // closes the frame

    // The question-number page.
    plat::PictureBox FrmSelect;
    plat::ControlArray<widgets::mirtButton> CmTNO; // 1..40
    widgets::mirtButton CmdSelFH; // closes the page
    widgets::mirtButton CmdSelLast; // previous page
    widgets::mirtButton CmdSelNext; // next page

    // Title-strip buttons.
    widgets::mirtButton LblZXH; // fold the panel
    widgets::mirtButton LblClose; // no action of its own

    // The folded strip, above everything.
    plat::PictureBox FrmZXH;
    plat::Label Label2; // drag area over the strip's caption bar
    plat::Label Command2; // unfolds the panel

    plat::Timer TimKsModel; // one-shot: practice or examination button set
    plat::Timer TimeKS; // the examination's minute tick
    plat::Timer TimerREDO; // one-shot: shows the current question
    plat::Timer TimStartYS; // the demonstration's two-tick start
};

class FrmTm : public plat::FormWith<FrmTmUi> {
public:
    explicit FrmTm(shell::System& sys);

    // Shows the current question: its text and picture, the title, the unfinished list, the
    // flag pair, the visited flag; restores the question's pictures into the simulated window,
    // resumes its step and lets the simulated window load that step.
    void DqExam();
    // Fills the question-number page NumberPage and shows it.
    void dqYeMian();

    // Commands.
    void CmdGN_Click(int index);
    void CmTNO_Click(int index);
    void CmdSelLast_Click();
    void CmdSelNext_Click();
    void CmdSelFH_Click();
    void CmdKSFH_Click();
    void TimKsModel_Timer();
    // The buttons of the panel's mode: practice shows the unfinished list over the clock row and
    // its own lower-row buttons, an examination the clock row and its own.
    void showButtonSet();
    // The flag pair's faces: an examination has its own.
    void showFlagFaces();
    void TimerREDO_Timer();
    void TimStartYS_Timer();

    // The unfinished list and the title once the current question is completed.
    void showQuestionDone();

    // What a paper drives on the panel: its clock, its countdown timer, its number buttons.
    void showClock(int minutesLeft); // the minutes left and the bar of the minutes gone
    void stopCountdown();
    // A review of a paper's questions: no unit in the title bar, buttons only up to `count`.
    void showPaperReview(int count);

    // Window handling.
    void LblZXH_Click(); // folds the panel to its strip at the simulated window's bottom-left
    void Command2_Click(); // unfolds it, docked at the simulated window's bottom-right
    void Image2_Click(); // shows or hides the question's picture window
    // Whether the toggle shows the question's picture window; the caption says what a press
    // does next, so it is written from this state alone.
    bool pictureShown() const { return pictureShown_; }
    void setPictureShown(bool shown);
    // The picture window hidden and the toggle back to "显示图片".
    void putPictureAway();

    // The input-method menu.
    void LblIME_Click();
    void CmdEn_Click();
    void imeItem_Click(int item); // 0 the English item, k the item 中文k

    // Form-level state.
    int16_t DemoStartTicks = 0;
    int16_t NumberPage = 0;
    int16_t LastNumberPage = 0;
    ImeMenu Ime {}; // the menu's layouts and captions, filled at load

    // The menu and its items (mEng, mCn1..mCn10).
    plat::MenuItem* mIme = nullptr;
    plat::MenuItem* mEng = nullptr;
    std::array<plat::MenuItem*, kImeItems + 1> mCn {}; // 1..10

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void createMenus(plat::MenuItem& bar) override;

private:
    void layOut();
    void wireEvents();
    void fillImeMenu();
    void StartYanShi();
    // Reads the current question's line, shows its text in RtbTM and prepares its picture; a
    // question file without that line shows no text.
    void showQuestionText(bool lineBreaks);
    void restoreMain(); // the simulated window restored and activated

    shell::System& sys_;
    bool pictureShown_ = false;
};

} // namespace exercise
