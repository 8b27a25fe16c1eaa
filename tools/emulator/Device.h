#pragma once

#include <QByteArray>
#include <QObject>

// Whatever sits at the far end of the emulated line. The line hands it every byte the program sends; it
// answers through send() and may drop the line with hangUp(). A device can stand in front of another (a modem
// in front of the processor) by passing bytes through in both directions.
class Device : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // A character on the 2400-baud line: a start bit, 8 data bits and a stop bit.
    static constexpr qint64 CharNs = 10'000'000'000 / 2400;

    virtual void receive(const QByteArray &bytes) = 0;
    // A new line has come up (at the start, and after every hang-up).
    virtual void lineUp() {}
    // The program closed its port, which drops DTR; what it wrote before has been received.
    virtual void portClosed() {}

signals:
    void send(const QByteArray &bytes);
    // Drop the line once everything sent so far has gone out.
    void hangUp();
};
