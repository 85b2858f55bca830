// The menu-bar and options-bar pictures built into the simulated windows: their size, the
// drawing under every hotspot, both windows showing them on a 96- and a 120-dpi display, and a
// sample question whose pressed looks and drop-down land on them.

#include "workspace/chromeart.h"

#include "demo/frmyanshi.h"
#include "exercise/frmtm.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "support/driven.h"
#include "support/systemapp.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"
#include "workspace/hotspots.h"

#include <QFileInfo>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>

namespace {

// The colour that fills most of a rectangle: the bar's background there.
QRgb commonColour(const QImage& image, const QRect& r)
{
    std::map<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = -1;
    for (const auto& [colour, n] : counts)
        if (n > most)
            best = colour, most = n;
    return best;
}

// The bounding box of whatever is drawn over the background inside a rectangle.
QRect inkBox(const QImage& image, const QRect& r)
{
    const QRgb back = commonColour(image, r);
    QRect box;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) != back)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(ChromeArt, EachBarHasItsDesignSizeAndDrawsUnderEveryHotspot)
{
    struct Case {
        const char* bar;
        QImage picture;
        QSize size;
        int first, last; // hotspots on this bar that the mouse can reach
    };
    const Case cases[] = {
        { "menu bar", workspace::menuBarArt().image(), { 799, 60 }, 1, 20 },
        { "options bar", workspace::optionsBarArt().image(), { 770, 30 }, 21, 37 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bar);
        ASSERT_EQ(c.picture.size(), c.size);
        for (int h = c.first; h <= c.last; ++h) {
            SCOPED_TRACE(h);
            const workspace::HotspotCell cell = workspace::hotspotCell(h, false);
            const QRect r(cell.left / 15, cell.top / 15, cell.width / 15, cell.height / 15);
            ASSERT_TRUE(QRect(QPoint(), c.size).contains(r));
            // Something is drawn there, and it is centred on the hotspot, not cut by its edge.
            const QRect ink = inkBox(c.picture, r);
            ASSERT_FALSE(ink.isEmpty());
            EXPECT_LE(std::abs(ink.center().x() - r.center().x()), std::max(2, r.width() / 10));
            EXPECT_LE(std::abs(ink.center().y() - r.center().y()), std::max(2, r.height() / 5));
        }
    }
    // A pressed look changes only its own hotspot.
    const QImage plain = workspace::drawMenuBarArt();
    const QImage pressed = workspace::drawMenuBarArt(5, workspace::ChromeMark::Pressed);
    const QRect five = workspace::hotspotArtRect(5);
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            if (!five.contains(x, y)) {
                ASSERT_EQ(plain.pixel(x, y), pressed.pixel(x, y)) << x << "," << y;
            }
        }
    EXPECT_NE(inkBox(pressed, five), inkBox(plain, five));
}

// Whether what is drawn inside a rectangle (in pixels) keeps clear of its edges and is centred
// in it: each title, button and tool sits in the middle of the place the layout gives its
// hotspot. Ink is whatever differs from `background`, by default the rectangle's most common
// colour.
void expectDrawnCentredIn(
    const QImage& image, const QRect& r, int tolerance, std::optional<QRgb> background = {})
{
    QRect ink;
    if (background) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.pixel(x, y) != *background)
                    ink |= QRect(x, y, 1, 1);
    } else {
        ink = inkBox(image, r);
    }
    ASSERT_FALSE(ink.isEmpty()) << "nothing drawn";
    const auto where = [&] {
        return testing::Message() << "ink " << ink.left() << ".." << ink.right() << " x "
                                  << ink.top() << ".." << ink.bottom() << " in " << r.left() << ".."
                                  << r.right() << " x " << r.top() << ".." << r.bottom();
    };
    EXPECT_TRUE(r.adjusted(1, 1, -1, -1).contains(ink)) << where();
    EXPECT_LE(std::abs(ink.center().x() - r.center().x()), tolerance) << where();
    EXPECT_LE(std::abs(ink.center().y() - r.center().y()), tolerance) << where();
}

