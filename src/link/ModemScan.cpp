#include "ModemScan.h"

#include <algorithm>
#include <array>

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Index of the last CR or LF in `text`, or -1.
qsizetype lastLineEnd(QByteArrayView text)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (isLineEnd(text[i]))
            return i;
    return -1;
}

} // namespace

QByteArray ModemScan::modemLine(QByteArrayView received)
{
    QByteArray line;
    for (qsizetype i = 0; i < received.size() - 2; ++i) {
        if (isLineEnd(received[i]))
            line.clear();
        else
            line += received[i];
    }
    return line;
}

void ModemScan::Scanner::clear()
{
    *this = Scanner();
}

void ModemScan::Scanner::append(QByteArrayView chunk)
{
    m_received += chunk.size();
    const qsizetype total = m_unscanned.size() + chunk.size();
    if (total <= 2) {
        m_unscanned += chunk;
        return;
    }
    // Everything but the last two characters of (unscanned + chunk) is scanned now.
    const qsizetype scanCount = total - 2;
    const QByteArrayView pending(m_unscanned);
    const qsizetype fromPending = std::min(scanCount, pending.size());
    scan(pending.first(fromPending));
    scan(chunk.first(scanCount - fromPending));

    QByteArray rest = pending.sliced(fromPending).toByteArray();
    rest += chunk.sliced(scanCount - fromPending);
    m_unscanned = rest;
}

void ModemScan::Scanner::scan(QByteArrayView text)
{
    const qsizetype end = lastLineEnd(text);
    if (end >= 0) {
        m_line.clear();
        m_cut = false;
        text = text.sliced(end + 1);
    }
    extendLine(text);
}

void ModemScan::Scanner::extendLine(QByteArrayView piece)
{
    if (!m_cut && m_line.size() + piece.size() <= LineLimit) {
        m_line += piece;
        return;
    }
    // Keep the first and the last LineEdge characters of the whole line, the line so far being either all
    // of it or already its head, Join and tail.
    QByteArray head = m_line.left(LineEdge);
    const QByteArray before = m_cut ? m_line.sliced(LineEdge + Join.size()) : m_line;
    if (head.size() < LineEdge)
        head += piece.first(std::min(LineEdge - head.size(), piece.size()));
    head += Join;
    if (piece.size() >= LineEdge) {
        head += piece.last(LineEdge);
    } else {
        head += before.right(LineEdge - piece.size());
        head += piece;
    }
    m_line = head;
    m_cut = true;
}

bool ModemScan::beginsWithConnect(QByteArrayView line)
{
    return line.startsWith(Connect);
}

bool ModemScan::containsBusy(QByteArrayView line)
{
    return line.contains(Busy);
}

bool ModemScan::containsNoDialtone(QByteArrayView line)
{
    return line.contains(NoDialtone);
}

bool ModemScan::endsWithOk(QByteArrayView line)
{
    return line.endsWith(Ok);
}

ModemScan::DialOutcome ModemScan::dialOutcome(QByteArrayView line)
{
    if (beginsWithConnect(line))
        return {DialResult::Connected, Connect};
    if (containsBusy(line))
        return {DialResult::Busy, Busy};
    if (containsNoDialtone(line))
        return {DialResult::NoDialtone, NoDialtone};
    for (const QByteArrayView word : std::array{NoCarrier, NoAnswer, Error})
        if (line.contains(word))
            return {DialResult::Failed, word};
    return {};
}
