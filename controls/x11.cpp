#include "controls/x11.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

namespace {

xcb_connection_t* Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name),
                              nullptr),
        &std::free);
    return reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t RootWindow(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

} // namespace

namespace MP3Mod {

void SkipTaskbarAndPager(QWidget& window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr)
        return;
    const xcb_atom_t states[] = {Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 Atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()),
                        Atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
}

// The message goes to the root window in pieces of 20 bytes, its closing NUL
// included: the first piece as _NET_STARTUP_INFO_BEGIN, the rest as
// _NET_STARTUP_INFO (the freedesktop startup notification protocol).
void EndStartupNotification(const QByteArray& startupId) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || startupId.isEmpty())
        return;
    QByteArray message = "remove: ID=" + startupId;
    message.append('\0');
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 8;
    event.window = RootWindow(connection);
    const xcb_atom_t begin = Atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = Atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype sent = 0; sent < message.size(); sent += 20) {
        event.type = sent == 0 ? begin : more;
        std::memset(event.data.data8, 0, sizeof event.data.data8);
        std::memcpy(event.data.data8, message.constData() + sent,
                    std::min<qsizetype>(20, message.size() - sent));
        xcb_send_event(connection, 0, event.window, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(connection);
}

} // namespace MP3Mod
