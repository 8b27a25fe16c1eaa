#include "PortName.h"

#include <QDir>
#include <QFileInfo>

QString PortName::device(int n, const QString &linkFolder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(linkFolder);
    return QStringLiteral("COM%1").arg(n);
#else
    const QFileInfo link(QDir(linkFolder).filePath(QStringLiteral("com%1").arg(n)));
    if (link.isSymLink())
        return link.symLinkTarget();
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

QString PortName::label(int n)
{
    return QStringLiteral("COM %1").arg(n);
}
