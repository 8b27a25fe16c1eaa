#include "TestMain.h"

#include "app/SplashLogo.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "link/Pacing.h"
#include "panel/BannerAnnouncer.h"
#include "panel/Lamp.h"
#include "panel/ReadoutBox.h"
#include "panel/frmMain.h"
#include "settings/TabControl.h"
#include "settings/frmModem.h"
#include "settings/frmPorts.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>

#include <memory>

namespace {

QString accessibleText(QObject *object, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(text) : QStringLiteral("<no interface>");
}

// The controls of a window: what an operator reaches, reads or presses. A combo box's own line edit and
// the tab bar's scroll buttons belong to their owner and speak through it.
bool isControl(QWidget *w)
{
    if (w->objectName().startsWith(QLatin1String("qt_"))) // Qt's own helpers, such as the menu bar's overflow button
        return false;
    if (qobject_cast<QComboBox *>(w->parentWidget()) || qobject_cast<QTabBar *>(w->parentWidget()))
        return false;
    return qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w) || qobject_cast<QLineEdit *>(w)
           || qobject_cast<QComboBox *>(w) || qobject_cast<QGroupBox *>(w) || qobject_cast<QTabBar *>(w)
           || qobject_cast<Lamp *>(w) || qobject_cast<ReadoutBox *>(w) || qobject_cast<SplashLogo *>(w)
           || qobject_cast<TabControl *>(w);
}

QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    if (accessibleText(window).trimmed().isEmpty())
        unnamed.append(QStringLiteral("the window %1").arg(window->metaObject()->className()));
    for (QWidget *w : window->findChildren<QWidget *>())
        if (isControl(w) && accessibleText(w).trimmed().isEmpty())
            unnamed.append(QStringLiteral("%1 %2 at %3,%4")
                               .arg(w->metaObject()->className(), w->objectName())
                               .arg(w->x())
                               .arg(w->y()));
    return unnamed;
}

void verifyAllNamed(QWidget *window)
{
    const QStringList unnamed = unnamedControls(window);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
}

