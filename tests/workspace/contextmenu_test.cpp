// The context menu wm100 of the practice window: filled from the menu file for the step's menu,
// shown by a right-button release on the target area, and judged by the item chosen.

#include "workspace/practicequestion.h"

#include "menus/contextmenu.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

using testsupport::Rec;
using workspace::FrmMain;
namespace fd = stepengine::field;

namespace {

constexpr int kRight = plat::button::Right;

// A menu file of 540 lines, all "0" (absent entries) but the lines given, by file line number.
QStringList menuFile(const std::map<int, QString>& lines, int count = 540)
{
    QStringList file(count, QStringLiteral("0"));
    for (const auto& [n, text] : lines)
        if (n <= count)
            file[n - 1] = text;
    return file;
}

// Family 4, menu 2 (file lines 151 to 165) and menu 3 (166 to 180).
const std::map<int, QString> kMenus {
    { 151, "移动" },
    { 152, "选择图层" }, // G1 cascade
    { 153, "图层 1|背景|二|三|四|第五项" },
    { 154, "组零|组一|组二|组三|组四|组五" }, // G2 group
    { 155, "级联三" }, // G3 cascade
    { 156, "p|q" },
    { 166, "变换" },
    { 169, "甲|乙|丙" }, // G2 group
    { 172, "a|-|b" }, // G4 group
    { 422, "变换" }, // family 6, menu 2: G1 cascade
    { 423, "自由变换|缩放|旋转|斜切|扭曲|水平翻转" },
};

struct Question : testsupport::PracticeQuestion {
    explicit Question(QList<Rec> steps, const std::optional<QStringList>& menus = menuFile(kMenus))
    {
        if (menus) {
            EXPECT_TRUE(
                plat::writeLines(sys->programFile(QStringLiteral("sMenu.sys")), *menus).ok());
        }
        sys->state.LogPath = dir.path() + QStringLiteral("/run.txt");
        for (Rec& r : steps)
            r.target(3000, 3000, 1500, 600);
        load(std::move(steps), {}, 2);
    }
    // A right click on the target area that chooses `path` in the popup ("" dismisses it).
    void choose(const QString& path)
    {
        driver->choosePopup(path);
        driver->click(main.ui().Label1, kRight);
    }
    plat::MenuItem& wm100() { return *main.menuBar().find(QStringLiteral("wm100")); }
    QString log() const { return QString::fromUtf8(testsupport::readFile(sys->state.LogPath)); }
};

TEST(ContextMenu, OnlyTheItemTheCodeNamesAdvances)
{
    struct Case {
        Rec step;
        const char* path;
        int stepAfter;
    };
    const Case cases[] = {
        { Rec(QStringLiteral("4215")), "选择图层/第五项", 2 },
        { Rec(QStringLiteral("4215")), "组五", 1 }, // item 5 of the group at position 2
        { Rec(QStringLiteral("4215")), "选择图层/四", 1 }, // item 4 of the right submenu
        { Rec(QStringLiteral("4215")), "级联三/q", 1 },
        { Rec(QStringLiteral("4215")), "", 1 }, // dismissed
        { Rec(QStringLiteral("4221")), "组一", 2 },
        // "RA" and 215: family 6, menu 2, item 5 of the first submenu.
        { Rec(QStringLiteral("0020")).set(fd::MenuOfDescriptor, QStringLiteral("RA215")),
            "变换/水平翻转", 2 },
        // A separator keeps its number: "b" is item 2.
        { Rec(QStringLiteral("4342")), "b", 2 },
        { Rec(QStringLiteral("4341")), "-", 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.step.line.mid(7, 4).toStdString() << " " << c.path);
        Question q({ c.step });
        q.choose(QString::fromUtf8(c.path));
        EXPECT_EQ(q.driver->popupLog().size(), 1);
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(ContextMenu, EveryPopupShowsOnlyItsOwnMenu)
{
    Question q({ Rec(QStringLiteral("4215")), Rec(QStringLiteral("4342")) });
    q.choose(QStringLiteral("选择图层/第五项"));
    ASSERT_EQ(q.step(), 2);
    q.choose(QString());
    // Menu 3 has no cascade entries, and its group at position 2 has three items where the
    // menu before had six.
    ASSERT_EQ(q.driver->popupLog().size(), 2);
    EXPECT_EQ(
        q.driver->popupLog()[0], QStringLiteral("选择图层|组零|组一|组二|组三|组四|组五|级联三"));
    EXPECT_EQ(q.driver->popupLog()[1], QStringLiteral("甲|乙|丙|a|-|b"));
    for (int i = 0; i < menus::kListItems; ++i) {
        EXPECT_EQ(menus::popupItem(q.wm100(), 2, i)->visible, i < 3) << "group item " << i;
        EXPECT_FALSE(menus::popupItem(q.wm100(), 1, i)->visible) << "submenu item " << i;
    }
    EXPECT_FALSE(q.wm100().find(QStringLiteral("sMirtMain1"))->visible);
    EXPECT_EQ(q.step(), 2);
}

TEST(ContextMenu, NoMenuToShowMeansNoPopup)
{
    struct Case {
        const char* name;
        std::optional<QStringList> file;
        bool logged;
    };
    const Case cases[] = {
        { "no menu file", std::nullopt, true },
        { "file ends before the block", menuFile(kMenus, 100), true },
        { "every entry absent", menuFile({}), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Question q({ Rec(QStringLiteral("4215")) }, c.file);
        q.choose(QStringLiteral("选择图层/第五项"));
        EXPECT_TRUE(q.driver->popupLog().isEmpty());
        EXPECT_EQ(q.step(), 1);
        EXPECT_EQ(q.log().contains(QStringLiteral("context menu 4215")), c.logged)
            << q.log().toStdString();
    }
}

} // namespace
