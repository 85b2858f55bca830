// The menu file: which lines hold a menu, how its lines become entries and items, and which
// choice answers a step's MenuCode.

#include "menus/menufile.h"
#include "platform/text.h"
#include "stepengine/engineapp.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace menus;
using testsupport::Rec;
namespace fd = stepengine::field;

namespace {

// A menu file whose line n reads "L" n, so every caption tells the line it came from.
QString writeNumberedFile(const QTemporaryDir& dir, int lineCount)
{
    QStringList lines;
    for (int n = 1; n <= lineCount; ++n)
        lines << QStringLiteral("L%1").arg(n);
    const QString path = QDir(dir.path()).filePath(kMenuFileName);
    EXPECT_TRUE(plat::writeLines(path, lines).ok());
    return path;
}

// The first and last file lines a menu was read from: the caption of G1 is block line 2 and
// the group of G9 block line 15.
std::pair<QString, QString> firstCaptionAndLastGroup(const ContextMenu& m)
{
    return { m.at(1).caption, m.at(9).items.value(0) };
}

TEST(MenuFileBlocks, FamilyAndMenuDigitsChooseFifteenLines)
{
    struct Case {
        int family, menu;
        int first, last;
    };
    const Case cases[] = {
        { 3, 1, 1, 15 }, { 4, 2, 151, 165 }, { 6, 9, 526, 540 },
        { 3, 0, 1, 15 }, // a negative start reads from the top
        { 7, 4, 1, 15 }, // no family
        { 4, 0, 121, 135 }, // the lines before menu 1 of family 4
    };
    QTemporaryDir dir;
    const QString file = writeNumberedFile(dir, 540);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << c.family << " menu " << c.menu);
        const LineRange r = blockLines(c.family, c.menu);
        EXPECT_EQ(r.first, c.first);
        EXPECT_EQ(r.last, c.last);
        const auto menu = readContextMenu(file, c.family, c.menu);
        ASSERT_TRUE(menu.ok());
        EXPECT_EQ(firstCaptionAndLastGroup(menu.value()),
            std::make_pair(
                QStringLiteral("L%1").arg(c.first + 1), QStringLiteral("L%1").arg(c.last)));
    }
}

TEST(MenuFileBlocks, FamilySixCodeFromTheStepReadsItsBlock)
{
    QTemporaryDir dir;
    const QString file = writeNumberedFile(dir, 540);
    // "RA" and 215 at 86: family 6, menu 2, entry 1, item 5.
    const stepengine::StepRecord step(
        Rec(QStringLiteral("0003")).set(fd::MenuOfDescriptor, QStringLiteral("RA215")).line);
    const int code = menuCodeOfStep(step);
    EXPECT_EQ(code, 6215);
    const auto menu = readContextMenu(file, code / 1000, code / 100 % 10);
    ASSERT_TRUE(menu.ok());
    EXPECT_EQ(firstCaptionAndLastGroup(menu.value()),
        std::make_pair(QStringLiteral("L422"), QStringLiteral("L435")));
}

TEST(MenuFileBlocks, StepMenuCodeComesFromTheDescriptorBeforeTheActionCode)
{
    struct Case {
        const char* actionCode;
        const char* field86;
        int code;
    };
    const Case cases[] = {
        { "4215", "00000", 4215 },
        { "0003", "R3124", 3124 },
        { "4215", "RA907", 6907 },
        { "L001", "00000", 0 },
    };
    for (const Case& c : cases) {
        const stepengine::StepRecord step(Rec(QLatin1String(c.actionCode))
                                              .set(fd::MenuOfDescriptor, QLatin1String(c.field86))
                                              .line);
        EXPECT_EQ(menuCodeOfStep(step), c.code) << c.actionCode << " " << c.field86;
    }
}

