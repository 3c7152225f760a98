#include "output/frmchangermodele.h"

#include "output/templatepreview.h"
#include "output/templatereplacement.h"
#include "platform/appcontext.h"
#include "platform/platform.h"
#include "widgets/browsefolderlist.h"
#include "widgets/centreonscreen.h"
#include "widgets/folderbrowser.h"
#include "widgets/helpbutton.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturepreview.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QPushButton *pictureButton(QStyle::StandardPixmap picture, const QString &tooltip,
                           const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setIconSize(QSize(28, 28));
    button->setFixedSize(44, 44);
    button->setToolTip(tooltip);
    return button;
}

// Hidden parts keep their place, so the window does not jump as they come and go.
template <typename W> W *steady(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    return widget;
}

} // namespace

FrmChangerModele::FrmChangerModele(const AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_templateFolder(context.appDir + QStringLiteral("/Modeles"))
{
    setObjectName(QStringLiteral("frmChangerModele"));
    setWindowTitle(QStringLiteral("Modèle"));
    setModal(true);
    buildLayout(context);
    connectControls();
    openAtTemplateFolder();
}

void FrmChangerModele::buildLayout(const AppContext &context)
{
    cmdHelp = new HelpButton(context, QStringLiteral("Aide_Contextuelle/ChangerModele.htm"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setCaption(QStringLiteral("Aide contextuelle"));
    cmdOpen = pictureButton(QStyle::SP_DialogOpenButton,
                            QStringLiteral("Ouvrir un fichier HTML existant"),
                            QStringLiteral("cmdOpen"), this);
    applyButton = pictureButton(QStyle::SP_DialogApplyButton,
                                QStringLiteral("Appliquer le modèle choisi"),
                                QStringLiteral("Command1"), this);
    applyButton->setDefault(true);

    templateFolders = steady(new BrowseFolderList(this), "Dir1");
    templateFiles = steady(new PatternFileList(QStringLiteral("*.htm"), this), "File1");
    frameCaption = steady(new QLabel(QStringLiteral("Choisissez l'image de fond de cadre :"), this),
                          "Label2");
    QFont strong = frameCaption->font();
    strong.setBold(true);
    frameCaption->setFont(strong);
    frameFolders = steady(new BrowseFolderList(this), "Dir2");
    framePictures = steady(new PatternFileList(QStringLiteral("*.jpg"), this), "File2");
    imgVisu = steady(new PicturePreview(this), "imgVisu");
    imgVisu->setFixedSize(200, 150);
    imgVisu->setFrameShape(QFrame::StyledPanel);
    imgVisu->setBackgroundRole(QPalette::Base);
    imgVisu->setAutoFillBackground(true);

    for (QWidget *list :
         {static_cast<QWidget *>(templateFolders), static_cast<QWidget *>(templateFiles),
          static_cast<QWidget *>(frameFolders), static_cast<QWidget *>(framePictures)})
        list->setMinimumSize(180, 140);

    imgApercu = steady(new TemplatePreview(this), "imgApercu");

    // Left: the template lists and, under them, the preview of the clicked
    // design; right: the frame picture, for "Image.htm" only.
    auto *templates = new QVBoxLayout;
    templates->addWidget(templateFolders, 1);
    templates->addWidget(templateFiles, 1);
    templates->addWidget(imgApercu, 0, Qt::AlignHCenter);

    auto *frame = new QGridLayout;
    frame->addWidget(frameCaption, 0, 0, 1, 2);
    frame->addWidget(frameFolders, 1, 0);
    frame->addWidget(framePictures, 2, 0);
    frame->addWidget(imgVisu, 1, 1, 2, 1, Qt::AlignTop);
    frame->setRowStretch(1, 1);
    frame->setRowStretch(2, 1);

    auto *separator = new QFrame(this);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);

    auto *lists = new QHBoxLayout;
    lists->addLayout(templates, 1);
    lists->addWidget(separator);
    lists->addLayout(frame, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOpen);
    buttons->addStretch(1);
    buttons->addWidget(cmdHelp);
    buttons->addWidget(applyButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    resize(sizeHint().expandedTo(QSize(680, 420)));
}

void FrmChangerModele::connectControls()
{
    m_templateBrowser = new FolderBrowser(nullptr, templateFolders, templateFiles, this);
    m_frameBrowser = new FolderBrowser(nullptr, frameFolders, framePictures, this);
    connect(cmdOpen, &QPushButton::clicked, this, &FrmChangerModele::cmdOpenClicked);
    connect(m_templateBrowser, &FolderBrowser::folderChanged, this,
            &FrmChangerModele::templateFolderChanged);
    connect(templateFiles, &PatternFileList::itemSelectionChanged, this,
            &FrmChangerModele::templateClicked);
    connect(templateFiles, &PatternFileList::itemDoubleClicked, this,
            &FrmChangerModele::applyClicked);
    connect(m_frameBrowser, &FolderBrowser::folderChanged, this,
            &FrmChangerModele::frameFolderChanged);
    connect(framePictures, &PatternFileList::itemSelectionChanged, this,
            &FrmChangerModele::framePictureClicked);
    connect(applyButton, &QPushButton::clicked, this, &FrmChangerModele::applyClicked);
}

void FrmChangerModele::openAtTemplateFolder()
{
    m_templateBrowser->setFolder(m_templateFolder);
    templateFolders->hide();
    templateFiles->hide();
    imgApercu->hide();
    m_frameBrowser->setFolder(m_templateFolder);
    setFramePickerVisible(false);
}

void FrmChangerModele::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        CentreOnScreen(*this);
    }
}

void FrmChangerModele::cmdOpenClicked()
{
    templateFolders->show();
    // The file list follows the same rule as when the folder changes, so that
    // a second press after leaving the template folder does not offer files
    // from elsewhere.
    showTemplatesWhenInTemplateFolder();
}

void FrmChangerModele::templateFolderChanged() { showTemplatesWhenInTemplateFolder(); }

void FrmChangerModele::showTemplatesWhenInTemplateFolder()
{
    // Templates are chosen only inside the template folder or its subfolders.
    templateFiles->setVisible(templateFiles->folder().contains(m_templateFolder));
    if (templateFiles->isHidden() || templateFiles->selectedFileName().isEmpty())
        imgApercu->hide();
}

void FrmChangerModele::templateClicked()
{
    const QString name = templateFiles->selectedFileName();
    if (name.isEmpty())
        return; // the list was emptied or refilled, nothing was clicked
    m_chosenTemplate = name;
    setFramePickerVisible(name == QLatin1String(TemplateReplacement::FramedTemplate));
    // The design applyButton would confirm: the one of the template folder.
    imgApercu->showTemplate(m_templateFolder, name);
    imgApercu->show();
}

void FrmChangerModele::setFramePickerVisible(bool visible)
{
    frameCaption->setVisible(visible);
    frameFolders->setVisible(visible);
    framePictures->setVisible(visible);
    imgVisu->setVisible(visible);
}

void FrmChangerModele::frameFolderChanged()
{
    imgVisu->clear(); // the preview always shows the picture that would be used
}

void FrmChangerModele::framePictureClicked()
{
    const QString picture = chosenFramePicture();
    if (!picture.isEmpty())
        imgVisu->showPicture(picture);
}

QString FrmChangerModele::chosenFramePicture() const
{
    const QString name = framePictures->selectedFileName();
    return name.isEmpty() ? QString() : framePictures->folder() + QLatin1Char('/') + name;
}

void FrmChangerModele::applyClicked()
{
    if (templateFiles->selectedFileName().isEmpty() || templateFiles->isHidden()) {
        close();
        return;
    }
    const auto answer = m_context.platform.message(
        QStringLiteral("Voules-vous remplacer le modèle par défaut\r\n"
                       "pour les présentations \r\n"
                       "par le fichier-modèle ")
            + m_chosenTemplate,
        Platform::Buttons::YesNo, Platform::Icon::None, QString());
    if (answer == Platform::Answer::Yes)
        m_choice = Choice{m_chosenTemplate, chosenFramePicture()};
    close();
}
