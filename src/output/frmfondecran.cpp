#include "output/frmfondecran.h"

#include "output/backgroundtexture.h"
#include "widgets/centreonscreen.h"
#include "widgets/helpbutton.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturepreview.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

constexpr QSize PreviewSize{220, 220};

QLabel *heading(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

PicturePreview *preview(const char *name, QWidget *parent)
{
    auto *picture = new PicturePreview(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setFixedSize(PreviewSize);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setBackgroundRole(QPalette::Base);
    picture->setAutoFillBackground(true);
    return picture;
}

} // namespace

FrmFondEcran::FrmFondEcran(const AppContext &context, const QString &projectFolder,
                           const QString &startTexture, QWidget *parent)
    : QDialog(parent)
    , m_texturesFolder(BackgroundTexture::texturesFolder(context.appDir))
{
    setObjectName(QStringLiteral("frmFondEcran"));
    setWindowTitle(QStringLiteral("Changer le fond d'écran"));
    setModal(true);
    buildLayout(context);

    textureFiles->setFolder(m_texturesFolder);
    if (!projectFolder.isEmpty())
        currentBackground->showPicture(BackgroundTexture::projectBackground(projectFolder));
    textureScroll->setRange(0, std::max(0, textureFiles->count() - 1));
    // The texture last confirmed comes first when it is still there.
    int start = 0;
    for (int i = 0; i < textureFiles->count(); ++i)
        if (textureFiles->item(i)->text() == startTexture) {
            start = i;
            break;
        }
    textureScroll->setValue(start);
    showTexture(start);

    connect(textureScroll, &QScrollBar::valueChanged, this, &FrmFondEcran::showTexture);
    connect(okButton, &QPushButton::clicked, this, &FrmFondEcran::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmFondEcran::buildLayout(const AppContext &context)
{
    cmdHelp = new HelpButton(context, QStringLiteral("Aide_Contextuelle/ChangerFond.htm"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setCaption(QStringLiteral("Aide contextuelle"));
    previewHeading = heading(QStringLiteral("Prévisualisation"), "Label3", this);
    texturePreview = preview("Image1", this);
    textureName = new QLabel(this);
    textureName->setObjectName(QStringLiteral("Label1"));
    textureName->setAlignment(Qt::AlignCenter);
    textureScroll = new QScrollBar(Qt::Horizontal, this);
    textureScroll->setObjectName(QStringLiteral("HScroll1"));
    textureScroll->setPageStep(1);
    currentHeading = heading(QStringLiteral("FOND ACTUEL"), "Label2", this);
    currentBackground = preview("Image2", this);
    textureFiles = new PatternFileList(QStringLiteral("*.jpg"), this);
    textureFiles->setObjectName(QStringLiteral("File1"));
    textureFiles->hide();
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("Command1"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Annuler"), this);
    cancelButton->setObjectName(QStringLiteral("Command2"));

    auto *textures = new QVBoxLayout;
    textures->addWidget(previewHeading, 0, Qt::AlignHCenter);
    textures->addWidget(texturePreview, 0, Qt::AlignHCenter);
    textures->addWidget(textureName);
    textures->addWidget(textureScroll);
    textures->addStretch(1);

    auto *current = new QVBoxLayout;
    current->addWidget(currentHeading, 0, Qt::AlignHCenter);
    current->addWidget(currentBackground, 0, Qt::AlignHCenter);
    current->addStretch(1);

    auto *pictures = new QHBoxLayout;
    pictures->setSpacing(24);
    pictures->addLayout(textures);
    pictures->addLayout(current);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(14);
    layout->addLayout(pictures);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen(*this);
}

void FrmFondEcran::showTexture(int position)
{
    const QListWidgetItem *item = textureFiles->item(position);
    const QString file = item ? item->text() : QString();
    if (file.isEmpty() || !texturePreview->showPicture(m_texturesFolder + QLatin1Char('/') + file))
        texturePreview->clear();
    // Shown without its extension.
    textureName->setText(file.left(std::max<qsizetype>(0, file.size() - 4)));
}

void FrmFondEcran::okClicked()
{
    const QListWidgetItem *item = textureFiles->item(textureScroll->value());
    // With no texture to show, OK confirms nothing.
    if (item)
        m_choice = item->text();
    accept();
}
