#pragma once

#include "Device.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>

// A Hayes-compatible modem in front of another device (the processor at the far end of the call).
//
// Command state: a line that begins with "AT" (any case) and ends in CR is carried out; with echo on (until
// "ATE0") every character is echoed as it comes. Results are framed CR LF word CR LF, or as numbers followed
// by CR after "ATV0". "E", "H", "L", "M", "Q", "V", "X", "Z", "O", "S" registers and the "&" and "%" commands
// are understood; anything else gives "ERROR". "ATD" (T or P) dials: each comma pauses, then the chosen
// outcome; any character from the line during the dial abandons it with "NO CARRIER".
// On line: every byte passes through both ways, except "+++" with a guard silence before and after, which
// returns to command state with "OK" while the call stays up ("ATO" goes back on line, "ATH" or "ATZ" end
// the call). The far end hanging up ends the call with "NO CARRIER".
class EmulatedModem : public Device
{
    Q_OBJECT

public:
    enum class Outcome { Connect, Busy, NoDialtone, NoCarrier, NoAnswer, None };

    struct Options
    {
        Outcome dial = Outcome::Connect;
        bool numeric = false; // start (and reset) with numeric result codes, as after ATV0
        bool neverOk = false; // fault: never say "OK" (every other result is said)
        int ringMs = 6000;    // from the end of the dial string to the outcome
        int commaMs = 2000;   // each comma of the dial string
        int guardMs = 1000;   // the silence around "+++"
        double timeScale = 1; // every pause of the modem runs this many times faster
    };

    // The far end is not owned; it must outlive the modem.
    EmulatedModem(Device *farEnd, const Options &options, QObject *parent = nullptr);

    void receive(const QByteArray &bytes) override;
    void lineUp() override;

    // Read at each step that uses them, so a test may change them between calls.
    Options options;

    enum class State { Command, Dialing, OnLine };
    State state() const { return state_; }
    bool callUp() const { return callUp_; }

private:
    void commandByte(char c);
    void execute(const QByteArray &line);
    void onLineBytes(const QByteArray &bytes);
    void dial(QByteArrayView number);
    void dialDone();
    void escapeConfirmed();
    void endCall();
    void reset();
    void result(int code);
    int scaled(int ms) const;

    Device *farEnd_;
    State state_ = State::Command;
    bool callUp_ = false;
    bool echo_ = true;
    bool verbose_ = true;
    QByteArray line_;
    QTimer dialTimer_;
    QTimer guardTimer_;
    QElapsedTimer sinceLastByte_;
    int pluses_ = 0;
};
