#include "TestMain.h"

#include "panel/Twips.h"
#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/TabControl.h"
#include "settings/frmModem.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

Q_DECLARE_METATYPE(QRect)

namespace {

const QColor Red(255, 0, 0);

QWidget *control(frmModem &f, const QString &name)
{
    const QMap<QString, QWidget *> controls{{"optDirect", f.optDirect},
                                            {"optModem", f.optModem},
                                            {"cmbPort", f.cmbPort},
                                            {"optTone", f.optTone},
                                            {"optPulse", f.optPulse},
                                            {"txtPhoneNumber", f.txtPhoneNumber},
                                            {"chkOutside", f.chkOutside},
                                            {"txt9", f.txt9},
                                            {"chkWaiting", f.chkWaiting},
                                            {"txt70", f.txt70},
                                            {"cmbModem", f.cmbModem},
                                            {"optOff", f.optOff},
                                            {"optLow", f.optLow},
                                            {"optLoud", f.optLoud},
                                            {"chkModemIni", f.chkModemIni},
                                            {"txtModemIni", f.txtModemIni},
                                            {"cmdOk", f.cmdOk},
                                            {"cmdClose", f.cmdClose},
                                            {"SSTab1", f.SSTab1},
                                            {"Frame1", f.Frame1},
                                            {"Frame2", f.Frame2},
                                            {"Frame3", f.Frame3},
                                            {"Frame4", f.Frame4},
                                            {"Frame5", f.Frame5},
                                            {"Frame6", f.Frame6},
                                            {"Label2", f.Label2},
                                            {"Label3", f.Label3},
                                            {"Label4", f.Label4},
                                            {"Label5", f.Label5},
                                            {"Label6", f.Label6},
                                            {"Label7", f.Label7}};
    return controls.value(name);
}

// The fourteen controls whose enabled state the rules set, in the order the rules set them.
const QStringList RuledControls{"cmbPort",    "optTone", "optPulse",    "txtPhoneNumber", "chkOutside",
                                "chkWaiting", "txt9",    "txt70",       "cmbModem",       "optOff",
                                "optLow",     "optLoud", "chkModemIni", "txtModemIni"};

} // namespace

class tst_frmModem : public QObject
{
    Q_OBJECT

private slots:
    void createdHiddenWithItsInitialValues()
    {
        frmMain w;
        frmModem &f = w.Modem();
        QVERIFY(!f.isVisible());
        QVERIFY(!f.isModal());
        QCOMPARE(f.windowTitle(), QStringLiteral("Modem Settings"));
        QCOMPARE(f.size(), Twips::size(4260, 5520));
        QCOMPARE(f.SSTab1->count(), 3);
        QCOMPARE(f.SSTab1->tabText(0), QStringLiteral("Connection"));
        QCOMPARE(f.SSTab1->tabText(1), QStringLiteral("Dialing"));
        QCOMPARE(f.SSTab1->tabText(2), QStringLiteral("Modem Setup"));
        QCOMPARE(f.SSTab1->currentIndex(), 0);
        QCOMPARE(f.SSTab1->backColor(), QColor(192, 192, 192));

        for (QRadioButton *b : {f.optDirect, f.optModem, f.optTone, f.optPulse, f.optOff, f.optLow, f.optLoud})
            QCOMPARE(value(b), qint16(0));
        for (QCheckBox *b : {f.chkOutside, f.chkWaiting, f.chkModemIni})
            QCOMPARE(value(b), 0);
        QCOMPARE(f.cmbPort->currentText(), QStringLiteral("COM 1"));
        QCOMPARE(f.cmbModem->currentText(), QStringLiteral("COM 3"));
        QCOMPARE(f.txtPhoneNumber->text(), QString());
        QCOMPARE(f.txt9->text(), QStringLiteral("9"));
        QCOMPARE(f.txt70->text(), QStringLiteral("*70"));
        QCOMPARE(f.txtModemIni->text(), QStringLiteral("AT"));
        const QStringList initiallyDisabled{"txt9", "txt70", "txtModemIni"};
        for (const QString &name : RuledControls)
            QVERIFY2(control(f, name)->isEnabled() == !initiallyDisabled.contains(name), qPrintable(name));
        for (QComboBox *box : {f.cmbPort, f.cmbModem}) {
            QVERIFY(box->isEditable());
            QCOMPARE(box->count(), 4);
            QCOMPARE(box->itemText(3), QStringLiteral("COM 4"));
        }
    }

