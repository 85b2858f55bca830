#pragma once

// The program's application object on a virtual clock with fake services, a driver, and a
// temporary program folder whose "skin" folder is SkinPath, for tests of the system's windows.

#include "core/system.h"
#include "support/fakeservices.h"
#include "support/headless.h"
#include "platform/services.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

struct SystemApp {
    QTemporaryDir dir;
    plat::VirtualClock* clock = nullptr; // owned by the system
    std::unique_ptr<shell::System> sys;
    std::unique_ptr<testsupport::HeadlessDriver> driver;

    SystemApp()
    {
        auto c = std::make_unique<plat::VirtualClock>();
        clock = c.get();
        sys = std::make_unique<shell::System>(std::move(c), testsupport::makeFakeServices(), dir.path());
        sys->setScreenRect(QRect(0, 0, 1280, 1024));
        QDir(dir.path()).mkpath(QStringLiteral("skin"));
        sys->state.SkinPath = dir.path() + QStringLiteral("/skin/");
        driver = std::make_unique<testsupport::HeadlessDriver>(*sys, *clock);
    }
    ~SystemApp()
    {
        driver.reset();
        sys.reset();
        testsupport::HeadlessDriver::processEvents();
    }

    // Writes a skin picture (SkinPath & name & ".mxy").
    void writeSkin(const QString& name, const QImage& picture) const
    {
        picture.save(sys->skinFile(name), "BMP");
    }

    testsupport::FakeShell& shell() { return static_cast<testsupport::FakeShell&>(*sys->services().shell); }
};

} // namespace testsupport
