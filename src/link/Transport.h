#pragma once

#include "LineSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// One kind of line behind MSComm: a serial device, a device server speaking RFC 2217, or one in raw TCP mode.
// MSComm keeps the port's state and its messages; a transport only moves bytes and tells what it knows of the line.
class Transport : public QObject
{
    Q_OBJECT

public:
    // The far end's carrier (DCD), where the line can tell it.
    enum class Carrier { Unknown, Off, On };

    struct Failure
    {
        QString reason;      // without a closing full stop
        QString deniedGroup; // set when the system refused a device for lack of permission: the device's group
    };

    using QObject::QObject;

    // Opens the line with the given parameters. A network line waits for its peer, with the event loop running;
    // cancel() from a handler run meanwhile ends the wait. False with the reason in *failure.
    virtual bool open(const LineSettings &settings, Failure *failure) = 0;
    // Ends an open() that is still waiting; it then returns false with an empty reason.
    virtual void cancel() = 0;
    // Closes the line after what was written has left; what has not left within Pacing::PortLimit is thrown
    // away, so that no close hangs on a line that has stopped sending.
    virtual void close() = 0;
    // Drops the line at once, when it has gone.
    virtual void abandon() = 0;

    // Brings in, without waiting, everything that has arrived, and takes it.
    virtual void pullIn() = 0;
    virtual QByteArray take() = 0;
    // Sends the bytes unchanged; they are on their way when this returns. False when the line did not take them
    // within Pacing::PortLimit: it has stopped.
    virtual bool send(const QByteArray &bytes) = 0;
    // Waits until what was written has left the computer, at most Pacing::PortLimit; false when it has not.
    virtual bool drain() = 0;

    // True when the far end has gone for good.
    virtual bool isGone() = 0;
    virtual Carrier carrier() const = 0;

signals:
    // Something happened that may mean the line has gone; MSComm asks isGone().
    void trouble();
    // Text has arrived (take() has it after pullIn()).
    void arrived();
};
