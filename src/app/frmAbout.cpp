#include "frmAbout.h"

#include "panel/Fonts.h"
#include "panel/Placement.h"
#include "panel/ProgramIcon.h"
#include "panel/Twips.h"
#include "panel/WindowGrey.h"

#include <QLabel>

namespace {

using Fonts::Face;

QLabel *label(QWidget *parent, const QString &text, const QRect &place, const QFont &font)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(place);
    l->setFont(font);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return l;
}

struct ContactLine
{
    const char *text;
    int top;
    bool bold;
};

const ContactLine Contact[] = {
    {"Brevantic Inc.", 1320, true},
    {"2417 Larkspur Mill Road, Suite 6", 1560, true},
    {"Fennimore Falls, OR 97999", 1800, true},
    {"Tel (555) 014-3380    Fax (555) 014-3381", 2520, false},
    {"www.brevantic.example    info@brevantic.example", 2760, false},
};

} // namespace

frmAbout::frmAbout(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About "));
    setWindowIcon(ProgramIcon::icon());
    paintWindowGrey(this);
    setFont(Fonts::font(Face::MSSansSerif, 8.25));
    resize(Twips::size(4590, 3120));

    Label1 = label(this, QStringLiteral("Brevantic Inc. Model Sonarelle"), Twips::rect(0, 240, 4575, 375),
                   Fonts::font(Face::MSSerif, 13.5, true));
    Label2 = label(this, QStringLiteral("Version - 1.1.0"), Twips::rect(1680, 840, 1215, 255),
                   Fonts::font(Face::MSSansSerif, 8.25));
    for (const ContactLine &line : Contact)
        Label3.append(label(this, QString::fromLatin1(line.text), Twips::rect(360, line.top, 3855, 255),
                            Fonts::font(Face::MSSansSerif, 8.25, line.bold)));

    Placement::centreOnScreen(this);
}
