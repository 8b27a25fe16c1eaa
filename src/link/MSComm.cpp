#include "MSComm.h"

#include "LinkTexts.h"
#include "ModemScan.h"
#include "NetworkTransport.h"
#include "Pacing.h"
#include "PortName.h"
#include "PortTarget.h"
#include "SerialTransport.h"
#include "app/DataFolder.h"

#include <algorithm>

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
        openFailure_ = LinkTexts::openFailure(PortName::label(commPort_), device, LinkTexts::BadAddress);
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
        openFailure_ = LinkTexts::openFailure(PortName::label(commPort_), device, failure.reason, failure.deniedGroup);
        release(transport);
        return;
    }
    transport_ = transport;
    device_ = device;
    network_ = target->isNetwork();
    connect(transport_, &Transport::trouble, this, &MSComm::checkLine);
    // A watched call is looked at as soon as text arrives, not only when somebody reads.
    connect(transport_, &Transport::arrived, this, [this] {
        if (callWatch_)
            QMetaObject::invokeMethod(
                this, [this] { pullIn(); }, Qt::QueuedConnection);
    });
    held_.clear();
    ++lineGeneration_;
    callWatch_ = false;
    watch_.start();
}

int MSComm::InBufferCount()
{
    return pullIn() ? int(handOut()) : 0;
}

void MSComm::InBufferCount(int)
{
    if (pullIn())
        held_.remove(0, handOut());
}

QByteArray MSComm::Input()
{
    if (!pullIn())
        return {};
    QByteArray text = held_.first(handOut());
    held_.remove(0, text.size());
    return text;
}

void MSComm::Output(const QByteArray &text)
{
    if (!transport_ || text.isEmpty())
        return;
    if (!transport_->send(text))
        loseLine(LinkTexts::StoppedSending);
}

bool MSComm::drain()
{
    if (!transport_)
        return false;
    if (transport_->drain())
        return true;
    loseLine(LinkTexts::StoppedSending);
    return false;
}

void MSComm::watchCall(bool on)
{
    callWatch_ = on && transport_;
    carrierSeen_ = false;
}

QString MSComm::openDevice() const
{
    return transport_ ? device_ : QString();
}

QString MSComm::openFailure() const
{
    return openFailure_;
}

QString MSComm::deviceName(int n)
{
    return PortName::device(n, DataFolder::path());
}

quint32 MSComm::lineGeneration() const
{
    return lineGeneration_;
}

bool MSComm::pullIn()
{
    if (!transport_)
        return false;
    transport_->pullIn(); // may tell of trouble, and so lose the line, before it returns
    // cppcheck-suppress knownConditionTrueFalse
    if (transport_)
        held_ += transport_->take();
    checkLine();
    return transport_ != nullptr;
}

void MSComm::checkLine()
{
    if (!transport_)
        return;
    if (transport_->isGone())
        return loseLine(network_ ? LinkTexts::ServerGone : LinkTexts::HungUp);
    if (callWatch_) {
        const QString how = callLost();
        if (!how.isEmpty())
            loseLine(how);
    }
}

// How the watched call was lost; empty while it is up.
QString MSComm::callLost()
{
    // Only a fall counts: a cable that does not carry DCD reads off all the time.
    const Transport::Carrier carrier = transport_->carrier();
    if (carrier == Transport::Carrier::On)
        carrierSeen_ = true;
    else if (carrier == Transport::Carrier::Off && carrierSeen_)
        return LinkTexts::CarrierDropped;
    if (held_.contains(ModemScan::NoCarrier))
        return LinkTexts::NoCarrierSaid;
    return {};
}

// How many of the waiting characters, at their end, might be the start of the modem's "NO CARRIER".
qsizetype MSComm::heldBack() const
{
    if (!callWatch_)
        return 0;
    for (qsizetype n = std::min(ModemScan::NoCarrier.size() - 1, held_.size()); n > 0; --n)
        if (held_.endsWith(ModemScan::NoCarrier.first(n)))
            return n;
    return 0;
}

// The waiting characters that readers may have.
qsizetype MSComm::handOut() const
{
    return held_.size() - heldBack();
}

void MSComm::loseLine(const QString &how)
{
    const QString reason = LinkTexts::lineLostReason(PortName::label(commPort_), device_, how);
    watch_.stop();
    callWatch_ = false;
    held_.clear();
    Transport *gone = std::exchange(transport_, nullptr);
    release(gone);
    gone->abandon();
    ++lineGeneration_;
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
        ++lineGeneration_;
        return;
    }
    watch_.stop();
    callWatch_ = false;
    held_.clear();
    Transport *closing = std::exchange(transport_, nullptr);
    release(closing); // closing may tell of trouble: it is ours, not news
    closing->close();
    ++lineGeneration_;
}

// Deleted later: it may be in the middle of telling us something.
void MSComm::release(Transport *transport)
{
    disconnect(transport, nullptr, this, nullptr);
    transport->deleteLater();
}
