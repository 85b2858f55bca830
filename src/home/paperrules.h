#pragma once

// The rules of the home window's paper panel, free of controls: which rows form the sprint and
// mock groups, the cards' titles and texts, the pass test that picks the list the paper tab
// opens, and what each list shows.

#include <QString>

#include <array>
#include <functional>

namespace home {

inline constexpr int kPaperRows = 30; // rows 0..29: fixed papers 0..19, random papers 20..29
inline constexpr int kFirstRandomRow = 20;
inline constexpr int kPassMark = 75;

// The last row of the sprint group: 1 for 4-7 fixed papers, 3 for 8-11, 5 for 12-15, 7 else.
int lastSprintRow(int fixedPaperCount);
// "冲刺试卷一", "模拟试卷三", "随机试卷十"; past the tenth of a group the bare word.
QString paperTitle(int row, int lastSprintRow);
// The card's top: its line within its own group, two cards a line (design twips).
double cardTop(int row, int lastSprintRow);
double cardLeft(int row);

// "最后考试时间：" and the stored time without its seconds (a shorter text whole).
QString lastExamCaption(const QString& historyTime);
// "(" & the number of whole ids of the paper's wrong-question line & ")".
QString wrongCountCaption(const QString& wrongLine);

// The paper tab's pass test: passed when the best score of every sprint row 1..lastSprintRow
// is at least 75 (row 0 is not tested). `bestScore` gives a row's stored best score.
bool sprintPassed(const std::function<QString(int row)>& bestScore, int lastSprintRow);

// The list buttons: 28 sprint cards, 29 mock cards, 30 the random-paper page, 31 random cards.
struct PaperListView {
    std::array<bool, kPaperRows> rowShown {};
    QString face; // start-button face of the shown rows
    bool randomPageShown = false; // ImgSuiJi and the generate button
    bool noRandomNoticeShown = false; // LblNoHis
};
PaperListView paperListView(
    int listIndex, int lastSprintRow, int fixedPaperCount, int randomPaperCount);

} // namespace home
