#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// What the modem connect composes from the modem settings dialog: the speaker command, the dial string and
// the dialing banner. The dialog's texts go in unchanged, blanks included (a text restored from the settings
// file comes back padded to its field width, and the modem is given exactly that).
namespace DialString {

inline constexpr QByteArrayView SpeakerOff = "ATM0";
inline constexpr QByteArrayView SpeakerLow = "ATM1L1";
inline constexpr QByteArrayView SpeakerLoud = "ATM1L3";

// The speaker command for the first of off, low, loud that is set, without its CR; empty when none is set
// (then no speaker command is sent at all).
QByteArray speakerCommand(bool off, bool low, bool loud);

// The outside-line digits and then the call-waiting code, each followed by the pause ",,", for those that
// are checked: ("9", "*70") gives "9,,*70,,"; neither checked gives "".
QString dialPrefixes(bool outside, const QString &outsideDigits, bool waiting, const QString &waitingCode);

// "AT", "DT" (tone) or "DP" (pulse), the prefixes, the number and CR: "ATDT9,,*70,,5551234\r".
QByteArray dialString(bool tone, const QString &prefixes, const QString &number);

// The caption of the Dialing banner: "             Dialing  " followed by the prefixes and the number.
QString dialingBanner(const QString &prefixes, const QString &number);

} // namespace DialString
