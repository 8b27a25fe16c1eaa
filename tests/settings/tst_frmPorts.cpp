// The Ports window: what it shows, what it writes (and asks first), and a connect over a port it assigned.
#include "WindowFixture.h"
#include "WindowLook.h"

#include "link/PortName.h"
#include "panel/Twips.h"
#include "settings/SettingsTexts.h"
#include "settings/frmPorts.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <filesystem>

namespace {

FakeDesktop &desktop()
{
    return TestEnvironment::desktop();
}

QString linkText(const QString &path)
{
    std::error_code error;
    const auto target = std::filesystem::read_symlink(QFile::encodeName(path).toStdString(), error);
    return error ? QString() : QString::fromStdString(target.string());
}

QString com(int n)
{
    return QDir(TestEnvironment::dataFolder()).filePath(QStringLiteral("com%1").arg(n));
}

// "COM 3 | /dev/ttyS2 | none: the built-in port": a row of the list as the operator reads it.
QString row(frmPorts &f, int n)
{
    const QTreeWidgetItem *item = f.lstPorts->topLevelItem(n - 1);
    return QStringList{item->text(0), item->text(1), item->text(2)}.join(QStringLiteral(" | "));
}

void choose(frmPorts &f, int n)
{
    f.lstPorts->setCurrentItem(f.lstPorts->topLevelItem(n - 1));
}

void chooseNetwork(frmPorts &f, const QString &host, const QString &port, const QString &protocol)
{
    f.optNetwork->setChecked(true);
    f.txtHost->setText(host);
    f.txtTcpPort->setText(port);
    f.cmbProtocol->setCurrentText(protocol);
}

// The window's controls whose captions carry an access key, with the key.
QMap<QChar, QStringList> accessKeys(QWidget *window)
{
    QMap<QChar, QStringList> keys;
    const QRegularExpression key(QStringLiteral("&([^&])"));
    for (QWidget *w : window->findChildren<QWidget *>()) {
        QString text;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            text = b->text();
        else if (auto *l = qobject_cast<QLabel *>(w))
            text = l->text();
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            text = g->title();
        if (const QRegularExpressionMatch m = key.match(text); m.hasMatch() && w->isVisibleTo(window))
            keys[m.captured(1).front().toLower()] << text;
    }
    return keys;
}

} // namespace

class tst_frmPorts : public QObject
{
    Q_OBJECT

    QList<SystemPort> systemPorts;

private slots:
    void init()
    {
        systemPorts.clear();
        SystemPorts::feed([this] { return systemPorts; });
        for (int n = 1; n <= 9; ++n)
            QFile::remove(com(n));
        desktop().reset();
    }

    void cleanup() { SystemPorts::feed({}); }

