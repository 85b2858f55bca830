#pragma once

// The paper panel of the home window: 30 paper cards (sprint, mock and random papers) with their
// titles, last examination times, best scores, wrong-question links and counts, start buttons
// and, on random papers, delete links; the random-paper page and the notice for no random paper.
// The home window creates the panel's container and buttons; the controls here are built into
// the container at every load of the window (flow::buildPaperPanel), filled by the refresh
// (flow::paperPanelPass) and driven by the paper commands (flow::paperCommand).

#include "home/paperrules.h"
#include "home/randompaper.h"
#include "platform/controls.h"

namespace shell {
class System;
class ErrorSite;
}

namespace home {

struct PaperPanelUi {
    explicit PaperPanelUi(plat::PictureBox& PicKaCH);
    plat::Image PicKaCHLeft; // strip behind the list buttons
    plat::ControlArray<plat::Image> ImgShiJuan; // card backgrounds, 0..29
    plat::ControlArray<plat::Label> LblShiJuanBiao; // titles
    plat::ControlArray<plat::Label> LblShiJuanTime; // last examination time
    plat::ControlArray<plat::Label> LblShiJuanSSSS; // "最好成绩：    分"
    plat::ControlArray<plat::Label> LblShiJuanScore; // best score
    plat::ControlArray<plat::Label> LblShiJuanCCC; // "错题复习"
    plat::ControlArray<plat::Label> LblShiJuanCuoTi; // wrong-question count
    plat::ControlArray<plat::Label> LblShiJuanDel; // "删除试卷" on random cards
    plat::Image ImgSuiJi; // random-paper page
    plat::Label LblNoHis; // "您还没有练习过随机试卷！"
};

// The panel of the home window now loaded; null before buildPaperPanel.
PaperPanelUi* paperPanel(shell::System& sys);

// The refresh's pass over the panel, the paper tab, the list buttons (28 to 31) and the start
// buttons (70 to 99) of the home window's dispatcher.
void paperPass(shell::System& sys, PaperPanelUi& p);
void paperTab(shell::System& sys);
void showList(shell::System& sys, PaperPanelUi& p, int index);
void startPaper(shell::System& sys, int index);

// A new random paper, without its launch: draws 40 questions, builds slot 19, sets the exercise
// state of a random paper and moves the older random papers' records one place down. False
// (after telling the candidate) when the bank cannot give a paper; nothing is written then.
bool createRandomPaper(shell::System& sys, int randomPaperCount, const UniformSource& rnd,
    const shell::ErrorSite& site);

// The card links: practice of paper `row`'s wrong questions, deletion of random paper `row`.
void LblShiJuanCCC_Click(shell::System& sys, int row);
void LblShiJuanDel_Click(shell::System& sys, int row);

} // namespace home
