#pragma once

// The about box: the system's title, the module's display name, the question-bank version text
// of the home window, the program's work folder (a click opens it) and the vendor, over a skin
// picture. Its close and OK buttons both unload it; its top strip drags it.

#include "platform/controls.h"
#include "platform/form.h"
#include "widgets/mirtbutton.h"

namespace shell {

class System;

struct FrmAboutUi {
    explicit FrmAboutUi(plat::Form& f);
    plat::Image ImgLogo1; // logo
    // 0 bank version text, 1 title, 2 title in white at the top, 3 work folder (clickable),
    // 4 module display name, 6 vendor.
    plat::ControlArray<plat::Label> Label1;
    plat::ControlArray<plat::Line> Line1; // 4 the grey separator, 3 its white light edge
    plat::Label lblMove; // transparent drag strip along the top
    plat::ControlArray<widgets::mirtButton> LblClick; // 0 close, 1 OK
};

class FrmAbout : public plat::FormWith<FrmAboutUi> {
public:
    explicit FrmAbout(System& sys);

protected:
    void Form_Load() override;

private:
    System& sys_;
};

} // namespace shell
