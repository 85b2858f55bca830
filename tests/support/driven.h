#pragma once

// The one set-up every fixture of forms and windows shares: a runtime (the layer's own, or the
// program's `shell::System`) on a virtual clock, with fake services unless others are given, a
// 1280 x 1024 screen and a headless driver. Teardown runs in the order the windows need: the
// driver first, then the runtime, then the deletions the windows posted. A fixture that starts
// the program again on the same folder holds one in a std::optional and emplaces it anew.

#include "app/wiring.h"
#include "core/system.h"
#include "platform/runtime.h"
#include "support/fakeservices.h"
#include "support/headless.h"
#include "support/virtualclock.h"

#include <QRect>
#include <QString>

#include <memory>
#include <type_traits>

namespace testsupport {

template <class R> struct Driven {
    explicit Driven(const QString& programDir, plat::Services services = makeFakeServices(),
        std::unique_ptr<testsupport::VirtualClock> c
        = std::make_unique<testsupport::VirtualClock>())
        : clock(*c)
        , sys(std::move(c), std::move(services), programDir)
        , driver(sys, clock)
    {
        sys.setScreenRect(QRect(0, 0, 1280, 1024));
        if constexpr (std::is_base_of_v<shell::System, R>)
            app::wire(sys);
    }

private:
    // Destroyed last, after the runtime: lets the windows' posted deletions run.
    struct PostedEventsRunLast {
        ~PostedEventsRunLast() { HeadlessDriver::processEvents(); }
    } postedEventsRunLast_;

public:
    testsupport::VirtualClock& clock; // owned by the runtime
    R sys;
    HeadlessDriver driver;
};

using DrivenRuntime = Driven<plat::Runtime>;
using DrivenSystem = Driven<shell::System>;

} // namespace testsupport
