#include "TestMain.h"

#include "panel/frmMain.h"
#include "settings/TabControl.h"
#include "settings/frmModem.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

// The access keys of the captions: Alt with the underlined letter presses the button or opens the menu.
// (Enter, Esc and the keyboard order of the modem settings dialog are tested with the dialog.)
class tst_AccessKeys : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowButtons_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("button");
        QTest::newRow("Alt+C Connect") << Qt::Key_C << "cmdConnect";
        QTest::newRow("Alt+X Exit") << Qt::Key_X << "cmdExit";
    }

    void mainWindowButtons()
    {
        QFETCH(Qt::Key, key);
        QFETCH(QString, button);
        frmMain w;
        w.Form_Load();
        QPushButton *pressed = button == QLatin1String("cmdConnect") ? w.cmdConnect : w.cmdExit;
        // What the buttons then do is tested with their handlers; here only that the key reaches them.
        disconnect(pressed, &QPushButton::clicked, &w, nullptr);
        QSignalSpy clicks(pressed, &QPushButton::clicked);
        QVERIFY(clicks.isValid());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, key, Qt::AltModifier);
        QTRY_COMPARE(clicks.count(), 1); // an access key presses the button with a short animation
    }

    void mainWindowMenus_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("menu");
        QTest::newRow("Alt+F File") << Qt::Key_F << "&File";
        QTest::newRow("Alt+M Modem") << Qt::Key_M << "&Modem";
        QTest::newRow("Alt+H Help") << Qt::Key_H << "&Help";
    }

    void mainWindowMenus()
    {
        QFETCH(Qt::Key, key);
        QFETCH(QString, menu);
        frmMain w;
        w.Form_Load();
        QMap<QString, QMenu *> menus{{"&File", w.mnuFile}, {"&Modem", w.mnuModem}, {"&Help", w.mnuHelpMenu}};
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, key, Qt::AltModifier);
        QTRY_VERIFY(menus.value(menu)->isVisible());
        for (QMenu *other : menus)
            QCOMPARE(other->isVisible(), other == menus.value(menu));
        menus.value(menu)->close();
    }

    void dialogButtons_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("saves");
        QTest::newRow("Alt+O Ok") << Qt::Key_O << true;
        QTest::newRow("Alt+C Cancel") << Qt::Key_C << false;
    }

    void dialogButtons()
    {
        QFETCH(Qt::Key, key);
        QFETCH(bool, saves);
        const QString file = QDir(TestEnvironment::dataFolder()).filePath(QStringLiteral("Vexa_Data.dat"));
        QFile::remove(file);
        frmMain w;
        w.show();
        frmModem &f = w.Modem();
        w.mnuModemSettings_Click();
        QTRY_VERIFY(f.isActiveWindow());
        QTest::keyClick(&f, key, Qt::AltModifier);
        QTRY_VERIFY(!f.isVisible());
        QCOMPARE(QFile::exists(file), saves);
    }
};

SONARELLE_TEST_MAIN(tst_AccessKeys)
#include "tst_AccessKeys.moc"
