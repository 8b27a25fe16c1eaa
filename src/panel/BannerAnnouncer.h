#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>

class QLabel;

// Tells assistive technology when a status banner appears, with an Alert event, as a sighted operator
// notices it. A banner that shows again within three proof blinks of its last showing (the blinking proof banner) is
// not announced again: one announcement per appearance, not one per blink.
class BannerAnnouncer : public QObject
{
    Q_OBJECT

public:
    explicit BannerAnnouncer(QObject *parent = nullptr);

    void watch(QLabel *banner);

signals:
    // After each announcement, with the banner announced.
    void announced(QLabel *banner);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, QElapsedTimer> lastShown_;
};
