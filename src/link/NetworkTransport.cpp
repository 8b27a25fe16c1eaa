#include "NetworkTransport.h"

#include "LineCheck.h"
#include "LinkTexts.h"
#include "Pacing.h"
#include "TelnetStream.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

NetworkTransport::NetworkTransport(PortTarget target, QObject *parent)
    : Transport(parent), target_(std::move(target)), socket_(new QTcpSocket(this))
{
    if (target_.kind == PortTarget::Kind::Rfc2217)
        telnet_ = std::make_unique<TelnetStream>();
    // Taken in as it comes, so that the Telnet layer answers the server at once even while nobody polls.
    connect(socket_, &QTcpSocket::readyRead, this, &NetworkTransport::absorb);
    connect(socket_, &QTcpSocket::disconnected, this, &Transport::trouble);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        // A read in pullIn() that finds nothing reports a time-out: no fault.
        if (e != QAbstractSocket::SocketTimeoutError)
            emit trouble();
    });
}

NetworkTransport::~NetworkTransport() = default;

bool NetworkTransport::open(const LineSettings &settings, Failure *failure)
{
    const QDeadlineTimer deadline(Pacing::NetworkConnectLimit);
    socket_->connectToHost(target_.host, target_.port);
    const bool connected = waitFor(
        [this] {
            return socket_->state() == QAbstractSocket::ConnectedState
                   || socket_->state() == QAbstractSocket::UnconnectedState;
        },
        deadline);
    if (cancelled_ || !connected || socket_->state() != QAbstractSocket::ConnectedState) {
        failure->reason = cancelled_ ? QString() : connectFailure();
        socket_->abort();
        return false;
    }
    // Each command goes out at once, and a peer that vanished without a word is noticed within a bounded time.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket_->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    LineCheck::watchSocket(socket_->socketDescriptor(), Pacing::NetworkSilenceLimit);
    LineCheck::ackAtOnce(socket_->socketDescriptor());

    if (telnet_) {
        flushTelnet();
        // A server that refuses COM port control, or does not answer in time, is used as a plain Telnet link:
        // its own settings then set the line.
        const QDeadlineTimer negotiation(
            std::min<qint64>(deadline.remainingTime(), Pacing::NetworkNegotiationLimit.count()));
        waitFor([this] { return telnet_->comPort() != TelnetStream::ComPort::Asked; }, negotiation);
        if (telnet_->comPort() == TelnetStream::ComPort::Accepted) {
            telnet_->setLine(settings);
            flushTelnet();
            // Once the server has answered, the line is set and what it held from before is gone.
            waitFor([this] { return telnet_->lineSet(); }, negotiation);
        }
        if (cancelled_ || socket_->state() != QAbstractSocket::ConnectedState) {
            failure->reason = cancelled_ ? QString() : LinkTexts::ServerClosed;
            socket_->abort();
            return false;
        }
    }
    // What the far end sent while nobody listened belongs to no exchange of ours.
    pullIn();
    received_.clear();
    return true;
}

void NetworkTransport::cancel()
{
    cancelled_ = true;
}

QString NetworkTransport::connectFailure() const
{
    switch (socket_->error()) {
    case QAbstractSocket::ConnectionRefusedError: return LinkTexts::Refused;
    case QAbstractSocket::HostNotFoundError: return LinkTexts::NoSuchHost;
    default: break;
    }
    if (socket_->state() != QAbstractSocket::UnconnectedState)
        return LinkTexts::noAnswerWithin(Pacing::NetworkConnectLimit);
    return LinkTexts::systemReason(socket_->errorString());
}

void NetworkTransport::close()
{
    drain();
    socket_->disconnectFromHost();
    socket_->abort();
}

void NetworkTransport::abandon()
{
    socket_->abort();
}

void NetworkTransport::pullIn()
{
    // Qt only reads when the event loop runs; this reads whatever the system holds without waiting.
    if (socket_->state() == QAbstractSocket::ConnectedState)
        socket_->waitForReadyRead(0);
    absorb();
}

QByteArray NetworkTransport::take()
{
    return std::exchange(received_, {});
}

bool NetworkTransport::send(const QByteArray &bytes)
{
    if (!telnet_)
        return write(bytes);
    telnet_->send(bytes);
    return flushTelnet();
}

bool NetworkTransport::drain()
{
    // What the system has taken is the peer's to acknowledge; keepalive and the user time-out watch that.
    return write({});
}

bool NetworkTransport::isGone()
{
    return socket_->state() != QAbstractSocket::ConnectedState;
}

Transport::Carrier NetworkTransport::carrier() const
{
    if (!telnet_ || !telnet_->modemState())
        return Carrier::Unknown;
    constexpr quint8 Dcd = 0x80;
    return (*telnet_->modemState() & Dcd) ? Carrier::On : Carrier::Off;
}

void NetworkTransport::absorb()
{
    const QByteArray bytes = socket_->readAll();
    if (bytes.isEmpty())
        return;
    LineCheck::ackAtOnce(socket_->socketDescriptor());
    if (telnet_) {
        telnet_->receive(bytes);
        received_ += telnet_->takePayload();
        flushTelnet();
    } else {
        received_ += bytes;
    }
    emit arrived();
}

bool NetworkTransport::flushTelnet()
{
    return write(telnet_->takeToPeer());
}

bool NetworkTransport::write(const QByteArray &bytes)
{
    if (socket_->state() != QAbstractSocket::ConnectedState)
        return true; // a line that has gone is told by isGone(), not as a stalled one
    if (!bytes.isEmpty())
        socket_->write(bytes);
    // write() only queues; the bytes must be on their way before we return (a close right after would lose them).
    const QDeadlineTimer deadline(Pacing::PortLimit);
    while (socket_->state() == QAbstractSocket::ConnectedState && socket_->bytesToWrite() > 0) {
        if (deadline.hasExpired())
            return false;
        socket_->waitForBytesWritten(int(deadline.remainingTime()));
    }
    return true;
}

bool NetworkTransport::waitFor(const std::function<bool()> &done, QDeadlineTimer deadline)
{
    // The window stays live meanwhile, as in every other wait of the program; the timer wakes the loop at the
    // deadline when nothing else does.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!cancelled_ && !done() && !deadline.hasExpired()) {
        if (!wake.isActive())
            wake.start(int(std::max<qint64>(1, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return !cancelled_ && done();
}
