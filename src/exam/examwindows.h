#pragma once

// What the examination windows share: the time as the records hold it. The exercise windows
// themselves are shown, docked and driven through their owner.

#include <QString>

namespace exam {

// The time as the examination records hold it: "yyyy-mm-dd hh:mm:ss".
QString examTimeNow();

} // namespace exam
