#pragma once

#include <QString>

#include <optional>

// What "COM n" means on this computer. On Windows it is the port COMn itself. Elsewhere it is what the symbolic
// link com<n> in the given folder points to (a USB adapter, the device emulator's line, or the address of a
// serial device server, see PortTarget), and the n-th built-in port, /dev/ttyS<n-1>, when there is no such link.
namespace PortName {

// The device path or the network address (PortTarget's text form) that port n stands for.
QString device(int n, const QString &linkFolder);
// The n-th built-in port, what port n is when nothing else is named for it: /dev/ttyS<n-1> (COMn on Windows).
QString builtIn(int n);
// The target of the link com<n> exactly as it is written, relative or not; empty when there is no link.
std::optional<QString> link(int n, const QString &linkFolder);
// "COM n", as the operator knows the port.
QString label(int n);

} // namespace PortName
