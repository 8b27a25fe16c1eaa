#include "TestMain.h"

#include "processor/Protocol.h"

using Protocol::Reply;

Q_DECLARE_METATYPE(Protocol::Reply)

namespace Protocol {
// Lets QCOMPARE show the five values of a mismatch.
char *toString(const Reply &r)
{
    return qstrdup(QStringLiteral("PP %1, PD %2, HQ %3, LQ %4, Proof %5")
                       .arg(r.PP)
                       .arg(r.PD)
                       .arg(r.HQ)
                       .arg(r.LQ)
                       .arg(r.Proof)
                       .toLatin1()
                       .constData());
}
} // namespace Protocol

class tst_Protocol : public QObject
{
    Q_OBJECT

private slots:
    void commandTexts()
    {
        QCOMPARE(Protocol::StatusRequest, QByteArrayView("90x"));
        QCOMPARE(Protocol::WriteCommand, QByteArrayView("91x"));
        QCOMPARE(Protocol::WriteConfirmation, QByteArrayView("777x"));
        QCOMPARE(Protocol::ProofOnCommand, QByteArrayView("92x"));
        QCOMPARE(Protocol::ProofOffCommand, QByteArrayView("93x"));
        QCOMPARE(Protocol::SettingsToken, QByteArrayView("8x"));
    }

    void settingsString_data()
    {
        QTest::addColumn<int>("pp");
        QTest::addColumn<int>("pd");
        QTest::addColumn<int>("hq");
        QTest::addColumn<int>("lq");
        QTest::addColumn<QByteArray>("string");
        QTest::addColumn<QByteArray>("message");

        QTest::newRow("PP 3, PD 5, 0 dB, -3 dB")
            << 3 << 5 << 2 << 1 << QByteArrayLiteral("3x5x2x1x0x") << QByteArrayLiteral("8x3x5x2x1x0x");
        QTest::newRow("all at 0") << 0 << 0 << 0 << 0 << QByteArrayLiteral("0x0x0x0x0x")
                                  << QByteArrayLiteral("8x0x0x0x0x0x");
        QTest::newRow("all at the top") << 7 << 7 << 4 << 4 << QByteArrayLiteral("7x7x4x4x0x")
                                        << QByteArrayLiteral("8x7x7x4x4x0x");
        QTest::newRow("9s from a reply") << 9 << 9 << 9 << 9 << QByteArrayLiteral("9x9x9x9x0x")
                                         << QByteArrayLiteral("8x9x9x9x9x0x");
    }

    void settingsString()
    {
        QFETCH(int, pp);
        QFETCH(int, pd);
        QFETCH(int, hq);
        QFETCH(int, lq);
        QFETCH(QByteArray, string);
        QFETCH(QByteArray, message);

        QCOMPARE(Protocol::settingsString(qint16(pp), qint16(pd), qint16(hq), qint16(lq)), string);
        QCOMPARE(Protocol::settingsMessage(qint16(pp), qint16(pd), qint16(hq), qint16(lq)), message);
        // What the write puts on the line, "91x" and the message, is checked on the line itself
        // (tst_SettingsWrite).
    }

    void parseReply_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<Reply>("reply");

