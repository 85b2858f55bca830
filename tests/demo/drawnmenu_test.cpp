// The drawn context menu and submenu: rows, separators, pieces, flips, aims and the menu a
// step names.

#include "demo/drawnmenu.h"

#include <gtest/gtest.h>

namespace {

using demo::ContextMenuDrawing;
using demo::SubmenuDrawing;

// The entries' 9-point font: 180 twips a Chinese character, 90 a Latin one, 180 high.
QSizeF measure(const QString& text)
{
    double w = 0;
    for (const QChar c : text)
        w += c.unicode() < 128 ? 90 : 180;
    return { w, 180 };
}

// A block with the given lines (block line: text); the rest "0", so absent.
QStringList block(std::initializer_list<std::pair<int, const char*>> lines)
{
    QStringList b(15, QStringLiteral("0"));
    for (const auto& [n, text] : lines)
        b[n] = QString::fromUtf8(text);
    return b;
}

ContextMenuDrawing drawAt(
    const QStringList& b, int x = 1000, int y = 1000, int entry = 2, int item = 0)
{
    return demo::drawContextMenu(b, x, y, 12000, 9000, 1, 1, entry, item, measure);
}

TEST(DrawnMenu, ItemGroupWithASeparator)
{
    const ContextMenuDrawing d = drawAt(block({ { 3, "a|-|b" } }), 1000, 1000, 2, 2);
    const auto& row = d.groups[0];
    EXPECT_TRUE(row[0].shown);
    EXPECT_EQ(row[0].top, 1090);
    EXPECT_FALSE(row[1].shown); // the separator keeps its position
    EXPECT_TRUE(d.separators[0].shown);
    EXPECT_EQ(d.separators[0].y1, 1360);
    EXPECT_EQ(d.separators[0].x1, 1060);
    EXPECT_EQ(d.separators[0].x2, 1060 + d.body.width - 120);
    EXPECT_EQ(row[2].caption, QStringLiteral("b"));
    EXPECT_EQ(row[2].top, 1495);
    EXPECT_EQ(d.body, (demo::Body { 1000, 1000, 90 + 690, 765 }));
    ASSERT_TRUE(d.aim.found);
    EXPECT_EQ(d.aim.x, 1345); // 1300 + 90 / 2
    EXPECT_EQ(d.aim.y, 1585);
    EXPECT_EQ(d.aim.frame, (demo::Body { 1000, 1585 - 135, 780, 270 }));
}

struct PiecesCase {
    const char* line;
    std::vector<const char*> entries; // captions of the shown labels in order, "" included
    int separators;
};

TEST(DrawnMenu, PiecesOfAnItemLine)
{
    const PiecesCase cases[] = {
        { "one", { "one" }, 0 },
        { "-", {}, 1 },
        { "a|b|", { "a", "b", "" }, 0 }, // a trailing "|" adds an empty entry
        { "a||b", { "a", "", "b" }, 0 },
        { "", { "" }, 0 }, // an empty line draws one empty entry
        { "1|2|3|4|5|6|7|8|9|10|11|12", { "1", "2", "3", "4", "5", "6", "7", "8", "9", "10" }, 0 },
    };
    for (const PiecesCase& c : cases) {
        SCOPED_TRACE(c.line);
        const ContextMenuDrawing d = drawAt(block({ { 3, c.line } }));
        std::vector<std::string> shown;
        for (const auto& l : d.groups[0])
            if (l.shown)
                shown.push_back(l.caption.toStdString());
        EXPECT_EQ(shown, std::vector<std::string>(c.entries.begin(), c.entries.end()));
        int seps = 0;
        for (const auto& s : d.separators)
            seps += s.shown;
        EXPECT_EQ(seps, c.separators);
        EXPECT_EQ(d.body.height, 90 + 270 * c.entries.size() + 135 * c.separators);
    }
}

TEST(DrawnMenu, AllLinesAbsentLeaveAnEmptyBodyAndNoAim)
{
    const ContextMenuDrawing d = drawAt(block({}), 1000, 1000, 2, 0);
    EXPECT_EQ(d.body, (demo::Body { 1000, 1000, 690, 90 }));
    EXPECT_FALSE(d.aim.found); // the pointer stands rather than aiming at a stale label
}

TEST(DrawnMenu, CascadeEntriesCarryTrianglesAndDoNotWiden)
{
    const ContextMenuDrawing d
        = drawAt(block({ { 1, "一个很长很长的级联菜单标题" }, { 3, "ab" } }), 1000, 1000, 1, 0);
    EXPECT_TRUE(d.cascades[0].shown);
    EXPECT_EQ(d.cascades[0].top, 1090);
    EXPECT_EQ(d.triangles[0].top, 1120);
    EXPECT_EQ(d.body.width, 180 + 690); // only "ab" counts
    EXPECT_EQ(d.triangles[0].left, 1000 + d.body.width - 180);
    ASSERT_TRUE(d.aim.found);
    EXPECT_EQ(d.aim.y, 1180);
}

TEST(DrawnMenu, FlipsAtTheWindowsEdges)
{
    // One entry of 15 Latin characters: a body 2040 wide and 360 high.
    const QStringList b = block({ { 3, "aaaaaaaaaaaaaaa" } });
    const double w = 1350 + 690;
    const double left = 12000 - 2 * w; // the first x at which it flips
    EXPECT_EQ(drawAt(b, int(left), 1000).body.left, left - w);
    EXPECT_EQ(drawAt(b, int(left) - 1, 1000).body.left, left - 1);
    // Height 360: lifted when its bottom reaches 9000 - 300, to end 600 above the edge.
    EXPECT_EQ(drawAt(b, 1000, 9000 - 300 - 360).body.top, 9000 - 600 - 360);
    EXPECT_EQ(drawAt(b, 1000, 9000 - 300 - 361).body.top, 9000 - 300 - 361);
    const ContextMenuDrawing both = drawAt(b, 11000, 8800);
    EXPECT_EQ(both.body.left, 11000 - w);
    EXPECT_EQ(both.groups[0][0].left, 11000 - w + 300);
    EXPECT_EQ(both.groups[0][0].top, 9000 - 600 - 360 + 90);
}

struct MenuCodeCase {
    const char* code;
    const char* field86;
    int menuCode, family, menuNo, entry, item;
};

TEST(DrawnMenu, TheMenuAStepNames)
{
    const MenuCodeCase cases[] = {
        { "3153", "00000", 3153, 1, 1, 5, 3 },
        { "3025", "R4312", 4312, 1, 3, 2, 5 }, // the ActionCode's family wins
        { "3015", "R4312", 4312, 1, 3, 1, 5 },
        { "5092", "RA215", 6215, 4, 2, 9, 2 },
        { "5124", "00000", 5124, 3, 1, 2, 4 },
        { "3000", "00000", 3000, 1, 0, 0, 0 },
    };
    for (const MenuCodeCase& c : cases) {
        SCOPED_TRACE(c.code);
        QString line(212, u'0');
        line.replace(7, 4, QString::fromLatin1(c.code));
        line.replace(85, 5, QString::fromLatin1(c.field86));
        const demo::DemoMenu m = demo::demoMenuOf(stepengine::StepRecord(line));
        EXPECT_EQ(m.code, c.menuCode);
        EXPECT_EQ(m.family, c.family);
        EXPECT_EQ(m.menuNo, c.menuNo);
        EXPECT_EQ(m.entry, c.entry);
        EXPECT_EQ(m.item, c.item);
    }
}

TEST(DrawnMenu, BlocksOfTheMenuFile)
{
    QStringList file;
    for (int i = 1; i <= 430; ++i)
        file << QString::number(i);
    EXPECT_EQ(demo::blockOf(file, 1, 1).first(), QStringLiteral("1"));
    EXPECT_EQ(demo::blockOf(file, 1, 3).first(), QStringLiteral("31"));
    const QStringList late = demo::blockOf(file, 4, 2); // lines 421..435
    EXPECT_EQ(late.first(), QStringLiteral("421"));
    EXPECT_EQ(late.size(), 15);
    EXPECT_EQ(late.last(), QString()); // past the file's end
    EXPECT_EQ(demo::blockOf(file, 1, 0).first(), QStringLiteral("1")); // before the first line
}

TEST(DrawnSubmenu, TheWorkedExample)
{
    // Menu 3153: block line 8 holds A, B, a separator and C; the cascade entry's top is T.
    QStringList b(15);
    b[8] = QStringLiteral("A|B|-|C");
    const double T = 2000;
    const demo::Body menu { 1000, 1500, 1500, 2000 };
    const SubmenuDrawing d = demo::drawSubmenu(b, menu, T, 5, 3, measure);
    EXPECT_EQ(d.body.left, 1000 + 1500 - 60);
    EXPECT_EQ(d.body.top, T);
    EXPECT_EQ(d.entries[0].top, T + 135);
    EXPECT_EQ(d.entries[1].top, T + 405);
    EXPECT_FALSE(d.entries[2].shown);
    EXPECT_TRUE(d.separators[0].shown);
    EXPECT_EQ(d.separators[0].y1, T + 675);
    EXPECT_EQ(d.entries[3].caption, QStringLiteral("C"));
    EXPECT_EQ(d.entries[3].top, T + 810);
    EXPECT_EQ(d.entries[3].left, d.body.left + 300);
    EXPECT_EQ(d.body.height, 1080);
    EXPECT_EQ(d.body.width, 90 + 690);
    ASSERT_TRUE(d.aim.found);
    EXPECT_EQ(d.aim.y, T + 900);
    EXPECT_EQ(d.aim.frame, (demo::Body { d.body.left, T + 750, 780, 285 }));
}

TEST(DrawnSubmenu, EdgesOfItsLine)
{
    const demo::Body menu { 1000, 1000, 1000, 1000 };
    QStringList b(15);
    b[2] = QStringLiteral("A|-|B");
    const SubmenuDrawing sep = demo::drawSubmenu(b, menu, 1090, 1, 1, measure);
    EXPECT_FALSE(sep.aim.found); // the separator's position names nothing to click
    EXPECT_TRUE(demo::drawSubmenu(b, menu, 1090, 1, 2, measure).aim.found);
    b[2] = QStringLiteral("0"); // drawn as an entry "0"
    const SubmenuDrawing zero = demo::drawSubmenu(b, menu, 1090, 1, 0, measure);
    EXPECT_EQ(zero.entries[0].caption, QStringLiteral("0"));
    EXPECT_TRUE(zero.aim.found);
    // Never flipped: a submenu past the right edge stays there.
    const SubmenuDrawing far
        = demo::drawSubmenu(b, { 11000, 8000, 1000, 500 }, 8500, 1, 0, measure);
    EXPECT_EQ(far.body.left, 11940);
    EXPECT_EQ(far.body.top, 8500);
}

} // namespace
