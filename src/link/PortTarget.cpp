#include "PortTarget.h"

namespace {

constexpr QStringView SchemeMark = u"://";

std::optional<PortTarget> networkTarget(PortTarget::Kind kind, QStringView address)
{
    const qsizetype colon = address.lastIndexOf(u':');
    if (colon < 0)
        return std::nullopt;
    QStringView host = address.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(u':')) // an IPv6 address must be bracketed, or its last group reads as the port
        return std::nullopt;
    if (host.isEmpty() || host.contains(u'/') || host.contains(u' '))
        return std::nullopt;
    bool ok = false;
    const uint port = address.mid(colon + 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535 || !address.mid(colon + 1).front().isDigit())
        return std::nullopt;
    PortTarget t;
    t.kind = kind;
    t.host = host.toString();
    t.port = quint16(port);
    return t;
}

} // namespace

std::optional<PortTarget> PortTarget::parse(const QString &text)
{
    const qsizetype mark = text.indexOf(SchemeMark);
    if (mark < 0) {
        if (text.isEmpty())
            return std::nullopt;
        PortTarget t;
        t.device = text;
        return t;
    }
    const QStringView scheme = QStringView(text).left(mark);
    const QStringView address = QStringView(text).mid(mark + SchemeMark.size());
    if (scheme.compare(u"rfc2217", Qt::CaseInsensitive) == 0)
        return networkTarget(Kind::Rfc2217, address);
    if (scheme.compare(u"tcp", Qt::CaseInsensitive) == 0)
        return networkTarget(Kind::Tcp, address);
    return std::nullopt;
}

QString PortTarget::text() const
{
    if (kind == Kind::Device)
        return device;
    const QString h = host.contains(u':') ? u'[' + host + u']' : host;
    return QStringLiteral("%1://%2:%3").arg(kind == Kind::Rfc2217 ? u"rfc2217" : u"tcp", h).arg(port);
}
