// The main window's controls: names, texts, tooltips and design-time state.
// Where they stand and how they look is in frmprincipallayout.cpp.
#include "app/frmprincipal.h"

#include "editor/slidepicture.h"
#include "widgets/buttonsprites.h"
#include "widgets/picturebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>

namespace {

template <typename T> T *named(QWidget *parent, const char *name)
{
    auto *widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

template <typename T, std::size_t N> void nameArray(std::array<T *, N> &controls, const char *name)
{
    for (std::size_t i = 0; i < N; ++i) {
        controls[i]->setObjectName(QLatin1String(name));
        controls[i]->setProperty("index", int(i));
    }
}

} // namespace

void FrmPrincipal::buildControls()
{
    // ---- toolbar picture buttons ----
    const std::pair<PictureButton **, std::pair<const char *, QString>> pictures[] = {
        {&imgFichier, {"imgFichier", QStringLiteral("Ouvrir un diaporama existant")}},
        {&imgNew, {"imgNew", QStringLiteral("Créer un nouveau diaporama")}},
        {&imgSave, {"imgSave", QStringLiteral("Enregistrer")}},
        {&imgVisual, {"imgVisual", QStringLiteral("Créer et visualiser dans le navigateur")}},
        {&imgHelp, {"imgHelp", QStringLiteral("Aide")}},
        {&imgInfo, {"imgInfo", QStringLiteral("Info")}},
        {&imgQuitter, {"imgQuitter", QStringLiteral("Quitter")}},
        {&imgDelete, {"imgDelete", QStringLiteral("Supprimer la diapo")}},
        {&imgAjouter, {"imgAjouter", QStringLiteral("Ajouter une diapo ( à la fin )")}},
        {&imgChangeDiapo, {"imgChangeDiapo", QStringLiteral("Changer l'image de la diapo")}},
        {&imgSaveSous, {"imgSaveSous", QStringLiteral("Enregistrer sous...")}},
        {&imgVisuHTML, {"imgVisuHTML", QStringLiteral("Visualise un fichier HTML créé")}},
        {&imgModele, {"imgModele", QStringLiteral("Restaurer le modèle par défaut")}},
        {&imgChangerFond, {"imgChangerFond", QStringLiteral("Changer le fond d'un diaporama")}},
        {&imgCapturer, {"imgCapturer", QStringLiteral("Capturer une image")}},
        {&imgDidact, {"imgDidact", QStringLiteral("Didacticiel")}},
        {&imgVisionneuse, {"imgVisionneuse", QStringLiteral("Visionneuse de diapositives")}},
        {&imgOptimiser, {"imgOptimiser", QStringLiteral("Optimiser les photos pour le Web")}},
    };
    for (const auto &[member, text] : pictures) {
        *member = named<PictureButton>(this, text.first);
        (*member)->setCaption(text.second);
    }
    imgCapturer->showPicture(ButtonSprites::captureDesignPicture(m_pixelRatio, m_tileSize));

    const int tile = m_tileSize;
    const auto pictureButton = [this, tile](const char *name, const QString &tip,
                                            const QPixmap &icon) {
        auto *button = named<QPushButton>(this, name);
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        button->setIcon(icon);
        button->setIconSize(QSize(tile, tile));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    cmdFinaliser = pictureButton("cmdFinaliser", QStringLiteral("Finaliser le diaporama"),
                                 ButtonSprites::finaliseIcon(m_pixelRatio, tile));
    cmdChangerModele = pictureButton("cmdChangerModele",
                                     QStringLiteral("Choisir un nouveau modèle"),
                                     ButtonSprites::templateIcon(m_pixelRatio, tile));

    // ---- decorative bars ----
    lblBarre = named<QLabel>(this, "lblBarre");
    edgeBar = named<QLabel>(this, "Label1");
    edgeBar->resize(4, 1);
    statusBand = named<QLabel>(this, "Label2");

    // ---- slide display and navigation ----
    imageArea = named<QScrollArea>(this, "imageArea");
    imgDiapo = named<SlidePicture>(this, "imgDiapo");
    // The picture fills the area and draws itself centred; the area scrolls
    // when the picture at natural size is larger.
    imageArea->setWidget(imgDiapo);
    imageArea->setWidgetResizable(true);
    imgDiapo->setAutoFillBackground(false); // the area's own dark background shows
    chkAjuster = named<QCheckBox>(this, "chkAjuster");
    chkAjuster->setText(QStringLiteral("Ajuster à la fenêtre"));
    chkAjuster->setCursor(Qt::PointingHandCursor);

    const char *arrows[] = {"<<", "<", ">", ">>"};
    for (std::size_t i = 0; i < cmdDiapo.size(); ++i) {
        cmdDiapo[i] = new QPushButton(QLatin1String(arrows[i]), this);
        cmdDiapo[i]->setCursor(Qt::PointingHandCursor);
    }
    nameArray(cmdDiapo, "cmdDiapo");
    txtNumDiapo = named<QLineEdit>(this, "txtNumDiapo");
    txtNumDiapo->setText(QStringLiteral("0"));
    txtNumDiapo->setAlignment(Qt::AlignCenter);
    lblLongueur = named<QLabel>(this, "lblLongueur");
    lblLongueur->setText(QStringLiteral("L = "));
    lblLargeur = named<QLabel>(this, "lblLargeur");
    lblLargeur->setText(QStringLiteral("H = "));

    // ---- project name, count and header ----
    lblDiapo[0] = new QLabel(QStringLiteral("Nom du diaporama : "), this);
    lblDiapo[1] = new QLabel(QStringLiteral("Nombre de diapositives :"), this);
    nameArray(lblDiapo, "lblDiapo");
    lblNomDiapo = named<QLabel>(this, "lblNomDiapo");
    lblNbDiapo = named<QLabel>(this, "lblNbDiapo");
    lblTag = named<QLabel>(this, "lblTag");
    lblTag->setText(QStringLiteral("Entete du diaporama :"));
    txtEntete = named<QLineEdit>(this, "txtEntete");
    lblTag->setBuddy(txtEntete);

    // ---- caption editor ----
    richtxtTexteInfo = named<QTextEdit>(this, "richtxtTexteInfo");
    richtxtTexteInfo->setToolTip(QStringLiteral("Commentaires accompagnant la diapositive"));
    richtxtTexteInfo->setAccessibleName(richtxtTexteInfo->toolTip());
    richtxtTexteInfo->setAcceptRichText(true);
    // The same face and size the format lists start with.
    richtxtTexteInfo->setFont(QFont(QStringLiteral("MS Sans Serif"), 10));
    txtTexteInfo = named<QLineEdit>(this, "txtTexteInfo");

    struct RichFace
    {
        const char *caption;
        QString tip;
        void (*style)(QFont &);
    };
    const RichFace faces[] = {
        {"i", QStringLiteral("italiques"), [](QFont &f) { f.setItalic(true); }},
        {"s", QStringLiteral("souligné"), [](QFont &f) { f.setUnderline(true); }},
        {"g", QStringLiteral("gras"), [](QFont &f) { f.setBold(true); }},
        {"b", QStringLiteral("barré"), [](QFont &f) { f.setStrikeOut(true); }},
        {"exp", QStringLiteral("exposant"), [](QFont &) {}},
        {"ind", QStringLiteral("indice"), [](QFont &) {}},
        {"", QStringLiteral("couleur du texte"), [](QFont &) {}},
        {"", QStringLiteral("UNDO"), [](QFont &) {}},
        {"", QStringLiteral("couleur du texte"), [](QFont &) {}},
    };
    for (std::size_t i = 0; i < cmdRich.size(); ++i) {
        auto *button = new QToolButton(this);
        button->setText(QLatin1String(faces[i].caption));
        button->setToolTip(faces[i].tip);
        button->setAccessibleName(faces[i].tip);
        QFont face = button->font();
        face.setPointSize(button->text().size() > 1 ? 8 : 12);
        faces[i].style(face);
        button->setFont(face);
        button->setFocusPolicy(Qt::TabFocus);
        button->setIconSize(QSize(20, 20));
        button->hide();
        cmdRich[i] = button;
    }
    nameArray(cmdRich, "cmdRich");
    cmdRich[6]->setIcon(ButtonSprites::textColourIcon(m_pixelRatio, 20));
    cmdRich[7]->setIcon(ButtonSprites::clearCaptionIcon(m_pixelRatio, 20));
    cmdRich[8]->setIcon(ButtonSprites::colourSwatch(m_pixelRatio, 20, Qt::white));

    comboPolice = named<QComboBox>(this, "comboPolice");
    comboPolice->setToolTip(QStringLiteral("Nom de la police"));
    comboPolice->setAccessibleName(comboPolice->toolTip());
    comboPolice->setEditable(true);
    comboPolice->setInsertPolicy(QComboBox::NoInsert);
    comboPolice->setEditText(QStringLiteral("MS Sans Serif"));
    comboPolice->hide();

    comboTaille = named<QComboBox>(this, "comboTaille");
    comboTaille->setToolTip(QStringLiteral("Taille de la police"));
    comboTaille->setAccessibleName(comboTaille->toolTip());
    comboTaille->addItems({QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"),
                           QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
                           QStringLiteral("20")});
    comboTaille->setCurrentText(QStringLiteral("10"));
    comboTaille->hide();

    CopierColler = new QMenu(QStringLiteral("CopierColler"), this);
    CopierColler->setObjectName(QStringLiteral("CopierColler"));
    Copier = CopierColler->addAction(QStringLiteral("Copier"));
    Copier->setObjectName(QStringLiteral("Copier"));
    Coller = CopierColler->addAction(QStringLiteral("Coller"));
    Coller->setObjectName(QStringLiteral("Coller"));
}