// The practice window on a 96-dpi display, in window pixels (15 twips a pixel): the menu titles
// and the options bar's buttons stand where the layout puts their hotspots. The rectangles are
// the layout's own, written out here, not read from the program's table.
TEST(ChromeArt, TitlesAndButtonsStandWhereTheLayoutPutsTheirHotspots)
{
    testsupport::SystemApp app;
    app.sys->setDisplayScale(1.0, 1.0);
    app.sys->state.ScaleX = app.sys->state.ScaleY = 1.0;
    auto& f = app.sys->form<workspace::FrmMain>();
    f.show();
    f.ToolCSH();
    const QImage shot
        = testsupport::HeadlessDriver::render(f).convertToFormat(QImage::Format_RGB32);
    shot.save(testsupport::outputDir() + QStringLiteral("/chrome-layout-practice.png"));

    // Menu titles 1..11: 62 x 23 pixels from y 35 (the menu bar lies at the window's origin).
    const int titleLefts[] = { 6, 69, 133, 194, 257, 320, 384, 448, 500, 564, 632 };
    for (std::size_t i = 0; i < std::size(titleLefts); ++i) {
        SCOPED_TRACE(testing::Message() << "menu title " << i + 1);
        expectDrawnCentredIn(shot, QRect(titleLefts[i], 35, 62, 23), 3);
    }
    // The options bar lies at (4, 61); its buttons 25..37 are 20 x 18 pixels from y 8 on it,
    // on the bar's own colour, which shows between the style field (24) and the first button.
    const QRgb bar = shot.pixel(4 + 320, 61 + 15);
    const int buttonLefts[] = { 330, 350, 370, 400, 420, 440, 480, 500, 520, 550, 570, 590, 629 };
    for (std::size_t i = 0; i < std::size(buttonLefts); ++i) {
        SCOPED_TRACE(testing::Message() << "options button " << i + 25);
        expectDrawnCentredIn(shot, QRect(4 + buttonLefts[i], 61 + 8, 20, 18), 1, bar);
    }
}

// The toolbox pictures the sample module gives PicHui: each tool's pictogram in the middle of
// its hotspot's cell (26 x 23 pixels), in one column and in two, at the layout's own places.
TEST(ChromeArt, SampleToolboxDrawsEachToolInItsHotspotsCell)
{
    const QString examData = QStringLiteral(KSXT_PROGRAM_DIR) + QStringLiteral("/examdata/");
    const auto one = plat::loadPicture(examData + QStringLiteral("X00001.mxy"));
    const auto two = plat::loadPicture(examData + QStringLiteral("X00002.mxy"));
    ASSERT_TRUE(one.ok() && two.ok()) << "no sample module in " << KSXT_PROGRAM_DIR;
    const QImage oneColumn = one.value().image().convertToFormat(QImage::Format_RGB32);
    const QImage twoColumns = two.value().image().convertToFormat(QImage::Format_RGB32);

    struct Tool {
        int hotspot;
        QPoint oneColumn, twoColumns; // the cell's top-left corner in each picture
    };
    const Tool tools[] = {
        { 41, { 6, 26 }, { 30, 26 } },
        { 42, { 6, 49 }, { 4, 26 } },
        { 43, { 6, 72 }, { 4, 49 } },
        { 44, { 6, 95 }, { 30, 49 } },
        { 45, { 6, 118 }, { 4, 72 } },
        { 46, { 6, 141 }, { 30, 72 } },
        { 47, { 6, 168 }, { 4, 99 } },
        { 48, { 6, 191 }, { 30, 99 } },
        { 49, { 6, 214 }, { 4, 122 } },
        { 50, { 6, 237 }, { 30, 122 } },
        { 51, { 6, 260 }, { 4, 145 } },
        { 52, { 6, 283 }, { 30, 145 } },
        { 53, { 6, 306 }, { 4, 168 } },
        { 54, { 6, 329 }, { 30, 168 } },
        { 55, { 6, 356 }, { 4, 195 } },
        { 56, { 6, 379 }, { 30, 195 } },
        { 57, { 6, 402 }, { 4, 218 } },
        { 58, { 6, 425 }, { 30, 218 } },
        { 59, { 6, 452 }, { 4, 245 } },
        { 60, { 6, 475 }, { 30, 245 } },
        { 61, { 6, 498 }, { 4, 268 } },
        { 62, { 6, 521 }, { 30, 268 } },
    };
    const QSize cell(26, 23);
    for (const Tool& t : tools) {
        SCOPED_TRACE(testing::Message() << "tool " << t.hotspot);
        {
            SCOPED_TRACE("one column");
            expectDrawnCentredIn(oneColumn, QRect(t.oneColumn, cell), 4);
        }
        {
            SCOPED_TRACE("two columns");
            expectDrawnCentredIn(twoColumns, QRect(t.twoColumns, cell), 4);
        }
    }
}

// The part of a window's rendering that a panel covers.
QImage panelInRendering(const QImage& window, plat::Control& panel, double twipsPerPixel)
{
    return window.copy(qRound(panel.left() / twipsPerPixel), qRound(panel.top() / twipsPerPixel),
        qRound(panel.width() / twipsPerPixel), qRound(panel.height() / twipsPerPixel));
}

