#include "TestMain.h"

#include "panel/frmMain.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

class tst_Exit : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestEnvironment::desktop().reset(); }

    void threeTriggers_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("yes");

        for (const char *trigger : {"Exit button", "File menu Exit", "close box"}) {
            QTest::newRow(qPrintable(QString("%1, Yes").arg(trigger))) << QString(trigger) << true;
            QTest::newRow(qPrintable(QString("%1, No").arg(trigger))) << QString(trigger) << false;
        }
    }

    // Each trigger asks the exit question once; Yes ends the program, No changes nothing.
    void threeTriggers()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, yes);
        FakeDesktop &desktop = TestEnvironment::desktop();
        frmMain w;
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        desktop.answers = {yes};

        bool closed = false;
        if (trigger == "Exit button")
            QTest::mouseClick(w.cmdExit, Qt::LeftButton);
        else if (trigger == "File menu Exit")
            w.mnuFileExit->trigger();
        else
            closed = w.close();

        QCOMPARE(desktop.questions.size(), 1);
        QCOMPARE(desktop.questions[0].title, QString("EXIT PROGRAM"));
        QCOMPARE(desktop.questions[0].text, QString("                Are you sure?   "));
        QCOMPARE(desktop.ends, yes ? 1 : 0);
        if (!yes) {
            // The window and its off-line look stay as they were; a close request is cancelled.
            QVERIFY(!closed);
            QVERIFY(w.isVisible());
            QVERIFY(w.lblOffLine->isVisible());
            QVERIFY(!w.cmdPP_Up->isEnabled());
        }
        QVERIFY(!w.MSComm1.PortOpen());
    }

    void noOnTheCloseBoxTwiceKeepsTheWindowOpen()
    {
        FakeDesktop &desktop = TestEnvironment::desktop();
        frmMain w;
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        desktop.answers = {false, false};
        QVERIFY(!w.close());
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(desktop.questions.size(), 2);
        QCOMPARE(desktop.ends, 0);
    }
};

SONARELLE_TEST_MAIN(tst_Exit)
#include "tst_Exit.moc"
