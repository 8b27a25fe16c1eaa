#include "TestMain.h"

#include "link/Pacing.h"
#include "panel/frmMain.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

class tst_Delay : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Pacing::setTestClockRate(1); }

    // Real time: the interval is the argument rounded half to even, and the wait is that long.
    void intervalIsRoundedHalfToEven_data()
    {
        QTest::addColumn<float>("ms");
        QTest::addColumn<int>("interval");
        QTest::newRow("2.5 down to 2") << 2.5f << 2;
        QTest::newRow("3.5 up to 4") << 3.5f << 4;
        QTest::newRow("2.4 to 2") << 2.4f << 2;
        QTest::newRow("2.6 to 3") << 2.6f << 3;
        QTest::newRow("500") << 500.0f << 500;
    }

    void intervalIsRoundedHalfToEven()
    {
        QFETCH(float, ms);
        QFETCH(int, interval);
        frmMain w;
        QElapsedTimer clock;
        clock.start();
        w.Delay(ms);
        QVERIFY(clock.elapsed() >= interval - 1);
        QCOMPARE(w.Timer2.interval(), interval);
        QVERIFY(!w.Timer2.isActive());
        QCOMPARE(w.Delay_Pending, qint16(0));
    }

    void aSecondAtRealPace()
    {
        frmMain w;
        QElapsedTimer clock;
        clock.start();
        w.Delay(1000);
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= 999 && took < 1300, QByteArray::number(took));
        QVERIFY(!w.Timer2.isActive());
        QCOMPARE(w.Delay_Pending, qint16(0));
        QCOMPARE(w.Timer2.timerType(), Qt::PreciseTimer);
    }

    void testClockRunsWaitsFaster()
    {
        Pacing::setTestClockRate(10);
        frmMain w;
        w.Delay(1000);
        QCOMPARE(w.Timer2.interval(), 100);
    }

    void clickDuringDelayRunsBeforeItReturns()
    {
        Pacing::setTestClockRate(10);
        FakeDesktop &desktop = TestEnvironment::desktop();
        desktop.reset();
        desktop.answers = {false};
        frmMain w;
        w.show();
        QTimer::singleShot(10, &w, [&w] { QTest::mouseClick(w.cmdExit, Qt::LeftButton); });
        w.Delay(1000);
        QCOMPARE(desktop.questions.size(), 1);
        QCOMPARE(desktop.ends, 0);
    }

    // A handler run by an outer Delay waits with a Delay of its own: the inner tick ends both waits, so the outer
    // one returns when the handler does, long before its own interval.
    void nestedDelayEndsBothWaits()
    {
        Pacing::setTestClockRate(10);
        frmMain w;
        QElapsedTimer clock;
        qint64 handlerStart = -1, handlerEnd = -1;
        QTimer::singleShot(10, &w, [&] {
            handlerStart = clock.elapsed();
            w.Delay(1000);
            handlerEnd = clock.elapsed();
        });
        clock.start();
        w.Delay(3000);
        const qint64 outerEnd = clock.elapsed();
        QVERIFY(handlerEnd >= 0);
        QVERIFY2(handlerEnd - handlerStart >= 99, QByteArray::number(handlerEnd - handlerStart));
        QVERIFY2(outerEnd - handlerEnd < 50, QByteArray::number(outerEnd - handlerEnd));
        QVERIFY2(outerEnd < 250, QByteArray::number(outerEnd));
        QVERIFY(!w.Timer2.isActive());
        QCOMPARE(w.Delay_Pending, qint16(0));
    }
};

SONARELLE_TEST_MAIN(tst_Delay)
#include "tst_Delay.moc"
