// The home screen's pure rules: unit captions, the automatic unit choice, the ids of a unit's
// learned and unlearned questions, the links that may be opened, and the first-step table.

#include "home/homerules.h"
#include "home/questionset.h"

#include <gtest/gtest.h>

using namespace home;

namespace {

TEST(UnitCaption, EveryCaptionTakesTwentyFiveColumnsWithoutSplittingACharacter)
{
    struct Case {
        int unit;
        QString name;
        QString expected;
    };
    const Case cases[] = {
        { 0, QStringLiteral("Layers"), QStringLiteral("1.Layers") + QString(17, u' ') },
        // 2 + 11 double-byte characters = 24 columns: the next one would start at 25, so a
        // space fills the caption.
        { 0, QStringLiteral("图像图像图像图像图像图像图像"),
            QStringLiteral("1.图像图像图像图像图像图") + QStringLiteral(" ") },
        // 3 + 10 double-byte = 23, the next one brings it to 25: kept whole.
        { 9, QStringLiteral("选区选区选区选区选区选区"),
            QStringLiteral("10.选区选区选区选区选区选") },
        { 1, QString(40, u'x'), QStringLiteral("2.") + QString(23, u'x') },
        { 2, QString(), QStringLiteral("3.") + QString(23, u' ') },
    };
    for (const Case& c : cases) {
        const QString caption = unitCaption(c.unit, c.name);
        EXPECT_EQ(caption, c.expected) << c.name.toStdString();
        EXPECT_EQ(gbkColumns(caption), 25) << c.name.toStdString();
    }
}

TEST(AutoChoice, FirstUnitWithMoreThanAFifthUnlearnedElseTheLast)
{
    struct Case {
        QList<UnitTotals> units;
        int button;
    };
    const Case cases[] = {
        { { { 10, 2 }, { 10, 3 }, { 10, 0 } }, 51 }, // 2/10 is not more than a fifth
        { { { 10, 0 }, { 10, 1 }, { 10, 2 } }, 52 }, // none qualifies: the last
        { { { 10, 1 }, { 0, 0 }, { 10, 9 } }, 51 }, // an empty unit stops the search
        { {}, 49 }, // no unit: all units
        { QList<UnitTotals>(25, { 10, 0 }), 69 }, // never past the last unit button
    };
    for (const Case& c : cases)
        EXPECT_EQ(autoChosenUnitButton(c.units), c.button) << c.units.size();
}

TEST(UnitIds, LearnedAndUnlearnedQuestionsOfAUnit)
{
    EXPECT_EQ(unitIdString(2, QStringLiteral("TFFT"), u'F'), QStringLiteral("02020203"));
    EXPECT_EQ(unitIdString(2, QStringLiteral("TFFT"), u'T'), QStringLiteral("02010204"));
    EXPECT_EQ(unitIdString(11, QStringLiteral("FFF"), u'T'), QString());
    EXPECT_EQ(questionIdText(0, 7), QStringLiteral("0007"));
    EXPECT_EQ(questionIdText(3, 12), QStringLiteral("0312"));
}

TEST(Links, OnlyWebAddressesAreOpened)
{
    const std::pair<QString, bool> cases[] = {
        { QStringLiteral("http://www.example.org/"), true },
        { QStringLiteral("https://example.org/a?b=1"), true },
        { QStringLiteral("HTTPS://example.org"), true },
        { QStringLiteral("file:///etc/passwd"), false },
        { QStringLiteral("/usr/bin/xterm"), false },
        { QStringLiteral("javascript:alert(1)"), false },
        { QStringLiteral("ftp://example.org/"), false },
        { QStringLiteral("http://"), false },
        { QString(), false },
    };
    for (const auto& [link, open] : cases)
        EXPECT_EQ(isOpenableLink(link), open) << link.toStdString();
}

TEST(Links, LabelsOpenTheirProductInformationEntries)
{
    const std::pair<int, int> cases[] = { { 1, 1 }, { 17, 1 }, { 18, 2 }, { 3, 3 }, { 20, 3 },
        { 19, 4 }, { 2, 0 }, { 0, 0 }, { 21, 0 } };
    for (const auto& [label, entry] : cases)
        EXPECT_EQ(linkEntryOfLabel(label), entry) << label;
}

TEST(FirstStepTable, StepCountsGiveTheFirstLineOfEveryQuestion)
{
    EXPECT_EQ(firstStepLines({ "0101 3题一", "010212题二", "0103 5题三" }),
        (QList<int> { 1, 4, 16, 21 }));
    // A blank line ends the list; what follows is not read.
    EXPECT_EQ(
        firstStepLines({ "0101 3a", "010212b", "   ", "0104 5d" }), (QList<int> { 1, 4, 16 }));
    EXPECT_EQ(firstStepLines({}), (QList<int> { 1 }));
    EXPECT_EQ(firstStepLines(QStringList(600, "0101 1a")).size(), kMaxSetQuestions);
}

TEST(FirstStepTable, StepCountOfAQuestionLine)
{
    const std::pair<QString, int> cases[] = { { "0101 7text", 7 }, { "010112text", 12 },
        { "0101ab", 0 }, { "01013x", 3 }, { "0101", 0 }, { "0101 +7", 0 } };
    for (const auto& [line, count] : cases)
        EXPECT_EQ(questionStepCount(line), count) << line.toStdString();
}

} // namespace
