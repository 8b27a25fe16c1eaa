#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// The processor's serial protocol: the commands the program sends, the settings message that carries a new
// set of values, and the rules by which a reply is read and accepted. Every command and field ends in a
// lower-case "x"; nothing carries a line end, length or checksum.
namespace Protocol {

inline constexpr QByteArrayView StatusRequest = "90x";
inline constexpr QByteArrayView WriteCommand = "91x";
inline constexpr QByteArrayView WriteConfirmation = "777x";
inline constexpr QByteArrayView ProofOnCommand = "92x";
inline constexpr QByteArrayView ProofOffCommand = "93x";
// Leads every settings message; its meaning to the processor is its own, we send it unchanged.
inline constexpr QByteArrayView SettingsToken = "8x";

// The five values a reply carries, in reply order. Each is the digit 0 to 9 found at its position.
struct Reply
{
    qint16 PP = 0;
    qint16 PD = 0;
    qint16 HQ = 0;
    qint16 LQ = 0;
    qint16 Proof = 0;

    friend bool operator==(const Reply &, const Reply &) = default;
};

// "PPxPDxHQxLQx0x", each value in decimal without sign or leading zero: (3, 5, 2, 1) gives "3x5x2x1x0x".
// The fifth field, where a reply carries the proof state, is always "0".
QByteArray settingsString(qint16 pp, qint16 pd, qint16 hq, qint16 lq);
// The settings token followed by the settings string: "8x3x5x2x1x0x".
QByteArray settingsMessage(qint16 pp, qint16 pd, qint16 hq, qint16 lq);

// Reads the characters at positions 1, 3, 5, 7 and 9 (counting from 1 at the start of `received`);
// a character that is not a digit, or one that has not arrived, reads 0. Nothing else is looked at.
Reply parseReply(QByteArrayView received);

// A reply has arrived when more than ten characters are waiting.
bool replyArrived(qsizetype waiting);

// The write is accepted when the settings string occurs anywhere in what came back, case significant.
// An echo that reports proof on ("1" in the fifth digit) never matches, since the string always carries "0".
bool echoFound(QByteArrayView received, QByteArrayView settingsString);

// The proof state at position 9, read as the reply parse reads it, equals `wanted` (1 on, 0 off).
// On its own this lets a short or empty text pass for "off", because a missing character reads 0.
bool proofTestPasses(QByteArrayView received, qint16 wanted);
// What the proof switch counts as the processor's report: a text that passes the arrival test (eleven
// characters or more) and carries the wanted state as a digit at position 9. A shorter answer, or noise
// whose ninth character is no digit, is no report, so it never zeroes the settings.
bool proofReportFound(QByteArrayView received, qint16 wanted);

} // namespace Protocol
