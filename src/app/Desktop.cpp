#include "Desktop.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace {

class RealDesktop final : public Desktop
{
public:
    bool askYesNo(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    void warn(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    void beep() override { QApplication::beep(); }

    void endProgram() override
    {
        // Unwinding would resume the waits that are still on the stack; the program must stop where it stands.
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
};

RealDesktop realDesktop;
Desktop *installed = nullptr;

} // namespace

Desktop &Desktop::current()
{
    if (installed)
        return *installed;
    return realDesktop;
}

void Desktop::install(Desktop *desktop)
{
    installed = desktop;
}
