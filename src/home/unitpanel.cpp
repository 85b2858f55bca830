// The unit panel: units in two pages of ten buttons, a scope, a chart of learned and unlearned
// questions, and the launch of unit practice.

#include "core/errorreport.h"
#include "core/system.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"
#include "home/homerules.h"
#include "home/questionset.h"
#include "platform/text.h"
#include "records/homefiles.h"
#include "records/learnerrecords.h"
#include "records/recordfiles.h"
#include "widgets/msgbox.h"

#include <algorithm>

namespace home {

namespace {
    constexpr double kFullBar = 3570; // design twips of a bar of all the questions
    constexpr double kBarBase = 5550; // design twips: the line both bars stand on
    constexpr int kUnitsPerPage = 10;

    int numberOf(const QString& s) { return static_cast<int>(plat::val(s)); }

    // The units the panel can show: the module's, at most one button each.
    int shownUnits(const shell::AppState& st)
    {
        return std::clamp<int>(st.UnitCount, 0, kMaxUnitButtons);
    }
}

void FrmFengmian::unitRefresh()
{
    shell::AppState& st = sys_.state;
    const shell::ErrorSite site(st, QStringLiteral("fengmaincsh"));
    auto& ui = this->ui();
    const double sx = st.ScaleX;
    const double sy = st.ScaleY;

    // The progress file fitted to the unit sizes and written back: after a bank update every
    // unit has one flag per question, the new questions unlearned.
    const auto sizes = records::readUnitSizes(records::DataDir::of(sys_), site);
    const QStringList progress
        = records::refreshUnitProgress(records::RecordsDir::of(sys_), sizes, site);

    // ModuleSettings columns 2 to 4 of the module's units; the others empty, so that no row
    // beyond the module adds to the totals of all units.
    for (int u = 0; u < static_cast<int>(st.ModuleSettings.size()); ++u) {
        auto& row = st.ModuleSettings[static_cast<size_t>(u)];
        if (u >= st.UnitCount) {
            row[2].clear();
            row[3].clear();
            row[4].clear();
            continue;
        }
        const QString line = progress.value(u);
        const QString trimmed = plat::trimSpaces(line);
        row[2] = QString::number(trimmed.size());
        row[4] = trimmed;
        row[3] = QString::number(line.count(u'F'));
    }

    // Left column, at the foot of the panel.
    ui.PicUnitLeft.setLeft(0);
    ui.PicUnitLeft.setTop(ui.PicTiKu.height() - ui.PicUnitLeft.height() - 30 * sy);
    site.check(ui.PicUnitLeft.setPicture(sys_.skinFile(QStringLiteral("l20054"))));

    // Unit buttons; page 1 shows first.
    for (int i = cmd::FirstUnit; i <= cmd::LastUnit; ++i) {
        const int k = i - cmd::FirstUnit;
        widgets::mirtButton& b = ui.ClickBotn[i];
        b.move(15 * sx, (870 + 525 * (i % 10)) * sy, 2700 * sx, 525 * sy);
        b.setFontSize(9 * sx);
        b.setForeColor(0x000000);
        b.setCaption(unitCaption(k, st.ModuleSettings[static_cast<size_t>(k)][1]));
        site.check(b.setPicture(sys_.skinFile(QStringLiteral("l20045"))));
        b.setVisible(k < kUnitsPerPage);
    }

    // The button of all units, above the unit buttons.
    ui.ClickBotn[cmd::AllUnits].move(15 * sx, 0, 2700 * sx, 870 * sy);
    site.check(ui.ClickBotn[cmd::AllUnits].setPicture(sys_.skinFile(QStringLiteral("l20044"))));

    // No unit chosen yet; the page buttons, the second one off when ten units fit on one page.
    SelectedUnit = -1;
    widgets::mirtButton& page1 = ui.ClickBotn[cmd::UnitPage1];
    widgets::mirtButton& page2 = ui.ClickBotn[cmd::UnitPage2];
    page1.move(150 * sx, 6270 * sy, 1185 * sx, 555 * sy);
    page1.setCaption(QStringLiteral("1-10单元"));
    site.check(page1.setPicture(sys_.skinFile(QStringLiteral("l20086"))));
    page2.move(1365 * sx, 6270 * sy, 1185 * sx, 555 * sy);
    page2.setEnabled(true);
    page2.setCaption(
        QStringLiteral("11-") + QString::number(st.UnitCount) + QStringLiteral("单元"));
    site.check(page2.setPicture(sys_.skinFile(QStringLiteral("l20046"))));
    for (widgets::mirtButton* b : { &page1, &page2 }) {
        b->setForeColor(0xFFFFFF);
        b->setFontSize(9 * sx);
    }
    if (st.UnitCount <= 10) {
        page2.setEnabled(false);
        page2.setCaption(QString());
        page1.setCaption(
            QStringLiteral("1-") + QString::number(st.UnitCount) + QStringLiteral("单元"));
    }

    // Chart: the grid, then the learned and unlearned bars side by side.
    ui.ImgUnitGezi.move(2730 * sx, 1680 * sy);
    site.check(ui.ImgUnitGezi.setPicture(sys_.skinFile(QStringLiteral("l20055"))));
    ui.ImgUnitD.setLeft((1500 + 4410) * sx);
    ui.ImgUnitD.setWidth(900 * sx);
    ui.ImgUnitC.setLeft(ui.ImgUnitD.left() + 1500 * sx);
    ui.ImgUnitC.setWidth(900 * sx);

    // Scope buttons, "all" chosen.
    UnitScope = 0;
    for (int s = 0; s <= 2; ++s)
        ui.ClickBotn[cmd::FirstUnitScope + s].move(
            (4485 + 1500 * s) * sx, 5700 * sy, 900 * sx, 375 * sy);
    site.check(
        ui.ClickBotn[cmd::FirstUnitScope].setPicture(sys_.skinFile(QStringLiteral("l20087"))));

    // Title and labels.
    ui.imgPicIII.move(3150 * sx, 420 * sy);
    site.check(ui.imgPicIII.setPicture(sys_.skinFile(QStringLiteral("l20064"))));
    ui.LblUnitDQCAP[1].setFontSize(12 * sx);
    ui.LblUnitDQCAP[1].move(4245 * sx, 630 * sy);
    ui.LblUnitDQCAP[0].setFontSize(10 * sx);
    ui.LblUnitDQCAP[0].move(ui.LblUnitDQCAP[1].left(), 975 * sy);
    ui.LblUnitDQCAP[2].move(4590 * sx, 1740 * sy);
    ui.LblUnitDQCAP[3].setLeft(ui.ImgUnitD.left() + 240 * sx);
    ui.LblUnitDQCAP[4].setLeft(ui.ImgUnitC.left() + 240 * sx);

    // All units chosen, so the chart opens on the whole bank.
    ClickBotn_Click(cmd::AllUnits);
}

void FrmFengmian::setUnitPage(int page)
{
    auto& ui = this->ui();
    const shell::ErrorSite site(sys_.state, QStringLiteral("clickbotn"));
    const int units = shownUnits(sys_.state);
    const QString chosen = sys_.skinFile(QStringLiteral("l20086"));
    const QString other = sys_.skinFile(QStringLiteral("l20046"));
    site.check(ui.ClickBotn[cmd::UnitPage1].setPicture(page == 1 ? chosen : other));
    site.check(ui.ClickBotn[cmd::UnitPage2].setPicture(page == 1 ? other : chosen));
    for (int k = 0; k <= cmd::LastUnit - cmd::FirstUnit; ++k)
        ui.ClickBotn[cmd::FirstUnit + k].setVisible(
            (k < kUnitsPerPage) == (page == 1) && k < units);
}

void FrmFengmian::chooseUnit(int index)
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    const double sy = st.ScaleY;
    SelectedUnit = static_cast<int16_t>(index - cmd::FirstUnit);
    int total = 0;
    int unlearned = 0;
    if (index == cmd::AllUnits) {
        ui.LblUnitDQCAP[1].setCaption(QStringLiteral("所有题库中题目"));
        for (const auto& row : st.ModuleSettings) {
            total += numberOf(row[2]);
            unlearned += numberOf(row[3]);
        }
    } else {
        const int u = index - cmd::FirstUnit;
        setUnitPage(u < kUnitsPerPage ? 1 : 2);
        const auto& row = st.ModuleSettings[static_cast<size_t>(u)];
        ui.LblUnitDQCAP[1].setCaption(
            QStringLiteral("第") + QString::number(u + 1) + QStringLiteral("单元 ") + row[1]);
        total = numberOf(row[2]);
        unlearned = numberOf(row[3]);
    }
    ui.LblUnitDQCAP[2].setCaption(QString::number(total) + QStringLiteral("题"));
    ui.LblUnitDQCAP[3].setCaption(QString::number(total - unlearned) + QStringLiteral("题"));
    ui.LblUnitDQCAP[4].setCaption(QString::number(unlearned) + QStringLiteral("题"));

