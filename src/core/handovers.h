#pragma once

// The hand-overs from a window to a window folder above it: the folder that owns each entry
// point is installed on the System at start-up (app/wiring), so a lower folder neither includes
// nor links the higher one.

#include <functional>

namespace shell {

class System;

struct Handovers {
    using Entry = std::function<void(System&)>;
    Entry endPractice; // home: the end of practice (EndLianXi)
    Entry openHandIn; // examination: the hand-in confirmation
    Entry countdownTick; // examination: the countdown's minute tick
    Entry showLogin; // examination: the login a paper starts with
    Entry showHome; // home: the home window, by the one way back to it (flow::returnHome)
    // home: the home window's slow preparation that needs no window (its first pictures decoded
    // on a worker thread, its faces loaded), run while the splash waits for its timer
    Entry prepareHome;
};

} // namespace shell
