#include "toolkit/ScreenPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

int placeAlong(int start, int length, int areaStart, int areaLength)
{
    if (length > areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

/// A window on the screen: its client area and the frame around it.
struct Framed {
    QRect client, frame;
};

// Where an X11 window manager has put `window` and the frame it has drawn around it, as the X
// server has it, in Qt's pixels; nothing before the window is framed. While a window is being
// framed, Qt's own idea of both can be stale, even negative, so they are asked of the server.
std::optional<Framed> framedGeometry(const QWidget &window, xcb_connection_t *connection)
{
    const auto freed = [](void *reply) { std::free(reply); };
    using Atom = std::unique_ptr<xcb_intern_atom_reply_t, decltype(freed)>;
    using Property = std::unique_ptr<xcb_get_property_reply_t, decltype(freed)>;
    using Geometry = std::unique_ptr<xcb_get_geometry_reply_t, decltype(freed)>;
    using Translation = std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(freed)>;
    static constexpr char name[] = "_NET_FRAME_EXTENTS";
    const auto id = xcb_window_t(window.winId());
    const Atom atom(xcb_intern_atom_reply(connection,
                                          xcb_intern_atom(connection, true, sizeof name - 1, name),
                                          nullptr),
                    freed);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return std::nullopt;
    const Property extents(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, false, id, atom->atom, XCB_ATOM_CARDINAL, 0, 4), nullptr),
        freed);
    const Geometry size(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), freed);
    if (!extents || extents->format != 32 || xcb_get_property_value_length(extents.get()) != 16 ||
        !size)
        return std::nullopt;
    const Translation at(
        xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, id, size->root, 0, 0), nullptr),
        freed);
    if (!at)
        return std::nullopt;
    const auto *e = static_cast<const std::uint32_t *>(xcb_get_property_value(extents.get()));
    const QRect client(at->dst_x, at->dst_y, size->width, size->height);
    // _NET_FRAME_EXTENTS is left, right, top, bottom.
    const QMargins margins{int(e[0]), int(e[2]), int(e[1]), int(e[3])};
    const qreal ratio = window.devicePixelRatioF();
    const auto scaled = [ratio](const QRect &r) {
        return QRectF(QPointF(r.topLeft()) / ratio, QSizeF(r.size()) / ratio).toRect();
    };
    return Framed{scaled(client), scaled(client.marginsAdded(margins))};
}

QMargins frameMargins(const QWidget &window)
{
    const QRect frame = window.frameGeometry(), client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// Moves `window` so that its frame, now at `frame`, lies on its screen. The client area is what
// is moved, by the distance the frame has to go.
void place(QWidget &window, const QRect &frame, const QRect &client)
{
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    const QPoint place = placeOnScreen(frame, screen->availableGeometry());
    if (place != frame.topLeft())
        window.setGeometry(QRect(client.topLeft() + (place - frame.topLeft()), window.size()));
}

// An X11 window manager frames a window only when it maps it, so until then its frame is a
// guess. Once the window is on the screen, it is placed again by its real frame, once in each
// showing.
class PlaceAgainWhenFramed : public QObject {
  public:
    static constexpr const char *kName = "placeAgainWhenFramed";

    PlaceAgainWhenFramed(QWidget &window, QWindow &handle, xcb_connection_t *connection)
        : QObject(&window), window_(window), connection_(connection)
    {
        setObjectName(QLatin1String(kName));
        handle.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Hide &&
            !(type == QEvent::Expose && window_.windowHandle()->isExposed()))
            return false;
        watched->removeEventFilter(this);
        deleteLater();
        // Without a window manager there is no frame to place by.
        if (const std::optional<Framed> framed =
                type == QEvent::Expose ? framedGeometry(window_, connection_) : std::nullopt)
            place(window_, framed->frame, framed->client);
        return false;
    }

  private:
    QWidget &window_;
    xcb_connection_t *connection_;
};

} // namespace

QPoint placeOnScreen(const QRect &frame, const QRect &available)
{
    return {placeAlong(frame.x(), frame.width(), available.x(), available.width()),
            placeAlong(frame.y(), frame.height(), available.y(), available.height())};
}

void keepOnScreen(QWidget &window)
{
    QMargins margins = frameMargins(window);
    // Until a window has been on the screen, the window manager has not told the size of its
    // frame; that of a window already shown is the best guess.
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (!margins.isNull())
            break;
        if (other != &window && other->isVisible())
            margins = frameMargins(*other);
    }
    const QRect client = window.geometry();
    place(window, client.marginsAdded(margins), client);
    QWindow *handle = window.windowHandle();
    xcb_connection_t *x11 = x11Connection();
    if (x11 && handle && !handle->isExposed() &&
        !window.findChild<QObject *>(QLatin1String(PlaceAgainWhenFramed::kName),
                                     Qt::FindDirectChildrenOnly))
        new PlaceAgainWhenFramed(window, *handle, x11);
}
