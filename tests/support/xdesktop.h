#pragma once

// What the real-window tests (RealDisplay.*) share: real X input through xdotool, what the X
// server and the window manager say about a window, and a window manager's close request. The
// tests run under openbox and without a window manager (tests/realdisplay.sh), which sets
// KSXT_WINDOW_MANAGER.

#include "platform/controls.h"
#include "platform/form.h"
#include "support/headless.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QList>
#include <QMargins>
#include <QMessageBox>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QScreen>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#define SKIP_WITHOUT_DISPLAY()                                                                     \
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))                                  \
    GTEST_SKIP() << "needs a display (QT_QPA_PLATFORM=xcb)"

namespace testsupport::desktop {

inline QString windowManager() { return QString::fromLocal8Bit(qgetenv("KSXT_WINDOW_MANAGER")); }
inline bool underWindowManager() { return windowManager() == QStringLiteral("openbox"); }
// For file names of screenshots.
inline QString windowManagerName()
{
    return underWindowManager() ? QStringLiteral("openbox") : QStringLiteral("nowm");
}

// Lets the X server and the window manager answer, handling events meanwhile.
inline void settle(int ms = 250)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

// `env`: variables set for the program on top of the test's own environment.
inline QString run(const QString& program, const QStringList& args,
    const QList<std::pair<QString, QString>>& env = {})
{
    QProcess p;
    if (!env.isEmpty()) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : env)
            e.insert(name, value);
        p.setProcessEnvironment(e);
    }
    p.start(program, args);
    if (!p.waitForFinished(5000) || p.exitCode() != 0) {
        ADD_FAILURE() << qPrintable(program) << " " << qPrintable(args.join(u' '))
                      << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Real input: the X server delivers it to whatever window it lands on or has the focus.
inline void xdo(const QStringList& args)
{
    run(QStringLiteral("xdotool"), args);
    settle();
}
inline QString num(int v) { return QString::number(v); }
inline QString hex(WId id) { return QStringLiteral("0x") + QString::number(id, 16); }

inline QPoint globalCentre(plat::Control& c)
{
    return c.form().hWnd()->mapToGlobal(HeadlessDriver::pixelRect(c).center());
}
inline void clickAt(plat::Control& c)
{
    const QPoint at = globalCentre(c);
    xdo({ QStringLiteral("mousemove"), num(at.x()), num(at.y()), QStringLiteral("click"),
        QStringLiteral("1") });
}
inline void key(const QString& combination) { xdo({ QStringLiteral("key"), combination }); }

// A window's place on the screen and whether it is mapped, as the X server says.
struct XWindow {
    QRect rect;
    bool viewable = false;
};
inline XWindow xWindow(WId id)
{
    const QString info = run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), hex(id) });
    auto field = [&](const char* name) {
        const QRegularExpression re(QString::fromLatin1(name) + QStringLiteral(":\\s*(-?\\d+)"));
        return re.match(info).captured(1).toInt();
    };
    return { QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                 field("Height")),
        info.contains(QStringLiteral("IsViewable")) };
}

// A window as the window manager offers it: the actions it allows (the end of each name, e.g.
// "MINIMIZE"), the size limits the program gave (WM_NORMAL_HINTS, none when unset), the window
// it is transient for (0: none), the manager's frame around it (none without a manager) and its
// place on the screen with that frame.
struct ManagedWindow {
    QStringList allowedActions;
    QSize minSize, maxSize;
    WId transientFor = 0;
    QMargins frameExtents;
    QRect frame;
};
inline ManagedWindow managedWindow(WId id)
{
    ManagedWindow m;
    const QString props = run(QStringLiteral("xprop"),
        { QStringLiteral("-id"), hex(id), QStringLiteral("_NET_WM_ALLOWED_ACTIONS"),
            QStringLiteral("WM_NORMAL_HINTS"), QStringLiteral("WM_TRANSIENT_FOR"),
            QStringLiteral("_NET_FRAME_EXTENTS") });
    static const QRegularExpression action(QStringLiteral("_NET_WM_ACTION_([A-Z_]+)"));
    for (const auto& a : action.globalMatch(props))
        m.allowedActions << a.captured(1);
    auto size = [&](const char* which) {
        const QRegularExpression re(
            QString::fromLatin1(which) + QStringLiteral(" size: (\\d+) by (\\d+)"));
        const auto match = re.match(props);
        return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt())
                                : QSize();
    };
    m.minSize = size("minimum");
    m.maxSize = size("maximum");
    static const QRegularExpression transient(
        QStringLiteral("WM_TRANSIENT_FOR\\(WINDOW\\): window id # (0x[0-9a-fA-F]+)"));
    m.transientFor = transient.match(props).captured(1).toULongLong(nullptr, 16);
    // Left, right, top, bottom; none without a window manager.
    static const QRegularExpression extents(
        QStringLiteral("_NET_FRAME_EXTENTS\\(CARDINAL\\) = (\\d+), (\\d+), (\\d+), (\\d+)"));
    const auto e = extents.match(props);
    m.frameExtents = QMargins(
        e.captured(1).toInt(), e.captured(3).toInt(), e.captured(2).toInt(), e.captured(4).toInt());
    m.frame = xWindow(id).rect.marginsAdded(m.frameExtents);
    return m;
}

