#include "ColumnReading.h"

#include <algorithm>

QString ColumnReading::lampValue(Scale scale, int lamp, int lamps)
{
    if (scale == Scale::Levels)
        return QString::number(lamp + 1);
    const int dB = (lamp - lamps / 2) * 3;
    return (dB > 0 ? QStringLiteral("+%1 dB") : QStringLiteral("%1 dB")).arg(dB);
}

QString ColumnReading::text(const QString &column, Scale scale, const QList<bool> &lit)
{
    if (std::count(lit.begin(), lit.end(), true) != 1)
        return QStringLiteral("%1: no value").arg(column);
    const int lamp = int(lit.indexOf(true));
    const QString value = lampValue(scale, lamp, int(lit.size()));
    if (scale == Scale::Levels)
        return QStringLiteral("%1: level %2 of %3").arg(column, value).arg(lit.size());
    return QStringLiteral("%1: %2").arg(column, value);
}
