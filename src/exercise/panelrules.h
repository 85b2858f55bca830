#pragma once

// The question panel's rules, free of windows: the title by study mode, the flag pair, the
// question-number pages and their faces, the examination clock, the reading of a question line
// and the binding of the input-method menu to the keyboard layouts.

#include "platform/menu.h"
#include "platform/services.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace exercise {

// What the title is made of.
struct TitleInput {
    int studyMode = 0;
    int setNo = 0;
    int recordNo = 0;
    int question = 1; // CurrentQuestion
    int count = 0; // QuestionCount
    QString moduleName;
    QString questionId; // QuestionIds(question), "uuqq"
    QString doneBefore; // DoneBefore(question): "F" not done before, anything else done
};

// The question's code in the title: the id plus 100 (units shown from 1), four digits.
QString titleCode(const QString& questionId);
// The panel's title for the study mode; nothing for a mode without a title of its own (the
// title is then left as it was).
std::optional<QString> panelTitle(const TitleInput& in);

// The flag pair: a question is flagged in the states 2, 3, 6 and 7.
bool isFlagged(int state);
// The state after the flag or unflag command: the flag is added only when absent and removed
// only when present.
int withFlag(int state);
int withoutFlag(int state);

// Question-number pages of 40 numbers.
inline constexpr int kNumbersPerPage = 40;
// The last page, from 0; never below 0, so an empty exercise has the one (empty) page 0.
int lastNumberPage(int questionCount);
// How many numbers page `page` shows (0 to 40).
int numbersOnPage(int questionCount, int page);
// Whether the paging buttons show: only when there is more than one page.
bool pagingShown(int questionCount);
// The face of a number button by its question's state: not yet shown, visited, flagged.
QString numberFace(int state);

// The examination clock: the minutes left as the panel writes them ("剩余" & minutes & "分钟"),
// and the width of the bar that fills the clock's frame (`trackWidth`) by the share of the
// examination's minutes gone.
QString clockCaption(int minutesLeft);
double clockBarWidth(int minutesLeft, double trackWidth);

// One line of the question file, read for the panel.
struct QuestionText {
    QString text; // what the text box shows
    QString picture; // a picture question's six-character picture name; empty otherwise
    bool pictureQuestion = false;
    bool badPicture = false; // the name is not a plain file name: no picture is loaded
};
// Reads a question line: the text from character 7; "|" becomes a line break when
// `lineBreaks` (the panel) and stays as it is otherwise (the demonstration's note). A line whose
// text begins "picture" names its picture in the next six characters and its text follows
// them, where a "|" always stays as it is.
QuestionText readQuestionLine(const QString& line, bool lineBreaks);

// The input-method menu: the English item and the items 中文1 to 中文10, each bound to the
// layout its caption names.
inline constexpr int kImeItems = 10;
inline constexpr int kMaxLayouts = 16;
struct ImeMenu {
    QString englishCaption = QStringLiteral("英语（美国）");
    std::optional<plat::KeyboardLayout> english; // the first layout without a description
    QStringList captions; // 中文1..中文10: the descriptions, then the design captions
    std::vector<std::optional<plat::KeyboardLayout>> layouts; // of 中文1..中文10
    std::vector<bool> visible; // of 中文1..中文10; 中文1 always shows
    int rows = 1; // 1 + the layouts with a description: the menu's height in rows
};
ImeMenu imeMenu(const std::vector<plat::KeyboardLayout>& installed);

// The height allowed per row of the input-method menu, in twips.
inline constexpr double kImeMenuRowTwips = 300;
// Where the input-method menu opens, in the panel's client twips: right-aligned on the left
// edge of its label and `rows` rows above the label's top, so that it stands above the label.
// `labelLeft`, `labelTop` are the label's place in its container, `containerLeft`,
// `containerTop` the container's place in the panel.
plat::PopupPlace imeMenuPlace(
    double labelLeft, double labelTop, double containerLeft, double containerTop, int rows);

} // namespace exercise
