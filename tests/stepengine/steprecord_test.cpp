// The step file's names and lines, and the reading of step record fields.

#include "core/appstate.h"
#include "stepengine/steprecord.h"

#include <gtest/gtest.h>

#include <tuple>

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

// Every field where the record layout puts it: its first character (from 1) and its length,
// written out here from the layout. The sample module is written through the same fields the
// readers use, so a field in the wrong place would pass every test that reads the sample.
TEST(StepRecordFields, EveryFieldAtItsPlaceInTheRecordLayout)
{
    struct Row {
        const char* name;
        Field field;
        int pos, len;
    };
    const Row rows[] = {
        { "StepNumber", field::StepNumber, 1, 3 },
        { "PressMarker", field::PressMarker, 4, 2 },
        { "PressMarkerAlt", field::PressMarkerAlt, 6, 2 },
        { "PanelCode", field::PanelCode, 6, 2 },
        { "ActionCode", field::ActionCode, 8, 4 },
        { "Background", field::Background, 12, 6 },
        { "TargetArea", field::TargetArea, 66, 20 },
        { "TargetLeft", field::TargetLeft, 66, 5 },
        { "TargetNext", field::TargetNext, 71, 1 },
        { "TargetTop", field::TargetTop, 72, 4 },
        { "TargetWidth", field::TargetWidth, 76, 5 },
        { "TargetHeight", field::TargetHeight, 81, 5 },
        { "TextBox", field::TextBox, 86, 20 },
        { "TextLeft", field::TextLeft, 86, 5 },
        { "TextGap", field::TextGap, 91, 1 },
        { "TextTop", field::TextTop, 92, 4 },
        { "TextWidth", field::TextWidth, 96, 5 },
        { "TextHeight", field::TextHeight, 101, 5 },
        { "Descriptor1", field::Descriptor1, 86, 10 },
        { "Descriptor2", field::Descriptor2, 96, 10 },
        { "MenuOfDescriptor", field::MenuOfDescriptor, 86, 5 },
        { "KeyField86", field::KeyField86, 86, 5 },
        { "KeyField91", field::KeyField91, 91, 5 },
        { "KeyField96", field::KeyField96, 96, 5 },
        { "CursorSpec", field::CursorSpec, 101, 5 },
        { "DropNext", field::DropNext, 102, 1 },
        { "PresetLine", field::PresetLine, 106, 3 },
        { "AnswerLine", field::AnswerLine, 109, 3 },
        { "HintPlace", field::HintPlace, 112, 10 },
        { "HintLeft", field::HintLeft, 112, 5 },
        { "HintTop", field::HintTop, 117, 5 },
        { "HintLine", field::HintLine, 122, 3 },
        { "Descriptor3", field::Descriptor3, 125, 10 },
        { "TextFormat", field::TextFormat, 125, 10 },
        { "BackCode", field::BackCode, 125, 5 },
        { "TabCode", field::TabCode, 130, 5 },
        { "DragTargetX", field::DragTargetX, 167, 5 },
        { "DragTargetY", field::DragTargetY, 172, 5 },
        { "Area2", field::Area2, 177, 20 },
        { "Area2Left", field::Area2Left, 177, 5 },
        { "Area2Next", field::Area2Next, 182, 1 },
        { "Area2Top", field::Area2Top, 183, 4 },
        { "Area2Width", field::Area2Width, 187, 5 },
        { "Area2Height", field::Area2Height, 192, 5 },
        { "Area2Size", field::Area2Size, 187, 10 },
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.field.pos, r.pos) << r.name;
        EXPECT_EQ(r.field.len, r.len) << r.name;
    }

    // The picture groups of Image1..Image6: Left (5 characters), the step a click goes to (1),
    // Top (4) and the picture's name (6).
    struct Group {
        int left, next, top, name;
    };
    const Group groups[] = {
        { 18, 23, 24, 28 },
        { 34, 39, 40, 44 },
        { 50, 55, 56, 60 },
        { 135, 140, 141, 145 },
        { 151, 156, 157, 161 },
        { 197, 202, 203, 207 },
    };
    for (std::size_t i = 0; i < std::size(groups); ++i) {
        SCOPED_TRACE(testing::Message() << "Image" << i + 1);
        const ImageGroup& g = kImageGroups.at(i);
        const Group& want = groups[i];
        EXPECT_EQ(std::tuple(g.left.pos, g.left.len), std::tuple(want.left, 5)) << "Left";
        EXPECT_EQ(std::tuple(g.next.pos, g.next.len), std::tuple(want.next, 1)) << "next step";
        EXPECT_EQ(std::tuple(g.top.pos, g.top.len), std::tuple(want.top, 4)) << "Top";
        EXPECT_EQ(std::tuple(g.name.pos, g.name.len), std::tuple(want.name, 6)) << "picture";
    }
    EXPECT_EQ(kStepRecordLength, 212);
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

