#pragma once

#include <QString>

#include <optional>

// The port a port box names: the digit its text ends in ("COM 2" is port 2; a typed "COM 12" is port 2 as
// well, as it always has been). A text that does not end in a digit 1 to 9 names no port.
inline std::optional<int> portFromText(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar last = text.back();
    if (last < QLatin1Char('1') || last > QLatin1Char('9'))
        return std::nullopt;
    return last.digitValue();
}