TEST(MenuFileBlocks, UnreadableOrTooShortFileGivesNoMenu)
{
    QTemporaryDir dir;
    EXPECT_EQ(readContextMenu(QDir(dir.path()).filePath(kMenuFileName), 3, 1).error().number,
        plat::err::FileNotFound);

    struct Case {
        int lineCount, family, menu;
        bool ok;
    };
    const Case cases[] = {
        { 100, 4, 1, false }, // the file ends before family 4
        { 135, 4, 1, false }, // ends on the line before the block
        { 136, 4, 1, true }, // one line of the block is there; the rest reads empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lineCount);
        QTemporaryDir d;
        const auto menu = readContextMenu(writeNumberedFile(d, c.lineCount), c.family, c.menu);
        ASSERT_EQ(menu.ok(), c.ok);
        if (!c.ok) {
            EXPECT_EQ(menu.error().number, plat::err::InputPastEndOfFile);
            EXPECT_FALSE(menu.error().description.isEmpty());
            continue;
        }
        // Empty lines are not "0": an entry with an empty caption and one empty item.
        const MenuEntry& e = menu.value().at(1);
        EXPECT_TRUE(e.visible);
        EXPECT_EQ(e.caption, QString());
        EXPECT_EQ(e.items, QStringList { QString() });
    }
}

TEST(MenuFileItems, ItemLineSplitsAtBarsIntoAtMostTenItems)
{
    struct Case {
        QString line;
        QStringList items;
    };
    const Case cases[] = {
        { "a|-|b", { "a", "-", "b" } }, // the separator keeps its number
        { "a|b|", { "a", "b", "" } },
        { "|a||b", { "", "a", "", "b" } },
        { "only", { "only" } },
        { "", { "" } },
        { "0|1|2|3|4|5|6|7|8|9", { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9" } },
        { "0|1|2|3|4|5|6|7|8|9x|10|11", { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9x" } },
        { "0|1|2|3|4|5|6|7|8|9|", { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitItems(c.line), c.items) << c.line.toStdString();
    EXPECT_TRUE(isSeparator(splitItems(QStringLiteral("a|-|b"))[1]));
}

TEST(MenuFileItems, ZeroLinesMarkAbsentEntriesOnly)
{
    // Block lines 1..15; G1 caption "0" hides its submenu line, G3's submenu "0" is an item.
    const QStringList block { "title", "0", "hidden|items", "0", "Cascade", "0", "x|-|y", "0",
        "hidden", "", "0", "", "0", "", "0" };
    const ContextMenu m = menuOfBlock(block);
    struct Case {
        int position;
        bool visible;
        QString caption;
        QStringList items;
    };
    const Case cases[] = {
        { 1, false, "", {} },
        { 2, false, "", {} },
        { 3, true, "Cascade", { "0" } },
        { 4, true, "", { "x", "-", "y" } },
        { 5, false, "", {} },
        { 6, true, "", { "" } },
        { 7, false, "", {} },
        { 8, false, "", {} },
        { 9, false, "", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        const MenuEntry& e = m.at(c.position);
        EXPECT_EQ(e.visible, c.visible);
        EXPECT_EQ(e.caption, c.caption);
        EXPECT_EQ(e.items, c.items);
    }
    EXPECT_TRUE(m.hasVisibleEntry());
}

TEST(MenuFileItems, MenuOfOnlyAbsentEntriesIsAValidEmptyMenu)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kMenuFileName);
    ASSERT_TRUE(plat::writeLines(path, QStringList(kBlockLines, QStringLiteral("0"))).ok());
    const auto menu = readContextMenu(path, 3, 1);
    ASSERT_TRUE(menu.ok());
    EXPECT_FALSE(menu.value().hasVisibleEntry());
}

TEST(MenuChoice, CodeNamesOneItemOfOneEntryOfTheShownMenu)
{
    // 4215 while menu 2 is shown: item 5 of the first cascade entry's submenu, nothing else.
    for (int position = 1; position <= kEntries; ++position)
        for (int index = 0; index <= kMaxItems; ++index)
            EXPECT_EQ(choiceMatches(4215, 2, position, index), position == 1 && index == 5)
                << "entry " << position << " item " << index;

    struct Case {
        int code, menuNo, position, index;
        bool matches;
    };
    const Case cases[] = {
        { 4215, 3, 1, 5, false }, // another menu shown
        { 3215, 2, 1, 5, true }, // the family is not compared
        { 6215, 2, 1, 5, true }, // "RA215"
        { 5392, 3, 9, 2, true }, // an item group; item 2 past a separator at item 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(choiceMatches(c.code, c.menuNo, c.position, c.index), c.matches) << c.code;
}

} // namespace
