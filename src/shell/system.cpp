#include "shell/system.h"

#include "platform/paths.h"

namespace shell {

System::System(std::unique_ptr<plat::Clock> clock, plat::Services services, QString programDir)
    : Runtime(std::move(clock), std::move(services), std::move(programDir))
{
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
