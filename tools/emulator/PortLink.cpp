#include "PortLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString PortLink::path(int n) const
{
    return QDir(folder_).filePath(QStringLiteral("com%1").arg(n));
}

bool PortLink::isFree(int n) const
{
    const QFileInfo link(path(n));
    if (!link.exists() && !link.isSymLink())
        return true;
    // An emulator that was killed leaves its link behind, pointing at a pseudo-terminal that no longer exists.
    return link.isSymLink() && link.symLinkTarget().startsWith(QLatin1String("/dev/pts/")) && !link.exists();
}

bool PortLink::make(int n, const QString &device, QString *error)
{
    remove();
    const QString link = path(n);
    if (!isFree(n)) {
        *error = QStringLiteral("%1 already exists and is not a link of the emulator; it is left alone.").arg(link);
        return false;
    }
    QFile::remove(link);
    if (!QDir().mkpath(folder_) || !QFile::link(device, link)) {
        *error = QStringLiteral("%1 could not be made.").arg(link);
        return false;
    }
    made_ = link;
    madeTarget_ = device;
    return true;
}

void PortLink::remove()
{
    if (made_.isEmpty())
        return;
    const QFileInfo link(made_);
    if (link.isSymLink() && link.symLinkTarget() == madeTarget_)
        QFile::remove(made_);
    made_.clear();
    madeTarget_.clear();
}
