// The question panel as a window: refusing stray closes, folding to its strip and back, drags,
// the focus handed back to the simulated window, the tooltip of the unfinished list, the
// picture toggle, and the input-method menu.

#include "core/system.h"
#include "exercise/frmime.h"
#include "exercise/frmtm.h"
#include "platform/keys.h"

namespace exercise {

void FrmTm::wireEvents()
{
    auto& ui = uiNoLoad();
    for (int i = 0; i <= cmd::Last; ++i)
        ui.CmdGN[i].Click = [this, i] { CmdGN_Click(i); };
    for (int i = 1; i <= kNumbersPerPage; ++i)
        ui.CmTNO[i].Click = [this, i] { CmTNO_Click(i); };
    ui.CmdSelLast.Click = [this] { CmdSelLast_Click(); };
    ui.CmdSelNext.Click = [this] { CmdSelNext_Click(); };
    ui.CmdSelFH.Click = [this] { CmdSelFH_Click(); };
    ui.CmdKSFH.Click = [this] { CmdKSFH_Click(); };
    ui.TimKsModel.Tick = [this] { TimKsModel_Timer(); };
    ui.TimerREDO.Tick = [this] { TimerREDO_Timer(); };
    ui.TimStartYS.Tick = [this] { TimStartYS_Timer(); };
    ui.TimeKS.Tick = [this] { sys_.handovers.countdownTick(sys_); };

    ui.LblZXH.Click = [this] { LblZXH_Click(); };
    // LblClose has no action: only its face follows the mouse.
    ui.Command2.Click = [this] { Command2_Click(); };
    ui.Image2.Click = [this] { Image2_Click(); };
    ui.LblIME.Click = [this] { LblIME_Click(); };
    ui.CmdEn.Click = [this] { CmdEn_Click(); };

    // The border of the unfold area follows the pointer on the strip.
    ui.Command2.MouseMove
        = [this](int, int, double, double) { this->ui().Command2.setBorderStyle(1); };
    ui.FrmZXH.MouseMove
        = [this](int, int, double, double) { this->ui().Command2.setBorderStyle(0); };

    // Drags: the left button moves the panel as if by a title bar. The caption strip and the
    // strip's handle then bring the simulated window back to the front, whatever the button.
    auto drag = [this](int button) {
        if (button == plat::button::Left)
            startSystemMove();
    };
    ui.FrmZXH.MouseDown = [this, drag](int button, int, double, double) {
        drag(button);
        this->ui().Command2.setBorderStyle(0);
    };
    ui.Label2.MouseDown = [this, drag](int button, int, double, double) {
        drag(button);
        this->ui().Command2.setBorderStyle(0);
        restoreMain();
    };
    ui.LblMove.MouseDown = [this, drag](int button, int, double, double) {
        drag(button);
        restoreMain();
    };

    // Clicks and keys in the panel hand the focus back, so the next key reaches the simulated
    // application.
    KeyUp = [this](int&, int) { restoreMain(); };
    ui.PicUnit.KeyUp = [this](int&, int) { restoreMain(); };
    ui.RtbTM.Click = [this] { restoreMain(); };
    ui.RtbTM.KeyUp = [this](int&, int) { restoreMain(); };

    // The whole list, also when the label is too short to show it.
    auto tip = [this] { this->ui().LblUnit.setToolTipText(this->ui().LblUnit.caption()); };
    ui.LblUnit.Click = tip;
    ui.LblUnit.MouseMove = [tip](int, int, double, double) { tip(); };
}

void FrmTm::Form_Unload(int& cancel)
{
    if (sys_.state.PanelCanClose == 0)
        cancel = 1;
}

void FrmTm::restoreMain() { sys_.exerciseWindows().restoreSimulatedWindow(); }

void FrmTm::LblZXH_Click() { sys_.exerciseWindows().foldPanel(); }

void FrmTm::Command2_Click() { sys_.exerciseWindows().unfoldPanel(); }

void FrmTm::Image2_Click()
{
    if (pictureShown_)
        sys_.exerciseWindows().hidePicture();
    else
        sys_.exerciseWindows().showPicture();
    setPictureShown(!pictureShown_);
}

// The input-method menu ----------------------------------------------------------------------

void FrmTm::fillImeMenu()
{
    Ime = imeMenu(sys_.services().keyboardLayouts->list());
    mEng->caption = Ime.englishCaption;
    for (int k = 1; k <= kImeItems; ++k) {
        mCn[k]->caption = Ime.captions[k - 1];
        mCn[k]->visible = Ime.visible[static_cast<size_t>(k - 1)];
    }
}

void FrmTm::imeItem_Click(int item)
{
    shell::AppState& st = sys_.state;
    // Each item takes the layout its caption names; an item without one chooses none.
    const std::optional<plat::KeyboardLayout>& layout
        = item == 0 ? Ime.english : Ime.layouts[static_cast<size_t>(item - 1)];
    st.KeyboardLayout = layout ? layout->id : QString();
    // The field's focus handler activates the chosen layout while the option is on.
    sys_.exerciseWindows().focusAnswerField();
}

void FrmTm::LblIME_Click()
{
    if (sys_.state.UseIme == 0)
        return;
    const auto& ui = this->ui();
    popupMenu(*mIme,
        imeMenuPlace(
            ui.LblIME.left(), ui.LblIME.top(), ui.FrmZhuYa.left(), ui.FrmZhuYa.top(), Ime.rows));
}

void FrmTm::CmdEn_Click()
{
    LblZXH_Click();
    sys_.form<FrmIME>().show(true);
}

} // namespace exercise
