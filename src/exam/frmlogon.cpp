#include "exam/frmlogon.h"

#include "core/system.h"
#include "exam/examrules.h"
#include "home/homeflow.h"
#include "platform/color.h"
#include "records/learnerrecords.h"
#include "stepengine/steprecord.h"

#include <QDate>
#include <QDateTime>

namespace exam {

namespace {
    const plat::FontSpec kLoginFont { QStringLiteral("宋体"), 12, true };

    void transparentLabel(plat::Label& l)
    {
        l.setBackStyle(0);
        l.setAutoSize(true);
        l.setFont(kLoginFont);
    }
}

FrmLogonUi::FrmLogonUi(plat::Form& f)
    : Picture1(f.area(), QStringLiteral("Picture1"))
    , TxtZwh(Picture1, QStringLiteral("TxtZwh"))
    , TxtSFZ(Picture1, QStringLiteral("TxtSFZ"))
    , CmdLog(Picture1, QStringLiteral("CmdLog"))
    , CmdExit(Picture1, QStringLiteral("CmdExit"))
    , Picture2(f.area(), QStringLiteral("Picture2"))
    , LblName(Picture2, QStringLiteral("LblName"))
    , LblZwh(Picture2, QStringLiteral("LblZwh"))
    , LblCC(Picture2, QStringLiteral("LblCC"))
    , LblKm(Picture2, QStringLiteral("LblKm"))
    , LblSfz(Picture2, QStringLiteral("LblSfz"))
    , LblDah(Picture2, QStringLiteral("LblDah"))
    , LblDate(Picture2, QStringLiteral("LblDate"))
    , P2(Picture2, QStringLiteral("P2"))
    , LJD(P2, QStringLiteral("LJD"))
    , Timer1(f, QStringLiteral("Timer1"), 100)
    , Timer2(f, QStringLiteral("Timer2"), 100)
{
    Picture1.move(0, 0, 12000, 9000);
    Picture1.setBorderStyle(0);
    Picture2.move(0, 0, 12000, 9000);
    Picture2.setBorderStyle(0);
    TxtZwh.move(5040, 4440, 3255, 360);
    TxtZwh.setFont(kLoginFont);
    TxtZwh.setText(QStringLiteral("18"));
    TxtSFZ.move(5160, 5040, 3255, 360);
    TxtSFZ.setFont(kLoginFont);
    TxtSFZ.setText(kIdCardPrefill);
    for (plat::Label* l : { &CmdLog, &CmdExit }) {
        l->setBackStyle(0);
        l->setFont(kLoginFont);
    }
    CmdLog.move(4275, 5640, 1335, 495);
    CmdExit.move(6660, 5640, 1335, 495);
    transparentLabel(LblName);
    LblName.move(4080, 2610, 765, 240);
    transparentLabel(LblZwh);
    LblZwh.move(4080, 2940, 270, 240);
    transparentLabel(LblCC);
    LblCC.move(4080, 3300, 270, 240);
    transparentLabel(LblKm);
    LblKm.move(2505, 4215, 945, 240);
    transparentLabel(LblSfz);
    LblSfz.move(2505, 4590, 2160, 240);
    transparentLabel(LblDah);
    LblDah.move(2505, 4950, 810, 240);
    transparentLabel(LblDate);
    LblDate.move(2505, 5250, 1350, 240);
    P2.move(1080, 7920, 10335, 180);
    P2.setBorderStyle(0);
    LJD.move(0, 0, 255, 375);
    LJD.setBackStyle(1);
    LJD.setBackColor(plat::rgb(0, 0, 255));
}

FrmLogon::FrmLogon(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmLogon"))
    , sys_(sys)
{
    setBorderless(true);
}

void FrmLogon::Form_Load()
{
    shell::AppState& st = sys_.state;
    auto& ui = uiNoLoad();
    const double sx = st.ScaleX, sy = st.ScaleY;
    setCaption(QStringLiteral("Form1"));
    setBackColor(plat::rgb(64, 128, 128));
    move(0, 0, sys_.screenWidthTwips(), sys_.screenHeightTwips());
    setWindowState(2);
    sys_.logSkinFailure(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    ui.TxtZwh.move(5070 * sx, 4440 * sy);
    ui.TxtSFZ.move(ui.TxtZwh.left(), 4905 * sy);
    ui.CmdLog.move(4275 * sx, 5640 * sy);
    ui.CmdExit.move(6660 * sx, 5640 * sy);
    ui.LblName.move(4080 * sx, 2610 * sy);
    ui.LblZwh.move(ui.LblName.left(), 2940 * sy);
    ui.LblCC.move(ui.LblName.left(), 3300 * sy);
    ui.LblKm.move(2505 * sx, 4215 * sy);
    ui.LblSfz.move(ui.LblKm.left(), 4590 * sy);
    ui.LblDah.move(ui.LblKm.left(), 4950 * sy);
    ui.LblDate.move(ui.LblKm.left(), 5250 * sy);
    ui.P2.move(1110 * sx, 7980 * sy, 10335 * sx);
    // The buttons' faces are drawn on the page: a pointing hand says where to click.
    for (plat::Label* l : { &ui.CmdLog, &ui.CmdExit })
        if (l->setMouseIcon(sys_.skinFile(QStringLiteral("9l0015"))))
            l->setMousePointer(plat::kCustomPointer).ignore();
    sys_.logSkinFailure(ui.Picture1.setPicture(sys_.skinFile(QStringLiteral("9l0056"))));
    sys_.logSkinFailure(ui.Picture2.setPicture(sys_.skinFile(QStringLiteral("9l0057"))));
    // The paper's files, by the launch's rule.
    st.AnswerTextFile = sys_.skinFile(QStringLiteral("288890"));
    st.StepFile = sys_.skinFile(stepengine::stepFileName(st.StudyMode, st.SetNo));
    st.QuestionListFile = sys_.skinFile(stepengine::questionFileName(st.StudyMode, st.SetNo));

    ui.Picture1.setVisible(false);
    ui.Picture2.setVisible(false);
    ui.TxtZwh.Change = [this] { filterField(this->ui().TxtZwh, false); };
    ui.TxtSFZ.Change = [this] { filterField(this->ui().TxtSFZ, true); };
    ui.CmdLog.Click = [this] { CmdLog_Click(); };
    ui.CmdExit.Click = [this] { CmdExit_Click(); };
    ui.Timer1.Tick = [this] { Timer1_Timer(); };
    ui.Timer2.Tick = [this] { Timer2_Timer(); };
    ui.Timer1.setEnabled(true);
}

void FrmLogon::filterField(plat::TextBox& box, bool idCard)
{
    const QString text = box.text();
    const QString kept = idCard ? filterIdCard(text) : text.left(kSeatFieldLength);
    if (kept == text)
        return;
    // Setting the text raises Change again; the kept text passes unchanged.
    const int caret = box.selStart() - static_cast<int>(text.size() - kept.size());
    box.setText(kept);
    box.setSelStart(std::clamp(caret, 0, static_cast<int>(kept.size())));
}

void FrmLogon::Timer1_Timer()
{
    auto& ui = this->ui();
    ui.Picture1.move(0, 0);
    ui.Picture1.setVisible(true);
    ui.Picture2.move(ui.Picture1.left(), ui.Picture1.top());
    ui.Picture2.setVisible(false);
    ui.Timer1.setEnabled(false);
}

void FrmLogon::CmdLog_Click()
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    st.SeatNo = seatNumber(ui.TxtZwh.text());
    st.ShiftNo = QStringLiteral("18");
    st.IdCardNo = idCardNumber(ui.TxtSFZ.text());
    st.ArchiveNo = QStringLiteral("888888");
    ui.LblName.setCaption(st.CandidateName);
    ui.LblZwh.setCaption(st.SeatNo);
    ui.LblCC.setCaption(st.ShiftNo);
    ui.LblKm.setCaption(st.ModuleName);
    ui.LblSfz.setCaption(st.IdCardNo);
    ui.LblDah.setCaption(st.ArchiveNo);
    ui.LblDate.setCaption(QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日")));
    ui.Picture1.setVisible(false);
    ui.Picture2.setVisible(true);
    ui.Timer2.setEnabled(true);
}

void FrmLogon::Timer2_Timer()
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    ui.LJD.setWidth(ui.LJD.width() + kProgressStep * st.ScaleX);
    if (ui.LJD.width() <= ui.P2.width())
        return;
    unload();
    st.ExamStartTime = records::historyTime(QDateTime::currentDateTime());
    st.CurrentQuestion = 1;
    sys_.exerciseWindows().openExercise(false);
}

void FrmLogon::Form_QueryUnload(int& cancel)
{
    cancel = 1;
    // The confirmation page runs to the examination by itself within a second.
    if (ui().Picture1.visible())
        CmdExit_Click();
}

void FrmLogon::CmdExit_Click()
{
    const shell::AppState& st = sys_.state;
    using Box = plat::MessageBoxes;
    const bool yes = sys_.services().messageBoxes->open({ .kind = Box::Kind::Question,
        .text = QStringLiteral("确实要退出考试系统吗？"),
        .title = st.ProductInfo[0] + QStringLiteral("Pelmar"),
        .icon = Box::Icon::Question,
        .defaultButton = Box::Button::No });
    if (!yes)
        return;
    unload();
    flow::returnHome(sys_);
}

} // namespace exam
