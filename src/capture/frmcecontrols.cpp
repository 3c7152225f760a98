// The capture window's controls, each at its place in a fixed 314 x 264
// client area, with the colours that tell its parts apart. The places were
// drawn for a narrow 8-point font; the whole arrangement is scaled by one
// factor so that the wider fonts of a Linux desktop fit in it unclipped.
#include "capture/capturesprites.h"
#include "capture/frmce.h"

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

int scaled(int length)
{
    return qRound(length * Scale);
}

template <typename T>
T *place(T *control, const char *name, QRect design, const QString &tip = {})
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(scaled(design.x()), scaled(design.y()), scaled(design.width()),
                         scaled(design.height()));
    if (!tip.isEmpty())
        control->setToolTip(tip);
    return control;
}

template <typename T, std::size_t N>
void numberArray(std::array<T *, N> &controls)
{
    for (std::size_t i = 0; i < N; ++i)
        controls[i]->setProperty("index", int(i));
}

QPushButton *tinted(QPushButton *button, const char *tint)
{
    button->setProperty("tint", QLatin1String(tint));
    return button;
}

QPushButton *pictured(QPushButton *button, CaptureSprites::Picture picture, int side)
{
    button->setIcon(
        CaptureSprites::picture(picture, button->devicePixelRatioF(), scaled(side)));
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

    Label2[1] = place(new QLabel(this), "Label2", {8, 8, 297, 121});
    Label2[0] = place(new QLabel(this), "Label2", {8, 136, 297, 73});
    numberArray(Label2);

    Label1[2] = place(new QLabel(QStringLiteral("Type de la Capture :"), this), "Label1",
                      {16, 16, 121, 17});
    Option1[0] = place(new QRadioButton(QStringLiteral(".bmp"), this), "Option1",
                       {16, 32, 49, 25}, QStringLiteral("Option non disponible dans Lumivue"));
    Option1[1] = place(new QRadioButton(QStringLiteral(".jpg et .bmp"), this), "Option1",
                       {16, 56, 105, 25},
                       QStringLiteral("créé un JPG tout en sauvegardant le BMP"));
    Option1[2] = place(new QRadioButton(QStringLiteral(".jpg ( seulement )"), this), "Option1",
                       {16, 80, 105, 25}, QStringLiteral("créé le JPG et efface le BMP"));
    numberArray(Option1);
    Option1[0]->setEnabled(false);
    Option1[1]->setChecked(true);

    lblQualite = place(new QLabel(QStringLiteral("Qualité ( 1 à 100 ) :"), this), "lblQualite",
                       {192, 72, 105, 17});
    txtQualite = place(new QLineEdit(QStringLiteral("95"), this), "txtQualite",
                       {216, 88, 49, 25}, QStringLiteral("choisir 100 pour une qualité maximale"));
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
    for (QWidget *result : std::initializer_list<QWidget *>{cmdBMP, cmdVisu, cmdRefaire,
                                                            lblRefaire})
        result->hide();

    const char *steps[4] = {"<<", "<", ">", ">>"};
    const int stepX[4] = {152, 176, 248, 272};
    Label1[0] = place(new QLabel(QStringLiteral("Largeur de CAPTURE :"), this), "Label1",
                      {16, 152, 137, 17});
    Label1[1] = place(new QLabel(QStringLiteral("Hauteur de CAPTURE :"), this), "Label1",
                      {16, 184, 145, 17});
    numberArray(Label1);
    for (int i = 0; i < 4; ++i) {
        cmdLargeur[i] = place(new QPushButton(QLatin1String(steps[i]), this), "cmdLargeur",
                              {stepX[i], 144, 25, 25});
        cmdHauteur[i] = place(new QPushButton(QLatin1String(steps[i]), this), "cmdHauteur",
                              {stepX[i], 176, 25, 25});
    }
    numberArray(cmdLargeur);
    numberArray(cmdHauteur);
    txtLargeur = place(new QLineEdit(this), "txtLargeur", {200, 144, 49, 25},
                       QStringLiteral("largeur de l'image capturée ( max = largeur écran )"));
    txtHauteur = place(new QLineEdit(this), "txtHauteur", {200, 176, 49, 25},
                       QStringLiteral("hauteur de l'image capturée ( max = hauteur écran )"));
    for (QLineEdit *box : {txtLargeur, txtHauteur})
        box->setAlignment(Qt::AlignCenter);

    cmdHelp = tinted(place(new QPushButton(QStringLiteral("?"), this), "cmdHelp", {8, 216, 25, 41},
                           QStringLiteral("Aide du logiciel à lire IMPERATIVEMENT !")),
                     "green");
    Command1[3] = tinted(place(new QPushButton(QStringLiteral("BMP"), this), "Command1",
                               {40, 216, 57, 41}, QStringLiteral("Détruire les BMP capturés")),
                         "pink");
    Command1[2] = pictured(tinted(place(new QPushButton(this), "Command1", {104, 216, 57, 41},
                                        QStringLiteral("Détruire les captures ( BMP et JPG )")),
                                  "pink"),
                           Picture::DeleteAll, 34);
    Command1[1] = pictured(tinted(place(new QPushButton(this), "Command1", {168, 216, 57, 41},
                                        QStringLiteral("Fin")),
                                  "pink"),
                           Picture::Leave, 34);
    Command1[0] = pictured(place(new QPushButton(this), "Command1", {232, 216, 73, 41},
                                 QStringLiteral("Faire une capture d'écran")),
                           Picture::TakeCapture, 34);
    numberArray(Command1);
    for (QPushButton *button : Command1)
        button->setAccessibleName(button->toolTip().isEmpty() ? button->text()
                                                              : button->toolTip());
    Command1[0]->setFocus();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(50);
}

void FrmCE::setNumeroColour(bool armed)
{
    tinted(cmdNumero, armed ? "red" : "green");
    // A dynamic property only shows once the style sheet is applied again.
    cmdNumero->style()->unpolish(cmdNumero);
    cmdNumero->style()->polish(cmdNumero);
}
