#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file on disk: "c:\Vexa_Data.dat" on Windows, Vexa_Data.dat in the program's data folder
// elsewhere. Only record 1 (the first 101 bytes) is ever read or written.
namespace SettingsFile {

QString path();

// Opens the file for reading and writing, creating it empty when it is missing (and its folder with it), and
// returns up to the first 101 bytes; nothing when it cannot be opened or created.
std::optional<QByteArray> readRecord();

// Replaces record 1 with the given bytes and keeps every byte after it. The new file is written beside the
// old one and takes its place in one step, so the file on disk is always either the old or the new one.
// Where the new file cannot be made there or cannot take the old one's place, record 1 is written over the
// old file instead. On failure, says why in reason.
bool writeRecord(const QByteArray &record, QString *reason);

} // namespace SettingsFile
