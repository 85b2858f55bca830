#include "home/paperpanel.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "records/homefiles.h"
#include "records/learnerrecords.h"
#include "records/operation.h"
#include "records/recordfiles.h"
#include "widgets/msgbox.h"

#include <QDateTime>
#include <QFontMetricsF>

#include <map>
#include <memory>

namespace home {

namespace {
    constexpr uint32_t kBlue = plat::rgb(12, 127, 233);
    constexpr uint32_t kDark = plat::rgb(51, 51, 51);
    constexpr uint32_t kGrey = plat::rgb(102, 102, 102);
    constexpr uint32_t kRed = plat::rgb(224, 0, 0);
    // "最好成绩：    分" with the gap in which the score stands. The four spaces are en spaces:
    // the mapped face draws an ASCII space far narrower than the half-width space the gap was
    // laid out for, and a score such as 82.5 would cover the "分".
    const QString kScorePrefix = QStringLiteral("最好成绩：");
    const QString kScoreGap = QString(4, QChar(0x2002));
    const QString kScoreCaption = kScorePrefix + kScoreGap + QStringLiteral("分");

    // The score's left edge that centres it in the gap of the caption beside it.
    double scoreLeft(const plat::Label& caption, const plat::Label& score, double twipsPerPixel)
    {
        const QFontMetricsF m(plat::toQFont(caption.font(), twipsPerPixel));
        const double gapCentre
            = (m.horizontalAdvance(kScorePrefix) + m.horizontalAdvance(kScoreGap) / 2)
            * twipsPerPixel;
        return caption.left() + gapCentre - score.width() / 2;
    }

    plat::Label& cardLabel(plat::ControlArray<plat::Label>& array, int row)
    {
        plat::Label& l = array.create(row);
        l.setBackStyle(0);
        l.setAutoSize(true);
        l.setFont({ QStringLiteral("宋体"), 9 });
        return l;
    }
}

PaperPanelUi::PaperPanelUi(plat::PictureBox& PicKaCH)
    : PicKaCHLeft(PicKaCH, QStringLiteral("PicKaCHLeft"))
    , ImgShiJuan(PicKaCH, QStringLiteral("ImgShiJuan"))
    , LblShiJuanBiao(PicKaCH, QStringLiteral("LblShiJuanBiao"))
    , LblShiJuanTime(PicKaCH, QStringLiteral("LblShiJuanTime"))
    , LblShiJuanSSSS(PicKaCH, QStringLiteral("LblShiJuanSSSS"))
    , LblShiJuanScore(PicKaCH, QStringLiteral("LblShiJuanScore"))
    , LblShiJuanCCC(PicKaCH, QStringLiteral("LblShiJuanCCC"))
    , LblShiJuanCuoTi(PicKaCH, QStringLiteral("LblShiJuanCuoTi"))
    , LblShiJuanDel(PicKaCH, QStringLiteral("LblShiJuanDel"))
    , ImgSuiJi(PicKaCH, QStringLiteral("ImgSuiJi"))
    , LblNoHis(PicKaCH, QStringLiteral("LblNoHis"))
{
    // The cards first, so every label is drawn over its card.
    for (int r = 0; r < kPaperRows; ++r)
        ImgShiJuan.create(r).setStretch(true);
    for (int r = 0; r < kPaperRows; ++r) {
        cardLabel(LblShiJuanBiao, r).setFont({ QStringLiteral("宋体"), 10, true });
        cardLabel(LblShiJuanTime, r).setForeColor(kGrey);
        cardLabel(LblShiJuanSSSS, r).setForeColor(kGrey);
        LblShiJuanSSSS[r].setCaption(kScoreCaption);
        plat::Label& score = cardLabel(LblShiJuanScore, r);
        score.setFont({ QStringLiteral("宋体"), 9, true });
        score.setForeColor(kBlue);
        score.setAlignment(2);
        cardLabel(LblShiJuanCCC, r).setForeColor(kRed);
        LblShiJuanCCC[r].setCaption(QStringLiteral("错题复习"));
        cardLabel(LblShiJuanCuoTi, r).setForeColor(kGrey);
        cardLabel(LblShiJuanDel, r).setForeColor(kBlue);
    }
    LblNoHis.setBackStyle(0);
    LblNoHis.setAutoSize(true);
    LblNoHis.setForeColor(plat::rgb(64, 64, 64));
    LblNoHis.setFont({ QStringLiteral("宋体"), 20 });
    LblNoHis.setCaption(QStringLiteral("您还没有练习过随机试卷！"));
    LblNoHis.setVisible(false);
    ImgSuiJi.setVisible(false);
}

} // namespace home

namespace home {

namespace {
    FrmFengmian& homeWindow(shell::System& sys) { return sys.form<FrmFengmian>(); }

