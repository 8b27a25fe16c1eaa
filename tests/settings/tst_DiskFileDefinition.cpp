#include "TestMain.h"

#include "settings/DiskFileDefinition.h"

using namespace DiskFileDefinition;

namespace {

// Record 1 as a save writes it right after a failed load: the sixteen defaults.
QByteArray defaultBytes()
{
    return QByteArray::fromHex("FFFF0000") + "COM 1" + QByteArray::fromHex("FFFF0000") + QByteArray(24, ' ') + "0     "
           + "9     " + "0     " + "*70   " + "COM 3" + QByteArray::fromHex("0000FFFF0000") + "0     " + "AT"
           + QByteArray(21, ' ');
}

} // namespace

class tst_DiskFileDefinition : public QObject
{
    Q_OBJECT

private slots:
    void defaultsEncodeToTheirExactBytes()
    {
        const QByteArray bytes = encode(Settings_Record::defaults());
        QCOMPARE(bytes.size(), 101);
        QCOMPARE(bytes, defaultBytes());
    }

    void everyFieldRoundTripsWithItsPadding()
    {
        Settings_Record r;
        r.Direct_Cable = 0;
        r.Use_Modem = -1;
        r.Direct_Com_Port = QStringLiteral("COM 2");
        r.Tone_Dial = 0;
        r.Pulse_Dial = -1;
        r.Phone_Number = QStringLiteral("5551234");
        r.Outside_Flag = 1;
        r.Outside_Digits = QStringLiteral("8");
        r.Waiting_Flag = 1;
        r.Waiting_Code = QStringLiteral("1170");
        r.Modem_Com_Port = QStringLiteral("COM4");
        r.Speaker_Off = 0;
        r.Speaker_Low = 0;
        r.Speaker_Loud = -1;
        r.Ini_Flag = 1;
        r.Ini_String = QStringLiteral("AT&F");

        const QByteArray bytes = encode(r);
        QCOMPARE(bytes.mid(2, 2), QByteArray::fromHex("FFFF"));
        QCOMPARE(bytes.mid(13, 24), QByteArray("5551234").leftJustified(24, ' '));
        QCOMPARE(bytes.mid(37, 6), QByteArray("1     "));

        const std::optional<Settings_Record> back = decode(bytes);
        QVERIFY(back);
        Settings_Record padded = r;
        padded.Phone_Number = QStringLiteral("5551234").leftJustified(24, u' ');
        padded.Outside_Digits = QStringLiteral("8     ");
        padded.Waiting_Code = QStringLiteral("1170  ");
        padded.Modem_Com_Port = QStringLiteral("COM4 ");
        padded.Ini_String = QStringLiteral("AT&F").leftJustified(23, u' ');
        QCOMPARE(*back, padded);
        QCOMPARE(encode(*back), bytes);
    }

    void textsAreCutToTheirWidthAndKeptToOneByteACharacter()
    {
        Settings_Record r = Settings_Record::defaults();
        r.Direct_Com_Port = QStringLiteral("COM 10");
        r.Phone_Number = QStringLiteral("caf\u00e9 \u20ac") + QString::fromUcs4(U"\U0001F4DE") + QStringLiteral("1");
        r.Ini_String = QString(40, u'x');
        const QByteArray bytes = encode(r);
        QCOMPARE(bytes.size(), 101);
        QCOMPARE(bytes.mid(4, 5), QByteArray("COM 1"));
        QCOMPARE(bytes.mid(9, 2), QByteArray::fromHex("FFFF")); // the next field is untouched
        QCOMPARE(bytes.mid(13, 24), QByteArray("caf\xe9 ??1").leftJustified(24, ' '));
        QCOMPARE(bytes.mid(78, 23), QByteArray(23, 'x'));
    }

    void anyNonZeroOptionFieldReadsAsSelected()
    {
        QByteArray bytes = defaultBytes();
        bytes.replace(2, 2, QByteArray::fromHex("0100")); // Use_Modem 1, not the -1 the program writes
        const auto r = decode(bytes);
        QVERIFY(r);
        QCOMPARE(r->Direct_Cable, qint16(-1));
        QCOMPARE(r->Use_Modem, qint16(1));
    }

    void onlyTheFirst101BytesAreRead()
    {
        const auto r = decode(defaultBytes() + "tail of a longer file");
        QVERIFY(r);
        QCOMPARE(encode(*r), defaultBytes());
        QVERIFY(!decode(defaultBytes().left(100)));
        QVERIFY(!decode(QByteArray()));
    }

    void numberAsText_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("expected"); // -1: fails

        QTest::newRow("0 and blanks") << QByteArray("0     ") << 0;
        QTest::newRow("1 and blanks") << QByteArray("1     ") << 1;
        QTest::newRow("2, the greyed box") << QByteArray("2     ") << 2;
        QTest::newRow("leading blanks") << QByteArray("   1  ") << 1;
        QTest::newRow("leading zero") << QByteArray("01    ") << 1;
        QTest::newRow("blanks") << QByteArray("      ") << -1;
        QTest::newRow("zero bytes") << QByteArray(6, '\0') << -1;
        QTest::newRow("letters") << QByteArray("yes   ") << -1;
        QTest::newRow("3") << QByteArray("3     ") << -1;
        QTest::newRow("10") << QByteArray("10    ") << -1;
        QTest::newRow("huge") << QByteArray("999999") << -1;
        QTest::newRow("sign") << QByteArray("-1    ") << -1;
        QTest::newRow("blank inside") << QByteArray("1 1   ") << -1;
    }

    void numberAsText()
    {
        QFETCH(QByteArray, field);
        QFETCH(int, expected);
        const std::optional<int> value = checkBoxValue(field);
        QCOMPARE(value.value_or(-1), expected);

        QByteArray bytes = defaultBytes();
        bytes.replace(49, 6, field); // Waiting_Flag
        QCOMPARE(decode(bytes).has_value(), expected >= 0);
    }
};

SONARELLE_TEST_MAIN(tst_DiskFileDefinition)
#include "tst_DiskFileDefinition.moc"
