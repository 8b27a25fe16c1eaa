#pragma once

#include <QApplication>
#include <QTemporaryDir>

// Sets up, before the application exists, a data folder of the run's own (the settings file and the port links
// go there, never into the user's) and the offscreen platform unless another is asked for.
struct ScratchHome
{
    ScratchHome()
    {
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QTemporaryDir dir;
};

// The program's application for a benchmark run.
class ScratchApplication : private ScratchHome, public QApplication
{
public:
    ScratchApplication(int &argc, char **argv) : QApplication(argc, argv)
    {
        setOrganizationName(QStringLiteral("Brevantic"));
        setApplicationName(QStringLiteral("Sonarelle"));
    }
};
