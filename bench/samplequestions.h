#pragma once

// The questions of the sample module's five units as the exercise launch numbers them: the
// unit, the question within it, its first line in the unit's step file and its step count.

#include "core/system.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace bench {

struct SampleQuestion {
    int16_t unit = 0, question = 0, firstLine = 1, steps = 0;
};

inline std::vector<SampleQuestion> sampleQuestions(const shell::System& sys)
{
    std::vector<SampleQuestion> all;
    for (int16_t unit = 0; unit < 5; ++unit) {
        const auto lines
            = plat::readLines(sys.skinFile(stepengine::questionFileName(20 + unit, 0)));
        if (!lines.ok())
            continue;
        int16_t q = 0, firstLine = 1;
        for (const QString& line : lines.value()) {
            const auto count = static_cast<int16_t>(plat::mid(line, 5, 2).toInt());
            all.push_back({ unit, ++q, firstLine, count });
            firstLine = static_cast<int16_t>(firstLine + count);
        }
    }
    return all;
}

// What the fixtures that benchmarks build once and keep leave to do at the end: main() drops
// them while the application still lives, for their windows must go before it does.
inline std::vector<std::function<void()>>& fixtureDrops()
{
    static std::vector<std::function<void()>> drops;
    return drops;
}

// The fixture `make` builds, built at the first call and kept until main() drops it.
template <class Fixture, class Make> Fixture& keptFixture(Make make)
{
    static std::unique_ptr<Fixture> kept;
    if (!kept) {
        kept = std::make_unique<Fixture>(make());
        fixtureDrops().push_back([] { kept.reset(); });
    }
    return *kept;
}

inline void dropFixtures()
{
    for (const auto& drop : fixtureDrops())
        drop();
    fixtureDrops().clear();
}

} // namespace bench
