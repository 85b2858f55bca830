#pragma once

// The application object of this program: the window layer's runtime plus the state that the
// windows share and the error reporter. Every form is constructed from it and reaches the
// others through it.

#include "core/appstate.h"
#include "core/exercisewindows.h"
#include "core/handovers.h"
#include "platform/runtime.h"

#include <QSet>
#include <QString>

#include <memory>

namespace shell {

class ErrorReporter;

class System : public plat::Runtime {
public:
    // `programName` is the program file's name without extension (written on first run).
    System(std::unique_ptr<plat::Clock> clock, plat::Services services, QString programDir,
        QString programName = QStringLiteral("ksxt"));
    ~System() override;

    AppState state;
    // Entry points of the folders above the windows that call them.
    Handovers handovers;

    // The owner of the exercise windows; installed at start-up.
    ExerciseWindows& exerciseWindows();
    void setExerciseWindows(std::unique_ptr<ExerciseWindows> owner);
    const QString& programName() const { return programName_; }

    // The default instance of a form.
    template <class F> F& form() { return formOf<F>(*this); }

    // A file of the module data folder: SkinPath & name & ".mxy".
    QString skinFile(const QString& name) const;
    // A file of the program folder ("\" separators allowed).
    QString programFile(const QString& name) const;

    // A skin picture that did not load leaves its control blank and the window goes on; the run
    // log says so once per file for the whole run, as windows load again and again. Nothing
    // happens for a load that succeeded.
    void logSkinFailure(const plat::Status& load);
    // A module file that fails while a learner practises (an answer line that cannot be read)
    // fails again at every keystroke and every load of its step: it is reported under `tag`
    // once for the whole run, by its description, which names the file.
    void reportOnce(const QString& tag, const plat::Error& error);
    // True the first time this run asks about `what`, false ever after: for what is written to
    // the run log once per run however often it is met.
    bool firstTimeThisRun(const QString& what);

private:
    QString programName_;
    QSet<QString> metThisRun_ {};
    std::unique_ptr<ErrorReporter> reporter_;
    std::unique_ptr<ExerciseWindows> exerciseWindows_;
};

} // namespace shell
