// The POSIX side of LineCheck: poll() reports a hang-up as POLLHUP (or POLLERR/POLLNVAL on a device that has
// gone away), which is the one reliable sign; the read errors that Qt reports are not.
#include "LineCheck.h"

#include <poll.h>
#include <termios.h>

bool LineCheck::isGone(qintptr handle)
{
    if (handle < 0)
        return true;
    pollfd pfd{int(handle), POLLIN, 0};
    if (::poll(&pfd, 1, 0) < 0)
        return false;
    return (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void LineCheck::drain(qintptr handle)
{
    if (handle >= 0)
        ::tcdrain(int(handle));
}
