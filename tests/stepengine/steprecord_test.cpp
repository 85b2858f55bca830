// The step file's names and lines, and the reading of step record fields.

#include "core/appstate.h"
#include "stepengine/steprecord.h"

#include <gtest/gtest.h>

using namespace stepengine;

TEST(StepFiles, NamesFollowStudyModePlusSetNo)
{
    struct Case {
        int studyMode, setNo;
        const char *stepFile, *questionFile;
    };
    const Case cases[] = {
        { 0, 0, "288800", "288850" },
        { 7, 0, "288807", "288857" },
        { 19, 0, "288819", "288869" },
        { 20, 0, "288820", "288870" },
        { 12, 7, "288819", "288869" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.studyMode << "+" << c.setNo);
        EXPECT_EQ(stepFileName(c.studyMode, c.setNo), QLatin1String(c.stepFile));
        EXPECT_EQ(questionFileName(c.studyMode, c.setNo), QLatin1String(c.questionFile));
    }
    EXPECT_EQ(stepLineNumber(41, 3), 43); // question 3 starting on line 41, step 3
}

TEST(StepRecordFields, NumericReadingIsValRoundedHalfToEvenAndClamped)
{
    struct Case {
        const char* field;
        int16_t value;
    };
    const Case cases[] = {
        { "01200", 1200 },
        { " 1 2 ", 12 },
        { "1E3", 1000 },
        { "2.5", 2 },
        { "3.5", 4 },
        { "H0503", 0 },
        { "", 0 },
        { "40000", 32767 },
        { "-40000", -32768 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(readInt16(QString::fromLatin1(c.field)), c.value) << c.field;
}

TEST(StepRecordFields, ShortRecordReadsEmptyAndZero)
{
    const StepRecord r(QStringLiteral("001EEA79999sc0001000"));
    EXPECT_EQ(r.actionCode(), QStringLiteral("9999"));
    EXPECT_TRUE(r.isEndOfQuestion());
    EXPECT_EQ(r.text(field::PanelCode), QStringLiteral("A7"));
    EXPECT_EQ(r.text(field::Background), QStringLiteral("sc0001"));
    EXPECT_EQ(r.text(field::TargetArea), QString());
    EXPECT_EQ(r.number(field::Area2Height), 0);
    EXPECT_EQ(r.imageNext(6), QString());
    EXPECT_TRUE(r.at(300).isNull());
}

TEST(StepRecordCodes, ActionCodeTable)
{
    struct Case {
        const char* code;
        ActionKind kind;
    };
    const Case cases[] = {
        { "0001", ActionKind::LeftClick },
        { "0027", ActionKind::Text },
        { "0029", ActionKind::Unknown },
        { "0043", ActionKind::RubberBand },
        { "0051", ActionKind::DragArea },
        { "3121", ActionKind::ContextMenu },
        { "6000", ActionKind::ContextMenu },
        { "6265", ActionKind::Key },
        { "7000", ActionKind::HotspotPath },
        { "8003", ActionKind::DragHandle },
        { "8888", ActionKind::Timed },
        { "9201", ActionKind::ButtonClick },
        { "9999", ActionKind::EndOfQuestion },
        { "K105", ActionKind::Location },
        { "L012", ActionKind::List },
        { "k105", ActionKind::Unknown },
    };
    for (const Case& c : cases)
        EXPECT_EQ(actionKindOf(QString::fromLatin1(c.code)), c.kind) << c.code;
    EXPECT_EQ(readInt16(QStringLiteral("K105")), 0); // letter codes read as 0
}

TEST(StepRecordCodes, DescriptorsPanelsAndMenuCodes)
{
    const ActionDescriptor h = ActionDescriptor::parse(QStringLiteral("H050300xx0"));
    EXPECT_EQ(h.kind, u'H');
    EXPECT_EQ(h.hotspot, 5);
    EXPECT_EQ(h.item, 3);
    EXPECT_EQ(h.subItem, 0);
    EXPECT_EQ(h.next, u'0');
    EXPECT_FALSE(h.clicksHotspotItself());
    EXPECT_TRUE(ActionDescriptor::parse(QStringLiteral("H4200000x5")).clicksHotspotItself());
    EXPECT_EQ(ActionDescriptor::parse(QStringLiteral("R3121")).menuCode, 3121);
    EXPECT_EQ(ActionDescriptor::parse(QStringLiteral("RA012")).menuCode, 6012);
    const ActionDescriptor d = ActionDescriptor::parse(QStringLiteral("D0312xab12"));
    EXPECT_EQ(d.pictureStem, QStringLiteral("ab12"));

    const PanelCode all = panelCodeOf(QStringLiteral("CB"));
    EXPECT_TRUE(all.any && all.menu && all.tool && all.toolbox);
    EXPECT_EQ(all.toolboxColumns, 2);
    const PanelCode tool = panelCodeOf(QStringLiteral("A6"));
    EXPECT_TRUE(!tool.menu && tool.tool && tool.toolbox);
    EXPECT_EQ(tool.toolboxColumns, 1);
    EXPECT_FALSE(panelCodeOf(QStringLiteral("Z7")).any);

    const MenuCode m = MenuCode::of(4352);
    EXPECT_EQ(m.family, 4);
    EXPECT_EQ(m.menu, 3);
    EXPECT_EQ(m.entry, 5);
    EXPECT_EQ(m.item, 2);
    EXPECT_TRUE(m.opensSubmenu());
}

TEST(StepRecordCodes, NextStepCodeNamesSteps1To35)
{
    struct Case {
        const char* code;
        std::optional<int16_t> step;
    };
    const Case cases[] = {
        { "0", std::nullopt },
        { "7", 7 },
        { "A", 10 },
        { "Z", 35 },
        { "a", std::nullopt },
        { "#", std::nullopt },
        { "", std::nullopt },
        { "12", std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(stepOfNextCode(QString::fromLatin1(c.code)), c.step) << c.code;
}

TEST(PerQuestionTables, IndexOutsideOneTo500ReachesNoCell)
{
    shell::PerQuestion<int16_t> table;
    table(1) = 11;
    table(500) = 12;
    table(0) = 99;
    table(501) = 99;
    EXPECT_EQ(table(0), 0);
    EXPECT_EQ(table(501), 0);
    EXPECT_EQ(table(1), 11);
    EXPECT_EQ(table(500), 12);
}
