#pragma once

#include <chrono>

// Every pace of the program in one place: the waits of the serial exchanges, the attempt counts, the banner
// times and the blink. Waits are asked for in these units and run through scaled() so that the test suite
// can run them on a faster clock; the program itself always runs at rate 1.
namespace Pacing {

using namespace std::chrono_literals;
using Ms = std::chrono::milliseconds;

// Start-up
inline constexpr auto SplashPause = 5s;

// Status read
inline constexpr Ms StatusSettle = 2000ms;
inline constexpr Ms StatusReplyWait = 1000ms;
inline constexpr Ms StatusRetryWait = 500ms;
inline constexpr int StatusAttempts = 10;

// Settings write
inline constexpr Ms WriteReplyWait = 1000ms;
inline constexpr Ms WriteRetryWait = 1000ms;
inline constexpr int WriteAttempts = 10;

// Proof switch and blink
inline constexpr Ms ProofReplyWait = 1000ms;
inline constexpr int ProofAttempts = 5;
inline constexpr int ProofPolls = 2;
inline constexpr Ms ProofBlink = 333ms;
inline constexpr int BlinkTicksPerBeep = 5;

// Modem dialogue
inline constexpr Ms ModemPortWait = 1000ms;
inline constexpr Ms ModemCommandWait = 1000ms;
// The silence a modem needs before "+++" to take it as its escape (its S12, 1 s, counted from the end of the
// last character on the wire) with a clear margin, and the wait after it.
inline constexpr Ms ModemEscapeSilence = 1250ms;
inline constexpr Ms ModemGuardTime = 3000ms;
inline constexpr Ms ModemBannerTime = 3000ms;
// How long the waits give a modem that says nothing. A modem gives up on a call by itself (NO CARRIER)
// after about a minute; the dial wait outlasts that. "ATZ" is answered at once, so the hang-up wait is short.
inline constexpr Ms DialWaitLimit = 90s;
inline constexpr Ms HangupWaitLimit = 10s;

// Serial port: how often an open port looks whether its line has gone silently, and how long the port may hold
// the window while what was written leaves it (Output, the drain before the modem's escape and at a close):
// a line with no flow control takes it at once, and a port that has not sent it by then has stopped.
inline constexpr Ms LineWatch = 500ms;
inline constexpr Ms PortLimit = 2000ms;

// Network ports: how long an opening may wait for the device server, of which how long for its answer to the
// COM port control; and how long a peer may stay silent, gone without a word, before the line counts as lost.
// These are the network's times, not the program's paces: the test clock does not change them.
inline constexpr Ms NetworkConnectLimit = 5000ms;
inline constexpr Ms NetworkNegotiationLimit = 2000ms;
inline constexpr std::chrono::seconds NetworkSilenceLimit = 15s;

// A reply has arrived when more than this many characters wait.
inline constexpr int ReplyArrivedAbove = 10;

// For tests only: run every wait of the program `rate` times faster (1 = real time).
void setTestClockRate(double rate);
double clockRate();

// A wait of `ms` milliseconds on the program's clock, as a timer interval in real milliseconds (at least 1).
int scaled(double ms);

} // namespace Pacing