QWidget *column(frmMain &w, const char *name)
{
    return w.centralWidget()->findChild<QWidget *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmMain> w;
    // The banners announced, in order. (The offscreen platform has no accessibility bridge, so the Alert events
    // themselves go nowhere; the announcer tells each one.)
    QList<QLabel *> announced;

    int announcements(QLabel *banner) const { return int(announced.count(banner)); }

private slots:
    void initTestCase()
    {
        Pacing::setTestClockRate(20);
        w = std::make_unique<frmMain>();
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto *announcer = w->findChild<BannerAnnouncer *>();
        QVERIFY(announcer);
        connect(announcer, &BannerAnnouncer::announced, this, [this](QLabel *banner) { announced.append(banner); });
    }

    void cleanupTestCase()
    {
        w.reset();
        Pacing::setTestClockRate(1);
    }

    void init() { announced.clear(); }

    void everyControlIsNamed()
    {
        verifyAllNamed(w.get());
        // Menus and their items are named by their captions.
        for (QAction *menu : w->menuBar()->actions()) {
            QVERIFY(!menu->text().isEmpty());
            for (QAction *item : menu->menu()->actions())
                QVERIFY(item->isSeparator() || !item->text().isEmpty());
        }
        verifyAllNamed(&w->Modem());
        verifyAllNamed(&w->Ports());
        frmAbout about;
        verifyAllNamed(&about);
        frmSplash splash;
        verifyAllNamed(&splash);
        QCOMPARE(accessibleText(w->cmdPP_Up), QStringLiteral("Increase Peak Processing"));
        QCOMPARE(accessibleText(w->cmdConnect), QStringLiteral("Connect"));
    }

    void columnsReportTheirValues_data()
    {
        QTest::addColumn<int>("columnIndex");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("Peak Processing 3") << 0 << 3 << "Peak Processing: level 4 of 8";
        QTest::newRow("Peak Processing 7") << 0 << 7 << "Peak Processing: level 8 of 8";
        QTest::newRow("Program Density 0") << 1 << 0 << "Program Density: level 1 of 8";
        QTest::newRow("Program Density 9, out of range") << 1 << 9 << "Program Density: no value";
        QTest::newRow("High EQ 3") << 2 << 3 << "High EQ: +3 dB";
        QTest::newRow("High EQ 2") << 2 << 2 << "High EQ: 0 dB";
        QTest::newRow("Low EQ 0") << 3 << 0 << "Low EQ: -6 dB";
        QTest::newRow("Low EQ 5, out of range") << 3 << 5 << "Low EQ: no value";
    }

    void columnsReportTheirValues()
    {
        QFETCH(int, columnIndex);
        QFETCH(int, value);
        QFETCH(QString, expected);
        struct Column
        {
            const char *name;
            qint16 frmMain::*level;
            void (frmMain::*paint)();
            QVector<Lamp *> frmMain::*lamps;
            QString offLine;
        };
        const Column columns[] = {
            {"picPP", &frmMain::PP_Level, &frmMain::Peak, &frmMain::picPP, "Peak Processing: no value"},
            {"picPD", &frmMain::PD_Level, &frmMain::Program, &frmMain::picPD, "Program Density: no value"},
            {"picHQ", &frmMain::HQ_Level, &frmMain::High, &frmMain::picHQ, "High EQ: no value"},
            {"picLQ", &frmMain::LQ_Level, &frmMain::Low, &frmMain::picLQ, "Low EQ: no value"},
        };
        const Column &c = columns[columnIndex];
        QWidget *standIn = column(*w, c.name);
        QVERIFY(standIn);

        w->Displays_On();
        QCOMPARE(accessibleText(standIn), c.offLine);

        (*w).*c.level = qint16(value);
        ((*w).*c.paint)();
        QCOMPARE(accessibleText(standIn), expected);
        // Each lamp says what it stands for and whether it is lit.
        const QVector<Lamp *> &lamps = (*w).*c.lamps;
        for (int i = 0; i < lamps.size(); ++i)
            QCOMPARE(accessibleText(lamps[i], QAccessible::Description),
                     i == value ? QStringLiteral("lit") : QStringLiteral("not lit"));

        w->Displays_On();
        QCOMPARE(accessibleText(standIn), c.offLine);
        (*w).*c.level = 0;
    }

    void lampNamesAndStandInsLeaveTheWindowAsItWas()
    {
        QCOMPARE(accessibleText(w->picPP[3]), QStringLiteral("Peak Processing lamp 4"));
        QCOMPARE(accessibleText(w->picHQ[4]), QStringLiteral("High EQ lamp +6 dB"));
        QCOMPARE(accessibleText(w->picLQ[2]), QStringLiteral("Low EQ lamp 0 dB"));
        // The stand-ins take no clicks and lie behind the lamps.
        for (const QVector<Lamp *> *lamps : {&w->picPP, &w->picPD, &w->picHQ, &w->picLQ})
            for (Lamp *lamp : *lamps)
                QCOMPARE(w->centralWidget()->childAt(lamp->geometry().center()), lamp);
        QVERIFY(column(*w, "picPP")->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void aBannerThatAppearsIsAnnounced_data()
    {
        QTest::addColumn<QString>("banner");
        for (const char *name : {"lblConnected", "lblUpdating", "lblBusy", "lblNoDialtone", "lblDialing",
                                 "lblInitializing", "lblHanging", "lblProof"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void aBannerThatAppearsIsAnnounced()
    {
        QFETCH(QString, banner);
        const QMap<QString, QLabel *> banners{
            {"lblConnected", w->lblConnected}, {"lblUpdating", w->lblUpdating},
            {"lblBusy", w->lblBusy},           {"lblNoDialtone", w->lblNoDialtone},
            {"lblDialing", w->lblDialing},     {"lblInitializing", w->lblInitializing},
            {"lblHanging", w->lblHanging},     {"lblProof", w->lblProof}};
        QLabel *label = banners.value(banner);
        label->show();
        QCOMPARE(announcements(label), 1);
        QCOMPARE(accessibleText(label), label->text());
        label->hide();
        // Shown again later, it is announced again.
        QTest::qWait(Pacing::scaled(3 * double(Pacing::ProofBlink.count())) + 20);
        label->show();
        QCOMPARE(announcements(label), 2);
        label->hide();
    }

    void theProofBlinkIsAnnouncedOnce()
    {
        QTest::qWait(Pacing::scaled(3 * double(Pacing::ProofBlink.count())) + 20);
        w->lblProof->show();
        for (int tick = 0; tick < 6; ++tick)
            w->Timer1_Timer();
        QCOMPARE(announcements(w->lblProof), 1);
        w->lblProof->hide();
        TestEnvironment::desktop().reset();
    }
};

SONARELLE_TEST_MAIN(tst_Accessibility)
#include "tst_Accessibility.moc"
