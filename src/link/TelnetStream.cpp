#include "TelnetStream.h"

#include <libtelnet.h>

#include <utility>

namespace {

// RFC 2217: the option, and the codes a client sends; the server answers with the code plus 100.
constexpr unsigned char ComPortOption = 44;
enum Code : quint8 {
    SetBaudRate = 1,
    SetDataSize = 2,
    SetParity = 3,
    SetStopSize = 4,
    SetControl = 5,
    NotifyModemState = 7,
    PurgeData = 12,
    ServerOffset = 100,
};
enum ControlValue : quint8 { NoFlowControl = 1, DtrOn = 8, RtsOn = 11 };
constexpr quint8 PurgeServerReceived = 1;

// Binary transmission both ways, so that no byte of the payload is taken for end-of-line; SGA is what every
// server expects; COM-PORT-OPTION only from our side.
const telnet_telopt_t Options[] = {
    {TELNET_TELOPT_BINARY, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {ComPortOption, TELNET_WILL, TELNET_DONT},
    {-1, 0, 0},
};

quint8 parityValue(QSerialPort::Parity parity)
{
    switch (parity) {
    case QSerialPort::OddParity: return 2;
    case QSerialPort::EvenParity: return 3;
    case QSerialPort::MarkParity: return 4;
    case QSerialPort::SpaceParity: return 5;
    case QSerialPort::NoParity: break;
    }
    return 1;
}

quint8 stopValue(QSerialPort::StopBits stop)
{
    switch (stop) {
    case QSerialPort::TwoStop: return 2;
    case QSerialPort::OneAndHalfStop: return 3;
    case QSerialPort::OneStop: break;
    }
    return 1;
}

} // namespace

TelnetStream::TelnetStream()
    : telnet_(telnet_init(Options, &TelnetStream::onEvent, 0, this)),
      observer_(telnet_init(nullptr, &TelnetStream::onObserved, TELNET_FLAG_PROXY, this))
{
    telnet_negotiate(telnet_, TELNET_WILL, TELNET_TELOPT_BINARY);
    telnet_negotiate(telnet_, TELNET_DO, TELNET_TELOPT_BINARY);
    telnet_negotiate(telnet_, TELNET_WILL, ComPortOption);
}

TelnetStream::~TelnetStream()
{
    telnet_free(observer_);
    telnet_free(telnet_);
}

void TelnetStream::receive(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    telnet_recv(observer_, bytes.data(), size_t(bytes.size()));
    telnet_recv(telnet_, bytes.data(), size_t(bytes.size()));
}

void TelnetStream::send(QByteArrayView payload)
{
    if (!payload.isEmpty())
        telnet_send(telnet_, payload.data(), size_t(payload.size()));
}

void TelnetStream::setLine(const LineSettings &settings)
{
    const auto message = [this](quint8 code, QByteArray value) {
        value.prepend(char(code));
        telnet_subnegotiation(telnet_, ComPortOption, value.constData(), size_t(value.size()));
    };
    const quint32 baud = quint32(settings.baudRate);
    const char baudBytes[] = {char(baud >> 24), char(baud >> 16), char(baud >> 8), char(baud)};
    message(SetBaudRate, QByteArray(baudBytes, sizeof baudBytes));
    message(SetDataSize, QByteArray(1, char(settings.dataBits)));
    message(SetParity, QByteArray(1, char(parityValue(settings.parity))));
    message(SetStopSize, QByteArray(1, char(stopValue(settings.stopBits))));
    message(SetControl, QByteArray(1, char(NoFlowControl)));
    message(SetControl, QByteArray(1, char(DtrOn)));
    message(SetControl, QByteArray(1, char(RtsOn)));
    message(PurgeData, QByteArray(1, char(PurgeServerReceived)));
}

bool TelnetStream::lineSet() const
{
    constexpr quint32 All = 1u << SetBaudRate | 1u << SetDataSize | 1u << SetParity | 1u << SetStopSize
                            | 1u << SetControl | 1u << PurgeData;
    return (answered_ & All) == All;
}

QByteArray TelnetStream::takePayload()
{
    return std::exchange(payload_, {});
}

QByteArray TelnetStream::takeToPeer()
{
    return std::exchange(toPeer_, {});
}

void TelnetStream::onEvent(telnet_t *, telnet_event_t *event, void *self)
{
    static_cast<TelnetStream *>(self)->event(*event);
}

void TelnetStream::onObserved(telnet_t *, telnet_event_t *event, void *self)
{
    auto *stream = static_cast<TelnetStream *>(self);
    if ((event->type == TELNET_EV_DO || event->type == TELNET_EV_DONT) && event->neg.telopt == ComPortOption
        && stream->comPort_ == ComPort::Asked)
        stream->comPort_ = event->type == TELNET_EV_DO ? ComPort::Accepted : ComPort::Refused;
}

void TelnetStream::event(const telnet_event_t &event)
{
    switch (event.type) {
    case TELNET_EV_DATA: payload_.append(event.data.buffer, qsizetype(event.data.size)); break;
    case TELNET_EV_SEND: toPeer_.append(event.data.buffer, qsizetype(event.data.size)); break;
    case TELNET_EV_SUBNEGOTIATION:
        if (event.sub.telopt == ComPortOption && event.sub.size > 0)
            comPortMessage(quint8(event.sub.buffer[0]),
                           QByteArrayView(event.sub.buffer + 1, qsizetype(event.sub.size - 1)));
        break;
    default:
        // Other commands, warnings and errors of the stream carry nothing for us; libtelnet has already answered
        // any request for an option we do not support.
        break;
    }
}

void TelnetStream::comPortMessage(quint8 code, QByteArrayView value)
{
    if (code == ServerOffset + NotifyModemState) {
        if (!value.isEmpty())
            modemState_ = quint8(value.front());
    } else if (code > ServerOffset && code <= ServerOffset + PurgeData) {
        answered_ |= 1u << (code - ServerOffset);
    }
}
