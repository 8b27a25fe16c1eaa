#pragma once

#include <QString>

// What "COM n" means on this computer. On Windows it is the port COMn itself. Elsewhere it is the device that
// the symbolic link com<n> in the given folder points to (a USB adapter, the device emulator's line), and the
// n-th built-in port, /dev/ttyS<n-1>, when there is no such link.
namespace PortName {

QString device(int n, const QString &linkFolder);
// "COM n", as the operator knows the port.
QString label(int n);

} // namespace PortName
