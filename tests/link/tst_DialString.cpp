#include "TestMain.h"

#include "link/DialString.h"

class tst_DialString : public QObject
{
    Q_OBJECT

private slots:
    void speakerCommand_data()
    {
        QTest::addColumn<bool>("off");
        QTest::addColumn<bool>("low");
        QTest::addColumn<bool>("loud");
        QTest::addColumn<QByteArray>("command");

        QTest::newRow("off") << true << false << false << QByteArrayLiteral("ATM0");
        QTest::newRow("low") << false << true << false << QByteArrayLiteral("ATM1L1");
        QTest::newRow("loud") << false << false << true << QByteArrayLiteral("ATM1L3");
        QTest::newRow("none set: no command") << false << false << false << QByteArray();
        QTest::newRow("off wins over low") << true << true << false << QByteArrayLiteral("ATM0");
        QTest::newRow("low wins over loud") << false << true << true << QByteArrayLiteral("ATM1L1");
    }

    void speakerCommand()
    {
        QFETCH(bool, off);
        QFETCH(bool, low);
        QFETCH(bool, loud);
        QFETCH(QByteArray, command);

        QCOMPARE(DialString::speakerCommand(off, low, loud), command);
    }

    void dial_data()
    {
        QTest::addColumn<bool>("tone");
        QTest::addColumn<bool>("outside");
        QTest::addColumn<QString>("outsideDigits");
        QTest::addColumn<bool>("waiting");
        QTest::addColumn<QString>("waitingCode");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QByteArray>("dialString");
        QTest::addColumn<QString>("banner");

        QTest::newRow("tone, outside 9, waiting *70")
            << true << true << QStringLiteral("9") << true << QStringLiteral("*70") << QStringLiteral("5551234")
            << QByteArrayLiteral("ATDT9,,*70,,5551234\r") << QStringLiteral("             Dialing  9,,*70,,5551234");
        QTest::newRow("pulse, no prefixes")
            << false << false << QStringLiteral("9") << false << QStringLiteral("*70") << QStringLiteral("5551234")
            << QByteArrayLiteral("ATDP5551234\r") << QStringLiteral("             Dialing  5551234");
        QTest::newRow("tone, waiting only")
            << true << false << QStringLiteral("9") << true << QStringLiteral("*70") << QStringLiteral("5551234")
            << QByteArrayLiteral("ATDT*70,,5551234\r") << QStringLiteral("             Dialing  *70,,5551234");
        QTest::newRow("padded texts from the settings file carried unchanged")
            << true << true << QStringLiteral("9     ") << true << QStringLiteral("*70   ")
            << QStringLiteral("5551234                 ")
            << QByteArrayLiteral("ATDT9     ,,*70   ,,5551234                 \r")
            << QStringLiteral("             Dialing  9     ,,*70   ,,5551234                 ");
        QTest::newRow("empty number") << true << false << QString() << false << QString() << QString()
                                      << QByteArrayLiteral("ATDT\r") << QStringLiteral("             Dialing  ");
    }

    void dial()
    {
        QFETCH(bool, tone);
        QFETCH(bool, outside);
        QFETCH(QString, outsideDigits);
        QFETCH(bool, waiting);
        QFETCH(QString, waitingCode);
        QFETCH(QString, number);
        QFETCH(QByteArray, dialString);
        QFETCH(QString, banner);

        const QString prefixes = DialString::dialPrefixes(outside, outsideDigits, waiting, waitingCode);
        QCOMPARE(DialString::dialString(tone, prefixes, number), dialString);
        QCOMPARE(DialString::dialingBanner(prefixes, number), banner);
    }
};

SONARELLE_TEST_MAIN(tst_DialString)
#include "tst_DialString.moc"
