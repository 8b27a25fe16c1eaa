// Real time: the splash pause on the real clock. This test takes about five seconds.
#include "TestMain.h"

#include "app/frmSplash.h"
#include "panel/frmMain.h"

#include <QElapsedTimer>

#include <memory>

class tst_frmSplash_realtime : public QObject
{
    Q_OBJECT

private slots:
    void pauseLastsFourAndAHalfToFiveAndAHalfSeconds()
    {
        QElapsedTimer wall;
        qint64 firstReading = -1, splashGone = -1;
        // The real clock, watched: when it is first read, and when the splash goes.
        frmSplash::setTestClock([&] {
            if (firstReading < 0) {
                firstReading = wall.elapsed();
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (qobject_cast<frmSplash *>(w))
                        connect(w, &QObject::destroyed, [&] { splashGone = wall.elapsed(); });
            }
            return frmSplash::timeOfDay();
        });
        wall.start();
        std::unique_ptr<frmMain> main(frmSplash::Form_Load());
        frmSplash::setTestClock({});

        QVERIFY(splashGone > 0);
        const qint64 pause = splashGone - firstReading;
        qInfo("splash pause: %lld ms", pause);
        // 4.5 to 5.5 s, with a few milliseconds for the last poll and the clock's resolution.
        QVERIFY2(pause >= 4490 && pause <= 5560, qPrintable(QString::number(pause)));
        QVERIFY(main->isVisible());
    }
};

SONARELLE_TEST_MAIN(tst_frmSplash_realtime)
#include "tst_frmSplash_realtime.moc"
