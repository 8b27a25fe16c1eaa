#pragma once

#include <QtGlobal>

// How the adjustment buttons step a value. The bound is tested on the result, so a value outside the range
// (a reply may carry any digit) is brought back into it by the next press.
namespace Steps {

inline constexpr qint16 LevelTop = 7; // Peak Processing and Program Density: levels 1 to 8
inline constexpr qint16 EqTop = 4;    // High and Low EQ: -6, -3, 0, +3, +6 dB

constexpr qint16 up(qint16 value, qint16 top)
{
    return value + 1 > top ? top : qint16(value + 1);
}

constexpr qint16 down(qint16 value)
{
    return value - 1 < 0 ? qint16(0) : qint16(value - 1);
}

// The EQ buttons cycle: past the top they start again at the bottom.
constexpr qint16 cycle(qint16 value, qint16 top)
{
    return value + 1 > top ? qint16(0) : qint16(value + 1);
}

} // namespace Steps
