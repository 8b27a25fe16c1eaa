#pragma once

#include "Transport.h"

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
    qint64 waiting() const override;
    QByteArray take() override;
    void discard() override;
    void send(const QByteArray &bytes) override;
    bool isGone() override;
    Carrier carrier() const override;

private:
    QString device_;
    QSerialPort *port_;
};
