#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Record 1 of the settings file: the sixteen connection settings of the modem settings dialog, in the order
// and at the byte offsets of the file. Option buttons are 16-bit integers (-1 selected, 0 not), check boxes
// their value as a number in text, the rest blank-padded single-byte text.
struct Settings_Record
{
    static constexpr int Size = 101;

    qint16 Direct_Cable = 0;
    qint16 Use_Modem = 0;
    QString Direct_Com_Port;
    qint16 Tone_Dial = 0;
    qint16 Pulse_Dial = 0;
    QString Phone_Number;
    int Outside_Flag = 0;
    QString Outside_Digits;
    int Waiting_Flag = 0;
    QString Waiting_Code;
    QString Modem_Com_Port;
    qint16 Speaker_Off = 0;
    qint16 Speaker_Low = 0;
    qint16 Speaker_Loud = 0;
    int Ini_Flag = 0;
    QString Ini_String;

    // The built-in settings used when the file cannot be loaded.
    static Settings_Record defaults();

    friend bool operator==(const Settings_Record &, const Settings_Record &) = default;
};

namespace DiskFileDefinition {

// The 101 bytes of the record. Texts are cut or blank-padded to their widths; a character that has no
// Latin-1 byte is written as '?'.
QByteArray encode(const Settings_Record &record);

// Reads the first 101 bytes. Texts come back whole, padding blanks included. Fails when there are fewer
// than 101 bytes or a number-as-text field holds anything but 0, 1 or 2 between blanks.
std::optional<Settings_Record> decode(QByteArrayView bytes);

// One number-as-text field: the number between optional blanks, only when a check box takes it (0, 1, 2).
std::optional<int> checkBoxValue(QByteArrayView field);

} // namespace DiskFileDefinition
