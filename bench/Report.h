#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <vector>

// What the benchmark programs share: their figures go out as rows of one Markdown table ("| figure | value |"),
// which scripts/bench gathers into the report; anything else they say goes to the error stream.
namespace Report {

inline QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

inline QTextStream &note()
{
    static QTextStream stream(stderr);
    return stream;
}

inline void row(const QString &figure, const QString &value)
{
    out() << "| " << figure << " | " << value << " |\n" << Qt::flush;
}

inline QString number(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

inline double worst(const std::vector<double> &v)
{
    return *std::max_element(v.begin(), v.end());
}

inline double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// The process's resident memory in KiB (VmRSS), 0 where the system does not say.
inline long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// The process's open file descriptors (the one that lists them included).
inline long openDescriptors()
{
    return long(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

inline QString mib(long kb)
{
    return number(kb / 1024.0, 1) + QStringLiteral(" MiB");
}

} // namespace Report