    void theMenuItemOpensTheWindow()
    {
        frmMain w;
        w.Form_Load();
        const QList<QAction *> items = w.mnuModem->actions();
        QCOMPARE(items.indexOf(w.mnuPorts), items.indexOf(w.mnuModemSettings) + 1);
        QCOMPARE(w.mnuPorts->text(), QStringLiteral("&Ports..."));
        QVERIFY(w.mnuPorts->isEnabled());
        // Alt+M opens the Modem menu, and P the window.
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(w.mnuModem->isVisible());
        QTest::keyClick(w.mnuModem, Qt::Key_P);
        frmPorts &f = w.Ports();
        QTRY_VERIFY(f.isVisible());
        QVERIFY(f.isVisible());
        QVERIFY(!f.isModal());
        QCOMPARE(f.windowTitle(), SettingsTexts::PortsTitle);
        QCOMPARE(f.palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(f.size(), Twips::size(7800, 5235));
        QCOMPARE(f.lstPorts->topLevelItemCount(), 9);
        QCOMPARE(row(f, 1), QStringLiteral("COM 1 | /dev/ttyS0 | none: the built-in port"));
        QCOMPARE(row(f, 9), QStringLiteral("COM 9 | /dev/ttyS8 | none: the built-in port"));
        // Closing hides it; it lives on, with what it knows.
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QCOMPARE(&w.Ports(), &f);
    }

    // Opening the window and Refresh read the system's list and the links again; a link made by hand shows as
    // it is, and the choices below show what the chosen port stands for.
    void itShowsWhatIsThereNow()
    {
        QTemporaryDir dev;
        QFile device(dev.filePath(QStringLiteral("ttyUSB0")));
        QVERIFY(device.open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(QStringLiteral("rfc2217://10.0.0.5:4001"), com(2)));
        frmMain w;
        frmPorts &f = w.Ports();
        w.mnuPorts_Click();
        QCOMPARE(f.cmbSerial->count(), 1);
        QCOMPARE(f.cmbSerial->itemData(0).toString(), QString());
        QCOMPARE(row(f, 2), QStringLiteral("COM 2 | rfc2217://10.0.0.5:4001 | device server, RFC 2217"));

        QVERIFY(QFile::link(device.fileName(), dev.filePath(QStringLiteral("usb-FTDI-if00-port0"))));
        systemPorts = {{"/dev/ttyUSB9", "", "", "", ""},
                       {device.fileName(), "FT232R USB UART", "FTDI", "A50285BI",
                        dev.filePath(QStringLiteral("usb-FTDI-if00-port0"))}};
        QVERIFY(QFile::link(device.fileName(), com(4)));
        QVERIFY(QFile::link(QStringLiteral("tcp://"), com(5)));
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(&f, Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(f.cmbSerial->itemData(1).toString(), dev.filePath(QStringLiteral("usb-FTDI-if00-port0")));
        QCOMPARE(f.cmbSerial->count(), 2);
        QCOMPARE(f.cmbSerial->itemText(1),
                 device.fileName() + QStringLiteral(" (FT232R USB UART, FTDI, serial A50285BI)"));
        QCOMPARE(row(f, 4),
                 QStringLiteral("COM 4 | %1 | present: FT232R USB UART, FTDI, serial A50285BI").arg(device.fileName()));
        QCOMPARE(row(f, 5), QStringLiteral("COM 5 | tcp:// | unreadable: names no device and no usable address"));

        choose(f, 2);
        QCOMPARE(f.fraAssign->title(), QStringLiteral("Let COM 2 stand for"));
        QVERIFY(f.optNetwork->isChecked());
        QCOMPARE(f.txtHost->text(), QStringLiteral("10.0.0.5"));
        QCOMPARE(f.txtTcpPort->text(), QStringLiteral("4001"));
        QCOMPARE(f.cmbProtocol->currentText(), QStringLiteral("RFC 2217"));
        QVERIFY(f.txtHost->isEnabled());
        QVERIFY(!f.cmbSerial->isEnabled());
        choose(f, 4);
        QVERIFY(f.optSerial->isChecked());
        QCOMPARE(f.cmbSerial->currentIndex(), 1); // the adapter the link leads to, listed by its stable name
        QVERIFY(f.cmbSerial->isEnabled());
        QVERIFY(!f.txtHost->isEnabled());
        choose(f, 7);
        QVERIFY(f.optNone->isChecked());

        // An adapter unplugged: its port shows it absent, and keeps it.
        device.remove();
        systemPorts.clear();
        f.cmdRefresh->click();
        QCOMPARE(row(f, 4), QStringLiteral("COM 4 | %1 | absent now; kept for when it is back").arg(device.fileName()));
        QCOMPARE(linkText(com(4)), device.fileName());
        QVERIFY(desktop().questions.isEmpty());
        QVERIFY(desktop().warnings.isEmpty());
    }

    // The stable name is written for an adapter that has one, so it keeps its COM number in any socket.
    void aSerialPortIsAssignedByItsStableName()
    {
        systemPorts = {
            {"/dev/ttyUSB0", "CP2102", "Silicon Labs", "0001", "/dev/serial/by-id/usb-Silicon_Labs_CP2102-if00-port0"},
            {"/dev/ttyUSB1", "", "", "", ""}};
        frmMain w;
        frmPorts &f = w.Ports();
        w.mnuPorts_Click();
        choose(f, 3);
        f.optSerial->setChecked(true);
        f.cmbSerial->setCurrentIndex(0);
        f.cmdAssign->click();
        QCOMPARE(linkText(com(3)), QStringLiteral("/dev/serial/by-id/usb-Silicon_Labs_CP2102-if00-port0"));
        f.cmbSerial->setCurrentIndex(1);
        f.cmdAssign->click(); // its own link: replaced without a question
        QCOMPARE(linkText(com(3)), QStringLiteral("/dev/ttyUSB1"));
        QCOMPARE(row(f, 3), QStringLiteral("COM 3 | /dev/ttyUSB1 | absent now; kept for when it is back"));
        QVERIFY(desktop().questions.isEmpty());
    }

    void networkAddresses_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<QString>("written"); // empty: refused with a message

        QTest::newRow("RFC 2217 by name") << " devserver.site "
                                          << "4001"
                                          << "RFC 2217"
                                          << "rfc2217://devserver.site:4001";
        QTest::newRow("raw TCP by IPv4") << "192.168.1.50"
                                         << "4002"
                                         << "Raw TCP"
                                         << "tcp://192.168.1.50:4002";
        QTest::newRow("IPv6, bracketed or not") << "[fd00::5]"
                                                << "2217"
                                                << "RFC 2217"
                                                << "rfc2217://[fd00::5]:2217";
        QTest::newRow("IPv6 bare") << "fd00::5"
                                   << "2217"
                                   << "Raw TCP"
                                   << "tcp://[fd00::5]:2217";
        QTest::newRow("no host") << ""
                                 << "4001"
                                 << "RFC 2217"
                                 << "";
        QTest::newRow("no port") << "devserver"
                                 << ""
                                 << "Raw TCP"
                                 << "";
        QTest::newRow("a host with a blank") << "dev server"
                                             << "4001"
                                             << "Raw TCP"
                                             << "";
        QTest::newRow("a host with a path") << "devserver/x"
                                            << "4001"
                                            << "Raw TCP"
                                            << "";
    }

    void networkAddresses()
    {
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QString, protocol);
        QFETCH(QString, written);
        frmMain w;
        frmPorts &f = w.Ports();
        w.mnuPorts_Click();
        choose(f, 6);
        chooseNetwork(f, host, port, protocol);
        f.cmdAssign->click();
        QCOMPARE(linkText(com(6)), written);
        QCOMPARE(desktop().warnings.size(), written.isEmpty() ? 1 : 0);
        if (written.isEmpty())
            QCOMPARE(desktop().warnings.front().text, SettingsTexts::NoAddress);
        else
            QCOMPARE(PortName::device(6, TestEnvironment::dataFolder()), written);
        QVERIFY(desktop().questions.isEmpty());
    }

