#pragma once

#include <QList>
#include <QString>

#include <functional>

// A serial port that the system reports, as the Ports window lists it.
struct SystemPort
{
    QString device; // /dev/ttyUSB0 (COM3 on Windows)
    QString description;
    QString manufacturer;
    QString serialNumber;
    QString byId; // the stable name under /dev/serial/by-id/ that leads to the device; empty when there is none

    // The name to keep in a link: the stable one where there is one, so that an adapter keeps its COM number
    // when it is plugged into another socket.
    QString linkTarget() const { return byId.isEmpty() ? device : byId; }
    // "FT232R USB UART, FTDI, serial A50285BI": what the system says of the port, empty when it says nothing.
    QString about() const;

    friend bool operator==(const SystemPort &, const SystemPort &) = default;
};

// The system's serial ports. The list comes from QSerialPortInfo unless a test feeds a fixed one.
namespace SystemPorts {

QList<SystemPort> list();
// Tests only: the list to report instead of the system's; an empty function puts the system's back.
void feed(std::function<QList<SystemPort>()> source);

// What QSerialPortInfo reports now, each port with its stable name from the folder of stable names.
QList<SystemPort> fromSystem(const QString &byIdFolder = QStringLiteral("/dev/serial/by-id"));
// The first (by name) link in the folder that leads to the device; empty when none does.
QString byIdName(const QString &device, const QString &byIdFolder);

} // namespace SystemPorts
