#include "SerialTransport.h"

#include "LineCheck.h"
#include "LinkTexts.h"
#include "Pacing.h"

#include <QFileInfo>
#include <QSerialPort>

SerialTransport::SerialTransport(QString device, QObject *parent)
    : Transport(parent), device_(std::move(device)), port_(new QSerialPort(this))
{
    connect(port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // open() reports NoError, and a read that finds nothing in pullIn() a TimeoutError: neither is a fault.
        // The other errors come in floods when the far end hangs up, but a ResourceError may also be a passing
        // EAGAIN: the line itself is asked.
        if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError)
            emit trouble();
    });
    connect(port_, &QSerialPort::readyRead, this, &Transport::arrived);
}

bool SerialTransport::open(const LineSettings &settings, Failure *failure)
{
    port_->setPortName(device_);
    port_->setBaudRate(settings.baudRate);
    port_->setParity(settings.parity);
    port_->setDataBits(settings.dataBits);
    port_->setStopBits(settings.stopBits);
    if (!port_->open(QIODevice::ReadWrite)) {
        failure->reason = LinkTexts::systemReason(port_->errorString());
        // Qt reports a port held by another program (its lock file, or the exclusive use the other program
        // asked for) as a permission fault; when we may read and write the device, that is what it was.
        // Otherwise the device's group (the link followed) is the one to join.
        const QFileInfo file(device_);
        if (port_->error() == QSerialPort::PermissionError) {
            if (file.isReadable() && file.isWritable())
                failure->reason = LinkTexts::InUse;
            else
                failure->deniedGroup = file.group();
        }
        return false;
    }
    // What the far end sent while nobody listened belongs to no exchange of ours.
    port_->clear(QSerialPort::Input);
    return true;
}

void SerialTransport::close()
{
    if (!drain())
        LineCheck::discardOutput(port_->handle());
    port_->close();
}

void SerialTransport::abandon()
{
    // Nothing more can reach the far end; what waits to go must not hold the close.
    LineCheck::discardOutput(port_->handle());
    port_->close();
}

void SerialTransport::pullIn()
{
    // Qt only reads when the event loop runs; this reads whatever the system holds without waiting. With nothing
    // there Qt reports a TimeoutError, which is no fault.
    if (port_->isOpen())
        port_->waitForReadyRead(0);
}

QByteArray SerialTransport::take()
{
    return port_->readAll();
}

bool SerialTransport::send(const QByteArray &bytes)
{
    port_->write(bytes);
    // write() only queues; the bytes must be on their way before we return (a close right after would lose them).
    return handOver(QDeadlineTimer(Pacing::PortLimit));
}

bool SerialTransport::drain()
{
    const QDeadlineTimer deadline(Pacing::PortLimit);
    return handOver(deadline) && LineCheck::drain(port_->handle(), int(deadline.remainingTime()));
}

bool SerialTransport::handOver(const QDeadlineTimer &deadline)
{
    while (port_->isOpen() && port_->bytesToWrite() > 0) {
        if (deadline.hasExpired())
            return false;
        port_->waitForBytesWritten(int(deadline.remainingTime()));
    }
    return true;
}

bool SerialTransport::isGone()
{
    return !port_->isOpen() || LineCheck::isGone(port_->handle());
}

Transport::Carrier SerialTransport::carrier() const
{
    // Asked of the system: Qt reports a port without modem lines (a pseudo-terminal) as an error each time.
    const std::optional<bool> dcd = port_->isOpen() ? LineCheck::carrier(port_->handle()) : std::nullopt;
    if (!dcd)
        return Carrier::Unknown;
    return *dcd ? Carrier::On : Carrier::Off;
}
