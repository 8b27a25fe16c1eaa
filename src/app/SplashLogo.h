#pragma once

#include <QWidget>

// The maker's logo on the splash window, drawn to fill whatever box it is given: a loudspeaker sending
// waves, above a column of lamps with one lit, on a navy plate.
class SplashLogo : public QWidget
{
    Q_OBJECT

public:
    explicit SplashLogo(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
