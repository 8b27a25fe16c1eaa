#pragma once

#include <QList>
#include <QString>

// What a lamp column shows, in words, for assistive technology: "Peak Processing: level 4 of 8",
// "High EQ: +3 dB". A column shows a value only when exactly one of its lamps is lit; every lamp lit (the
// off-line look) or none lit (a value out of range) reads "no value".
namespace ColumnReading {

enum class Scale {
    Levels,   // lamp i is level i + 1
    Decibels, // 3 dB a lamp, 0 dB in the middle
};

// lit: the column's lamps from lamp 0 (the bottom one) upward.
QString text(const QString &column, Scale scale, const QList<bool> &lit);

// The value one lamp stands for: "4", "+3 dB", "0 dB".
QString lampValue(Scale scale, int lamp, int lamps);

} // namespace ColumnReading
