// The question panel as a candidate sees it, in practice and in an examination, at 96 and at
// 120 dpi: rendered for a person to look at, with what a person would notice checked.

#include "exercise/frmczts.h"
#include "exercise/frmime.h"
#include "exercise/frmpicture.h"
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
    ASSERT_SAMPLE_MODULE();
    const Look look = GetParam();
    PanelApp app(0, look.scale);
    if (look.examination)
        app.prepareSamplePaper();
    else
        app.prepareSample();
    app.open();
    auto& tm = app.tm();
    ASSERT_TRUE(tm.visible());

    const QImage img = testsupport::HeadlessDriver::render(tm);
    const QString out = testsupport::outputDir()
        + QStringLiteral("/panel_%1.png").arg(QString::fromLatin1(look.name));
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
    // The unfinished list ran under the "EN" label at the row's end.
    EXPECT_LE(ui.PicUnit.left() + ui.PicUnit.width(), ui.LblIME.left());
    EXPECT_EQ(ui.LblTime.caption(), QStringLiteral("剩余50分钟"));
    EXPECT_EQ(ui.CmdGN[exercise::cmd::HandIn].visible(), look.examination);
    EXPECT_EQ(ui.CmdGN[exercise::cmd::EndPractice].visible(), !look.examination);
}

INSTANTIATE_TEST_SUITE_P(Panel, PanelLook,
    ::testing::Values(Look { "practice_100", false, 1.0 }, Look { "practice_80", false, 0.8 },
        Look { "exam_100", true, 1.0 }, Look { "exam_80", true, 0.8 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelLookPicture, APictureQuestionOffersItsPictureAboveTheText)
{
    ASSERT_SAMPLE_MODULE();
    PanelApp app(3);
    app.prepareSample();
    app.open();
    int question = 0;
    for (int q = 1; q <= app.st.QuestionCount && question == 0; ++q)
        if (app.fileText(q).startsWith(QStringLiteral("picture")))
            question = q;
    ASSERT_GT(question, 0);
    app.driver.click(app.ui().CmdGN[exercise::cmd::Numbers].control());
    app.driver.click(app.ui().CmTNO[question].control());
    ASSERT_TRUE(app.ui().Image2.visible());
    const QImage img = testsupport::HeadlessDriver::render(app.tm());
    ASSERT_TRUE(img.save(testsupport::outputDir() + QStringLiteral("/panel_picture_question.png")));
    // The button's caption is drawn over its face inside the text box's corner.
    const QRect button = app.ui().Image2.control().widget()->geometry().translated(0, 30);
    EXPECT_GT(
        pixelsOtherThan(img, button.adjusted(8, 4, -8, -4), img.pixelColor(button.center())), 20);
    app.driver.click(app.ui().Image2.control());
    app.driver.advance(100);
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(app.sys.form<exercise::FrmPicture>(),
        testsupport::outputDir() + QStringLiteral("/picture_window_sample.png")));
}

// The two dialogs the panel opens, with the module's skins, at both display settings.
class DialogLook : public ::testing::TestWithParam<double> { };

TEST_P(DialogLook, ViewAnswerNoticeAndInputMethodOption)
{
    ASSERT_SAMPLE_MODULE();
    const double scale = GetParam();
    const QString suffix = scale == 1.0 ? QStringLiteral("100") : QStringLiteral("80");
    PanelApp app(0, scale, true);
    app.prepareSamplePaper();
    app.open();

    QImage notice, option;
    auto& czts = app.sys.form<exercise::FrmCZTS>();
    app.driver.answerModal([&](plat::Form&) {
        notice = testsupport::HeadlessDriver::render(czts);
        app.driver.click(czts.ui().Command1.control());
    });
    app.driver.click(app.ui().CmdGN[exercise::cmd::ViewAnswer].control());
    auto& ime = app.sys.form<exercise::FrmIME>();
    app.driver.answerModal([&](plat::Form&) {
        app.driver.click(ime.ui().Check1.control());
        option = testsupport::HeadlessDriver::render(ime);
        app.driver.click(ime.ui().LblClick[1].control());
    });
    app.driver.click(app.ui().CmdEn.control());

    ASSERT_TRUE(
        notice.save(testsupport::outputDir() + QStringLiteral("/view_answer_%1.png").arg(suffix)));
    ASSERT_TRUE(
        option.save(testsupport::outputDir() + QStringLiteral("/ime_option_%1.png").arg(suffix)));
    EXPECT_EQ(notice.size(), QSize(321, 342));
    EXPECT_EQ(option.size(), QSize(420, 280));
    // The notice's text is red on the dialog's grey; the buttons carry their faces, not the
    // bare button colour.
    EXPECT_GT(pixelsOtherThan(notice, QRect(16, 56, 290, 200), notice.pixelColor(5, 5)), 800);
    EXPECT_EQ(pixelsOtherThan(notice, QRect(24, 296, 128, 30), QColor(255, 128, 255)), 128 * 30);
    // The option's advice sits on its background picture, its box is ticked.
    EXPECT_TRUE(ime.isLoaded() == false);
    EXPECT_EQ(app.st.UseIme, -1);
}

INSTANTIATE_TEST_SUITE_P(Scales, DialogLook, ::testing::Values(1.0, 0.8));

} // namespace
