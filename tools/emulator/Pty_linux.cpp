#include "Pty.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

std::optional<Pty::Pair> Pty::open(QString *error)
{
    Pair pair;
    pair.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[128] = {};
    if (pair.master < 0 || ::grantpt(pair.master) != 0 || ::unlockpt(pair.master) != 0
        || ::ptsname_r(pair.master, name, sizeof name) != 0
        || (pair.slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC)) < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        close(pair);
        return std::nullopt;
    }
    // Raw, so that nothing is echoed or translated while the program's port is closed (Qt puts back these
    // settings when it closes the port).
    termios raw{};
    ::tcgetattr(pair.slave, &raw);
    ::cfmakeraw(&raw);
    ::cfsetspeed(&raw, B2400);
    ::tcsetattr(pair.slave, TCSANOW, &raw);
    pair.device = QString::fromLocal8Bit(name);
    return pair;
}

void Pty::close(Pair &pair)
{
    for (int *fd : {&pair.slave, &pair.master}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

QByteArray Pty::readSome(int master)
{
    char buffer[4096];
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

qsizetype Pty::writeSome(int master, QByteArrayView bytes)
{
    const ssize_t n = ::write(master, bytes.data(), size_t(bytes.size()));
    return n > 0 ? n : 0;
}

int Pty::watchOpenings(const QString &device)
{
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0)
        return -1;
    if (::inotify_add_watch(watch, QFile::encodeName(device).constData(), IN_OPEN | IN_CLOSE) < 0) {
        ::close(watch);
        return -1;
    }
    return watch;
}

int Pty::openingsChange(int watch)
{
    alignas(inotify_event) char buffer[4096];
    int change = 0;
    for (;;) {
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        if (n <= 0)
            return change;
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            if (event->mask & IN_OPEN)
                ++change;
            if (event->mask & IN_CLOSE)
                --change;
            at += ssize_t(sizeof(inotify_event)) + event->len;
        }
    }
}

void Pty::unwatch(int &watch)
{
    if (watch >= 0)
        ::close(watch);
    watch = -1;
}

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}
} // namespace

void Pty::quitOnSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, QCoreApplication::instance(), &QCoreApplication::quit);
    struct sigaction action
    {};
    action.sa_handler = onSignal;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}
