#include "EmulatedProcessor.h"

#include <QRandomGenerator>
#include <QTimer>

namespace {
// Longer runs of bytes without an "x" are noise; they are not kept.
constexpr qsizetype MaxToken = 16;

bool isDigit(QByteArrayView t)
{
    return t.size() == 1 && t[0] >= '0' && t[0] <= '9';
}
} // namespace

EmulatedProcessor::EmulatedProcessor(QObject *parent) : Device(parent) {}

void EmulatedProcessor::receive(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (c == 'x') {
            token(QByteArrayView(token_).trimmed());
            token_.clear();
        } else if (token_.size() < MaxToken) {
            token_ += c;
        }
    }
}

void EmulatedProcessor::lineUp()
{
    commands_ = 0;
    token_.clear();
    write_ = Write::None;
}

QByteArray EmulatedProcessor::status() const
{
    QByteArray s;
    for (int v : {pp, pd, hq, lq, proof})
        s += QByteArray::number(v) + 'x';
    return s;
}

bool EmulatedProcessor::setStatus(QByteArrayView text)
{
    if (text.size() != 10)
        return false;
    for (int i = 0; i < 10; i += 2)
        if (!isDigit(text.sliced(i, 1)) || text[i + 1] != 'x')
            return false;
    pp = text[0] - '0';
    pd = text[2] - '0';
    hq = text[4] - '0';
    lq = text[6] - '0';
    proof = text[8] - '0';
    return true;
}

void EmulatedProcessor::token(QByteArrayView t)
{
    // Inside a write: "91" is followed by "8" and five single digits.
    if (write_ == Write::Announced) {
        write_ = t == "8" ? Write::Settings : Write::None;
        fields_.clear();
        if (write_ == Write::Settings)
            return;
    } else if (write_ == Write::Settings) {
        if (isDigit(t)) {
            fields_.append(t[0] - '0');
            if (fields_.size() < 5)
                return;
            write_ = Write::None;
            pp = fields_[0];
            pd = fields_[1];
            hq = fields_[2];
            lq = fields_[3];
            answer(status() + "\r\n");
            return;
        }
        write_ = Write::None; // a broken write; the token may still be a command of its own
    }

    if (t == "90") {
        answer(status() + "\r\n");
    } else if (t == "91") {
        write_ = Write::Announced;
    } else if (t == "777") {
        answer({});
    } else if (t == "92" || t == "93") {
        if (!faults.proofStuck)
            proof = t == "92" ? 1 : 0;
        answer(status() + "\r\n");
    }
}

void EmulatedProcessor::answer(QByteArray reply)
{
    ++commands_;
    const bool last = faults.hangUpAfter > 0 && commands_ == faults.hangUpAfter;
    if (faults.silent)
        reply.clear();
    if (faults.cutTo >= 0)
        reply.truncate(faults.cutTo);
    if (!reply.isEmpty() && faults.noise > 0) {
        QRandomGenerator random(noiseSeed_++);
        QByteArray noise(faults.noise, '\0');
        for (char &c : noise)
            c = char(random.bounded(256));
        reply.prepend(noise);
    }
    auto deliver = [this, reply, last] {
        if (!reply.isEmpty())
            emit send(reply);
        if (last)
            emit hangUp();
    };
    if (faults.delayMs > 0)
        QTimer::singleShot(faults.delayMs, this, deliver);
    else
        deliver();
}
