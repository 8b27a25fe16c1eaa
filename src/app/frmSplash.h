#pragma once

#include <QWidget>

class frmMain;

// The splash window: it holds the screen for about five seconds, then hands over to the main window.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    // The whole start-up: show the splash, pause, destroy it, load and show the main window (returned).
    static frmMain *Form_Load();
};
