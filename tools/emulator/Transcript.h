#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTime>

// One line of the emulator's record of what crosses the line: the time, the direction and the bytes, with CR,
// LF and every byte that is not printable ASCII written as an escape, so that noise stays readable.
namespace Transcript {

enum class Direction { ToDevice, FromDevice };

QString line(QTime at, Direction direction, QByteArrayView bytes);
QString escaped(QByteArrayView bytes);

} // namespace Transcript
