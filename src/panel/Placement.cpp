#include "Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

QMargins frameMargins(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

void centreByWhatIsKnown(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QMargins frame = frameMargins(window);
    const QSize outer = window->size().grownBy(frame);
    window->move(Placement::centred(screen->geometry(), outer));
}

// A window manager frames a window only when it is first shown; until then Qt knows the client area alone,
// and a window centred by it stands off centre by its title bar and border. This watches the native window
// until the frame is known (at the latest when the window is first exposed), centres it once more by the
// frame and goes. Where the platform has no frames (offscreen, no window manager) it never acts.
class FrameCentring : public QObject
{
public:
    FrameCentring(QWidget *window, QWindow *handle) : QObject(window), window_(window), handle_(handle)
    {
        handle->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched == handle_ && (type == QEvent::Expose || type == QEvent::Move || type == QEvent::Resize)
            && handle_->isVisible() && !handle_->frameMargins().isNull()) {
            handle_->removeEventFilter(this);
            deleteLater();
            centreByWhatIsKnown(window_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *window_;
    QWindow *handle_;
};

} // namespace

QPoint Placement::centred(const QRect &screen, const QSize &outer)
{
    return {screen.left() + (screen.width() - outer.width()) / 2,
            screen.top() + (screen.height() - outer.height()) / 2};
}

void Placement::centreOnScreen(QWidget *window)
{
    // Making the native window lets a platform that knows the frame before the first show tell it now.
    window->winId();
    centreByWhatIsKnown(window);
    if (QWindow *handle = window->windowHandle(); handle && frameMargins(window).isNull())
        new FrameCentring(window, handle);
}