    // A link made by hand is the operator's: replacing or clearing it asks, and No leaves it.
    void replacingAndClearingAsk_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<QString>("question");

        QTest::newRow("replace a hand-made link") << "link" << false
                                                  << "COM 1 now stands for /dev/ttyACM0, which was set outside this "
                                                     "window.\n\nReplace it with tcp://devserver:4001?";
        QTest::newRow("clear a hand-made link")
            << "link" << true
            << "COM 1 now stands for /dev/ttyACM0, which was set outside this window.\n\nClear it, so that COM 1 is "
               "the built-in port /dev/ttyS0 again?";
        QTest::newRow("replace a file")
            << "file" << false
            << "COM 1 now stands for a file named com1 in the data folder (not a link), which was set outside this "
               "window.\n\nReplace it with tcp://devserver:4001?";
    }

    void replacingAndClearingAsk()
    {
        QFETCH(QString, entry);
        QFETCH(bool, clear);
        QFETCH(QString, question);
        const auto put = [&] {
            if (entry == "link")
                return QFile::link(QStringLiteral("/dev/ttyACM0"), com(1));
            QFile file(com(1));
            return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
        };
        QVERIFY(put());
        frmMain w;
        frmPorts &f = w.Ports();
        w.mnuPorts_Click();
        choose(f, 1);
        if (clear)
            f.optNone->setChecked(true);
        else
            chooseNetwork(f, "devserver", "4001", "Raw TCP");
        const QString before = linkText(com(1));

        desktop().answers = {false};
        f.cmdAssign->click();
        QCOMPARE(desktop().questions.size(), 1);
        QCOMPARE(desktop().questions.front().title, SettingsTexts::PortsTitle);
        QCOMPARE(desktop().questions.front().text, question);
        QVERIFY(QFileInfo::exists(com(1)) || QFileInfo(com(1)).isSymLink());
        QCOMPARE(linkText(com(1)), before);

        desktop().answers = {true};
        f.cmdAssign->click();
        QCOMPARE(desktop().questions.size(), 2);
        QCOMPARE(linkText(com(1)), clear ? QString() : QStringLiteral("tcp://devserver:4001"));
        QCOMPARE(QFileInfo(com(1)).isSymLink() || QFileInfo::exists(com(1)), !clear);

        // From now on the entry is the window's own: no more questions for it.
        chooseNetwork(f, "devserver", "4009", "RFC 2217");
        f.cmdAssign->click();
        f.optNone->setChecked(true);
        f.cmdAssign->click();
        QCOMPARE(desktop().questions.size(), 2);
        QVERIFY(!QFileInfo(com(1)).isSymLink());
        QVERIFY(desktop().warnings.isEmpty());
    }

    // What the window assigns is what the program opens: COM 1 moved from one emulated line to another, with the
    // question (the first line's link is the emulator's, not the window's), and a connect reaches the second.
    void aConnectReachesTheAssignedLine()
    {
        WindowFixture f;
        QVERIFY(f.line.started);
        EmulatorFixture other(true, 9);
        QVERIFY2(other.started, qPrintable(other.emulator.error()));
        other.processor.pp = 6;
        systemPorts = {{other.emulator.device(), "emulated line", "", "", ""}};

        f.window.mnuPorts_Click();
        frmPorts &ports = f.window.Ports();
        choose(ports, 1);
        ports.optSerial->setChecked(true);
        ports.cmbSerial->setCurrentIndex(0);
        desktop().answers = {true};
        QTest::keyClick(ports.cmbSerial, Qt::Key_Return); // Enter presses Assign
        QCOMPARE(desktop().questions.size(), 1);
        QCOMPARE(linkText(com(1)), other.emulator.device());
        QCOMPARE(row(ports, 1), QStringLiteral("COM 1 | %1 | present: emulated line").arg(other.emulator.device()));

        f.window.cmdConnect->click();
        QTRY_COMPARE(WindowLook::banners(f.window), QStringList{"Connected"});
        QVERIFY(other.received.startsWith("90x"));
        QVERIFY(f.line.received.isEmpty());
        QCOMPARE(f.window.PP_Level, qint16(6));
        f.window.cmdConnect->click();

        // Cleared: COM 1 is the built-in port again, and the window did that without asking.
        ports.optNone->setChecked(true);
        ports.cmdAssign->click();
        QCOMPARE(desktop().questions.size(), 1);
        QVERIFY(!QFileInfo(com(1)).isSymLink());
        QCOMPARE(PortName::device(1, TestEnvironment::dataFolder()), QStringLiteral("/dev/ttyS0"));
    }

    // A data folder that cannot be written: the window says so plainly, and nothing is half-written.
    void aDataFolderThatCannotBeWritten()
    {
        QTemporaryDir root;
        QFile blocker(root.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString folder = blocker.fileName() + QStringLiteral("/Sonarelle");
        frmPorts f(nullptr, folder);
        f.show();
        choose(f, 2);
        chooseNetwork(f, "devserver", "4001", "RFC 2217");
        f.cmdAssign->click();
        QCOMPARE(desktop().warnings.size(), 1);
        QCOMPARE(desktop().warnings.front().title, SettingsTexts::PortsTitle);
        // Whatever the system's reason:
        QVERIFY2(desktop().warnings.front().text.startsWith(SettingsTexts::dataFolderNotMade(folder, {}).chopped(1)),
                 qPrintable(desktop().warnings.front().text));
        QVERIFY(desktop().warnings.front().text.endsWith(SettingsTexts::notWritten({}, QStringLiteral("COM 2"))));
        QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"blocker"});
        QCOMPARE(row(f, 2), QStringLiteral("COM 2 | /dev/ttyS1 | none: the built-in port"));
        QVERIFY(f.optNetwork->isChecked()); // the choice stays for another try
        QCOMPARE(f.txtHost->text(), QStringLiteral("devserver"));
    }

    void keyboard()
    {
        frmMain w;
        frmPorts &f = w.Ports();
        w.mnuPorts_Click();
        const QMap<QChar, QStringList> keys = accessKeys(&f);
        for (auto k = keys.begin(); k != keys.end(); ++k)
            QVERIFY2(k.value().size() == 1, qPrintable(k.value().join(QStringLiteral(", "))));
        QCOMPARE(keys.size(), 9);
        QVERIFY(f.cmdAssign->isDefault());

        // Tab walks the controls in the order they stand.
        const QList<QWidget *> order{f.lstPorts,    f.optSerial, f.cmbSerial, f.optNetwork, f.txtHost, f.txtTcpPort,
                                     f.cmbProtocol, f.optNone,   f.cmdAssign, f.cmdRefresh, f.cmdClose};
        QList<QWidget *> walked;
        for (QWidget *next = f.lstPorts; walked.size() < order.size(); next = next->nextInFocusChain())
            if (order.contains(next) && !walked.contains(next))
                walked.append(next);
        QCOMPARE(walked, order);

        // Each label's access key leads to its control.
        for (QLabel *l : {f.lblPorts, f.lblHost, f.lblTcpPort})
            QVERIFY(l->buddy());
        QCOMPARE(f.lblPorts->buddy(), f.lstPorts);

        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(&f, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!f.isVisible());
    }

    void accessibleNames()
    {
        frmMain w;
        frmPorts &f = w.Ports();
        for (QWidget *c :
             std::initializer_list<QWidget *>{f.lstPorts, f.cmbSerial, f.txtHost, f.txtTcpPort, f.cmbProtocol})
            QVERIFY2(!c->accessibleName().isEmpty(), c->metaObject()->className());
        QCOMPARE(f.lstPorts->accessibleName(), QStringLiteral("COM ports"));
        QCOMPARE(f.txtHost->accessibleName(), QStringLiteral("Host"));
        QCOMPARE(f.txtTcpPort->accessibleName(), QStringLiteral("TCP port"));
    }
};

SONARELLE_TEST_MAIN(tst_frmPorts)
#include "tst_frmPorts.moc"
