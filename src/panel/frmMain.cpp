#include "frmMain.h"

#include "BannerAnnouncer.h"
#include "ButtonPicture.h"
#include "ClientArea.h"
#include "ColumnReading.h"
#include "Fonts.h"
#include "Lamp.h"
#include "PictureButton.h"
#include "Placement.h"
#include "ProgramIcon.h"
#include "ReadoutBox.h"
#include "Twips.h"
#include "WindowGrey.h"
#include "link/Pacing.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>

namespace {

using Fonts::Face;

const QColor Black(0, 0, 0);

// Every place and size below is in twips from the top-left corner of the client area.
constexpr int ClientWidth = 8790;
constexpr int ClientHeight = 2565;
constexpr int LampWidth = 255;
constexpr int LampHeight = 135;
constexpr int LampPitch = 150;

struct ScaleColumn
{
    const char *title;   // what assistive technology calls the column
    const char *setName; // the lamp set's name, also the name of the column's accessible stand-in
    ColumnReading::Scale scale;
    int lamps;
    int lampLeft;
    int lamp0Top;
    int labelLeft;
    QList<const char *> captions; // lamp 0 upward
    QList<int> labelTops;
};

// Peak Processing, Program Density, High EQ, Low EQ: the order of Label1.
using ColumnReading::Scale;
// clang-format off
const ScaleColumn Columns[] = {
    {"Peak Processing", "picPP", Scale::Levels, 8, 360, 1560, 720, {"1 (MIN)", "2", "3", "4", "5", "6", "7", "8 (MAX)"}, {1520, 1370, 1220, 1070, 920, 770, 620, 465}},
    {"Program Density", "picPD", Scale::Levels, 8, 2760, 1560, 3120, {"1 (MIN)", "2", "3", "4", "5", "6", "7", "8 (MAX)"}, {1515, 1365, 1215, 1065, 915, 765, 615, 465}},
    {"High EQ", "picHQ", Scale::Decibels, 5, 5160, 960, 5520, {"-6", "-3", "0dB", "+3", "+6"}, {915, 765, 615, 465, 315}},
    {"Low EQ", "picLQ", Scale::Decibels, 5, 5160, 1710, 5520, {"-6", "-3", "0dB", "+3", "+6"}, {1680, 1515, 1365, 1215, 1065}},
};
// clang-format on

constexpr int ScaleLabelHeight = 180;

int scaleLabelWidth(const QString &caption)
{
    if (caption.size() > 3)
        return 615;
    return caption == QLatin1String("0dB") ? 375 : 255;
}

struct Heading
{
    const char *caption;
    int left, top, width, height;
    qreal points;
};

// clang-format off
const Heading Headings[] = {
    {"PEAK PROCESSING", 840, 960, 1335, 375, 6},
    {"PROGRAM DENSITY", 3360, 960, 1215, 375, 6},
    {"EQUALIZATION", 6000, 1020, 1095, 255, 6},
    {"HIGH", 6480, 340, 495, 135, 5.25},
    {"LOW", 6480, 1680, 495, 135, 5.25},
};
// clang-format on

QPalette colours(QPalette palette, const QColor &background, const QColor &text = Black)
{
    for (auto role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, background);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    return palette;
}

QLabel *label(QWidget *parent, const QString &caption, const QRect &place, const QFont &font, Qt::Alignment align)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(place);
    l->setFont(font);
    l->setAlignment(align);
    l->setAutoFillBackground(true);
    return l;
}

void setBanner(QLabel *banner, const QString &caption, const QColor &background, const QRect &place, const QFont &font)
{
    banner->setText(caption);
    banner->setGeometry(place);
    banner->setFont(font);
    banner->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    banner->setPalette(colours(banner->palette(), background));
    banner->setAutoFillBackground(true);
}

// A new lamp of the column, a copy of lamp 0 standing one pitch above the column's top lamp.
void addLampAbove(QVector<Lamp *> &column)
{
    Lamp *lamp = column.first()->copy();
    lamp->move(lamp->x(), column.last()->y() - Twips::px(LampPitch));
    lamp->show();
    column.append(lamp);
}

