#pragma once

// FrmPicture: the question's picture in a small borderless window with a red margin, kept on
// top and placed in the middle of the screen. The question panel loads the picture into it,
// shows it and hides it.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace shell {
class System;
}

namespace exercise {

struct FrmPictureUi {
    explicit FrmPictureUi(plat::Form& f);
    plat::Image Image1; // the question's picture, at its own size
    plat::Timer Timer1; // one-shot: sizes and places the window
};

class FrmPicture : public plat::FormWith<FrmPictureUi> {
public:
    explicit FrmPicture(shell::System& sys);

    void Timer1_Timer();
    // Shown, then sized and centred on the next tick, when its picture has its size.
    void showCentred();

protected:
    void Form_Load() override;
    // A window manager's close hides the picture as the panel's button does.
    void Form_QueryUnload(int& cancel) override;

private:
    shell::System& sys_;
};

} // namespace exercise
