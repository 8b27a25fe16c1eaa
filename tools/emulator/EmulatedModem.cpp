#include "EmulatedModem.h"

#include <algorithm>
#include <cmath>

namespace {

// Result codes, as numbers (ATV0) and words.
enum Code { Ok = 0, Connect = 1, NoCarrier = 3, Error = 4, NoDialtone = 6, Busy = 7, NoAnswer = 8, Connect2400 = 10 };

QByteArray word(int code)
{
    switch (code) {
    case Ok: return QByteArrayLiteral("OK");
    case Connect: return QByteArrayLiteral("CONNECT");
    case NoCarrier: return QByteArrayLiteral("NO CARRIER");
    case Error: return QByteArrayLiteral("ERROR");
    case NoDialtone: return QByteArrayLiteral("NO DIALTONE");
    case Busy: return QByteArrayLiteral("BUSY");
    case NoAnswer: return QByteArrayLiteral("NO ANSWER");
    default: return QByteArrayLiteral("CONNECT 2400");
    }
}

int outcomeCode(EmulatedModem::Outcome outcome)
{
    switch (outcome) {
    case EmulatedModem::Outcome::Connect: return Connect2400;
    case EmulatedModem::Outcome::Busy: return Busy;
    case EmulatedModem::Outcome::NoDialtone: return NoDialtone;
    case EmulatedModem::Outcome::NoCarrier: return NoCarrier;
    case EmulatedModem::Outcome::NoAnswer: return NoAnswer;
    case EmulatedModem::Outcome::None: break;
    }
    return -1;
}

// A command line longer than this is not taken (a real modem's buffer is about as long).
constexpr qsizetype MaxLine = 255;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the digits at `at` (none is 0) and moves past them.
int numberAt(QByteArrayView text, qsizetype &at)
{
    int n = 0;
    while (at < text.size() && isDigit(text[at]))
        n = std::min(n * 10 + (text[at++] - '0'), 9999);
    return n;
}

bool isDialCharacter(char c)
{
    return isDigit(c) || QByteArrayView("*#,TPW@!;ABCD-()").contains(c);
}

} // namespace

EmulatedModem::EmulatedModem(Device *farEnd, const Options &options, QObject *parent)
    : Device(parent), options(options), farEnd_(farEnd), verbose_(!options.numeric)
{
    dialTimer_.setSingleShot(true);
    guardTimer_.setSingleShot(true);
    connect(&dialTimer_, &QTimer::timeout, this, &EmulatedModem::dialDone);
    connect(&guardTimer_, &QTimer::timeout, this, &EmulatedModem::escapeConfirmed);
    connect(farEnd_, &Device::send, this, [this](const QByteArray &bytes) {
        if (state_ == State::OnLine)
            emit send(bytes);
    });
    connect(farEnd_, &Device::hangUp, this, [this] {
        if (!callUp_)
            return;
        endCall();
        state_ = State::Command;
        result(NoCarrier);
    });
    sinceLastByte_.start();
}

void EmulatedModem::lineUp()
{
    reset();
}

void EmulatedModem::receive(const QByteArray &bytes)
{
    switch (state_) {
    case State::Command:
        for (char c : bytes)
            commandByte(c);
        break;
    case State::Dialing:
        // A character from the line abandons the dial; the rest of it is not taken as a command.
        dialTimer_.stop();
        state_ = State::Command;
        result(NoCarrier);
        break;
    case State::OnLine: onLineBytes(bytes); break;
    }
    sinceLastByte_.restart();
}

void EmulatedModem::commandByte(char c)
{
    if (echo_)
        emit send(QByteArray(1, c));
    if (c == '\r') {
        const QByteArray line = line_;
        line_.clear();
        execute(line);
    } else if (c == '\b') {
        line_.chop(1);
    } else if (c != '\n' && line_.size() <= MaxLine) {
        line_ += c;
    }
}

