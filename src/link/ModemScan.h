#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// Reading the modem's answers: the latest response line picked out of everything received, and the result
// words the dial and hang-up waits look for in it.
namespace ModemScan {

// The modem's latest line in `received`: every character but the last two is scanned, a CR or LF empties
// the line and any other character is appended. Skipping two leaves a response framed "CR LF word CR LF"
// as the line rather than the empty text after its line end. Fewer than three characters give "".
QByteArray modemLine(QByteArrayView received);

// The same line kept up to date as text arrives, without holding on to the text itself: each append
// scans only the new characters, so a long wait costs in proportion to what arrives.
//
// Memory stays bounded however much arrives: a line longer than LineLimit characters is kept as its
// first LineEdge and last LineEdge characters with Join between them. line() then equals modemLine() for
// every line of up to LineLimit characters; for a longer one "begins with" and "ends with" tests of any
// result word still answer as on the whole line. A word is found only where it stands whole in one of the
// two ends: Join keeps the end of the head and the start of the tail from reading as a word ("BU" + "SY")
// that the line never held. A modem's result line is a few dozen characters, so only line noise ever
// reaches the limit.
class Scanner
{
public:
    static constexpr qsizetype LineEdge = 128;
    static constexpr qsizetype LineLimit = 2 * LineEdge;
    // Part of no result word, and no line end.
    static constexpr QByteArrayView Join = "...";

    void clear();
    void append(QByteArrayView chunk);

    const QByteArray &line() const { return m_line; }
    // Characters received since the last clear (not bounded by the scan's own storage).
    qint64 received() const { return m_received; }
    // Characters held: the kept line and the two not yet scanned.
    qsizetype keptSize() const { return m_line.size() + m_unscanned.size(); }

private:
    void scan(QByteArrayView text);
    void extendLine(QByteArrayView piece);

    QByteArray m_line;
    bool m_cut = false;     // m_line is head, Join, tail
    QByteArray m_unscanned; // the last two characters received, which the scan skips
    qint64 m_received = 0;
};

// Result words, case significant.
inline constexpr QByteArrayView Connect = "CONNECT";
inline constexpr QByteArrayView Busy = "BUSY";
inline constexpr QByteArrayView NoDialtone = "NO DIALTONE";
inline constexpr QByteArrayView Ok = "OK";
// What a modem says when a dial fails for another reason: nobody picked up, or it could not read the dial.
inline constexpr QByteArrayView NoCarrier = "NO CARRIER";
inline constexpr QByteArrayView NoAnswer = "NO ANSWER";
inline constexpr QByteArrayView Error = "ERROR";

bool beginsWithConnect(QByteArrayView line);
bool containsBusy(QByteArrayView line);
bool containsNoDialtone(QByteArrayView line);
bool endsWithOk(QByteArrayView line);

enum class DialResult { None, Connected, Busy, NoDialtone, Failed };

struct DialOutcome
{
    DialResult result = DialResult::None;
    QByteArrayView word; // the result word that decided it; empty for None
};

// How a line ends the dial wait, tested in this order: begins with "CONNECT", contains "BUSY", contains
// "NO DIALTONE", then contains "NO CARRIER", "NO ANSWER" or "ERROR" (Failed, with the word).
DialOutcome dialOutcome(QByteArrayView line);

} // namespace ModemScan
