#include "exercise/frmtm.h"

#include "core/system.h"
#include "workspace/frmmain.h"

namespace exercise {

FrmTmUi::FrmTmUi(plat::Form& f)
    : LblBiao(f.area(), QStringLiteral("LblBiao"))
    , LblUnit(f.area(), QStringLiteral("LblUnit"))
    , TimerREDO(f, QStringLiteral("TimerREDO"), 100)
{
    LblBiao.move(120, 120, 4500, 300);
    LblBiao.setBackStyle(0);
    LblBiao.setFont({ QStringLiteral("黑体"), 10.5, true });
    LblUnit.move(120, 2400, 4500, 600);
    LblUnit.setBackStyle(0);
    LblUnit.setWordWrap(true);
    LblUnit.setCaption(QStringLiteral("未完成的题目:"));
}

FrmTm::FrmTm(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmTm"))
    , sys_(sys)
{
    setBorderless(true);
}

void FrmTm::Form_Load()
{
    const shell::AppState& st = sys_.state;
    setWidth(4800 * st.ScaleX);
    setHeight(3300 * st.ScaleY);
    setBackColor(0xF4EDE4);
    setTopMost(true);
    auto& ui = uiNoLoad();
    ui.TimerREDO.Tick = [this] {
        DqExam();
        this->ui().TimerREDO.setEnabled(false);
    };
}

void FrmTm::DqExam()
{
    shell::AppState& st = sys_.state;
    auto& main = sys_.form<workspace::FrmMain>();
    auto& pictures = st.QuestionPictures(st.CurrentQuestion);
    // An empty name (a first visit) leaves the control's picture as it is.
    auto picture = [&](int column) {
        const QString& name = pictures[column];
        return name.isEmpty() ? QString() : sys_.skinFile(name);
    };
    if (const QString p = picture(0); !p.isEmpty())
        main.setPicture(p).ignore();
    auto& m = main.ui();
    plat::Image* images[] = { &m.Image1, &m.Image2, &m.Image3, &m.Image4, &m.Image5 };
    for (int k = 1; k <= 5; ++k)
        if (const QString p = picture(k); !p.isEmpty())
            images[k - 1]->setPicture(p).ignore();
    if (const QString p = picture(6); !p.isEmpty())
        m.Image6.setPicture(p).ignore();
    st.CurrentStep = st.ResumeStep(st.CurrentQuestion);
    m.Timer2.setEnabled(true);
}

void FrmTm::CmdGN_Click(int index)
{
    if (index != 6)
        return;
    shell::AppState& st = sys_.state;
    auto& main = sys_.form<workspace::FrmMain>();
    st.PanelMode = 1;
    auto& m = main.ui();
    // The hint stage placed the hint and its frames while hints were off; show them as they are.
    m.LHelp.setVisible(true);
    m.Shape1.setVisible(true);
    m.Shape4.setVisible(true);
    m.Shape2.setVisible(true);
    main.setWindowState(0);
    m.TimerDisFK.setEnabled(true);
    main.show();
}

} // namespace exercise
