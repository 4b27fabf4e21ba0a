#include "desktopruntime.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace {

template <typename Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection,
            xcb_intern_atom(connection, false, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Asks the window manager to leave the shown `window` off the taskbar and the pager, which the
// window flags alone do not.
void keepOffTaskbar(QWidget &window)
{
    // Wayland has no such request; the offscreen platform may answer for X11 without a server.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection || QGuiApplication::platformName() != QLatin1String("xcb")
        || !window.windowHandle())
        return;
    // The native window itself: Qt makes a new one when the stacking flags change.
    const auto native = xcb_window_t(window.windowHandle()->winId());
    const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
    const xcb_atom_t wanted[] = { atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
        atom(connection, "_NET_WM_STATE_SKIP_PAGER") };
    const XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, native), nullptr),
        &std::free);
    if (!geometry || state == XCB_ATOM_NONE)
        return;

    // A window manager owns the state of a mapped window and takes requests to change it as a
    // message to the root window (add both hints, asked by an application).
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = native;
    request.type = state;
    request.data.data32[0] = 1;
    request.data.data32[1] = wanted[0];
    request.data.data32[2] = wanted[1];
    request.data.data32[3] = 1;
    xcb_send_event(connection, false, geometry->root,
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&request));

    // Without a window manager nobody acts on that message: add the hints to the property as well,
    // keeping what is there (Qt merges its own hints into it the same way).
    const XcbReply<xcb_get_property_reply_t> current(
        xcb_get_property_reply(connection,
            xcb_get_property(connection, false, native, state, XCB_ATOM_ATOM, 0, 1024), nullptr),
        &std::free);
    std::vector<xcb_atom_t> hints;
    if (current && current->format == 32) {
        const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(current.get()));
        hints.assign(values, values + xcb_get_property_value_length(current.get()) / 4);
    }
    for (xcb_atom_t hint : wanted) {
        if (std::find(hints.begin(), hints.end(), hint) == hints.end())
            hints.push_back(hint);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native, state, XCB_ATOM_ATOM, 32,
        uint32_t(hints.size()), hints.data());
    xcb_flush(connection);
}

} // namespace

void DesktopRuntime::pinToDesktop(QWidget &window)
{
    // There is no program-manager window to adopt the board. Ask the window manager to keep it
    // below other windows and off the taskbar instead; Wayland compositors may ignore both.
    const Qt::WindowFlags pinned = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint;
    if ((window.windowFlags() & pinned) == pinned)
        return;
    const bool visible = window.isVisible();
    window.setWindowFlags(window.windowFlags() | pinned);
    if (!visible)
        return;
    window.show();
    keepOffTaskbar(window);
}
