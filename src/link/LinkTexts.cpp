#include "LinkTexts.h"

namespace {

int seconds(std::chrono::milliseconds bound)
{
    return int(std::chrono::duration_cast<std::chrono::seconds>(bound).count());
}

} // namespace

QString LinkTexts::noPort(const QString &portText)
{
    return QStringLiteral("\"%1\" names no COM port: the port must end in a digit from 1 to 9. Choose the port under "
                          "Modem > Modem Settings.")
        .arg(portText);
}

QString LinkTexts::openFailure(const QString &port, const QString &device, const QString &reason,
                               const QString &deniedGroup)
{
    QString message = QStringLiteral("%1 (%2) could not be opened: %3.").arg(port, device, reason);
    if (!deniedGroup.isEmpty() && deniedGroup != QLatin1String("root"))
        message += QStringLiteral(" Ask for your user to be added to the group %1 (sudo adduser $USER %1), then log in "
                                  "again.")
                       .arg(deniedGroup);
    return message;
}

QString LinkTexts::lineLostReason(const QString &port, const QString &device, const QString &how)
{
    return QStringLiteral("The line on %1 (%2) was lost: %3.").arg(port, device, how);
}

QString LinkTexts::lineLost(const QString &reason)
{
    return QStringLiteral("The connection to the Sonarelle was lost.\n%1\nCheck the cable or the modem, then press "
                          "Connect again.")
        .arg(reason);
}

QString LinkTexts::dialTimedOut(const QString &portText, std::chrono::milliseconds bound)
{
    return QStringLiteral("The modem on %1 gave no result for the dial within %2 seconds. Check that the modem is "
                          "switched on and on the telephone line, then press Connect again.")
        .arg(portText)
        .arg(seconds(bound));
}

QString LinkTexts::hangupUnconfirmed(std::chrono::milliseconds bound)
{
    return QStringLiteral("The modem did not confirm the hang-up within %1 seconds; the port has been closed. If the "
                          "call is still up, switch the modem off and on again.")
        .arg(seconds(bound));
}

QString LinkTexts::noAnswerWithin(std::chrono::milliseconds bound)
{
    return QStringLiteral("no answer within %1 seconds").arg(seconds(bound));
}

QString LinkTexts::systemReason(QString reason)
{
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason.isEmpty() ? QStringLiteral("unknown error") : reason;
}
