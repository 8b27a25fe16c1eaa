#include "Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QPoint Placement::centred(const QRect &screen, const QSize &outer)
{
    return {screen.left() + (screen.width() - outer.width()) / 2,
            screen.top() + (screen.height() - outer.height()) / 2};
}

void Placement::centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Before a window is first shown the window manager has not told us its frame yet; the frame
    // geometry is then the client geometry, which is as near as we can know.
    window->move(centred(screen->geometry(), window->frameGeometry().size()));
}
