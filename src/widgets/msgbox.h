#pragma once

// The skinned modal question and notice box. A caller sets MsgResult to 0, fills in the title,
// the icon and the prompt, shows the box modally and afterwards reads MsgResult: 1 when the
// confirm button closed it. Each use loads the box afresh.

#include "platform/controls.h"
#include "platform/form.h"
#include "widgets/mirtbutton.h"

#include <QString>

namespace shell {
class System;
}

namespace widgets {

struct FrmMTMSGBOXUi {
    explicit FrmMTMSGBOXUi(plat::Form& f);
    plat::Image ImgLogo1; // logo
    plat::Label LblTitle; // title from the caller
    plat::Image Image1; // question or notice icon from the caller
    plat::Label LblPrompt; // prompt from the caller, wrapped and cut at the bottom
    plat::Label lblMove; // transparent drag strip along the top
    // 0 cancel, 1 confirm, 2 never shown, 3 close in the top right corner.
    plat::ControlArray<mirtButton> LblClick;
};

class FrmMTMSGBOX : public plat::FormWith<FrmMTMSGBOXUi> {
public:
    explicit FrmMTMSGBOX(shell::System& sys);

protected:
    void Form_Load() override;

private:
    shell::System& sys_;
};

// The icons callers give the box: a question (or the notice that a paper had no wrong
// questions), and the notice that a chosen set of questions is empty.
inline constexpr int kMsgIconQuestion = 1; // "l20071"
inline constexpr int kMsgIconEmpty = 2; // "l20072"

// Asks through the box and waits for the answer: true when the user confirmed. Also serves
// notices, whose answer the caller ignores.
bool ask(shell::System& sys, const QString& title, const QString& prompt, int icon);

} // namespace widgets
