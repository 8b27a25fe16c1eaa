#pragma once

#include <QString>

#include <chrono>

// Every text of the connection that the operator reads: the Connect button's two captions, the line parameters,
// the titles and bodies of the messages about the line, and the reasons those messages give. The tests compare
// against the same texts.
namespace LinkTexts {

inline const QString ConnectCaption = QStringLiteral("&Connect");
inline const QString DisconnectCaption = QStringLiteral("&Disconnect");
inline const QString PortSettings = QStringLiteral("2400,n,8,1");

// Message titles
inline const QString PortErrorTitle = QStringLiteral("PORT ERROR");
inline const QString LineLostTitle = QStringLiteral("CONNECTION LOST");
inline const QString ModemErrorTitle = QStringLiteral("MODEM ERROR");

// Message bodies
// A port box whose text names no COM port.
QString noPort(const QString &portText);
// A port that would not open. port: "COM 3"; device: "/dev/ttyS2"; reason: one of the reasons below or the
// system's own (see systemReason). deniedGroup: set only when the system refused for lack of permission: the
// group that owns the device. Joining that group is the usual cure (dialout on Debian), so the message says so; a
// device owned by the group root gets no such advice, since joining root is no cure anyone should follow.
QString openFailure(const QString &port, const QString &device, const QString &reason, const QString &deniedGroup = {});
// Which line was lost and how (`how` is one of the ways below); lineLost() then tells the operator.
QString lineLostReason(const QString &port, const QString &device, const QString &how);
QString lineLost(const QString &reason);
// The modem gave no result for the dial, or did not confirm the hang-up, within `bound`.
QString dialTimedOut(const QString &portText, std::chrono::milliseconds bound);
QString hangupUnconfirmed(std::chrono::milliseconds bound);

// Why a port would not open: each ends a sentence of ours, so it has no capital and no closing full stop.
inline const QString InUse = QStringLiteral("it is in use by another program");
inline const QString BadAddress = QStringLiteral("an address must read rfc2217://host:port or tcp://host:port");
inline const QString Refused =
    QStringLiteral("the connection was refused (is the device server running, and is this its port?)");
inline const QString NoSuchHost = QStringLiteral("there is no such host");
inline const QString ServerClosed = QStringLiteral("the device server closed the connection");
QString noAnswerWithin(std::chrono::milliseconds bound);
// The system's own reason, made to end a sentence of ours: without its closing full stop.
QString systemReason(QString reason);

// How a line was lost, in the same form.
inline const QString HungUp = QStringLiteral("the other end hung up or the adapter was unplugged");
inline const QString ServerGone = QStringLiteral("the device server closed the connection or stopped answering");
inline const QString StoppedSending =
    QStringLiteral("the port stopped sending (its adapter or driver takes no more data)");
inline const QString CarrierDropped = QStringLiteral("the modem dropped the call (its carrier signal, DCD, went off)");
inline const QString NoCarrierSaid =
    QStringLiteral("the modem said NO CARRIER: the far end hung up or the telephone line failed");

} // namespace LinkTexts
