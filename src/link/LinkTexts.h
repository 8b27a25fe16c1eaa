#pragma once

#include <QString>

// The fixed texts of the connection: the Connect button's two captions, the line parameters and the titles
// of the messages about the line.
namespace LinkTexts {

inline const QString ConnectCaption = QStringLiteral("&Connect");
inline const QString DisconnectCaption = QStringLiteral("&Disconnect");
inline const QString PortSettings = QStringLiteral("2400,n,8,1");
inline const QString PortErrorTitle = QStringLiteral("PORT ERROR");
inline const QString LineLostTitle = QStringLiteral("CONNECTION LOST");
inline const QString ModemErrorTitle = QStringLiteral("MODEM ERROR");

} // namespace LinkTexts
