#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The system's side of the emulated line: a pseudo-terminal pair, raw bytes in and out of its master side, and
// leaving cleanly on SIGINT and SIGTERM. Everything here is Linux's own; the rest of the emulator is plain Qt.
namespace Pty {

struct Pair
{
    int master = -1;
    // Held open by the emulator itself, so that the master never sees a hang-up while the program's port is
    // closed; what the emulator sends meanwhile waits there, as on a real line.
    int slave = -1;
    QString device; // the slave's name, e.g. /dev/pts/4: the program's serial port
};

// A new pair in raw mode, its master non-blocking. Empty, with the reason in *error, when the system refuses.
std::optional<Pair> open(QString *error);
void close(Pair &pair);

// What waits on the master (empty when nothing does), and writing to it: the number of bytes taken, which is
// fewer than given when the line is full.
QByteArray readSome(int master);
qsizetype writeSome(int master, QByteArrayView bytes);

// Who has the pair's device open besides the emulator: a watch (inotify) on the device, -1 when the system
// refuses one, and the change in the number of openings that its waiting events tell (+1 an opening, -1 a close).
int watchOpenings(const QString &device);
int openingsChange(int watch);
void unwatch(int &watch);

// SIGINT and SIGTERM end the event loop (QCoreApplication::quit) instead of the process, so links get removed.
void quitOnSignals();

} // namespace Pty
