// The question panel as a candidate sees it, in practice and in an examination, at 96 and at
// 120 dpi: rendered for a person to look at, with what a person would notice checked.

#include "exercise/panelapp.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using testsupport::PanelApp;

// Pixels of a rectangle (window pixels) that differ clearly from the given colour.
int pixelsOtherThan(const QImage& img, QRect r, QColor background)
{
    int n = 0;
    r = r.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green())
                    + std::abs(c.blue() - background.blue())
                > 60)
                ++n;
        }
    return n;
}

struct Look {
    const char* name;
    bool examination;
    double scale;
};

class PanelLook : public ::testing::TestWithParam<Look> { };

TEST_P(PanelLook, KeepsItsPixelLayoutAndShowsTheQuestion)
{
    if (!testsupport::sampleModuleGenerated())
        GTEST_SKIP() << "no sample module";
    const Look look = GetParam();
    PanelApp app(0, look.scale);
    if (look.examination)
        app.prepareSamplePaper();
    else
        app.prepareSample();
    app.open();
    auto& tm = app.tm();
    ASSERT_TRUE(tm.visible());

    const QImage img = plat::HeadlessDriver::render(tm);
    const QString out = testsupport::outputDir() + QStringLiteral("/panel_%1.png")
                            .arg(QString::fromLatin1(look.name));
    ASSERT_TRUE(img.save(out));
    // 332 x 242 pixels at every display setting.
    EXPECT_EQ(img.size(), QSize(332, 242));

    // The question's text is drawn in the text box, the title in the title strip.
    const QRect text = app.ui().RtbTM.widget()->geometry().translated(0, 30);
    EXPECT_GT(pixelsOtherThan(img, text.adjusted(4, 4, -4, -text.height() / 2), Qt::white), 150);
    EXPECT_GT(pixelsOtherThan(img, QRect(34, 6, 180, 16), QColor(28, 92, 170)), 40);

    // The lower row: the clock in an examination, the unfinished list in practice.
    auto& ui = app.ui();
    EXPECT_EQ(ui.PicUnit.visible(), !look.examination);
    EXPECT_EQ(ui.LblTime.caption(), QStringLiteral("剩余50分钟"));
    EXPECT_EQ(ui.CmdGN[8].visible(), look.examination);
    EXPECT_EQ(ui.CmdGN[5].visible(), !look.examination);
}

INSTANTIATE_TEST_SUITE_P(Panel, PanelLook,
    ::testing::Values(Look { "practice_100", false, 1.0 }, Look { "practice_80", false, 0.8 },
        Look { "exam_100", true, 1.0 }, Look { "exam_80", true, 0.8 }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
