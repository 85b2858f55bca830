#include "core/system.h"

#include "core/errorreport.h"
#include "core/serverconfig.h"
#include "platform/paths.h"

#include <QDateTime>

namespace shell {

System::System(std::unique_ptr<plat::Clock> clock, plat::Services services, QString programDir,
    QString programName)
    : Runtime(std::move(clock), std::move(services), std::move(programDir))
    , programName_(std::move(programName))
{
    const ServerConfig servers = readServerConfig(this->programDir());
    reporter_ = std::make_unique<ErrorReporter>(state, this->services().http.get(), servers);
    reporter_->install(state);
    // Failures the window layer meets inside an event reach the same reporter.
    reportHook = [this](const QString& tag, const plat::Error& e) { fail(state, tag, e); };
}

System::~System() = default;

ExerciseWindows& System::exerciseWindows()
{
    // Every start-up installs it (app/wiring); a window without it would silently do nothing.
    if (!exerciseWindows_)
        qFatal("the exercise windows' owner is not installed");
    return *exerciseWindows_;
}

void System::setExerciseWindows(std::unique_ptr<ExerciseWindows> owner)
{
    exerciseWindows_ = std::move(owner);
}

QString System::skinFile(const QString& name) const
{
    return plat::toNativeSeparators(state.SkinPath + name + QStringLiteral(".mxy"));
}

QString System::programFile(const QString& name) const
{
    return plat::toNativeSeparators(programDir() + QStringLiteral("/") + name);
}

bool System::firstTimeThisRun(const QString& what)
{
    if (metThisRun_.contains(what))
        return false;
    metThisRun_.insert(what);
    return true;
}

void System::logSkinFailure(const plat::Status& load)
{
    // The description names the file, so it tells one file's failure from another's.
    // Before the run log exists nothing is written, and nothing is marked as told either.
    if (load.ok() || state.LogPath.isEmpty()
        || !firstTimeThisRun(QStringLiteral("skin\n") + load.error().description))
        return;
    AppendLog(state.LogPath, QStringLiteral("skin picture not shown: ") + load.error().description,
        QDateTime::currentDateTime());
}

void System::reportOnce(const QString& tag, const plat::Error& error)
{
    if (firstTimeThisRun(tag + QLatin1Char('\n') + error.description))
        fail(state, tag, error);
}

} // namespace shell
