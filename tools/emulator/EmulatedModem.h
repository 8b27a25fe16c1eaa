#pragma once

#include "Device.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QTimer>

// A Hayes-compatible modem in front of another device (the processor at the far end of the call), as strict
// as a V.250 modem on a 2400-baud line.
//
// The line: every character takes its time on the wire (10 bits at 2400 baud, about 4.17 ms), and the modem
// acts on it when its last bit has arrived. Its pauses, and the wire, run `timeScale` times faster when asked,
// so a test clock keeps the arithmetic of the real line.
//
// Command state: a line that begins with "AT" (any case) and ends in CR is carried out; with echo on (until
// "ATE0") every character is echoed as it comes. "E", "H", "L", "M", "Q", "V", "W", "X", "Z", "O", "S"
// registers and the "&" and "%" commands are understood; anything else gives "ERROR". Results are framed
// CR LF word CR LF, or numbers followed by CR after "ATV0"; "ATQ1" says none at all. The result set follows
// "ATX": X0 says neither BUSY nor NO DIALTONE (both NO CARRIER) and CONNECT without a speed, X1 adds the
// speed, X2 NO DIALTONE, X3 BUSY, X4 (the default) both. "ATW1" adds "CARRIER 2400" and "PROTOCOL: NONE"
// before CONNECT. "ATH" takes a few hundred milliseconds, and with a call up says NO CARRIER before its OK;
// "ATZ" takes a little longer; what arrives meanwhile waits its turn.
// "ATD" (T or P) dials: each comma pauses, then the chosen outcome; any character from the line during the
// dial abandons it with "NO CARRIER".
// On line: every byte passes through both ways, except the escape: "+++" with the whole guard time (S12, 1 s)
// of silence on the wire before its first "+" and after its last, and less than that between them, returns
// to command state with "OK" while the call stays up ("ATO" goes back on line, "ATH" or "ATZ" end the call).
// "+++" without its silence is data, passed on. The carrier failing (the far end hanging up, a switch, or
// dropCarrier()) ends the call with "NO CARRIER" and command state.
// The program closing its port (DTR falling) ends any call and resets the modem, as AT&D3 does.
class EmulatedModem : public Device
{
    Q_OBJECT

public:
    enum class Outcome { Connect, Busy, NoDialtone, NoCarrier, NoAnswer, None };

    struct Options
    {
        Outcome dial = Outcome::Connect;
        bool numeric = false;       // start (and reset) with numeric result codes, as after ATV0
        bool neverOk = false;       // fault: never say "OK" (every other result is said)
        int results = 4;            // the result set at start and reset, as after ATX<n>
        bool quiet = false;         // start (and reset) saying no results, as after ATQ1
        bool informational = false; // start (and reset) as after ATW1
        int ringMs = 6000;          // from the end of the dial string to the outcome
        int commaMs = 2000;         // each comma of the dial string
        int guardMs = 1000;         // S12: the silence around "+++"
        int hangUpMs = 300;         // how long "ATH" takes
        int resetMs = 500;          // how long "ATZ" takes
        int dropAfterReplies = 0;   // the carrier fails after the far end's n-th reply of a call (0: never)
        int dropAfterMs = 0;        // the carrier fails this long after CONNECT (0: never)
        bool lenient = false;       // no wire time: characters count as arriving when they are written
        double timeScale = 1;       // every pause of the modem, and the wire, runs this many times faster
    };

    // The far end is not owned; it must outlive the modem.
    EmulatedModem(Device *farEnd, const Options &options, QObject *parent = nullptr);

    void receive(const QByteArray &bytes) override;
    void lineUp() override;
    void portClosed() override;

    // The carrier fails now: a call that is up ends with "NO CARRIER".
    void dropCarrier();

    // Read at each step that uses them, so a test may change them between calls.
    Options options;

    enum class State { Command, Dialing, OnLine };
    State state() const { return state_; }
    bool callUp() const { return callUp_; }

private:
    struct Character
    {
        char c;
        qint64 start; // on the modem's clock, ns
        qint64 end;
    };

    qint64 now() const;
    void takeArrived(bool all = false);
    void take(const Character &ch);
    void commandByte(char c);
    void execute(const QByteArray &line);
    void onLineByte(const Character &ch);
    void passOn(const QByteArray &bytes);
    void dial(QByteArrayView number);
    void dialDone();
    void goOnLine();
    void escapeConfirmed();
    void endCall();
    void reset();
    void answer(const QList<int> &codes, int latencyMs);
    void result(int code);
    int reported(int code) const;
    int realMs(qint64 modemNs) const;
    int scaled(int ms) const;

    Device *farEnd_;
    State state_ = State::Command;
    bool callUp_ = false;
    bool echo_ = true;
    bool verbose_ = true;
    bool quiet_ = false;
    bool informational_ = false;
    int resultSet_ = 4;
    QByteArray line_;
    QElapsedTimer clock_;
    QList<Character> arriving_; // written by the program, still on the wire or waiting for a busy command
    qint64 wireFree_ = 0;       // when the last character written has fully arrived
    qint64 lastEnd_ = 0;        // the end of the last character taken on line (or of going on line)
    QTimer wireTimer_;
    QTimer dialTimer_;
    QTimer escapeTimer_;
    qint64 escapeAt_ = 0;
    int pluses_ = 0;
    QTimer busyTimer_; // a command still at work; its results wait in pending_
    QList<int> pending_;
    QTimer carrierTimer_;
    int replies_ = 0;
};
