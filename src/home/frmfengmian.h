#pragma once

// FrmFengmian: the home window. Three views share one borderless 800 × 600 window: the start
// page (a full picture with the big study-area buttons), the tab view (the tab strip and one of
// the units, papers, favourites and wrong-question panels, all in one rectangle) and the help
// view. Every command is a button of the ClickBotn array and lands in ClickBotn_Click; the
// refresh FengMainCsh rebuilds everything from the module data and the learner records at every
// load. The paper panel and the favourites panels build their own controls into the containers
// here (src/home/paperpanel.*, src/home/favouritespanel.*), so the container names and the
// button array are public.

#include "home/homecommands.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"
#include "widgets/mirtbutton.h"

#include <QString>

#include <array>
#include <cstdint>

namespace shell {
class System;
}

namespace home {

struct FrmFengmianUi {
    explicit FrmFengmianUi(plat::Form& f);

    // Start page.
    plat::Image picShouYe; // the start picture; a left press drags the window
    // Footer (0 bank version, 1 website, 2 phone, 3 chat) and the start page's link areas 17..21.
    plat::ControlArray<plat::Label> LblInfo;

    // Tab strip.
    plat::PictureBox PicTop;
    plat::Label lblMove; // transparent drag strip
    plat::Label LblCaption; // the module's display name

    // The five panels, one rectangle.
    plat::PictureBox PicTiKu; // units
    plat::PictureBox PicKaCH; // papers
    plat::PictureBox PicBiaoZhi; // favourites
    plat::PictureBox PicCuoTi; // wrong-question book
    plat::PictureBox PicHelp; // help

    // Unit panel.
    plat::Image PicUnitLeft; // background of the unit button column
    plat::Image ImgUnitGezi; // background of the chart
    plat::Image ImgUnitD; // bar of the learned questions
    plat::Image ImgUnitC; // bar of the unlearned questions
    plat::Image imgPicIII; // picture beside the title
    // 0 heading, 1 title of the choice, 2 its question count, 3 learned, 4 unlearned.
    plat::ControlArray<plat::Label> LblUnitDQCAP;

    // Help panel.
    plat::Image PicHelpLeft;
    plat::Label LlbHelpCAP; // title of the topic shown
    plat::HtmlView WebHelpCON; // the help page

    // Advert strip.
    plat::PictureBox PicAd;
    plat::Label LblAD;

    // Every command of the window, 0..99, in the containers the design gives each index.
    plat::ControlArray<widgets::mirtButton> ClickBotn;

    plat::Timer TimFH; // replays DeferredCommand once, 100 ms after the window reappears
};

class FrmFengmian : public plat::FormWith<FrmFengmianUi> {
public:
    explicit FrmFengmian(shell::System& sys);

    // What the window's load would spend most time on without needing the window: decodes the
    // start page's pictures on a worker thread and loads the face the splash has not. The
    // start-up window calls it while its timer runs, so the window maps sooner.
    static void prepare(shell::System& sys);

    // FengMainCsh: rebuilds the whole home screen from the module data and the learner records.
    void FengMainCsh();
    // The command interpreter of the window: every button, the refresh and the deferred replay.
    void ClickBotn_Click(int index);
    void LblInfo_Click(int index);
    void LblAD_Click();
    void TimFH_Timer();

    // Unloads the window because an exercise takes over (the launch); any other close of the
    // window is the exit command.
    void closeForExercise();

    // The window's variables; every load resets them.
    QString AdvertLink;
    int16_t SelectedUnit = -1; // -1 all units, else the unit
    int16_t UnitScope = 0; // 0 all, 1 learned, 2 unlearned questions
    int16_t FavouriteFilter = 0; // favourites panel groups: 1 unreviewed, 2 reviewed
    int16_t WrongFilter = 0; // wrong-question panel groups, likewise
    int16_t LastSprintRow = 0; // last paper row of the sprint papers
    std::array<QString, 101> HistoryLines {}; // 1..100: the exam history as the panel read it
    int16_t RandomPaperCount = 0;

    // The help topic shown (0..4).
    int helpTopic() const { return helpTopic_; }

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    // Views.
    void showPanel(int tab);
    void showHelp();
    void showStartPage();

    // Commands of the dispatcher.
    void exitCommand();
    void helpTopic(int index);

    // Unit panel (unitpanel.cpp).
    void unitRefresh();
    void chooseUnit(int index);
    void unitPage(int index);
    void setUnitPage(int page);
    void unitScope(int index);
    void unitTab();
    void startUnitPractice();

    // Links and drags.
    void openLink(const QString& link, const QString& tag);
    void dragWindow(int button);

    shell::System& sys_;
    int helpTopic_ = 0;
    bool closingForExercise_ = false;
};

} // namespace home
