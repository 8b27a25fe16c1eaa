#include "frmSplash.h"

#include "SplashLogo.h"
#include "SplashPause.h"
#include "panel/Fonts.h"
#include "panel/Placement.h"
#include "panel/ProgramIcon.h"
#include "panel/Twips.h"
#include "panel/WindowGrey.h"
#include "panel/frmMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QTime>
#include <QWindow>
#include <qdrawutil.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using Fonts::Face;

// The fixed dialog frame drawn around the client area.
constexpr int DialogFrame = 3;
// The pause polls the clock; a short sleep between polls keeps it from holding a processor core.
constexpr std::chrono::milliseconds PollInterval(10);
// The longest wait for the window system to map a new window before painting it anyway.
constexpr int ExposeWaitMs = 500;

std::function<double()> testClock;

double readClock()
{
    return testClock ? testClock() : frmSplash::timeOfDay();
}

// The labels fit their text: where the face installed here runs wider than the box drawn for it, the box
// grows to the right rather than cutting the text off.
QLabel *label(QWidget *parent, const QString &text, const QRect &place, qreal points, Qt::Alignment align)
{
    auto *l = new QLabel(text, parent);
    l->setFont(Fonts::font(Face::Arial, points, true));
    l->setAlignment(align | Qt::AlignTop);
    QRect box = place;
    box.setWidth(std::max(place.width(), l->sizeHint().width()));
    l->setGeometry(box);
    return l;
}

// Paints a new window now, not when the event loop next runs. The window system shows a window only once
// it has mapped it, so wait for that first, letting no input through.
void paintAtOnce(QWidget *window)
{
    QElapsedTimer waited;
    waited.start();
    while (window->windowHandle() && !window->windowHandle()->isExposed() && waited.elapsed() < ExposeWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    window->repaint();
}

} // namespace

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setWindowIcon(ProgramIcon::icon());
    paintWindowGrey(this);
    const QSize client = Twips::size(7380, 4245);
    setFixedSize(client.width() + 2 * DialogFrame, client.height() + 2 * DialogFrame);

    Frame1 = new QFrame(this);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(Twips::rect(150, 60, 7080, 4050).translated(DialogFrame, DialogFrame));
    Frame1->setAutoFillBackground(true);

    lblProductName =
        label(Frame1, QStringLiteral("BREVANTIC INC."), Twips::rect(120, 360, 5085, 765), 32.25, Qt::AlignLeft);
    lblCompanyProduct = label(Frame1, QStringLiteral("Sonarelle - Internet Processor"),
                              Twips::rect(120, 1080, 5355, 435), 18, Qt::AlignLeft);
    lblPlatform =
        label(Frame1, QStringLiteral("Windows 95/98"), Twips::rect(1320, 1560, 2280, 360), 15.75, Qt::AlignRight);
    lblVersion =
        label(Frame1, QStringLiteral("Version - 1.1.0 "), Twips::rect(5295, 3360, 1665, 285), 12, Qt::AlignRight);
    imgLogo = new SplashLogo(Frame1);
    imgLogo->setGeometry(Twips::rect(5520, 360, 1335, 2265));
    imgLogo->setAccessibleName(QStringLiteral("Brevantic logo"));
    // The splash has no title bar; it is named after what it shows.
    setAccessibleName(QStringLiteral("Sonarelle - Internet Processor"));

    Placement::centreOnScreen(this);
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

double frmSplash::timeOfDay()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void frmSplash::setTestClock(std::function<double()> clock)
{
    testClock = std::move(clock);
}

frmMain *frmSplash::Form_Load()
{
    auto splash = std::make_unique<frmSplash>();
    splash->show();
    paintAtOnce(splash.get());

    // A plain poll of the clock: the event loop does not run, so nothing reaches the splash meanwhile.
    const double start = SplashPause::start(readClock());
    while (!SplashPause::over(start, readClock()))
        std::this_thread::sleep_for(PollInterval);
    splash.reset();

    auto *main = new frmMain;
    main->Form_Load();
    main->show();
    paintAtOnce(main);
    return main;
}
