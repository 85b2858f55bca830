// The sample form drawn under both drivers: Chinese text in a CJK font, frames and pictures where
// the form places them.

#include "platform/sampleform.h"
#include "support/headlessapp.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

using namespace plat;
using namespace testsupport;
using testsupport::SampleForm;

namespace {

QString writePicture(const QString& dir)
{
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(QColor(0, 160, 0));
    const QString path = dir + QStringLiteral("/l20059.mxy"); // a BMP under the data suffix
    img.save(path, "BMP");
    return path;
}

int darkPixels(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 100)
                ++n;
    return n;
}

void checkRendering(SampleForm& f, const QString& name)
{
    const QImage img = HeadlessDriver::render(f).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(img.isNull());
    img.save(testsupport::outputDir() + QStringLiteral("/") + name, "PNG");
    EXPECT_EQ(img.size(), QSize(480, 320));
    // The picture at (300, 1000) twips = (20, 66) pixels, 100 by 100.
    EXPECT_EQ(QColor(img.pixel(70, 116)), QColor(0, 160, 0));
    // The title: dark red strokes of Chinese text on the grey back colour.
    EXPECT_GT(darkPixels(img, QRect(20, 13, 300, 36)), 50);
    // The red frame's edge at (300, 2700) twips.
    EXPECT_EQ(QColor(img.pixel(40, 180)), QColor(255, 0, 0));
    // The picture box's own back colour, clipped to its rectangle.
    EXPECT_EQ(QColor(img.pixel(133 + 150, 66 + 90)), QColor(0xC0, 0xE0, 0xFF));
}

TEST(RenderingTest, SampleFormUnderTheHeadlessDriver)
{
    testsupport::HeadlessApp app;
    auto& f = app.rt->formOf<SampleForm>(*app.rt);
    ASSERT_TRUE(f.ui().Back.setPicture(writePicture(app.dir.path())).ok());
    f.show();
    f.ui().Timer1.setEnabled(true);
    app.driver->advance(250);
    EXPECT_EQ(f.log.count(QStringLiteral("Timer1")), 2);
    checkRendering(f, QStringLiteral("sample-headless.png"));
    EXPECT_TRUE(QFontInfo(toQFont(f.ui().Title.font())).family().contains(QStringLiteral("CJK")));
}

TEST(RenderingTest, SampleFormUnderTheQtDriver)
{
    QTemporaryDir dir;
    Runtime rt(std::make_unique<RealClock>(), makeFakeServices(), dir.path());
    auto& f = rt.formOf<SampleForm>(rt);
    ASSERT_TRUE(f.ui().Back.setPicture(writePicture(dir.path())).ok());
    f.show();
    f.ui().Timer1.setEnabled(true);
    QElapsedTimer t;
    t.start();
    while (f.log.count(QStringLiteral("Timer1")) < 2 && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GE(f.log.count(QStringLiteral("Timer1")), 2);
    checkRendering(f, QStringLiteral("sample-qt.png"));
}

// Counts the paints a widget receives.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
    int n = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++n;
        return false;
    }
};

// One repaint stands for the many changes a step load makes; a change made after that paint,
// or while the form was hidden, is painted all the same.
TEST(RenderingTest, EveryChangeAfterAPaintIsPaintedAgain)
{
    QTemporaryDir dir;
    Runtime rt(std::make_unique<RealClock>(), makeFakeServices(), dir.path());
    auto& f = rt.formOf<SampleForm>(rt);
    f.show();
    QWidget* surface = f.area().surface();
    ASSERT_NE(surface, nullptr);
    PaintCount paints(surface);
    const auto paintedAfter = [&](int before) {
        QElapsedTimer t;
        t.start();
        while (paints.n <= before && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return paints.n > before;
    };
    ASSERT_TRUE(paintedAfter(0));
    for (int round = 1; round <= 3; ++round) {
        const int before = paints.n;
        for (int i = 0; i < 40; ++i)
            f.ui().Frame.setLeft(300 + 100 * round + i);
        EXPECT_TRUE(paintedAfter(before)) << "round " << round;
    }
    f.hide();
    f.ui().Title.setCaption(QStringLiteral("隐藏时改的标题"));
    const int beforeShow = paints.n;
    f.show();
    EXPECT_TRUE(paintedAfter(beforeShow));
    const int afterShow = paints.n;
    f.ui().Frame.setTop(2800);
    EXPECT_TRUE(paintedAfter(afterShow));
}

TEST(RenderingTest, AutoSizedLabelsMeasureWithTheFont)
{
    testsupport::HeadlessApp app;
    auto& f = app.rt->formOf<SampleForm>(*app.rt);
    Label& l = f.ui().InPic;
    l.setFont({ QStringLiteral("宋体"), 12 });
    l.setAutoSize(true);
    l.setCaption(QStringLiteral("考试练习系统"));
    const QFontMetricsF fm(toQFont(l.font()));
    EXPECT_NEAR(
        l.width(), std::ceil(fm.horizontalAdvance(QStringLiteral("考试练习系统"))) * 15, 30);
    const double oneLine = l.height();
    l.setCaption(QStringLiteral("第一行\r\n第二行"));
    EXPECT_NEAR(l.height(), 2 * oneLine, 30);
    EXPECT_EQ(l.caption(), QStringLiteral("第一行\r\n第二行")); // kept verbatim
}

// A design scales its twips and its font sizes by ScaleX; on a 120-dpi display (0.8) the
// caption must then keep the pixel size it has at 96 dpi, as the pictures beside it do.
TEST(RenderingTest, ScaledFontsKeepTheirPixelSizeOnEveryDisplay)
{
    double widthAt96 = 0;
    for (const double scale : { 1.0, 0.8, 1.25 }) {
        SCOPED_TRACE(scale);
        testsupport::HeadlessApp app;
        app.rt->setDisplayScale(scale, scale);
        auto& f = app.rt->formOf<SampleForm>(*app.rt);
        Label& l = f.ui().InPic;
        l.setFont({ QStringLiteral("宋体"), 9 * scale });
        l.setAutoSize(true);
        l.setCaption(QStringLiteral("图像大小"));
        const double pixels = l.width() / app.rt->twipsPerPixelX();
        if (scale == 1.0)
            widthAt96 = pixels;
        EXPECT_NEAR(pixels, widthAt96, 1.0);
    }
}

} // namespace

// The Chinese faces have one weight and are emboldened from it, as on the system they come from;
// the Latin faces keep their own bold face. Either way bold text carries clearly more ink.
TEST(RenderingTest, BoldChineseFacesAreEmboldenedFromTheirRegularFace)
{
    const auto ink = [](const QFont& font) {
        QImage image(240, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(4, 30, QStringLiteral("考试成绩 Score"));
        p.end();
        qint64 sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += 255 - qGray(image.pixel(x, y));
        return sum;
    };
    const struct {
        const char* face;
        const char* boldStyle;
    } cases[] = { { "宋体", "Regular" }, { "黑体", "Regular" }, { "Times New Roman", "Bold" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        const QFont regular = toQFont({ QString::fromUtf8(c.face), 12 });
        const QFont bold = toQFont({ QString::fromUtf8(c.face), 12, true });
        const QFontInfo info(bold);
        EXPECT_TRUE(info.bold());
        EXPECT_EQ(info.styleName(), QString::fromUtf8(c.boldStyle));
        EXPECT_GT(static_cast<double>(ink(bold)), 1.15 * static_cast<double>(ink(regular)));
    }
}
