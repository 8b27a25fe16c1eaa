// The Telnet layer of RFC 2217 ports, fed bytes directly: negotiation, the COM port control messages, and the
// payload taken out of a stream that arrives in chunks of any size.
#include "TestMain.h"

#include "link/TelnetStream.h"

namespace {

const QByteArray Opening = QByteArray::fromHex("fffb00"
                                               "fffd00"
                                               "fffb2c"); // WILL/DO BINARY, WILL COM-PORT

QByteArray sb(const QByteArray &hex)
{
    return QByteArray::fromHex("fffa2c") + QByteArray::fromHex(hex) + QByteArray::fromHex("fff0");
}

} // namespace

class tst_TelnetStream : public QObject
{
    Q_OBJECT

private slots:
    void opensByAskingForBinaryAndComPort()
    {
        TelnetStream s;
        QCOMPARE(s.takeToPeer().toHex(), Opening.toHex());
        QCOMPARE(s.takeToPeer(), QByteArray());
        QCOMPARE(s.comPort(), TelnetStream::ComPort::Asked);
    }

    void payloadSentWithIacDoubled_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("plain") << QByteArrayLiteral("90x") << QByteArrayLiteral("90x");
        QTest::newRow("one IAC") << QByteArray::fromHex("41ff42") << QByteArray::fromHex("41ffff42");
        QTest::newRow("IACs only") << QByteArray::fromHex("ffff") << QByteArray::fromHex("ffffffff");
        QTest::newRow("CR stays CR") << QByteArrayLiteral("ATZ\r") << QByteArrayLiteral("ATZ\r");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void payloadSentWithIacDoubled()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, wire);
        TelnetStream s;
        s.takeToPeer();
        s.send(payload);
        QCOMPARE(s.takeToPeer().toHex(), wire.toHex());
    }

    // The payload comes out the same whatever the chunks it arrives in, without the commands mixed into it.
    void receivedPayloadWithoutCommands_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("plain") << QByteArrayLiteral("3x5x2x2x0x\r\n") << QByteArrayLiteral("3x5x2x2x0x\r\n");
        QTest::newRow("doubled IAC") << QByteArray::fromHex("41ffff42") << QByteArray::fromHex("41ff42");
        QTest::newRow("NOP and GA") << QByteArray::fromHex("41fff142fff943") << QByteArrayLiteral("ABC");
        QTest::newRow("negotiation") << QByteArray::fromHex("fffb03fffd0341fffb01") + "OK\r\n"
                                     << QByteArrayLiteral("AOK\r\n");
        QTest::newRow("modem state inside the payload")
            << QByteArrayLiteral("CONN") + sb("6b80") + QByteArrayLiteral("ECT 2400\r\n")
            << QByteArrayLiteral("CONNECT 2400\r\n");
        QTest::newRow("IAC inside a subnegotiation")
            << sb("6500ffff0960") + QByteArrayLiteral("x") << QByteArrayLiteral("x");
        QTest::newRow("CR NUL stays as it is") << QByteArray::fromHex("0d00") << QByteArray::fromHex("0d00");
    }
    void receivedPayloadWithoutCommands()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, payload);
        for (int chunk = 1; chunk <= stream.size(); ++chunk) {
            TelnetStream s;
            QByteArray got;
            for (qsizetype at = 0; at < stream.size(); at += chunk) {
                s.receive(stream.mid(at, chunk));
                got += s.takePayload();
            }
            QVERIFY2(got == payload, qPrintable(QStringLiteral("chunks of %1: %2").arg(chunk).arg(got.toHex())));
        }
    }

    void serverAcceptsComPortControl()
    {
        TelnetStream s;
        s.takeToPeer();
        s.receive(QByteArray::fromHex("fffd2c"));
        QCOMPARE(s.comPort(), TelnetStream::ComPort::Accepted);
        QCOMPARE(s.takeToPeer(), QByteArray()); // our own request, granted: nothing to answer

        LineSettings line;
        line.baudRate = 2400;
        s.setLine(line);
        QCOMPARE(s.takeToPeer().toHex(), (sb("0100000960") + sb("0208") + sb("0301") + sb("0401") + sb("0501")
                                          + sb("0508") + sb("050b") + sb("0c01"))
                                             .toHex());
        // Answers in any order, one control left unanswered: the line is set once each kind is answered.
        for (const char *answer : {"7001", "6500000960", "6608", "6701", "6801"}) {
            QVERIFY(!s.lineSet());
            s.receive(sb(answer));
        }
        QVERIFY(!s.lineSet());
        s.receive(sb("6901"));
        QVERIFY(s.lineSet());
    }

    void lineSettingsOnTheWire_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QByteArray>("messages");
        QTest::newRow("9600,e,7,2") << "9600,e,7,2" << sb("0100002580") + sb("0207") + sb("0303") + sb("0402");
        QTest::newRow("19200,o,8,1.5") << "19200,o,8,1.5" << sb("0100004b00") + sb("0208") + sb("0302") + sb("0403");
        QTest::newRow("an IAC in the baud rate is doubled")
            << "65535,m,5,1" << sb("010000ffffffff") + sb("0205") + sb("0304") + sb("0401");
    }
    void lineSettingsOnTheWire()
    {
        QFETCH(QString, settings);
        QFETCH(QByteArray, messages);
        TelnetStream s;
        s.receive(QByteArray::fromHex("fffd2c"));
        s.takeToPeer();
        s.setLine(*LineSettings::parse(settings));
        QVERIFY(s.takeToPeer().toHex().startsWith(messages.toHex()));
    }

    void serverRefusesComPortControl()
    {
        TelnetStream s;
        s.receive(QByteArray::fromHex("fffe2c"));
        QCOMPARE(s.comPort(), TelnetStream::ComPort::Refused);
    }

    void modemStateNotified()
    {
        TelnetStream s;
        QCOMPARE(s.modemState(), std::nullopt);
        s.receive(sb("6bb0"));
        QCOMPARE(s.modemState(), std::optional<quint8>(0xb0));
        s.receive(sb("6b30"));
        QCOMPARE(s.modemState(), std::optional<quint8>(0x30));
    }

    // Options we do not support are refused, as a Telnet client must.
    void unknownOptionRefused()
    {
        TelnetStream s;
        s.takeToPeer();
        s.receive(QByteArray::fromHex("fffb01"
                                      "fffd18"));
        QCOMPARE(s.takeToPeer().toHex(), QByteArray::fromHex("fffe01"
                                                             "fffc18")
                                             .toHex());
    }
};

SONARELLE_TEST_MAIN(tst_TelnetStream)
#include "tst_TelnetStream.moc"
