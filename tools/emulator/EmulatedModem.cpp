#include "EmulatedModem.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

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
    : Device(parent), options(options), farEnd_(farEnd)
{
    for (QTimer *timer : {&wireTimer_, &dialTimer_, &escapeTimer_, &busyTimer_, &carrierTimer_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&wireTimer_, &QTimer::timeout, this, [this] { takeArrived(); });
    connect(&dialTimer_, &QTimer::timeout, this, &EmulatedModem::dialDone);
    connect(&escapeTimer_, &QTimer::timeout, this, &EmulatedModem::escapeConfirmed);
    connect(&busyTimer_, &QTimer::timeout, this, [this] {
        const QList<int> codes = std::exchange(pending_, {});
        for (int code : codes)
            result(code);
        takeArrived();
    });
    connect(&carrierTimer_, &QTimer::timeout, this, &EmulatedModem::dropCarrier);
    connect(farEnd_, &Device::send, this, [this](const QByteArray &bytes) {
        if (state_ != State::OnLine)
            return;
        emit send(bytes);
        if (this->options.dropAfterReplies > 0 && ++replies_ >= this->options.dropAfterReplies)
            dropCarrier();
    });
    connect(farEnd_, &Device::hangUp, this, &EmulatedModem::dropCarrier);
    clock_.start();
    reset();
}

void EmulatedModem::lineUp()
{
    arriving_.clear();
    wireTimer_.stop();
    reset();
}

void EmulatedModem::portClosed()
{
    // What the program wrote before it closed the port was on the wire before DTR fell.
    takeArrived(true);
    reset();
}

void EmulatedModem::dropCarrier()
{
    if (!callUp_)
        return;
    endCall();
    escapeTimer_.stop();
    pluses_ = 0;
    state_ = State::Command;
    result(NoCarrier);
}

qint64 EmulatedModem::now() const
{
    return qint64(double(clock_.nsecsElapsed()) * options.timeScale);
}

void EmulatedModem::receive(const QByteArray &bytes)
{
    const qint64 at = now();
    const qint64 charNs = options.lenient ? 0 : CharNs;
    for (char c : bytes) {
        const qint64 start = std::max(at, wireFree_);
        wireFree_ = start + charNs;
        arriving_.append({c, start, wireFree_});
    }
    takeArrived();
}

// Takes every character whose last bit has arrived (all of them when asked), unless a command is at work.
void EmulatedModem::takeArrived(bool all)
{
    while (!arriving_.isEmpty() && (all || !busyTimer_.isActive()) && (all || arriving_.first().end <= now()))
        take(arriving_.takeFirst());
    if (!arriving_.isEmpty() && !busyTimer_.isActive() && !all)
        wireTimer_.start(realMs(arriving_.first().end - now()));
}

void EmulatedModem::take(const Character &ch)
{
    // An escape whose silence after it has passed is complete, whether or not its timer has run yet.
    if (state_ == State::OnLine && pluses_ == 3 && ch.start >= escapeAt_)
        escapeConfirmed();
    switch (state_) {
    case State::Command: commandByte(ch.c); break;
    case State::Dialing:
        // A character from the line abandons the dial; it is not taken as a command.
        dialTimer_.stop();
        state_ = State::Command;
        result(NoCarrier);
        break;
    case State::OnLine: onLineByte(ch); break;
    }
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
        return answer({Error}, 0);
    const QByteArray text = line.sliced(start + 2).toUpper();
    QList<int> codes;
    int latency = 0;
    qsizetype at = 0;
    while (at < text.size()) {
        const char c = text[at++];
        switch (c) {
        case ' ': break;
        case 'E': echo_ = numberAt(text, at) != 0; break;
        case 'V': verbose_ = numberAt(text, at) != 0; break;
        case 'Q': quiet_ = numberAt(text, at) != 0; break;
        case 'W': informational_ = numberAt(text, at) != 0; break;
        case 'X': {
            const int set = numberAt(text, at);
            if (set > 4)
                return answer(codes << Error, latency);
            resultSet_ = set;
            break;
        }
        case 'H':
            numberAt(text, at);
            latency = std::max(latency, options.hangUpMs);
            if (callUp_) {
                endCall();
                codes << NoCarrier;
            }
            break;
        case 'Z':
            // The rest of the line goes with the settings it was written for.
            reset();
            return answer(codes << Ok, std::max(latency, options.resetMs));
        case 'L':
        case 'M':
        case 'I': numberAt(text, at); break;
        case 'S':
            numberAt(text, at);
            if (at >= text.size() || text[at] != '=')
                return answer(codes << Error, latency);
            ++at;
            numberAt(text, at);
            break;
        case '&':
        case '%':
            if (at >= text.size() || text[at] < 'A' || text[at] > 'Z')
                return answer(codes << Error, latency);
            ++at;
            numberAt(text, at);
            break;
        case 'O':
            if (!callUp_)
                return answer(codes << NoCarrier, latency);
            goOnLine();
            return answer(codes << Connect2400, latency);
        case 'D': answer(codes, latency); return dial(QByteArrayView(text).sliced(at));
        default: return answer(codes << Error, latency);
        }
    }
    answer(codes << Ok, latency);
}

// Says the results of a command once it has done its work; what arrives meanwhile waits.
void EmulatedModem::answer(const QList<int> &codes, int latencyMs)
{
    if (latencyMs <= 0) {
        for (int code : codes)
            result(code);
        return;
    }
    pending_ = codes;
    busyTimer_.start(scaled(latencyMs));
}

void EmulatedModem::onLineByte(const Character &ch)
{
    const qint64 silence = ch.start - lastEnd_;
    const qint64 guard = qint64(options.guardMs) * 1'000'000;
    lastEnd_ = ch.end;
    const bool first = pluses_ == 0 && silence >= guard;
    const bool next = pluses_ > 0 && pluses_ < 3 && silence < guard;
    if (ch.c == '+' && (first || next)) {
        // Held back until it is clear whether they are the escape.
        if (++pluses_ == 3) {
            escapeAt_ = ch.end + guard;
            escapeTimer_.start(realMs(escapeAt_ - now()));
        }
        return;
    }
    escapeTimer_.stop();
    QByteArray through(std::exchange(pluses_, 0), '+');
    // A "+" after a long silence may begin an escape of its own.
    if (ch.c == '+' && silence >= guard)
        pluses_ = 1;
    else
        through += ch.c;
    passOn(through);
}

void EmulatedModem::passOn(const QByteArray &bytes)
{
    if (!bytes.isEmpty())
        farEnd_->receive(bytes);
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
    if (code != Connect2400) {
        state_ = State::Command;
        return result(code);
    }
    callUp_ = true;
    replies_ = 0;
    farEnd_->lineUp();
    if (options.dropAfterMs > 0)
        carrierTimer_.start(scaled(options.dropAfterMs));
    goOnLine();
    if (informational_ && verbose_ && !quiet_)
        emit send(QByteArrayLiteral("\r\nCARRIER 2400\r\n\r\nPROTOCOL: NONE\r\n"));
    result(code);
}

void EmulatedModem::goOnLine()
{
    state_ = State::OnLine;
    pluses_ = 0;
    lastEnd_ = std::max(now(), wireFree_);
}

void EmulatedModem::escapeConfirmed()
{
    escapeTimer_.stop();
    if (state_ != State::OnLine || pluses_ != 3)
        return;
    pluses_ = 0;
    state_ = State::Command;
    result(Ok);
}

void EmulatedModem::endCall()
{
    callUp_ = false;
    carrierTimer_.stop();
    farEnd_->lineUp();
}

void EmulatedModem::reset()
{
    dialTimer_.stop();
    escapeTimer_.stop();
    busyTimer_.stop();
    pending_.clear();
    if (callUp_)
        endCall();
    state_ = State::Command;
    echo_ = true;
    verbose_ = !options.numeric;
    quiet_ = options.quiet;
    informational_ = options.informational;
    resultSet_ = std::clamp(options.results, 0, 4);
    line_.clear();
    pluses_ = 0;
}

void EmulatedModem::result(int code)
{
    if (quiet_ || (code == Ok && options.neverOk))
        return;
    code = reported(code);
    emit send(verbose_ ? "\r\n" + word(code) + "\r\n" : QByteArray::number(code) + '\r');
}

// What the result set says for a result.
int EmulatedModem::reported(int code) const
{
    switch (code) {
    case Connect2400: return resultSet_ == 0 ? Connect : Connect2400;
    case Busy: return resultSet_ >= 3 ? Busy : NoCarrier;
    case NoDialtone: return resultSet_ == 2 || resultSet_ == 4 ? NoDialtone : NoCarrier;
    case NoAnswer: return resultSet_ == 0 ? NoCarrier : NoAnswer;
    default: return code;
    }
}

// A span on the modem's clock as a timer interval in real milliseconds, rounded up.
int EmulatedModem::realMs(qint64 modemNs) const
{
    const double ms = std::ceil(double(std::max<qint64>(0, modemNs)) / options.timeScale / 1e6);
    return int(std::min(ms, double(std::numeric_limits<int>::max())));
}

int EmulatedModem::scaled(int ms) const
{
    return int(std::lround(ms / options.timeScale));
}
