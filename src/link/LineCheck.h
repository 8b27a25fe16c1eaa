#pragma once

#include <QtGlobal>

#include <chrono>
#include <optional>

// Questions about an open line that Qt cannot answer, asked of the system directly.
namespace LineCheck {

// True when the far end has gone for good: a hung-up line, a pseudo-terminal whose other side closed, an
// adapter that was pulled. A read that merely found nothing (EAGAIN) does not count.
bool isGone(qintptr handle);
// Waits until everything written has left the computer, at most `withinMs`; false when it has not by then.
bool drain(qintptr handle, int withinMs);
// Throws away what was written and has not left yet.
void discardOutput(qintptr handle);
// Whether the modem holds its carrier (DCD); empty for a port that reports no modem lines (a pseudo-terminal).
std::optional<bool> carrier(qintptr handle);
// Makes a connected TCP socket notice a peer that vanished without a word (power lost, cable cut) within about
// `limit`: keepalive probes while the line is idle, and a bound on unacknowledged data while it is not.
void watchSocket(qintptr socket, std::chrono::seconds limit);
// Makes a TCP socket acknowledge what arrives at once instead of holding the acknowledgement back. A device server
// sends each piece of the line as it comes, and with Nagle's algorithm on its side it holds the next piece until the
// last is acknowledged: a held-back acknowledgement (up to 40 ms on Linux) would delay every answer. The system
// drops back to holding them after a while, so this is asked again after every read.
void ackAtOnce(qintptr socket);

} // namespace LineCheck
