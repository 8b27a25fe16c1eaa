#include "Protocol.h"

#include "link/Pacing.h"

#include <array>

namespace {

bool isDigitAt(QByteArrayView text, qsizetype position)
{
    return position <= text.size() && text[position - 1] >= '0' && text[position - 1] <= '9';
}

// Value of the one character at a 1-based position: a digit gives its value, anything else 0.
qint16 digitAt(QByteArrayView text, qsizetype position)
{
    return isDigitAt(text, position) ? qint16(text[position - 1] - '0') : qint16(0);
}

} // namespace

QByteArray Protocol::settingsString(qint16 pp, qint16 pd, qint16 hq, qint16 lq)
{
    QByteArray text;
    for (const qint16 value : std::array<qint16, 5>{pp, pd, hq, lq, 0}) {
        text += QByteArray::number(value);
        text += 'x';
    }
    return text;
}

QByteArray Protocol::settingsMessage(qint16 pp, qint16 pd, qint16 hq, qint16 lq)
{
    return SettingsToken.toByteArray() + settingsString(pp, pd, hq, lq);
}

Protocol::Reply Protocol::parseReply(QByteArrayView received)
{
    return Reply{digitAt(received, 1), digitAt(received, 3), digitAt(received, 5), digitAt(received, 7),
                 digitAt(received, 9)};
}

bool Protocol::replyArrived(qsizetype waiting)
{
    return waiting > Pacing::ReplyArrivedAbove;
}

bool Protocol::echoFound(QByteArrayView received, QByteArrayView settingsString)
{
    return received.contains(settingsString);
}

bool Protocol::proofTestPasses(QByteArrayView received, qint16 wanted)
{
    return parseReply(received).Proof == wanted;
}

bool Protocol::proofReportFound(QByteArrayView received, qint16 wanted)
{
    // The state must stand at position 9 as a digit: line noise must not pass for "off".
    return replyArrived(received.size()) && isDigitAt(received, 9) && proofTestPasses(received, wanted);
}
