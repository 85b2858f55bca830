// Frames of a demonstration as a person sees them: the arrow gliding towards its target and the
// drawn context menu with its submenu. Offscreen the window is rendered; under a display, e.g.
//   xvfb-run -a env QT_QPA_PLATFORM=xcb tests_demo --gtest_filter='RealDisplay.*'
// the real window is grabbed from the screen.

#include "demorun.h"

#include "support/testsupport.h"
#include "support/xdesktop.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Grab = std::function<QImage(demo::FrmYanShi&)>;

QPoint pixelOf(demo::FrmYanShi& w, QPointF twips)
{
    const double tpp = w.ui().Label1.tppX();
    return { int(twips.x() / tpp), int(twips.y() / tpp) };
}

// The darkest and the lightest grey within a pixel of a point.
std::pair<int, int> greysAround(const QImage& frame, QPoint p)
{
    int darkest = 255, lightest = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const int g = qGray(frame.pixel(p + QPoint(dx, dy)));
            darkest = std::min(darkest, g);
            lightest = std::max(lightest, g);
        }
    return { darkest, lightest };
}

// The arrow at the pointer: its dark outline on the left edge, white inside.
void expectArrowAt(demo::FrmYanShi& w, const QImage& frame)
{
    auto& ui = w.ui();
    const plat::Line& edge = ui.LPoint[0];
    const plat::Line& fill = ui.LPoinB[0];
    const QPoint dark = pixelOf(w, { edge.x1(), (edge.y1() + edge.y2()) / 2 });
    const QPoint white = pixelOf(w, { fill.x1(), (fill.y1() + fill.y2()) / 2 });
    EXPECT_LT(greysAround(frame, dark).first, 80) << "outline at " << dark.x() << ", " << dark.y();
    EXPECT_GT(greysAround(frame, white).second, 230)
        << "fill at " << white.x() << ", " << white.y();
}

// "使用横排文字工具右击文字，将消除锯齿的方式设置为“浑厚”": a glide, then the context menu
// and its submenu.
void framesOfADemonstration(const Grab& grab, const QString& prefix)
{
    testsupport::DemoRun run(4, 16);
    run.start();
    ASSERT_TRUE(run.yan.isLoaded());
    demo::FrmYanShi& w = run.yan;
    const QString out = testsupport::outputDir();

    std::vector<QPoint> tips;
    int glideFrames = 0, menuFrames = 0;
    for (int t = 0; t < 200 && w.isLoaded() && menuFrames < 2; ++t) {
        run.driver.advance(100);
        if (!w.isLoaded())
            break;
        auto& ui = w.ui();
        if (ui.LRightSub.visible() || ui.LRightMMenu.visible()) {
            if (menuFrames == 1 && !ui.LRightSub.visible())
                continue;
            const QImage frame = grab(w);
            frame.save(out + QStringLiteral("/%1-menu-%2.png").arg(prefix).arg(++menuFrames));
            // A white body with its entries, separators in grey, the red frame on the entry.
            const plat::Label& body = ui.LRightSub.visible() ? ui.LRightSub : ui.LRightMMenu;
            const QPoint inside = pixelOf(w, { body.left() + 150, body.top() + 45 });
            EXPECT_EQ(frame.pixel(inside) & 0xFFFFFF, 0xFFFFFFu);
            bool text = false;
            (ui.LRightSub.visible() ? ui.LRS : ui.LRM2).forEach([&](plat::Label& l) {
                if (!l.visible() || l.caption().isEmpty())
                    return;
                for (int x = 0; x < int(l.width() / 15); ++x)
                    text = text
                        || qGray(frame.pixel(pixelOf(w, { l.left() + 15 * x, l.top() + 90 })))
                            < 100;
            });
            EXPECT_TRUE(text) << "no entry text in the drawn menu";
            expectArrowAt(w, frame);
            continue;
        }
        if (ui.Timer2.enabled() && glideFrames < 4 && !ui.ImgICO.visible()) {
            const QImage frame = grab(w);
            frame.save(out + QStringLiteral("/%1-glide-%2.png").arg(prefix).arg(++glideFrames));
            expectArrowAt(w, frame);
            tips.push_back(pixelOf(w, { double(w.PointerX), double(w.PointerY) }));
        }
    }
    EXPECT_EQ(menuFrames, 2); // the menu, then the menu with its submenu
    ASSERT_GE(tips.size(), 3u);
    EXPECT_NE(tips.front(), tips.back()); // the arrow moved between the frames
}

TEST(DemoRendering, TheArrowGlidesAndTheContextMenuIsDrawn)
{
    framesOfADemonstration(
        [](demo::FrmYanShi& w) {
            return testsupport::HeadlessDriver::render(w).convertToFormat(QImage::Format_RGB32);
        },
        QStringLiteral("demo-offscreen"));
}

TEST(RealDisplay, TheDemonstrationOnAVirtualDisplay)
{
    SKIP_WITHOUT_DISPLAY();
    framesOfADemonstration(
        [](demo::FrmYanShi& w) {
            testsupport::HeadlessDriver::processEvents();
            QWidget* window = w.hWnd();
            // A window manager maps and places the window in its own time.
            QElapsedTimer waited;
            waited.start();
            while (!window->windowHandle()->isExposed() && waited.elapsed() < 3000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
                QThread::msleep(5);
            }
            // Paint now and wait for the X server to have it, so the grab is not a frame behind.
            window->repaint();
            QGuiApplication::sync();
            // The demonstration's clock stands still while the frame is read, so the screen
            // settles; a busy machine can show a region still unpainted at the first read.
            auto grabScreen = [window] {
                const QRect onScreen(window->mapToGlobal(QPoint(0, 0)), window->size());
                return QGuiApplication::primaryScreen()
                    ->grabWindow(0)
                    .toImage()
                    .copy(onScreen)
                    .convertToFormat(QImage::Format_RGB32);
            };
            QImage frame = grabScreen();
            for (int read = 0; read < 20; ++read) {
                QThread::msleep(10);
                QCoreApplication::processEvents();
                QGuiApplication::sync();
                QImage again = grabScreen();
                if (again == frame)
                    break;
                frame = std::move(again);
            }
            return frame;
        },
        QStringLiteral("demo-xcb"));
}

} // namespace
