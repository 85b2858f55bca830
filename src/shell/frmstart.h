#pragma once

// FrmStart: the start-up window. It refuses a second instance, reads the module information,
// computes the display scale, shows the splash and, on its timer's first tick, hands over to the
// home window and unloads itself.

#include "platform/form.h"

namespace shell {

class System;

struct FrmStartUi {
    explicit FrmStartUi(plat::Form& f);
    plat::Label Label1; // the start-up line
    plat::Timer Timer1; // one-shot hand-over, 100 ms
};

class FrmStart : public plat::FormWith<FrmStartUi> {
public:
    explicit FrmStart(System& sys);

    // UpdataExe: shows the home window, fixes the run-log path and unloads the splash.
    void UpdataExe();
    // GetOSVersionOF: the operating system's version "major.minor", or "Unknown".
    QString GetOSVersionOF() const;

    bool HandOverPending = false; // from the end of the load until the first tick

protected:
    void Form_Load() override;
    // The splash has no way out of its own; it hands over to the home window by itself.
    void Form_QueryUnload(int& cancel) override { cancel = 1; }

private:
    void Timer1_Timer();
    System& sys_;
};

} // namespace shell
