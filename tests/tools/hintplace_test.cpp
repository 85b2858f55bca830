// The sample module's validator on hint labels moved where the practice window would hide
// them: under the chrome panels and the drop-downs, which it stacks over the label.

#include "samplegen/chrome.h"
#include "samplegen/module.h"
#include "samplegen/steprecord.h"

#include "platform/text.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using samplegen::ModuleFiles;

const ModuleFiles& sampleModule()
{
    static const ModuleFiles module = samplegen::buildModule();
    return module;
}

// The module with the hint of the first unit's first step ("文件→新建", a menu step whose
// path opens the 文件 drop-down) put at `place`, in window pixels.
ModuleFiles withFirstHintAt(QPoint place)
{
    ModuleFiles m = sampleModule();
    QByteArray& file = m.files.at(m.dataFolder + QStringLiteral("/288820.mxy"));
    QStringList lines = plat::decodeGbk(file).split(QStringLiteral("\r\n"));
    samplegen::StepRecord first(lines[0]);
    first.hint(place, first.number(samplegen::fields::HintLine));
    lines[0] = first.text();
    file = plat::encodeGbk(lines.join(QStringLiteral("\r\n")));
    return m;
}

// What the validator says of the module: empty when it passes.
std::string validatorVerdict(const ModuleFiles& m)
{
    try {
        samplegen::validateModule(m);
        return {};
    } catch (const std::runtime_error& e) {
        return e.what();
    }
}

TEST(SampleValidator, RejectsAHintThatTheChromeOrAnOpenDropDownHides)
{
    const QRect dropDown = samplegen::dropDownOnScreen(1);
    const struct {
        QPoint place;
        const char* fault; // "" where the place is clear
    } cases[] = {
        { { 360, 35 }, "the hint label runs into the menu bar" },
        { { 235, 6 }, "the hint label runs into the menu bar" },
        { { 360, 70 }, "the hint label runs into the options bar" },
        { { 41, 121 }, "the hint label runs into the toolbox" }, // beside a tool, two columns
        { { 10, 520 }, "the hint label runs into the toolbox" }, // one column reaches lower
        { dropDown.center(), "the hint label runs into the open drop-down" },
        { { dropDown.right() + 8, 94 }, "" },
    };
    ASSERT_EQ(validatorVerdict(sampleModule()), "");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.place.x() << "," << c.place.y());
        const std::string verdict = validatorVerdict(withFirstHintAt(c.place));
        if (*c.fault == '\0')
            EXPECT_EQ(verdict, "");
        else
            EXPECT_NE(verdict.find(c.fault), std::string::npos) << verdict;
    }
}

} // namespace
