#pragma once

#include <QString>

// The operator's message about a port that would not open: which port, which device, why, and, when the
// system refused for lack of permission, what to do about it.
namespace OpenFailure {

// port: "COM 3"; device: "/dev/ttyS2"; reason: the system's reason without a closing full stop.
// deniedGroup: set only when the system refused for lack of permission: the group that owns the device.
// Joining that group is the usual cure (dialout on Debian), so the message says so; a device owned by the
// group root gets no such advice, since joining root is no cure anyone should follow.
QString text(const QString &port, const QString &device, const QString &reason, const QString &deniedGroup = {});

} // namespace OpenFailure
