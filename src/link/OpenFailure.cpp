#include "OpenFailure.h"

QString OpenFailure::text(const QString &port, const QString &device, const QString &reason, const QString &deniedGroup)
{
    QString message = QStringLiteral("%1 (%2) could not be opened: %3.").arg(port, device, reason);
    if (!deniedGroup.isEmpty() && deniedGroup != QLatin1String("root"))
        message += QStringLiteral(" Ask for your user to be added to the group %1 (sudo adduser $USER %1), then log in "
                                  "again.")
                       .arg(deniedGroup);
    return message;
}
