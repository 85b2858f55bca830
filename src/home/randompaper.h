#pragma once

// Drawing a random paper: 40 different questions from all units of the question bank. The unit
// is drawn first (every unit equally likely whatever its size), then a question of it; a repeat
// draws both again. The random source is handed in, so a test can seed it.

#include <QList>
#include <QString>

#include <functional>

namespace home {

// A uniform number in [0, 1).
using UniformSource = std::function<double()>;
// The program's source, seeded from the clock; and a reproducible one for tests and benchmarks.
UniformSource clockSeededSource();
UniformSource seededSource(quint32 seed);

struct RandomDraw {
    bool ok = false;
    QString ids; // 40 four-digit ids in the order drawn (160 characters) when ok
    QString problem; // why no paper could be drawn, for the candidate
};

// `unitSizes` holds the question count of each unit, unit 0 first. The bank must hold at least
// 40 questions; a unit without questions is never chosen. A source that keeps repeating itself
// gives up after a bounded number of draws instead of looping.
RandomDraw drawRandomPaper(const QList<int>& unitSizes, const UniformSource& rnd);

} // namespace home
