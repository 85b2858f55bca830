#pragma once

// FrmFengmian: the home window. This first version reads the installed question-bank version
// and shows the module's title and that version, with an exit command; the study modes come
// with the home screen itself.

#include "platform/form.h"

namespace shell {
class System;
}

namespace home {

struct FrmFengmianUi {
    explicit FrmFengmianUi(plat::Form& f);
    plat::Label LblTitle; // the application title
    plat::ControlArray<plat::Label> LblInfo; // information strip; 0 = bank version
    plat::Label LblExit; // "退出"
};

class FrmFengmian : public plat::FormWith<FrmFengmianUi> {
public:
    explicit FrmFengmian(shell::System& sys);

    // FengMainCsh: rebuilds the home screen from the module data.
    void FengMainCsh();

protected:
    void Form_Load() override;
    // Closing the home window ends the program.
    void Form_Unload(int& cancel) override;

private:
    shell::System& sys_;
};

} // namespace home
