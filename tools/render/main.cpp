// sonarelle-render <output-folder> [scale]
//
// Draws the program's windows offscreen into PNG files, one per named render, so that anyone can look at
// them without a display. The scale (1 by default) renders them as on a high-DPI screen.
// It never touches the user's settings file: the data folder is a temporary one, made before anything
// of the program runs, and the message boxes are answered silently.
#include "app/DataFolder.h"
#include "app/Desktop.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "panel/Lamp.h"
#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/SystemPorts.h"
#include "settings/TabControl.h"
#include "settings/frmModem.h"
#include "settings/frmPorts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeWidget>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Answers every box without showing it: No to questions, and a warning is written to the error output.
class QuietDesktop final : public Desktop
{
public:
    bool askYesNo(QWidget *, const QString &, const QString &) override { return false; }
    void warn(QWidget *, const QString &title, const QString &text) override
    {
        QTextStream(stderr) << "(box not shown) " << title << ": " << text << '\n';
    }
    void beep() override {}
    void endProgram() override {}
};

// A window made for a render, and what owns it (the window itself, or the main window of a dialog).
struct Made
{
    std::unique_ptr<QWidget> owner;
    QWidget *window;
};

struct Render
{
    const char *name; // the PNG file is <name>.png
    std::function<Made()> make;
};

template <typename Window>
Made alone(std::unique_ptr<Window> window)
{
    QWidget *shown = window.get();
    // The window moves into the result with its owner, so it outlives this call.
    // cppcheck-suppress returnDanglingLifetime
    return {std::move(window), shown};
}

std::unique_ptr<frmMain> loadedMain()
{
    auto main = std::make_unique<frmMain>();
    main->Form_Load();
    return main;
}

// The modem settings dialog on one of its pages, with Modem chosen so that the dialing and modem controls
// are live.
Made modemPage(int page)
{
    auto main = loadedMain();
    frmModem &dialog = main->Modem();
    setValue(dialog.optModem, -1);
    dialog.show();
    dialog.SSTab1->setCurrentIndex(page);
    return {std::move(main), &dialog};
}

// The Ports window on a site with two USB adapters and a device server: the system's list is a fixed one, and
// the links are made in the render's own data folder.
Made portsWindow()
{
    const QString adapter = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    SystemPorts::feed([adapter] {
        return QList<SystemPort>{{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART"),
                                  QStringLiteral("FTDI"), QStringLiteral("A50285BI"), adapter},
                                 {QStringLiteral("/dev/ttyUSB1"),
                                  QStringLiteral("CP2102 USB to UART Bridge Controller"),
                                  QStringLiteral("Silicon Labs"),
                                  QStringLiteral("0001"),
                                  {}}};
    });
    DataFolder::ensure();
    const QDir data(DataFolder::path());
    QFile::link(adapter, data.filePath(QStringLiteral("com1")));
    QFile::link(QStringLiteral("rfc2217://192.168.1.50:4001"), data.filePath(QStringLiteral("com2")));
    QFile::link(QStringLiteral("tcp://devserver.site:4002"), data.filePath(QStringLiteral("com3")));
    auto main = loadedMain();
    frmPorts &ports = main->Ports();
    ports.show();
    ports.lstPorts->setCurrentItem(ports.lstPorts->topLevelItem(1));
    return {std::move(main), &ports};
}

// Each render makes its window in the state to be shown. A window of a later subsystem is one more row.
const Render Renders[] = {
    {"splash", [] { return alone(std::make_unique<frmSplash>()); }},
    {"main-offline", [] { return alone(loadedMain()); }},
    {"main-proof",
     [] {
         auto main = loadedMain();
         main->cmdConnect->setText(QStringLiteral("&Disconnect"));
         main->mnuProof->setEnabled(true);
         main->mnuProof->setChecked(true);
         main->PP_Level = 4;
         main->PD_Level = 2;
         main->HQ_Level = 3;
         main->LQ_Level = 1;
         main->Proof_Flag = 1;
         main->Peak();
         main->Program();
         main->High();
         main->Low();
         main->lblOffLine->hide();
         main->lblConnected->show();
         main->lblProof->show();
         return alone(std::move(main));
     }},
    {"about", [] { return alone(std::make_unique<frmAbout>()); }},
    {"modem-connection", [] { return modemPage(0); }},
    {"modem-dialing", [] { return modemPage(1); }},
    {"modem-setup", [] { return modemPage(2); }},
    {"ports", portsWindow},
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: sonarelle-render <output-folder> [scale]\n");
        return 2;
    }
    const double scale = argc == 3 ? QByteArray(argv[2]).toDouble() : 1.0;
    if (!(scale > 0 && scale <= 8)) {
        std::fprintf(stderr, "sonarelle-render: the scale must be a number above 0 and at most 8\n");
        return 2;
    }

    QTemporaryDir data;
    if (!data.isValid()) {
        std::fprintf(stderr, "sonarelle-render: cannot make a temporary data folder\n");
        return 1;
    }
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", data.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brevantic"));
    QApplication::setApplicationName(QStringLiteral("Sonarelle"));
    QuietDesktop quiet;
    Desktop::install(&quiet);

    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "sonarelle-render: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const Render &render : Renders) {
        const Made made = render.make();
        made.window->show();
        QApplication::processEvents();
        const QString file = out.filePath(QString::fromLatin1(render.name) + QStringLiteral(".png"));
        if (made.window->grab().save(file)) {
            std::printf("%s\n", qPrintable(file));
        } else {
            std::fprintf(stderr, "sonarelle-render: cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    Desktop::install(nullptr);
    return failures == 0 ? 0 : 1;
}
