#pragma once

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class SplashLogo;
class frmMain;

// The splash window: it holds the screen for about five seconds, then hands over to the main window.
// It has no title bar and no task-bar button, and nothing the operator does to it has an effect.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    // The whole start-up: show the splash, pause, destroy it, load and show the main window (returned).
    static frmMain *Form_Load();

    // The clock of the pause: the time of day in seconds since midnight, with a fraction.
    static double timeOfDay();
    // For tests only: reads this clock instead of the time of day; an empty function puts it back.
    static void setTestClock(std::function<double()> clock);

    QFrame *Frame1;
    QLabel *lblProductName, *lblCompanyProduct, *lblPlatform, *lblVersion;
    SplashLogo *imgLogo;

protected:
    void paintEvent(QPaintEvent *event) override;
};
