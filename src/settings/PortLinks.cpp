#include "PortLinks.h"

#include "link/PortName.h"
#include "link/PortTarget.h"
#include "settings/SettingsTexts.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path native(const QString &path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString fromNative(const fs::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QString reason(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

QString foreignKind(fs::file_type type)
{
    switch (type) {
    case fs::file_type::regular: return QStringLiteral("a file");
    case fs::file_type::directory: return QStringLiteral("a folder");
    default: return QStringLiteral("not a link");
    }
}

// The entry for a link's text: what it names, and whether a device it names is there.
PortEntry linkEntry(const QString &text, const QString &folder)
{
    PortEntry e;
    e.text = text;
    const std::optional<PortTarget> target = PortTarget::parse(text);
    if (!target) {
        e.kind = PortEntry::Kind::Unreadable;
        e.problem = QStringLiteral("names no device and no usable address");
        return e;
    }
    if (target->isNetwork()) {
        e.kind = target->kind == PortTarget::Kind::Rfc2217 ? PortEntry::Kind::Rfc2217 : PortEntry::Kind::Tcp;
        return e;
    }
    // A relative target is read from the folder the link is in, as the system reads it.
    std::error_code error;
    const fs::path device = fs::canonical(native(folder) / native(text), error);
    if (error) {
        e.kind = PortEntry::Kind::Absent;
        return e;
    }
    // A stable name is itself a link the system keeps to whatever device file the adapter got this time.
    e.kind = fs::is_symlink(native(folder) / native(text), error) ? PortEntry::Kind::ById : PortEntry::Kind::Device;
    e.device = fromNative(device);
    return e;
}

// What the system says of the device file, matched by the file each port's name leads to.
QString aboutDevice(const QString &device, const QList<SystemPort> &ports)
{
    std::error_code error;
    for (const SystemPort &port : ports)
        if (fs::canonical(native(port.device), error) == native(device) && !error)
            return port.about();
    return {};
}

QString withAbout(const QString &state, const QString &about)
{
    return about.isEmpty() ? state : QStringLiteral("%1: %2").arg(state, about);
}

} // namespace

QString PortLinks::path(int n) const
{
    return QDir(folder_).filePath(QStringLiteral("com%1").arg(n));
}

PortEntry PortLinks::entry(int n) const
{
    PortEntry e;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(native(path(n)), error);
    if (status.type() == fs::file_type::not_found)
        return e;
    if (error) {
        e.kind = PortEntry::Kind::Unreadable;
        e.problem = reason(error);
        return e;
    }
    if (status.type() != fs::file_type::symlink) {
        e.kind = PortEntry::Kind::Foreign;
        e.problem = foreignKind(status.type());
        return e;
    }
    const fs::path target = fs::read_symlink(native(path(n)), error);
    if (error) {
        e.kind = PortEntry::Kind::Unreadable;
        e.problem = reason(error);
        return e;
    }
    return linkEntry(fromNative(target), folder_);
}

PortRow PortLinks::row(int n, const PortEntry &entry, const QList<SystemPort> &ports)
{
    switch (entry.kind) {
    case PortEntry::Kind::None: return {PortName::builtIn(n), QStringLiteral("none: the built-in port")};
    case PortEntry::Kind::Device:
        return {entry.text, withAbout(QStringLiteral("present"), aboutDevice(entry.device, ports))};
    case PortEntry::Kind::ById:
        return {entry.text,
                withAbout(QStringLiteral("present as %1").arg(entry.device), aboutDevice(entry.device, ports))};
    case PortEntry::Kind::Absent: return {entry.text, QStringLiteral("absent now; kept for when it is back")};
    case PortEntry::Kind::Rfc2217: return {entry.text, QStringLiteral("device server, RFC 2217")};
    case PortEntry::Kind::Tcp: return {entry.text, QStringLiteral("device server, raw TCP")};
    case PortEntry::Kind::Unreadable: return {entry.text, QStringLiteral("unreadable: %1").arg(entry.problem)};
    case PortEntry::Kind::Foreign: return {QString(), QStringLiteral("%1, not a link: left alone").arg(entry.problem)};
    }
    return {};
}

bool PortLinks::needsAsking(int n, const PortEntry &now) const
{
    if (now.kind == PortEntry::Kind::None)
        return false;
    return now.text.isEmpty() || !written_.contains(n) || written_.value(n) != now.text;
}

bool PortLinks::unchanged(int n, const PortEntry &expected, QString *error) const
{
    if (entry(n) == expected)
        return true;
    *error = SettingsTexts::changedMeanwhile(QDir::toNativeSeparators(path(n)));
    return false;
}

bool PortLinks::assign(int n, const QString &target, const PortEntry &expected, QString *error)
{
    if (!unchanged(n, expected, error))
        return false;
    std::error_code failure;
    fs::create_directories(native(folder_), failure);
    if (failure) {
        *error = SettingsTexts::dataFolderNotMade(QDir::toNativeSeparators(folder_), reason(failure));
        return false;
    }
    // A name of our own beside com<n>; another try if it is taken.
    fs::path temporary;
    for (int attempt = 0; attempt < 10; ++attempt) {
        temporary = native(QStringLiteral("%1.new-%2")
                               .arg(path(n))
                               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        fs::create_symlink(native(target), temporary, failure);
        if (failure != std::errc::file_exists)
            break;
    }
    if (failure) {
        *error = SettingsTexts::dataFolderNotWritten(QDir::toNativeSeparators(folder_), reason(failure));
        return false;
    }
    fs::rename(temporary, native(path(n)), failure);
    if (failure) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        *error = SettingsTexts::notReplaced(QDir::toNativeSeparators(path(n)), reason(failure));
        return false;
    }
    written_.insert(n, target);
    return true;
}

bool PortLinks::clear(int n, const PortEntry &expected, QString *error)
{
    if (!unchanged(n, expected, error))
        return false;
    std::error_code failure;
    if (expected.kind != PortEntry::Kind::None)
        fs::remove(native(path(n)), failure);
    if (failure) {
        *error = SettingsTexts::notRemoved(QDir::toNativeSeparators(path(n)), reason(failure));
        return false;
    }
    written_.remove(n);
    return true;
}
