#pragma once

// What the examination windows share: the names of a paper's files and the time as the records
// hold it. The exercise windows themselves are shown, docked and driven through their owner.

#include <QString>

namespace exam {

// A question slot's number in a file name: two digits ("07", "19", "69").
QString slotDigits(int n);
// The time as the examination records hold it: "yyyy-mm-dd hh:mm:ss".
QString examTimeNow();

} // namespace exam
