#include "core/system.h"

#include "core/errorreport.h"
#include "core/serverconfig.h"
#include "platform/paths.h"

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

} // namespace shell
