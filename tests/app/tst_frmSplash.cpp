#include "TestMain.h"

#include "app/SplashLogo.h"
#include "app/frmSplash.h"
#include "panel/Lamp.h"
#include "panel/Twips.h"
#include "panel/frmMain.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTexts.h"

#include <QLabel>
#include <QPointer>
#include <QScreen>

#include <cmath>
#include <memory>

namespace {

// Counts the operator's input that reaches any splash window.
class InputCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *target, QEvent *event) override
    {
        if (qobject_cast<frmSplash *>(target)
            && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress
                || event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::Close))
            ++count;
        return false;
    }
};

frmSplash *shownSplash()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *splash = qobject_cast<frmSplash *>(w); splash && splash->isVisible())
            return splash;
    return nullptr;
}

} // namespace

class tst_frmSplash : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestEnvironment::desktop().reset(); }
    void cleanup() { frmSplash::setTestClock({}); }

    void windowAndContents()
    {
        frmSplash splash;
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.windowType(), Qt::SplashScreen); // no task-bar button
        const QSize client = Twips::size(7380, 4245);
        QVERIFY(splash.width() >= client.width() && splash.height() >= client.height());
        QCOMPARE(splash.lblProductName->text(), QString("BREVANTIC INC."));
        QCOMPARE(splash.lblCompanyProduct->text(), QString("Sonarelle - Internet Processor"));
        QCOMPARE(splash.lblPlatform->text(), QString("Windows 95/98"));
        QCOMPARE(splash.lblVersion->text(), QString("Version - 1.1.0 "));
        QVERIFY(splash.lblProductName->font().bold());
        for (QLabel *l : {splash.lblProductName, splash.lblCompanyProduct, splash.lblPlatform, splash.lblVersion})
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text() + " fits its text"));
        QCOMPARE(splash.imgLogo->size(), Twips::size(1335, 2265));
        const QRect screen = splash.screen()->geometry();
        QVERIFY(qAbs(splash.frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(splash.frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    // A start 2.4 s before midnight, on a clock that steps 0.25 s per reading. During the pause the
    // operator clicks and types at the splash, and a timer is due: none of it happens until the pause is
    // over, and the input never reaches the splash, which is gone by then.
    void startUpAcrossMidnightIgnoringInput()
    {
        InputCounter input;
        qApp->installEventFilter(&input);
        bool timerRan = false;
        bool ranDuringPause = false;
        bool splashShownDuringPause = true;
        QPointer<frmSplash> splash;
        double reading = 86397.6 - 0.25;
        int reads = 0;
        frmSplash::setTestClock([&] {
            ++reads;
            if (reads == 1) {
                splash = shownSplash();
                if (splash) {
                    const QPoint centre = splash->rect().center();
                    QCoreApplication::postEvent(splash, new QMouseEvent(QEvent::MouseButtonPress, centre,
                                                                        splash->mapToGlobal(centre), Qt::LeftButton,
                                                                        Qt::LeftButton, Qt::NoModifier));
                    QCoreApplication::postEvent(splash,
                                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
                    QCoreApplication::postEvent(splash, new QKeyEvent(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier));
                }
                QTimer::singleShot(0, [&] { timerRan = true; });
            } else {
                ranDuringPause = ranDuringPause || timerRan;
                splashShownDuringPause = splashShownDuringPause && splash && splash->isVisible();
            }
            reading = std::fmod(reading + 0.25, 86400.0);
            // A pause that never ends would hang here; give up on it loudly instead.
            return reads > 200 ? 99999.0 : reading;
        });

        std::unique_ptr<frmMain> main(frmSplash::Form_Load());
        qApp->removeEventFilter(&input);
        QVERIFY(main);
        QVERIFY2(reads < 200, "the pause ended on its own after midnight");
        // From the first reading (86397.6, start 86398) to the first reading of 86403 (3.0 past midnight).
        QCOMPARE(reads, 23);
        QVERIFY(!ranDuringPause);
        QVERIFY(splashShownDuringPause);
        QVERIFY(splash.isNull());
        QVERIFY(main->isVisible());
        QVERIFY(main->lblOffLine->isVisible());
        QCoreApplication::processEvents();
        QVERIFY(timerRan);
        QCOMPARE(input.count, 0);
        QCOMPARE(TestEnvironment::desktop().ends, 0);
    }

    // Without a settings file the start-up warns once: after the splash has gone, while the main window is
    // built but not yet shown, before "Off Line"; the window then shows in its off-line look.
    void fileErrorComesBetweenTheSplashAndTheMainWindow()
    {
        QFile::remove(SettingsFile::path());
        double reading = 1000;
        frmSplash::setTestClock([&] { return reading += 1; });
        QStringList seen;
        TestEnvironment::desktop().whenWarned = [&] {
            const auto windows = QApplication::topLevelWidgets();
            const bool splashLeft =
                std::any_of(windows.begin(), windows.end(), [](QWidget *w) { return qobject_cast<frmSplash *>(w); });
            frmMain *main = nullptr;
            for (QWidget *w : windows)
                main = main ? main : qobject_cast<frmMain *>(w);
            seen << QString("splash %1").arg(splashLeft ? "left" : "gone");
            if (main)
                seen << QString("main window %1").arg(main->isVisible() ? "shown" : "hidden")
                     << QString("Off Line %1").arg(main->lblOffLine->isVisible() ? "shown" : "hidden")
                     << QString("%1 Peak Processing lamps").arg(main->picPP.size());
        };

        std::unique_ptr<frmMain> main(frmSplash::Form_Load());
        QCOMPARE(TestEnvironment::desktop().warnings.size(), 1);
        QCOMPARE(TestEnvironment::desktop().warnings[0].title, SettingsTexts::LoadErrorTitle);
        QCOMPARE(seen,
                 QStringList({"splash gone", "main window hidden", "Off Line hidden", "8 Peak Processing lamps"}));
        QVERIFY(main->isVisible());
        QVERIFY(main->lblOffLine->isVisible());
    }
};

SONARELLE_TEST_MAIN(tst_frmSplash)
#include "tst_frmSplash.moc"
