#include "DiskFileDefinition.h"

#include <QList>
#include <QtEndian>

namespace {

// Where each field lies in the record.
struct Field
{
    int offset;
    int width;
};

constexpr Field Direct_Cable{0, 2};
constexpr Field Use_Modem{2, 2};
constexpr Field Direct_Com_Port{4, 5};
constexpr Field Tone_Dial{9, 2};
constexpr Field Pulse_Dial{11, 2};
constexpr Field Phone_Number{13, 24};
constexpr Field Outside_Flag{37, 6};
constexpr Field Outside_Digits{43, 6};
constexpr Field Waiting_Flag{49, 6};
constexpr Field Waiting_Code{55, 6};
constexpr Field Modem_Com_Port{61, 5};
constexpr Field Speaker_Off{66, 2};
constexpr Field Speaker_Low{68, 2};
constexpr Field Speaker_Loud{70, 2};
constexpr Field Ini_Flag{72, 6};
constexpr Field Ini_String{78, 23};

static_assert(Ini_String.offset + Ini_String.width == Settings_Record::Size);

void putInt16(QByteArray &bytes, Field field, qint16 value)
{
    qToLittleEndian(value, bytes.data() + field.offset);
}

void putText(QByteArray &bytes, Field field, const QString &text)
{
    QByteArray single;
    for (const char32_t c : text.toUcs4())
        single.append(c <= 0xFF ? char(c) : '?');
    single = single.left(field.width).leftJustified(field.width, ' ');
    bytes.replace(field.offset, field.width, single);
}

void putNumber(QByteArray &bytes, Field field, int value)
{
    putText(bytes, field, QString::number(value));
}

qint16 int16At(QByteArrayView bytes, Field field)
{
    return qFromLittleEndian<qint16>(bytes.data() + field.offset);
}

QString textAt(QByteArrayView bytes, Field field)
{
    return QString::fromLatin1(bytes.sliced(field.offset, field.width));
}

} // namespace

Settings_Record Settings_Record::defaults()
{
    Settings_Record r;
    r.Direct_Cable = -1;
    r.Direct_Com_Port = QStringLiteral("COM 1");
    r.Tone_Dial = -1;
    r.Outside_Digits = QStringLiteral("9");
    r.Waiting_Code = QStringLiteral("*70");
    r.Modem_Com_Port = QStringLiteral("COM 3");
    r.Speaker_Low = -1;
    r.Ini_String = QStringLiteral("AT");
    return r;
}

QByteArray DiskFileDefinition::encode(const Settings_Record &r)
{
    QByteArray bytes(Settings_Record::Size, '\0');
    putInt16(bytes, Direct_Cable, r.Direct_Cable);
    putInt16(bytes, Use_Modem, r.Use_Modem);
    putText(bytes, Direct_Com_Port, r.Direct_Com_Port);
    putInt16(bytes, Tone_Dial, r.Tone_Dial);
    putInt16(bytes, Pulse_Dial, r.Pulse_Dial);
    putText(bytes, Phone_Number, r.Phone_Number);
    putNumber(bytes, Outside_Flag, r.Outside_Flag);
    putText(bytes, Outside_Digits, r.Outside_Digits);
    putNumber(bytes, Waiting_Flag, r.Waiting_Flag);
    putText(bytes, Waiting_Code, r.Waiting_Code);
    putText(bytes, Modem_Com_Port, r.Modem_Com_Port);
    putInt16(bytes, Speaker_Off, r.Speaker_Off);
    putInt16(bytes, Speaker_Low, r.Speaker_Low);
    putInt16(bytes, Speaker_Loud, r.Speaker_Loud);
    putNumber(bytes, Ini_Flag, r.Ini_Flag);
    putText(bytes, Ini_String, r.Ini_String);
    return bytes;
}

std::optional<int> DiskFileDefinition::checkBoxValue(QByteArrayView field)
{
    qsizetype first = 0;
    qsizetype end = field.size();
    while (first < end && field[first] == ' ')
        ++first;
    while (end > first && field[end - 1] == ' ')
        --end;
    if (first == end)
        return std::nullopt;
    int value = 0;
    for (const char c : field.sliced(first, end - first)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2)
            return std::nullopt;
    }
    return value;
}

std::optional<Settings_Record> DiskFileDefinition::decode(QByteArrayView bytes)
{
    if (bytes.size() < Settings_Record::Size)
        return std::nullopt;
    const auto outside = checkBoxValue(bytes.sliced(Outside_Flag.offset, Outside_Flag.width));
    const auto waiting = checkBoxValue(bytes.sliced(Waiting_Flag.offset, Waiting_Flag.width));
    const auto ini = checkBoxValue(bytes.sliced(Ini_Flag.offset, Ini_Flag.width));
    if (!outside || !waiting || !ini)
        return std::nullopt;

    Settings_Record r;
    r.Direct_Cable = int16At(bytes, Direct_Cable);
    r.Use_Modem = int16At(bytes, Use_Modem);
    r.Direct_Com_Port = textAt(bytes, Direct_Com_Port);
    r.Tone_Dial = int16At(bytes, Tone_Dial);
    r.Pulse_Dial = int16At(bytes, Pulse_Dial);
    r.Phone_Number = textAt(bytes, Phone_Number);
    r.Outside_Flag = *outside;
    r.Outside_Digits = textAt(bytes, Outside_Digits);
    r.Waiting_Flag = *waiting;
    r.Waiting_Code = textAt(bytes, Waiting_Code);
    r.Modem_Com_Port = textAt(bytes, Modem_Com_Port);
    r.Speaker_Off = int16At(bytes, Speaker_Off);
    r.Speaker_Low = int16At(bytes, Speaker_Low);
    r.Speaker_Loud = int16At(bytes, Speaker_Loud);
    r.Ini_Flag = *ini;
    r.Ini_String = textAt(bytes, Ini_String);
    return r;
}
