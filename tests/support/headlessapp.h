#pragma once

// A fresh runtime on a virtual clock with fake services and a driver, for tests of forms.

#include "support/headless.h"
#include "support/fakeservices.h"
#include "platform/runtime.h"

#include <QTemporaryDir>

#include <memory>

namespace testsupport {

struct HeadlessApp {
    QTemporaryDir dir;
    plat::VirtualClock* clock = nullptr; // owned by the runtime
    std::unique_ptr<plat::Runtime> rt;
    std::unique_ptr<testsupport::HeadlessDriver> driver;

    HeadlessApp()
    {
        auto c = std::make_unique<plat::VirtualClock>();
        clock = c.get();
        rt = std::make_unique<plat::Runtime>(std::move(c), testsupport::makeFakeServices(), dir.path());
        rt->setScreenRect(QRect(0, 0, 1280, 1024));
        driver = std::make_unique<testsupport::HeadlessDriver>(*rt, *clock);
    }
    ~HeadlessApp()
    {
        driver.reset();
        rt.reset();
        testsupport::HeadlessDriver::processEvents();
    }
};

} // namespace testsupport
