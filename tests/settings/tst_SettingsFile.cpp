#include "TestMain.h"

#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTexts.h"
#include "settings/frmModem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

QByteArray defaultBytes()
{
    return QByteArray::fromHex("FFFF0000") + "COM 1" + QByteArray::fromHex("FFFF0000") + QByteArray(24, ' ') + "0     "
           + "9     " + "0     " + "*70   " + "COM 3" + QByteArray::fromHex("0000FFFF0000") + "0     " + "AT"
           + QByteArray(21, ' ');
}

QString filePath()
{
    return QDir(TestEnvironment::dataFolder()).filePath(QStringLiteral("Vexa_Data.dat"));
}

QByteArray fileBytes()
{
    QFile f(filePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QByteArray &bytes)
{
    QDir().mkpath(TestEnvironment::dataFolder());
    QFile f(filePath());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void verifyDefaults(frmModem &f)
{
    QCOMPARE(value(f.optDirect), qint16(-1));
    QCOMPARE(value(f.optModem), qint16(0));
    QCOMPARE(f.cmbPort->currentText(), QStringLiteral("COM 1"));
    QCOMPARE(value(f.optTone), qint16(-1));
    QCOMPARE(value(f.optPulse), qint16(0));
    QCOMPARE(f.txtPhoneNumber->text(), QString());
    QCOMPARE(value(f.chkOutside), 0);
    QCOMPARE(f.txt9->text(), QStringLiteral("9"));
    QCOMPARE(value(f.chkWaiting), 0);
    QCOMPARE(f.txt70->text(), QStringLiteral("*70"));
    QCOMPARE(f.cmbModem->currentText(), QStringLiteral("COM 3"));
    QCOMPARE(value(f.optOff), qint16(0));
    QCOMPARE(value(f.optLow), qint16(-1));
    QCOMPARE(value(f.optLoud), qint16(0));
    QCOMPARE(value(f.chkModemIni), 0);
    QCOMPARE(f.txtModemIni->text(), QStringLiteral("AT"));
    // The rules follow the defaults: direct cable, so only the direct port is open to change.
    QVERIFY(f.cmbPort->isEnabled());
    QVERIFY(!f.txtPhoneNumber->isEnabled());
}

// A record that differs from the defaults in every field.
QByteArray customBytes()
{
    return QByteArray::fromHex("0000FFFF") + "COM 2" + QByteArray::fromHex("0000FFFF")
           + QByteArray("5551234").leftJustified(24, ' ') + "1     " + "8     " + "1     " + "1170  " + "COM4 "
           + QByteArray::fromHex("00000000FFFF") + "1     " + QByteArray("AT&F").leftJustified(23, ' ');
}

#ifdef Q_OS_LINUX
// Keeps new files out of a folder while the files already in it stay writable, as the root of C: is for a
// standard user on Windows: the folder is made immutable (root ignores permissions) or read-only.
class FolderLock
{
public:
    explicit FolderLock(const QString &folder) : path_(QFile::encodeName(folder))
    {
        if (geteuid() != 0) {
            locked_ = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        fd_ = open(path_.constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd_ >= 0 && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            locked_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }

    ~FolderLock()
    {
        if (fd_ >= 0) {
            int flags = 0;
            if (locked_ && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ioctl(fd_, FS_IOC_SETFLAGS, &flags);
            }
            close(fd_);
        } else if (locked_) {
            QFile::setPermissions(QFile::decodeName(path_), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Whether the folder now refuses a new file.
    bool locked() const
    {
        QFile probe(QFile::decodeName(path_) + QStringLiteral("/probe"));
        return locked_ && !probe.open(QIODevice::WriteOnly);
    }

private:
    QByteArray path_;
    int fd_ = -1;
    bool locked_ = false;
};
#endif

} // namespace

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        TestEnvironment::desktop().reset();
        QFile::remove(filePath());
        // A test may have put a plain file where the data folder belongs.
        QFileInfo folder(TestEnvironment::dataFolder());
        if (folder.isFile())
            QFile::remove(folder.filePath());
    }

    void thePathIsInTheDataFolder() { QCOMPARE(SettingsFile::path(), filePath()); }

    void badFilesGiveOneWarningAndTheDefaults_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("bytes");

        auto withWaitingFlag = [](const QByteArray &field) { return customBytes().replace(49, 6, field); };
        QTest::newRow("missing") << false << QByteArray();
        QTest::newRow("empty") << true << QByteArray();
        QTest::newRow("50 bytes") << true << customBytes().left(50);
        QTest::newRow("100 bytes") << true << customBytes().left(100);
        QTest::newRow("blanks in a number field") << true << withWaitingFlag("      ");
        QTest::newRow("letters in a number field") << true << withWaitingFlag("ab    ");
        QTest::newRow("zero bytes in a number field") << true << withWaitingFlag(QByteArray(6, '\0'));
        QTest::newRow("3 in a number field") << true << withWaitingFlag("3     ");
        QTest::newRow("3 in the last number field") << true << customBytes().replace(72, 6, "3     ");
    }

    void badFilesGiveOneWarningAndTheDefaults()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, bytes);
        if (present)
            writeFile(bytes);

        frmMain w;
        w.Form_Load();
        QCOMPARE(TestEnvironment::desktop().warnings.size(), 1);
        QCOMPARE(TestEnvironment::desktop().warnings[0].title, SettingsTexts::LoadErrorTitle);
        QCOMPARE(TestEnvironment::desktop().warnings[0].text, SettingsTexts::LoadError);
        verifyDefaults(w.Modem());
        QVERIFY(!w.Modem().isVisible());
        // Nothing is written: a missing file is left behind empty, any other as it was.
        QVERIFY(QFile::exists(filePath()));
        QCOMPARE(fileBytes(), bytes);
    }

    void aSaveAfterAFailedLoadWritesTheDefaults()
    {
        frmMain w;
        w.Form_Load();
        QCOMPARE(TestEnvironment::desktop().warnings.size(), 1);
        w.mnuFileSave_Click();
        QCOMPARE(TestEnvironment::desktop().warnings.size(), 1);
        QCOMPARE(fileBytes(), defaultBytes());
    }

    void aSavedRecordComesBackWithItsPadding()
    {
        writeFile(customBytes());
        frmMain w;
        w.Form_Load();
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
        frmModem &f = w.Modem();
        QCOMPARE(value(f.optDirect), qint16(0));
        QCOMPARE(value(f.optModem), qint16(-1));
        QCOMPARE(f.cmbPort->currentText(), QStringLiteral("COM 2"));
        QCOMPARE(value(f.optTone), qint16(0));
        QCOMPARE(value(f.optPulse), qint16(-1));
        QCOMPARE(f.txtPhoneNumber->text(), QStringLiteral("5551234") + QString(17, u' '));
        QCOMPARE(value(f.chkOutside), 1);
        QCOMPARE(f.txt9->text(), QStringLiteral("8     "));
        QCOMPARE(value(f.chkWaiting), 1);
        QCOMPARE(f.txt70->text(), QStringLiteral("1170  "));
        QCOMPARE(f.cmbModem->currentText(), QStringLiteral("COM4 "));
        QCOMPARE(value(f.optOff), qint16(0));
        QCOMPARE(value(f.optLow), qint16(0));
        QCOMPARE(value(f.optLoud), qint16(-1));
        QCOMPARE(value(f.chkModemIni), 1);
        QCOMPARE(f.txtModemIni->text(), QStringLiteral("AT&F") + QString(19, u' '));
        // The rules follow the restored values.
        QVERIFY(!f.cmbPort->isEnabled());
        QVERIFY(f.txt9->isEnabled());
        QVERIFY(f.txt70->isEnabled());
        QVERIFY(f.txtModemIni->isEnabled());

        w.Save_Data();
        QCOMPARE(fileBytes(), customBytes());
    }

    void theLaterOptionOfAGroupWins()
    {
        QByteArray bytes = defaultBytes();
        bytes.replace(2, 2, QByteArray::fromHex("0100"));          // Use_Modem 1 beside Direct_Cable -1
        bytes.replace(66, 6, QByteArray::fromHex("FFFF0000FFFF")); // Off and Loud
        writeFile(bytes);
        frmMain w;
        w.Form_Load();
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
        frmModem &f = w.Modem();
        QCOMPARE(value(f.optDirect), qint16(0));
        QCOMPARE(value(f.optModem), qint16(-1));
        QCOMPARE(value(f.optOff), qint16(0));
        QCOMPARE(value(f.optLoud), qint16(-1));
        QVERIFY(!f.cmbPort->isEnabled());
    }

    void neitherConnectionOptionLoadsWithoutAWarning()
    {
        writeFile(defaultBytes().replace(0, 4, QByteArray(4, '\0')));
        frmMain w;
        w.Form_Load();
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
        QCOMPARE(value(w.Modem().optDirect), qint16(0));
        QCOMPARE(value(w.Modem().optModem), qint16(0));
    }

    void aLongPortTextIsSavedAsItsFirstFiveCharacters()
    {
        frmMain w;
        w.Form_Load();
        w.Modem().cmbPort->setCurrentText(QStringLiteral("COM 10"));
        QCOMPARE(w.Modem().cmbPort->currentText(), QStringLiteral("COM 10"));
        w.Save_Data();
        QCOMPARE(fileBytes().mid(4, 5), QByteArray("COM 1"));
        QCOMPARE(fileBytes().size(), 101);
    }

    void aLongerFileKeepsItsTail()
    {
        const QByteArray tail = QByteArray("record two, not ours") + QByteArray(90, '\xAB');
        writeFile(customBytes() + tail);
        frmMain w;
        w.Form_Load();
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
        w.Modem().txt9->setText(QStringLiteral("7"));
        w.Save_Data();
        QCOMPARE(fileBytes(), customBytes().replace(43, 6, "7     ") + tail);
    }

    // Where the data folder cannot be made (a plain file stands in its place), the operator is told once, and
    // nothing on disk changes.
    void aSaveThatCannotWriteWarnsOnce()
    {
        const QString folder = TestEnvironment::dataFolder();
        QDir(folder).removeRecursively();
        QDir().mkpath(QFileInfo(folder).path());
        {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.write("not a folder");
        }
        frmMain w;
        w.Form_Load();
        QCOMPARE(TestEnvironment::desktop().warnings.size(), 1); // the load failure
        verifyDefaults(w.Modem());
        TestEnvironment::desktop().reset();

        w.Modem().show();
        w.Modem().cmdOk->click();
        QVERIFY(!w.Modem().isVisible());
        QCOMPARE(TestEnvironment::desktop().warnings.size(), 1);
        const FakeDesktop::Box warning = TestEnvironment::desktop().warnings[0];
        QCOMPARE(warning.title, SettingsTexts::SaveErrorTitle);
        QCOMPARE(warning.text,
                 SettingsTexts::saveFailed(QDir::toNativeSeparators(filePath()),
                                           SettingsTexts::folderNotMade(QDir::toNativeSeparators(folder))));
        QVERIFY(QFileInfo(folder).isFile());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::ReadOnly));
        QCOMPARE(blocker.readAll(), QByteArray("not a folder"));
    }

    // A save cut off while writing (here by a file size limit, as a full disk would) never reaches the file:
    // the old record stays whole and the operator is told.
    void anInterruptedSaveLeavesTheOldFileWhole()
    {
#ifdef Q_OS_UNIX
        const QByteArray old = customBytes() + QByteArray(200, 'T');
        writeFile(old);
        frmMain w;
        w.Form_Load();
        w.Modem().txtPhoneNumber->setText(QStringLiteral("5559999"));

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        w.Save_Data();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(fileBytes(), old);
        QCOMPARE(TestEnvironment::desktop().warnings.size(), 1);
        QVERIFY(TestEnvironment::desktop().warnings[0].text.contains(QDir::toNativeSeparators(filePath())));
        QCOMPARE(QDir(TestEnvironment::dataFolder()).entryList(QDir::Files), QStringList{"Vexa_Data.dat"});
#else
        QSKIP("needs a file size limit to cut the write short");
#endif
    }

    // The port boxes show the restored text and, when it is one of their items, have that item current: the
    // arrow keys step on from the port shown.
    void aRestoredPortIsTheListsCurrentItem_data()
    {
        QTest::addColumn<QByteArray>("direct");
        QTest::addColumn<QByteArray>("modem");
        QTest::addColumn<int>("directItem");
        QTest::addColumn<int>("modemItem");
        QTest::addColumn<QString>("directAfterDown");

        QTest::newRow("COM 3 and COM 1") << QByteArray("COM 3") << QByteArray("COM 1") << 2 << 0 << "COM 4";
        QTest::newRow("COM 4 and COM 2") << QByteArray("COM 4") << QByteArray("COM 2") << 3 << 1 << "COM 4";
        QTest::newRow("no item") << QByteArray("COM9 ") << QByteArray("COM4 ") << -1 << -1 << "COM 1";
    }

    void aRestoredPortIsTheListsCurrentItem()
    {
        QFETCH(QByteArray, direct);
        QFETCH(QByteArray, modem);
        QFETCH(int, directItem);
        QFETCH(int, modemItem);
        QFETCH(QString, directAfterDown);
        writeFile(defaultBytes().replace(4, 5, direct).replace(61, 5, modem));
        frmMain w;
        w.Form_Load();
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
        frmModem &f = w.Modem();
        QCOMPARE(f.cmbPort->currentText(), QString::fromLatin1(direct));
        QCOMPARE(f.cmbModem->currentText(), QString::fromLatin1(modem));
        QCOMPARE(f.cmbPort->currentIndex(), directItem);
        QCOMPARE(f.cmbModem->currentIndex(), modemItem);

        QTest::keyClick(f.cmbPort, Qt::Key_Down);
        QCOMPARE(f.cmbPort->currentText(), directAfterDown);
    }

    // Where no new file may be made beside the old one, the save writes record 1 over the old file, keeps its
    // tail and says nothing; where there is no old file either, the operator is told.
    void aFolderThatTakesNoNewFileIsWrittenInPlace_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("old file present") << true;
        QTest::newRow("no old file") << false;
    }

    void aFolderThatTakesNoNewFileIsWrittenInPlace()
    {
#ifdef Q_OS_LINUX
        QFETCH(bool, present);
        const QByteArray tail = QByteArray(150, 'T');
        writeFile(customBytes() + tail);
        frmMain w;
        w.Form_Load();
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
        if (!present)
            QVERIFY(QFile::remove(filePath()));
        w.Modem().txtPhoneNumber->setText(QStringLiteral("5559999"));
        {
            FolderLock lock(TestEnvironment::dataFolder());
            if (!lock.locked())
                QSKIP("this file system cannot keep new files out of a folder");
            w.Save_Data();
        }
        const QByteArray saved = customBytes().replace(13, 24, QByteArray("5559999").leftJustified(24, ' '));
        if (present) {
            QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
            QCOMPARE(fileBytes(), saved + tail);
        } else {
            QCOMPARE(TestEnvironment::desktop().warnings.size(), 1);
            QVERIFY(TestEnvironment::desktop().warnings[0].text.contains(QDir::toNativeSeparators(filePath())));
            QVERIFY(!QFile::exists(filePath()));
        }
        QCOMPARE(QDir(TestEnvironment::dataFolder()).entryList(QDir::Files),
                 present ? QStringList{"Vexa_Data.dat"} : QStringList());
#else
        QSKIP("keeps new files out of a folder the Linux way");
#endif
    }

    void cancelKeepsTheEditsForTheNextSave()
    {
        writeFile(defaultBytes());
        frmMain w;
        w.Form_Load();
        frmModem &f = w.Modem();
        w.mnuModemSettings_Click();
        f.optModem->click();
        f.txtPhoneNumber->setText(QStringLiteral("5550100"));
        f.cmdClose->click();
        QVERIFY(!f.isVisible());
        QCOMPARE(fileBytes(), defaultBytes());

        w.mnuModemSettings_Click();
        QVERIFY(f.isVisible());
        QCOMPARE(value(f.optModem), qint16(-1));
        QCOMPARE(f.txtPhoneNumber->text(), QStringLiteral("5550100"));
        f.cmdClose->click();

        w.mnuFileSave_Click();
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
        const QByteArray saved = fileBytes();
        QCOMPARE(saved.mid(0, 4), QByteArray::fromHex("0000FFFF"));
        QCOMPARE(saved.mid(13, 24), QByteArray("5550100").leftJustified(24, ' '));
    }

    void okSavesAndHides()
    {
        frmMain w;
        w.Form_Load();
        frmModem &f = w.Modem();
        w.mnuModemSettings_Click();
        setValue(f.chkOutside, 1);
        f.cmdOk->click();
        QVERIFY(!f.isVisible());
        QCOMPARE(fileBytes().mid(37, 6), QByteArray("1     "));
    }
};

SONARELLE_TEST_MAIN(tst_SettingsFile)
#include "tst_SettingsFile.moc"