void EmulatedModem::execute(const QByteArray &line)
{
    const qsizetype start = line.toUpper().indexOf("AT");
    if (start < 0)
        return; // not a command: a modem says nothing to it
    if (line.size() > MaxLine)
        return result(Error);
    const QByteArray text = line.sliced(start + 2).toUpper();
    qsizetype at = 0;
    while (at < text.size()) {
        const char c = text[at++];
        switch (c) {
        case ' ': break;
        case 'E': echo_ = numberAt(text, at) != 0; break;
        case 'V': verbose_ = numberAt(text, at) != 0; break;
        case 'H':
            numberAt(text, at);
            if (callUp_)
                endCall();
            break;
        case 'Z':
            numberAt(text, at);
            reset();
            break;
        case 'L':
        case 'M':
        case 'Q':
        case 'X':
        case 'I': numberAt(text, at); break;
        case 'S':
            numberAt(text, at);
            if (at >= text.size() || text[at] != '=')
                return result(Error);
            ++at;
            numberAt(text, at);
            break;
        case '&':
        case '%':
            if (at >= text.size() || text[at] < 'A' || text[at] > 'Z')
                return result(Error);
            ++at;
            numberAt(text, at);
            break;
        case 'O':
            if (!callUp_)
                return result(NoCarrier);
            state_ = State::OnLine;
            return result(Connect2400);
        case 'D': return dial(QByteArrayView(text).sliced(at));
        default: return result(Error);
        }
    }
    result(Ok);
}

void EmulatedModem::dial(QByteArrayView number)
{
    if (callUp_)
        return result(Error);
    int commas = 0;
    for (char c : number) {
        if (c == ' ')
            continue;
        if (!isDialCharacter(c))
            return result(Error);
        commas += c == ',';
    }
    state_ = State::Dialing;
    dialTimer_.start(scaled(commas * options.commaMs + options.ringMs));
}

void EmulatedModem::dialDone()
{
    const int code = outcomeCode(options.dial);
    if (code < 0)
        return; // the modem says nothing, and keeps dialing until the line makes it stop
    state_ = code == Connect2400 ? State::OnLine : State::Command;
    if (state_ == State::OnLine) {
        callUp_ = true;
        farEnd_->lineUp();
    }
    result(code);
}

void EmulatedModem::onLineBytes(const QByteArray &bytes)
{
    QByteArray through;
    // The silence before the escape counts from the last byte, which may be earlier in this same chunk.
    bool silenceBefore = sinceLastByte_.elapsed() >= scaled(options.guardMs);
    for (char c : bytes) {
        const bool escapeGoesOn = c == '+' && pluses_ < 3 && (pluses_ > 0 || silenceBefore);
        silenceBefore = false;
        if (escapeGoesOn) {
            ++pluses_; // held back until it is clear whether they are the escape
            continue;
        }
        through += QByteArray(pluses_, '+') + c;
        pluses_ = 0;
    }
    if (pluses_ == 3)
        guardTimer_.start(scaled(options.guardMs));
    else
        guardTimer_.stop();
    if (!through.isEmpty())
        farEnd_->receive(through);
}

void EmulatedModem::escapeConfirmed()
{
    if (state_ != State::OnLine || pluses_ != 3)
        return;
    pluses_ = 0;
    state_ = State::Command;
    result(Ok);
}

void EmulatedModem::endCall()
{
    callUp_ = false;
    farEnd_->lineUp();
}

void EmulatedModem::reset()
{
    dialTimer_.stop();
    guardTimer_.stop();
    if (callUp_)
        endCall();
    state_ = State::Command;
    echo_ = true;
    verbose_ = !options.numeric;
    line_.clear();
    pluses_ = 0;
}

void EmulatedModem::result(int code)
{
    if (code == Ok && options.neverOk)
        return;
    emit send(verbose_ ? "\r\n" + word(code) + "\r\n" : QByteArray::number(code) + '\r');
}

int EmulatedModem::scaled(int ms) const
{
    return int(std::lround(ms / options.timeScale));
}
