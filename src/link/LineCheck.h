#pragma once

#include <QtGlobal>

#include <chrono>

// Questions about an open line that Qt cannot answer, asked of the system directly.
namespace LineCheck {

// True when the far end has gone for good: a hung-up line, a pseudo-terminal whose other side closed, an
// adapter that was pulled. A read that merely found nothing (EAGAIN) does not count.
bool isGone(qintptr handle);
// Waits until everything written has left the computer, so that closing the port loses nothing.
void drain(qintptr handle);
// Makes a connected TCP socket notice a peer that vanished without a word (power lost, cable cut) within about
// `limit`: keepalive probes while the line is idle, and a bound on unacknowledged data while it is not.
void watchSocket(qintptr socket, std::chrono::seconds limit);

} // namespace LineCheck
