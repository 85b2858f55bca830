#pragma once

// A fresh runtime on a virtual clock with fake services and a driver, for tests of forms.

#include "support/driven.h"

#include <QTemporaryDir>

namespace testsupport {

struct HeadlessApp {
    QTemporaryDir dir;
    DrivenRuntime run { dir.path() };
    testsupport::VirtualClock* clock = &run.clock;
    plat::Runtime* rt = &run.sys;
    HeadlessDriver* driver = &run.driver;
};

} // namespace testsupport
