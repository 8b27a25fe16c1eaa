#include "MSComm.h"

#include "LineCheck.h"
#include "ModemScan.h"
#include "OpenFailure.h"
#include "Pacing.h"
#include "PortName.h"
#include "app/DataFolder.h"

#include <QFileInfo>
#include <QSerialPort>

#include <algorithm>

namespace {

// The system's reason without its closing full stop, so that it can end our own sentence.
QString bare(QString reason)
{
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason.isEmpty() ? QStringLiteral("unknown error") : reason;
}

} // namespace

MSComm::MSComm(QObject *parent) : QObject(parent), port_(new QSerialPort(this))
{
    lineSettings_ = *LineSettings::parse(settings_);
    connect(port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) { portError(e); });
    // Qt may stop reading a dead line without a word; a slow look at the line catches that too.
    watch_.setInterval(Pacing::LineWatch);
    connect(&watch_, &QTimer::timeout, this, &MSComm::checkLine);
    // A watched call is looked at as soon as text arrives, not only when somebody reads.
    connect(port_, &QSerialPort::readyRead, this, [this] {
        if (callWatch_)
            QMetaObject::invokeMethod(this, &MSComm::checkLine, Qt::QueuedConnection);
    });
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
    return port_->isOpen();
}

void MSComm::PortOpen(bool open)
{
    if (open == port_->isOpen())
        return;
    if (!open) {
        close();
        return;
    }

    const QString device = deviceName(commPort_);
    device_ = device;
    port_->setPortName(device);
    port_->setBaudRate(lineSettings_.baudRate);
    port_->setParity(lineSettings_.parity);
    port_->setDataBits(lineSettings_.dataBits);
    port_->setStopBits(lineSettings_.stopBits);
    openFailure_.clear();
    if (!port_->open(QIODevice::ReadWrite)) {
        QString reason = bare(port_->errorString());
        QString deniedGroup;
        // Qt reports a port held by another program (its lock file, or the exclusive use the other program
        // asked for) as a permission fault; when we may read and write the device, that is what it was.
        // Otherwise the device's group (the link followed) is the one to join.
        const QFileInfo file(device);
        if (port_->error() == QSerialPort::PermissionError) {
            if (file.isReadable() && file.isWritable())
                reason = QStringLiteral("it is in use by another program");
            else
                deniedGroup = file.group();
        }
        openFailure_ = OpenFailure::text(PortName::label(commPort_), device, reason, deniedGroup);
        return;
    }
    // What the far end sent while nobody listened belongs to no exchange of ours.
    port_->clear(QSerialPort::Input);
    ++openSerial_;
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
        port_->skip(handOut());
}

QByteArray MSComm::Input()
{
    return pullIn() ? port_->read(handOut()) : QByteArray();
}

void MSComm::Output(const QByteArray &text)
{
    if (!port_->isOpen() || text.isEmpty())
        return;
    port_->write(text);
    // write() only queues; the bytes must be on their way before we return (a close right after would lose them).
    if (!sendWritten(QDeadlineTimer(Pacing::PortLimit)))
        loseLine(QStringLiteral("the port stopped sending (its adapter or driver takes no more data)"));
}

bool MSComm::drain()
{
    if (!port_->isOpen())
        return false;
    const QDeadlineTimer deadline(Pacing::PortLimit);
    if (sendWritten(deadline) && LineCheck::drain(port_->handle(), int(deadline.remainingTime())))
        return true;
    loseLine(QStringLiteral("the port stopped sending (its adapter or driver takes no more data)"));
    return false;
}

void MSComm::watchCall(bool on)
{
    callWatch_ = on && port_->isOpen();
    carrierSeen_ = false;
}

QString MSComm::openDevice() const
{
    return port_->isOpen() ? device_ : QString();
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
    if (!port_->isOpen())
        return false;
    // Reads whatever the system holds without waiting; with nothing there Qt reports a TimeoutError, ignored below.
    port_->waitForReadyRead(0);
    checkLine();
    return port_->isOpen();
}

void MSComm::portError(int error)
{
    // open() reports NoError, and a read that finds nothing in pullIn() a TimeoutError: neither is a fault.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    // The other errors come in floods when the far end hangs up, but a ResourceError may also be a passing EAGAIN:
    // ask the line itself.
    checkLine();
}

void MSComm::checkLine()
{
    if (!port_->isOpen())
        return;
    if (LineCheck::isGone(port_->handle()))
        return loseLine(QStringLiteral("the other end hung up or the adapter was unplugged"));
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
    const std::optional<bool> carrier = LineCheck::carrier(port_->handle());
    if (carrier && *carrier)
        carrierSeen_ = true;
    else if (carrier && carrierSeen_)
        return QStringLiteral("the modem dropped the call (its carrier signal, DCD, went off)");
    if (port_->peek(port_->bytesAvailable()).contains(ModemScan::NoCarrier))
        return QStringLiteral("the modem said NO CARRIER: the far end hung up or the telephone line failed");
    return {};
}

// How many of the waiting characters, at their end, might be the start of the modem's "NO CARRIER".
qsizetype MSComm::heldBack() const
{
    if (!callWatch_)
        return 0;
    const QByteArray waiting = port_->peek(port_->bytesAvailable());
    for (qsizetype n = std::min(ModemScan::NoCarrier.size() - 1, waiting.size()); n > 0; --n)
        if (waiting.endsWith(ModemScan::NoCarrier.first(n)))
            return n;
    return 0;
}

// The waiting characters that readers may have.
qsizetype MSComm::handOut() const
{
    return port_->bytesAvailable() - heldBack();
}

// Gives the system what Qt still holds of what was written; false when the deadline passes first.
bool MSComm::sendWritten(const QDeadlineTimer &deadline)
{
    while (port_->isOpen() && port_->bytesToWrite() > 0) {
        if (deadline.hasExpired())
            return false;
        port_->waitForBytesWritten(int(deadline.remainingTime()));
    }
    return true;
}

void MSComm::loseLine(const QString &how)
{
    const QString reason =
        QStringLiteral("The line on %1 (%2) was lost: %3.").arg(PortName::label(commPort_), device_, how);
    watch_.stop();
    callWatch_ = false;
    // Nothing more can reach the far end; what waits to go must not hold the close.
    LineCheck::discardOutput(port_->handle());
    port_->close();
    ++openSerial_;
    // Told on the next turn of the event loop, so that whoever is polling the port finds it closed and carries on
    // normally before its owner reacts.
    QMetaObject::invokeMethod(
        this, [this, reason] { emit lineLost(reason); }, Qt::QueuedConnection);
}

void MSComm::close()
{
    watch_.stop();
    callWatch_ = false;
    // What was written goes out first, unless the port will not send it: then it is thrown away, so that
    // neither Disconnect nor Exit hangs on a stalled adapter.
    const QDeadlineTimer deadline(Pacing::PortLimit);
    if (!sendWritten(deadline) || !LineCheck::drain(port_->handle(), int(deadline.remainingTime())))
        LineCheck::discardOutput(port_->handle());
    port_->close();
    ++openSerial_;
}
