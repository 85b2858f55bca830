#pragma once

// The program's application object on a virtual clock with fake services, a driver, and a
// temporary program folder whose "skin" folder is SkinPath, for tests of the system's windows.

#include "support/driven.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace testsupport {

struct SystemApp {
    QTemporaryDir dir;
    DrivenSystem run { dir.path() };
    testsupport::VirtualClock* clock = &run.clock;
    shell::System* sys = &run.sys;
    HeadlessDriver* driver = &run.driver;

    SystemApp()
    {
        QDir(dir.path()).mkpath(QStringLiteral("skin"));
        sys->state.SkinPath = dir.path() + QStringLiteral("/skin/");
    }

    // Writes a skin picture (SkinPath & name & ".mxy").
    void writeSkin(const QString& name, const QImage& picture) const
    {
        picture.save(sys->skinFile(name), "BMP");
    }

    testsupport::FakeShell& shell()
    {
        return static_cast<testsupport::FakeShell&>(*sys->services().shell);
    }
};

} // namespace testsupport
