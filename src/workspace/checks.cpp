#include "workspace/checks.h"

#include "platform/text.h"
#include "stepengine/answers.h"
#include "stepengine/steprecord.h"

namespace workspace::checks {

namespace {
    constexpr int kClickFirst = 9000; // 9SBB: S the exact modifier mask, BB the button
    constexpr int kClickLast = 9999;
    constexpr int kLeftClick = 1;
    constexpr int kDoubleClick = 2;
    constexpr int kRightClick = 3;
    constexpr int kConfirmCodes[] = { 22, 26, 28 }; // typed answer confirmed by a click
}

Release judgeRelease(int stepCode, QChar next, int button, int shift)
{
    if (stepCode >= kClickFirst && stepCode <= kClickLast)
        return button == stepCode % 100 && shift == (stepCode % 1000) / 100 ? Release::Advance
                                                                            : Release::Nothing;
    if (stepCode == kRightClick)
        return button == 2 ? Release::Advance : Release::Nothing;
    if (stepengine::isContextMenuStep(stepCode))
        return button == 2 ? Release::ContextMenu : Release::Nothing;
    if (stepCode == kLeftClick)
        return button == 1 && shift == 0 ? Release::Advance : Release::Nothing;
    for (int code : kConfirmCodes)
        if (stepCode == code)
            return button == 1 ? Release::ConfirmAnswer : Release::Nothing;
    // A step judged elsewhere still jumps when its target area names a step; a double-click
    // step waits for the double-click.
    if (stepCode != kDoubleClick && next != u'0')
        return Release::Advance;
    return Release::Nothing;
}

bool liveMatch(const QString& typed, const QString& answer, bool keepCase)
{
    return stepengine::matchesAnswer(typed, answer, keepCase);
}

bool enterMatch(const QString& typed, const QString& answer)
{
    return stepengine::matchesAnswer(stepengine::printableAscii(typed), answer)
        || stepengine::matchesAnswer(typed, answer);
}

bool wholeMatch(const QString& typed, const QString& answer)
{
    return stepengine::normalised(typed, true) == stepengine::normalised(answer, true);
}

bool selectionMatch(const QString& selected, const QString& answer)
{
    return selected.toLower() == stepengine::normalised(answer);
}

std::optional<int> framedHotspot(const QString& descriptor)
{
    const QString digits = plat::mid(descriptor, 2, 2);
    const QString second = plat::mid(descriptor, 2, 1);
    int n = static_cast<int>(plat::val(digits));
    // A letter before the digit: the digit alone names the hotspot, unless the letter says the
    // number is of another kind ("S", and "Z" for the numbers from 100).
    if (n <= 0 && second != QStringLiteral("S"))
        n = static_cast<int>(plat::val(plat::mid(descriptor, 3, 1)));
    if (second == QStringLiteral("Z"))
        n = 100 + static_cast<int>(plat::val(plat::mid(descriptor, 3, 1)));
    if (n < 1 || n > stepengine::kLastHotspot)
        return std::nullopt;
    return n;
}

} // namespace workspace::checks
