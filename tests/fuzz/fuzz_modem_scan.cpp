// The modem line scan, fed the way a serial port hands over text: in chunks of any size. The input is a run
// of (length byte, chunk) pairs; a length byte of 0xFF clears the scanner instead, as each new wait does.
// After every chunk the scanner must agree with the reference scan of everything received so far.
#include "FuzzCheck.h"

#include "link/ModemScan.h"

#include <cstddef>
#include <cstdint>

namespace {

using ModemScan::Scanner;

void checkAgainstReference(const Scanner &scanner, const QByteArray &received)
{
    FUZZ_CHECK(scanner.received() == received.size());
    // Bounded however much arrives: the kept line and the two characters not yet scanned.
    FUZZ_CHECK(scanner.keptSize() <= Scanner::LineLimit + Scanner::Join.size() + 2);

    const QByteArray reference = ModemScan::modemLine(received);
    const QByteArray &line = scanner.line();
    if (reference.size() <= Scanner::LineLimit) {
        FUZZ_CHECK(line == reference);
    } else {
        // A longer line is kept as its two ends, parted by the join.
        FUZZ_CHECK(line
                   == reference.first(Scanner::LineEdge) + Scanner::Join.toByteArray()
                          + reference.last(Scanner::LineEdge));
        FUZZ_CHECK(ModemScan::beginsWithConnect(line) == ModemScan::beginsWithConnect(reference));
        FUZZ_CHECK(ModemScan::endsWithOk(line) == ModemScan::endsWithOk(reference));
    }

    const ModemScan::DialOutcome outcome = ModemScan::dialOutcome(line);
    FUZZ_CHECK((outcome.result == ModemScan::DialResult::None) == outcome.word.isEmpty());
    FUZZ_CHECK(line.contains(outcome.word));
    // The kept ends never make up a word that the line does not hold.
    FUZZ_CHECK(reference.contains(outcome.word));
    if (reference.size() <= Scanner::LineLimit) {
        const ModemScan::DialOutcome whole = ModemScan::dialOutcome(reference);
        FUZZ_CHECK(whole.result == outcome.result && whole.word == outcome.word);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    Scanner scanner;
    QByteArray received;
    size_t at = 0;
    while (at < size) {
        const uint8_t lengthByte = data[at++];
        if (lengthByte == 0xFF) {
            scanner.clear();
            received.clear();
            checkAgainstReference(scanner, received);
            continue;
        }
        // Mostly short chunks, as a port delivers them; bit 7 asks for a long one, to cross the line limit.
        size_t length = (lengthByte & 0x80) ? size_t(lengthByte & 0x7F) * 8 : size_t(lengthByte % 16);
        length = std::min(length, size - at);
        const QByteArrayView chunk(bytes + at, qsizetype(length));
        at += length;
        scanner.append(chunk);
        received += chunk;
        checkAgainstReference(scanner, received);
    }
    return 0;
}