    // Shows a paper row: its card, labels and start button together.
    void showRow(FrmFengmian& home, PaperPanelUi& p, int r, bool shown)
    {
        p.ImgShiJuan[r].setVisible(shown);
        for (auto* a : { &p.LblShiJuanBiao, &p.LblShiJuanTime, &p.LblShiJuanSSSS,
                 &p.LblShiJuanScore, &p.LblShiJuanCCC, &p.LblShiJuanCuoTi, &p.LblShiJuanDel })
            (*a)[r].setVisible(shown);
        home.ui().ClickBotn[cmd::FirstPaper + r].setVisible(shown);
    }
}

// The pass of the home refresh over the paper panel.
void paperPass(shell::System& sys, PaperPanelUi& p)
{
    shell::AppState& st = sys.state;
    FrmFengmian& home = homeWindow(sys);
    auto& ui = home.ui();
    const double sx = st.ScaleX, sy = st.ScaleY;
    const shell::ErrorSite site(st, QStringLiteral("fengmaincsh"));

    p.PicKaCHLeft.move(ui.PicUnitLeft.left(), ui.PicUnitLeft.top());
    p.PicKaCHLeft.setPicture(ui.PicUnitLeft.picture());
    for (int i = cmd::SprintPapers; i <= cmd::RandomPapers; ++i)
        ui.ClickBotn[i].move(
            15 * sx, (15 + 750 * (i - cmd::SprintPapers)) * sy, 2700 * sx, 750 * sy);
    home.LastSprintRow = static_cast<int16_t>(lastSprintRow(st.FixedPaperCount));
    const int last = home.LastSprintRow;

    const auto history = records::readExamHistory(records::RecordsDir::of(sys), site);
    for (int n = 1; n <= records::ExamHistory::kLines; ++n)
        home.HistoryLines[static_cast<size_t>(n)] = history.line(n);

    const auto dir = records::RecordsDir::of(sys);
    plat::Picture card;
    if (auto pic = plat::loadPicture(sys.skinFile(QStringLiteral("l20065"))); site.check(pic))
        card = pic.value();
    for (int r = 0; r < kPaperRows; ++r) {
        const double x = cardLeft(r) * sx;
        const double y = cardTop(r, last) * sy;
        p.ImgShiJuan[r].move(x, y, 4410 * sx, 1200 * sy);
        p.ImgShiJuan[r].setPicture(card);
        p.ImgShiJuan[r].setVisible(r <= last);
        p.LblShiJuanBiao[r].setCaption(paperTitle(r, last));
        p.LblShiJuanBiao[r].setForeColor(r <= last ? kBlue : kDark);
        p.LblShiJuanDel[r].setCaption(
            r >= kFirstRandomRow ? QStringLiteral("删除试卷") : QString());

        p.LblShiJuanBiao[r].move(x + 120 * sx, y + 210 * sy);
        p.LblShiJuanDel[r].move(x + 1800 * sx, y + 225 * sy);
        p.LblShiJuanTime[r].move(x + 120 * sx, y + 555 * sy);
        ui.ClickBotn[cmd::FirstPaper + r].move(x + 3000 * sx, y + 630 * sy, 1275 * sx, 450 * sy);
        p.LblShiJuanSSSS[r].move(x + 120 * sx, y + 870 * sy);
        p.LblShiJuanScore[r].move(x + 1140 * sx, y + 870 * sy);
        p.LblShiJuanCCC[r].move(x + 1800 * sx, y + 870 * sy);
        p.LblShiJuanCuoTi[r].move(x + 2520 * sx, y + 870 * sy);
        p.LblShiJuanBiao[r].setFontSize(10 * sx);
        for (auto* a : { &p.LblShiJuanTime, &p.LblShiJuanSSSS, &p.LblShiJuanScore, &p.LblShiJuanCCC,
                 &p.LblShiJuanCuoTi, &p.LblShiJuanDel })
            (*a)[r].setFontSize(9 * sx);
        for (auto* a : { &p.LblShiJuanCCC, &p.LblShiJuanDel })
            if ((*a)[r].setMouseIcon(sys.skinFile(QStringLiteral("9l0015"))))
                (*a)[r].setMousePointer(plat::kCustomPointer).ignore();
        showRow(home, p, r, p.ImgShiJuan[r].visible());

        const QStringList wrong = records::readPaperWrong(dir, r, site);
        p.LblShiJuanCuoTi[r].setCaption(wrongCountCaption(wrong.join(QString())));
        p.LblShiJuanTime[r].setCaption(lastExamCaption(history.lastTime(r)));
        p.LblShiJuanScore[r].setCaption(history.bestScore(r));
        p.LblShiJuanScore[r].setLeft(
            scoreLeft(p.LblShiJuanSSSS[r], p.LblShiJuanScore[r], sys.twipsPerPixelX()));
    }

    p.ImgSuiJi.move(2730 * sx, 90 * sy);
    site.check(p.ImgSuiJi.setPicture(sys.skinFile(QStringLiteral("l20066"))));
    p.ImgSuiJi.setVisible(false);
    ui.ClickBotn[cmd::NewRandomPaper].setVisible(false);
    p.LblNoHis.move(4680 * sx, 2160 * sy);
    p.LblNoHis.setFontSize(20 * sx);
    p.LblNoHis.setVisible(false);
    home.ClickBotn_Click(cmd::SprintPapers);
}

void showList(shell::System& sys, PaperPanelUi& p, int index)
{
    FrmFengmian& home = homeWindow(sys);
    auto& ui = home.ui();
    const shell::ErrorSite site(sys.state, QStringLiteral("clickbotn"));
    p.LblNoHis.setVisible(false);
    for (int i = cmd::SprintPapers; i <= cmd::RandomPapers; ++i)
        ui.ClickBotn[i].setEnabled(true);
    ui.ClickBotn[index].setEnabled(false);
    const PaperListView v = paperListView(
        index, home.LastSprintRow, sys.state.FixedPaperCount, home.RandomPaperCount);
    for (int r = 0; r < kPaperRows; ++r) {
        showRow(home, p, r, v.rowShown[static_cast<size_t>(r)]);
        if (v.rowShown[static_cast<size_t>(r)])
            site.check(ui.ClickBotn[cmd::FirstPaper + r].setPicture(sys.skinFile(v.face)));
    }
    p.ImgSuiJi.setVisible(v.randomPageShown);
    p.LblNoHis.setVisible(v.noRandomNoticeShown);
    ui.ClickBotn[cmd::NewRandomPaper].setVisible(p.ImgSuiJi.visible());
}

void paperTab(shell::System& sys)
{
    FrmFengmian& home = homeWindow(sys);
    const bool passed
        = sprintPassed([&](int r) { return home.HistoryLines[static_cast<size_t>(3 * r + 2)]; },
            home.LastSprintRow);
    home.ClickBotn_Click(passed ? cmd::MockPapers : cmd::SprintPapers);
}

void startPaper(shell::System& sys, int index)
{
    shell::AppState& st = sys.state;
    const shell::ErrorSite site(st, QStringLiteral("clickbotn"));
    const int p = index - cmd::FirstPaper;
    flow::ExerciseRequest paper { .recordNo = p,
        .panelMode = shell::PanelMode::Examination,
        .questionCount = flow::kPaperQuestions };
    if (p < kFirstRandomRow) {
        paper.studyMode = shell::StudyMode::FixedPaper;
        paper.setNo = p;
        paper.ids = records::readFixedPaper(records::DataDir::of(sys), p, site);
    } else {
        paper.studyMode = shell::StudyMode::RandomPaper;
        paper.setNo = flow::builtSetNo(shell::StudyMode::RandomPaper);
        paper.ids = records::readRandomPaper(records::RecordsDir::of(sys), p, site);
    }
    flow::prepareExercise(sys, paper);
    flow::startLianXi(sys);
}

bool createRandomPaper(shell::System& sys, int randomPaperCount, const UniformSource& rnd,
    const shell::ErrorSite& site)
{
    shell::AppState& st = sys.state;
    QList<int> sizes;
    for (int u = 0; u < st.UnitCount && u < static_cast<int>(st.ModuleSettings.size()); ++u)
        sizes << static_cast<int>(plat::val(st.ModuleSettings[static_cast<size_t>(u)][2]));
    const RandomDraw draw = drawRandomPaper(sizes, rnd);
    if (!draw.ok) {
        widgets::ask(sys, QStringLiteral("随机试卷"), QStringLiteral("\r\n\r\n\r\n") + draw.problem,
            widgets::kMsgIconEmpty);
        return false;
    }
    // The paper is recorded only when its question set could be built.
    const int built = flow::prepareExercise(sys,
        { .studyMode = shell::StudyMode::RandomPaper,
            .setNo = flow::builtSetNo(shell::StudyMode::RandomPaper),
            .recordNo = records::kFirstRandomPaper,
            .panelMode = shell::PanelMode::Examination,
            .ids = draw.ids,
            .questionCount = flow::kPaperQuestions });
    if (built == 0) {
        widgets::ask(sys, QStringLiteral("随机试卷"),
            QStringLiteral("\r\n\r\n\r\n")
                + (st.SetNotWritten
                        ? QStringLiteral("试卷的题目文件")
                            + QString::fromUtf16(flow::kNotWrittenToModuleFolder)
                            + QStringLiteral("随机试卷没有生成。")
                        : QStringLiteral("抽到的题目在题库中找不到，随机试卷没有生成。")),
            widgets::kMsgIconEmpty);
        return false;
    }
    const records::Saved saved = records::addRandomPaper(records::RecordsDir::of(sys), draw.ids,
        randomPaperCount, QDateTime::currentDateTime(), site);
    records::tellLearner(sys, saved, QStringLiteral("新的随机试卷"));
    return saved.ok;
}

void LblShiJuanCCC_Click(shell::System& sys, int row)
{
    shell::AppState& st = sys.state;
    if (row < 0 || row >= kPaperRows)
        return;
    const shell::ErrorSite site(st, QStringLiteral("lblshijuancc"));
    // A file that exists but cannot be read is told apart from an empty one.
    const std::optional<QString> read
        = records::paperWrongLine(records::RecordsDir::of(sys), row, site);
    if (!read) {
        widgets::ask(sys, QStringLiteral("错题复习"),
            QStringLiteral("\r\n\r\n\r\n本套试题的错题记录无法读取。"), widgets::kMsgIconEmpty);
        return;
    }
    const QString& line = *read;
    if (line.isEmpty()) {
        widgets::ask(sys, QStringLiteral("没有生成错题"),
            QStringLiteral("\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n"
                           "请点“开始考试”做本套试题。"),
            widgets::kMsgIconQuestion);
        return;
    }
    flow::prepareExercise(sys,
        { .studyMode = shell::StudyMode::PaperWrongQuestions,
            .setNo = flow::builtSetNo(shell::StudyMode::PaperWrongQuestions),
            .recordNo = row,
            .ids = line });
    flow::startLianXi(sys);
}

void LblShiJuanDel_Click(shell::System& sys, int row)
{
    FrmFengmian& home = homeWindow(sys);
    const int count = home.RandomPaperCount;
    // Only a listed random paper can be deleted; a press anywhere else changes nothing.
    if (row < kFirstRandomRow || row >= kFirstRandomRow + count)
        return;
    if (!widgets::ask(sys, QStringLiteral("删除试卷"),
            QStringLiteral("\r\n\r\n\r\n您确实要删除本套随机试题吗？"), widgets::kMsgIconQuestion))
        return;
    const shell::ErrorSite site(sys.state, QStringLiteral("lblshijuandel"));
    // The list, the wrong-question files and the history move together or not at all.
    const records::Saved saved
        = records::removeRandomPaper(records::RecordsDir::of(sys), row, count, site);
    records::tellLearner(sys, saved, QStringLiteral("随机试卷的删除"));
    if (saved)
        home.FengMainCsh();
}

PaperPanelUi* paperPanel(shell::System& sys)
{
    auto& homeWindow = sys.form<FrmFengmian>();
    return homeWindow.isLoaded() ? homeWindow.adopted<PaperPanelUi>() : nullptr;
}

} // namespace home