    // An empty choice draws empty bars rather than keeping the last choice's.
    const double unlearnedHeight = total > 0 ? kFullBar * unlearned / total * sy : 0;
    const double learnedHeight = total > 0 ? kFullBar * (total - unlearned) / total * sy : 0;
    ui.ImgUnitC.setHeight(unlearnedHeight);
    ui.ImgUnitC.setTop(kBarBase * sy - unlearnedHeight);
    ui.ImgUnitD.setHeight(learnedHeight);
    ui.ImgUnitD.setTop(kBarBase * sy - learnedHeight);
    ui.LblUnitDQCAP[3].setTop(ui.ImgUnitD.top() - 240 * sy);
    ui.LblUnitDQCAP[4].setTop(ui.ImgUnitC.top() - 240 * sy);

    for (int i = cmd::AllUnits; i <= cmd::LastUnit; ++i)
        ui.ClickBotn[i].setEnabled(true);
    ui.ClickBotn[index].setEnabled(false);
}

void FrmFengmian::unitPage(int index)
{
    SelectedUnit = static_cast<int16_t>(kUnitsPerPage * (index - cmd::UnitPage1));
    ClickBotn_Click(cmd::FirstUnit + SelectedUnit);
    setUnitPage(index - cmd::UnitPage1 + 1);
}

