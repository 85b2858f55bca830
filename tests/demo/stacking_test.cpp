// Both copies of the simulated window build the controls they share first, then restack their
// client area: what lies above what, for the mouse and on screen, must be each window's own.

#include "stepengine/engineapp.h"

#include "demo/frmyanshi.h"
#include "workspace/frmmain.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Position from the bottom: among the container's children for a drawn control, among the
// parent widget's children for a windowed one.
long long heightOf(const plat::Control& c)
{
    if (QWidget* w = c.widget()) {
        const QObjectList siblings = w->parentWidget()->children();
        return siblings.indexOf(w);
    }
    const auto& v = c.parent().children();
    return std::find(v.begin(), v.end(), &c) - v.begin();
}

struct Pair {
    const char* why;
    const plat::Control* lower;
    const plat::Control* upper;
};

void expectStacked(const std::vector<Pair>& pairs)
{
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.why);
        ASSERT_EQ(p.lower->widget() != nullptr, p.upper->widget() != nullptr)
            << "a windowed control is always above a drawn one";
        EXPECT_LT(heightOf(*p.lower), heightOf(*p.upper))
            << p.lower->name().toStdString() << " / " << p.upper->name().toStdString();
    }
}

TEST(SimulatedWindowStacking, PracticeWindowKeepsItsOrder)
{
    testsupport::EngineApp app;
    auto& ui = app.sys->form<workspace::FrmMain>().ui();
    expectStacked({
        { "the areas take clicks over the step pictures", &ui.Image5, &ui.Label1 },
        { "the hint reads over the yellow frame", &ui.Shape2, &ui.LHelp },
        { "the success note over the hint", &ui.LHelp, &ui.LblSuccess },
        { "a tab takes the click over the target area", &ui.Label1, &ui.LblXXK[1] },
        { "the drag strip over the areas", &ui.Label4, &ui.LblMove2 },
        { "the sixth picture beneath the answer fields", &ui.Image6, &ui.Text1 },
        { "the answer fields over the chrome", &ui.PicHui, &ui.Text1 },
        { "the location list over the options bar", &ui.PicTool, &ui.PicList },
        { "the list step over the third answer field", &ui.Text3, &ui.LstLA },
        { "a drop-down over the location list", &ui.PicList, &ui.Pic1J },
        { "the second level over the first", &ui.Pic1J, &ui.Pic2J },
        { "the location list's cover beneath its rows", &ui.ImgFuGai, &ui.LblADD[0] },
        { "the cover beneath the row pictures", &ui.ImgFuGai, &ui.ImgLiN[0] },
    });
    // Focus goes through the answer fields in their order.
    QWidget* t1 = ui.Text1.widget();
    QWidget* w = t1->nextInFocusChain();
    while (w != ui.Text2.widget() && w != t1)
        w = w->nextInFocusChain();
    EXPECT_EQ(w, ui.Text2.widget());
    while (w != ui.Text3.widget() && w != t1)
        w = w->nextInFocusChain();
    EXPECT_EQ(w, ui.Text3.widget());
}

TEST(SimulatedWindowStacking, DemonstrationKeepsItsOrder)
{
    testsupport::EngineApp app;
    auto& ui = app.sys->form<demo::FrmYanShi>().ui();
    expectStacked({
        { "the step pictures beneath the chrome", &ui.Image5, &ui.PicMenu },
        { "the areas over the chrome", &ui.ImgHui2, &ui.Label1 },
        { "the drop-downs over the hint", &ui.LHelp, &ui.Pic1J },
        { "the drawn context menu over the areas", &ui.Label4, &ui.LRightMMenu },
        { "the red frame in front of the drawn menus", &ui.ShapeRSUB, &ui.Shape1 },
        { "the click ring in front of the red frame", &ui.Shape1, &ui.Shape5 },
        { "the hotspots over the drawn menus", &ui.ShapeRSUB, &ui.LblZHU[0] },
        { "the tab labels over the hotspots", &ui.LblZHU[89], &ui.LblXXK[0] },
        { "the menu entries over the tab labels", &ui.LblXXK[13], &ui.Lbl1J[1] },
        { "the arrow's outline over its fill", &ui.LPoinB[0], &ui.LPoint[0] },
        { "the edit bar over the answer fields", &ui.Text2, &ui.Text4 },
        { "the location list over the list", &ui.LstLA, &ui.PicList },
    });
}

} // namespace
