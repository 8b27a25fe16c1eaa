// The Telnet layer of RFC 2217 ports, fed a server's stream in chunks of any size. Two checks per input:
// - the input itself as the stream: whatever arrives, nothing breaks and the payload never grows past it;
// - the input as payload, sent the way a server sends it (IAC doubled) with Telnet commands between its pieces:
//   the payload that comes out is the payload that went in, whatever the chunks.
// The first byte sets the chunk sizes and which commands are mixed in.
#include "FuzzCheck.h"

#include "link/TelnetStream.h"

#include <cstddef>
#include <cstdint>

namespace {

// Commands a device server may put between payload bytes: none, NOP, a negotiation, a modem state notice, a
// line state notice with an IAC in its value.
const QByteArray Commands[] = {
    QByteArray(),
    QByteArray::fromHex("fff1"),
    QByteArray::fromHex("fffb03"),
    QByteArray::fromHex("fffa2c6bb0fff0"),
    QByteArray::fromHex("fffa2c6affff"
                        "fff0"),
};

QByteArray feed(QByteArrayView stream, qsizetype chunk)
{
    TelnetStream telnet;
    QByteArray payload;
    for (qsizetype at = 0; at < stream.size(); at += chunk) {
        telnet.receive(stream.sliced(at, std::min(chunk, stream.size() - at)));
        payload += telnet.takePayload();
        telnet.takeToPeer();
    }
    return payload;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const quint8 control = data[0];
    const QByteArrayView input(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const qsizetype chunk = 1 + control % 7;

    FUZZ_CHECK(feed(input, chunk).size() <= input.size());

    QByteArray stream;
    const QByteArray &command = Commands[(control >> 3) % std::size(Commands)];
    const qsizetype piece = 1 + (control >> 5);
    for (qsizetype at = 0; at < input.size(); at += piece) {
        QByteArray bytes = input.sliced(at, std::min(piece, input.size() - at)).toByteArray();
        stream += bytes.replace("\xff", "\xff\xff") + command;
    }
    FUZZ_CHECK(feed(stream, chunk) == input);
    return 0;
}
