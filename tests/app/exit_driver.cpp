// exit_driver <kind>: the main window in a process of its own, running one exchange of the given kind on the
// fast clock against an emulator outside this process (direct cable on COM 1, or the modem on COM 3). When a
// line "exit" comes on standard input, inside whatever wait the exchange is in, it asks to exit and answers
// Yes, and the program ends as the real desktop ends it. If the exchange finishes first it exits with 3.
//
// Kinds: settle, status (direct: the status read after a connect); write, proof (direct: an adjustment or
// the proof switch after a connect); setup, dial (modem: the connect); guard, hangup (modem: the disconnect
// after a connect).
#include "app/Desktop.h"
#include "link/Pacing.h"
#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/frmModem.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

// Answers Yes, says nothing, and ends the program on the spot, as the real desktop does.
class YesDesktop final : public Desktop
{
public:
    bool askYesNo(QWidget *, const QString &, const QString &) override { return true; }
    void warn(QWidget *, const QString &, const QString &text) override { QTextStream(stderr) << text << "\n"; }
    void beep() override {}
    void endProgram() override
    {
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
};

void say(const char *text)
{
    std::fputs(text, stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brevantic"));
    QApplication::setApplicationName(QStringLiteral("Sonarelle"));
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 2)
        return 2;
    const QByteArray kind = argv[1];
    const bool modem = kind == "setup" || kind == "dial" || kind == "guard" || kind == "hangup";

    YesDesktop desktop;
    Desktop::install(&desktop);
    Pacing::setTestClockRate(10);
    frmMain window;
    window.Form_Load();
    frmModem &settings = window.Modem();
    if (modem) {
        setValue(settings.optModem, -1);
        settings.cmbModem->setCurrentText(QStringLiteral("COM 3"));
        settings.txtPhoneNumber->setText(QStringLiteral("5551234"));
    } else {
        setValue(settings.optDirect, -1);
        settings.cmbPort->setCurrentText(QStringLiteral("COM 1"));
    }

    QFile in;
    if (!in.open(0, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return 2;
    QSocketNotifier notifier(0, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &window, [&] {
        if (in.readLine().startsWith("exit"))
            window.Exit_Program();
    });

    if (kind == "write" || kind == "proof" || kind == "guard" || kind == "hangup") {
        window.cmdConnect_Click();
        say("connected");
    }
    say("go");
    if (kind == "write")
        window.cmdPP_Up_Click();
    else if (kind == "proof")
        window.Proof();
    else if (kind == "settle" || kind == "status" || kind == "setup" || kind == "dial" || kind == "guard"
             || kind == "hangup")
        window.cmdConnect_Click();
    else
        return 2;
    say("finished");
    return 3;
}
