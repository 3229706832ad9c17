#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

/// Where a window whose frame is `frame` opens in a screen's free area `available`: where it
/// is when it fits there; otherwise moved the least distance that brings it wholly inside.
/// Along a side where the window is larger than the area, it starts at the area's left (top)
/// edge, so that its title bar and menu stay within reach.
QPoint placeOnScreen(const QRect &frame, const QRect &available);

/// Moves the top-level `window` by `placeOnScreen` within the screen that holds it.
void keepOnScreen(QWidget &window);
