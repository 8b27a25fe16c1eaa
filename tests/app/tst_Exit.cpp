#include "EmulatorFixture.h"
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

    // Each trigger asks the exit question once; Yes closes the open port and ends the program, No changes
    // nothing.
    void threeTriggers()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, yes);
        FakeDesktop &desktop = TestEnvironment::desktop();
        EmulatorFixture line;
        QVERIFY(line.started);
        frmMain w;
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.MSComm1.CommPort(1);
        QVERIFY(w.MSComm1.Settings(QStringLiteral("2400,n,8,1")));
        w.MSComm1.PortOpen(true);
        QVERIFY(w.MSComm1.PortOpen());
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
        QCOMPARE(w.MSComm1.PortOpen(), !yes);
        QVERIFY(line.received.isEmpty()); // nothing is sent on the way out
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
