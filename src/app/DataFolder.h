#pragma once

#include <QString>

// The program's data folder: the settings file and the port links live here
// (~/.local/share/Brevantic/Sonarelle on Linux, following XDG_DATA_HOME).
namespace DataFolder {

QString path();
// Makes the folder when it is missing; false when it cannot be made.
bool ensure();

} // namespace DataFolder
