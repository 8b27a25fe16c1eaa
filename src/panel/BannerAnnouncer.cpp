#include "BannerAnnouncer.h"

#include "link/Pacing.h"

#include <QAccessible>
#include <QEvent>
#include <QLabel>

namespace {

// Shorter than this between two showings is a blink, not a new appearance: three proof blinks.
constexpr double RepeatMs = 3 * double(Pacing::ProofBlink.count());

} // namespace

BannerAnnouncer::BannerAnnouncer(QObject *parent) : QObject(parent) {}

void BannerAnnouncer::watch(QLabel *banner)
{
    banner->installEventFilter(this);
}

bool BannerAnnouncer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        QElapsedTimer &last = lastShown_[watched];
        const bool blink = last.isValid() && last.elapsed() < Pacing::scaled(RepeatMs);
        last.start();
        if (!blink) {
            QAccessibleEvent alert(watched, QAccessible::Alert);
            QAccessible::updateAccessibility(&alert);
            emit announced(static_cast<QLabel *>(watched));
        }
    }
    return QObject::eventFilter(watched, event);
}
