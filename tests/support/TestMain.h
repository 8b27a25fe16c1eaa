#pragma once

#include "FakeDesktop.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

// Every test runs headless, with the fake desktop installed and with its data folder (the settings file,
// the port links) in a temporary folder of its own, never the user's.
namespace TestEnvironment {

inline FakeDesktop &desktop()
{
    static FakeDesktop fake;
    return fake;
}

inline QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace TestEnvironment

#define SONARELLE_TEST_MAIN(TestClass)                                                                                 \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QTemporaryDir home;                                                                                            \
        if (!home.isValid())                                                                                           \
            return 2;                                                                                                  \
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());                                                           \
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());                                                         \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        QApplication app(argc, argv);                                                                                  \
        QApplication::setOrganizationName(QStringLiteral("Brevantic"));                                                \
        QApplication::setApplicationName(QStringLiteral("Sonarelle"));                                                 \
        QApplication::setQuitOnLastWindowClosed(false);                                                                \
        Desktop::install(&TestEnvironment::desktop());                                                                 \
        TestClass test;                                                                                                \
        const int failures = QTest::qExec(&test, argc, argv);                                                          \
        Desktop::install(nullptr);                                                                                     \
        return failures;                                                                                               \
    }