// One rule for the four columns: the lamp whose index is the value is lit, the others are not, so a value
// out of range lights none.
void paintColumn(const QVector<Lamp *> &lamps, qint16 value)
{
    for (int i = 0; i < lamps.size(); ++i)
        lamps[i]->setLit(i == value);
}

// Words what a column shows for assistive technology: each lamp is named after the value it stands for and
// described as lit or not, and the column's stand-in (a mouse-transparent box behind the lamps) is named
// after what the column shows as a whole. Names are set only when they change, since every change is
// announced. Painting itself is not touched.
void describeColumn(const QVector<Lamp *> &lamps, const ScaleColumn &column)
{
    const QString title = QString::fromLatin1(column.title);
    QList<bool> lit;
    for (int i = 0; i < lamps.size(); ++i) {
        Lamp *lamp = lamps[i];
        lit.append(lamp->lit());
        const QString name =
            QStringLiteral("%1 lamp %2").arg(title, ColumnReading::lampValue(column.scale, i, column.lamps));
        const QString state = lamp->lit() ? QStringLiteral("lit") : QStringLiteral("not lit");
        if (lamp->accessibleName() != name)
            lamp->setAccessibleName(name);
        if (lamp->accessibleDescription() != state)
            lamp->setAccessibleDescription(state);
    }
    auto *standIn = lamps.first()->parentWidget()->findChild<QWidget *>(QString::fromLatin1(column.setName),
                                                                        Qt::FindDirectChildrenOnly);
    const QString reading = ColumnReading::text(title, column.scale, lit);
    if (standIn && standIn->accessibleName() != reading)
        standIn->setAccessibleName(reading);
}

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Brevantic Inc.  Sonarelle - Internet Audio Processor"));
    setWindowIcon(ProgramIcon::icon());
    // A sizable frame with minimize and close, without maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(Fonts::font(Face::MSSansSerif, 8.25));
    setPalette(colours(palette(), WindowGrey));

    auto *client = new ClientArea(this);
    setCentralWidget(client);

    QVector<Lamp *> *lampSets[] = {&picPP, &picPD, &picHQ, &picLQ};
    const QFont scaleFont = Fonts::font(Face::Arial, 8.25);
    for (int c = 0; c < 4; ++c) {
        const ScaleColumn &column = Columns[c];
        auto *standIn = new QWidget(client);
        standIn->setObjectName(QString::fromLatin1(column.setName));
        standIn->setGeometry(Twips::rect(column.lampLeft, column.lamp0Top - LampPitch * (column.lamps - 1), LampWidth,
                                         LampPitch * (column.lamps - 1) + LampHeight));
        standIn->setAttribute(Qt::WA_TransparentForMouseEvents);
        standIn->setAccessibleDescription(QStringLiteral("lamp column"));
        auto *lamp0 = new Lamp(client);
        lamp0->setGeometry(Twips::rect(column.lampLeft, column.lamp0Top, LampWidth, LampHeight));
        lampSets[c]->append(lamp0);
        for (int i = 0; i < column.captions.size(); ++i) {
            const QString caption = QString::fromLatin1(column.captions[i]);
            Label1.append(
                label(client, caption,
                      Twips::rect(column.labelLeft, column.labelTops[i], scaleLabelWidth(caption), ScaleLabelHeight),
                      scaleFont, Qt::AlignLeft | Qt::AlignTop));
        }
    }
    for (const Heading &heading : Headings) {
        QLabel *l = label(client, QString::fromLatin1(heading.caption),
                          Twips::rect(heading.left, heading.top, heading.width, heading.height),
                          Fonts::font(Face::SmallFonts, heading.points, true), Qt::AlignHCenter | Qt::AlignTop);
        l->setWordWrap(true);
        Label2.append(l);
    }

    struct AdjustButton
    {
        QPushButton **button;
        ButtonPicture::Direction face;
        int left, top;
        const char *toolTip;
        const char *accessibleName; // the button shows only a picture
        void (frmMain::*handler)();
    };
    using ButtonPicture::Direction;
    // clang-format off
    const AdjustButton adjustButtons[] = {
        {&cmdPP_Up, Direction::Up, 1680, 480, "Click to Increase Peak Processing", "Increase Peak Processing", &frmMain::cmdPP_Up_Click},
        {&cmdPP_Dn, Direction::Down, 1680, 1440, "Click to Decrease Peak Processing", "Decrease Peak Processing", &frmMain::cmdPP_Dn_Click},
        {&cmdPD_Up, Direction::Up, 4080, 480, "Click to Increase Program Density", "Increase Program Density", &frmMain::cmdPD_Up_Click},
        {&cmdPD_Dn, Direction::Down, 4080, 1440, "Click to Decrease Program Density", "Decrease Program Density", &frmMain::cmdPD_Dn_Click},
        {&cmdHigh, Direction::Up, 6480, 480, "Cycle the High EQ Setting", "Cycle High EQ", &frmMain::cmdHigh_Click},
        {&cmdLow, Direction::Up, 6480, 1440, "Cycle the Low EQ Setting", "Cycle Low EQ", &frmMain::cmdLow_Click},
    };
    // clang-format on
    for (const AdjustButton &b : adjustButtons) {
        *b.button = new PictureButton(ButtonPicture::triangle(b.face), client);
        (*b.button)->setGeometry(Twips::rect(b.left, b.top, 495, 255));
        (*b.button)->setToolTip(QString::fromLatin1(b.toolTip));
        (*b.button)->setAccessibleName(QString::fromLatin1(b.accessibleName));
        connect(*b.button, &QPushButton::clicked, this, b.handler);
    }

    cmdConnect = new QPushButton(QStringLiteral("&Connect"), client);
    cmdConnect->setGeometry(Twips::rect(7440, 840, 1215, 495));
    cmdConnect->setToolTip(QStringLiteral("Connect or Disconnect to the Sonarelle"));
    connect(cmdConnect, &QPushButton::clicked, this, &frmMain::cmdConnect_Click);
    cmdExit = new QPushButton(QStringLiteral("E&xit"), client);
    cmdExit->setGeometry(Twips::rect(7440, 1440, 1215, 495));
    cmdExit->setToolTip(QStringLiteral("Exit the Sonarelle Software"));
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);

    // The banners share one place; a later sibling stands in front, so they are made from the back-most
    // (lblDialing) to the front-most (lblNoDialtone).
    const QRect bannerPlace = Twips::rect(120, 2160, 8535, 255);
    const QFont bannerFont = Fonts::font(Face::MSSansSerif, 9.75);
    const QColor yellow(255, 255, 0), lightGreen(128, 255, 128), lightCyan(128, 255, 255), magenta(255, 0, 255);
    struct
    {
        QLabel **label;
        const char *caption;
        QColor background;
    } const banners[] = {
        {&lblDialing, "Dialing", yellow},
        {&lblConnected, "Connected", lightGreen},
        {&lblHanging, "Hanging Up", magenta},
        {&lblProof, "", Qt::red},
        {&lblOffLine, "Off Line", lightCyan},
        {&lblUpdating, "Updating", lightGreen},
        {&lblInitializing, "Initializing Modem", yellow},
        {&lblBusy, "Busy", yellow},
        {&lblNoDialtone, "No Dialtone", yellow},
    };
    auto *announcer = new BannerAnnouncer(this);
    for (const auto &b : banners) {
        *b.label = new QLabel(client);
        setBanner(*b.label, QString::fromLatin1(b.caption), b.background, bannerPlace, bannerFont);
        (*b.label)->hide();
        announcer->watch(*b.label);
    }
    // The proof banner stands 60 twips taller at the top and at the bottom, and has a border.
    setBanner(lblProof, QStringLiteral("* * *   P R O O F   * * *"), QColor(255, 0, 0),
              Twips::rect(120, 2100, 8535, 375), Fonts::font(Face::ArialBlack, 12));
    lblProof->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblProof->setLineWidth(1);
    lblProof->setAlignment(Qt::AlignCenter);

    picShow = new ReadoutBox(client);
    picShow->setGeometry(Twips::rect(7440, 120, 1215, 615));
    picShow->setAutoFillBackground(true);
    picShow->setAccessibleName(QStringLiteral("Modem readout"));

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileSave = mnuFile->addAction(QStringLiteral("&Save Settings"));
    mnuProof = mnuFile->addAction(QStringLiteral("&Proof"));
    mnuProof->setCheckable(true);
    mnuLine1 = mnuFile->addSeparator();
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuModem = menuBar()->addMenu(QStringLiteral("&Modem"));
    mnuModemSettings = mnuModem->addAction(QStringLiteral("&Modem Settings"));
    mnuPorts = mnuModem->addAction(QStringLiteral("&Ports..."));
    mnuHelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuAbout = mnuHelpMenu->addAction(QStringLiteral("About"));

    connect(mnuFileSave, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
    // The proof switch sets the check mark itself once the processor has answered; a click must not.
    connect(mnuProof, &QAction::triggered, this, [this](bool checked) {
        mnuProof->setChecked(!checked);
        mnuProof_Click();
    });
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(mnuModemSettings, &QAction::triggered, this, &frmMain::mnuModemSettings_Click);
    connect(mnuPorts, &QAction::triggered, this, &frmMain::mnuPorts_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);

    Timer1.setInterval(Pacing::scaled(double(Pacing::ProofBlink.count())));
    connect(&Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    connect(&MSComm1, &MSComm::lineLost, this, &frmMain::Line_Lost);

    const QSize clientSize = Twips::size(ClientWidth, ClientHeight);
    resize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    Draw_Form();
}

void frmMain::Draw_Form()
{
    Placement::centreOnScreen(this);
    ButtonHide();
    mnuProof->setEnabled(false);
    for (int i = 1; i <= 7; ++i) {
        addLampAbove(picPP);
        addLampAbove(picPD);
    }
    for (int i = 1; i <= 4; ++i) {
        addLampAbove(picLQ);
        addLampAbove(picHQ);
    }
    Restore_Data();
    lblOffLine->show();
    Timer1.stop();
    mnuProof->setChecked(false);
    Displays_On();
}

void frmMain::Peak()
{
    paintColumn(picPP, PP_Level);
    describeColumn(picPP, Columns[0]);
}

void frmMain::Program()
{
    paintColumn(picPD, PD_Level);
    describeColumn(picPD, Columns[1]);
}

void frmMain::High()
{
    paintColumn(picHQ, HQ_Level);
    describeColumn(picHQ, Columns[2]);
}

void frmMain::Low()
{
    paintColumn(picLQ, LQ_Level);
    describeColumn(picLQ, Columns[3]);
}

void frmMain::Displays_On()
{
    for (int i = 0; i < picPP.size(); ++i) {
        picPP[i]->setLit(true);
        picPD[i]->setLit(true);
    }
    for (int i = 0; i < picLQ.size(); ++i) {
        picLQ[i]->setLit(true);
        picHQ[i]->setLit(true);
    }
    describeColumn(picPP, Columns[0]);
    describeColumn(picPD, Columns[1]);
    describeColumn(picHQ, Columns[2]);
    describeColumn(picLQ, Columns[3]);
}

void frmMain::ButtonHide()
{
    for (QPushButton *button : {cmdPP_Up, cmdPP_Dn, cmdPD_Up, cmdPD_Dn, cmdHigh, cmdLow})
        button->setEnabled(false);
}

void frmMain::ButtonShow()
{
    for (QPushButton *button : {cmdPP_Up, cmdPP_Dn, cmdPD_Up, cmdPD_Dn, cmdHigh, cmdLow})
        button->setEnabled(true);
}
