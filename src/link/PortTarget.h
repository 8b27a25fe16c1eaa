#pragma once

#include <QString>

#include <optional>

// What "COM n" stands for: a serial device, or a serial device server on the network. The text form is the one
// kept as the target of the link com<n> in the data folder, and the one a person would write there by hand:
//   /dev/ttyUSB0 (any path)        a serial device
//   rfc2217://host:port            a device server speaking RFC 2217 (Telnet COM Port Control)
//   tcp://host:port                a device server in raw TCP mode
// host may be a name, an IPv4 address, or an IPv6 address in brackets ("tcp://[::1]:4001").
struct PortTarget
{
    enum class Kind { Device, Rfc2217, Tcp };

    Kind kind = Kind::Device;
    QString device; // Kind::Device
    QString host;   // the network kinds, without brackets
    quint16 port = 0;

    // Empty for a text that names a network scheme but no usable host and port ("tcp://host", "rfc2217://:0"),
    // and for any other "scheme://" text: such a target cannot be opened, and must not be taken for a device path.
    static std::optional<PortTarget> parse(const QString &text);
    // The text form, as parse() reads it.
    QString text() const;
    bool isNetwork() const { return kind != Kind::Device; }

    friend bool operator==(const PortTarget &, const PortTarget &) = default;
};
