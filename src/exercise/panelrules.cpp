#include "exercise/panelrules.h"

#include "core/appstate.h"
#include "core/exercisemodes.h"
#include "platform/text.h"

#include <algorithm>

namespace exercise {

QString titleCode(const QString& questionId)
{
    const double code = plat::val(questionId) + 100;
    return (QStringLiteral("0000") + QString::number(static_cast<qint64>(code))).right(4);
}

std::optional<QString> panelTitle(const TitleInput& in)
{
    const QString L = in.moduleName.left(2);
    const QString q = QString::number(in.question);
    const QString n = QString::number(in.count);
    const QString C = titleCode(in.questionId);
    const QString D = in.doneBefore == QStringLiteral("F") ? QStringLiteral("(未完成)")
                                                           : QStringLiteral("(已完成)");
    // "已 5/30(0105)(未完成)": the set's word, the place in the set, the code, done before.
    auto inSet = [&](const QString& word) {
        return L + word + q + QStringLiteral("/") + n + QStringLiteral("(") + C
            + QStringLiteral(")") + D;
    };
    const std::optional<shell::StudyMode> mode = shell::studyModeOf(in.studyMode);
    if (!mode)
        return std::nullopt;
    using shell::StudyMode;
    switch (*mode) {
    case StudyMode::FixedPaper:
        return L + QStringLiteral(" ") + QString::number(in.setNo + 1) + QStringLiteral("套第") + q
            + QStringLiteral("题(") + C + QStringLiteral(")");
    case StudyMode::PaperWrongQuestions:
        return L + QStringLiteral(" 错") + QString::number(in.recordNo + 1) + QStringLiteral("-")
            + q + QStringLiteral("/") + n + QStringLiteral("(") + C + QStringLiteral(")") + D;
    case StudyMode::UnitLearned:
        return inSet(QStringLiteral(" 已"));
    case StudyMode::UnitUnlearned:
        return inSet(QStringLiteral(" 未"));
    case StudyMode::RandomPaper:
        return L + QStringLiteral(" 随") + QString::number(in.recordNo - 20) + QStringLiteral("-")
            + q + QStringLiteral("(") + C + QStringLiteral(")");
    case StudyMode::AllFavourites:
    case StudyMode::UnreviewedFavourites:
    case StudyMode::ReviewedFavourites:
        return inSet(QStringLiteral(" 藏"));
    case StudyMode::AllWrongBook:
    case StudyMode::UnreviewedWrongBook:
    case StudyMode::ReviewedWrongBook:
        return inSet(QStringLiteral(" 复"));
    case StudyMode::WholeUnit:
        return L + QStringLiteral(" ") + QString::number(in.setNo + 1) + QStringLiteral("单元") + q
            + QStringLiteral("/") + n + QStringLiteral("题") + D;
    }
    return std::nullopt; // unreachable: every mode has its title
}

bool isFlagged(int state) { return state == 2 || state == 3 || state == 6 || state == 7; }

int withFlag(int state)
{
    return state == 0 || state == 1 || state == 4 || state == 5 ? state + 2 : state;
}

int withoutFlag(int state) { return isFlagged(state) ? state - 2 : state; }

int lastNumberPage(int questionCount)
{
    const int last
        = questionCount / kNumbersPerPage - (questionCount % kNumbersPerPage == 0 ? 1 : 0);
    return std::max(last, 0);
}

int numbersOnPage(int questionCount, int page)
{
    return std::clamp(questionCount - page * kNumbersPerPage, 0, kNumbersPerPage);
}

bool pagingShown(int questionCount) { return questionCount > kNumbersPerPage; }

QString numberFace(int state)
{
    if (isFlagged(state))
        return QStringLiteral("l01032");
    return (state & 1) != 0 ? QStringLiteral("l01031") : QStringLiteral("l01030");
}

QString clockCaption(int minutesLeft)
{
    return QStringLiteral("剩余") + QString::number(minutesLeft) + QStringLiteral("分钟");
}

double clockBarWidth(int minutesLeft, double trackWidth)
{
    return static_cast<float>(trackWidth) * static_cast<float>(shell::kExamMinutes - minutesLeft)
        / static_cast<float>(shell::kExamMinutes);
}

QuestionText readQuestionLine(const QString& line, bool lineBreaks)
{
    QuestionText out;
    const QString t = plat::mid(line, 7);
    if (t.left(7) == QStringLiteral("picture")) {
        out.pictureQuestion = true;
        out.picture = plat::mid(t, 8, 6);
        out.text = plat::mid(t, 14);
        // The name is joined to the module folder: only a plain name may name a picture.
        out.badPicture = out.picture.isEmpty() || out.picture.contains(u'/')
            || out.picture.contains(u'\\') || out.picture.contains(u':')
            || out.picture.startsWith(u'.');
        return out;
    }
    if (!lineBreaks) {
        out.text = t;
        return out;
    }
    out.text.reserve(t.size() + 8);
    for (const QChar c : t) {
        if (c == u'|')
            out.text += QStringLiteral("\r\n");
        else
            out.text += c;
    }
    return out;
}

ImeMenu imeMenu(const std::vector<plat::KeyboardLayout>& installed)
{
    ImeMenu menu;
    for (int k = 1; k <= kImeItems; ++k)
        menu.captions << QStringLiteral("中文") + QString::number(k);
    menu.layouts.assign(kImeItems, std::nullopt);
    menu.visible.assign(kImeItems, true);
    const int n = std::min<int>(static_cast<int>(installed.size()), kMaxLayouts);
    for (int i = 0; i < n; ++i) {
        const plat::KeyboardLayout& layout = installed[static_cast<size_t>(i)];
        if (layout.description.trimmed().isEmpty()) {
            if (!menu.english)
                menu.english = layout;
            continue;
        }
        if (menu.rows <= kImeItems) {
            menu.captions[menu.rows - 1] = layout.description;
            menu.layouts[static_cast<size_t>(menu.rows - 1)] = layout;
        }
        ++menu.rows;
    }
    // 中文1 always shows; the items past the last layout with a description do not.
    for (int k = 2; k <= kImeItems; ++k)
        if (k >= menu.rows)
            menu.visible[static_cast<size_t>(k - 1)] = false;
    return menu;
}

plat::PopupPlace imeMenuPlace(
    double labelLeft, double labelTop, double containerLeft, double containerTop, int rows)
{
    return { .x = containerLeft + labelLeft,
        .y = containerTop + labelTop - rows * kImeMenuRowTwips,
        .rightAligned = true };
}

} // namespace exercise
