#include "SettingsTexts.h"

QString SettingsTexts::saveFailed(const QString &file, const QString &reason)
{
    return QStringLiteral("The connection settings could not be saved to %1.\n%2\n\nThey stay in effect until the "
                          "program ends.")
        .arg(file, reason);
}

QString SettingsTexts::folderNotMade(const QString &folder)
{
    return QStringLiteral("The folder %1 cannot be made.").arg(folder);
}

QString SettingsTexts::setOutside(const QString &port, const QString &now, const QString &change)
{
    return QStringLiteral("%1 now stands for %2, which was set outside this window.\n\n%3").arg(port, now, change);
}

QString SettingsTexts::replaceWith(const QString &target)
{
    return QStringLiteral("Replace it with %1?").arg(target);
}

QString SettingsTexts::clearTo(const QString &port, const QString &device)
{
    return QStringLiteral("Clear it, so that %1 is the built-in port %2 again?").arg(port, device);
}

QString SettingsTexts::foreignEntry(const QString &what, int n)
{
    return QStringLiteral("%1 named com%2 in the data folder (not a link)").arg(what).arg(n);
}

QString SettingsTexts::unreadableEntry(int n, const QString &problem)
{
    return QStringLiteral("an entry com%1 that cannot be read (%2)").arg(n).arg(problem);
}

QString SettingsTexts::unreadableLink(const QString &text, const QString &problem)
{
    return QStringLiteral("\"%1\", which %2").arg(text, problem);
}

QString SettingsTexts::notWritten(const QString &why, const QString &port)
{
    return QStringLiteral("%1\n\n%2 is left as it was.").arg(why, port);
}

QString SettingsTexts::changedMeanwhile(const QString &path)
{
    return QStringLiteral("%1 has changed since the window last read it. Look at it again and choose anew.").arg(path);
}

QString SettingsTexts::dataFolderNotMade(const QString &folder, const QString &reason)
{
    return QStringLiteral("The data folder %1 cannot be made: %2.").arg(folder, reason);
}

QString SettingsTexts::dataFolderNotWritten(const QString &folder, const QString &reason)
{
    return QStringLiteral("The data folder %1 cannot be written: %2.").arg(folder, reason);
}

QString SettingsTexts::notReplaced(const QString &path, const QString &reason)
{
    return QStringLiteral("%1 cannot be replaced: %2.").arg(path, reason);
}

QString SettingsTexts::notRemoved(const QString &path, const QString &reason)
{
    return QStringLiteral("%1 cannot be removed: %2.").arg(path, reason);
}
