#pragma once

// The favourites panel (PicBiaoZhi) and its twin, the wrong-question panel (PicCuoTi), of the
// home window: the counts of unreviewed and reviewed questions, two toggles that choose the
// groups a command works on, the practice of the chosen groups and their clearing. The panels'
// controls other than the ClickBotn buttons are built here into the home window's containers,
// which keep them for the next refresh. The entry points are flow::buildFavouritesPanels,
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

// What tells the two panels apart: each panel's design, its commands, its texts and the exercise
// its practice starts.
struct CollectionTwin {
    bool wrongBook = false; // false: the favourites
    const char16_t* faceName = u""; // the face's control: ImgBiaoZhiBack, ImgCuoTiBack
    const char16_t* face = u""; // its picture
    const char16_t* unreviewedLabel = u""; // the count labels: LblBiaoZhiWei, LblCuoTiWei
    const char16_t* reviewedLabel = u""; // LblBiaoZhiYI, LblCuoTiYI
    // The count labels' design sizes, in twips.
    double unreviewedWidth = 0, unreviewedHeight = 0;
    double reviewedWidth = 0, reviewedHeight = 0;
    // ClickBotn commands.
    int tab = 0;
    int practiceButton = 0;
    int clearButton = 0;
    int firstToggle = 0; // the unreviewed group's; the next one the reviewed group's
    int16_t FrmFengmian::*filter = nullptr; // FavouriteFilter, WrongFilter
    const char16_t* practiceTitle = u"";
    const char16_t* emptyList = u"";
    const char16_t* noUnreviewed = u"";
    const char16_t* noReviewed = u"";
    // The study mode of the practice for the groups 3 (both), 1 and 2; its questions are built
    // into the slot every built set shares.
    shell::StudyMode modeBoth = shell::StudyMode::AllFavourites;
    shell::StudyMode modeUnreviewed = shell::StudyMode::AllFavourites;
    shell::StudyMode modeReviewed = shell::StudyMode::AllFavourites;
    const char16_t* clearTitle = u"";
    const char16_t* clearText[3] = { u"", u"", u"" }; // for the groups 1, 2, 3
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
PracticeChoice practiceChoice(
    const CollectionTwin& twin, const records::ReviewedList& list, int filter);

// The titles and completion marks the questions of a practice start with: every question of
// the reviewed group starts done ("T", state 4), every other question not ("F", 0). Entries
// past the set take the group's value.
void setPracticeMarks(shell::AppState& st, const records::ReviewedList& list, int filter);

} // namespace home
