#include "SystemPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

std::function<QList<SystemPort>()> &fedList()
{
    static std::function<QList<SystemPort>()> fed;
    return fed;
}

} // namespace

QString SystemPort::about() const
{
    QStringList parts;
    for (const QString &part : {description, manufacturer})
        if (!part.isEmpty())
            parts << part;
    if (!serialNumber.isEmpty())
        parts << QStringLiteral("serial %1").arg(serialNumber);
    return parts.join(QStringLiteral(", "));
}

QList<SystemPort> SystemPorts::list()
{
    return fedList() ? fedList()() : fromSystem();
}

void SystemPorts::feed(std::function<QList<SystemPort>()> source)
{
    fedList() = std::move(source);
}

QList<SystemPort> SystemPorts::fromSystem(const QString &byIdFolder)
{
    QList<SystemPort> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SystemPort port{info.systemLocation(), info.description(), info.manufacturer(), info.serialNumber(), {}};
        port.byId = byIdName(port.device, byIdFolder);
        ports << port;
    }
    return ports;
}

QString SystemPorts::byIdName(const QString &device, const QString &byIdFolder)
{
    const QString real = QFileInfo(device).canonicalFilePath();
    if (real.isEmpty())
        return {};
    const QDir folder(byIdFolder);
    for (const QString &name : folder.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        if (QFileInfo(folder.filePath(name)).canonicalFilePath() == real)
            return folder.filePath(name);
    return {};
}
