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

    virtual void receive(const QByteArray &bytes) = 0;
    // A new line has come up (at the start, and after every hang-up).
    virtual void lineUp() {}

signals:
    void send(const QByteArray &bytes);
    // Drop the line once everything sent so far has gone out.
    void hangUp();
};
