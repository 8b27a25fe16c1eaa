#pragma once

#include <QSerialPort>
#include <QStringView>

#include <optional>

// The line parameters of a serial port as the program writes them: "2400,n,8,1" is 2400 baud, no parity,
// 8 data bits, 1 stop bit. Parity is one of n, e, o, m, s (none, even, odd, mark, space); stop bits are 1, 1.5
// or 2; data bits 5 to 8.
struct LineSettings
{
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // Empty when the text is not four such fields separated by commas.
    static std::optional<LineSettings> parse(QStringView text);

    friend bool operator==(const LineSettings &, const LineSettings &) = default;
};
