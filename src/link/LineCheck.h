#pragma once

#include <QtGlobal>

// Questions about an open serial line that Qt Serial Port cannot answer, asked of the system directly.
namespace LineCheck {

// True when the far end has gone for good: a hung-up line, a pseudo-terminal whose other side closed, an
// adapter that was pulled. A read that merely found nothing (EAGAIN) does not count.
bool isGone(qintptr handle);
// Waits until everything written has left the computer, so that closing the port loses nothing.
void drain(qintptr handle);

} // namespace LineCheck