namespace flow {

void buildPaperPanel(shell::System& sys)
{
    if (home::paperPanel(sys))
        return;
    auto& homeWindow = sys.form<home::FrmFengmian>();
    auto panel = std::make_shared<home::PaperPanelUi>(homeWindow.ui().PicKaCH);
    for (int r = 0; r < home::kPaperRows; ++r) {
        panel->LblShiJuanCCC[r].Click = [&sys, r] { home::LblShiJuanCCC_Click(sys, r); };
        panel->LblShiJuanDel[r].Click = [&sys, r] { home::LblShiJuanDel_Click(sys, r); };
    }
    // The window keeps the panel for this load and drops it before its container.
    homeWindow.adoptControls(std::move(panel));
}

void paperPanelPass(shell::System& sys)
{
    buildPaperPanel(sys);
    if (home::PaperPanelUi* p = home::paperPanel(sys))
        home::paperPass(sys, *p);
}

void paperCommand(shell::System& sys, int index)
{
    home::PaperPanelUi* p = home::paperPanel(sys);
    using namespace home;
    if (index == cmd::PapersStart || index == cmd::PapersTab)
        home::paperTab(sys);
    else if (index >= cmd::SprintPapers && index <= cmd::RandomPapers && p)
        home::showList(sys, *p, index);
    else if (index == cmd::NewRandomPaper) {
        const shell::ErrorSite site(sys.state, QStringLiteral("clickbotn"));
        if (home::createRandomPaper(sys, sys.form<home::FrmFengmian>().RandomPaperCount,
                home::clockSeededSource(), site))
            flow::startLianXi(sys);
    } else if (index >= cmd::FirstPaper && index <= cmd::LastPaper)
        home::startPaper(sys, index);
}

} // namespace flow
