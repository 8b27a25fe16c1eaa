#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, carried by every window of the program: four lamp columns, one lamp lit in each,
// on a navy panel. 32 x 32 pixels in the sixteen standard colours.
namespace ProgramIcon {

inline constexpr int Side = 32;

QImage image();
QIcon icon();

} // namespace ProgramIcon
