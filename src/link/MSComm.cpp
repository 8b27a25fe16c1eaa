#include "MSComm.h"

#include "NetworkTransport.h"
#include "OpenFailure.h"
#include "Pacing.h"
#include "PortName.h"
#include "PortTarget.h"
#include "SerialTransport.h"
#include "app/DataFolder.h"

MSComm::MSComm(QObject *parent) : QObject(parent)
{
    lineSettings_ = *LineSettings::parse(settings_);
    // A line may die without a word (Qt stops reading a dead serial line silently); a slow look catches that too.
    watch_.setInterval(Pacing::LineWatch);
    connect(&watch_, &QTimer::timeout, this, &MSComm::checkLine);
}

MSComm::~MSComm() = default;

void MSComm::CommPort(int n)
{
    commPort_ = n;
}

int MSComm::CommPort() const
{
    return commPort_;
}

bool MSComm::Settings(const QString &text)
{
    const std::optional<LineSettings> parsed = LineSettings::parse(text);
    if (!parsed)
        return false;
    settings_ = text;
    lineSettings_ = *parsed;
    return true;
}

QString MSComm::Settings() const
{
    return settings_;
}

bool MSComm::PortOpen() const
{
    return transport_ != nullptr || opening_ != nullptr;
}

void MSComm::PortOpen(bool open)
{
    if (open == PortOpen())
        return;
    if (open)
        this->open();
    else
        close();
}

void MSComm::open()
{
    const QString device = deviceName(commPort_);
    openFailure_.clear();
    const std::optional<PortTarget> target = PortTarget::parse(device);
    if (!target) {
        openFailure_ = OpenFailure::text(PortName::label(commPort_), device,
                                         QStringLiteral("an address must read rfc2217://host:port or tcp://host:port"));
        return;
    }
    Transport *transport = target->isNetwork() ? static_cast<Transport *>(new NetworkTransport(*target, this))
                                               : new SerialTransport(target->device, this);
    opening_ = transport;
    Transport::Failure failure;
    const bool opened = transport->open(lineSettings_, &failure);
    if (opening_ != transport) { // closed (and perhaps opened again) by a handler that ran while we waited
        release(transport);
        return;
    }
    opening_ = nullptr;
    if (!opened) {
        openFailure_ = OpenFailure::text(PortName::label(commPort_), device, failure.reason, failure.deniedGroup);
        release(transport);
        return;
    }
    transport_ = transport;
    device_ = device;
    network_ = target->isNetwork();
    connect(transport_, &Transport::trouble, this, &MSComm::checkLine);
    ++openSerial_;
    watch_.start();
}

int MSComm::InBufferCount()
{
    return pullIn() ? int(transport_->waiting()) : 0;
}

void MSComm::InBufferCount(int)
{
    if (transport_)
        transport_->discard();
}

QByteArray MSComm::Input()
{
    return pullIn() ? transport_->take() : QByteArray();
}

void MSComm::Output(const QByteArray &text)
{
    if (!transport_ || text.isEmpty())
        return;
    transport_->send(text);
}

QString MSComm::openFailure() const
{
    return openFailure_;
}

QString MSComm::deviceName(int n)
{
    return PortName::device(n, DataFolder::path());
}

quint32 MSComm::openSerial() const
{
    return openSerial_;
}

bool MSComm::pullIn()
{
    if (!transport_)
        return false;
    transport_->pullIn();
    checkLine();
    return transport_ != nullptr;
}

void MSComm::checkLine()
{
    if (transport_ && transport_->isGone())
        loseLine();
}

void MSComm::loseLine()
{
    const QString reason =
        network_ ? QStringLiteral("The line on %1 (%2) was lost: the device server closed the connection or stopped "
                                  "answering.")
                       .arg(PortName::label(commPort_), device_)
                 : QStringLiteral("The line on %1 (%2) was lost: the other end hung up or the adapter was unplugged.")
                       .arg(PortName::label(commPort_), device_);
    watch_.stop();
    Transport *gone = std::exchange(transport_, nullptr);
    release(gone);
    gone->abandon();
    ++openSerial_;
    // Told on the next turn of the event loop, so that whoever is polling the port finds it closed and carries on
    // normally before its owner reacts.
    QMetaObject::invokeMethod(
        this, [this, reason] { emit lineLost(reason); }, Qt::QueuedConnection);
}

void MSComm::close()
{
    if (opening_) {
        opening_->cancel();
        opening_ = nullptr;
        ++openSerial_;
        return;
    }
    watch_.stop();
    Transport *closing = std::exchange(transport_, nullptr);
    release(closing); // closing may tell of trouble: it is ours, not news
    closing->close();
    ++openSerial_;
}

// Deleted later: it may be in the middle of telling us something.
void MSComm::release(Transport *transport)
{
    disconnect(transport, nullptr, this, nullptr);
    transport->deleteLater();
}
