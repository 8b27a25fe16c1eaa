#include "TestMain.h"

#include "link/ModemScan.h"

#include <QRandomGenerator>

using ModemScan::DialResult;
using ModemScan::Scanner;

Q_DECLARE_METATYPE(ModemScan::DialResult)

namespace {

// The line the scanner promises for a line of any length: the whole line up to the limit, otherwise its
// first and last LineEdge characters with the join between them.
QByteArray keptForm(const QByteArray &line)
{
    if (line.size() <= Scanner::LineLimit)
        return line;
    return line.left(Scanner::LineEdge) + Scanner::Join.toByteArray() + line.right(Scanner::LineEdge);
}

// Random modem-like text: result words, letters, blanks and line ends, with lines now and then far longer
// than the limit.
QByteArray randomReceived(QRandomGenerator &random)
{
    static const QByteArrayList pieces{"CONNECT", "CONNECT 2400", "BUSY", "OK", "NO DIALTONE", "NO CARRIER",
                                       "ERROR",   "ATZ",          "x",    " ",  "3x5x2x1x0x"};
    const int lineEndPercent = random.bounded(2) ? 30 : 1; // some texts have almost no line ends
    const int length = random.bounded(900);
    QByteArray text;
    while (text.size() < length) {
        const int pick = random.bounded(100);
        if (pick < lineEndPercent)
            text += random.bounded(2) ? '\r' : '\n';
        else if (pick < lineEndPercent + 20)
            text += pieces.at(random.bounded(pieces.size()));
        else
            text += char('A' + random.bounded(26));
    }
    return text;
}

} // namespace

class tst_ModemScan : public QObject
{
    Q_OBJECT

private slots:
    void modemLine_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("line");

