// The home window on the sample module: its three views as a person sees them, with an advert.

#include "home/homefixture.h"
#include "platform/text.h"

#include <QImage>

using testsupport::SampleHome;

namespace {

QString out(const QString& name) { return testsupport::outputDir() + QStringLiteral("/") + name; }

TEST(HomeWindow, RendersEveryViewWithTheAdvertBelowThePanels)
{
    ASSERT_SAMPLE_MODULE();
    SampleHome h;
    QDir().mkpath(h.dir.path() + QStringLiteral("/ksdata"));
    testsupport::writeFile(h.recordFile(QStringLiteral("170100")),
        plat::encodeGbk(QStringLiteral(
            " 新题库已上线◎点此查看升级说明 \r\n&HC05000\r\nhttps://ksxt.example.org/news\r\n")));
    h.home().show();
    ASSERT_TRUE(h.home().visible());
    const QImage start = testsupport::HeadlessDriver::render(h.home());
    start.save(out("home-start.png"));
    EXPECT_EQ(start.size(), QSize(800, 600));
    EXPECT_FALSE(h.ui().PicTop.visible());
    EXPECT_FALSE(h.ui().PicAd.visible());

    // The unit tab covers the start page's big buttons; the advert shows on two lines.
    h.click(4);
    const QImage units = testsupport::HeadlessDriver::render(h.home());
    units.save(out("home-units.png"));
    const QPoint bigButton = (h.button(4).control().pixelRect().center()).toPoint();
    EXPECT_NE(units.pixel(bigButton), start.pixel(bigButton));
    EXPECT_EQ(h.ui().LblAD.caption(), QStringLiteral("新题库已上线\r\n点此查看升级说明"));
    EXPECT_TRUE(h.ui().PicAd.visible());
    EXPECT_DOUBLE_EQ(h.ui().PicAd.width(), h.ui().LblAD.width());
    EXPECT_EQ(h.ui().LblAD.foreColor(), 0xC05000u);
    // Clicking the advert opens its link.
    h.driver->click(h.ui().LblAD);
    auto& shell = static_cast<testsupport::FakeShell&>(*h.sys->services().shell);
    EXPECT_EQ(shell.opened, QStringList { QStringLiteral("https://ksxt.example.org/news") });

    h.click(17);
    testsupport::HeadlessDriver::saveRendering(h.home(), out("home-papers.png"));
    EXPECT_TRUE(h.ui().PicKaCH.visible());
    EXPECT_FALSE(h.ui().PicTiKu.visible());

    // Help is reached from the start page; the tab strip stays with every tab enabled.
    h.click(15);
    h.click(11);
    testsupport::HeadlessDriver::saveRendering(h.home(), out("home-help.png"));
    EXPECT_TRUE(h.ui().PicHelp.visible());
    EXPECT_TRUE(h.ui().PicTop.visible());
    EXPECT_EQ(h.ui().LlbHelpCAP.caption(), QStringLiteral("软件介绍"));
    for (int i = 15; i <= 19; ++i)
        EXPECT_TRUE(h.button(i).enabled()) << i;
    EXPECT_TRUE(h.reports.isEmpty()) << h.reports.join("\n").toStdString();
}

TEST(HomeWindow, KeepsItsPixelSizeOnA120DpiDisplay)
{
    ASSERT_SAMPLE_MODULE();
    SampleHome h;
    h.sys->setDisplayScale(0.8, 0.8);
    h.home().show();
    EXPECT_DOUBLE_EQ(h.home().width(), 9600);
    EXPECT_DOUBLE_EQ(h.home().height(), 7200);
    EXPECT_EQ(testsupport::HeadlessDriver::render(h.home()).size(), QSize(800, 600));
    EXPECT_DOUBLE_EQ(h.ui().PicTiKu.top(), 1650 * 0.8);
}

} // namespace
