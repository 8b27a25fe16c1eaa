#include "PortName.h"

#include "PortTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

QString PortName::device(int n, const QString &linkFolder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(linkFolder);
    return builtIn(n);
#else
    const std::optional<QString> target = link(n, linkFolder);
    if (!target)
        return builtIn(n);
    // An address is not a path: resolving it against the folder would spoil it.
    if (target->contains(u"://"))
        return *target;
    return QFileInfo(QDir(linkFolder).filePath(QStringLiteral("com%1").arg(n))).symLinkTarget();
#endif
}

QString PortName::builtIn(int n)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

std::optional<QString> PortName::link(int n, const QString &linkFolder)
{
    std::error_code error;
    const QString name = QDir(linkFolder).filePath(QStringLiteral("com%1").arg(n));
    const std::filesystem::path target = std::filesystem::read_symlink(QFile::encodeName(name).toStdString(), error);
    if (error)
        return std::nullopt;
    return QFile::decodeName(QByteArray::fromStdString(target.string()));
}

QString PortName::label(int n)
{
    return QStringLiteral("COM %1").arg(n);
}
