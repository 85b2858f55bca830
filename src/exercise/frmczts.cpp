#include "exercise/frmczts.h"

#include "core/system.h"
#include "exercise/frmtm.h"
#include "platform/color.h"
#include "platform/services.h"

namespace exercise {

namespace {
    const QString kNotice = QStringLiteral(
        "1.正式考试时不能看答案。\r\n\r\n"
        "2.如果有不会做的题目，在结束考试后，可以点“本次错题复习”或者“本次考题复习”，这时，所有试题"
        "都可以查看答案（手把手教和操作演示都可以）。\r\n\r\n"
        "3.如果你实在等不及了，可以点“我想立即看答案”。");
    const QString kAskPrompt = QStringLiteral(
        "立即看答案将不能测试您的实际水平，如果你坚持现在看答案，成绩将不记入本次练习记录！\r\n"
        "您现在就要看答案吗？");
    const QString kAskTitle = QStringLiteral("不建议您立即看答案");
}

FrmCZTSUi::FrmCZTSUi(plat::Form& f)
    : Shape2(f.area(), QStringLiteral("Shape2"))
    , Shape1(f.area(), QStringLiteral("Shape1"))
    , Label3(f.area(), QStringLiteral("Label3"))
    , Label2(f.area(), QStringLiteral("Label2"))
    , Command1(f.area(), QStringLiteral("Command1"))
    , Command2(f.area(), QStringLiteral("Command2"))
{
    Shape1.setBorderColor(plat::rgb(128, 128, 128));
    Shape2.setBorderColor(plat::rgb(255, 255, 255));
    Label3.setBackStyle(0);
    Label3.setAutoSize(true);
    Label3.setForeColor(plat::rgb(0, 0, 255));
    Label3.setCaption(QStringLiteral("请注意!!!"));
    Label2.setBackStyle(0);
    Label2.setWordWrap(true);
    Label2.setForeColor(plat::rgb(255, 0, 0));
    Label2.setCaption(kNotice);
}

FrmCZTS::FrmCZTS(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmCZTS"))
    , sys_(sys)
{
    setCentered(true);
}

void FrmCZTS::Form_Load()
{
    const shell::AppState& st = sys_.state;
    const double sx = st.ScaleX, sy = st.ScaleY;
    auto& ui = uiNoLoad();
    sys_.logSkinFailure(setIcon(sys_.skinFile(QStringLiteral("l62011"))));
    setCaption(st.AppTitle.isEmpty() ? st.ProductInfo[0] + st.ProductInfo[9] + QStringLiteral("——")
                + st.ModuleName + QStringLiteral("模块")
                                     : st.AppTitle);
    setTopMost(true);
    setWidth(4815 * sx);
    setHeight(5130 * sy);
    ui.Shape1.move(60 * sx, 60 * sy, 4695 * sx, 5010 * sy);
    ui.Shape2.move(75 * sx, 75 * sy, 4695 * sx, 5010 * sy);
    const plat::FontSpec notice { QStringLiteral("宋体"), 12 * sx };
    ui.Label3.setFont(notice);
    ui.Label3.move(240 * sx, 360 * sy);
    ui.Label2.setFont(notice);
    ui.Label2.move(240 * sx, 840 * sy, 4380 * sx, 3540 * sy);
    ui.Command1.move(360 * sx, 4440 * sy, 1920 * sx, 450 * sy);
    sys_.logSkinFailure(ui.Command1.setPicture(sys_.skinFile(QStringLiteral("l01038"))));
    ui.Command2.move(2520 * sx, 4440 * sy, 1920 * sx, 450 * sy);
    sys_.logSkinFailure(ui.Command2.setPicture(sys_.skinFile(QStringLiteral("l01039"))));

    // Every way out but the second button leaves the examination as it was.
    auto close = [this] { unload(); };
    ui.Command1.Click = close;
    ui.Label2.Click = close;
    ui.Label3.Click = close;
    Click = close;
    ui.Command2.Click = [this] { Command2_Click(); };
}

void FrmCZTS::Command2_Click()
{
    shell::AppState& st = sys_.state;
    if (!sys_.services().messageBoxes->open({ .kind = plat::MessageBoxes::Kind::Question,
            .text = kAskPrompt,
            .title = kAskTitle,
            .icon = plat::MessageBoxes::Icon::None }))
        return;
    // The rest of the paper is practice; the countdown goes on.
    st.setPanelMode(shell::PanelMode::Practice);
    auto& tm = sys_.form<FrmTm>();
    auto& panel = tm.ui();
    tm.showFlagFaces();
    tm.showButtonSet();
    st.ExamStartTime = QStringLiteral("-1");
    unload();
    sys_.exerciseWindows().resumeExercise();
    // The answer is shown by demonstrating the question from its first step.
    st.DemoActive = -1;
    st.CurrentStep = 1;
    panel.TimStartYS.setEnabled(true);
    panel.TimKsModel.setEnabled(true);
}

} // namespace exercise
