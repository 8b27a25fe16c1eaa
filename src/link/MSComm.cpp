#include "MSComm.h"

#include <QSerialPort>

MSComm::MSComm(QObject *parent) : QObject(parent), port_(new QSerialPort(this)) {}

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
    settings_ = text;
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
    if (open) {
        port_->setPortName(deviceName(commPort_));
        if (!port_->open(QIODevice::ReadWrite))
            openFailure_ = port_->errorString();
    } else {
        port_->close();
    }
    ++openSerial_;
}

int MSComm::InBufferCount()
{
    return port_->isOpen() ? int(port_->bytesAvailable()) : 0;
}

void MSComm::InBufferCount(int)
{
    if (port_->isOpen())
        port_->readAll();
}

QByteArray MSComm::Input()
{
    return port_->isOpen() ? port_->readAll() : QByteArray();
}

void MSComm::Output(const QByteArray &text)
{
    if (port_->isOpen())
        port_->write(text);
}

QString MSComm::openFailure() const
{
    return openFailure_;
}

QString MSComm::deviceName(int n)
{
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}

quint32 MSComm::openSerial() const
{
    return openSerial_;
}
