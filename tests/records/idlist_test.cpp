#include "records/idlist.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace records;

TEST(IdText, QuestionIdsBecomeFourDigitsAndNothingElseDoes)
{
    const struct {
        const char* id;
        std::optional<QString> text;
    } cases[] = {
        { "7", QString("0007") },
        { "105", QString("0105") },
        { "0312", QString("0312") },
        { " 1912 ", QString("1912") },
        { "0", QString("0000") },
        { "12345", std::nullopt }, // never cut into question 2345
        { "-1", std::nullopt },
        { "1.5", std::nullopt },
        { "01a2", std::nullopt },
        { "", std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(idText(QString::fromUtf8(c.id)), c.text) << c.id;
}

// The search text puts "_" before every id, so a match can only be a whole id: in the plain
// concatenation 010203100007 the texts 0203 and 1000 straddle two ids.
TEST(SearchText, PositionsComeFromTheMatchOffset)
{
    const QString search = searchText({ "0102", "0310", "0007" });
    EXPECT_EQ(search, "_0102_0310_0007");
    const struct {
        const char* id;
        int position;
    } cases[] = {
        { "0102", 1 },
        { "0310", 2 },
        { "0007", 3 }, // 0310 at offset 7: (7 + 3) / 5
        { "0203", 0 },
        { "1000", 0 },
        { "2_03", 0 },
        { "0102_", 0 },
        { "", 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(positionInSearchText(search, QString::fromUtf8(c.id)), c.position) << c.id;
    EXPECT_EQ(positionInSearchText(QString(), "0102"), 0);
}

TEST(ReviewedListParse, TheReviewLineAlwaysMatchesTheIds)
{
    const struct {
        const char* list;
        const char* review;
        QStringList ids;
        const char* fitted;
        QStringList rejected;
    } cases[] = {
        { "01020310", "TF", { "0102", "0310" }, "TF", {} },
        { "010203100007", "T", { "0102", "0310", "0007" }, "TFF", {} }, // short: padded
        { "0102", "TFTT", { "0102" }, "T", {} }, // long: cut
        { "", "TTF", {}, "", {} }, // no list: nothing to review
        { "0102", "", { "0102" }, "F", {} },
        // A chunk that is not an id is skipped with its own review character.
        { "010201a20007", "TTF", { "0102", "0007" }, "TF", { "01a2" } },
        { "010203", "FT", { "0102" }, "F", { "03" } }, // a broken last id
    };
    for (const auto& c : cases) {
        const ParsedList p
            = parseReviewedList(QString::fromUtf8(c.list), QString::fromUtf8(c.review));
        EXPECT_EQ(p.list.ids, c.ids) << c.list;
        EXPECT_EQ(p.list.review, QString::fromUtf8(c.fitted)) << c.list;
        EXPECT_EQ(p.rejected, c.rejected) << c.list;
    }
}

// "T" is reviewed, everything else is not: the panel's counts and groups and the end of
// practice's marking all go by this one rule.
TEST(ReviewedListGroups, SplitCountAndPositions)
{
    const ReviewedList list { { "0101", "0102", "0103", "0104", "0105" }, "TFXTF" };
    EXPECT_EQ(list.reviewedCount(), 2);
    EXPECT_EQ(list.unreviewedCount(), 3);
    EXPECT_EQ(list.idsOf(UnreviewedGroup), QStringList({ "0102", "0103", "0105" }));
    EXPECT_EQ(list.idsOf(ReviewedGroup), QStringList({ "0101", "0104" }));
    EXPECT_EQ(list.idsOf(BothGroups), list.ids);
    EXPECT_TRUE(list.idsOf(NoGroup).isEmpty());
    EXPECT_EQ(list.keep(UnreviewedGroup).review, "FXF");
    EXPECT_EQ(list.unreviewedPositions(), QList<int>({ 1, 2, 4 }));
    EXPECT_EQ(list.listLine(), "01010102010301040105");
}

} // namespace
