#include "TestMain.h"

#include "panel/ColumnReading.h"

using ColumnReading::Scale;

Q_DECLARE_METATYPE(ColumnReading::Scale)

namespace {

// A column of `lamps` lamps with the given ones lit.
QList<bool> column(int lamps, QList<int> litLamps)
{
    QList<bool> lit(lamps, false);
    for (int i : litLamps)
        lit[i] = true;
    return lit;
}

QList<int> all(int lamps)
{
    QList<int> every;
    for (int i = 0; i < lamps; ++i)
        every.append(i);
    return every;
}

} // namespace

class tst_ColumnReading : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<Scale>("scale");
        QTest::addColumn<QList<bool>>("lit");
        QTest::addColumn<QString>("expected");

        QTest::newRow("level 4") << "Peak Processing" << Scale::Levels << column(8, {3})
                                 << "Peak Processing: level 4 of 8";
        QTest::newRow("lowest level") << "Program Density" << Scale::Levels << column(8, {0})
                                      << "Program Density: level 1 of 8";
        QTest::newRow("highest level") << "Program Density" << Scale::Levels << column(8, {7})
                                       << "Program Density: level 8 of 8";
        QTest::newRow("-6 dB") << "Low EQ" << Scale::Decibels << column(5, {0}) << "Low EQ: -6 dB";
        QTest::newRow("-3 dB") << "Low EQ" << Scale::Decibels << column(5, {1}) << "Low EQ: -3 dB";
        QTest::newRow("0 dB") << "High EQ" << Scale::Decibels << column(5, {2}) << "High EQ: 0 dB";
        QTest::newRow("+3 dB") << "High EQ" << Scale::Decibels << column(5, {3}) << "High EQ: +3 dB";
        QTest::newRow("+6 dB") << "High EQ" << Scale::Decibels << column(5, {4}) << "High EQ: +6 dB";
        QTest::newRow("off line: all lit")
            << "Peak Processing" << Scale::Levels << column(8, all(8)) << "Peak Processing: no value";
        QTest::newRow("off line: all lit, dB")
            << "High EQ" << Scale::Decibels << column(5, all(5)) << "High EQ: no value";
        QTest::newRow("out of range: none lit")
            << "Program Density" << Scale::Levels << column(8, {}) << "Program Density: no value";
        QTest::newRow("two lit") << "Low EQ" << Scale::Decibels << column(5, {1, 3}) << "Low EQ: no value";
    }

    void text()
    {
        QFETCH(QString, title);
        QFETCH(Scale, scale);
        QFETCH(QList<bool>, lit);
        QFETCH(QString, expected);
        QCOMPARE(ColumnReading::text(title, scale, lit), expected);
    }
};

SONARELLE_TEST_MAIN(tst_ColumnReading)
#include "tst_ColumnReading.moc"
