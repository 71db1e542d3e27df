#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace veldora {

// Where a window of frame size window opens beside the main window: to its right, to its left,
// below it or above it, the first that lies wholly on the screen's available area without
// covering the main window. Where the screen has no such room, the place right of the main
// window moved just far enough to keep the window wholly on the screen.
QPoint besideMainWindow(const QRect& screen, const QRect& mainWindow, const QSize& window);

}  // namespace veldora
