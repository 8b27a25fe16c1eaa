// What the Ports window reads and writes in the data folder, without the window: the entries com1 to com9,
// the rule for asking, and the system's list of serial ports.
#include "TestMain.h"

#include "link/PortName.h"
#include "settings/PortLinks.h"
#include "settings/SettingsTexts.h"
#include "settings/SystemPorts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>

Q_DECLARE_METATYPE(PortEntry::Kind)

namespace {

// The target of a link exactly as written; empty when the entry is no link.
QString linkText(const QString &path)
{
    std::error_code error;
    const auto target = std::filesystem::read_symlink(QFile::encodeName(path).toStdString(), error);
    return error ? QString() : QString::fromStdString(target.string());
}

bool makeFile(const QString &path, const QByteArray &content = "x")
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A folder with stand-ins for device files (plain files will do: the links are only read, never opened).
struct Folders
{
    QTemporaryDir root;
    QString data = root.filePath(QStringLiteral("data"));
    QString dev = root.filePath(QStringLiteral("dev"));

    Folders()
    {
        QDir().mkpath(data);
        QDir().mkpath(dev + QStringLiteral("/serial/by-id"));
        makeFile(dev + QStringLiteral("/ttyUSB0"));
        makeFile(dev + QStringLiteral("/ttyUSB1"));
        QFile::link(QStringLiteral("../../ttyUSB0"),
                    dev + QStringLiteral("/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"));
    }

    QString byId() const { return dev + QStringLiteral("/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"); }
    QStringList dataEntries() const
    {
        return QDir(data).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QList<SystemPort> ports() const
    {
        return {{dev + QStringLiteral("/ttyUSB0"), "FT232R USB UART", "FTDI", "A50285BI", byId()},
                {dev + QStringLiteral("/ttyUSB1"), "", "", "", ""}};
    }
};

} // namespace

class tst_PortLinks : public QObject
{
    Q_OBJECT

private slots:
    void whatEachEntryShows_data()
    {
        QTest::addColumn<QString>("entry"); // link:<target>, file, folder, or empty for none; @dev is the device folder
        QTest::addColumn<PortEntry::Kind>("kind");
        QTest::addColumn<QString>("standsFor");
        QTest::addColumn<QString>("state");

        QTest::newRow("none") << "" << PortEntry::Kind::None << "/dev/ttyS2"
                              << "none: the built-in port";
        QTest::newRow("device present, known to the system")
            << "link:@dev/ttyUSB0" << PortEntry::Kind::Device << "@dev/ttyUSB0"
            << "present: FT232R USB UART, FTDI, serial A50285BI";
        QTest::newRow("device present, the system says nothing of it")
            << "link:@dev/ttyUSB1" << PortEntry::Kind::Device << "@dev/ttyUSB1"
            << "present";
        QTest::newRow("device present, relative link shown as written")
            << "link:../dev/ttyUSB1" << PortEntry::Kind::Device << "../dev/ttyUSB1"
            << "present";
        QTest::newRow("by-id device") << "link:@dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"
                                      << PortEntry::Kind::ById
                                      << "@dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"
                                      << "present as @dev/ttyUSB0: FT232R USB UART, FTDI, serial A50285BI";
        QTest::newRow("device absent") << "link:@dev/ttyUSB7" << PortEntry::Kind::Absent << "@dev/ttyUSB7"
                                       << "absent now; kept for when it is back";
        QTest::newRow("by-id device absent") << "link:@dev/serial/by-id/usb-Prolific-if00" << PortEntry::Kind::Absent
                                             << "@dev/serial/by-id/usb-Prolific-if00"
                                             << "absent now; kept for when it is back";
        QTest::newRow("rfc2217") << "link:rfc2217://10.0.0.5:4001" << PortEntry::Kind::Rfc2217
                                 << "rfc2217://10.0.0.5:4001"
                                 << "device server, RFC 2217";
        QTest::newRow("tcp") << "link:tcp://[fd00::5]:4002" << PortEntry::Kind::Tcp << "tcp://[fd00::5]:4002"
                             << "device server, raw TCP";
        QTest::newRow("unreadable: an address without a port")
            << "link:tcp://devserver" << PortEntry::Kind::Unreadable << "tcp://devserver"
            << "unreadable: names no device and no usable address";
        QTest::newRow("unreadable: an unknown scheme")
            << "link:telnet://devserver:23" << PortEntry::Kind::Unreadable << "telnet://devserver:23"
            << "unreadable: names no device and no usable address";
        QTest::newRow("foreign: a file") << "file" << PortEntry::Kind::Foreign << ""
                                         << "a file, not a link: left alone";
        QTest::newRow("foreign: a folder") << "folder" << PortEntry::Kind::Foreign << ""
                                           << "a folder, not a link: left alone";
    }

