#include "TestMain.h"

#include "panel/Lamp.h"
#include "panel/frmMain.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

class tst_frmMain : public QObject
{
    Q_OBJECT

private slots:
    void paintingLightsOneLamp_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("litLamp"); // -1: none

        QTest::newRow("Peak 3 lights the lamp beside 4") << 0 << 3 << 3;
        QTest::newRow("Program 9 lights none") << 1 << 9 << -1;
        QTest::newRow("High 2 lights 0dB") << 2 << 2 << 2;
        QTest::newRow("High 0 lights -6") << 2 << 0 << 0;
        QTest::newRow("Low 8 lights none") << 3 << 8 << -1;
    }

    void paintingLightsOneLamp()
    {
        QFETCH(int, column);
        QFETCH(int, value);
        QFETCH(int, litLamp);

        frmMain w;
        w.Form_Load();
        const QList<QVector<Lamp *> *> lamps{&w.picPP, &w.picPD, &w.picHQ, &w.picLQ};
        const QList<qint16 *> fields{&w.PP_Level, &w.PD_Level, &w.HQ_Level, &w.LQ_Level};
        const QList<void (frmMain::*)()> painters{&frmMain::Peak, &frmMain::Program, &frmMain::High, &frmMain::Low};

        *fields[column] = qint16(value);
        (w.*painters[column])();
        for (int i = 0; i < lamps[column]->size(); ++i)
            QCOMPARE(lamps[column]->at(i)->lit(), i == litLamp);

        w.Displays_On();
        for (auto *col : lamps)
            for (Lamp *lamp : *col)
                QVERIFY(lamp->lit());
    }
};

SONARELLE_TEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
