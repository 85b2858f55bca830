#include "exercise/frmtm.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "exercise/frmpicture.h"
#include "exercise/panelart.h"
#include "platform/color.h"
#include "platform/text.h"
#include "stepengine/stepengine.h"

#include <QDateTime>

namespace exercise {

namespace {
    constexpr uint32_t kPanelGrey = plat::rgb(240, 240, 240);
    constexpr uint32_t kBlue = 0xFF0000;
    constexpr uint32_t kWhite = 0xFFFFFF;
    constexpr uint32_t kBlack = 0x000000;

    // Design size of the unfolded panel.
    constexpr double kPanelWidth = 4980;
    constexpr double kPanelHeight = 3630;

    // The function buttons by their command: design Left and Width; the lower row's Top.
    struct ButtonPlace {
        double left, width;
    };
    constexpr ButtonPlace kFunctionButtons[cmd::Last + 1] = {
        { 90, 720 }, // Previous
        { 1020, 720 }, // Next
        { 1950, 870 }, // Redo
        { 3030, 870 }, // Flag
        { 4110, 720 }, // Numbers
        { 90, 870 }, // EndPractice
        { 2010, 870 }, // StepHints
        { 3930, 870 }, // Demonstration
        { 90, 870 }, // HandIn, at EndPractice's place
        { 2010, 870 }, // CandidateDetails, at StepHints' place
        { 3930, 870 }, // ViewAnswer, at Demonstration's place
        { 3030, 870 }, // RemoveFlag, at Flag's place
    };
    constexpr double kUpperRowTop = 15;
    constexpr double kLowerRowTop = 2355;

    const char16_t* const kInfoPrefixes[6] = {
        u"姓    名：",
        u"座 位 号：",
        u"场    次：",
        u"档 案 号：",
        u"报考科目：",
        u"身份证号：",
    };

    void transparent(plat::Label& l) { l.setBackStyle(0); }