        QTest::newRow("7x0x4x0x1x and one more") << QByteArrayLiteral("7x0x4x0x1xA") << Reply{7, 0, 4, 0, 1};
        QTest::newRow("settings layout, proof off") << QByteArrayLiteral("3x5x2x1x0x") << Reply{3, 5, 2, 1, 0};
        QTest::newRow("letter at position 3") << QByteArrayLiteral("7xAx4x0x1xx") << Reply{7, 0, 4, 0, 1};
        QTest::newRow("all nines") << QByteArrayLiteral("9x9x9x9x9x9") << Reply{9, 9, 9, 9, 9};
        QTest::newRow("even positions never read") << QByteArrayLiteral("1929394959") << Reply{1, 2, 3, 4, 5};
        QTest::newRow("nothing after position 10 read") << QByteArrayLiteral("1x1x1x1x1x9x9x9") << Reply{1, 1, 1, 1, 1};
        QTest::newRow("short: missing positions read 0") << QByteArrayLiteral("6x5x4") << Reply{6, 5, 4, 0, 0};
        QTest::newRow("eight characters: proof missing") << QByteArrayLiteral("1x2x3x4x") << Reply{1, 2, 3, 4, 0};
        QTest::newRow("empty") << QByteArray() << Reply{};
        QTest::newRow("signs, blanks and controls read 0") << QByteArray("-x x\rx\0x+x", 11) << Reply{0, 0, 0, 0, 0};
        QTest::newRow("byte beyond ASCII reads 0")
            << QByteArray::fromHex("b97831783278ff783378") << Reply{0, 1, 2, 0, 3};
    }

    void parseReply()
    {
        QFETCH(QByteArray, received);
        QFETCH(Reply, reply);

        QCOMPARE(Protocol::parseReply(received), reply);
    }

    void replyArrived_data()
    {
        QTest::addColumn<int>("waiting");
        QTest::addColumn<bool>("arrived");

        QTest::newRow("none") << 0 << false;
        QTest::newRow("exactly 10") << 10 << false;
        QTest::newRow("11") << 11 << true;
        QTest::newRow("two replies") << 20 << true;
    }

    void replyArrived()
    {
        QFETCH(int, waiting);
        QFETCH(bool, arrived);

        QCOMPARE(Protocol::replyArrived(waiting), arrived);
    }

    void echoFound_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("found");

        const QByteArray s = QByteArrayLiteral("3x5x2x1x0x");
        QTest::newRow("echo at the start") << QByteArrayLiteral("3x5x2x1x0xQ") << s << true;
        QTest::newRow("echo after other characters") << QByteArrayLiteral("1x1x3x5x2x1x0x") << s << true;
        QTest::newRow("echo at the end of two replies") << QByteArrayLiteral("7x7x4x4x0x3x5x2x1x0x") << s << true;
        QTest::newRow("echo with proof on") << QByteArrayLiteral("3x5x2x1x1xQ") << s << false;
        QTest::newRow("upper-case X") << QByteArrayLiteral("3X5X2X1X0XQ") << s << false;
        QTest::newRow("cut short") << QByteArrayLiteral("3x5x2x1x0") << s << false;
        QTest::newRow("other values") << QByteArrayLiteral("3x5x2x2x0xQ") << s << false;
        QTest::newRow("nothing") << QByteArray() << s << false;
    }

    void echoFound()
    {
        QFETCH(QByteArray, received);
        QFETCH(QByteArray, settings);
        QFETCH(bool, found);

        QCOMPARE(Protocol::echoFound(received, settings), found);
    }

    void echoWithProofOnNeverMatchesAnySettingsString()
    {
        for (int pp = 0; pp <= 9; ++pp)
            for (int pd = 0; pd <= 9; ++pd)
                for (int hq = 0; hq <= 9; ++hq)
                    for (int lq = 0; lq <= 9; ++lq) {
                        const QByteArray echo = QByteArray::number(pp) + 'x' + QByteArray::number(pd) + 'x'
                                                + QByteArray::number(hq) + 'x' + QByteArray::number(lq) + "x1xQ";
                        const QByteArray settings =
                            Protocol::settingsString(qint16(pp), qint16(pd), qint16(hq), qint16(lq));
                        QVERIFY2(!Protocol::echoFound(echo, settings), echo.constData());
                    }
    }

    void proofTests_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<bool>("passes");      // the proof test alone
        QTest::addColumn<bool>("reportFound"); // and the arrival test with it

        QTest::newRow("on wanted, on reported") << QByteArrayLiteral("3x5x2x1x1xQ") << 1 << true << true;
        QTest::newRow("on wanted, off reported") << QByteArrayLiteral("3x5x2x1x0xQ") << 1 << false << false;
        QTest::newRow("off wanted, off reported") << QByteArrayLiteral("3x5x2x1x0xQ") << 0 << true << true;
        QTest::newRow("off wanted, on reported") << QByteArrayLiteral("3x5x2x1x1xQ") << 0 << false << false;
        QTest::newRow("on wanted, 9 reported") << QByteArrayLiteral("9x9x9x9x9x9") << 1 << false << false;
        QTest::newRow("off wanted, letter at 9") << QByteArrayLiteral("3x5x2x1xAxQ") << 0 << true << false;
        QTest::newRow("off wanted, 11 chars of noise")
            << QByteArrayLiteral("\xff\x00#@!?~\x80\x01zz") << 0 << true << false;
        QTest::newRow("off wanted, exactly 10 chars") << QByteArrayLiteral("3x5x2x1x0x") << 0 << true << false;
        QTest::newRow("off wanted, 8 chars") << QByteArrayLiteral("3x5x2x1x") << 0 << true << false;
        QTest::newRow("off wanted, nothing") << QByteArray() << 0 << true << false;
        QTest::newRow("on wanted, nothing") << QByteArray() << 1 << false << false;
    }

    void proofTests()
    {
        QFETCH(QByteArray, received);
        QFETCH(int, wanted);
        QFETCH(bool, passes);
        QFETCH(bool, reportFound);

        QCOMPARE(Protocol::proofTestPasses(received, qint16(wanted)), passes);
        QCOMPARE(Protocol::proofReportFound(received, qint16(wanted)), reportFound);
    }
};

SONARELLE_TEST_MAIN(tst_Protocol)
#include "tst_Protocol.moc"
