#include "SettingsFile.h"

#include "app/DataFolder.h"
#include "settings/DiskFileDefinition.h"
#include "settings/SettingsTexts.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

bool ensureFolder(QString *reason)
{
#ifdef Q_OS_WIN
    Q_UNUSED(reason);
    return true;
#else
    if (DataFolder::ensure())
        return true;
    if (reason)
        *reason = SettingsTexts::folderNotMade(QDir::toNativeSeparators(DataFolder::path()));
    return false;
#endif
}

} // namespace

QString SettingsFile::path()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:/Vexa_Data.dat");
#else
    return DataFolder::path() + QStringLiteral("/Vexa_Data.dat");
#endif
}

namespace {

// Where no new file may be made beside the old one (a standard user on Windows may not create files in the
// root of C:, yet may write the one already there), record 1 is written over the old bytes instead.
bool writeInPlace(const QByteArray &record, QString *reason)
{
    QFile file(SettingsFile::path());
    if (file.open(QIODevice::ReadWrite) && file.write(record) == record.size() && file.flush())
        return true;
    *reason = file.errorString();
    return false;
}

} // namespace

std::optional<QByteArray> SettingsFile::readRecord()
{
    if (!ensureFolder(nullptr))
        return std::nullopt;
    QFile file(path());
    if (!file.open(QIODevice::ReadWrite))
        return std::nullopt;
    return file.read(Settings_Record::Size);
}

bool SettingsFile::writeRecord(const QByteArray &record, QString *reason)
{
    if (!ensureFolder(reason))
        return false;

    QByteArray tail;
    QFile old(path());
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) {
            *reason = old.errorString();
            return false;
        }
        if (old.size() > Settings_Record::Size) {
            old.seek(Settings_Record::Size);
            tail = old.readAll();
        }
        old.close();
    }

    QSaveFile file(path());
    if (!file.open(QIODevice::WriteOnly))
        return writeInPlace(record, reason);
    // QSaveFile only notices a failed write at commit when the write itself fails; one that fails as the
    // buffer is flushed (a full disk, a size limit) would still replace the old file with a torn one.
    const bool written = file.write(record) == record.size() && file.write(tail) == tail.size() && file.flush();
    if (!written) {
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    // A failed commit leaves the old file as it was, so it may still be written in place.
    return file.commit() || writeInPlace(record, reason);
}