    // A function button's face in practice.
    QString functionFace(int button) { return QStringLiteral("l010") + plat::twoDigits(button); }
}

FrmTmUi::FrmTmUi(plat::Form& f)
    : LblBiao(f.area(), QStringLiteral("LblBiao"))
    , LblMove(f.area(), QStringLiteral("LblMove"))
    , ImgLogo1(f.area(), QStringLiteral("ImgLogo1"))
    , FrmZhuYa(f.area(), QStringLiteral("FrmZhuYa"))
    , LblTime(FrmZhuYa, QStringLiteral("LblTime"))
    , LblName(FrmZhuYa, QStringLiteral("LblName"))
    , LblIME(FrmZhuYa, QStringLiteral("LblIME"))
    , CmdGN(FrmZhuYa, QStringLiteral("CmdGN"))
    , RtbTM(FrmZhuYa, QStringLiteral("RtbTM"))
    , PTime(FrmZhuYa, QStringLiteral("PTime"))
    , LblTimeJD(PTime, QStringLiteral("LblTimeJD"))
    , PicUnit(FrmZhuYa, QStringLiteral("PicUnit"))
    , LblUnit(PicUnit, QStringLiteral("LblUnit"))
    , Image2(FrmZhuYa, QStringLiteral("Image2"))
    , CmdEn(FrmZhuYa, QStringLiteral("CmdEn"))
    , FrmKSXX(f.area(), QStringLiteral("FrmKSXX"))
    , Image1(FrmKSXX, QStringLiteral("Image1"))
    , Label1(FrmKSXX, QStringLiteral("Label1"))
    , KsName1(FrmKSXX, QStringLiteral("KsName1"))
    , KsZWH1(FrmKSXX, QStringLiteral("KsZWH1"))
    , KsCC1(FrmKSXX, QStringLiteral("KsCC1"))
    , KsDAH1(FrmKSXX, QStringLiteral("KsDAH1"))
    , KsKM1(FrmKSXX, QStringLiteral("KsKM1"))
    , KsSFZ1(FrmKSXX, QStringLiteral("KsSFZ1"))
    , CmdKSFH(FrmKSXX, QStringLiteral("CmdKSFH"))
    , FrmSelect(f.area(), QStringLiteral("FrmSelect"))
    , CmTNO(FrmSelect, QStringLiteral("CmTNO"))
    , CmdSelFH(FrmSelect, QStringLiteral("CmdSelFH"))
    , CmdSelLast(FrmSelect, QStringLiteral("CmdSelLast"))
    , CmdSelNext(FrmSelect, QStringLiteral("CmdSelNext"))
    , LblZXH(f.area(), QStringLiteral("LblZXH"))
    , LblClose(f.area(), QStringLiteral("LblClose"))
    , FrmZXH(f.area(), QStringLiteral("FrmZXH"))
    , Label2(FrmZXH, QStringLiteral("Label2"))
    , Command2(FrmZXH, QStringLiteral("Command2"))
    , TimKsModel(f, QStringLiteral("TimKsModel"), 500, true)
    , TimeKS(f, QStringLiteral("TimeKS"), 60000, true)
    , TimerREDO(f, QStringLiteral("TimerREDO"), 100)
    , TimStartYS(f, QStringLiteral("TimStartYS"), 100)
{
    transparent(LblBiao);
    LblBiao.setAutoSize(true);
    LblBiao.setForeColor(kWhite);
    transparent(LblMove);

    FrmZhuYa.setBackColor(kPanelGrey);
    LblTime.setBorderStyle(1);
    LblTime.setBackStyle(0);
    LblTime.setAlignment(2);
    LblName.setBorderStyle(1);
    LblName.setBackStyle(0);
    LblName.setAlignment(2);
    LblIME.setBorderStyle(1);
    LblIME.setForeColor(kWhite);
    LblIME.setBackColor(kBlue);
    LblIME.setCaption(QStringLiteral("EN"));
    // The practice button of each pair stands above its examination twin, and the flag above
    // the remove-flag button: the lower index is built last.
    for (int i = cmd::Last; i >= 0; --i)
        CmdGN.create(i);
    PTime.setBackColor(kWhite);
    LblTimeJD.setBackColor(kBlue);
    PicUnit.setBackColor(kPanelGrey);
    transparent(LblUnit);
    LblUnit.setAutoSize(true);
    LblUnit.setCaption(QStringLiteral("未完成的题目:"));

    FrmKSXX.setBackColor(kPanelGrey);
    Image1.setStretch(true);
    for (int k = 0; k <= 5; ++k) {
        plat::Label& prefix = Label1.create(k);
        transparent(prefix);
        prefix.setAutoSize(true);
        prefix.setCaption(QString::fromUtf16(kInfoPrefixes[k]));
    }
    for (plat::Label* value : { &KsName1, &KsZWH1, &KsCC1, &KsDAH1, &KsKM1, &KsSFZ1 }) {
        transparent(*value);
        value->setAutoSize(true);
    }

    FrmSelect.setBackColor(kPanelGrey);
    for (int i = 1; i <= 40; ++i)
        CmTNO.create(i);

    transparent(Label2);
    transparent(Command2);
}

FrmTm::FrmTm(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmTm"))
    , sys_(sys)
{
    setBorderless(true);
}

void FrmTm::createMenus(plat::MenuItem& bar)
{
    // Hidden from view: it serves as the input-method popup.
    mIme = &bar.add(QStringLiteral("mIme"));
    mIme->caption = QStringLiteral("输入法");
    mIme->visible = false;
    mEng = &mIme->add(QStringLiteral("mEng"));
    mEng->caption = QStringLiteral("英语（美国）");
    mEng->Click = [this] { imeItem_Click(0); };
    for (int k = 1; k <= kImeItems; ++k) {
        mCn[k] = &mIme->add(QStringLiteral("mCn") + QString::number(k));
        mCn[k]->caption = QStringLiteral("中文") + QString::number(k);
        mCn[k]->Click = [this, k] { imeItem_Click(k); };
    }
}

void FrmTm::Form_Load()
{
    shell::AppState& st = sys_.state;
    auto& ui = uiNoLoad();

    layOut();
    wireEvents();

    DemoStartTicks = 0;
    st.ResumeStep.fill(1);
    // Every exercise starts with a panel that refuses the window manager's close; only the
    // program's own end of an exercise lets it go.
    st.PanelCanClose = 0;

    // The clock and the candidate's name.
    st.MinutesLeft = shell::kExamMinutes;
    showClock(st.MinutesLeft);
    ui.LblName.setCaption(st.CandidateName);

    // Question numbers and paging.
    NumberPage = 0;
    const bool paging = pagingShown(st.QuestionCount);
    ui.CmdSelLast.setVisible(paging);
    ui.CmdSelNext.setVisible(paging);
    for (int i = 1; i <= kNumbersPerPage; ++i)
        ui.CmTNO[i].setVisible(i <= st.QuestionCount);
    LastNumberPage = static_cast<int16_t>(lastNumberPage(st.QuestionCount));
    ui.FrmSelect.setVisible(false);
    ui.FrmKSXX.setVisible(false);

    if ((st.QuestionState(1) & 1) == 0)
        st.QuestionState(1) += 1;
    fillImeMenu();
    DqExam();
    ui.TimKsModel.setEnabled(true);
}

void FrmTm::layOut()
{
    const shell::AppState& st = sys_.state;
    const double sx = st.ScaleX, sy = st.ScaleY;
    auto& ui = uiNoLoad();
    auto skin = [this](const char* name) { return sys_.skinFile(QLatin1String(name)); };

    // A missing skin picture leaves its control without a face; the panel works all the same.
    sys_.logSkinFailure(setIcon(skin("l62011")));
    setWidth(kPanelWidth * sx);
    setHeight(kPanelHeight * sy);
    setBackColor(kPanelGrey);
    sys_.logSkinFailure(setPicture(skin("l01046")));
    ui.ImgLogo1.move(60 * sx, 30 * sy);
    sys_.logSkinFailure(ui.ImgLogo1.setPicture(skin("l20067")));
    setTopMost(true);
    // Where the window manager refuses the simulated window the activation that the focus
    // return asks for, the keys typed into the panel still reach the simulated application.
    setKeyTarget(&sys_.exerciseWindows().keyTarget());
    // The bottom-right corner of a 1024 x 600 area until the simulated window docks the panel.
    setLeft(15360 * sx - width());
    setTop(9000 * sy - height());

    const double w = width();
    const plat::FontSpec small { QStringLiteral("宋体"), 9 * sx };
    for (plat::Label* l : { &ui.LblUnit, &ui.LblTime, &ui.LblIME, &ui.LblName })
        l->setFont(small);
    ui.LblBiao.move(510 * sx, 90 * sy);
    ui.LblBiao.setFont({ QStringLiteral("宋体"), 10 * sx, true });
    ui.LblMove.move(0, 0, w, 450 * sy);
    ui.LblClose.move(w - 390 * sx, 30 * sy, 330 * sx, 330 * sy);
    sys_.logSkinFailure(ui.LblClose.setPicture(skin("l20003")));
    ui.LblZXH.move(w - 795 * sx, 30 * sy, 330 * sx, 330 * sy);
    sys_.logSkinFailure(ui.LblZXH.setPicture(skin("l20002")));
    ui.FrmSelect.move(0, 450 * sy, w, 4035 * sy);
    ui.FrmKSXX.move(0, 450 * sy, w, 4035 * sy);
    ui.FrmZhuYa.move(0, 450 * sy, w, 4125); // reaches below the window and is clipped
    ui.FrmZXH.move(0, 0, 810, 870);
    ui.FrmZXH.setPicture(foldedStripPicture());
    ui.FrmZXH.setVisible(false);
    ui.Label2.move(-120, 0, 855, 255);

    // Function buttons; the examination has its own faces of the flag pair.
    for (int i = 0; i <= cmd::Last; ++i) {
        widgets::mirtButton& b = ui.CmdGN[i];
        if (i != cmd::Flag && i != cmd::RemoveFlag)
            sys_.logSkinFailure(b.setPicture(sys_.skinFile(functionFace(i))));
        b.move(kFunctionButtons[i].left * sx, kUpperRowTop * sy, kFunctionButtons[i].width * sx,
            330 * sy);
    }
    showFlagFaces();
    for (const LowerRowPlace& place : kLowerRow) {
        ui.CmdGN[place.practice].setTop(kLowerRowTop * sy);
        ui.CmdGN[place.examination].setTop(kLowerRowTop * sy);
    }

    ui.Command2.move((ui.FrmZXH.width() - 645 * sx) / 2, 270 * sy, 645 * sx, 540 * sy);
    ui.RtbTM.move(ui.CmdGN[cmd::Previous].left(), 450 * sy, 4770 * sx, 1815 * sy);
    ui.RtbTM.setFont({ QStringLiteral("宋体"), 11 * sx });
    ui.Image2.move(3720 * sx, 1800 * sy, 870 * sx, 330 * sy);
    ui.Image2.setFontSize(9 * sx);
    setPictureShown(false);
    ui.Image2.setForeColor(kBlack);
    sys_.logSkinFailure(ui.Image2.setPicture(skin("l01044")));

    // The clock row: the time, the bar, the name and the input-method indicator; the list of
    // unfinished questions lies over the first three.
    ui.LblTime.move(ui.CmdGN[cmd::EndPractice].left(), 2760 * sy, 1215 * sx, 285 * sy);
    const double rowTop = ui.LblTime.top(), rowHeight = ui.LblTime.height();
    ui.PTime.move(1365 * sx, rowTop, 2055 * sx, rowHeight);
    ui.LblTimeJD.move(0, 0, 0, 255);
    ui.LblName.move(3450 * sx, rowTop, 735 * sx, rowHeight);
    ui.LblIME.move(4230 * sx, rowTop, 615 * sx, rowHeight);
    // The list ends before the input-method label (its tooltip shows the whole list).
    ui.PicUnit.move(ui.LblTime.left(), rowTop,
        std::min(4080 * sx, ui.LblIME.left() - ui.LblTime.left()), rowHeight);
    ui.LblUnit.move(0, 0);

    // The candidate-info frame.
    ui.Image1.move(120 * sx, 120 * sy, 1455 * sx, 1740 * sy);
    ui.Image1.setPicture(portraitPicture());
    plat::Label* values[6]
        = { &ui.KsName1, &ui.KsZWH1, &ui.KsCC1, &ui.KsDAH1, &ui.KsKM1, &ui.KsSFZ1 };
    for (int k = 0; k <= 5; ++k) {
        plat::Label& prefix = ui.Label1[k];
        prefix.setFont(small);
        prefix.move(1680 * sx, k == 0 ? 120 * sy : ui.Label1[k - 1].top() + 315 * sy);
        values[k]->setFont(prefix.font());
        values[k]->move(2640 * sx, prefix.top());
    }
    ui.KsName1.setCaption(st.CandidateName);
    ui.KsZWH1.setCaption(st.SeatNo);
    ui.KsCC1.setCaption(st.ShiftNo);
    ui.KsDAH1.setCaption(st.ArchiveNo);
    ui.KsKM1.setCaption(st.ModuleName);
    ui.KsSFZ1.setCaption(st.IdCardNo);

    ui.CmdEn.move(0, ui.LblIME.top(), 240 * sx, 270 * sy);
    ui.CmdEn.setLeft(ui.LblIME.left() + ui.LblIME.width() - ui.CmdEn.width());
    sys_.logSkinFailure(ui.CmdEn.setPicture(skin("l01043")));

    // Four rows of ten numbers at a pitch of 480 twips.
    for (int i = 1; i <= kNumbersPerPage; ++i) {
        widgets::mirtButton& b = ui.CmTNO[i];
        b.setCaption(QString::number(i));
        b.setForeColor(kBlack);
        b.move((60 + 480 * ((i - 1) % 10)) * sx, (150 + 480 * ((i - 1) / 10)) * sy, 450 * sx,
            450 * sy);
        sys_.logSkinFailure(b.setPicture(skin("l01030")));
    }

    // The page buttons: close centred under the numbers, paging one and a half widths aside.
    widgets::mirtButton& fh = ui.CmdSelFH;
    fh.setWidth(825 * sx);
    fh.setHeight(330 * sy);
    fh.setLeft((ui.FrmSelect.width() - fh.width()) / 2);
    fh.setTop(ui.CmTNO[35].top() + ui.CmTNO[35].height() + 540 * sy);
    sys_.logSkinFailure(fh.setPicture(skin("l01045")));
    ui.CmdSelLast.move(fh.left() - 1.5 * fh.width(), fh.top(), fh.width(), fh.height());
    sys_.logSkinFailure(ui.CmdSelLast.setPicture(skin("l01047")));
    ui.CmdKSFH.move(fh.left(), fh.top(), fh.width(), fh.height());
    sys_.logSkinFailure(ui.CmdKSFH.setPicture(skin("l01045")));
    ui.CmdSelNext.move(fh.left() + 1.5 * fh.width(), fh.top(), fh.width(), fh.height());
    sys_.logSkinFailure(ui.CmdSelNext.setPicture(skin("l01048")));
}

void FrmTm::showFlagFaces()
{
    auto& ui = this->ui();
    const bool examination = sys_.state.panelMode() == shell::PanelMode::Examination;
    auto face = [&](int button, const char* examinationFace) {
        return sys_.skinFile(examination ? QLatin1String(examinationFace) : functionFace(button));
    };
    sys_.logSkinFailure(ui.CmdGN[cmd::Flag].setPicture(face(cmd::Flag, "l01053")));
    sys_.logSkinFailure(ui.CmdGN[cmd::RemoveFlag].setPicture(face(cmd::RemoveFlag, "l01054")));
}

void FrmTm::putPictureAway()
{
    sys_.exerciseWindows().hidePicture();
    setPictureShown(false);
}

void FrmTm::setPictureShown(bool shown)
{
    pictureShown_ = shown;
    ui().Image2.setCaption(shown ? QStringLiteral("隐藏图片") : QStringLiteral("显示图片"));
}

void FrmTm::showQuestionDone()
{
    auto& ui = this->ui();
    ui.LblUnit.setCaption(stepengine::unfinishedList(sys_.state));
    QString title = ui.LblBiao.caption();
    title.replace(QStringLiteral("(未完成)"), QStringLiteral("(已完成)"));
    ui.LblBiao.setCaption(title);
}

void FrmTm::showClock(int minutesLeft)
{
    auto& ui = this->ui();
    ui.LblTime.setCaption(clockCaption(minutesLeft));
    ui.LblTimeJD.setWidth(clockBarWidth(minutesLeft, ui.PTime.width()));
}

void FrmTm::stopCountdown() { ui().TimeKS.setEnabled(false); }

void FrmTm::showPaperReview(int count)
{
    auto& ui = this->ui();
    ui.CmTNO.forEach([count](widgets::mirtButton& b) {
        if (b.index() > count)
            b.setVisible(false);
    });
    ui.LblUnit.setCaption(QString());
}

void FrmTm::DqExam()
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    const int q = st.CurrentQuestion;

    ui.CmdGN[cmd::Previous].setEnabled(q > 1);
    ui.CmdGN[cmd::Next].setEnabled(q < st.QuestionCount);
    showQuestionText(true);

    // The question's last pictures go back into the simulated window; its step loads on the
    // window's next tick, after CurrentStep below.
    sys_.exerciseWindows().loadQuestion();

    const std::optional<QString> title = panelTitle({ st.StudyMode, st.SetNo, st.RecordNo, q,
        st.QuestionCount, st.ModuleName, st.QuestionIds(q), st.DoneBefore(q) });
    if (title)
        ui.LblBiao.setCaption(*title);
    ui.LblUnit.setCaption(stepengine::unfinishedList(st));

    if ((st.QuestionState(q) & 1) == 0)
        st.QuestionState(q) += 1;
    st.CurrentStep = st.ResumeStep(q);
    // Hints asked for hold only for the question on which they were asked.
    if (st.panelMode() != shell::PanelMode::Examination)
        st.setPanelMode(shell::PanelMode::Practice);

    ui.CmdGN[cmd::Flag].setVisible(!isFlagged(st.QuestionState(q)));
    ui.CmdGN[cmd::RemoveFlag].setVisible(!ui.CmdGN[cmd::Flag].visible());
    // A fixed paper turned into practice lays its practice buttons out again.
    if (st.studyMode() == shell::StudyMode::FixedPaper
        && st.panelMode() == shell::PanelMode::Practice)
        ui.TimKsModel.setEnabled(true);

    sys_.exerciseWindows().restoreSimulatedWindow();
}

void FrmTm::showQuestionText(bool lineBreaks)
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    const int q = st.CurrentQuestion;
    auto log = [&st](const QString& text) {
        shell::AppendLog(st.LogPath, text, QDateTime::currentDateTime());
    };