QImage cropped(const QImage& art, QSize size)
{
    return art.copy(QRect(QPoint(), size)).convertToFormat(QImage::Format_RGB32);
}

TEST(ChromeArt, BothWindowsShowTheBarsOnEveryDisplay)
{
    for (const double scale : { 1.0, 0.8 }) {
        for (const bool demonstration : { false, true }) {
            SCOPED_TRACE(testing::Message() << scale << (demonstration ? " demo" : " practice"));
            testsupport::SystemApp app;
            app.sys->setDisplayScale(scale, scale);
            app.sys->state.ScaleX = app.sys->state.ScaleY = scale;
            plat::Form* form = nullptr;
            plat::Control *menu = nullptr, *options = nullptr;
            if (demonstration) {
                auto& f = app.sys->form<demo::FrmYanShi>();
                f.show();
                f.ToolCSH();
                form = &f, menu = &f.ui().PicMenu, options = &f.ui().PicTool;
            } else {
                auto& f = app.sys->form<workspace::FrmMain>();
                f.show();
                f.ToolCSH();
                form = &f, menu = &f.ui().PicMenu, options = &f.ui().PicTool;
            }
            const QImage shot
                = testsupport::HeadlessDriver::render(*form).convertToFormat(QImage::Format_RGB32);
            shot.save(testsupport::outputDir()
                + QStringLiteral("/chrome-%1-%2.png")
                      .arg(demonstration ? QStringLiteral("demo") : QStringLiteral("practice"))
                      .arg(scale * 100));
            const double tpp = app.sys->twipsPerPixelX();
            const QImage menuShown = panelInRendering(shot, *menu, tpp);
            const QImage optionsShown = panelInRendering(shot, *options, tpp);
            EXPECT_EQ(menuShown, cropped(workspace::menuBarArt().image(), menuShown.size()));
            EXPECT_EQ(
                optionsShown, cropped(workspace::optionsBarArt().image(), optionsShown.size()));
            EXPECT_EQ(menuShown.size(), QSize(799, 60));
            EXPECT_EQ(optionsShown.size(), QSize(770, 30));
        }
    }
}

// A menu step of the sample module with all three panels shown: question and step (from 1).
struct MenuStepAt {
    int question = 0, step = 0, hotspot = 0;
};

std::optional<MenuStepAt> findMenuStep(const QString& dataDir, int studyMode)
{
    const auto questions
        = plat::readLines(dataDir + stepengine::questionFileName(studyMode, 0) + ".mxy");
    const auto steps = plat::readLines(dataDir + stepengine::stepFileName(studyMode, 0) + ".mxy");
    if (!questions.ok() || !steps.ok())
        return std::nullopt;
    int first = 0;
    for (int q = 1; q <= questions.value().size(); ++q) {
        const int count = plat::mid(questions.value()[q - 1], 5, 2).toInt();
        for (int k = 1; k <= count; ++k) {
            const stepengine::StepRecord r(steps.value().value(first + k - 1));
            const stepengine::PanelCode panels
                = stepengine::panelCodeOf(r.text(stepengine::field::PanelCode));
            const auto d
                = stepengine::ActionDescriptor::parse(r.text(stepengine::field::Descriptor1));
            if (r.actionCode() == u"7000" && panels.menu && panels.tool && panels.toolbox
                && d.kind == u'H' && d.hotspot >= 1 && d.hotspot <= 11 && d.item != 0)
                return MenuStepAt { q, k, d.hotspot };
        }
        first += count;
    }
    return std::nullopt;
}