// The window that has the keyboard focus, as the X server says.
inline WId focusedWindow()
{
    return run(QStringLiteral("xdotool"), { QStringLiteral("getwindowfocus") })
        .trimmed()
        .toULongLong();
}

// A modal dialog as a learner must meet it: of a fixed size, kept above one of `owners`
// (transient for it), its whole window centred on `centredOn`'s to within a few pixels, holding
// the keyboard; under a window manager offered the close but neither minimise nor maximise.
inline void expectDialogOf(WId dialog, const QList<WId>& owners, WId centredOn)
{
    const ManagedWindow d = managedWindow(dialog);
    EXPECT_TRUE(d.minSize.isValid()) << "no minimum size";
    EXPECT_EQ(d.minSize, d.maxSize);
    EXPECT_TRUE(owners.contains(d.transientFor))
        << "transient for " << hex(d.transientFor).toStdString();
    const QPoint off = d.frame.center() - managedWindow(centredOn).frame.center();
    EXPECT_LE(off.manhattanLength(), 3) << "centre off by " << off.x() << ", " << off.y();
    EXPECT_EQ(hex(focusedWindow()).toStdString(), hex(dialog).toStdString()) << "focus";
    if (underWindowManager()) {
        EXPECT_TRUE(d.allowedActions.contains(QStringLiteral("CLOSE")));
        for (const char* refused : { "MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE" })
            EXPECT_FALSE(d.allowedActions.contains(QString::fromLatin1(refused))) << refused;
    }
}

// The top-level windows from the bottom up: the window manager's stacking list where there is
// one, else the root window's children as the X server stacks them.
inline QList<WId> stackingOrder()
{
    QList<WId> order;
    static const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
    if (underWindowManager()) {
        const QString list = run(QStringLiteral("xprop"),
            { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING") });
        for (const auto& m : id.globalMatch(list.mid(list.indexOf(u'#'))))
            order << m.captured().toULongLong(nullptr, 16);
        return order;
    }
    // xwininfo names the children from the top down.
    const QString tree
        = run(QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-children") });
    const QStringList lines = tree.split(u'\n');
    for (const QString& line : lines) {
        static const QRegularExpression child(QStringLiteral("^\\s+(0x[0-9a-fA-F]+) "));
        const auto m = child.match(line);
        if (m.hasMatch())
            order.prepend(m.captured(1).toULongLong(nullptr, 16));
    }
    return order;
}
// Whether `upper` stands above `lower` on the screen.
inline ::testing::AssertionResult above(plat::Form& upper, plat::Form& lower)
{
    const QList<WId> order = stackingOrder();
    const auto u = order.indexOf(upper.hWnd()->winId()), l = order.indexOf(lower.hWnd()->winId());
    if (u >= 0 && l >= 0 && u > l)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << qPrintable(upper.name()) << " at " << u << ", "
                                         << qPrintable(lower.name()) << " at " << l;
}

// Waits (up to five seconds) until the X server shows the form's window.
inline void waitUntilViewable(plat::Form& f)
{
    const WId id = f.hWnd()->winId();
    for (int tries = 0; tries < 50 && !xWindow(id).viewable; ++tries)
        settle(100);
}

inline void screenshot(const QString& file)
{
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}

// Runs `atBox` inside a message box's own modal loop once the box is shown, looking every tenth
// of a second, `tries` times at most; the caller then opens the box.
inline void whenAMessageBoxShows(std::function<void(QMessageBox&)> atBox, int tries = 100)
{
    QTimer::singleShot(100, [atBox = std::move(atBox), tries]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible())
            atBox(*box);
        else if (tries > 1)
            whenAMessageBoxShows(std::move(atBox), tries - 1);
    });
}

// The close a learner asks of a window: under openbox its own Alt+F4 on the window given the
// focus, without a window manager the client message WM_DELETE_WINDOW a manager would send.
inline void closeFromWindowManager(plat::Form& f)
{
    const QString id = hex(f.hWnd()->winId());
    if (underWindowManager()) {
        xdo({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), id });
        key(QStringLiteral("alt+F4"));
        return;
    }
    run(QStringLiteral(KSXT_SENDCLOSE), { id });
    settle();
}

} // namespace testsupport::desktop
