#pragma once

#include "panel/Lamp.h"
#include "panel/frmMain.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>

// What the operator sees of the main window, read without pixels: which lamps are lit, which adjustment
// buttons can be pressed, which banners show.
namespace WindowLook {

inline QList<QPushButton *> adjustButtons(frmMain &w)
{
    return {w.cmdPP_Up, w.cmdPP_Dn, w.cmdPD_Up, w.cmdPD_Dn, w.cmdHigh, w.cmdLow};
}

// How many of the six adjustment buttons are enabled.
inline int buttonsEnabled(frmMain &w)
{
    int n = 0;
    for (QPushButton *b : adjustButtons(w))
        n += b->isEnabled();
    return n;
}

inline bool allLampsLit(frmMain &w)
{
    for (const QVector<Lamp *> *column : {&w.picPP, &w.picPD, &w.picHQ, &w.picLQ})
        for (const Lamp *lamp : *column)
            if (!lamp->lit())
                return false;
    return true;
}

// The index of the one lit lamp of a column, -1 when none is lit, -2 when more than one is.
inline int litLamp(const QVector<Lamp *> &column)
{
    int lit = -1;
    for (int i = 0; i < column.size(); ++i)
        if (column[i]->lit())
            lit = lit == -1 ? i : -2;
    return lit;
}

// "PP 3, PD 5, HQ 2, LQ 1": the lit lamp of each column.
inline QString lamps(frmMain &w)
{
    return QStringLiteral("PP %1, PD %2, HQ %3, LQ %4")
        .arg(litLamp(w.picPP))
        .arg(litLamp(w.picPD))
        .arg(litLamp(w.picHQ))
        .arg(litLamp(w.picLQ));
}

// "PP 3, PD 5, HQ 2, LQ 1, Proof 0": the window's five settings.
inline QString settings(frmMain &w)
{
    return QStringLiteral("PP %1, PD %2, HQ %3, LQ %4, Proof %5")
        .arg(w.PP_Level)
        .arg(w.PD_Level)
        .arg(w.HQ_Level)
        .arg(w.LQ_Level)
        .arg(w.Proof_Flag);
}

// The captions of the banners shown (not hidden), front first; the proof banner as "Proof".
inline QStringList banners(frmMain &w)
{
    QStringList shown;
    for (QLabel *b : {w.lblNoDialtone, w.lblBusy, w.lblInitializing, w.lblUpdating, w.lblOffLine, w.lblProof,
                      w.lblHanging, w.lblConnected, w.lblDialing})
        if (!b->isHidden())
            shown << (b == w.lblProof ? QStringLiteral("Proof") : b->text());
    return shown;
}

} // namespace WindowLook
