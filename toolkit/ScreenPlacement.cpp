#include "toolkit/ScreenPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

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

void place(QWidget &window, const QMargins &margins)
{
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

// A window manager tells the size of a window's frame only once it has framed the window, which
// may be a little before or after the window first shows. Until then the frame is a guess, so
// the window is placed again as soon as its frame is known, once in each showing.
class PlaceAgainWhenFramed : public QObject {
  public:
    static constexpr const char *kName = "placeAgainWhenFramed";

    PlaceAgainWhenFramed(QWidget &window, QWindow &handle) : QObject(&window), window_(window)
    {
        setObjectName(QLatin1String(kName));
        handle.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Expose && type != QEvent::Move && type != QEvent::Resize &&
            type != QEvent::Hide)
            return false;
        const QMargins margins = frameMargins(window_);
        // Without a frame yet there is nothing to learn; without a window manager there never is.
        if (margins.isNull() && type != QEvent::Hide)
            return false;
        watched->removeEventFilter(this);
        deleteLater();
        if (type != QEvent::Hide)
            place(window_, margins);
        return false;
    }

  private:
    QWidget &window_;
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
    place(window, margins);
    QWindow *handle = window.windowHandle();
    if (handle && !handle->isExposed() &&
        !window.findChild<QObject *>(QLatin1String(PlaceAgainWhenFramed::kName),
                                     Qt::FindDirectChildrenOnly))
        new PlaceAgainWhenFramed(window, *handle);
}
