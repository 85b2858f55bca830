#include "platform/dialogwindow.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace plat {

namespace {

    // What the window manager of an X display is told and asked, through the platform's own
    // connection. Every call answers "nothing" on a display that is no X display.
    class XDisplay {
    public:
        explicit XDisplay(QWidget& window)
        {
            const auto* x11
                = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
            c_ = x11 ? x11->connection() : nullptr;
            if (!c_)
                return;
            window_ = xcb_window_t(window.winId());
            const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
                xcb_get_geometry_reply(c_, xcb_get_geometry(c_, window_), nullptr), &std::free);
            root_ = geometry ? geometry->root : xcb_window_t(XCB_WINDOW_NONE);
        }
        bool valid() const { return c_ && root_ != XCB_WINDOW_NONE; }
        xcb_window_t window() const { return window_; }
        xcb_window_t root() const { return root_; }

        xcb_atom_t atom(const char* name) const
        {
            const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
                xcb_intern_atom_reply(
                    c_, xcb_intern_atom(c_, 0, uint16_t(std::strlen(name)), name), nullptr),
                &std::free);
            return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        }
        // A property of 32-bit items (atoms, windows, cardinals); empty when it is not set.
        std::vector<uint32_t> items(xcb_window_t w, xcb_atom_t property, xcb_atom_t type) const
        {
            const auto reply = fetch(w, property, type, 32, 1024);
            if (!reply)
                return {};
            const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
            return std::vector<uint32_t>(
                data, data + xcb_get_property_value_length(reply.get()) / 4);
        }
        QByteArray text(xcb_window_t w, xcb_atom_t property, xcb_atom_t type) const
        {
            const auto reply = fetch(w, property, type, 8, 256);
            if (!reply)
                return {};
            return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                xcb_get_property_value_length(reply.get()));
        }
        void setItems(xcb_atom_t property, xcb_atom_t type, const std::vector<uint32_t>& values)
        {
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, property, type, 32,
                uint32_t(values.size()), values.data());
            xcb_flush(c_);
        }

        // The window manager's check window, which holds its name; none without a manager.
        xcb_window_t managerWindow() const
        {
            const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
            const auto onRoot = items(root_, check, XCB_ATOM_WINDOW);
            // A manager that went away can leave the root's entry behind; its window then no
            // longer names itself.
            if (onRoot.empty() || items(onRoot[0], check, XCB_ATOM_WINDOW) != onRoot)
                return XCB_WINDOW_NONE;
            return onRoot[0];
        }
        bool managerSupports(const char* name) const
        {
            const auto supported = items(root_, atom("_NET_SUPPORTED"), XCB_ATOM_ATOM);
            return std::ranges::find(supported, atom(name)) != supported.end();
        }
        QByteArray managerName(xcb_window_t manager) const
        {
            return text(manager, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
        }

        // Asks the manager for the frame it would put around the (unmapped) window and waits
        // a moment for its answer.
        std::vector<uint32_t> requestFrameExtents()
        {
            const xcb_atom_t extents = atom("_NET_FRAME_EXTENTS");
            // What a former showing left there would pass for the answer.
            xcb_delete_property(c_, window_, extents);
            xcb_client_message_event_t request {};
            request.response_type = XCB_CLIENT_MESSAGE;
            request.format = 32;
            request.window = window_;
            request.type = atom("_NET_REQUEST_FRAME_EXTENTS");
            xcb_send_event(c_, 0, root_,
                XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                reinterpret_cast<const char*>(&request));
            xcb_flush(c_);
            QElapsedTimer waited;
            waited.start();
            for (;;) {
                auto answer = items(window_, extents, XCB_ATOM_CARDINAL);
                if (answer.size() == 4 || waited.elapsed() > 300)
                    return answer;
                QThread::msleep(2);
            }
        }
        bool mapped() const
        {
            const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> reply(
                xcb_get_window_attributes_reply(
                    c_, xcb_get_window_attributes(c_, window_), nullptr),
                &std::free);
            return reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
        }
        std::vector<uint32_t> frameExtents() const
        {
            return items(window_, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
        }

    private:
        using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;
        // The property when it is set with this type and item size, else none.
        PropertyReply fetch(xcb_window_t w, xcb_atom_t property, xcb_atom_t type, uint8_t format,
            uint32_t longs) const
        {
            PropertyReply reply(xcb_get_property_reply(c_,
                                    xcb_get_property(c_, 0, w, property, type, 0, longs), nullptr),
                &std::free);
            if (reply && (reply->format != format || reply->type != type))
                reply.reset();
            return reply;
        }

        xcb_connection_t* c_ = nullptr;
        xcb_window_t window_ = XCB_WINDOW_NONE;
        xcb_window_t root_ = XCB_WINDOW_NONE;
    };

    // openbox offers minimising every dialog: it ignores the Motif hints that withdraw it, and
    // a dialog it minimises takes its owner down with it while it still blocks. It withdraws
    // minimise and maximise from a toolbar alone, so there the dialog is named a toolbar first
    // (the manager takes the first type it knows) and stays a dialog for every other reader.
    void withdrawMinimise(QWidget& window)
    {
        XDisplay x(window);
        if (!x.valid())
            return;
        const xcb_window_t manager = x.managerWindow();
        if (manager == XCB_WINDOW_NONE || x.managerName(manager) != "Openbox")
            return;
        const xcb_atom_t typeProperty = x.atom("_NET_WM_WINDOW_TYPE");
        const xcb_atom_t toolbar = x.atom("_NET_WM_WINDOW_TYPE_TOOLBAR");
        std::vector<uint32_t> types = x.items(x.window(), typeProperty, XCB_ATOM_ATOM);
        std::erase(types, toolbar);
        types.insert(types.begin(), toolbar);
        x.setItems(typeProperty, XCB_ATOM_ATOM, types);
    }

}

