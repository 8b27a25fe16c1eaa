#pragma once

#include <QImage>
#include <QPushButton>

// A push button whose face is a picture instead of a caption. The picture is centred on the button and
// clipped to its face, so a button smaller than its picture shows the picture's middle.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    explicit PictureButton(const QImage &picture, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture_;
};
