// The simulated application window: its load, docking of the question panel, drag strips,
// relays and the step-picture clicks.

#include "stepengine/engineapp.h"

#include "exercise/frmtm.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

using testsupport::EngineApp;
using testsupport::Rec;
using workspace::FrmMain;

namespace {

TEST(FrmMainLoad, ScreenHeightDecidesTheWindowAndTheDragStrips)
{
    struct Case {
        int screenHeight;
        bool centred;
        bool stripsAct;
    };
    const Case cases[] = {
        { 600, false, false },
        { 650, false, true }, // the strips need at least 650, the centred window more
        { 768, true, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screenHeight);
        EngineApp app;
        app.sys->setScreenRect(QRect(0, 0, 1024, c.screenHeight));
        auto& main = app.sys->form<FrmMain>();
        // The panel's load shows its question in a restored practice window; the window's own
        // load is seen when it loads again beside a panel that is loaded already.
        app.sys->form<exercise::FrmTm>().load();
        main.unload();
        main.show();
        if (c.centred) {
            EXPECT_EQ(main.windowState(), 0);
            EXPECT_EQ(main.width(), 12000);
            EXPECT_EQ(main.height(), 9000);
            EXPECT_EQ(main.left(), (1024 * 15 - 12000) / 2);
            EXPECT_EQ(main.top(), (c.screenHeight * 15 - 9000) / 2);
        } else {
            EXPECT_EQ(main.windowState(), 2);
        }
        auto& tm = app.sys->form<exercise::FrmTm>();
        EXPECT_TRUE(tm.isLoaded()); // touched by the load handler, so loaded first
        // Where a maximised window's panel lands is the toolkit's; a centred one's is exact.
        if (c.centred) {
            EXPECT_EQ(tm.left() + tm.width(), main.left() + main.width());
            EXPECT_EQ(tm.top() + tm.height(), main.top() + main.height());
        }

        tm.move(777, 777);
        // A right-button press: no move, but the panel is docked again.
        main.ui().LblMove2.MouseDown(plat::button::Right, 0, 100, 100);
        EXPECT_EQ(tm.left() != 777, c.stripsAct);
        if (c.stripsAct) {
            EXPECT_EQ(tm.top() + tm.height(), main.top() + main.height());
        }
    }
}

// The panel was docked at the press on the top strip, before the window moved, and was left
// behind where the drag began.
TEST(FrmMainDragStrips, ALeftDragDocksThePanelWhereTheWindowIsDropped)
{
    EngineApp app;
    app.sys->setScreenRect(QRect(0, 0, 1024, 768));
    auto& main = app.sys->form<FrmMain>();
    auto& tm = app.sys->form<exercise::FrmTm>();
    main.show();
    tm.show();
    const QPointF from(main.left(), main.top()), panel(tm.left(), tm.top());
    const QPointF at = testsupport::HeadlessDriver::centreInForm(main.ui().lblMove);
    const QPointF travel(-600, -450); // 40 by 30 pixels
    app.driver->press(main, at);
    // The pointer's place on the screen, in the twips of the window as it stands.
    app.driver->moveTo(main, at + travel - (QPointF(main.left(), main.top()) - from));
    EXPECT_EQ(QPointF(main.left(), main.top()), from + travel);
    EXPECT_EQ(QPointF(tm.left(), tm.top()), panel) << "docked while the button is held";
    app.driver->release(main, at);
    EXPECT_EQ(tm.left() + tm.width(), main.left() + main.width());
    EXPECT_EQ(tm.top() + tm.height(), main.top() + main.height());
}

TEST(FrmMainLoad, ResetsResumeStepsOfTheFirst40QuestionsAndLoadsThePopupItems)
{
    EngineApp app;
    shell::AppState& st = app.sys->state;
    auto& main = app.sys->form<FrmMain>();
    // The panel's load starts every question at step 1; the window's own load is seen when it
    // loads again beside a panel that is loaded already.
    app.sys->form<exercise::FrmTm>().load();
    main.unload();
    st.ResumeStep(40) = 5;
    st.ResumeStep(41) = 5;
    main.load();
    EXPECT_EQ(st.ResumeStep(40), 1);
    EXPECT_EQ(st.ResumeStep(41), 5);
    EXPECT_EQ(main.ExamDataPath, app.sys->programFile(QStringLiteral("examdata/")));

    plat::MenuItem* wm100 = main.menuBar().find(QStringLiteral("wm100"));
    ASSERT_NE(wm100, nullptr);
    for (int n = 1; n <= 5; ++n) {
        plat::MenuItem* sub = wm100->find(QStringLiteral("sMirtMain%1").arg(n));
        ASSERT_NE(sub, nullptr);
        EXPECT_NE(sub->find(QStringLiteral("sMirtSub%1").arg(n), 10), nullptr);
        EXPECT_EQ(sub->find(QStringLiteral("sMirtSub%1").arg(n), 11), nullptr);
    }
    for (int n = 1; n <= 4; ++n)
        for (int i = 0; i <= 10; ++i)
            EXPECT_NE(wm100->find(QStringLiteral("sMirtInde%1").arg(n), i), nullptr);
    QStringList order;
    for (const auto& item : wm100->items())
        if (item->index() <= 0)
            order << item->name();
    EXPECT_EQ(order,
        QStringList({ "sMirtMain1", "sMirtInde1", "sMirtMain2", "sMirtInde2", "sMirtMain3",
            "sMirtInde3", "sMirtMain4", "sMirtMain5", "sMirtInde4" }));

    auto& ui = main.ui();
    EXPECT_EQ(QPointF(ui.PicTool.left(), ui.PicTool.top()), QPointF(60, 915));
    EXPECT_EQ(QPointF(ui.PicHui.left(), ui.PicHui.top()), QPointF(60, 1425));
    EXPECT_EQ(ui.LblMove2.left(), ui.lblMove.left());
    EXPECT_EQ(ui.LblMove2.width(), 3495);
    EXPECT_FALSE(ui.LblSuccess.visible());
    EXPECT_EQ(ui.LblSuccess.caption(), QStringLiteral("操作成功！"));
}

TEST(FrmMainSteps, PanelRestoresAQuestionAndTimer2LoadsItsStepOnce)
{
    EngineApp app;
    shell::AppState& st = app.sys->state;
    app.writeSteps({ Rec().num({ 1, 3 }, 1), Rec().num({ 1, 3 }, 2), Rec().num({ 1, 3 }, 3),
        Rec(QStringLiteral("9999")) });
    app.writePicture(QStringLiteral("sc0001"), { 200, 100 });
    auto& main = app.sys->form<FrmMain>();
    main.load();
    st.ResumeStep(1) = 3;
    st.QuestionPictures(1)[0] = QStringLiteral("sc0001");
    st.QuestionPictures(1)[2] = QStringLiteral("sc0001");
    app.sys->form<exercise::FrmTm>().DqExam();
    EXPECT_EQ(st.CurrentStep, 3);
    EXPECT_EQ(main.area().picture().width(), 200);
    EXPECT_EQ(main.ui().Image2.picture().width(), 200);
    EXPECT_TRUE(main.ui().Image1.picture().isNull()); // an empty name keeps the picture
    EXPECT_TRUE(main.ui().Timer2.enabled());
    EXPECT_TRUE(st.StepLine.isEmpty());
    app.driver->advance(100);
    EXPECT_EQ(st.StepLine.left(3), QStringLiteral("003"));
    EXPECT_FALSE(main.ui().Timer2.enabled());
    EXPECT_TRUE(main.ui().TimerDisFK.enabled()); // switched on last by the load
    app.driver->advance(100);
    EXPECT_FALSE(main.ui().TimerDisFK.enabled());
}

TEST(FrmMainSteps, AStepPictureClickJumpsByItsNextStepCode)
{
    EngineApp app;
    shell::AppState& st = app.sys->state;
    Rec first;
    const QChar codes[] = { u'0', u'2', u'3', u'4', u'5', u'6' };
    for (int k = 1; k <= 6; ++k)
        first.imageNext(k, codes[k - 1]);
    QList<Rec> recs { first.num({ 1, 3 }, 1) };
    for (int s = 2; s <= 6; ++s)
        recs << Rec().num({ 1, 3 }, s);
    recs << Rec(QStringLiteral("9999"));
    app.writeSteps(recs);
    app.writePicture(QStringLiteral("pic001"), { 40, 30 });
    auto& main = app.sys->form<FrmMain>();
    main.show();
    auto& ui = main.ui();
    plat::Control* images[]
        = { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5, &ui.Image6 };
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        st.CurrentStep = 1;
        main.setData();
        // Each picture on its own, as the picture stage would put it.
        const QString pic = st.SkinPath + QStringLiteral("pic001.mxy");
        if (k == 6)
            ASSERT_TRUE(ui.Image6.setPicture(pic).ok());
        else
            ASSERT_TRUE(static_cast<plat::Image*>(images[k - 1])->setPicture(pic).ok());
        images[k - 1]->move(1500 * k, 6000);
        images[k - 1]->setVisible(true);
        app.driver->click(*images[k - 1]);
        EXPECT_EQ(st.CurrentStep, k == 1 ? 1 : k); // "0" makes no jump
        images[k - 1]->setVisible(false);
    }
}

