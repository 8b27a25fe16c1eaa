// The paces of the three processor exchanges, read off the line: every byte the program sends is stamped as
// it reaches the emulated processor, with the waits five times faster than real time (tst_*_realtime prove
// the real clock itself).
#include "WindowFixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPushButton>

namespace {

constexpr double ClockRate = 5;

// What the program put on the line, each byte with the time it arrived, in seconds of the program's clock.
struct StampedLine
{
    QByteArray bytes;
    QList<double> at;

    // The times at which each of the texts began on the line, taken in order.
    QList<double> timesOf(const QList<QByteArray> &texts) const
    {
        QList<double> times;
        qsizetype from = 0;
        for (const QByteArray &text : texts) {
            const qsizetype found = bytes.indexOf(text, from);
            if (found < 0)
                break;
            times << at[found];
            from = found + text.size();
        }
        return times;
    }
};

struct Expected
{
    double at;
    QByteArray text;
};

} // namespace

Q_DECLARE_METATYPE(QList<Expected>)

class tst_ExchangeTiming : public QObject
{
    Q_OBJECT

private slots:
    void paces_data()
    {
        QTest::addColumn<QString>("exchange");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<Expected>>("sent");
        QTest::addColumn<double>("end");

        QList<Expected> requests;
        for (int k = 0; k < 10; ++k)
            requests.append({2 + 1.5 * k, "90x"});
        QTest::newRow("status read, answered at once") << "status"
                                                       << "none" << QList<Expected>{{2, "90x"}} << 3.0;
        QTest::newRow("status read, no answer: 10 requests 1.5 s apart, gives up at 17 s")
            << "status"
            << "silent" << requests << 17.0;

        QList<Expected> writes;
        for (int k = 0; k < 10; ++k)
            writes.append({2.0 * k, "91x8x3x5x2x1x0x"});
        QTest::newRow("write, echoed: 777x after 1 s")
            << "write"
            << "none" << QList<Expected>{{0, "91x8x3x5x2x1x0x"}, {1, "777x"}} << 1.0;
        QTest::newRow("write, no echo: 2 s an attempt, gives up at 20 s") << "write"
                                                                          << "silent" << writes << 20.0;

        QList<Expected> switches;
        for (int k = 0; k < 5; ++k)
            switches.append({{3.0 * k, "92x"}, {3.0 * k + 1, "90x"}, {3.0 * k + 2, "90x"}});
        QTest::newRow("proof, answered at once: 1 s") << "proof"
                                                      << "none" << QList<Expected>{{0, "92x"}} << 1.0;
        QTest::newRow("proof, answered after one poll: 2 s")
            << "proof"
            << "silent until polled" << QList<Expected>{{0, "92x"}, {1, "90x"}} << 2.0;
        QTest::newRow("proof, no answer: 3 s an attempt, gives up at 15 s") << "proof"
                                                                            << "silent" << switches << 15.0;
    }

    void paces()
    {
        QFETCH(QString, exchange);
        QFETCH(QString, fault);
        QFETCH(QList<Expected>, sent);
        QFETCH(double, end);

        WindowFixture f;
        QVERIFY(f.line.started);
        EmulatedProcessor &p = f.line.processor;
        p.pp = 2, p.pd = 5, p.hq = 2, p.lq = 1, p.proof = 0;
        if (exchange != QLatin1String("status")) {
            f.window.cmdConnect->click();
            QCOMPARE(f.window.PP_Level, qint16(2));
        }
        // Each wait takes its length from the clock as it begins.
        Pacing::setTestClockRate(ClockRate);

        StampedLine line;
        QElapsedTimer clock;
        QObject::connect(&f.line.emulator, &Emulator::crossed, &p,
                         [&](Transcript::Direction d, const QByteArray &bytes) {
                             if (d != Transcript::Direction::ToDevice)
                                 return;
                             line.bytes += bytes;
                             for (qsizetype i = 0; i < bytes.size(); ++i)
                                 line.at << clock.elapsed() * ClockRate / 1000;
                         });
        p.faults.silent = fault != QLatin1String("none");
        if (fault == QLatin1String("silent until polled"))
            QObject::connect(&f.line.emulator, &Emulator::crossed, &p,
                             [&p](Transcript::Direction d, const QByteArray &bytes) {
                                 if (d == Transcript::Direction::ToDevice && bytes.contains("90x"))
                                     p.faults.silent = false;
                             });

        clock.start();
        if (exchange == QLatin1String("status"))
            f.window.cmdConnect->click();
        else if (exchange == QLatin1String("write"))
            f.window.cmdPP_Up->click();
        else
            f.window.mnuProof->trigger();
        const double ended = clock.elapsed() * ClockRate / 1000;

        QList<QByteArray> texts;
        for (const Expected &e : sent)
            texts << e.text;
        QTRY_COMPARE(line.timesOf(texts).size(), texts.size());
        const QList<double> times = line.timesOf(texts);
        // Each step after the one before it, as the waits lay them out; a loaded machine may be a little late.
        for (qsizetype i = 0; i < sent.size(); ++i) {
            const double expectedGap = i == 0 ? sent[0].at : sent[i].at - sent[i - 1].at;
            const double gap = i == 0 ? times[0] : times[i] - times[i - 1];
            QVERIFY2(gap > expectedGap - 0.15 && gap < expectedGap + 0.4,
                     qPrintable(QStringLiteral("%1 (step %2) came %3 s after the step before it, not %4 s")
                                    .arg(QString::fromLatin1(sent[i].text))
                                    .arg(i + 1)
                                    .arg(gap)
                                    .arg(expectedGap)));
        }
        QVERIFY2(ended > end - 0.15 && ended < end * 1.05 + 0.3,
                 qPrintable(QStringLiteral("the exchange ended after %1 s, not %2 s").arg(ended).arg(end)));
        QCOMPARE(line.bytes.size(), texts.join().size());
    }
};

SONARELLE_TEST_MAIN(tst_ExchangeTiming)
#include "tst_ExchangeTiming.moc"
