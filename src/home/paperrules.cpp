#include "home/paperrules.h"

#include "platform/text.h"

namespace home {

int lastSprintRow(int fixedPaperCount)
{
    if (fixedPaperCount >= 4 && fixedPaperCount <= 7)
        return 1;
    if (fixedPaperCount >= 8 && fixedPaperCount <= 11)
        return 3;
    if (fixedPaperCount >= 12 && fixedPaperCount <= 15)
        return 5;
    return 7;
}

namespace {
    QString numeral(int n)
    {
        static const QString digits = QStringLiteral("一二三四五六七八九十");
        return plat::mid(digits, n, 1);
    }
}

QString paperTitle(int row, int lastSprint)
{
    if (row >= kFirstRandomRow)
        return QStringLiteral("随机试卷") + numeral(row - kFirstRandomRow + 1);
    if (row <= lastSprint)
        return QStringLiteral("冲刺试卷") + numeral(row + 1);
    return QStringLiteral("模拟试卷") + numeral(row - lastSprint);
}

double cardTop(int row, int lastSprint)
{
    int inGroup = row;
    if (row >= kFirstRandomRow)
        inGroup = row - kFirstRandomRow;
    else if (row > lastSprint)
        inGroup = row - lastSprint - 1;
    return 120 + 1350 * (inGroup / 2);
}

double cardLeft(int row) { return 2880 + 4560 * (row % 2); }

QString lastExamCaption(const QString& historyTime)
{
    return QStringLiteral("最后考试时间：") + plat::left(historyTime, 16);
}

QString wrongCountCaption(const QString& wrongLine)
{
    return QStringLiteral("(") + QString::number(plat::trimSpaces(wrongLine).size() / 4)
        + QStringLiteral(")");
}

bool sprintPassed(const std::function<QString(int row)>& bestScore, int lastSprint)
{
    for (int r = 1; r <= lastSprint; ++r)
        if (plat::val(bestScore(r)) < kPassMark)
            return false;
    return true;
}

PaperListView paperListView(
    int listIndex, int lastSprint, int fixedPaperCount, int randomPaperCount)
{
    PaperListView v;
    switch (listIndex) {
    case 28:
        for (int r = 0; r <= lastSprint && r < kFirstRandomRow; ++r)
            v.rowShown[r] = true;
        v.face = QStringLiteral("l20047");
        break;
    case 29:
        for (int r = lastSprint + 1; r < fixedPaperCount && r < kFirstRandomRow; ++r)
            v.rowShown[r] = true;
        v.face = QStringLiteral("l20048");
        break;
    case 30:
        v.randomPageShown = true;
        break;
    case 31:
        for (int r = kFirstRandomRow; r < kFirstRandomRow + randomPaperCount && r < kPaperRows; ++r)
            v.rowShown[r] = true;
        v.face = QStringLiteral("l20048");
        v.noRandomNoticeShown = randomPaperCount == 0;
        break;
    default:
        break;
    }
    return v;
}

} // namespace home
