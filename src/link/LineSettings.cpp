#include "LineSettings.h"

#include <QList>

std::optional<LineSettings> LineSettings::parse(QStringView text)
{
    const QList<QStringView> fields = text.split(u',');
    if (fields.size() != 4)
        return std::nullopt;

    LineSettings s;
    bool ok = false;
    s.baudRate = fields[0].trimmed().toInt(&ok);
    if (!ok || s.baudRate <= 0)
        return std::nullopt;

    const QStringView parity = fields[1].trimmed();
    if (parity.size() != 1)
        return std::nullopt;
    switch (parity[0].toLower().unicode()) {
    case 'n': s.parity = QSerialPort::NoParity; break;
    case 'e': s.parity = QSerialPort::EvenParity; break;
    case 'o': s.parity = QSerialPort::OddParity; break;
    case 'm': s.parity = QSerialPort::MarkParity; break;
    case 's': s.parity = QSerialPort::SpaceParity; break;
    default: return std::nullopt;
    }

    const int dataBits = fields[2].trimmed().toInt(&ok);
    if (!ok || dataBits < 5 || dataBits > 8)
        return std::nullopt;
    s.dataBits = QSerialPort::DataBits(dataBits);

    const QStringView stopBits = fields[3].trimmed();
    if (stopBits == u"1")
        s.stopBits = QSerialPort::OneStop;
    else if (stopBits == u"1.5")
        s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stopBits == u"2")
        s.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return s;
}
