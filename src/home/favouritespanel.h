#pragma once

// The favourites panel (PicBiaoZhi) and its twin, the wrong-question panel (PicCuoTi), of the
// home window: the counts of unreviewed and reviewed questions, two toggles that choose the
// groups a command works on, the practice of the chosen groups and their clearing. The panels'
// controls other than the ClickBotn buttons are built here into the home window's containers
// and found again by name. The entry points are flow::buildFavouritesPanels,
// flow::favouritesPass and flow::favouritesCommand.

#include "core/exercisemodes.h"
#include "records/idlist.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace shell {
struct AppState;
}

namespace home {

class FrmFengmian;

// What tells the two panels apart.
struct CollectionTwin {
    bool wrongBook; // false: the favourites
    const char16_t* panelName; // the container: PicBiaoZhi, PicCuoTi
    const char16_t* faceName; // ImgBiaoZhiBack, ImgCuoTiBack
    const char16_t* face; // its picture: l20057, l20058
    const char16_t* unreviewedLabel; // LblBiaoZhiWei, LblCuoTiWei
    const char16_t* reviewedLabel; // LblBiaoZhiYI, LblCuoTiYI
    double unreviewedWidth, unreviewedHeight; // design twips
    double reviewedWidth, reviewedHeight;
    int tab; // 18, 19
    int practiceButton; // 22, 24
    int clearButton; // 23, 25
    int firstToggle; // 40, 42: unreviewed; the next one reviewed
    int16_t FrmFengmian::*filter; // FavouriteFilter, WrongFilter
    const char16_t* practiceTitle;
    const char16_t* emptyList;
    const char16_t* noUnreviewed;
    const char16_t* noReviewed;
    // The study mode of the practice for the groups 3 (both), 1 and 2; its questions are built
    // into the slot every built set shares.
    shell::StudyMode modeBoth, modeUnreviewed, modeReviewed;
    const char16_t* clearTitle;
    const char16_t* clearText[3]; // for the groups 1, 2, 3
};

const CollectionTwin& favouritesTwin();
const CollectionTwin& wrongBookTwin();
// The twin whose command `index` is (6, 7, 18, 19, 22 to 25, 40 to 43), or nullptr.
const CollectionTwin* twinOfCommand(int index);

// A toggle press: the group's bit of the filter flips; returns the new filter and, through
// `picture`, the toggle's face ("l2009" & j selected, "l2004" & j not, j = index - 40).
int16_t toggledFilter(int16_t filter, int index, QString* picture);

// The questions a practice of the chosen groups takes, and how the exercise starts.
struct PracticeChoice {
    QStringList ids; // at most 500, in list order
    shell::StudyMode studyMode = shell::StudyMode::AllFavourites;
    QString emptyNotice; // shown when `ids` is empty
};
PracticeChoice practiceChoice(const CollectionTwin& twin, const records::ReviewedList& list, int filter);

// The titles and completion marks the questions of a practice start with: every question of
// the reviewed group starts done ("T", state 4), every other question not ("F", 0). Entries
// past the set take the group's value.
void setPracticeMarks(shell::AppState& st, const records::ReviewedList& list, int filter);

} // namespace home
