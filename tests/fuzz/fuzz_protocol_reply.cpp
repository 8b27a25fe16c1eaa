// The processor's reply: the parse of the five values, the echo test of a settings write and the proof tests.
// The first five bytes choose the four values of the settings string looked for and the proof state wanted;
// the rest is what came back over the line.
#include "FuzzCheck.h"

#include "processor/Protocol.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// The value at a 1-based position as the protocol defines it, worked out on its own.
qint16 expectedDigit(std::string_view text, size_t position)
{
    if (position > text.size())
        return 0;
    const char c = text[position - 1];
    return (c >= '0' && c <= '9') ? qint16(c - '0') : qint16(0);
}

// A control byte as a value: mostly 0 to 9 as the panel sends them, sometimes any signed byte.
qint16 valueOf(uint8_t byte)
{
    return (byte & 0x80) ? qint16(int8_t(byte << 1) >> 1) : qint16(byte % 10);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    uint8_t control[5] = {};
    const size_t controlSize = std::min<size_t>(size, 5);
    std::copy_n(data, controlSize, control);
    const std::string_view text(reinterpret_cast<const char *>(data) + controlSize, size - controlSize);
    const QByteArrayView received(text.data(), qsizetype(text.size()));

    // Every value is the digit at its position, or 0.
    const Protocol::Reply reply = Protocol::parseReply(received);
    const qint16 values[] = {reply.PP, reply.PD, reply.HQ, reply.LQ, reply.Proof};
    for (size_t i = 0; i < 5; ++i) {
        FUZZ_CHECK(values[i] >= 0 && values[i] <= 9);
        FUZZ_CHECK(values[i] == expectedDigit(text, 2 * i + 1));
    }

    // The echo test finds the settings string exactly where a plain search does.
    const qint16 pp = valueOf(control[0]), pd = valueOf(control[1]), hq = valueOf(control[2]), lq = valueOf(control[3]);
    const QByteArray settings = Protocol::settingsString(pp, pd, hq, lq);
    const bool echoed = Protocol::echoFound(received, settings);
    FUZZ_CHECK(
        echoed
        == (text.find(std::string_view(settings.constData(), size_t(settings.size()))) != std::string_view::npos));
    // Always true of the processor's echo of what was sent, and of the received text itself.
    FUZZ_CHECK(Protocol::echoFound(settings, settings));
    FUZZ_CHECK(Protocol::echoFound(received, received));
    // A settings string of single digits reads back as its own values, with proof off.
    const bool singleDigits = pp >= 0 && pp <= 9 && pd >= 0 && pd <= 9 && hq >= 0 && hq <= 9 && lq >= 0 && lq <= 9;
    if (singleDigits) {
        FUZZ_CHECK(Protocol::parseReply(settings) == (Protocol::Reply{pp, pd, hq, lq, 0}));
        // An echo found at the start of the reply is what the parse reads.
        if (echoed && text.substr(0, size_t(settings.size())) == settings.constData())
            FUZZ_CHECK(reply == (Protocol::Reply{pp, pd, hq, lq, 0}));
    }

    // The proof tests agree with the parse, and a report needs eleven characters with the state at 9.
    const qint16 wanted = valueOf(control[4]);
    for (const qint16 w : {wanted, qint16(0), qint16(1)}) {
        const bool passes = Protocol::proofTestPasses(received, w);
        FUZZ_CHECK(passes == (reply.Proof == w));
        const bool report = Protocol::proofReportFound(received, w);
        FUZZ_CHECK(report == (passes && text.size() >= 11 && text[8] >= '0' && text[8] <= '9'));
        if (report)
            FUZZ_CHECK(text[8] == char('0' + w));
    }
    FUZZ_CHECK(Protocol::replyArrived(qsizetype(text.size())) == (text.size() > 10));
    return 0;
}
