#include "TestMain.h"

#include "app/frmAbout.h"
#include "panel/frmMain.h"
#include "settings/frmModem.h"

#include <QScreen>
#include <QWindow>

// On a real X server under a window manager (tests/support/desktop_session.sh), where a window's frame is
// the window manager's and is known only once the window is shown: the main window, the About box and the
// modem settings dialog stand centred on the whole screen by their outer frame.
class tst_Centring : public QObject
{
    Q_OBJECT

    // How far the frame's centre stands from the screen's, in pixels (a pixel of rounding is centred).
    static QPoint offCentre(const QWidget *window)
    {
        const QRect frame = window->windowHandle()->frameGeometry();
        const QRect screen = window->screen()->geometry();
        return {(frame.left() - screen.left()) - (screen.right() - frame.right()),
                (frame.top() - screen.top()) - (screen.bottom() - frame.bottom())};
    }

    static bool centred(const QWidget *window)
    {
        const QPoint off = offCentre(window);
        return qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1;
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QFAIL("needs an X server with a window manager: run it through tests/support/desktop_session.sh");
    }

    void centredByTheFrame_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << "main";
        QTest::newRow("About box") << "about";
        QTest::newRow("modem settings dialog") << "modem";
    }

    void centredByTheFrame()
    {
        QFETCH(QString, window);
        frmMain w;
        w.Form_Load();
        const QSize built = w.size();
        w.show();
        QWidget *shown = &w;
        if (window == QLatin1String("about")) {
            w.mnuAbout_Click();
            shown = w.findChild<frmAbout *>();
        } else if (window == QLatin1String("modem")) {
            w.mnuModemSettings_Click();
            shown = &w.Modem();
        }
        QVERIFY(shown);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        const QSize size = shown->size();

        // The window manager's frame: a title bar above, a border around.
        QTRY_VERIFY_WITH_TIMEOUT(shown->windowHandle()->frameMargins().top() > 0, 5000);
        QTRY_VERIFY2_WITH_TIMEOUT(centred(shown),
                                  qPrintable(QStringLiteral("the frame %1 stands (%2, %3) off centre")
                                                 .arg(QDebug::toString(shown->windowHandle()->frameGeometry()))
                                                 .arg(offCentre(shown).x())
                                                 .arg(offCentre(shown).y())),
                                  5000);
        // Still so a moment later: the window has settled there.
        QTest::qWait(200);
        QVERIFY(centred(shown));
        QCOMPARE(shown->size(), size);
        QCOMPARE(w.size(), built);
    }
};

SONARELLE_TEST_MAIN(tst_Centring)
#include "tst_Centring.moc"
