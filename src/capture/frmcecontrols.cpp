// The capture window's controls, each at its place in a fixed 314 x 264
// client area, with the colours that tell its parts apart. The places were
// drawn for a narrow 8-point font; the whole arrangement is scaled by one
// factor so that the wider fonts of a Linux desktop fit in it unclipped.
#include "capture/capturesprites.h"
#include "capture/frmce.h"
#include "widgets/buttonsprites.h"
#include "widgets/helpbutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

namespace {

constexpr auto Style = R"(
#frmCE { background: rgb(255, 255, 192); }
QLabel#Label2 { background: rgb(192, 255, 192); border: 1px solid rgb(140, 200, 140);
                border-radius: 4px; }
QLabel#lblRefaire { background: rgb(128, 255, 128); border: 1px solid rgb(90, 170, 90); }
QPushButton { background: rgb(236, 236, 228); border: 1px solid rgb(130, 130, 120);
              border-radius: 4px; }
QPushButton:hover { border-color: rgb(60, 60, 60); }
QPushButton:pressed { background: rgb(200, 200, 190); }
QPushButton:focus { border: 2px solid rgb(47, 116, 208); }
QPushButton[tint="green"] { background: rgb(128, 255, 128); }
QPushButton[tint="green"]:pressed { background: rgb(100, 215, 100); }
QPushButton[tint="red"] { background: rgb(255, 128, 128); }
QPushButton[tint="pink"] { background: rgb(255, 192, 192); }
QPushButton[tint="pink"]:pressed { background: rgb(225, 160, 160); }
QLineEdit { background: white; border: 1px solid rgb(130, 130, 120); border-radius: 3px; }
QLineEdit:focus { border: 2px solid rgb(47, 116, 208); }
)";

constexpr qreal Scale = 1.2;

int scaled(int length) { return qRound(length * Scale); }

// Members of a control array share their objectName and tell their index.
template <typename T>
T *place(T *control, const char *name, QRect design, const QString &tip = {}, int index = -1)
{
    control->setObjectName(QLatin1String(name));
    if (index >= 0)
        control->setProperty("index", index);
    control->setGeometry(scaled(design.x()), scaled(design.y()), scaled(design.width()),
                         scaled(design.height()));
    if (!tip.isEmpty())
        control->setToolTip(tip);
    return control;
}

QPushButton *tinted(QPushButton *button, const char *tint)
{
    button->setProperty("tint", QLatin1String(tint));
    return button;
}

QPushButton *pictured(QPushButton *button, CaptureSprites::Picture picture, int side)
{
    button->setIcon(CaptureSprites::picture(picture, button->devicePixelRatioF(), scaled(side)));
    button->setIconSize(QSize(scaled(side), scaled(side)));
    return button;
}

} // namespace

