#pragma once

#include "settings/SystemPorts.h"

#include <QList>
#include <QMap>
#include <QString>

// What the entry com<n> in the data folder is, as the Ports window reads it.
struct PortEntry
{
    enum class Kind {
        None,       // no entry: COM n is the built-in port /dev/ttyS<n-1>
        Device,     // a link to a device that is there
        ById,       // a link to a stable name (such as /dev/serial/by-id/...) that leads to a device that is there
        Absent,     // a link to a device that is not there now (an adapter unplugged)
        Rfc2217,    // a link to the address of a device server speaking RFC 2217
        Tcp,        // a link to the address of a device server in raw TCP mode
        Unreadable, // a link that names nothing the program can open, or an entry that cannot be read
        Foreign,    // something other than a link (a file, a folder): never made by this program
    };

    Kind kind = Kind::None;
    QString text;    // the link's target exactly as written; empty when the entry is no link or cannot be read
    QString device;  // Device and ById: the device file the link leads to
    QString problem; // Unreadable and Foreign: what is wrong with the entry

    friend bool operator==(const PortEntry &, const PortEntry &) = default;
};

// The two columns of a port's row: what it stands for, and in what state.
struct PortRow
{
    QString standsFor;
    QString state;

    friend bool operator==(const PortRow &, const PortRow &) = default;
};

// The links com1 to com9 in one folder, as the Ports window reads and writes them. What it writes is what a
// person would write by hand with ln -s. It never changes an entry without the caller's say: needsAsking()
// tells which changes need the operator's word first.
class PortLinks
{
public:
    static constexpr int First = 1;
    static constexpr int Last = 9;

    explicit PortLinks(QString folder) : folder_(std::move(folder)) {}

    PortEntry entry(int n) const;
    // The row for port n, with what the system says of the device it leads to.
    static PortRow row(int n, const PortEntry &entry, const QList<SystemPort> &ports);

    // True unless the entry is missing or still the link this object wrote there itself: anything else was
    // made by someone else (by hand, by the emulator, by an earlier run) and is theirs until the operator says.
    bool needsAsking(int n, const PortEntry &now) const;

    // Points com<n> at the target, made under a temporary name and renamed over the entry, so that com<n> is
    // at every moment either the old entry or the new link. `expected` is the entry the operator saw: when
    // com<n> has changed since, nothing is written. False with the reason in *error.
    bool assign(int n, const QString &target, const PortEntry &expected, QString *error);
    // Removes com<n>, so that COM n is the built-in port again; the same checks as assign().
    bool clear(int n, const PortEntry &expected, QString *error);

    QString path(int n) const;

private:
    bool unchanged(int n, const PortEntry &expected, QString *error) const;

    QString folder_;
    QMap<int, QString> written_; // port -> the target this object last wrote there
};