    void whatEachEntryShows()
    {
        QFETCH(QString, entry);
        QFETCH(PortEntry::Kind, kind);
        QFETCH(QString, standsFor);
        QFETCH(QString, state);
        Folders f;
        const auto expand = [&](QString text) { return text.replace(QStringLiteral("@dev"), f.dev); };
        PortLinks links(f.data);
        const QString com3 = links.path(3);
        if (entry.startsWith(QStringLiteral("link:")))
            QVERIFY(QFile::link(expand(entry.mid(5)), com3) || linkText(com3) == expand(entry.mid(5)));
        else if (entry == "file")
            QVERIFY(makeFile(com3));
        else if (entry == "folder")
            QVERIFY(QDir().mkdir(com3));

        const PortEntry e = links.entry(3);
        QCOMPARE(e.kind, kind);
        QCOMPARE(PortLinks::row(3, e, f.ports()), (PortRow{expand(standsFor), expand(state)}));
        // The port the program opens is still what the entry says.
        if (e.kind == PortEntry::Kind::Rfc2217 || e.kind == PortEntry::Kind::Tcp)
            QCOMPARE(PortName::device(3, f.data), e.text);
    }

    void assignWritesWhatAPersonWould_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("device") << "/dev/ttyUSB0";
        QTest::newRow("by-id name") << "/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0";
        QTest::newRow("rfc2217") << "rfc2217://devserver.site:4001";
        QTest::newRow("tcp, IPv6") << "tcp://[fd00::5]:4002";
    }

    void assignWritesWhatAPersonWould()
    {
        QFETCH(QString, target);
        Folders f;
        PortLinks links(f.data);
        QString error;
        QVERIFY2(links.assign(4, target, links.entry(4), &error), qPrintable(error));
        QCOMPARE(linkText(links.path(4)), target);
        QCOMPARE(PortName::link(4, f.data), std::optional<QString>(target));
        QCOMPARE(f.dataEntries(), QStringList{"com4"}); // no temporary name left behind

        // Replaced in one step, and cleared.
        QVERIFY2(links.assign(4, QStringLiteral("/dev/ttyACM0"), links.entry(4), &error), qPrintable(error));
        QCOMPARE(linkText(links.path(4)), QStringLiteral("/dev/ttyACM0"));
        QVERIFY2(links.clear(4, links.entry(4), &error), qPrintable(error));
        QVERIFY(f.dataEntries().isEmpty());
        QCOMPARE(PortName::device(4, f.data), QStringLiteral("/dev/ttyS3"));
    }

    void whenToAsk_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("ask");

