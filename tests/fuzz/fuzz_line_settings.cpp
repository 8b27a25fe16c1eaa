// The serial component's Settings text ("2400,n,8,1"). The input is read as UTF-8 text, as a text typed or
// stored anywhere may be. An accepted text must give values in their ranges and read the same written back.
#include "FuzzCheck.h"

#include "link/LineSettings.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// The settings written back in the program's own form.
QString written(const LineSettings &s)
{
    const char parity = s.parity == QSerialPort::NoParity     ? 'n'
                        : s.parity == QSerialPort::EvenParity ? 'e'
                        : s.parity == QSerialPort::OddParity  ? 'o'
                        : s.parity == QSerialPort::MarkParity ? 'm'
                                                              : 's';
    const QString stop = s.stopBits == QSerialPort::OneStop          ? QStringLiteral("1")
                         : s.stopBits == QSerialPort::OneAndHalfStop ? QStringLiteral("1.5")
                                                                     : QStringLiteral("2");
    return QStringLiteral("%1,%2,%3,%4").arg(s.baudRate).arg(QLatin1Char(parity)).arg(int(s.dataBits)).arg(stop);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<LineSettings> parsed = LineSettings::parse(text);
    if (!parsed)
        return 0;

    FUZZ_CHECK(text.count(u',') == 3);
    FUZZ_CHECK(parsed->baudRate > 0);
    FUZZ_CHECK(parsed->parity == QSerialPort::NoParity || parsed->parity == QSerialPort::EvenParity
               || parsed->parity == QSerialPort::OddParity || parsed->parity == QSerialPort::MarkParity
               || parsed->parity == QSerialPort::SpaceParity);
    FUZZ_CHECK(parsed->dataBits >= QSerialPort::Data5 && parsed->dataBits <= QSerialPort::Data8);
    FUZZ_CHECK(parsed->stopBits == QSerialPort::OneStop || parsed->stopBits == QSerialPort::OneAndHalfStop
               || parsed->stopBits == QSerialPort::TwoStop);

    const QString again = written(*parsed);
    FUZZ_CHECK(LineSettings::parse(again) == parsed);
    // Upper and lower case are the same settings.
    FUZZ_CHECK(LineSettings::parse(text.toUpper()) == parsed);
    return 0;
}
