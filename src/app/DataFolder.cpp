#include "DataFolder.h"

#include <QDir>
#include <QStandardPaths>

QString DataFolder::path()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool DataFolder::ensure()
{
    return QDir().mkpath(path());
}
