#include "DialString.h"

QByteArray DialString::speakerCommand(bool off, bool low, bool loud)
{
    if (off)
        return SpeakerOff.toByteArray();
    if (low)
        return SpeakerLow.toByteArray();
    if (loud)
        return SpeakerLoud.toByteArray();
    return {};
}

QString DialString::dialPrefixes(bool outside, const QString &outsideDigits, bool waiting, const QString &waitingCode)
{
    QString prefixes;
    if (outside)
        prefixes += outsideDigits + QStringLiteral(",,");
    if (waiting)
        prefixes += waitingCode + QStringLiteral(",,");
    return prefixes;
}

QByteArray DialString::dialString(bool tone, const QString &prefixes, const QString &number)
{
    return QByteArrayLiteral("AT") + (tone ? "DT" : "DP") + (prefixes + number).toLatin1() + '\r';
}

QString DialString::dialingBanner(const QString &prefixes, const QString &number)
{
    return QStringLiteral("             Dialing  ") + prefixes + number;
}
