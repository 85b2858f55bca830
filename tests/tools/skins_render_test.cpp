// The program's own windows dressed in the sample module's skin pictures: every skinned button
// must be covered by its frame (its bare surface is magenta), and the renderings are kept for a
// person to look at.

#include "shell/aboutbox.h"
#include "support/systemapp.h"
#include "support/testsupport.h"
#include "widgets/msgbox.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The skinned button's own surface, seen only where its picture does not reach.
const QColor kBareButton(255, 128, 255);

int bareButtonPixels(const QImage& rendering)
{
    int n = 0;
    const QImage image = rendering.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += QColor(image.pixel(x, y)) == kBareButton;
    return n;
}

class SampleSkinsTest : public ::testing::Test {
protected:
    SampleSkinsTest()
    {
        auto& st = app.sys->state;
        st.SkinPath = QStringLiteral(KSXT_PROGRAM_DIR) + QStringLiteral("/txcl/");
        st.ProductInfo[0] = QStringLiteral("Mirtvale");
        st.ProductInfo[9] = QStringLiteral("全国专业技术人员计算机应用能力考试练习系统");
        st.ProductInfo[7] = QStringLiteral("示例软件工作室");
        st.ModuleName = QStringLiteral("图像处理");
        st.ModuleShortName = QStringLiteral("图像处理练习");
        st.BankVersionText = [] { return QStringLiteral("题库版本：V202612010900"); };
    }

    testsupport::SystemApp app;
};

TEST_F(SampleSkinsTest, MessageBoxButtonsAreCoveredByTheirFrames)
{
    QImage rendering;
    app.driver->answerModal([&](plat::Form& f) {
        rendering = testsupport::HeadlessDriver::render(f);
        testsupport::HeadlessDriver::saveRendering(
            f, testsupport::outputDir() + "/sample-msgbox.png");
        app.driver->click(app.sys->form<widgets::FrmMTMSGBOX>().ui().LblClick[0].control());
    });
    widgets::ask(*app.sys, QStringLiteral("退出系统"),
        QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"), widgets::kMsgIconQuestion);
    ASSERT_FALSE(rendering.isNull());
    EXPECT_EQ(rendering.size(), QSize(370, 250));
    EXPECT_EQ(bareButtonPixels(rendering), 0);
}

TEST_F(SampleSkinsTest, AboutBoxButtonsAreCoveredByTheirFrames)
{
    auto& about = app.sys->form<shell::FrmAbout>();
    about.show();
    const QImage rendering = testsupport::HeadlessDriver::render(about);
    testsupport::HeadlessDriver::saveRendering(
        about, testsupport::outputDir() + "/sample-about.png");
    EXPECT_EQ(rendering.size(), QSize(420, 280));
    EXPECT_EQ(bareButtonPixels(rendering), 0);
    about.unload();
}

} // namespace
