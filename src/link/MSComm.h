#pragma once

#include "LineSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class Transport;

// The program's one serial port, with the six operations the rest of the program uses, under the names
// the code has always used for them. Received text is found by polling InBufferCount(); the port never
// pushes data at its owner. It does tell its owner once when the line goes away under an open port.
// What COM n stands for (a serial device or a serial device server on the network, see PortTarget) is decided
// at each opening; the kind of line is a Transport of its own, and nothing above this class knows which it is.
class MSComm : public QObject
{
    Q_OBJECT

public:
    explicit MSComm(QObject *parent = nullptr);
    ~MSComm() override;

    // Selects port n ("COM n") for the next opening.
    void CommPort(int n);
    int CommPort() const;

    // Line parameters for the next opening, as "2400,n,8,1" (baud, parity, data bits, stop bits).
    // False when the text cannot be understood; the previous parameters then stay.
    bool Settings(const QString &text);
    QString Settings() const;

    // True also while a network port is on its way (see below).
    bool PortOpen() const;
    // True opens the chosen port, false closes it (draining what was written). A failed opening leaves the
    // port closed and openFailure() says why. Opening a network port waits for its device server with the event
    // loop running; closing the port from a handler run meanwhile cancels the opening, which then leaves the port
    // closed with no failure to tell.
    void PortOpen(bool open);

    // Number of received characters waiting, counting all that the system has received so far.
    int InBufferCount();
    // Only 0 may be written: discards every waiting character.
    void InBufferCount(int zero);

    // Takes every waiting character, in order of arrival. Empty when nothing waits or the port is closed.
    QByteArray Input();
    // Hands the bytes to the system, unchanged, before it returns. Nothing is sent while the port is closed.
    // A port that does not take them within Pacing::PortLimit has stopped: its line is lost.
    void Output(const QByteArray &text);

    // Waits until everything written has left the port, at most Pacing::PortLimit; a port that has not sent it
    // by then is lost. False when the port is (now) closed.
    bool drain();
    // While a call through a modem is up, losing the call loses the line: DCD falling on a port that reports
    // its modem lines, or the modem's "NO CARRIER" arriving. The start of those words is held back from
    // InBufferCount, Input and the discard until the words are whole or turn out to be something else, so
    // that no reader takes them for the far end's text. Every opening and closing ends the watch.
    void watchCall(bool on);
    // The device the port is open on; empty while it is closed.
    QString openDevice() const;

    // One sentence for the operator about the last opening that failed: the COM port, the device, the reason.
    QString openFailure() const;
    // The device that port n stands for on this computer (see PortName), its links read from the data folder.
    static QString deviceName(int n);

    // The line generation: a number that changes whenever the port opens, closes (an opening on its way that is
    // cancelled too) or loses its line, so that a wait can tell that the line it started on is no longer the line
    // that is open.
    quint32 lineGeneration() const;

signals:
    // The far end went away (a hang-up, an adapter pulled) while the port was open. The port is closed
    // before this is emitted, and it is emitted once per loss.
    void lineLost(const QString &reason);

private:
    // Brings in what the system has received (Qt only reads it when the event loop runs), and notices a line
    // that has gone. False when the port is not open (any more).
    bool pullIn();
    void open();
    void checkLine();
    QString callLost();
    qsizetype heldBack() const;
    qsizetype handOut() const;
    void loseLine(const QString &how);
    void close();
    // Lets go of a transport that is done with: it tells us nothing more.
    void release(Transport *transport);

    Transport *transport_ = nullptr; // of the open port
    Transport *opening_ = nullptr;   // of a network port on its way
    QTimer watch_;
    int commPort_ = 1;
    QString device_;       // of the open port
    bool network_ = false; // of the open port
    QString settings_ = QStringLiteral("9600,n,8,1");
    LineSettings lineSettings_;
    QString openFailure_;
    quint32 lineGeneration_ = 0; // see lineGeneration()
    QByteArray held_;            // received, not yet read
    bool callWatch_ = false;
    bool carrierSeen_ = false; // DCD seen on during the watched call
};
