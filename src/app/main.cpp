#include "app/frmSplash.h"
#include "panel/frmMain.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brevantic"));
    QApplication::setApplicationName(QStringLiteral("Sonarelle"));
    QApplication::setApplicationVersion(QStringLiteral("1.1.0"));
    QApplication::setQuitOnLastWindowClosed(false);

    std::unique_ptr<frmMain> main(frmSplash::Form_Load());
    return app.exec();
}
