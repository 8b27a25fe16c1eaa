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
    // The frame is known once the window exists on the window system, so make it exist (a loaded window
    // does). Some window managers tell the frame only when the window is first shown; until then the
    // frame geometry is the client geometry, which is as near as we can know.
    window->winId();
    window->move(centred(screen->geometry(), window->frameGeometry().size()));
}