        QTest::newRow("nothing there") << "" << false;
        QTest::newRow("a link made by hand") << "hand" << true;
        QTest::newRow("a link this run wrote") << "write" << false;
        QTest::newRow("a link this run wrote, then cleared and made by hand") << "write clear hand" << true;
        QTest::newRow("a link this run wrote, changed by hand since") << "write hand" << true;
        QTest::newRow("a link an earlier run wrote") << "earlier" << true;
        QTest::newRow("a file") << "file" << true;
        QTest::newRow("an unreadable link") << "unreadable" << true;
    }

    // Anything the window did not write itself in this run is someone else's until the operator says.
    void whenToAsk()
    {
        QFETCH(QString, steps);
        QFETCH(bool, ask);
        Folders f;
        PortLinks links(f.data);
        QString error;
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step == "hand") {
                QFile::remove(links.path(2));
                QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB5"), links.path(2)));
            } else if (step == "write") {
                QVERIFY(links.assign(2, QStringLiteral("/dev/ttyUSB1"), links.entry(2), &error));
            } else if (step == "clear") {
                QVERIFY(links.clear(2, links.entry(2), &error));
            } else if (step == "earlier") {
                PortLinks earlier(f.data);
                QVERIFY(earlier.assign(2, QStringLiteral("/dev/ttyUSB1"), earlier.entry(2), &error));
            } else if (step == "file") {
                QVERIFY(makeFile(links.path(2)));
            } else if (step == "unreadable") {
                QVERIFY(QFile::link(QStringLiteral("rfc2217://devserver"), links.path(2)));
            }
        }
        QCOMPARE(links.needsAsking(2, links.entry(2)), ask);
    }

    // Once the operator has said yes: a file is replaced by the link, a folder cannot be, and nothing is left
    // half-made.
    void replacingWhatIsThere()
    {
        Folders f;
        PortLinks links(f.data);
        QString error;
        QVERIFY(makeFile(links.path(1), "notes"));
        QVERIFY(links.assign(1, QStringLiteral("tcp://devserver:4001"), links.entry(1), &error));
        QCOMPARE(linkText(links.path(1)), QStringLiteral("tcp://devserver:4001"));

        QVERIFY(QDir().mkpath(links.path(2) + QStringLiteral("/inside")));
        QVERIFY(!links.assign(2, QStringLiteral("/dev/ttyUSB0"), links.entry(2), &error));
        QVERIFY2(error.startsWith(SettingsTexts::notReplaced(QDir::toNativeSeparators(links.path(2)), {}).chopped(1)),
                 qPrintable(error));
        QVERIFY(QFileInfo(links.path(2) + QStringLiteral("/inside")).isDir());
        QCOMPARE(f.dataEntries(), (QStringList{"com1", "com2"}));
        QVERIFY(!links.clear(2, links.entry(2), &error));
        QVERIFY2(error.startsWith(SettingsTexts::notRemoved(QDir::toNativeSeparators(links.path(2)), {}).chopped(1)),
                 qPrintable(error));
        QVERIFY(QFileInfo(links.path(2)).isDir());
    }

    // What the operator was asked about is what gets replaced, or nothing is.
    void anEntryChangedMeanwhileIsLeftAlone()
    {
        Folders f;
        PortLinks links(f.data);
        const PortEntry seen = links.entry(5);
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB3"), links.path(5)));
        QString error;
        QVERIFY(!links.assign(5, QStringLiteral("/dev/ttyUSB0"), seen, &error));
        QVERIFY2(error.contains(QStringLiteral("has changed")), qPrintable(error));
        QCOMPARE(linkText(links.path(5)), QStringLiteral("/dev/ttyUSB3"));
        QVERIFY(!links.clear(5, seen, &error));
        QCOMPARE(linkText(links.path(5)), QStringLiteral("/dev/ttyUSB3"));
    }

    // A data folder that cannot be made: a reason that names it, and nothing written anywhere.
    void aFolderThatCannotBeWritten()
    {
        Folders f;
        const QString blocker = f.root.filePath(QStringLiteral("blocker"));
        QVERIFY(makeFile(blocker));
        const QString data = blocker + QStringLiteral("/Sonarelle");
        PortLinks links(data);
        QCOMPARE(links.entry(1).kind, PortEntry::Kind::None);
        QString error;
        QVERIFY(!links.assign(1, QStringLiteral("/dev/ttyUSB0"), links.entry(1), &error));
        // Whatever the system's reason:
        QVERIFY2(error.startsWith(SettingsTexts::dataFolderNotMade(data, {}).chopped(1)), qPrintable(error));
        QCOMPARE(QDir(f.root.path()).entryList(QDir::Files), QStringList{"blocker"});
        QVERIFY(!links.needsAsking(1, links.entry(1)));
    }

    void byIdNames()
    {
        Folders f;
        const QString folder = f.dev + QStringLiteral("/serial/by-id");
        // Two names for one adapter: the first by name is taken.
        QVERIFY(QFile::link(QStringLiteral("../../ttyUSB0"), folder + QStringLiteral("/usb-0000-if00")));
        QCOMPARE(SystemPorts::byIdName(f.dev + QStringLiteral("/ttyUSB0"), folder),
                 folder + QStringLiteral("/usb-0000-if00"));
        QCOMPARE(SystemPorts::byIdName(f.dev + QStringLiteral("/ttyUSB1"), folder), QString());
        QCOMPARE(SystemPorts::byIdName(f.dev + QStringLiteral("/ttyUSB9"), folder), QString());
        QCOMPARE(SystemPorts::byIdName(f.dev + QStringLiteral("/ttyUSB0"), f.root.filePath("none")), QString());
    }

    void theListCanBeFed()
    {
        const QList<SystemPort> fixed{{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI", "/dev/serial/by-id/x"}};
        SystemPorts::feed([fixed] { return fixed; });
        QCOMPARE(SystemPorts::list(), fixed);
        QCOMPARE(fixed.front().linkTarget(), QStringLiteral("/dev/serial/by-id/x"));
        SystemPorts::feed({});
        QCOMPARE(SystemPorts::list(), SystemPorts::fromSystem());
    }

    // The system's own list, which may well be empty here: each port it reports is a device, and its stable name
    // leads to it.
    void theSystemsList()
    {
        const QList<SystemPort> ports = SystemPorts::fromSystem();
        qInfo("the system reports %d serial ports", int(ports.size()));
        for (const SystemPort &port : ports) {
            QVERIFY(!port.device.isEmpty());
            if (!port.byId.isEmpty())
                QCOMPARE(QFileInfo(port.byId).canonicalFilePath(), QFileInfo(port.device).canonicalFilePath());
            QVERIFY(port.linkTarget() == port.device || port.linkTarget() == port.byId);
        }
    }
};

SONARELLE_TEST_MAIN(tst_PortLinks)
#include "tst_PortLinks.moc"
