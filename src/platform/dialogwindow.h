#pragma once

// The window of a dialog, the same for a form shown modally and for the standard message box:
// how the window manager is told what it is, and where it goes over the window it serves.

#include <QMargins>
#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

namespace plat {

// Makes `window` a dialog of `owner` (none: of no window) before it is shown: a title and the
// close button only (no title at all when `frameless`), kept above its owner by the window
// manager (transient for it) and above every window when `topMost`, and offered neither
// minimise nor maximise. Its close goes through the window's own close handling.
void makeDialogWindow(QWidget& window, QWidget* owner, bool frameless, bool topMost);

// Puts a minimised dialog back once the event that minimised it is over: hidden while it
// blocks, it would leave every window of the program dead. `then` runs when it is back.
void restoreMinimisedDialog(QWidget& window, std::function<void()> then);

// The frame the window manager puts around `window`, asked of the manager before the window is
// shown; none without a window manager or on a display that is no X display.
QMargins expectedFrame(QWidget& window);

// The client rectangle of a dialog of `client` size whose whole window (the client and its
// `frame`) is centred on `over`, kept on `screen`.
QRect centredDialogRect(
    QSize client, const QMargins& frame, const QRect& over, const QRect& screen);

} // namespace plat
