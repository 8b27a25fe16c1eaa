#include "TestMain.h"

#include "link/LinkTexts.h"

// The message about a port that would not open. A real permission refusal cannot be produced here (the
// tests may run as root), so the wording is checked on its own.
class tst_OpenFailure : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("deniedGroup");
        QTest::addColumn<QString>("expected");

        QTest::newRow("missing device") << "No such file or directory"
                                        << ""
                                        << "COM 3 (/dev/ttyS2) could not be opened: No such file or directory.";
        QTest::newRow("permission, dialout")
            << "Permission denied"
            << "dialout"
            << "COM 3 (/dev/ttyS2) could not be opened: Permission denied. Ask for your user to be added to the group "
               "dialout (sudo adduser $USER dialout), then log in again.";
        QTest::newRow("permission, another group")
            << "Permission denied"
            << "uucp"
            << "COM 3 (/dev/ttyS2) could not be opened: Permission denied. Ask for your user to be added to the group "
               "uucp (sudo adduser $USER uucp), then log in again.";
        QTest::newRow("permission, device of root: no advice")
            << "Permission denied"
            << "root"
            << "COM 3 (/dev/ttyS2) could not be opened: Permission denied.";
    }

    void text()
    {
        QFETCH(QString, reason);
        QFETCH(QString, deniedGroup);
        QFETCH(QString, expected);
        QCOMPARE(LinkTexts::openFailure(QStringLiteral("COM 3"), QStringLiteral("/dev/ttyS2"), reason, deniedGroup),
                 expected);
    }
};

SONARELLE_TEST_MAIN(tst_OpenFailure)
#include "tst_OpenFailure.moc"
