#pragma once

#include "LineSettings.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

struct telnet_t;
union telnet_event_t;

// The client side of a Telnet connection to a serial device server, with the COM port control of RFC 2217 on
// top: libtelnet parses what arrives and does the option negotiation; this class only builds the RFC 2217
// messages and keeps what they told. It moves no bytes itself: what is received is fed in, and the payload and
// the bytes for the peer are taken out, so that it can be tested and fuzzed without a socket.
class TelnetStream
{
public:
    // What the server said to COM-PORT-OPTION.
    enum class ComPort { Asked, Accepted, Refused };

    // Asks the server for binary transmission both ways and for COM-PORT-OPTION.
    TelnetStream();
    ~TelnetStream();
    TelnetStream(const TelnetStream &) = delete;
    TelnetStream &operator=(const TelnetStream &) = delete;

    // Feeds bytes received from the server, in chunks of any size.
    void receive(QByteArrayView bytes);
    // Queues payload for the server (an IAC in it is doubled).
    void send(QByteArrayView payload);
    // Queues the RFC 2217 messages that set the line (baud rate, data size, parity, stop size, no flow control),
    // raise DTR and RTS, and purge what the server holds from the line; once COM-PORT-OPTION is accepted.
    void setLine(const LineSettings &settings);

    // The payload received so far, without Telnet commands; taking it empties it.
    QByteArray takePayload();
    // The bytes waiting to go to the server; taking them empties the queue.
    QByteArray takeToPeer();

    ComPort comPort() const { return comPort_; }
    // True once the server has answered each kind of message that setLine() sends (a server need not answer
    // every one, nor in order: a control it cannot apply, DTR on a line without modem lines, may go unanswered).
    bool lineSet() const;
    // The last modem state the server notified (RFC 2217 bits: 0x80 is DCD), none before the first.
    std::optional<quint8> modemState() const { return modemState_; }

private:
    static void onEvent(telnet_t *telnet, telnet_event_t *event, void *self);
    static void onObserved(telnet_t *telnet, telnet_event_t *event, void *self);
    void event(const telnet_event_t &event);
    void comPortMessage(quint8 code, QByteArrayView value);

    telnet_t *telnet_;
    // Sees the same stream without negotiating: the negotiating side reports a server's DO or DONT only when it
    // changes an option's state, and a refusal of what we asked for changes nothing.
    telnet_t *observer_;
    QByteArray payload_;
    QByteArray toPeer_;
    ComPort comPort_ = ComPort::Asked;
    quint32 answered_ = 0; // bit n: the server answered code n
    std::optional<quint8> modemState_;
};
