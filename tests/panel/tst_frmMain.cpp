#include "TestMain.h"

#include "link/Pacing.h"
#include "panel/Lamp.h"
#include "panel/ReadoutBox.h"
#include "panel/Twips.h"
#include "panel/frmMain.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include <memory>

namespace {

QList<QVector<Lamp *> *> columnsOf(frmMain &w)
{
    return {&w.picPP, &w.picPD, &w.picHQ, &w.picLQ};
}

QList<QPushButton *> adjustButtonsOf(frmMain &w)
{
    return {w.cmdPP_Up, w.cmdPP_Dn, w.cmdPD_Up, w.cmdPD_Dn, w.cmdHigh, w.cmdLow};
}

// Front first, as the banners stack.
QList<QLabel *> bannersOf(frmMain &w)
{
    return {w.lblNoDialtone, w.lblBusy,    w.lblInitializing, w.lblUpdating, w.lblOffLine,
            w.lblProof,      w.lblHanging, w.lblConnected,    w.lblDialing};
}

} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmMain> loaded; // one window after Draw_Form, for the tests that only look at it

private slots:
    void initTestCase()
    {
        // A click on an enabled adjustment button runs a settings write; on a closed port it only waits.
        Pacing::setTestClockRate(1000);
        loaded = std::make_unique<frmMain>();
        loaded->Form_Load();
    }

    void cleanupTestCase() { loaded.reset(); }

    void offLineStateAfterDrawForm_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expected");

        QTest::newRow("all 26 lamps lit") << "lamps lit"
                                          << "26 of 26";
        QTest::newRow("adjustment buttons disabled, still visible") << "adjustment buttons"
                                                                    << "0 enabled, 6 visible";
        QTest::newRow("cmdConnect") << "cmdConnect"
                                    << "&Connect enabled";
        QTest::newRow("cmdExit") << "cmdExit"
                                 << "E&xit enabled";
        QTest::newRow("only Off Line shown") << "banners shown"
                                             << "Off Line";
        QTest::newRow("mnuProof disabled, unchecked") << "mnuProof"
                                                      << "disabled unchecked";
        QTest::newRow("other menu items enabled") << "other menu items"
                                                  << "5 of 5 enabled";
        QTest::newRow("timers disabled") << "timers"
                                         << "Timer1 stopped, Timer2 stopped";
        QTest::newRow("picShow empty") << "picShow"
                                       << "";
        QTest::newRow("serial port closed") << "serial port"
                                            << "closed";
        QTest::newRow("processor settings 0") << "settings"
                                              << "0 0 0 0 0";
    }

    void offLineStateAfterDrawForm()
    {
        QFETCH(QString, item);
        QFETCH(QString, expected);
        frmMain &w = *loaded;
        QString actual;
        if (item == "lamps lit") {
            int lit = 0, all = 0;
            for (auto *column : columnsOf(w))
                for (Lamp *lamp : *column) {
                    ++all;
                    lit += lamp->lit();
                }
            actual = QString("%1 of %2").arg(lit).arg(all);
        } else if (item == "adjustment buttons") {
            int enabled = 0, visible = 0;
            for (QPushButton *b : adjustButtonsOf(w)) {
                enabled += b->isEnabled();
                visible += b->isVisibleTo(&w);
            }
            actual = QString("%1 enabled, %2 visible").arg(enabled).arg(visible);
        } else if (item == "cmdConnect" || item == "cmdExit") {
            QPushButton *b = item == "cmdConnect" ? w.cmdConnect : w.cmdExit;
            actual = b->text() + (b->isEnabled() ? " enabled" : " disabled");
        } else if (item == "banners shown") {
            QStringList shown;
            for (QLabel *banner : bannersOf(w))
                if (banner->isVisibleTo(&w))
                    shown << banner->text();
            actual = shown.join(", ");
        } else if (item == "mnuProof") {
            actual = QString(w.mnuProof->isEnabled() ? "enabled" : "disabled")
                     + (w.mnuProof->isChecked() ? " checked" : " unchecked");
        } else if (item == "other menu items") {
            const QList<QAction *> others{w.mnuFileSave, w.mnuFileExit, w.mnuModemSettings, w.mnuAbout,
                                          w.mnuHelpMenu->menuAction()};
            int enabled = 0;
            for (QAction *a : others)
                enabled += a->isEnabled();
            actual = QString("%1 of %2 enabled").arg(enabled).arg(others.size());
        } else if (item == "timers") {
            actual = QString("Timer1 %1, Timer2 %2")
                         .arg(w.Timer1.isActive() ? "running" : "stopped", w.Timer2.isActive() ? "running" : "stopped");
        } else if (item == "picShow") {
            actual = w.picShow->lines().join('\n');
        } else if (item == "serial port") {
            actual = w.MSComm1.PortOpen() ? "open" : "closed";
        } else if (item == "settings") {
            actual = QString("%1 %2 %3 %4 %5")
                         .arg(w.PP_Level)
                         .arg(w.PD_Level)
                         .arg(w.HQ_Level)
                         .arg(w.LQ_Level)
                         .arg(w.Proof_Flag);
        }
        QCOMPARE(actual, expected);
    }

    void lampPlaces_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("left");
        QTest::addColumn<QList<int>>("tops"); // lamp 0 upward, in twips

        QTest::newRow("Peak Processing") << 0 << 360 << QList<int>{1560, 1410, 1260, 1110, 960, 810, 660, 510};
        QTest::newRow("Program Density") << 1 << 2760 << QList<int>{1560, 1410, 1260, 1110, 960, 810, 660, 510};
        QTest::newRow("High EQ") << 2 << 5160 << QList<int>{960, 810, 660, 510, 360};
        QTest::newRow("Low EQ") << 3 << 5160 << QList<int>{1710, 1560, 1410, 1260, 1110};
    }

    void lampPlaces()
    {
        QFETCH(int, column);
        QFETCH(int, left);
        QFETCH(QList<int>, tops);
        const QVector<Lamp *> &lamps = *columnsOf(*loaded)[column];
        QCOMPARE(lamps.size(), tops.size());
        for (int i = 0; i < lamps.size(); ++i) {
            QCOMPARE(lamps[i]->geometry(), Twips::rect(left, tops[i], 255, 135));
            QCOMPARE(lamps[i]->frameStyle(), lamps[0]->frameStyle());
            QCOMPARE(lamps[i]->lineWidth(), 1);
            QCOMPARE(lamps[i]->parentWidget(), lamps[0]->parentWidget());
            QVERIFY(lamps[i]->isVisibleTo(loaded.get()));
        }
    }

    void paintingLightsOneLamp_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("litLamp"); // -1: none

        QTest::newRow("Peak 3 lights the lamp beside 4") << 0 << 3 << 3;
        QTest::newRow("Peak 0 lights 1 (MIN)") << 0 << 0 << 0;
        QTest::newRow("Peak 8 lights none") << 0 << 8 << -1;
        QTest::newRow("Program 7 lights 8 (MAX)") << 1 << 7 << 7;
        QTest::newRow("Program 9 lights none") << 1 << 9 << -1;
        QTest::newRow("High 2 lights 0dB") << 2 << 2 << 2;
        QTest::newRow("High 0 lights -6") << 2 << 0 << 0;
        QTest::newRow("High 9 lights none") << 2 << 9 << -1;
        QTest::newRow("Low 4 lights +6") << 3 << 4 << 4;
        QTest::newRow("Low 5 lights none") << 3 << 5 << -1;
        QTest::newRow("Low 8 lights none") << 3 << 8 << -1;
    }

    void paintingLightsOneLamp()
    {
        QFETCH(int, column);
        QFETCH(int, value);
        QFETCH(int, litLamp);

        frmMain w;
        w.Form_Load();
        const QList<QVector<Lamp *> *> lamps = columnsOf(w);
        const QList<qint16 *> fields{&w.PP_Level, &w.PD_Level, &w.HQ_Level, &w.LQ_Level};
        const QList<void (frmMain::*)()> painters{&frmMain::Peak, &frmMain::Program, &frmMain::High, &frmMain::Low};

        *fields[column] = qint16(value);
        (w.*painters[column])();
        for (int c = 0; c < lamps.size(); ++c)
            for (int i = 0; i < lamps[c]->size(); ++i)
                QCOMPARE(lamps[c]->at(i)->lit(), c == column ? i == litLamp : true);
        QCOMPARE(*fields[column], qint16(value)); // painting reads the field and changes nothing

        w.Displays_On();
        for (auto *col : lamps)
            for (Lamp *lamp : *col)
                QVERIFY(lamp->lit());
    }

    void litAndUnlitLampColours()
    {
        Lamp lamp;
        lamp.resize(17, 9);
        lamp.setLit(true);
        QCOMPARE(lamp.grab().toImage().pixelColor(8, 4), QColor(255, 0, 0));
        lamp.setLit(false);
        QCOMPARE(lamp.grab().toImage().pixelColor(8, 4), QColor(255, 255, 255));
        QCOMPARE(lamp.grab().toImage().pixelColor(0, 0), QColor(0, 0, 0)); // the thin border
    }

    void controlPlaces_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips"); // left, top, width, height

        QTest::newRow("cmdPP_Up") << "cmdPP_Up" << QRect(1680, 480, 495, 255);
        QTest::newRow("cmdPP_Dn") << "cmdPP_Dn" << QRect(1680, 1440, 495, 255);
        QTest::newRow("cmdPD_Up") << "cmdPD_Up" << QRect(4080, 480, 495, 255);
        QTest::newRow("cmdPD_Dn") << "cmdPD_Dn" << QRect(4080, 1440, 495, 255);
        QTest::newRow("cmdHigh") << "cmdHigh" << QRect(6480, 480, 495, 255);
        QTest::newRow("cmdLow") << "cmdLow" << QRect(6480, 1440, 495, 255);
        QTest::newRow("cmdConnect") << "cmdConnect" << QRect(7440, 840, 1215, 495);
        QTest::newRow("cmdExit") << "cmdExit" << QRect(7440, 1440, 1215, 495);
        QTest::newRow("picShow") << "picShow" << QRect(7440, 120, 1215, 615);
        QTest::newRow("lblOffLine") << "lblOffLine" << QRect(120, 2160, 8535, 255);
        QTest::newRow("lblDialing") << "lblDialing" << QRect(120, 2160, 8535, 255);
        QTest::newRow("lblProof") << "lblProof" << QRect(120, 2100, 8535, 375);
        QTest::newRow("Label2(0) PEAK PROCESSING") << "Label2(0)" << QRect(840, 960, 1335, 375);
        QTest::newRow("Label2(4) LOW") << "Label2(4)" << QRect(6480, 1680, 495, 135);
        QTest::newRow("Label1 Peak 1 (MIN)") << "Label1(0)" << QRect(720, 1520, 615, 180);
        QTest::newRow("Label1 Program 8 (MAX)") << "Label1(15)" << QRect(3120, 465, 615, 180);
        QTest::newRow("Label1 High 0dB") << "Label1(18)" << QRect(5520, 615, 375, 180);
        QTest::newRow("Label1 Low +6") << "Label1(25)" << QRect(5520, 1065, 255, 180);
    }

    void controlPlaces()
    {
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        frmMain &w = *loaded;
        const QHash<QString, QWidget *> byName{
            {"cmdPP_Up", w.cmdPP_Up},     {"cmdPP_Dn", w.cmdPP_Dn},     {"cmdPD_Up", w.cmdPD_Up},
            {"cmdPD_Dn", w.cmdPD_Dn},     {"cmdHigh", w.cmdHigh},       {"cmdLow", w.cmdLow},
            {"cmdConnect", w.cmdConnect}, {"cmdExit", w.cmdExit},       {"picShow", w.picShow},
            {"lblOffLine", w.lblOffLine}, {"lblDialing", w.lblDialing}, {"lblProof", w.lblProof},
            {"Label2(0)", w.Label2[0]},   {"Label2(4)", w.Label2[4]},   {"Label1(0)", w.Label1[0]},
            {"Label1(15)", w.Label1[15]}, {"Label1(18)", w.Label1[18]}, {"Label1(25)", w.Label1[25]},
        };
        QWidget *widget = byName.value(control);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), w.centralWidget());
        QCOMPARE(widget->geometry(), Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    }

    void scaleLabelsAndHeadings()
    {
        frmMain &w = *loaded;
        QCOMPARE(w.Label1.size(), 26);
        QStringList captions;
        for (QLabel *l : w.Label1)
            captions << l->text();
        QCOMPARE(captions.join(','), QString("1 (MIN),2,3,4,5,6,7,8 (MAX),1 (MIN),2,3,4,5,6,7,8 (MAX),"
                                             "-6,-3,0dB,+3,+6,-6,-3,0dB,+3,+6"));
        QStringList headings;
        for (QLabel *l : w.Label2) {
            headings << l->text();
            QVERIFY(l->font().bold());
            QVERIFY(l->wordWrap());
        }
        QCOMPARE(headings.join(','), QString("PEAK PROCESSING,PROGRAM DENSITY,EQUALIZATION,HIGH,LOW"));
    }

    void windowFrameAndClientArea()
    {
        frmMain w;
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QString("Brevantic Inc.  Sonarelle - Internet Audio Processor"));
        QCOMPARE(w.centralWidget()->size(), Twips::size(8790, 2565));
        QCOMPARE(w.centralWidget()->y(), w.menuBar()->height());
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!w.windowIcon().isNull());
        const QRect screen = w.screen()->geometry();
        QVERIFY(qAbs(w.frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(w.frameGeometry().center().y() - screen.center().y()) <= 1);

        // The controls keep their places when the window is resized.
        const QRect exitPlace = w.cmdExit->geometry();
        w.resize(w.width() + 80, w.height() + 40);
        QCOMPARE(w.cmdExit->geometry(), exitPlace);
    }

    void menuBar()
    {
        frmMain &w = *loaded;
        QStringList menus;
        for (QAction *a : w.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({"&File", "&Modem", "&Help"}));
        QStringList file;
        for (QAction *a : w.mnuFile->actions())
            file << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(file, QStringList({"&Save Settings", "&Proof", "-", "E&xit"}));
        QCOMPARE(w.mnuModemSettings->text(), QString("&Modem Settings"));
        QCOMPARE(w.mnuAbout->text(), QString("About"));
        for (QAction *a : {w.mnuFileSave, w.mnuProof, w.mnuFileExit, w.mnuModemSettings, w.mnuAbout})
            QVERIFY(a->shortcut().isEmpty());
    }

    void adjustmentButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("pointsUp");
        QTest::addColumn<QString>("toolTip");

        QTest::newRow("cmdPP_Up") << 0 << true << "Click to Increase Peak Processing";
        QTest::newRow("cmdPP_Dn") << 1 << false << "Click to Decrease Peak Processing";
        QTest::newRow("cmdPD_Up") << 2 << true << "Click to Increase Program Density";
        QTest::newRow("cmdPD_Dn") << 3 << false << "Click to Decrease Program Density";
        QTest::newRow("cmdHigh") << 4 << true << "Cycle the High EQ Setting";
        QTest::newRow("cmdLow") << 5 << true << "Cycle the Low EQ Setting";
    }

    // Looks at the button's face: the triangle's tip row is narrower than its base row.
    void adjustmentButtons()
    {
        QFETCH(int, button);
        QFETCH(bool, pointsUp);
        QFETCH(QString, toolTip);
        frmMain w;
        w.Form_Load();
        w.ButtonShow();
        QPushButton *b = adjustButtonsOf(w)[button];
        QCOMPARE(b->toolTip(), toolTip);
        QVERIFY(b->text().isEmpty());

        const QImage face = b->grab().toImage();
        const QColor cyan(0, 128, 128);
        QList<int> widths;
        for (int y = 0; y < face.height(); ++y) {
            int n = 0;
            for (int x = 0; x < face.width(); ++x)
                n += face.pixelColor(x, y) == cyan;
            if (n > 0)
                widths << n;
        }
        QVERIFY2(widths.size() >= 8, "the triangle shows on the button");
        QCOMPARE(widths.first() < widths.last(), pointsUp);

        // Disabled, a click does nothing and the button stays where it is.
        w.ButtonHide();
        QSignalSpy clicked(b, &QPushButton::clicked);
        QVERIFY(clicked.isValid());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(b->isVisible());
        w.ButtonShow();
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    // Each banner shown with the one directly behind it: the front one is the one seen there (by the widget
    // under the point, which tells the three yellow banners apart, and by its colour).
    void bannerStacking_data()
    {
        QTest::addColumn<int>("front"); // index in the front-first order
        for (int i = 0; i < 8; ++i)
            QTest::newRow(qPrintable(QString("banner %1 over %2").arg(i).arg(i + 1))) << i;
    }

    void bannerStacking()
    {
        QFETCH(int, front);
        frmMain w;
        w.Form_Load();
        w.lblOffLine->hide();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QList<QLabel *> banners = bannersOf(w);
        banners[front + 1]->show();
        banners[front]->show();
        const QImage shot = w.centralWidget()->grab().toImage();
        const QPoint middleLeft = Twips::at(120 + 60, 2160 + 128);
        QCOMPARE(banners[front]->parentWidget(), w.centralWidget());
        QCOMPARE(w.centralWidget()->childAt(middleLeft), banners[front]);
        QCOMPARE(shot.pixelColor(middleLeft), banners[front]->palette().color(QPalette::Window));
    }

    void proofBannerEdgesShowAroundAShorterBanner()
    {
        frmMain w;
        w.Form_Load();
        w.lblOffLine->hide();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QColor red(255, 0, 0), lightGreen(128, 255, 128);
        const QPoint middle = Twips::at(120 + 60, 2160 + 128);
        const QPoint aboveShort = Twips::at(120 + 60, 2100 + 30);
        const QPoint belowShort = Twips::at(120 + 60, 2160 + 255 + 30);

        w.lblConnected->show();
        QCOMPARE(w.centralWidget()->grab().toImage().pixelColor(middle), lightGreen);
        w.lblProof->show();
        QImage shot = w.centralWidget()->grab().toImage();
        QCOMPARE(shot.pixelColor(middle), red);
        QCOMPARE(shot.pixelColor(aboveShort), red);

        w.lblUpdating->show();
        shot = w.centralWidget()->grab().toImage();
        QCOMPARE(shot.pixelColor(middle), lightGreen);
        QCOMPARE(shot.pixelColor(aboveShort), red);
        QCOMPARE(shot.pixelColor(belowShort), red);
    }
};

SONARELLE_TEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
