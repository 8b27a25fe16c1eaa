#pragma once

#include <QtGlobal>

#include <optional>

// Questions about an open serial line that Qt Serial Port cannot answer, asked of the system directly.
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

} // namespace LineCheck