void FrmFengmian::unitScope(int index)
{
    auto& ui = this->ui();
    const shell::ErrorSite site(sys_.state, QStringLiteral("clickbotn"));
    UnitScope = static_cast<int16_t>(index - cmd::FirstUnitScope);
    for (int i = cmd::FirstUnitScope; i <= cmd::LastUnitScope; ++i)
        site.check(ui.ClickBotn[i].setPicture(
            sys_.skinFile(QStringLiteral("l200") + QString::number(i == index ? i + 50 : i))));
}

void FrmFengmian::unitTab()
{
    const shell::AppState& st = sys_.state;
    showPanel(cmd::UnitsTab);
    QList<UnitTotals> units;
    for (int u = 0; u < shownUnits(st); ++u) {
        const auto& row = st.ModuleSettings[static_cast<size_t>(u)];
        units.append({ numberOf(row[2]), numberOf(row[3]) });
    }
    ClickBotn_Click(autoChosenUnitButton(units));
    ui().PicAd.setVisible(true);
}

void FrmFengmian::startUnitPractice()
{
    shell::AppState& st = sys_.state;
    if (SelectedUnit < 0) {
        widgets::ask(sys_, QStringLiteral("单元练习"),
            QStringLiteral("\r\n本模块共有") + QString::number(st.UnitCount)
                + QStringLiteral(
                    "单元\r\n\r\n请先点击左边单元名称选择您要学习的单元，再点开始学习！"),
            widgets::kMsgIconEmpty);
        return;
    }
    const int u = SelectedUnit;
    const auto& row = st.ModuleSettings[static_cast<size_t>(u)];
    const QString progress = row[4];

    if (UnitScope == 0) {
        const int count = std::clamp(numberOf(row[2]), 0, kMaxSetQuestions);
        if (count == 0) {
            widgets::ask(sys_, QStringLiteral("章节练习"),
                QStringLiteral("\r\n\r\n\r\n您本部分没有题目！"), widgets::kMsgIconEmpty);
            return;
        }
        QString ids;
        for (int i = 1; i <= count; ++i)
            ids += questionIdText(u, i);
        flow::prepareExercise(sys_,
            { .studyMode = shell::StudyMode::WholeUnit,
                .setNo = u,
                .ids = ids,
                .shippedSlot = true,
                .doneBefore = [&progress](int i) { return plat::mid(progress, i, 1); } });
        flow::startLianXi(sys_);
        return;
    }

    const bool learned = UnitScope == 1;
    const QString ids = unitIdString(u, progress, learned ? u'T' : u'F');
    if (plat::trimSpaces(ids).isEmpty()) {
        widgets::ask(sys_, QStringLiteral("章节练习"),
            QStringLiteral("\r\n\r\n\r\n")
                + (learned ? QStringLiteral("您本部分没有已学题！")
                           : QStringLiteral("您本部分没有未学题！")),
            widgets::kMsgIconEmpty);
        return;
    }
    const shell::StudyMode mode
        = learned ? shell::StudyMode::UnitLearned : shell::StudyMode::UnitUnlearned;
    flow::prepareExercise(sys_,
        { .studyMode = mode,
            .setNo = flow::builtSetNo(mode),
            .recordNo = u,
            .ids = ids,
            .doneBefore
            = [learned](int) { return learned ? QStringLiteral("T") : QStringLiteral("F"); } });
    flow::startLianXi(sys_);
}

} // namespace home