TEST(FrmMainSteps, TheYellowHintFrameStaysAtItsDesignPlaceOutsideTheWindow)
{
    EngineApp app;
    app.writeSteps(
        { Rec(QStringLiteral("0001")).target(3000, 3000, 900, 450), Rec(QStringLiteral("9999")) });
    auto& main = app.sys->form<FrmMain>();
    main.show();
    app.sys->state.PanelMode = 1; // hints on: the frame is shown with them
    main.setData();
    const auto& frame = main.ui().Shape2;
    ASSERT_TRUE(frame.visible());
    EXPECT_EQ(frame.left(), 16200);
    EXPECT_EQ(frame.top(), 5520);
    EXPECT_EQ(frame.width(), 975);
    EXPECT_EQ(frame.height(), 375);
    // Nothing yellow in the window's top-left corner, where the frame used to stand.
    const QImage shot = testsupport::HeadlessDriver::render(main);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_NE(shot.pixelColor(x, y), QColor(Qt::yellow)) << x << "," << y;
}

TEST(FrmMainSteps, MenuResetKeepsTheFlyoutsOfHotspots33And34)
{
    EngineApp app;
    auto& main = app.sys->form<FrmMain>();
    auto& ui = main.ui();
    for (auto [hotspot, keptOpen] : { std::pair { 33, true }, std::pair { 5, false } }) {
        ui.Pic1J.setVisible(true);
        ui.Pic2J.setVisible(true);
        ui.PicList.setHeight(3720);
        main.OpenHotspot = static_cast<int16_t>(hotspot);
        main.OpenItem = 4;
        main.frmCsh();
        EXPECT_EQ(ui.Pic1J.visible(), keptOpen);
        EXPECT_EQ(main.OpenHotspot, keptOpen ? hotspot : 0);
        EXPECT_FALSE(ui.Pic2J.visible());
        EXPECT_EQ(main.OpenItem, 4);
        EXPECT_EQ(ui.PicList.height(), 330);
    }
}

} // namespace
