#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Runs `action` once, from the event loop, as soon as `ready` holds. The window's handlers wait synchronously,
// so whatever the operator or the far end does during one of their waits has to be set up before the handler
// is called; the check runs every millisecond inside the handler's own wait.
inline void when(std::function<bool()> ready, std::function<void()> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, ready = std::move(ready), action = std::move(action)] {
        if (!ready())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start(1);
}
