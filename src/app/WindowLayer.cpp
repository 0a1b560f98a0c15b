#include "WindowBehaviorController.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <array>
#include <cstring>

#if TARNWICK_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {
constexpr int canJoinAllSpaces = 1; // the bit of the collection behaviour that means "every desktop"

#if TARNWICK_HAVE_XCB
xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

void sendToWindowManager(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t type,
                         std::array<uint32_t, 5> data)
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    std::copy(data.begin(), data.end(), event.data.data32);
    xcb_send_event(connection, 0, rootWindow(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
}

uint32_t currentDesktop(xcb_connection_t *connection)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, rootWindow(connection), atom(connection, "_NET_CURRENT_DESKTOP"),
                         XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    uint32_t desktop = 0;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        desktop = *static_cast<uint32_t *>(xcb_get_property_value(reply));
    free(reply);
    return desktop;
}

void setSticky(QWindow *window, bool sticky)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t desktopAtom = atom(connection, "_NET_WM_DESKTOP");
    const xcb_atom_t stateAtom = atom(connection, "_NET_WM_STATE");
    const xcb_atom_t stickyAtom = atom(connection, "_NET_WM_STATE_STICKY");
    const uint32_t desktop = sticky ? 0xFFFFFFFFu : currentDesktop(connection);

    // Before the window is mapped the window manager reads the properties;
    // afterwards it only listens to client messages. Do both.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, desktopAtom, XCB_ATOM_CARDINAL, 32, 1, &desktop);
    sendToWindowManager(connection, id, desktopAtom, {desktop, 1, 0, 0, 0});
    if (sticky && !window->isVisible())
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, stateAtom, XCB_ATOM_ATOM, 32, 1, &stickyAtom);
    sendToWindowManager(connection, id, stateAtom, {sticky ? 1u : 0u, stickyAtom, 0, 1, 0});
    xcb_flush(connection);
}

bool stickyProperty(QWindow *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return false;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, xcb_window_t(window->winId()), atom(connection, "_NET_WM_DESKTOP"),
                         XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    bool sticky = false;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        sticky = *static_cast<uint32_t *>(xcb_get_property_value(reply)) == 0xFFFFFFFFu;
    free(reply);
    return sticky;
}
#endif
} // namespace

namespace WindowLayer {

void apply(QWindow *window, int level, int collectionBehavior)
{
    if (!window)
        return;
    const bool onTop = level > WindowBehaviorController::normalLevel;
    if (window->flags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        window->setFlag(Qt::WindowStaysOnTopHint, onTop);
#if TARNWICK_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        setSticky(window, (collectionBehavior & canJoinAllSpaces) != 0);
#else
    Q_UNUSED(collectionBehavior);
    Q_UNUSED(canJoinAllSpaces);
#endif
}

bool isSticky(QWindow *window)
{
#if TARNWICK_HAVE_XCB
    if (window && QGuiApplication::platformName() == QLatin1String("xcb"))
        return stickyProperty(window);
#else
    Q_UNUSED(window);
#endif
    return false;
}

} // namespace WindowLayer
