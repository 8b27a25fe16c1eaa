// Prints what reading the modem's answers costs over a long wait: 32 KB arriving in small pieces, scanned
// after every arrival, by the incremental scanner and by a scan of everything received so far.
#include "link/ModemScan.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

QTextStream out(stdout);
// Where the lines go, so that the scans are not optimised away.
volatile qsizetype sink = 0;

constexpr qsizetype Total = 32 * 1024;

// What a chattering line sends: words and line ends, in pieces of a few characters as a 2400-baud line
// delivers them between polls.
std::vector<QByteArray> arrivals(qsizetype piece)
{
    const QByteArray pattern = QByteArrayLiteral("\r\nRING\r\n\r\nNO CARRIER\r\nline noise without an end ");
    QByteArray all;
    while (all.size() < Total)
        all += pattern;
    all.truncate(Total);
    std::vector<QByteArray> pieces;
    for (qsizetype at = 0; at < all.size(); at += piece)
        pieces.push_back(all.mid(at, piece));
    return pieces;
}

template<typename F>
double bestMicroseconds(int runs, F run)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        run();
        best = std::min(best, clock.nsecsElapsed() / 1000.0);
    }
    return best;
}

} // namespace

int main()
{
    for (const qsizetype piece : {1, 8, 64}) {
        const std::vector<QByteArray> pieces = arrivals(piece);
        const double incremental = bestMicroseconds(20, [&] {
            ModemScan::Scanner scanner;
            for (const QByteArray &p : pieces) {
                scanner.append(p);
                sink = sink + scanner.line().size();
            }
        });
        const double rescan = bestMicroseconds(piece == 1 ? 1 : 3, [&] {
            QByteArray received;
            for (const QByteArray &p : pieces) {
                received += p;
                sink = sink + ModemScan::modemLine(received).size();
            }
        });
        out << "32 KB in pieces of " << piece << " (" << pieces.size() << " arrivals): incremental "
            << QString::number(incremental, 'f', 0) << " µs, re-scan of everything "
            << QString::number(rescan, 'f', 0) << " µs\n"
            << Qt::flush;
    }
    return 0;
}
