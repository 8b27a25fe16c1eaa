#pragma once

#include "Transport.h"

#include <QDeadlineTimer>

class QSerialPort;

// A serial device: a built-in port, a USB adapter, a pseudo-terminal.
class SerialTransport : public Transport
{
    Q_OBJECT

public:
    explicit SerialTransport(QString device, QObject *parent = nullptr);

    bool open(const LineSettings &settings, Failure *failure) override;
    void cancel() override {}
    void close() override;
    void abandon() override;
    void pullIn() override;
    QByteArray take() override;
    bool send(const QByteArray &bytes) override;
    bool drain() override;
    bool isGone() override;
    Carrier carrier() const override;

private:
    // Gives the system what Qt still holds of what was written; false when the deadline passes first.
    bool handOver(const QDeadlineTimer &deadline);

    QString device_;
    QSerialPort *port_;
};
