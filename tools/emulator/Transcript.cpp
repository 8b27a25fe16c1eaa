#include "Transcript.h"

QString Transcript::escaped(QByteArrayView bytes)
{
    QString text;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\r')
            text += QLatin1String("\\r");
        else if (b == '\n')
            text += QLatin1String("\\n");
        else if (b == '\\')
            text += QLatin1String("\\\\");
        else if (b >= 0x20 && b < 0x7f)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
    }
    return text;
}

QString Transcript::line(QTime at, Direction direction, QByteArrayView bytes)
{
    return QStringLiteral("%1 %2 %3")
        .arg(at.toString(QStringLiteral("HH:mm:ss.zzz")),
             direction == Direction::ToDevice ? QLatin1String("program ->") : QLatin1String("<- device "),
             escaped(bytes));
}
