// The home window on the sample module: its views, the dispatcher and the links.

#include "home/homefixture.h"

#include <QImage>

using testsupport::SampleHome;

namespace {

QString out(const QString& name) { return testsupport::outputDir() + QStringLiteral("/") + name; }

TEST(HomeWindow, RendersEveryView)
{
    if (!testsupport::sampleModuleGenerated())
        GTEST_SKIP() << "sample module not generated";
    SampleHome h;
    h.home().show();
    ASSERT_TRUE(h.home().visible());
    plat::HeadlessDriver::saveRendering(h.home(), out("home-start.png"));
    h.click(4);
    plat::HeadlessDriver::saveRendering(h.home(), out("home-units.png"));
    h.click(11);
    plat::HeadlessDriver::saveRendering(h.home(), out("home-help.png"));
    EXPECT_TRUE(h.reports.isEmpty()) << h.reports.join("\n").toStdString();
}

} // namespace