    void captionsAndTips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");

        QTest::newRow("optDirect") << "optDirect"
                                   << "Direct Cable"
                                   << "";
        QTest::newRow("optModem") << "optModem"
                                  << "Modem"
                                  << "";
        QTest::newRow("optTone") << "optTone"
                                 << "Tone"
                                 << "";
        QTest::newRow("optPulse") << "optPulse"
                                  << "Pulse"
                                  << "";
        QTest::newRow("optOff") << "optOff"
                                << "Off"
                                << "";
        QTest::newRow("optLow") << "optLow"
                                << "Low"
                                << "";
        QTest::newRow("optLoud") << "optLoud"
                                 << "Loud"
                                 << "";
        QTest::newRow("chkOutside") << "chkOutside"
                                    << "Dial for outside line."
                                    << "Check if you need to dial a number to get an outside line.";
        QTest::newRow("chkWaiting") << "chkWaiting"
                                    << "Disable Call waiting."
                                    << "Check to disable call waiting.";
        QTest::newRow("chkModemIni") << "chkModemIni"
                                     << "Ini. String"
                                     << "Check to add Custom AT commands to the modem settings.";
        QTest::newRow("cmdOk") << "cmdOk"
                               << "&Ok"
                               << "Click to Save Changes to Settings";
        QTest::newRow("cmdClose") << "cmdClose"
                                  << "&Cancel"
                                  << "Cl;ick to Exit Setting";
        QTest::newRow("cmbPort") << "cmbPort"
                                 << ""
                                 << "Pick Direct Cable Com Port";
        QTest::newRow("cmbModem") << "cmbModem"
                                  << ""
                                  << "Choose which Com Port your modem is set to.";
        QTest::newRow("txtPhoneNumber") << "txtPhoneNumber"
                                        << ""
                                        << "Double Click to Change Phone Number";
        QTest::newRow("Frame4") << "Frame4"
                                << ""
                                << "Connect via a Direct Cable or Modem.";
        QTest::newRow("Frame6") << "Frame6"
                                << ""
                                << "Set the internal Modem Speaker Volume.";
        QTest::newRow("Frame1") << "Frame1"
                                << "Tip"
                                << "";
        QTest::newRow("Frame2") << "Frame2"
                                << "Tip"
                                << "";
        QTest::newRow("Frame3") << "Frame3"
                                << "Tip"
                                << "";
        QTest::newRow("Label5") << "Label5"
                                << "Dialing Mode / Number"
                                << "";
        QTest::newRow("Label6") << "Label6"
                                << "Modem Port"
                                << "";
        QTest::newRow("Label7") << "Label7"
                                << "Modem Speaker            Volume"
                                << "";
        QTest::newRow("Label2") << "Label2"
                                << "Pick which way you are going to connect your computer to the Sonarelle.  If by a "
                                   "direct cable, pick which COM port you are going to use.  (Usually COM1 or COM2)"
                                << "";
        QTest::newRow("Label3")
            << "Label3"
            << "Select which mode your modem will use in dialing on an outside line." + QString(34, ' ')
                   + "If you need to dial a 9 (or other number) to get an outside line, check that box."
                   + QString(15, ' ') + "To disable call waiting while connected to the Sonarelle, check this box."
            << "";
        QTest::newRow("Label4")
            << "Label4"
            << "Pick which ComPort your modem is connected to and what the volume level you want "
               "through your modem's speakers."
                   + QString(9, ' ')
                   + "If you need to send any additional commands to your modem, use the area provided and check the "
                     "Ini. String box."
            << "";
    }

    void captionsAndTips()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        frmMain w;
        QWidget *c = control(w.Modem(), name);
        QVERIFY(c);
        if (auto *b = qobject_cast<QAbstractButton *>(c))
            QCOMPARE(b->text(), caption);
        else if (auto *g = qobject_cast<QGroupBox *>(c))
            QCOMPARE(g->title(), caption);
        else if (auto *l = qobject_cast<QLabel *>(c))
            QCOMPARE(l->text(), caption);
        QCOMPARE(c->toolTip(), tip);
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");

        QTest::newRow("SSTab1") << "SSTab1"
                                << "" << QRect(0, 0, 4245, 5535);
        QTest::newRow("cmdOk") << "cmdOk"
                               << "" << QRect(1680, 4920, 1095, 495);
        QTest::newRow("cmdClose") << "cmdClose"
                                  << "" << QRect(2880, 4920, 1095, 495);
        QTest::newRow("Frame4") << "Frame4"
                                << "Connection" << QRect(240, 480, 3735, 1095);
        QTest::newRow("optDirect") << "optDirect"
                                   << "Frame4" << QRect(240, 240, 1455, 255);
        QTest::newRow("optModem") << "optModem"
                                  << "Frame4" << QRect(240, 720, 1095, 255);
        QTest::newRow("cmbPort") << "cmbPort"
                                 << "Frame4" << QRect(1800, 240, 1695, 315);
        QTest::newRow("Frame1") << "Frame1"
                                << "Connection" << QRect(240, 2880, 3735, 1935);
        QTest::newRow("Label2") << "Label2"
                                << "Frame1" << QRect(360, 480, 3255, 975);
        QTest::newRow("Frame5") << "Frame5"
                                << "Dialing" << QRect(240, 480, 3735, 1095);
        QTest::newRow("optTone") << "optTone"
                                 << "Frame5" << QRect(240, 240, 975, 255);
        QTest::newRow("optPulse") << "optPulse"
                                  << "Frame5" << QRect(240, 720, 1095, 195);
        QTest::newRow("Label5") << "Label5"
                                << "Frame5" << QRect(1200, 240, 2295, 255);
        QTest::newRow("txtPhoneNumber") << "txtPhoneNumber"
                                        << "Frame5" << QRect(1200, 600, 2295, 285);
        QTest::newRow("chkOutside") << "chkOutside"
                                    << "Dialing" << QRect(480, 1920, 1695, 375);
        QTest::newRow("txt9") << "txt9"
                              << "Dialing" << QRect(3120, 1920, 615, 285);
        QTest::newRow("chkWaiting") << "chkWaiting"
                                    << "Dialing" << QRect(480, 2400, 1815, 375);
        QTest::newRow("txt70") << "txt70"
                               << "Dialing" << QRect(3120, 2400, 615, 285);
        QTest::newRow("Frame2") << "Frame2"
                                << "Dialing" << QRect(240, 2880, 3735, 1935);
        QTest::newRow("Label3") << "Label3"
                                << "Frame2" << QRect(360, 360, 3255, 1335);
        QTest::newRow("Label6") << "Label6"
                                << "Modem Setup" << QRect(480, 720, 1335, 255);
        QTest::newRow("cmbModem") << "cmbModem"
                                  << "Modem Setup" << QRect(2040, 720, 1695, 315);
        QTest::newRow("Frame6") << "Frame6"
                                << "Modem Setup" << QRect(240, 1080, 3735, 1335);
        QTest::newRow("optOff") << "optOff"
                                << "Frame6" << QRect(240, 120, 1095, 375);
        QTest::newRow("optLow") << "optLow"
                                << "Frame6" << QRect(240, 480, 1095, 375);
        QTest::newRow("optLoud") << "optLoud"
                                 << "Frame6" << QRect(240, 840, 1095, 375);
        QTest::newRow("Label7") << "Label7"
                                << "Frame6" << QRect(2040, 480, 1335, 495);
        QTest::newRow("chkModemIni") << "chkModemIni"
                                     << "Modem Setup" << QRect(480, 2475, 975, 375);
        QTest::newRow("txtModemIni") << "txtModemIni"
                                     << "Modem Setup" << QRect(1560, 2520, 2175, 315);
        QTest::newRow("Frame3") << "Frame3"
                                << "Modem Setup" << QRect(240, 2880, 3735, 1935);
        QTest::newRow("Label4") << "Label4"
                                << "Frame3" << QRect(360, 480, 3255, 1335);
    }

    // Every control sits at its place in twips within its container; a page's places are measured from the
    // tab control's own corner, tab row included.
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        frmMain w;
        frmModem &f = w.Modem();
        f.show();
        QWidget *c = control(f, name);
        const QStringList pages{"Connection", "Dialing", "Modem Setup"};
        QWidget *expectedParent = container.isEmpty()         ? &f
                                  : pages.contains(container) ? f.SSTab1->widget(pages.indexOf(container))
                                                              : control(f, container);
        QCOMPARE(c->parentWidget(), expectedParent);
        QCOMPARE(c->geometry(), Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
        if (pages.contains(container))
            QCOMPARE(expectedParent->geometry(), f.SSTab1->rect());
    }

    void enableRules_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<int>("outside");
        QTest::addColumn<int>("waiting");
        QTest::addColumn<int>("ini");

        for (const QString connection : {"direct", "modem", "neither"})
            for (int outside : {0, 1})
                for (int waiting : {0, 1})
                    for (int ini : {0, 1})
                        QTest::addRow("%s outside=%d waiting=%d ini=%d", qPrintable(connection), outside, waiting, ini)
                            << connection << outside << waiting << ini;
        QTest::newRow("modem, greyed boxes count as clear") << "modem" << 2 << 2 << 2;
    }

    // One table over the connection choice and the three boxes: the test is on optDirect alone.
    void enableRules()
    {
        QFETCH(QString, connection);
        QFETCH(int, outside);
        QFETCH(int, waiting);
        QFETCH(int, ini);
        frmMain w;
        frmModem &f = w.Modem();
        setValue(f.optDirect, connection == "direct" ? -1 : 0);
        setValue(f.optModem, connection == "modem" ? -1 : 0);
        setValue(f.chkOutside, outside);
        setValue(f.chkWaiting, waiting);
        setValue(f.chkModemIni, ini);
        f.FrmModemUpdate();

        const bool direct = connection == "direct";
        const QMap<QString, bool> expected{{"cmbPort", direct},
                                           {"optTone", !direct},
                                           {"optPulse", !direct},
                                           {"txtPhoneNumber", !direct},
                                           {"chkOutside", !direct},
                                           {"chkWaiting", !direct},
                                           {"txt9", !direct && outside == 1},
                                           {"txt70", !direct && waiting == 1},
                                           {"cmbModem", !direct},
                                           {"optOff", !direct},
                                           {"optLow", !direct},
                                           {"optLoud", !direct},
                                           {"chkModemIni", !direct},
                                           {"txtModemIni", !direct && ini == 1}};
        for (const QString &name : RuledControls)
            QVERIFY2(control(f, name)->isEnabled() == expected.value(name), qPrintable(name));
        for (QWidget *never :
             {static_cast<QWidget *>(f.optDirect), static_cast<QWidget *>(f.optModem), static_cast<QWidget *>(f.cmdOk),
              static_cast<QWidget *>(f.cmdClose), static_cast<QWidget *>(f.SSTab1)})
            QVERIFY(never->isEnabled());
        QCOMPARE(value(f.optDirect), qint16(direct ? -1 : 0));
        QCOMPARE(value(f.chkOutside), outside);
    }

    // The change events run the rules whether the program or the operator makes the change.
    void changesRunTheRules()
    {
        frmMain w;
        frmModem &f = w.Modem();
        setValue(f.optDirect, -1);
        QVERIFY(f.cmbPort->isEnabled());
        QVERIFY(!f.chkOutside->isEnabled());
        setValue(f.optModem, -1);
        QCOMPARE(value(f.optDirect), qint16(0));
        QVERIFY(!f.cmbPort->isEnabled());
        QVERIFY(!f.txt9->isEnabled());
        setValue(f.chkOutside, 1);
        QVERIFY(f.txt9->isEnabled());
        setValue(f.chkOutside, 0);
        QVERIFY(!f.txt9->isEnabled());

        f.show();
        f.SSTab1->setCurrentIndex(1);
        QTest::mouseClick(f.chkWaiting, Qt::LeftButton);
        QCOMPARE(value(f.chkWaiting), 1);
        QVERIFY(f.txt70->isEnabled());
        f.SSTab1->setCurrentIndex(2);
        QTest::mouseClick(f.chkModemIni, Qt::LeftButton);
        QVERIFY(f.txtModemIni->isEnabled());
        f.SSTab1->setCurrentIndex(0);
        QTest::mouseClick(f.optDirect, Qt::LeftButton);
        QCOMPARE(value(f.optModem), qint16(0));
        QVERIFY(!f.txt70->isEnabled());
        QVERIFY(!f.txtModemIni->isEnabled());
        QVERIFY(f.cmbPort->isEnabled());
    }

    void optionGroupsMayHaveNoSelection()
    {
        frmMain w;
        frmModem &f = w.Modem();
        setValue(f.optOff, -1);
        setValue(f.optLoud, -1);
        QCOMPARE(value(f.optOff), qint16(0));
        QCOMPARE(value(f.optLoud), qint16(-1));
        QCOMPARE(value(f.optTone), qint16(0)); // other groups untouched
        setValue(f.optLoud, 0);
        for (QRadioButton *b : {f.optOff, f.optLow, f.optLoud})
            QCOMPARE(value(b), qint16(0));

        // Still one group: the operator's choice clears the others.
        f.show();
        f.SSTab1->setCurrentIndex(2);
        setValue(f.optModem, -1);
        QTest::mouseClick(f.optLow, Qt::LeftButton);
        QTest::mouseClick(f.optOff, Qt::LeftButton);
        QCOMPARE(value(f.optOff), qint16(-1));
        QCOMPARE(value(f.optLow), qint16(0));
    }

    void aGreyedBoxTakesItsValueAndLeavesItOnAClick()
    {
        frmMain w;
        frmModem &f = w.Modem();
        setValue(f.optModem, -1);
        setValue(f.chkModemIni, 2);
        QCOMPARE(value(f.chkModemIni), 2);
        QVERIFY(!f.txtModemIni->isEnabled());
        f.show();
        f.SSTab1->setCurrentIndex(2);
        QTest::mouseClick(f.chkModemIni, Qt::LeftButton);
        QCOMPARE(value(f.chkModemIni), 1);
        QTest::mouseClick(f.chkModemIni, Qt::LeftButton);
        QCOMPARE(value(f.chkModemIni), 0);
    }

    void typingLimits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("page");

        QTest::newRow("txtPhoneNumber") << "txtPhoneNumber" << 24 << 1;
        QTest::newRow("txt9") << "txt9" << 5 << 1;
        QTest::newRow("txt70") << "txt70" << 5 << 1;
        QTest::newRow("txtModemIni") << "txtModemIni" << 23 << 2;
    }

    // The limits bind the operator's typing only; a longer text set by the program stays whole.
    void typingLimits()
    {
        QFETCH(QString, name);
        QFETCH(int, limit);
        QFETCH(int, page);
        frmMain w;
        frmModem &f = w.Modem();
        setValue(f.optModem, -1);
        setValue(f.chkOutside, 1);
        setValue(f.chkWaiting, 1);
        setValue(f.chkModemIni, 1);
        f.show();
        f.SSTab1->setCurrentIndex(page);
        auto *box = qobject_cast<QLineEdit *>(control(f, name));
        box->setFocus();

        box->clear();
        QTest::keyClicks(box, QString(limit + 3, u'7'));
        QCOMPARE(box->text(), QString(limit, u'7'));

        const QString longer = QStringLiteral("12345").leftJustified(limit + 6, u' ');
        box->setText(longer);
        QCOMPARE(box->text(), longer);
        QTest::keyClicks(box, QStringLiteral("8"));
        QCOMPARE(box->text(), longer);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text().size(), limit + 5);

        box->clear();
        QTest::keyClicks(box, QStringLiteral("12"));
        QGuiApplication::clipboard()->setText(QString(limit, u'x'));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("12") + QString(limit - 2, u'x'));
    }

    void okIsDefaultAndEscCancels()
    {
        frmMain w;
        w.show();
        frmModem &f = w.Modem();
        QPointer<frmModem> alive(&f);
        QVERIFY(f.cmdOk->isDefault());
        QVERIFY(!f.cmdClose->isDefault());

        w.mnuModemSettings_Click();
        QVERIFY(f.isVisible());
        f.SSTab1->setCurrentIndex(1);
        f.txtPhoneNumber->setText(QStringLiteral("5550100"));
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QCOMPARE(f.txtPhoneNumber->text(), QStringLiteral("5550100"));

        // The close box acts as Cancel: the dialog and its values live on.
        w.mnuModemSettings_Click();
        QVERIFY(f.isVisible());
        QCOMPARE(f.SSTab1->currentIndex(), 1);
        QVERIFY(f.close());
        QVERIFY(alive);
        QVERIFY(!f.isVisible());
        QCOMPARE(f.txtPhoneNumber->text(), QStringLiteral("5550100"));

        // Enter presses OK (which saves and hides), except while the focus is on Cancel.
        w.mnuModemSettings_Click();
        QTRY_VERIFY(f.isActiveWindow());
        f.cmdClose->setFocus();
        QTest::keyClick(f.cmdClose, Qt::Key_Return);
        QVERIFY(!f.isVisible());
        QVERIFY(!QFile::exists(QDir(TestEnvironment::dataFolder()).filePath("Vexa_Data.dat")));
        w.mnuModemSettings_Click();
        QTRY_VERIFY(f.isActiveWindow());
        f.SSTab1->setFocus();
        QTest::keyClick(f.SSTab1->tabBar(), Qt::Key_Return);
        QVERIFY(!f.isVisible());
        QVERIFY(QFile::exists(QDir(TestEnvironment::dataFolder()).filePath("Vexa_Data.dat")));
    }

    void tabControlIsRedFromFirstDisplayOn()
    {
        frmMain w;
        w.show();
        frmModem &f = w.Modem();
        setValue(f.optModem, -1);
        setValue(f.chkOutside, 1);
        QCOMPARE(f.SSTab1->backColor(), QColor(192, 192, 192));
        f.txt9->setEnabled(false); // out of step with the rules until the tab control gets the focus
        w.mnuModemSettings_Click();
        QTRY_COMPARE(f.SSTab1->backColor(), Red);
        QCOMPARE(f.focusWidget(), f.SSTab1->tabBar());
        QVERIFY(f.txt9->isEnabled());
        // The frames and labels keep their own colour over the red.
        QVERIFY(f.Frame1->palette().color(QPalette::Window) != Red);
        QVERIFY(f.Label2->palette().color(QPalette::Window) != Red);

        f.cmdClose->click();
        QVERIFY(!f.isVisible());
        QCOMPARE(f.SSTab1->backColor(), Red);
        w.mnuModemSettings_Click();
        QCOMPARE(f.SSTab1->backColor(), Red);
    }

    void keyboardOrder()
    {
        frmMain w;
        frmModem &f = w.Modem();
        const QStringList expected{"SSTab1",    "chkOutside",     "chkWaiting",  "txt9",     "txt70",
                                   "optDirect", "optModem",       "optTone",     "optPulse", "cmbPort",
                                   "cmbModem",  "txtModemIni",    "chkModemIni", "optOff",   "optLow",
                                   "optLoud",   "txtPhoneNumber", "cmdClose",    "cmdOk"};
        QMap<QWidget *, QString> names;
        for (const QString &name : expected) {
            QWidget *c = control(f, name);
            names.insert(c->focusProxy() ? c->focusProxy() : c, name);
        }
        QStringList order;
        QWidget *start = f.SSTab1->focusProxy();
        QWidget *next = start;
        do {
            if (names.contains(next) && !order.contains(names.value(next)))
                order.append(names.value(next));
            next = next->nextInFocusChain();
        } while (next != start);
        QCOMPARE(order, expected);
    }
};

SONARELLE_TEST_MAIN(tst_frmModem)
#include "tst_frmModem.moc"
