#include "exam/frmchengji.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "home/homecommands.h"
#include "home/homeflow.h"
#include "platform/color.h"
#include "platform/text.h"
#include "records/homefiles.h"
#include "records/learnerrecords.h"
#include "widgets/msgbox.h"

#include <QDateTime>

namespace exam {

namespace {
    constexpr double kCell = 480; // pitch of the number grid
    constexpr double kNumberSize = 450;
    constexpr uint32_t kSheetBack = plat::rgb(246, 249, 254);
}

FrmChengjiUi::FrmChengjiUi(plat::Form& f)
    : Picture1(f.area(), QStringLiteral("Picture1"))
    , Command3(Picture1, QStringLiteral("Command3"))
    , Command1(Picture1, QStringLiteral("Command1"))
    , Command2(Picture1, QStringLiteral("Command2"))
    , Label1(Picture1, QStringLiteral("Label1"))
    , Frame1(Picture1, QStringLiteral("Frame1"))
    , CmTNO(Frame1, QStringLiteral("CmTNO"))
    , LblTiMuYQ(Picture1, QStringLiteral("LblTiMuYQ"))
    , Timer1(f, QStringLiteral("Timer1"), 100)
{
    Picture1.move(0, 0, 12000, 9000);
    Picture1.setBorderStyle(0);
    Picture1.setBackColor(kSheetBack);
    Label1.setBackStyle(0);
    Label1.setAutoSize(true);
    Label1.setFont({ QStringLiteral("宋体"), 12, true });
    Frame1.setBorderStyle(0);
    Frame1.setBackColor(kSheetBack);
    for (int i = 1; i <= kPaperQuestions; ++i)
        CmTNO.create(i);
    LblTiMuYQ.setBackStyle(0);
    LblTiMuYQ.setWordWrap(true);
    LblTiMuYQ.setFont({ QStringLiteral("宋体"), 10.5 });
}

FrmChengji::FrmChengji(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmChengji"))
    , sys_(sys)
{
    setBorderless(true);
}

void FrmChengji::Form_Load()
{
    shell::AppState& st = sys_.state;
    auto& ui = uiNoLoad();
    const double sx = st.ScaleX, sy = st.ScaleY;
    // The examination windows are normally gone already; the owner lets them close now.
    sys_.exerciseWindows().closeExercise();

    sys_.logSkinFailure(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    setCaption(st.ProductInfo[0] + st.ProductInfo[9] + QStringLiteral("——") + st.ModuleName
        + QStringLiteral("模块"));
    setBackColor(kSheetBack);
    // Maximised: the window's size is the screen's, so the sheet centres on the screen.
    move(0, 0, sys_.screenWidthTwips(), sys_.screenHeightTwips());
    setWindowState(2);
    ui.Command3.setVisible(true);
    sys_.logSkinFailure(ui.Picture1.setPicture(sys_.skinFile(QStringLiteral("9l0058"))));
    ui.Command3.move(3480 * sx, 4080 * sy, 1920 * sx, 450 * sy);
    ui.Command1.move(
        ui.Command3.left() + ui.Command3.width() + 120 * sx, 4080 * sy, 1920 * sx, 450 * sy);
    ui.Command2.move(
        ui.Command1.left() + ui.Command1.width() + 120 * sx, 4080 * sy, 870 * sx, 450 * sy);
    sys_.logSkinFailure(ui.Command3.setPicture(sys_.skinFile(QStringLiteral("l01036"))));
    sys_.logSkinFailure(ui.Command1.setPicture(sys_.skinFile(QStringLiteral("l01035"))));
    sys_.logSkinFailure(ui.Command2.setPicture(sys_.skinFile(QStringLiteral("l01037"))));
    ui.Label1.move(5010 * sx, 5040 * sy);
    ui.Label1.setFont({ QStringLiteral("宋体"), 12 * sx, true });

    scoreAndRecord();

    ui.Command1.Click = [this] { Command1_Click(); };
    ui.Command2.Click = [this] { Command2_Click(); };
    ui.Command3.Click = [this] { Command3_Click(); };
    for (int i = 1; i <= kPaperQuestions; ++i)
        ui.CmTNO[i].Click = [this, i] { CmTNO_Click(i); };
    ui.Timer1.Tick = [this] { Timer1_Timer(); };
    ui.Timer1.setEnabled(true);
}

void FrmChengji::scoreAndRecord()
{
    shell::AppState& st = sys_.state;
    auto& ui = uiNoLoad();
    const double sx = st.ScaleX, sy = st.ScaleY;
    // A failed read or write is written to the run log; the sheet goes on with what it has.
    const shell::ErrorSite site(st, QStringLiteral("chengji"));
    const auto dir = records::RecordsDir::of(sys_);
    // The sheet's records (favourites, wrong questions, history) are saved as one, at the end.
    records::Operation save(dir, site);
    bool steps = records::addFlaggedFavourites(dir, st, site);

    const QString fileLine = st.studyMode() == shell::StudyMode::RandomPaper
        ? records::readRandomPaper(dir, st.RecordNo, site)
        : records::readFixedPaper(records::DataDir::of(sys_), st.SetNo, site);
    const QString paperLine = paperIdLine(fileLine, st.QuestionIds);

    const PaperResult result = scorePaper(st.QuestionState);
    score_ = result.score;
    for (int i = 1; i <= kPaperQuestions; ++i) {
        widgets::mirtButton& b = ui.CmTNO[i];
        b.setCaption(QString::number(i));
        b.move(((i - 1) % 10) * kCell * sx, ((i - 1) / 10) * kCell * sy, kNumberSize * sx,
            kNumberSize * sy);
        sys_.logSkinFailure(b.setPicture(
            sys_.skinFile(result.done[i] ? QStringLiteral("l01033") : QStringLiteral("l01034"))));
        b.setFontBold(true);
        b.setForeColor(plat::rgb(0, 0, 0));
    }
    steps = steps && records::writePaperWrong(dir, st.RecordNo, st, paperLine, site);
    steps = steps && records::addUndoneToWrongBook(dir, st, paperLine, site);

    widgets::mirtButton& last = ui.CmTNO[kPaperQuestions];
    ui.Frame1.setWidth(last.left() + last.width());
    ui.Frame1.setHeight(last.top() + last.height());
    ui.Frame1.setLeft((ui.Picture1.width() - ui.Frame1.width()) / 2);
    ui.Frame1.setTop(5520 * sy);
    ui.LblTiMuYQ.move(0, 0, 9855 * sx, 855 * sy);
    ui.LblTiMuYQ.setLeft((ui.Picture1.width() - ui.LblTiMuYQ.width()) / 2);
    ui.LblTiMuYQ.setTop(ui.Frame1.top() + ui.Frame1.height() + 360 * sy);
    ui.Frame1.setEnabled(true);

    ui.Label1.setCaption(scoreCaption(st.StudyMode, st.SetNo, score_));

    steps = steps
        && records::recordScoring(
            dir, st.RecordNo, st.ExamStartTime, score_, QDateTime::currentDateTime(), site);
    st.ExamStartTime = QStringLiteral("-1");
    records::tellLearner(
        sys_, save.finish(steps, site), QStringLiteral("本次考试的成绩和错题记录"));

    QuestionTexts.fill(QString());
    const auto lines = plat::readLines(st.QuestionListFile);
    if (lines.ok())
        for (int i = 1; i <= kPaperQuestions && i <= lines.value().size(); ++i)
            QuestionTexts[i] = questionText(lines.value()[i - 1]);
}

void FrmChengji::Timer1_Timer()
{
    auto& ui = this->ui();
    ui.Picture1.move((width() - ui.Picture1.width()) / 2, (height() - ui.Picture1.height()) / 2);
    ui.Timer1.setEnabled(false);
}

void FrmChengji::CmTNO_Click(int index)
{
    if (index < 1 || index > kPaperQuestions)
        return;
    ui().LblTiMuYQ.setCaption(QStringLiteral("第") + QString::number(index)
        + QStringLiteral("题： ") + QuestionTexts[index]);
}

void FrmChengji::Command1_Click()
{
    shell::AppState& st = sys_.state;
    st.setPanelMode(shell::PanelMode::Practice);
    for (int i = 1; i <= kPaperQuestions; ++i)
        st.DoneBefore(i) = QStringLiteral("F");
    unload();
    sys_.exerciseWindows().openExercise(true);
    st.CurrentQuestion = 1;
    sys_.exerciseWindows().reviewPaper(kPaperQuestions);
}

void FrmChengji::Command2_Click()
{
    sys_.exerciseWindows().closeExercise();
    unload();
    flow::returnHome(sys_, home::cmd::PapersTab);
}

void FrmChengji::Form_QueryUnload(int& cancel)
{
    cancel = 1;
    Command2_Click();
}

void FrmChengji::Command3_Click()
{
    sys_.state.setPanelMode(shell::PanelMode::Practice);
    InitShiTi();
}

void FrmChengji::InitShiTi()
{
    shell::AppState& st = sys_.state;
    const shell::ErrorSite site(st, QStringLiteral("chengji"));
    const QString ids
        = records::readPaperWrong(records::RecordsDir::of(sys_), st.RecordNo, site).join(QString());
    if (ids.isEmpty()) {
        // Every question was completed: there is nothing to practise, and the sheet stays.
        widgets::ask(sys_, QStringLiteral("没有错题"),
            QStringLiteral("\r\n\r\n\r\n本次考试没有未完成的题目，无需错题复习。"),
            widgets::kMsgIconEmpty);
        return;
    }
    const int count = flow::prepareExercise(sys_,
        { .studyMode = shell::StudyMode::PaperWrongQuestions,
            .setNo = flow::builtSetNo(shell::StudyMode::PaperWrongQuestions),
            .ids = ids });
    unload();
    // The launch of every practice: slot paths, first steps, favourites flagged (so the end of
    // this practice keeps them), the panel and the simulated window.
    flow::startLianXi(sys_);
    sys_.exerciseWindows().reviewPaper(count);
}

} // namespace exam
