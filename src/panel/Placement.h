#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where the program's windows go on the screen.
namespace Placement {

// The top-left corner that centres a window of the given outer size (frame included) on the screen.
QPoint centred(const QRect &screen, const QSize &outer);

// Centres a top-level window on its whole screen by its outer frame (title bar, border and menu bar
// included); its size stays. Called before the window is first shown, it centres it by what is known then
// and once more by its frame as soon as the window system has framed it.
void centreOnScreen(QWidget *window);

} // namespace Placement
