// Prints what reading the modem's answers costs over a long wait: 32 KB arriving in small pieces, scanned
// after every arrival, by the incremental scanner and by a scan of everything received so far.
#include "Report.h"
#include "link/ModemScan.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <vector>

namespace {

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

template <typename F>
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
        const QLocale english(QLocale::English);
        Report::row(QStringLiteral("Modem wait's line scan over 32 KB, %1 an arrival (%2 arrivals)")
                        .arg(piece == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(piece),
                             english.toString(qlonglong(pieces.size()))),
                    QStringLiteral("%1 µs incremental; %2 µs re-scanning everything at each arrival")
                        .arg(english.toString(qlonglong(incremental)), english.toString(qlonglong(rescan))));
    }
    return 0;
}
