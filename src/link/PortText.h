#pragma once

#include <QString>

#include <optional>

// The port a port box names: the last digit of its text ("COM 2" is port 2; a typed "COM 12" is port 2 as
// well, as it always has been). Blanks after it do not count: the settings file pads a short text ("COM3 ").
// A text whose last character that is not a blank is no digit 1 to 9 names no port.
inline std::optional<int> portFromText(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    if (end == 0)
        return std::nullopt;
    const QChar last = text.at(end - 1);
    if (last < QLatin1Char('1') || last > QLatin1Char('9'))
        return std::nullopt;
    return last.digitValue();
}
