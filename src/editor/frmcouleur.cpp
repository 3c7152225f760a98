#include "editor/frmcouleur.h"

#include "captions/colourtext.h"
#include "editor/colourswatch.h"
#include "editor/rgbslider.h"
#include "widgets/helpbutton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The classic sixteen-colour palette, in swatch order.
constexpr std::array<std::array<int, 3>, 16> kFixedColours = {{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

const QColor kStartingMix(127, 127, 127);

template <typename T, std::size_t N> void nameArray(std::array<T *, N> &controls, const char *name)
{
    for (std::size_t i = 0; i < N; ++i) {
        controls[i]->setObjectName(QString::fromLatin1(name));
        controls[i]->setProperty("index", int(i));
    }
}

QString htmlCode(const QColor &c) { return ColourToHtml(colourValue(c)); }

} // namespace

FrmCouleur::FrmCouleur(const AppContext &context, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCouleur"));
    setWindowTitle(QStringLiteral("Choix de la couleur"));
    setModal(true);
    buildControls(context);
    buildLayout();
    setFixedSize(sizeHint());
    load();
}

void FrmCouleur::buildControls(const AppContext &context)
{
    const QString swatchTip = QStringLiteral("Cliquez pour sélectionner la couleur");
    for (std::size_t i = 0; i < picCouleur.size(); ++i) {
        auto *swatch = new ColourSwatch(this);
        swatch->setToolTip(swatchTip);
        const int index = int(i);
        connect(swatch, &ColourSwatch::clicked, this, [this, index] { SelectSwatch(index); });
        // A double click is the click that selects, then "OK".
        connect(swatch, &ColourSwatch::doubleClicked, this, [this, index] {
            SelectSwatch(index);
            accept();
        });
        picCouleur[i] = swatch;
    }
    nameArray(picCouleur, "picCouleur");

    for (std::size_t c = 0; c < picChangeRGB.size(); ++c) {
        picChangeRGB[c] = new RgbSlider(RgbSlider::Channel(c), SliderWidth, this);
        connect(picChangeRGB[c], &RgbSlider::moved, this, &FrmCouleur::mixerMoved);
    }
    nameArray(picChangeRGB, "picChangeRGB");

    picSelection = new ColourSwatch(this);
    picSelection->setObjectName(QStringLiteral("picSelection"));
    picSelection->setToolTip(QStringLiteral("Couleur sélectionnée pour le texte"));
    picSelection->setCursor(Qt::ArrowCursor);
    picSelection->setMinimumSize(64, 40);

    lblSelection = new QLabel(QStringLiteral("Code couleur HTML"), this);
    lblSelection->setObjectName(QStringLiteral("lblSelection"));
    lblSelection->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const char *texts[] = {"Couleur sélectionnée :", "Couleur définie par l'utilisateur",
                           "Couleurs types"};
    for (std::size_t i = 0; i < headings.size(); ++i)
        headings[i] = new QLabel(QString::fromUtf8(texts[i]), this);
    nameArray(headings, "Label1");

    cmdFin[0] = new QPushButton(QStringLiteral("OK"), this);
    cmdFin[1] = new QPushButton(QStringLiteral("Annuler"), this);
    nameArray(cmdFin, "cmdFin");
    cmdFin[0]->setDefault(true);
    connect(cmdFin[0], &QPushButton::clicked, this, &FrmCouleur::accept);
    connect(cmdFin[1], &QPushButton::clicked, this, &FrmCouleur::reject);

    cmdHelp = new HelpButton(context, QStringLiteral("Aide_Contextuelle/CouleurTexte.htm"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
}

void FrmCouleur::buildLayout()
{
    auto *fixed = new QGridLayout;
    fixed->setSpacing(4);
    for (int i = 0; i < 16; ++i)
        fixed->addWidget(picCouleur[std::size_t(i)], i / 8, i % 8);

    auto *mixer = new QGridLayout;
    mixer->addWidget(picCouleur[MixedSwatch], 0, 0, 3, 1);
    for (int c = 0; c < 3; ++c)
        mixer->addWidget(picChangeRGB[std::size_t(c)], c, 1);
    mixer->setColumnStretch(2, 1);

    auto *selection = new QHBoxLayout;
    selection->addWidget(picSelection);
    selection->addWidget(lblSelection, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdFin[0]);
    buttons->addWidget(cmdFin[1]);

    auto *column = new QVBoxLayout(this);
    column->addWidget(headings[2]);
    column->addLayout(fixed);
    column->addSpacing(8);
    column->addWidget(headings[1]);
    column->addLayout(mixer);
    column->addSpacing(8);
    column->addWidget(headings[0]);
    column->addLayout(selection);
    column->addSpacing(8);
    column->addLayout(buttons);
}

void FrmCouleur::load()
{
    for (std::size_t i = 0; i < kFixedColours.size(); ++i) {
        const auto &[r, g, b] = kFixedColours[i];
        picCouleur[i]->setColour(QColor(r, g, b));
    }
    for (RgbSlider *slider : picChangeRGB)
        slider->reset();
    picCouleur[MixedSwatch]->setColour(kStartingMix);
    SelectSwatch(MixedSwatch);
}

void FrmCouleur::SelectSwatch(int i)
{
    if (i < 0 || i >= int(picCouleur.size()))
        return;
    picSelection->setColour(picCouleur[std::size_t(i)]->colour());
    lblSelection->setText(htmlCode(picSelection->colour()));
}

void FrmCouleur::mixerMoved()
{
    picCouleur[MixedSwatch]->setColour(QColor(picChangeRGB[0]->background().red(),
                                              picChangeRGB[1]->background().green(),
                                              picChangeRGB[2]->background().blue()));
    SelectSwatch(MixedSwatch);
}

std::optional<QColor> FrmCouleur::choose()
{
    exec();
    return m_choice;
}

void FrmCouleur::accept()
{
    m_choice = picSelection->colour();
    QDialog::accept();
}

void FrmCouleur::reject()
{
    m_choice.reset();
    QDialog::reject();
}