void makeDialogWindow(QWidget& window, QWidget* owner, bool frameless, bool topMost)
{
    // A title with only the close button: the window manager then offers neither minimise nor
    // maximise (where it reads the Motif hints), and its close goes through the window's own
    // handling. A frameless window names no button: Qt gives a window that names one a frame.
    Qt::WindowFlags flags = Qt::Dialog;
    if (frameless)
        flags |= Qt::FramelessWindowHint;
    else
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (topMost)
        flags |= Qt::WindowStaysOnTopHint;
    if (window.windowFlags() != flags)
        window.setWindowFlags(flags);
    // The window manager keeps it above its owner, and minimises, restores and raises it with
    // it. Set on the window itself: an owner widget would take the dialog down with it.
    window.winId();
    if (QWindow* handle = window.windowHandle())
        handle->setTransientParent(owner ? owner->window()->windowHandle() : nullptr);
    // After the flags: setting them writes the window's type afresh.
    withdrawMinimise(window);
}

void restoreMinimisedDialog(QWidget& window, std::function<void()> then)
{
    QTimer::singleShot(0, &window, [w = &window, then = std::move(then)] {
        if (!w->isMinimized())
            return;
        w->showNormal();
        w->raise();
        then();
    });
}

QMargins expectedFrame(QWidget& window)
{
    XDisplay x(window);
    if (!x.valid() || x.managerWindow() == XCB_WINDOW_NONE)
        return {};
    std::vector<uint32_t> extents;
    // The widget counts as shown already while its show event runs, before it maps.
    if (x.mapped())
        extents = x.frameExtents();
    else if (x.managerSupports("_NET_REQUEST_FRAME_EXTENTS"))
        extents = x.requestFrameExtents();
    if (extents.size() != 4)
        return {};
    // Left, right, top, bottom.
    return QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
}

QRect centredDialogRect(QSize client, const QMargins& frame, const QRect& over, const QRect& screen)
{
    QRect whole(QPoint(0, 0), client.grownBy(frame));
    whole.moveCenter(over.center());
    whole.moveLeft(std::clamp(
        whole.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - whole.width())));
    whole.moveTop(std::clamp(
        whole.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - whole.height())));
    return whole.marginsRemoved(frame);
}

} // namespace plat
