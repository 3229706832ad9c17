#include "toolkit/ScreenPlacement.h"

#include <QApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

int placeAlong(int start, int length, int areaStart, int areaLength)
{
    if (length > areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

QMargins frameMargins(const QWidget &window)
{
    const QRect frame = window.frameGeometry(), client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

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
    // The position of a top-level window is that of its frame.
    const QRect frame(window.pos(), window.size().grownBy(margins));
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    const QPoint place = placeOnScreen(frame, screen->availableGeometry());
    if (place != frame.topLeft())
        window.move(place);
}
