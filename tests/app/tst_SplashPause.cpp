#include "TestMain.h"

#include "app/SplashPause.h"

class tst_SplashPause : public QObject
{
    Q_OBJECT

private slots:
    void start_data()
    {
        QTest::addColumn<double>("reading");
        QTest::addColumn<double>("start");

        QTest::newRow("below a half rounds down") << 100.49 << 100.0;
        QTest::newRow("above a half rounds up") << 100.51 << 101.0;
        QTest::newRow("a half to the even neighbour, down") << 100.5 << 100.0;
        QTest::newRow("a half to the even neighbour, up") << 101.5 << 102.0;
        QTest::newRow("just before midnight rounds to midnight") << 86399.6 << 86400.0;
    }

    void start()
    {
        QFETCH(double, reading);
        QFETCH(double, start);
        QCOMPARE(SplashPause::start(reading), start);
    }

    // The pause is over when the clock reads the start plus 5 or more, counting across midnight.
    void over_data()
    {
        QTest::addColumn<double>("firstReading");
        QTest::addColumn<double>("now");
        QTest::addColumn<bool>("over");

        QTest::newRow("midday, 4.9 s on") << 43200.0 << 43204.9 << false;
        QTest::newRow("midday, 5 s on") << 43200.0 << 43205.0 << true;
        QTest::newRow("rounded up start: 5.4 s after the reading") << 43200.6 << 43206.0 << true;
        QTest::newRow("rounded up start: 5.3 s after the reading") << 43200.6 << 43205.9 << false;
        QTest::newRow("rounded down start: 4.5 s after the reading") << 43200.5 << 43205.0 << true;
        QTest::newRow("right after the start") << 43200.2 << 43200.2 << false;
        QTest::newRow("start ahead of the reading by rounding") << 43200.7 << 43200.7 << false;
        QTest::newRow("5.5 s before midnight, ends before it") << 86394.5 << 86399.0 << true;
        QTest::newRow("5.4 s before midnight, not yet at 86399.9") << 86394.6 << 86399.9 << false;
        QTest::newRow("5.4 s before midnight, over just after it") << 86394.6 << 0.0 << true;
        QTest::newRow("3 s before midnight, at midnight") << 86397.0 << 0.0 << false;
        QTest::newRow("3 s before midnight, 1.9 s after it") << 86397.0 << 1.9 << false;
        QTest::newRow("3 s before midnight, 2 s after it") << 86397.0 << 2.0 << true;
        QTest::newRow("0.4 s before midnight, start is midnight, 4.9 s after it") << 86399.6 << 4.9 << false;
        QTest::newRow("0.4 s before midnight, start is midnight, 5 s after it") << 86399.6 << 5.0 << true;
        QTest::newRow("0.4 s before midnight, still before it") << 86399.6 << 86399.9 << false;
        QTest::newRow("clock set back an hour") << 7200.0 << 3601.0 << true;
        QTest::newRow("clock set forward an hour") << 7200.0 << 10800.0 << true;
    }

    void over()
    {
        QFETCH(double, firstReading);
        QFETCH(double, now);
        QFETCH(bool, over);
        QCOMPARE(SplashPause::over(SplashPause::start(firstReading), now), over);
    }
};

SONARELLE_TEST_MAIN(tst_SplashPause)
#include "tst_SplashPause.moc"