void FrmCE::buildControls()
{
    using Picture = CaptureSprites::Picture;
    setStyleSheet(QLatin1String(Style));
    setFixedSize(scaled(314), scaled(264));
    // The places are fixed, so the text is held at a size that fits them.
    QFont font = this->font();
    font.setPixelSize(12);
    setFont(font);

    typePanel = place(new QLabel(this), "Label2", {8, 8, 297, 121}, {}, 1);
    sizePanel = place(new QLabel(this), "Label2", {8, 136, 297, 73}, {}, 0);
    typeCaption = place(new QLabel(QStringLiteral("Type de la Capture :"), this), "Label1",
                        {16, 16, 121, 17}, {}, 2);
    const char *types[3] = {".bmp", ".jpg et .bmp", ".jpg ( seulement )"};
    const QString typeTips[3] = {QStringLiteral("Option non disponible dans Lumivue"),
                                 QStringLiteral("créé un JPG tout en sauvegardant le BMP"),
                                 QStringLiteral("créé le JPG et efface le BMP")};
    for (int i = 0; i < 3; ++i)
        captureType[i] = place(new QRadioButton(QLatin1String(types[i]), this), "Option1",
                               {16, 32 + 24 * i, i == 0 ? 49 : 105, 25}, typeTips[i], i);
    captureType[0]->setEnabled(false);
    captureType[1]->setChecked(true);

    lblQualite = place(new QLabel(QStringLiteral("Qualité ( 1 à 100 ) :"), this), "lblQualite",
                       {192, 72, 105, 17});
    txtQualite = place(new QLineEdit(QStringLiteral("95"), this), "txtQualite", {216, 88, 49, 25},
                       QStringLiteral("choisir 100 pour une qualité maximale"));
    txtQualite->setAlignment(Qt::AlignCenter);

    cmdNumero = place(new QPushButton(QStringLiteral("0"), this), "cmdNumero", {264, 16, 33, 33},
                      QStringLiteral("indique le nombre de captures effectuées"));
    setNumeroColour(false);
    cmdBMP = pictured(place(new QPushButton(this), "cmdBMP", {120, 32, 33, 33},
                            QStringLiteral("Visualiser et travailler le BMP créé")),
                      Picture::ShowBmp, 27);
    cmdVisu = pictured(
        place(new QPushButton(this), "cmdVisu", {120, 64, 33, 33},
              QStringLiteral("Visualiser le JPG créé ( permet la retouche dans votre logiciel "
                             "de graphisme favori ! )")),
        Picture::ShowJpeg, 27);
    cmdRefaire = pictured(
        place(new QPushButton(this), "cmdRefaire", {152, 64, 33, 33},
              QStringLiteral("permet de recréer le JPG à partir du bmp ( pour tester plusieurs "
                             "qualités ! )")),
        Picture::RemakeJpeg, 27);
    lblRefaire = place(new QLabel(QStringLiteral("0 ko"), this), "lblRefaire", {120, 96, 65, 17},
                       QStringLiteral("indique le poids de l'image JPG"));
    lblRefaire->setAlignment(Qt::AlignCenter);
    for (QWidget *result :
         std::initializer_list<QWidget *>{cmdBMP, cmdVisu, cmdRefaire, lblRefaire})
        result->hide();

    widthCaption = place(new QLabel(QStringLiteral("Largeur de CAPTURE :"), this), "Label1",
                         {16, 152, 137, 17}, {}, 0);
    heightCaption = place(new QLabel(QStringLiteral("Hauteur de CAPTURE :"), this), "Label1",
                          {16, 184, 145, 17}, {}, 1);
    const char *steps[4] = {"<<", "<", ">", ">>"};
    const int stepX[4] = {152, 176, 248, 272};
    for (int i = 0; i < 4; ++i) {
        cmdLargeur[i] = place(new QPushButton(QLatin1String(steps[i]), this), "cmdLargeur",
                              {stepX[i], 144, 25, 25}, {}, i);
        cmdHauteur[i] = place(new QPushButton(QLatin1String(steps[i]), this), "cmdHauteur",
                              {stepX[i], 176, 25, 25}, {}, i);
    }
    txtLargeur = place(new QLineEdit(this), "txtLargeur", {200, 144, 49, 25},
                       QStringLiteral("largeur de l'image capturée ( max = largeur écran )"));
    txtHauteur = place(new QLineEdit(this), "txtHauteur", {200, 176, 49, 25},
                       QStringLiteral("hauteur de l'image capturée ( max = hauteur écran )"));
    for (QLineEdit *box : {txtLargeur, txtHauteur})
        box->setAlignment(Qt::AlignCenter);

    // The help key, a little smaller than the toolbar's so that it fits its place.
    cmdHelp = place(new HelpButton(m_context, QStringLiteral("AideCapture/index.htm"), this),
                    "cmdHelp", {4, 216, 33, 41});
    const auto [help, helpPressed] = ButtonSprites::helpPictures(devicePixelRatioF(), scaled(32));
    cmdHelp->setPictures(help, helpPressed);
    cmdHelp->showNormalPicture();
    cmdHelp->setCaption(QStringLiteral("Aide du logiciel à lire IMPERATIVEMENT !"));
    deleteBmpButton = tinted(place(new QPushButton(QStringLiteral("BMP"), this), "Command1",
                                   {40, 216, 57, 41}, QStringLiteral("Détruire les BMP capturés"),
                                   3),
                             "pink");
    deleteAllButton = pictured(
        tinted(place(new QPushButton(this), "Command1", {104, 216, 57, 41},
                     QStringLiteral("Détruire les captures ( BMP et JPG )"), 2),
               "pink"),
        Picture::DeleteAll, 34);
    leaveButton = pictured(tinted(place(new QPushButton(this), "Command1", {168, 216, 57, 41},
                                        QStringLiteral("Fin"), 1),
                                  "pink"),
                           Picture::Leave, 34);
    takeButton = pictured(place(new QPushButton(this), "Command1", {232, 216, 73, 41},
                                QStringLiteral("Faire une capture d'écran"), 0),
                          Picture::TakeCapture, 34);
    for (QPushButton *button : {takeButton, leaveButton, deleteAllButton, deleteBmpButton})
        button->setAccessibleName(button->toolTip());
    takeButton->setFocus();

    screenWaitTimer = new QTimer(this);
    screenWaitTimer->setObjectName(QStringLiteral("Timer1"));
    screenWaitTimer->setInterval(500);
    repeatTimer = new QTimer(this);
    repeatTimer->setObjectName(QStringLiteral("Timer2"));
    repeatTimer->setInterval(50);
}

void FrmCE::setNumeroColour(bool armed)
{
    tinted(cmdNumero, armed ? "red" : "green");
    // A dynamic property only shows once the style sheet is applied again.
    cmdNumero->style()->unpolish(cmdNumero);
    cmdNumero->style()->polish(cmdNumero);
}