        QTest::newRow("CR LF OK CR LF") << QByteArrayLiteral("\r\nOK\r\n") << QByteArrayLiteral("OK");
        QTest::newRow("CONNECT with speed")
            << QByteArrayLiteral("\r\nCONNECT 2400\r\n") << QByteArrayLiteral("CONNECT 2400");
        QTest::newRow("BUSY before its line end") << QByteArrayLiteral("\r\nBUSY") << QByteArrayLiteral("BU");
        QTest::newRow("BUSY with its line end") << QByteArrayLiteral("\r\nBUSY\r\n") << QByteArrayLiteral("BUSY");
        QTest::newRow("OK alone") << QByteArrayLiteral("OK") << QByteArray();
        QTest::newRow("OK and CR") << QByteArrayLiteral("OK\r") << QByteArrayLiteral("O");
        QTest::newRow("echoed ATZ") << QByteArrayLiteral("ATZ\r\r\nOK\r\n") << QByteArrayLiteral("OK");
        QTest::newRow("two responses") << QByteArrayLiteral("\r\nOK\r\n\r\nCONNECT 9600\r\n")
                                       << QByteArrayLiteral("CONNECT 9600");
        QTest::newRow("processor reply's tail first")
            << QByteArrayLiteral("3x5x2x1x0xQ\r\nOK\r\n") << QByteArrayLiteral("OK");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("one character") << QByteArrayLiteral("O") << QByteArray();
        QTest::newRow("three characters") << QByteArrayLiteral("ABC") << QByteArrayLiteral("A");
        QTest::newRow("new line's first two unscanned") << QByteArrayLiteral("OK\r\nAT") << QByteArray();
        QTest::newRow("LF alone ends a line") << QByteArrayLiteral("RING\nOK\r\n") << QByteArrayLiteral("OK");
    }

    // The reference scan, and the scanner fed the same text whole and one character at a time.
    void modemLine()
    {
        QFETCH(QByteArray, received);
        QFETCH(QByteArray, line);

        QCOMPARE(ModemScan::modemLine(received), line);

        Scanner whole;
        whole.append(received);
        QCOMPARE(whole.line(), line);
        QCOMPARE(whole.received(), qint64(received.size()));

        Scanner byCharacter;
        for (char c : received)
            byCharacter.append(QByteArrayView(&c, 1));
        QCOMPARE(byCharacter.line(), line);
        QCOMPARE(byCharacter.received(), qint64(received.size()));
    }

    void busySeenOnceItsLineEndArrives()
    {
        Scanner scan;
        scan.append("\r\nBUSY");
        QCOMPARE(ModemScan::dialOutcome(scan.line()).result, DialResult::None);
        scan.append("\r\n");
        QCOMPARE(ModemScan::dialOutcome(scan.line()).result, DialResult::Busy);
    }

    void dialOutcome_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<DialResult>("result");
        QTest::addColumn<QByteArray>("word");

        QTest::newRow("CONNECT with speed")
            << QByteArrayLiteral("CONNECT 2400") << DialResult::Connected << QByteArrayLiteral("CONNECT");
        QTest::newRow("CONNECT alone") << QByteArrayLiteral("CONNECT") << DialResult::Connected
                                       << QByteArrayLiteral("CONNECT");
        QTest::newRow("CONNECT after other characters")
            << QByteArrayLiteral(" CONNECT 2400") << DialResult::None << QByteArray();
        QTest::newRow("connect in lower case") << QByteArrayLiteral("connect 2400") << DialResult::None << QByteArray();
        QTest::newRow("CONNEC cut short") << QByteArrayLiteral("CONNEC") << DialResult::None << QByteArray();
        QTest::newRow("BUSY") << QByteArrayLiteral("BUSY") << DialResult::Busy << QByteArrayLiteral("BUSY");
        QTest::newRow("BUSY among other words")
            << QByteArrayLiteral("LINE BUSY NOW") << DialResult::Busy << QByteArrayLiteral("BUSY");
        QTest::newRow("busy in lower case") << QByteArrayLiteral("busy") << DialResult::None << QByteArray();
        QTest::newRow("NO DIALTONE") << QByteArrayLiteral("NO DIALTONE") << DialResult::NoDialtone
                                     << QByteArrayLiteral("NO DIALTONE");
        QTest::newRow("CONNECT before BUSY")
            << QByteArrayLiteral("CONNECT BUSY") << DialResult::Connected << QByteArrayLiteral("CONNECT");
        QTest::newRow("BUSY before NO DIALTONE")
            << QByteArrayLiteral("NO DIALTONE BUSY") << DialResult::Busy << QByteArrayLiteral("BUSY");
        QTest::newRow("NO DIALTONE before ERROR")
            << QByteArrayLiteral("ERROR NO DIALTONE") << DialResult::NoDialtone << QByteArrayLiteral("NO DIALTONE");
        QTest::newRow("NO CARRIER") << QByteArrayLiteral("NO CARRIER") << DialResult::Failed
                                    << QByteArrayLiteral("NO CARRIER");
        QTest::newRow("NO ANSWER") << QByteArrayLiteral("NO ANSWER") << DialResult::Failed
                                   << QByteArrayLiteral("NO ANSWER");
        QTest::newRow("ERROR") << QByteArrayLiteral("ERROR") << DialResult::Failed << QByteArrayLiteral("ERROR");
        QTest::newRow("no carrier in lower case")
            << QByteArrayLiteral("no carrier") << DialResult::None << QByteArray();
        QTest::newRow("OK") << QByteArrayLiteral("OK") << DialResult::None << QByteArray();
        QTest::newRow("RING") << QByteArrayLiteral("RING") << DialResult::None << QByteArray();
        QTest::newRow("empty") << QByteArray() << DialResult::None << QByteArray();
    }

    void dialOutcome()
    {
        QFETCH(QByteArray, line);
        QFETCH(DialResult, result);
        QFETCH(QByteArray, word);

        const ModemScan::DialOutcome outcome = ModemScan::dialOutcome(line);
        QCOMPARE(outcome.result, result);
        QCOMPARE(outcome.word.toByteArray(), word);
    }

    void endsWithOk_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("ok");

        QTest::newRow("OK") << QByteArrayLiteral("OK") << true;
        QTest::newRow("ends in OK") << QByteArrayLiteral("3x5x2x1x0xOK") << true;
        QTest::newRow("ok in lower case") << QByteArrayLiteral("ok") << false;
        QTest::newRow("OK and a blank") << QByteArrayLiteral("OK ") << false;
        QTest::newRow("O") << QByteArrayLiteral("O") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void endsWithOk()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, ok);

        QCOMPARE(ModemScan::endsWithOk(line), ok);
    }

    // The scanner against the reference, after every chunk, over seeded random texts fed in random chunks.
    void scannerMatchesReference()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 300; ++round) {
            const QByteArray text = randomReceived(random);
            Scanner scan;
            qsizetype fed = 0;
            while (fed < text.size()) {
                const qsizetype size =
                    std::min<qsizetype>(text.size() - fed, random.bounded(8) ? random.bounded(6) : random.bounded(400));
                scan.append(QByteArrayView(text).sliced(fed, size));
                fed += size;

                const QByteArray reference = ModemScan::modemLine(QByteArrayView(text).first(fed));
                const QByteArray context = "round " + QByteArray::number(round) + " at " + QByteArray::number(fed);
                QVERIFY2(scan.line() == keptForm(reference), context.constData());
                QCOMPARE(scan.received(), qint64(fed));
                QVERIFY2(ModemScan::beginsWithConnect(scan.line()) == ModemScan::beginsWithConnect(reference),
                         context.constData());
                QVERIFY2(ModemScan::endsWithOk(scan.line()) == ModemScan::endsWithOk(reference), context.constData());
                QVERIFY(scan.keptSize() <= Scanner::LineLimit + Scanner::Join.size() + 2);
            }
        }
    }

    void clearStartsAgain()
    {
        Scanner scan;
        scan.append("\r\nBUSY\r\n");
        scan.clear();
        QCOMPARE(scan.line(), QByteArray());
        QCOMPARE(scan.received(), qint64(0));
        QCOMPARE(scan.keptSize(), 0);
        scan.append("OK"); // two characters: still nothing scanned, none of the old text left
        QCOMPARE(scan.line(), QByteArray());
        scan.append("\r\n");
        QCOMPARE(scan.line(), QByteArrayLiteral("OK"));
    }

    // A line longer than the limit is kept as its two ends; where they meet no word may appear that the line
    // never held.
    void keptEndsMakeUpNoWord_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("last");
        QTest::addColumn<int>("chunk");
        QTest::newRow("BU and SY, one chunk") << QByteArrayLiteral("BU") << QByteArrayLiteral("SY") << 0;
        QTest::newRow("BU and SY, one character at a time") << QByteArrayLiteral("BU") << QByteArrayLiteral("SY") << 1;
        QTest::newRow("BU and SY, chunks of 50") << QByteArrayLiteral("BU") << QByteArrayLiteral("SY") << 50;
        QTest::newRow("NO DIAL and TONE") << QByteArrayLiteral("NO DIAL") << QByteArrayLiteral("TONE") << 7;
        QTest::newRow("NO and CARRIER") << QByteArrayLiteral("NO") << QByteArrayLiteral(" CARRIER") << 3;
    }

    void keptEndsMakeUpNoWord()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, last);
        QFETCH(int, chunk);
        // The head ends in `first` and the tail begins with `last`, 200 filler characters apart.
        const QByteArray line = QByteArray(Scanner::LineEdge - first.size(), 'a') + first + QByteArray(200, 'b') + last
                                + QByteArray(Scanner::LineEdge - last.size(), 'c');
        const QByteArray received = "\r\n" + line + "\r\n";
        Scanner scan;
        for (qsizetype fed = 0; fed < received.size();) {
            const qsizetype size = chunk == 0 ? received.size() : std::min<qsizetype>(chunk, received.size() - fed);
            scan.append(QByteArrayView(received).sliced(fed, size));
            fed += size;
            QCOMPARE(ModemScan::dialOutcome(scan.line()).result, DialResult::None);
        }
        QCOMPARE(scan.line(), keptForm(line));
        QVERIFY(scan.line().startsWith(QByteArray(Scanner::LineEdge - first.size(), 'a') + first));
        QVERIFY(scan.line().endsWith(last + QByteArray(Scanner::LineEdge - last.size(), 'c')));
    }

    // A megabyte of line noise: the scanner holds a bounded amount, the count passes 32,768 without harm,
    // a line that began with CONNECT still counts, and the next real line is read whole.
    void floodKeepsMemoryBounded_data()
    {
        QTest::addColumn<bool>("withLineEnds");
        QTest::addColumn<bool>("oneChunk");

        QTest::newRow("no line ends, many chunks") << false << false;
        QTest::newRow("no line ends, one chunk") << false << true;
        QTest::newRow("with line ends, many chunks") << true << false;
    }

    void floodKeepsMemoryBounded()
    {
        QFETCH(bool, withLineEnds);
        QFETCH(bool, oneChunk);

        QByteArray flood;
        flood.reserve(1 << 20);
        for (int i = 0; flood.size() < (1 << 20); ++i)
            flood += (withLineEnds && i % 50 == 49) ? '\n' : char('A' + i % 26);

        const QByteArray lead = QByteArrayLiteral("\r\nCONNECT 2400 ");
        Scanner scan;
        scan.append(lead);
        if (oneChunk) {
            scan.append(flood);
        } else {
            QRandomGenerator random(7);
            for (qsizetype fed = 0; fed < flood.size();) {
                const qsizetype size = std::min<qsizetype>(flood.size() - fed, 1 + random.bounded(4096));
                scan.append(QByteArrayView(flood).sliced(fed, size));
                fed += size;
                QVERIFY(scan.keptSize() <= Scanner::LineLimit + Scanner::Join.size() + 2);
            }
        }
        QVERIFY(scan.keptSize() <= Scanner::LineLimit + Scanner::Join.size() + 2);
        QCOMPARE(scan.received(), qint64(lead.size() + flood.size()));
        QCOMPARE(ModemScan::beginsWithConnect(scan.line()), !withLineEnds);
        if (!withLineEnds)
            QCOMPARE(scan.line(), keptForm(lead.sliced(2) + flood.first(flood.size() - 2)));

        scan.append("\r\nNO CARRIER\r\n");
        QCOMPARE(scan.line(), QByteArrayLiteral("NO CARRIER"));
        QCOMPARE(ModemScan::dialOutcome(scan.line()).result, DialResult::Failed);
    }
};

SONARELLE_TEST_MAIN(tst_ModemScan)
#include "tst_ModemScan.moc"
