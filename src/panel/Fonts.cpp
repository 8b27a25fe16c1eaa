#include "Fonts.h"

#include <QStringList>

QFont Fonts::font(Face face, qreal points, bool bold)
{
    QFont f;
    switch (face) {
    case Face::MSSerif:
        f.setFamilies({QStringLiteral("MS Serif"), QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        f.setStyleHint(QFont::Serif);
        break;
    case Face::ArialBlack:
        f.setFamilies(
            {QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        f.setStyleHint(QFont::SansSerif);
        bold = true;
        break;
    case Face::Arial:
        f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        f.setStyleHint(QFont::SansSerif);
        break;
    case Face::SmallFonts:
    case Face::MSSansSerif:
        f.setFamilies(
            {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        f.setStyleHint(QFont::SansSerif);
        break;
    }
    f.setPointSizeF(points);
    f.setWeight(face == Face::ArialBlack ? QFont::Black : bold ? QFont::Bold : QFont::Normal);
    return f;
}
