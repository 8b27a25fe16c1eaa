#pragma once

#include <QString>

// Every text of the connection settings that the operator reads in a box: the settings file's load and save
// messages, and the Ports window's questions and messages with the reasons they give. The tests compare against
// the same texts.
namespace SettingsTexts {

// The settings file
inline const QString LoadErrorTitle = QStringLiteral("FILE ERROR");
inline const QString LoadError = QStringLiteral("Error Loading Custom Settings ... Will use Sonarelle Defaults.     ");
inline const QString SaveErrorTitle = QStringLiteral("Save Settings");
// file: where the settings were to go; reason: one sentence, the system's or folderNotMade().
QString saveFailed(const QString &file, const QString &reason);
QString folderNotMade(const QString &folder);

// The Ports window
inline const QString PortsTitle = QStringLiteral("Ports");
inline const QString NoSerialPort =
    QStringLiteral("The system reports no serial port now. Plug the adapter in, then press Refresh.");
inline const QString NoAddress =
    QStringLiteral("Give the device server's host name or IP address, and the TCP port of its line, 1 to 65535.");
// The question before an entry com<n> set outside the window is replaced or removed. port: "COM 2"; now: what is
// there (one of the three below, or the link's text); change: replaceWith() or clearTo().
QString setOutside(const QString &port, const QString &now, const QString &change);
QString replaceWith(const QString &target);
QString clearTo(const QString &port, const QString &device);
QString foreignEntry(const QString &what, int n);
QString unreadableEntry(int n, const QString &problem);
QString unreadableLink(const QString &text, const QString &problem);
// An assignment that could not be written: why (one of the reasons below), and that nothing changed.
QString notWritten(const QString &why, const QString &port);

// Why an entry com<n> could not be written. folder, path: as the system writes them; reason: the system's.
QString changedMeanwhile(const QString &path);
QString dataFolderNotMade(const QString &folder, const QString &reason);
QString dataFolderNotWritten(const QString &folder, const QString &reason);
QString notReplaced(const QString &path, const QString &reason);
QString notRemoved(const QString &path, const QString &reason);

} // namespace SettingsTexts
