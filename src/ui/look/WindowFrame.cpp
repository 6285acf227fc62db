#include "ui/look/WindowFrame.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// The frame's margins from the X server, or nothing when there is no X server or the window
// manager has not reported a frame for the window.
std::optional<QMargins> reportedMargins(const QWidget &window)
{
    // Only windows of the X platform itself are X windows (the offscreen platform answers
    // for X too, without a connection of its own).
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.internalWinId())
        return std::nullopt;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    static const xcb_atom_t extents = [connection] {
        static constexpr char name[] = "_NET_FRAME_EXTENTS";
        XcbReply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }();
    if (extents == XCB_ATOM_NONE)
        return std::nullopt;
    const auto id = xcb_window_t(window.internalWinId());
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, id, extents, XCB_ATOM_CARDINAL, 0, 4),
                               nullptr),
        &std::free);
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32
        || xcb_get_property_value_length(reply.get()) != 4 * sizeof(quint32))
        return std::nullopt;
    // left, right, top, bottom, in the screen's pixels; the window's own are larger by its scale
    const auto *value = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    const qreal scale = window.devicePixelRatioF();
    const auto scaled = [scale](quint32 pixels) { return qRound(qreal(pixels) / scale); };
    return QMargins(scaled(value[0]), scaled(value[2]), scaled(value[1]), scaled(value[3]));
}

} // namespace

QMargins WindowFrame::margins(const QWidget &window)
{
    if (const std::optional<QMargins> reported = reportedMargins(window))
        return *reported;
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

bool WindowFrame::isKnown(const QWidget &window)
{
    return QGuiApplication::platformName() != QLatin1String("xcb") || reportedMargins(window).has_value();
}