    // Only the question's own line is ever shown: a short or unreadable file shows no text
    // rather than the text of the question read before.
    const auto lines = plat::readLines(st.QuestionListFile);
    if (!lines.ok()) {
        st.QuestionLine.clear();
        log(QStringLiteral("question %1 not shown: %2").arg(q).arg(lines.error().description));
    } else if (q < 1 || q > lines.value().size()) {
        st.QuestionLine.clear();
        log(QStringLiteral("question %1 not shown: %2 has %3 lines")
                .arg(q)
                .arg(st.QuestionListFile)
                .arg(lines.value().size()));
    } else {
        st.QuestionLine = lines.value()[q - 1];
    }

    const QuestionText t = readQuestionLine(st.QuestionLine, lineBreaks);
    ui.RtbTM.setText(t.text);
    sys_.exerciseWindows().hidePicture();
    auto& picture = sys_.form<FrmPicture>();
    ui.Image2.setVisible(false);
    if (!t.pictureQuestion)
        return;
    setPictureShown(false);
    // Without its own picture the window would show another question's: it is emptied and the
    // button stays hidden.
    plat::Status loaded = t.badPicture
        ? plat::Status::failure(plat::err::InvalidProperty, QStringLiteral("not a plain name"))
        : picture.ui().Image1.setPicture(sys_.skinFile(t.picture));
    if (!loaded.ok()) {
        picture.ui().Image1.setPicture(plat::Picture {});
        log(QStringLiteral("picture \"%1\" of question %2 not shown: %3")
                .arg(t.picture)
                .arg(q)
                .arg(loaded.error().description));
        return;
    }
    ui.Image2.setVisible(true);
}

} // namespace exercise