TEST(StepRecordCodes, ContextMenuCodesAndTheirMenuDigit)
{
    struct Case {
        int code;
        bool fromDescriptor, fromAction, onOptionsBar;
        int menuNo;
    };
    const Case cases[] = {
        { 3000, true, true, false, 0 }, // the bar leaves out both ends of the range
        { 3001, true, true, true, 0 },
        { 3101, true, true, true, 1 },
        { 4312, true, true, true, 3 },
        { 5999, true, true, true, 9 },
        { 6000, true, true, false, 0 },
        { 6105, true, false, false, 1 }, // "RA105": a descriptor code beyond the action range
        { 6999, true, false, false, 9 },
        { 2999, false, false, false, 9 },
        { 7000, false, false, false, 0 },
        { 13000, false, false, false, 0 },
        { -3500, false, false, false, -5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(isContextMenuCode(c.code), c.fromDescriptor);
        EXPECT_EQ(isContextMenuStep(c.code), c.fromAction);
        EXPECT_EQ(opensContextMenuOnOptionsBar(c.code), c.onOptionsBar);
        EXPECT_EQ(MenuCode::of(c.code).menu, c.menuNo);
    }
}

TEST(StepRecordCodes, HotspotPanelsAndToolboxColumns)
{
    struct PanelCase {
        int hotspot;
        HotspotPanel panel;
    };
    const PanelCase panels[] = {
        { 0, HotspotPanel::MenuBar },
        { 20, HotspotPanel::MenuBar },
        { 21, HotspotPanel::OptionsBar },
        { 40, HotspotPanel::OptionsBar },
        { 41, HotspotPanel::Toolbox },
        { kLastHotspot, HotspotPanel::Toolbox },
    };
    for (const PanelCase& c : panels)
        EXPECT_EQ(panelOfHotspot(c.hotspot), c.panel) << c.hotspot;

    struct ColumnsCase {
        const char* line;
        bool twoColumns; // of the hotspot layout, from character 7 alone
        int shownColumns; // of the toolbox picture, when character 6 shows the panels
    };
    const ColumnsCase columns[] = {
        { "001EEA79999", false, 1 }, { "001EEA89999", true, 2 }, { "001EEAB9999", true, 2 },
        { "001EEAC9999", false, 1 },
        { "001EEZ99999", true, 1 }, // no panels shown, yet the hotspots take two columns
        { "001EEA", false, 1 }, // too short to name a form
    };
    for (const ColumnsCase& c : columns) {
        const QString line = QString::fromLatin1(c.line);
        EXPECT_EQ(twoColumnToolboxOf(line), c.twoColumns) << c.line;
        EXPECT_EQ(
            panelCodeOf(StepRecord(line).text(field::PanelCode)).toolboxColumns, c.shownColumns)
            << c.line;
    }
}

TEST(StepRecordCodes, PointerCodes)
{
    using Kind = PointerCode::Kind;
    struct Case {
        const char* code;
        Kind kind, dragKind;
        int16_t standard;
        const char* cursorFile;
    };
    const Case cases[] = {
        { "S0003", Kind::Standard, Kind::Standard, 3, "ico03.CUR" },
        { "S00 5", Kind::Standard, Kind::Standard, 5, "ico 5.CUR" },
        { "M0012", Kind::Custom, Kind::Custom, 0, "ico12.CUR" },
        { "00000", Kind::Default, Kind::Custom, 0, "ico00.CUR" }, // a drag shows the file
        { "s0003", Kind::Default, Kind::Custom, 0, "ico03.CUR" },
        { "", Kind::Default, Kind::Custom, 0, "ico.CUR" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const PointerCode p = PointerCode::parse(QString::fromLatin1(c.code));
        EXPECT_EQ(p.kind, c.kind);
        EXPECT_EQ(p.forDrag().kind, c.dragKind);
        EXPECT_EQ(p.standard, c.standard);
        EXPECT_EQ(p.cursorFile, QLatin1String(c.cursorFile));
    }
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

TEST(StepRecordCodes, AQuestionsStepCountBoundsItsJumps)
{
    struct Case {
        int firstLine, nextFirstLine;
        const char* questionLine;
        int count;
    };
    const Case cases[] = {
        { 1, 6, "0001xx", 5 }, // the table wins
        { 41, 53, "000105", 12 }, { 1, 0, "000105", 5 }, // no next entry: the question line
        { 6, 6, "000212", 12 }, // an entry not past the first line says nothing
        { 6, 3, "0002 7", 7 }, // blanks are ignored
        { 1, 0, "00013x", 3 }, // reading stops at the first other character
        { 1, 0, "0001x3", 0 }, { 1, 0, "0001", 0 },
        { 0, 5, "000104", 4 }, // no first line: the table cannot say
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            questionStepCount(c.firstLine, c.nextFirstLine, QLatin1String(c.questionLine)), c.count)
            << c.firstLine << " " << c.nextFirstLine << " " << c.questionLine;
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
