// The POSIX side of LineCheck: poll() reports a hang-up as POLLHUP (or POLLERR/POLLNVAL on a device that has
// gone away), which is the one reliable sign; the read errors that Qt reports are not.
#include "LineCheck.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <chrono>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
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

void LineCheck::watchSocket(qintptr socket, std::chrono::seconds limit)
{
    if (socket < 0)
        return;
    const int fd = int(socket);
    // A third of the limit idle, then five probes over the rest.
    constexpr int Probes = 5;
    const int idle = std::max(1, int(limit.count() / 3));
    const int interval = std::max(1, int((limit.count() - idle) / Probes));
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
#ifdef TCP_KEEPIDLE // Linux; macOS names the idle time TCP_KEEPALIVE
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
#elif defined(TCP_KEEPALIVE)
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPALIVE, &idle, sizeof idle);
#endif
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &Probes, sizeof Probes);
#ifdef TCP_USER_TIMEOUT
    const unsigned int userTimeout = unsigned(std::chrono::milliseconds(limit).count());
    ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &userTimeout, sizeof userTimeout);
#endif
}

void LineCheck::ackAtOnce([[maybe_unused]] qintptr socket)
{
#ifdef TCP_QUICKACK // Linux; elsewhere acknowledgements keep their usual pace
    const int on = 1;
    if (socket >= 0)
        ::setsockopt(int(socket), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#endif
}
