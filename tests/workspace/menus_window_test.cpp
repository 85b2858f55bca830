// The practice window's simulated menus: releases on the chrome hotspots, hover looks, first-
// and second-level drop-downs, tool flyouts and the path a candidate clicks through them; then
// every menu step of the sample module solved through the menus.

#include "workspace/practicequestion.h"

#include "exercise/frmtm.h"
#include "platform/keys.h"
#include "platform/paths.h"
#include "support/samplepractice.h"
#include "support/skins.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>

using stepengine::StepRecord;
using testsupport::Rec;
using workspace::FrmMain;
using workspace::FrmMainUi;
namespace fd = stepengine::field;

namespace {

constexpr int kLeft = plat::button::Left, kRight = plat::button::Right;
constexpr int kShift = plat::shiftmask::Shift, kCtrl = plat::shiftmask::Ctrl,
              kAlt = plat::shiftmask::Alt;
const QString kNone = QStringLiteral("0000000000");

// A menu step: all three panels shown, descriptors at 125, 86 and 96.
Rec menuStep(const QString& at125, const QString& at86, const QString& at96 = kNone)
{
    return Rec(QStringLiteral("7000"))
        .set(fd::PanelCode, QStringLiteral("AB"))
        .set(fd::Descriptor3, at125)
        .set(fd::Descriptor1, at86)
        .set(fd::Descriptor2, at96);
}

// A question of menu steps in the practice window, with interface pictures of its own.
struct MenuQuestion : testsupport::PracticeQuestion {
    explicit MenuQuestion(QList<Rec> steps)
    {
        QDir(dir.path()).mkpath(QStringLiteral("examdata"));
        sys->state.LogPath = dir.path() + QStringLiteral("/run.log");
        picture(QStringLiteral("X00002"), { 60, 420 }, QColor(70, 70, 70));
        load(std::move(steps));
    }
    // An interface picture of the examdata folder.
    void picture(const QString& name, QSize px, QColor fill = QColor(240, 240, 240))
    {
        const QImage img = testsupport::skinPicture(px.width(), px.height(), fill, name, Qt::black);
        ASSERT_TRUE(img.save(sys->programFile(QStringLiteral("examdata/") + name + ".mxy"), "BMP"));
    }
    QPointF at(plat::Control& c) { return testsupport::HeadlessDriver::centreInForm(c); }
    void moveOnto(plat::Control& c) { driver->moveTo(main, at(c)); }
    // A candidate's click: the pointer goes there first.
    void clickOn(plat::Control& c, int button = kLeft, int shift = 0)
    {
        moveOnto(c);
        driver->click(c, button, shift);
    }
    QString log() const
    {
        QFile f(sys->state.LogPath);
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    }
};

TEST(HotspotRelease, ShiftCtrlAndAltOnATitleDoNothing)
{
    for (const int shift : { kShift, kCtrl, kShift + kCtrl, kAlt + kShift, kAlt, kCtrl + kAlt }) {
        SCOPED_TRACE(shift);
        MenuQuestion q({ menuStep(kNone, QStringLiteral("H050000000")) });
        q.picture(QStringLiteral("050099"), { 40, 25 });
        q.picture(QStringLiteral("050077"), { 200, 300 });
        q.driver->click(q.ui.LblZHU[5], kLeft, shift);
        EXPECT_EQ(q.step(), 1);
        EXPECT_EQ(q.main.OpenHotspot, 0);
        EXPECT_FALSE(q.ui.Pic1J.visible());
        EXPECT_TRUE(q.ui.ImgMenu.picture().isNull());
    }
}

TEST(HotspotRelease, ATitleWithoutItemsAdvancesOnItsOwnRelease)
{
    // "0000" after the hotspot: the release that opens the menu is the step; it closes again.
    MenuQuestion q({ menuStep(kNone, QStringLiteral("H050000003")), menuStep(kNone, kNone),
        menuStep(kNone, kNone) });
    q.picture(QStringLiteral("050077"), { 200, 300 });
    q.clickOn(q.ui.LblZHU[5]);
    EXPECT_EQ(q.step(), 3);
    EXPECT_FALSE(q.ui.Pic1J.visible());
    EXPECT_EQ(q.main.OpenHotspot, 0);
}

TEST(HotspotRelease, TwoPathsOfTheReleasedHotspotAdvanceOnce)
{
    // Hotspot 33 stays open through the reload of a jump, so the second path would still
    // answer the same release and go on from the step jumped to.
    MenuQuestion q({ menuStep(QStringLiteral("H330000002"), QStringLiteral("H330000000")),
        menuStep(kNone, kNone), menuStep(kNone, kNone) });
    q.clickOn(q.ui.LblZHU[33]);
    EXPECT_EQ(q.step(), 2);
    EXPECT_EQ(q.main.OpenHotspot, 33);
}

TEST(HotspotRelease, DropDownsOpenUnderTheirHotspots)
{
    MenuQuestion q({ menuStep(kNone, kNone) });
    q.picture(QStringLiteral("050077"), { 206, 300 });
    q.picture(QStringLiteral("110077"), { 225, 300 });
    q.picture(QStringLiteral("230077"), { 75, 40 });
    q.picture(QStringLiteral("230099"), { 20, 26 }, Qt::darkGray);
    q.picture(QStringLiteral("120099"), { 28, 22 }, Qt::darkGray);
    const plat::Label& title = q.ui.LblZHU[5];
    q.driver->click(q.ui.LblZHU[5]);
    EXPECT_EQ(q.ui.Pic1J.left(), q.ui.PicMenu.left() + title.left());
    EXPECT_EQ(q.ui.Pic1J.top(), q.ui.PicMenu.top() + title.top() + title.height());
    // The last title's drop-down stands at a fixed place, wherever the title is.
    q.driver->click(q.ui.LblZHU[11]);
    EXPECT_EQ(q.ui.Pic1J.left(), 8490);
    EXPECT_EQ(q.ui.Pic1J.width(), 225 * 15);
    // An options-bar button's drop-down hangs under its pressed picture.
    const plat::Label& button = q.ui.LblZHU[23];
    q.driver->click(q.ui.LblZHU[23]);
    EXPECT_EQ(q.ui.Pic1J.left(), q.ui.PicTool.left() + button.left());
    EXPECT_EQ(q.ui.Pic1J.top(), q.ui.PicTool.top() + button.top() + 26 * 15);
    EXPECT_EQ(q.ui.Lbl1J[2].top(), 255);
    // An application-bar button without a drop-down shows only its pressed picture.
    q.driver->click(q.ui.LblZHU[12]);
    EXPECT_FALSE(q.ui.Pic1J.visible());
    EXPECT_EQ(q.ui.ImgMenu.width(), 28 * 15);
    EXPECT_EQ(q.main.OpenHotspot, 12);
}

TEST(HotspotRelease, AltClickOnAToolShowsItsVariantAndAdvancesOnce)
{
    // Both descriptors name the tool, whatever follows it: one release, one step.
    MenuQuestion q({ menuStep(QStringLiteral("H420300000"), QStringLiteral("H420000000")),
        menuStep(kNone, kNone), menuStep(kNone, kNone) });
    q.picture(QStringLiteral("X04202"), { 23, 21 }, Qt::yellow);
    q.picture(QStringLiteral("420077"), { 160, 80 });
    q.moveOnto(q.ui.LblZHU[42]);
    q.driver->click(q.ui.LblZHU[42], kLeft, kAlt);
    EXPECT_EQ(q.step(), 2);
    // The variant stays on the tool; no flyout opens.
    EXPECT_EQ(q.ui.ImgHui.width(), 23 * 15);
    EXPECT_EQ(q.ui.ImgHui.left(), q.ui.LblZHU[42].left());
    EXPECT_FALSE(q.ui.Pic1J.visible());

    // Alt on a menu title is nothing at all.
    q.driver->click(q.ui.LblZHU[3], kLeft, kAlt);
    EXPECT_EQ(q.main.OpenHotspot, 0);
}

TEST(HotspotRelease, RightClickOpensAFlyoutThatALeftClickHides)
{
    MenuQuestion q({ menuStep(kNone, QStringLiteral("H420200000")), menuStep(kNone, kNone) });
    q.picture(QStringLiteral("420077"), { 165, 80 });
    q.clickOn(q.ui.LblZHU[42], kRight);
    EXPECT_EQ(q.main.OpenHotspot, 42);
    ASSERT_TRUE(q.ui.Pic1J.visible());
    const plat::Label& tool = q.ui.LblZHU[42];
    EXPECT_EQ(q.ui.Pic1J.left(), q.ui.PicHui.left() + tool.left() + tool.width());
    EXPECT_EQ(q.ui.Pic1J.top(), q.ui.PicHui.top() + tool.top());
    EXPECT_EQ(q.ui.Lbl1J[4].top(), 900);
    EXPECT_EQ(q.ui.Lbl1J[5].width(), 0);

    q.driver->click(q.ui.LblZHU[42]);
    EXPECT_FALSE(q.ui.Pic1J.visible());
    EXPECT_EQ(q.step(), 1);

    // Reopened, its second item is the step.
    q.driver->click(q.ui.LblZHU[42], kRight);
    q.clickOn(q.ui.Lbl1J[2]);
    EXPECT_EQ(q.step(), 2);
}

TEST(HotspotRelease, AFlyoutReachingTheBottomLineIsRaisedToItsToolsBottom)
{
    // Tool 61 lies low in the toolbox; a flyout high enough to reach 9000 twips is raised.
    struct Case {
        int heightPx;
        bool raised;
    };
    for (const Case c : { Case { 20, false }, Case { 600, true } }) {
        SCOPED_TRACE(c.heightPx);
        MenuQuestion q({ menuStep(kNone, kNone) });
        q.picture(QStringLiteral("610077"), { 180, c.heightPx });
        q.driver->click(q.ui.LblZHU[61], kRight);
        const plat::Label& tool = q.ui.LblZHU[61];
        const double top = q.ui.PicHui.top() + tool.top();
        EXPECT_EQ(q.ui.Pic1J.top(), c.raised ? top + tool.height() - c.heightPx * 15 : top);
    }
}

TEST(Hover, InsideTheOpenHotspotNothingChangesOnTheNextTitleTheMenuCloses)
{
    MenuQuestion q({ menuStep(kNone, QStringLiteral("H010300000")) });
    q.picture(QStringLiteral("010099"), { 30, 20 }, Qt::darkBlue);
    q.picture(QStringLiteral("020088"), { 35, 20 }, Qt::cyan);
    q.picture(QStringLiteral("010077"), { 340, 500 });
    q.clickOn(q.ui.LblZHU[1]);
    ASSERT_TRUE(q.ui.Pic1J.visible());
    const double pressedWidth = q.ui.ImgMenu.width();

    q.driver->moveTo(q.main, q.at(q.ui.LblZHU[1]) + QPointF(30, 15));
    EXPECT_TRUE(q.ui.Pic1J.visible());
    EXPECT_EQ(q.main.OpenHotspot, 1);
    EXPECT_EQ(q.ui.ImgMenu.width(), pressedWidth);

    q.moveOnto(q.ui.LblZHU[2]);
    EXPECT_FALSE(q.ui.Pic1J.visible());
    EXPECT_EQ(q.main.OpenHotspot, 0);
    EXPECT_EQ(q.ui.ImgMenu.left(), q.ui.LblZHU[2].left());
    EXPECT_EQ(q.ui.ImgMenu.width(), 35 * 15); // 020088, the hover look
    EXPECT_EQ(q.step(), 1);
}

TEST(Hover, EachHotspotShowsItsOwnHoverPictureInItsPanel)
{
    struct Case {
        int hotspot;
        plat::Image FrmMainUi::*look;
        int widthPx; // 0: no picture
    };
    const Case cases[] = {
        { 7, &FrmMainUi::ImgMenu, 31 }, { 26, &FrmMainUi::ImgTool, 32 },
        { 42, &FrmMainUi::ImgHui, 33 }, { 64, &FrmMainUi::ImgHui, 34 },
        { 65, &FrmMainUi::ImgHui, 0 }, // the colour controls have none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hotspot);
        MenuQuestion q({ menuStep(kNone, kNone) });
        for (const Case& other : cases)
            q.picture(QString::number(other.hotspot).rightJustified(2, u'0') + "0088",
                { other.widthPx ? other.widthPx : 35, 20 });
        // From title 1's hover look, which the move clears.
        q.picture(QStringLiteral("010088"), { 30, 20 });
        q.moveOnto(q.ui.LblZHU[1]);
        ASSERT_FALSE(q.ui.ImgMenu.picture().isNull());
        q.moveOnto(q.ui.LblZHU[c.hotspot]);
        const plat::Image& look = q.ui.*c.look;
        EXPECT_TRUE(q.ui.ImgMenu.picture().isNull() || c.look == &FrmMainUi::ImgMenu);
        if (c.widthPx == 0) {
            EXPECT_TRUE(look.picture().isNull());
            continue;
        }
        EXPECT_EQ(look.width(), c.widthPx * 15);
        EXPECT_EQ(look.left(), q.ui.LblZHU[c.hotspot].left());
        EXPECT_EQ(look.top(), q.ui.LblZHU[c.hotspot].top());
    }
}

TEST(MenuReset, HotspotsThirtyThreeAndThirtyFourKeepTheirDropDown)
{
    struct Case {
        int hotspot;
        bool keeps;
    };
    for (const Case c : { Case { 33, true }, Case { 34, true }, Case { 1, false } }) {
        SCOPED_TRACE(c.hotspot);
        MenuQuestion q({ menuStep(kNone, kNone) });
        q.picture(QStringLiteral("010077"), { 340, 500 });
        q.driver->click(q.ui.LblZHU[1]);
        q.driver->click(q.ui.LblZHU[c.hotspot], kRight); // opens it, shows nothing
        EXPECT_EQ(q.main.OpenHotspot, c.hotspot);
        q.main.OpenItem = 7;
        q.ui.PicList.setHeight(3000);
        // A pointer move over the workspace resets the menus.
        q.driver->moveTo(q.main, { 6000, 7000 });
        EXPECT_EQ(q.ui.Pic1J.visible(), c.keeps);
        EXPECT_EQ(q.main.OpenHotspot, c.keeps ? c.hotspot : 0);
        EXPECT_TRUE(q.ui.ImgMenu.picture().isNull());
        EXPECT_EQ(q.main.OpenItem, 7);
        EXPECT_EQ(q.ui.PicList.height(), 330);
    }
}

TEST(MenuPath, ThroughASecondLevelItemAdvancesTheFirstLevelItemAloneDoesNot)
{
    MenuQuestion q({ menuStep(kNone, QStringLiteral("H051003000")), menuStep(kNone, kNone) });
    q.picture(QStringLiteral("050077"), { 206, 300 });
    q.picture(QStringLiteral("051077"), { 151, 100 });
    q.picture(QStringLiteral("051003"), { 151, 16 }, Qt::darkBlue);
    q.clickOn(q.ui.LblZHU[5]);
    q.clickOn(q.ui.Lbl1J[10]);
    EXPECT_EQ(q.step(), 1);
    EXPECT_EQ(q.main.OpenItem, 10);
    ASSERT_TRUE(q.ui.Pic2J.visible());
    // Level with the item, 90 twips inside the first level's right edge.
    EXPECT_EQ(q.ui.Pic2J.left(), q.ui.Pic1J.left() + q.ui.Pic1J.width() - 90);
    EXPECT_EQ(q.ui.Pic2J.top(), q.ui.Pic1J.top() + q.ui.Lbl1J[10].top());
    EXPECT_EQ(q.ui.Lbl2J[5].top(), 1005);
    EXPECT_EQ(q.ui.Lbl2J[6].width(), 0);

    // Moving back over the open item keeps its second level; another item closes it.
    q.moveOnto(q.ui.Lbl1J[10]);
    EXPECT_TRUE(q.ui.Pic2J.visible());
    q.moveOnto(q.ui.Lbl2J[3]);
    EXPECT_EQ(q.ui.Img2J.width(), 151 * 15);
    q.clickOn(q.ui.Lbl2J[4]);
    EXPECT_EQ(q.step(), 1);
    q.clickOn(q.ui.Lbl2J[3]);
    EXPECT_EQ(q.step(), 2);
    EXPECT_FALSE(q.ui.Pic1J.visible());
    EXPECT_FALSE(q.ui.Pic2J.visible());
    EXPECT_EQ(q.main.OpenItem, 0);
}

TEST(MenuPath, APathAndAnItemPictureOnOneItemAdvanceOnce)
{
    MenuQuestion q({ menuStep(kNone, QStringLiteral("H101800000"), QStringLiteral("D101807701")),
        menuStep(kNone, kNone), menuStep(kNone, kNone) });
    q.picture(QStringLiteral("100077"), { 140, 600 });
    q.picture(QStringLiteral("770177"), { 120, 16 }, Qt::lightGray);
    q.picture(QStringLiteral("770100"), { 125, 16 }, Qt::darkBlue);
    q.picture(QStringLiteral("101700"), { 130, 16 }, Qt::darkBlue);
    q.clickOn(q.ui.LblZHU[10]);
    // The marked item has its background, and its own highlight.
    ASSERT_TRUE(q.ui.Img1jBK.visible());
    EXPECT_EQ(q.ui.Img1jBK.top(), q.ui.Lbl1J[18].top());
    EXPECT_EQ(q.ui.Img1jBK.width(), 120 * 15);
    q.moveOnto(q.ui.Lbl1J[17]);
    EXPECT_EQ(q.ui.Img1J.width(), 130 * 15);
    q.moveOnto(q.ui.Lbl1J[18]);
    EXPECT_EQ(q.ui.Img1J.width(), 125 * 15);
    q.driver->click(q.ui.Lbl1J[18]);
    EXPECT_EQ(q.step(), 2);
}

TEST(MenuPath, MissingPicturesShowAnEmptyDropDownOfTheRightSize)
{
    // Menu 7 ("321", items 3000 wide, 240 high) has no picture; menu 1 was open before.
    MenuQuestion q({ menuStep(kNone, QStringLiteral("H070200000")), menuStep(kNone, kNone) });
    q.picture(QStringLiteral("010077"), { 340, 500 });
    q.picture(QStringLiteral("070100"), { 200, 16 }, Qt::darkBlue);
    q.clickOn(q.ui.LblZHU[1]);
    q.clickOn(q.ui.LblZHU[7]);
    ASSERT_TRUE(q.ui.Pic1J.visible());
    EXPECT_TRUE(q.ui.Pic1J.picture().isNull());
    EXPECT_EQ(q.ui.Pic1J.width(), 45 + 3000 + 45);
    EXPECT_EQ(q.ui.Pic1J.height(), q.ui.Lbl1J[6].top() + 240 + 45);
    EXPECT_TRUE(q.log().contains(QStringLiteral("070077")));

    // A highlight without a picture is no highlight, not the last item's.
    q.moveOnto(q.ui.Lbl1J[1]);
    EXPECT_FALSE(q.ui.Img1J.picture().isNull());
    q.moveOnto(q.ui.Lbl1J[2]);
    q.driver->moveTo(q.main, q.at(q.ui.Lbl1J[2]) + QPointF(60, 0));
    EXPECT_TRUE(q.ui.Img1J.picture().isNull());
    EXPECT_EQ(q.log().count(QStringLiteral("picture 070200")), 1); // once, not at every move
    q.driver->click(q.ui.Lbl1J[2]);
    EXPECT_EQ(q.step(), 2);
}

TEST(OptionsBar, ARightReleaseOnTheBarOpensTheContextMenuOfAMenuStepOnly)
{
    struct Case {
        const char* code;
        int button;
        bool opens;
    };
    const Case cases[] = {
        { "4215", kRight, true },
        { "3000", kRight, false },
        { "6000", kRight, false },
        { "4215", kLeft, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        MenuQuestion q(
            { Rec(QString::fromLatin1(c.code)).set(fd::PanelCode, QStringLiteral("AB")) });
        // Between the bar's hotspots: its far right end.
        q.driver->clickAt(q.ui.PicTool, { q.ui.PicTool.width() - 30, 30 }, c.button);
        // The menu digit is chosen only for the popup (this folder has no menu file to fill it).
        EXPECT_EQ(q.main.MenuNo, c.opens ? 2 : 0);
    }
}

// A point of a control that no later neighbour covers (the colour controls at the foot of the
// toolbox overlap), in form twips: where a candidate would click it.
QPointF uncoveredPoint(plat::Control& c)
{
    const QPointF centre = testsupport::HeadlessDriver::centreInForm(c);
    const QPointF origin = centre - QPointF(c.width() / 2, c.height() / 2);
    for (const double fy : { 0.5, 0.25, 0.75, 0.1, 0.9 })
        for (const double fx : { 0.5, 0.25, 0.75, 0.1, 0.9 }) {
            const QPointF in(c.left() + fx * c.width(), c.top() + fy * c.height());
            const QPointF px(in.x() / c.tppX(), in.y() / c.tppY());
            if (c.parent().lightweightAt(px) == &c)
                return origin + QPointF(fx * c.width(), fy * c.height());
        }
    return centre;
}

// The sample module --------------------------------------------------------------------------

// A menu step of the sample module, solved as a candidate clicks it.
struct SampleStep {
    int set = 0; // step file 2888(20 + set)
    int question = 0;
    int step = 0;
    QString path; // the "H" descriptor a candidate follows
};

struct SampleModule {
    testsupport::DrivenSystem run { testsupport::sampleProgramDir() };
    shell::System* sys = &run.sys;
    testsupport::HeadlessDriver* driver = &run.driver;

    SampleModule()
    {
        sys->state.SkinPath = testsupport::sampleDataDir();
        sys->state.StudyMode = 20;
        sys->state.PanelMode = 1;
    }
    // Opens set `set` with its questions' first steps, as the exercise launch does.
    void openSet(int set)
    {
        shell::AppState& st = sys->state;
        st.SetNo = set;
        ASSERT_TRUE(testsupport::launchQuestions(*sys));
    }
    // Every "7000" step of the set, with the first "H" path among its descriptors.
    std::vector<SampleStep> menuSteps(int set)
    {
        std::vector<SampleStep> found;
        const shell::AppState& st = sys->state;
        const auto lines = plat::readLines(sys->skinFile(stepengine::stepFileName(20, set)));
        if (!lines.ok())
            return found;
        for (int q = 1; q <= st.QuestionCount; ++q) {
            const int first = st.FirstStepTable(q);
            const int last
                = q < st.QuestionCount ? st.FirstStepTable(q + 1) : lines.value().size() + 1;
            for (int line = first; line < last; ++line) {
                const stepengine::StepRecord r(lines.value()[line - 1]);
                if (r.actionCode() != QStringLiteral("7000"))
                    continue;
                for (const stepengine::Field slot :
                    { fd::Descriptor3, fd::Descriptor1, fd::Descriptor2 })
                    if (r.text(slot).startsWith(u'H')) {
                        found.push_back({ set, q, line - first + 1, r.text(slot) });
                        break;
                    }
            }
        }
        return found;
    }
};

TEST(SampleModule, EveryMenuStepIsSolvedThroughTheMenus)
{
    ASSERT_SAMPLE_MODULE();
    SampleModule m;
    auto& main = m.sys->form<FrmMain>();
    auto& ui = main.ui();
    m.sys->form<exercise::FrmTm>().show();
    main.show();
    shell::AppState& st = m.sys->state;
    const auto moveOnto = [&](plat::Control& c) { m.driver->moveTo(main, uncoveredPoint(c)); };
    const auto clickOn = [&](plat::Control& c, int button = kLeft) {
        const QPointF p = uncoveredPoint(c);
        m.driver->moveTo(main, p);
        m.driver->clickForm(main, p, button);
    };
    QSet<QString> kinds; // hotspot, item, sub-item, flyout item, item with its own picture
    for (int set = 0; set <= 4; ++set) {
        m.openSet(set);
        for (const SampleStep& s : m.menuSteps(set)) {
            const stepengine::ActionDescriptor d = stepengine::ActionDescriptor::parse(s.path);
            SCOPED_TRACE(testing::Message() << "set " << set << " question " << s.question
                                            << " step " << s.step << " " << s.path.toStdString());
            st.CurrentQuestion = static_cast<int16_t>(s.question);
            st.CurrentStep = static_cast<int16_t>(s.step);
            main.setData();
            ASSERT_EQ(st.CurrentStep, s.step);
            const auto marked = StepRecord(st.StepLine).descriptor(fd::Descriptor2);
            const bool flyout = d.item != 0 && menus::isToolGroup(d.hotspot);
            clickOn(ui.LblZHU[d.hotspot], flyout ? kRight : kLeft);
            if (d.item == 0)
                kinds << QStringLiteral("hotspot");
            if (d.item != 0) {
                ASSERT_TRUE(ui.Pic1J.visible());
                if (marked.kind == u'D' && marked.hotspot == d.hotspot) {
                    EXPECT_TRUE(ui.Img1jBK.visible());
                    EXPECT_FALSE(ui.Img1jBK.picture().isNull()) << "no item background";
                    kinds << QStringLiteral("marked item");
                }
                moveOnto(ui.Lbl1J[d.item]);
                EXPECT_FALSE(ui.Img1J.picture().isNull()) << "no highlight";
                m.driver->click(ui.Lbl1J[d.item]);
                kinds << (flyout ? QStringLiteral("flyout item") : QStringLiteral("item"));
            }
            if (d.subItem != 0) {
                EXPECT_EQ(st.CurrentStep, s.step) << "the first level alone answered";
                ASSERT_TRUE(ui.Pic2J.visible());
                moveOnto(ui.Lbl2J[d.subItem]);
                EXPECT_FALSE(ui.Img2J.picture().isNull()) << "no highlight";
                m.driver->click(ui.Lbl2J[d.subItem]);
                kinds << QStringLiteral("sub-item");
            }
            const int expected = d.next == u'0'
                ? s.step + 1
                : stepengine::stepOfNextCode(QString(d.next)).value_or(-1);
            EXPECT_EQ(st.CurrentStep, expected);
        }
    }
    EXPECT_EQ(kinds,
        (QSet<QString> { QStringLiteral("hotspot"), QStringLiteral("item"),
            QStringLiteral("sub-item"), QStringLiteral("flyout item"),
            QStringLiteral("marked item") }));
}

TEST(SampleModule, RenderingsOfOpenDropDowns)
{
    ASSERT_SAMPLE_MODULE();
    SampleModule m;
    auto& main = m.sys->form<FrmMain>();
    auto& ui = main.ui();
    main.show();
    m.openSet(1);
    const auto steps = m.menuSteps(1);
    // The step through menu 5, item 10, sub-item 5.
    const auto s = std::find_if(steps.begin(), steps.end(),
        [](const SampleStep& x) { return x.path.startsWith(QStringLiteral("H051005")); });
    ASSERT_NE(s, steps.end());
    m.sys->state.CurrentQuestion = static_cast<int16_t>(s->question);
    m.sys->state.CurrentStep = static_cast<int16_t>(s->step);
    main.setData();
    const QString out = testsupport::outputDir();
    m.driver->moveTo(main, testsupport::HeadlessDriver::centreInForm(ui.LblZHU[5]));
    m.driver->click(ui.LblZHU[5]);
    m.driver->moveTo(main, testsupport::HeadlessDriver::centreInForm(ui.Lbl1J[4]));
    EXPECT_FALSE(ui.Img1J.picture().isNull());
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(main, out + QStringLiteral("/menu-first.png")));
    m.driver->moveTo(main, testsupport::HeadlessDriver::centreInForm(ui.Lbl1J[10]));
    m.driver->click(ui.Lbl1J[10]);
    m.driver->moveTo(main, testsupport::HeadlessDriver::centreInForm(ui.Lbl2J[2]));
    EXPECT_TRUE(ui.Pic2J.visible());
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(main, out + QStringLiteral("/menu-second.png")));

    // A tool flyout beside its tool.
    m.driver->moveTo(main, testsupport::HeadlessDriver::centreInForm(ui.LblZHU[42]));
    m.driver->click(ui.LblZHU[42], kRight);
    m.driver->moveTo(main, testsupport::HeadlessDriver::centreInForm(ui.Lbl1J[2]));
    EXPECT_TRUE(ui.Pic1J.visible());
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(main, out + QStringLiteral("/menu-flyout.png")));
}

} // namespace
