// Real time: a connect on the real clock, whose status read takes its first answer about 3 s after the press.
#include "WindowFixture.h"

#include <QElapsedTimer>
#include <QPushButton>

class tst_StatusRead_realtime : public QObject
{
    Q_OBJECT

private slots:
    void firstAnswerIsTakenAboutThreeSecondsAfterThePress()
    {
        WindowFixture f(1);
        QVERIFY(f.line.started);
        QElapsedTimer wall;
        wall.start();
        TestEnvironment::desktop().reset(); // beeps are timed from here
        f.window.cmdConnect->click();
        const qint64 done = wall.elapsed();

        QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
        QCOMPARE(TestEnvironment::desktop().beeps.size(), 1);
        const qint64 beep = TestEnvironment::desktop().beeps.first();
        qInfo("answer taken %lld ms after the press, read over after %lld ms", beep, done);
        // 2 s of settling, then 1 s after the request; the window's timers add a little.
        QVERIFY2(beep >= 2990 && beep <= 3300, qPrintable(QString::number(beep)));
        QVERIFY(done - beep < 100);
    }
};

SONARELLE_TEST_MAIN(tst_StatusRead_realtime)
#include "tst_StatusRead_realtime.moc"
