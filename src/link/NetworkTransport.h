#pragma once

#include "PortTarget.h"
#include "Transport.h"

#include <QDeadlineTimer>

#include <functional>
#include <memory>

class QTcpSocket;
class TelnetStream;

// A serial device server on the network: RFC 2217 (Telnet with COM port control, so that the server sets the
// line as we ask) or raw TCP (the bytes as they are; the server's own settings set the line).
class NetworkTransport : public Transport
{
    Q_OBJECT

public:
    explicit NetworkTransport(PortTarget target, QObject *parent = nullptr);
    ~NetworkTransport() override;

    bool open(const LineSettings &settings, Failure *failure) override;
    void cancel() override;
    void close() override;
    void abandon() override;
    void pullIn() override;
    QByteArray take() override;
    bool send(const QByteArray &bytes) override;
    bool drain() override;
    bool isGone() override;
    Carrier carrier() const override;

private:
    // Takes what the socket holds into received_ (through the Telnet layer, which may have answers to send).
    void absorb();
    bool flushTelnet();
    // Queues the bytes and waits, at most Pacing::PortLimit, until the system has taken all that was written.
    bool write(const QByteArray &bytes);
    bool waitFor(const std::function<bool()> &done, QDeadlineTimer deadline);
    QString connectFailure() const;

    PortTarget target_;
    QTcpSocket *socket_;
    std::unique_ptr<TelnetStream> telnet_; // RFC 2217 only
    QByteArray received_;
    bool cancelled_ = false;
};