// A sample menu step in the practice window: the pressed title and its drop-down sit on the
// bar's own picture, on a 96- and a 120-dpi display. The renderings are kept to look at.
TEST(ChromeArt, SampleMenuStepOpensItsDropDownOnTheBar)
{
    constexpr int kStudyMode = 20;
    const QString programDir = QStringLiteral(KSXT_PROGRAM_DIR);
    const QString dataDir = programDir + QStringLiteral("/txcl/");
    const auto at = findMenuStep(dataDir, kStudyMode);
    if (!at)
        FAIL() << "no sample module in " << programDir.toStdString();

    // Every hover and pressed look of the bars in the examdata folder is the bar's own drawing
    // with that hotspot marked, cut at the hotspot.
    for (int h = 1; h <= 37; ++h) {
        for (const auto& [suffix, mark] : { std::pair { "0088", workspace::ChromeMark::Hover },
                 std::pair { "0099", workspace::ChromeMark::Pressed } }) {
            const QString file = programDir + QStringLiteral("/examdata/")
                + QStringLiteral("%1").arg(h, 2, 10, QChar(u'0')) + QLatin1String(suffix)
                + QStringLiteral(".mxy");
            if (!QFileInfo::exists(file))
                continue;
            SCOPED_TRACE(file.toStdString());
            const auto look = plat::loadPicture(file);
            ASSERT_TRUE(look.ok());
            const QImage drawn = h <= 20 ? workspace::drawMenuBarArt(h, mark)
                                         : workspace::drawOptionsBarArt(h, mark);
            EXPECT_EQ(look.value().image().convertToFormat(QImage::Format_RGB32),
                drawn.copy(workspace::hotspotArtRect(h)).convertToFormat(QImage::Format_RGB32));
        }
    }

    for (const double scale : { 1.0, 0.8 }) {
        SCOPED_TRACE(scale);
        testsupport::DrivenSystem run(programDir);
        shell::System& sys = run.sys;
        testsupport::HeadlessDriver& driver = run.driver;
        sys.setDisplayScale(scale, scale);
        shell::AppState& st = sys.state;
        st.ScaleX = st.ScaleY = scale;
        st.SkinPath = dataDir;
        st.StudyMode = kStudyMode;
        st.SetNo = 0;
        st.PanelMode = 1;
        ASSERT_TRUE(testsupport::launchQuestions(sys));
        st.CurrentQuestion = static_cast<int16_t>(at->question);
        auto& main = sys.form<workspace::FrmMain>();
        auto& tm = sys.form<exercise::FrmTm>();
        main.show();
        tm.show();
        st.ResumeStep(at->question) = static_cast<int16_t>(at->step);
        tm.DqExam();
        driver.advance(100); // Timer2 loads the step
        ASSERT_EQ(st.CurrentStep, at->step);
        auto& ui = main.ui();
        ASSERT_TRUE(ui.PicMenu.visible() && ui.PicTool.visible() && ui.PicHui.visible());

        const double tpp = sys.twipsPerPixelX();
        const QString name = QStringLiteral("/chrome-sample-%1").arg(scale * 100);
        QImage shot
            = testsupport::HeadlessDriver::render(main).convertToFormat(QImage::Format_RGB32);
        shot.save(testsupport::outputDir() + name + QStringLiteral(".png"));
        EXPECT_EQ(panelInRendering(shot, ui.PicMenu, tpp),
            cropped(workspace::menuBarArt().image(), { 799, 60 }));

        driver.moveTo(main, testsupport::HeadlessDriver::centreInForm(ui.LblZHU[at->hotspot]));
        driver.click(ui.LblZHU[at->hotspot]);
        ASSERT_EQ(main.OpenHotspot, at->hotspot);
        ASSERT_TRUE(ui.Pic1J.visible());
        shot = testsupport::HeadlessDriver::render(main).convertToFormat(QImage::Format_RGB32);
        shot.save(testsupport::outputDir() + name + QStringLiteral("-open.png"));
        // The pressed title of the examdata folder lands exactly on the drawn one: the bar
        // shows the plain picture with that title, cut from the pressed drawing, on top.
        const auto pressed = plat::loadPicture(programDir + QStringLiteral("/examdata/")
            + QStringLiteral("%1").arg(at->hotspot, 2, 10, QChar(u'0'))
            + QStringLiteral("0099.mxy"));
        ASSERT_TRUE(pressed.ok());
        const QRect title = workspace::hotspotArtRect(at->hotspot);
        EXPECT_EQ(pressed.value().image().size(), title.size());
        QImage expected = cropped(workspace::menuBarArt().image(), { 799, 60 });
        QPainter(&expected).drawImage(title.topLeft(), pressed.value().image());
        // (The drop-down's own frame may overlap the bar's foot below the titles.)
        const QRect toTitleFoot(0, 0, 799, title.bottom() + 1);
        EXPECT_EQ(
            panelInRendering(shot, ui.PicMenu, tpp).copy(toTitleFoot), expected.copy(toTitleFoot));
        // The drop-down opens under its title.
        const double titleLeft = ui.PicMenu.left() + ui.LblZHU[at->hotspot].left();
        EXPECT_NEAR(ui.Pic1J.left(), titleLeft, 16 * tpp);
        EXPECT_GE(ui.Pic1J.top(), ui.PicMenu.top() + ui.LblZHU[at->hotspot].top());
    }
}

} // namespace
