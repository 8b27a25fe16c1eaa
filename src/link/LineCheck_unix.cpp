// The POSIX side of LineCheck: poll() reports a hang-up as POLLHUP (or POLLERR/POLLNVAL on a device that has
// gone away), which is the one reliable sign; the read errors that Qt reports are not.
#include "LineCheck.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <chrono>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>

bool LineCheck::isGone(qintptr handle)
{
    if (handle < 0)
        return true;
    pollfd pfd{int(handle), POLLIN, 0};
    if (::poll(&pfd, 1, 0) < 0)
        return false;
    return (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool LineCheck::drain(qintptr handle, int withinMs)
{
    // tcdrain() has no bound, so the output queue is asked instead until it is empty.
    const QDeadlineTimer deadline(std::max(0, withinMs));
    for (;;) {
        int waiting = 0;
        if (handle < 0 || ::ioctl(int(handle), TIOCOUTQ, &waiting) != 0 || waiting == 0)
            return true;
        if (deadline.hasExpired())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void LineCheck::discardOutput(qintptr handle)
{
    if (handle >= 0)
        ::tcflush(int(handle), TCOFLUSH);
}

std::optional<bool> LineCheck::carrier(qintptr handle)
{
    int lines = 0;
    if (handle < 0 || ::ioctl(int(handle), TIOCMGET, &lines) != 0)
        return std::nullopt;
    return (lines & TIOCM_CAR) != 0;
}
