#pragma once

// The questions of the sample module's five units as the exercise launch numbers them: the
// unit, the question within it, its first line in the unit's step file and its step count.

#include "core/system.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"

#include <cstdint>
#include <vector>

namespace bench {

struct SampleQuestion {
    int16_t unit = 0, question = 0, firstLine = 1, steps = 0;
};

inline std::vector<SampleQuestion> sampleQuestions(const shell::System& sys)
{
    std::vector<SampleQuestion> all;
    for (int16_t unit = 0; unit < 5; ++unit) {
        const auto lines = plat::readLines(sys.skinFile(stepengine::questionFileName(20 + unit, 0)));
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

} // namespace bench
