#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where the program's windows go on the screen.
namespace Placement {

// The top-left corner that centres a window of the given outer size (frame included) on the screen.
QPoint centred(const QRect &screen, const QSize &outer);

// Moves a top-level window so that its outer frame is centred on its screen; its size stays.
void centreOnScreen(QWidget *window);

} // namespace Placement
