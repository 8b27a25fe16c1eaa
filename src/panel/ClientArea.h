#pragma once

#include <QWidget>

// The client area of the main window. It draws the three rounded panels and the lines of the window
// behind every control placed on it.
class ClientArea : public QWidget
{
    Q_OBJECT

public:
    explicit ClientArea(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
