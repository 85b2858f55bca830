#pragma once

// The application object of this program: the window layer's runtime plus the state that the
// windows share. Every form is constructed from it and reaches the others through it.

#include "platform/runtime.h"
#include "shell/appstate.h"

#include <QString>

namespace shell {

class System : public plat::Runtime {
public:
    System(std::unique_ptr<plat::Clock> clock, plat::Services services, QString programDir);

    AppState state;

    // The default instance of a form.
    template <class F> F& form() { return formOf<F>(*this); }

    // A file of the module data folder: SkinPath & name & ".mxy".
    QString skinFile(const QString& name) const;
    // A file of the program folder ("\" separators allowed).
    QString programFile(const QString& name) const;
};

} // namespace shell
