#pragma once

#include "Device.h"
#include "PortLink.h"
#include "Pty.h"
#include "Transcript.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

class QSocketNotifier;

// The emulated serial line: a pseudo-terminal whose one side is the program's port com<n> (a link in the data
// folder) and whose other side feeds a Device. What the device sends goes out at the pace of a 2400-baud line
// (about 4.2 ms a character) unless told to be fast. When the device hangs up, the line drops (the program sees
// its port hung up) and a new line comes up behind the same com<n> for the next connection. When the program
// closes its port, the device hears of it (a modem sees DTR fall).
class Emulator : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        int port = 1;          // com<n>
        QString folder;        // where the link goes: the program's data folder
        bool nextFree = false; // take the next free number when com<port> is taken
        bool fast = false;     // send at once instead of at 2400 baud
        double scale = 1;      // otherwise run the line this many times faster (with the program's test clock)
    };

    // The device is not owned; it must outlive the emulator.
    Emulator(Device *device, Options options, QObject *parent = nullptr);
    ~Emulator() override;

    // Opens the line and links it; false with the reason in error().
    bool start();
    QString error() const { return error_; }
    int port() const { return port_; }
    QString device() const { return pair_.device; }
    bool isUp() const { return pair_.master >= 0; }
    // Drops the line at once, as a pulled cable does; a new line comes up behind the link.
    void hangUp();

signals:
    // Every byte that crosses the line: what the program sends as it arrives, what the device sends as it starts
    // on its way.
    void crossed(Transcript::Direction direction, const QByteArray &bytes);
    // What happens to the line, in a sentence for the person watching.
    void note(const QString &text);
    void hungUp();
    // The program closed its port (after the device has had what it wrote).
    void portClosed();

private:
    bool bringUp();
    void readLine();
    void queue(const QByteArray &bytes);
    void pump();
    void dropLine();
    void watchOpenings();
    void openingsChanged();
    qint64 charsSince(qint64 ns) const;
    qint64 timeOf(qint64 chars) const;

    Device *device_;
    Options options_;
    int port_ = 0;
    QString error_;
    Pty::Pair pair_;
    PortLink link_;
    std::unique_ptr<QSocketNotifier> reader_;
    QByteArray out_;
    QTimer pace_;
    QElapsedTimer clock_;
    qint64 sentSinceClock_ = 0;
    bool hangUpPending_ = false;
    int openWatch_ = -1;
    std::unique_ptr<QSocketNotifier> openNotifier_;
    int openings_ = 0; // by the program, not counting the emulator's own hold on the line
};
