// The settings record as it is loaded from the file: decode of any bytes, the number-as-text fields, and
// encode of what was accepted. The input is the file's content.
#include "FuzzCheck.h"

#include "settings/DiskFileDefinition.h"

#include <cstddef>
#include <cstdint>

namespace {

// Where the number-as-text fields of the record lie; every other byte is kept as it is read.
constexpr struct
{
    qsizetype offset;
    qsizetype width;
} FlagFields[] = {{37, 6}, {49, 6}, {72, 6}};

// The check box value of a field worked out on its own: digits between blanks whose value is 0, 1 or 2.
std::optional<int> expectedCheckBox(QByteArrayView field)
{
    QByteArray digits = field.toByteArray();
    while (digits.startsWith(' '))
        digits.remove(0, 1);
    while (digits.endsWith(' '))
        digits.chop(1);
    if (digits.isEmpty())
        return std::nullopt;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return std::nullopt;
    while (digits.size() > 1 && digits.startsWith('0'))
        digits.remove(0, 1);
    if (digits.size() > 1 || digits[0] > '2')
        return std::nullopt;
    return digits[0] - '0';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // Any slice of the input as one number-as-text field.
    const std::optional<int> flag = DiskFileDefinition::checkBoxValue(bytes.first(std::min<qsizetype>(size, 6)));
    FUZZ_CHECK(flag == expectedCheckBox(bytes.first(std::min<qsizetype>(size, 6))));
    FUZZ_CHECK(DiskFileDefinition::checkBoxValue(bytes) == expectedCheckBox(bytes));

    const std::optional<Settings_Record> record = DiskFileDefinition::decode(bytes);
    if (size < size_t(Settings_Record::Size)) {
        FUZZ_CHECK(!record);
        return 0;
    }
    // Only the first 101 bytes are read; a record is refused exactly when a number-as-text field is not one.
    FUZZ_CHECK(DiskFileDefinition::decode(bytes.first(Settings_Record::Size)) == record);
    bool flagsValid = true;
    for (const auto &f : FlagFields)
        flagsValid = flagsValid && DiskFileDefinition::checkBoxValue(bytes.sliced(f.offset, f.width)).has_value();
    FUZZ_CHECK(record.has_value() == flagsValid);
    if (!record)
        return 0;

    for (const int value : {record->Outside_Flag, record->Waiting_Flag, record->Ini_Flag})
        FUZZ_CHECK(value >= 0 && value <= 2);

    // Saved again, the record loads as the same record, and every byte but the number-as-text fields is
    // written as it was read.
    const QByteArray saved = DiskFileDefinition::encode(*record);
    FUZZ_CHECK(saved.size() == Settings_Record::Size);
    FUZZ_CHECK(DiskFileDefinition::decode(saved) == record);
    qsizetype at = 0;
    for (const auto &f : FlagFields) {
        FUZZ_CHECK(saved.sliced(at, f.offset - at) == bytes.sliced(at, f.offset - at));
        at = f.offset + f.width;
    }
    FUZZ_CHECK(saved.sliced(at) == bytes.sliced(at, Settings_Record::Size - at));

    // Texts of any characters, cut and padded to their widths, still give a record that loads.
    Settings_Record typed = *record;
    typed.Phone_Number = QString::fromUtf8(bytes);
    typed.Ini_String = QString::fromUtf8(bytes.sliced(Settings_Record::Size / 2));
    const std::optional<Settings_Record> reloaded = DiskFileDefinition::decode(DiskFileDefinition::encode(typed));
    FUZZ_CHECK(reloaded.has_value());
    FUZZ_CHECK(reloaded->Phone_Number.size() == 24 && reloaded->Ini_String.size() == 23);
    FUZZ_CHECK(DiskFileDefinition::decode(DiskFileDefinition::encode(*reloaded)) == reloaded);
    return 0;
}
