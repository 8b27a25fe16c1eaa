// The Connect button with the direct cable, over a real pseudo-terminal with the emulated processor.
#include "WindowFixture.h"
#include "WindowLook.h"

#include "link/LinkTexts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

using namespace WindowLook;

namespace {

// "&Disconnect; Connected; proof enabled, settings disabled; port open; lamps: ...; buttons 6"
QString state(frmMain &w)
{
    return QStringLiteral("%1; %2; proof %3, settings %4; port %5; lamps: %6; buttons %7")
        .arg(w.cmdConnect->text(), banners(w).join(u'+'), w.mnuProof->isEnabled() ? "enabled" : "disabled",
             w.mnuModemSettings->isEnabled() ? "enabled" : "disabled", w.MSComm1.PortOpen() ? "open" : "closed",
             allLampsLit(w) ? QStringLiteral("all lit") : lamps(w))
        .arg(buttonsEnabled(w));
}

const QString OffLine =
    QStringLiteral("&Connect; Off Line; proof disabled, settings enabled; port closed; lamps: all lit; buttons 0");

} // namespace

class tst_Connect : public QObject
{
    Q_OBJECT

private slots:
    void states_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");

        QTest::newRow("connect, answered") << "connect"
                                           << "&Disconnect; Connected; proof enabled, settings disabled; port open; "
                                              "lamps: PP 3, PD 5, HQ 2, LQ 2; buttons 6";
        QTest::newRow("connect, no answer") << "silent connect"
                                            << "&Disconnect; Off Line+Connected; proof enabled, settings disabled; "
                                               "port open; lamps: all lit; buttons 0";
        QTest::newRow("connect, disconnect") << "connect disconnect" << OffLine;
        QTest::newRow("no answer, disconnect") << "silent connect disconnect" << OffLine;
        QTest::newRow("disconnect with the port already closed") << "connect close disconnect" << OffLine;
        QTest::newRow("connect again") << "connect disconnect connect"
                                       << "&Disconnect; Connected; proof enabled, settings disabled; port open; lamps: "
                                          "PP 3, PD 5, HQ 2, LQ 2; buttons 6";
    }

    void states()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);

        WindowFixture f;
        QVERIFY(f.line.started);
        for (const QString &step : steps.split(u' ')) {
            if (step == "silent")
                f.line.processor.faults.silent = true;
            else if (step == "close")
                f.window.MSComm1.PortOpen(false);
            else
                f.window.cmdConnect->click();
        }
        QCOMPARE(state(f.window), expected);
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
    }

    // Only the last character of the port box counts.
    void portBoxText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("COM 2") << "COM 2";
        QTest::newRow("COM 12 is port 2") << "COM 12";
    }

    void portBoxText()
    {
        QFETCH(QString, text);
        WindowFixture f;
        EmulatorFixture com2(true, 2);
        QVERIFY(com2.started);
        f.window.Modem().cmbPort->setCurrentText(text);
        f.window.cmdConnect->click();

        QCOMPARE(f.window.MSComm1.CommPort(), 2);
        QCOMPARE(f.window.MSComm1.Settings(), QStringLiteral("2400,n,8,1"));
        QCOMPARE(com2.received, QByteArrayLiteral("90x"));
        QCOMPARE(f.line.received, QByteArray());
        QCOMPARE(lamps(f.window), QStringLiteral("PP 3, PD 5, HQ 2, LQ 2"));
    }

    // A short port text comes back from the settings file padded with blanks ("COM3 "): it still names port 3.
    void paddedPortTextFromTheSettingsFile()
    {
        WindowFixture f;
        EmulatorFixture com3(true, 3);
        QVERIFY(com3.started);
        f.window.Modem().cmbPort->setCurrentText(QStringLiteral("COM3"));
        f.window.Save_Data();
        f.window.Restore_Data();
        QCOMPARE(f.window.Modem().cmbPort->currentText(), QStringLiteral("COM3 "));
        f.window.cmdConnect->click();
        QCOMPARE(f.window.MSComm1.CommPort(), 3);
        QCOMPARE(com3.received, QByteArrayLiteral("90x"));
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
    }

    // A port text that names no port, or a port that will not open: one message, and the window stays off line.
    void portThatCannotBeUsed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("says");
        QTest::newRow("COM") << "COM" << LinkTexts::noPort("COM");
        QTest::newRow("COMX") << "COMX" << LinkTexts::noPort("COMX");
        QTest::newRow("COM 0") << "COM 0" << LinkTexts::noPort("COM 0");
        QTest::newRow("missing device") << "COM 3"
                                        << LinkTexts::openFailure("COM 3", "/nonexistent/sonarelle-tty",
                                                                  "No such file or directory");
    }

    void portThatCannotBeUsed()
    {
        QFETCH(QString, text);
        QFETCH(QString, says);
        WindowFixture f;
        QFile::remove(QDir(TestEnvironment::dataFolder()).filePath("com3"));
        QVERIFY(QFile::link("/nonexistent/sonarelle-tty", QDir(TestEnvironment::dataFolder()).filePath("com3")));
        f.window.Modem().cmbPort->setCurrentText(text);
        f.window.cmdConnect->click();

        const QList<FakeDesktop::Box> &warnings = TestEnvironment::desktop().warnings;
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings[0].title, LinkTexts::PortErrorTitle);
        QCOMPARE(warnings[0].text, says);
        QCOMPARE(state(f.window), OffLine);
        QTest::qWait(20);
        QCOMPARE(f.line.received, QByteArray());
    }

    // The proof banner and its blinking stop; the processor's own proof mode is not touched.
    void disconnectWhileProofIsShown()
    {
        WindowFixture f;
        f.line.processor.proof = 1;
        f.window.cmdConnect->click();
        QVERIFY(f.window.Timer1.isActive());
        f.line.received.clear();
        f.window.cmdConnect->click();

        QVERIFY(f.window.lblProof->isHidden());
        QVERIFY(!f.window.Timer1.isActive());
        QVERIFY(f.window.mnuProof->isChecked());
        QCOMPARE(state(f.window), OffLine);
        QTest::qWait(30);
        QVERIFY(f.window.lblProof->isHidden());
        QCOMPARE(f.line.received, QByteArray());
    }

    // The read ends at once when its port is closed under it: nothing more on the line, no beep, and the
    // off-line look that the disconnect made. Connecting again at once gives a read of its own.
    void disconnectDuringTheStatusRead_data()
    {
        QTest::addColumn<int>("at");
        QTest::addColumn<bool>("reconnect");
        QTest::newRow("while settling") << 10 << false;
        QTest::newRow("between requests") << 60 << false;
        QTest::newRow("between requests, then connect again") << 60 << true;
    }

    void disconnectDuringTheStatusRead()
    {
        QFETCH(int, at);
        QFETCH(bool, reconnect);
        WindowFixture f;
        f.line.processor.faults.silent = true;
        QStringList bannersAfterPress;
        QTimer::singleShot(at, [&] {
            f.line.received.clear();
            f.window.cmdConnect->click();
            // "Off Line" at once: "Updating" does not stay in front of it until the read's wait ends.
            bannersAfterPress = banners(f.window);
            if (reconnect) {
                f.line.processor.faults.silent = false;
                f.window.cmdConnect->click();
            }
        });
        f.window.cmdConnect->click();
        QTest::qWait(50);

        QCOMPARE(bannersAfterPress, QStringList{QStringLiteral("Off Line")});
        if (reconnect) {
            QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
            QCOMPARE(TestEnvironment::desktop().beeps.size(), 1);
            QCOMPARE(state(f.window), QStringLiteral("&Disconnect; Connected; proof enabled, settings disabled; "
                                                     "port open; lamps: PP 3, PD 5, HQ 2, LQ 2; buttons 6"));
        } else {
            QCOMPARE(f.line.received, QByteArray());
            QVERIFY(TestEnvironment::desktop().beeps.isEmpty());
            QCOMPARE(state(f.window), OffLine);
        }
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
    }

    // The processor's end hangs up: the off-line look and one message, whether a read was running or not.
    void lineLost_data()
    {
        QTest::addColumn<bool>("duringRead");
        QTest::newRow("while on line") << false;
        QTest::newRow("during the status read") << true;
    }

    void lineLost()
    {
        QFETCH(bool, duringRead);
        WindowFixture f;
        if (duringRead) {
            f.line.processor.faults.silent = true;
            f.line.processor.faults.hangUpAfter = 1;
        }
        f.window.cmdConnect->click();
        if (!duringRead)
            f.line.emulator.hangUp();

        QTRY_COMPARE(f.window.cmdConnect->text(), QStringLiteral("&Connect"));
        QTest::qWait(1000); // the line watch looks twice a second: no second message
        const QList<FakeDesktop::Box> &warnings = TestEnvironment::desktop().warnings;
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings[0].title, LinkTexts::LineLostTitle);
        QCOMPARE(state(f.window), OffLine);
        QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
        QCOMPARE(TestEnvironment::desktop().beeps.size(), duringRead ? 0 : 1);

        // and the next connect works on the new line
        f.line.processor.faults = {};
        f.line.received.clear();
        f.window.cmdConnect->click();
        QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
        QCOMPARE(lamps(f.window), QStringLiteral("PP 3, PD 5, HQ 2, LQ 2"));
    }
};

SONARELLE_TEST_MAIN(tst_Connect)
#include "tst_Connect.moc"
