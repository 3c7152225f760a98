#include "output/frmchangermodele.h"

#include "app/platform.h"
#include "output/browsefolderlist.h"
#include "output/centreonscreen.h"
#include "output/patternfilelist.h"
#include "output/templatepreview.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
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
template <typename W>
W *steady(W *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    return widget;
}

} // namespace

FrmChangerModele::FrmChangerModele(Platform &platform, QString appDir, QWidget *parent)
    : QDialog(parent), m_platform(platform), m_appDir(std::move(appDir))
{
    setObjectName(QStringLiteral("frmChangerModele"));
    setWindowTitle(QStringLiteral("Modèle"));
    setModal(true);
    buildLayout();
    connectControls();
    openAtTemplateFolder();
}

QString FrmChangerModele::templateFolder() const
{
    return m_appDir + QStringLiteral("/Modeles");
}

void FrmChangerModele::buildLayout()
{
    cmdHelp = pictureButton(QStyle::SP_DialogHelpButton, QStringLiteral("Aide contextuelle"),
                            QStringLiteral("cmdHelp"), this);
    cmdOpen = pictureButton(QStyle::SP_DialogOpenButton,
                            QStringLiteral("Ouvrir un fichier HTML existant"),
                            QStringLiteral("cmdOpen"), this);
    Command1 = pictureButton(QStyle::SP_DialogApplyButton,
                             QStringLiteral("Appliquer le modèle choisi"),
                             QStringLiteral("Command1"), this);
    Command1->setDefault(true);

    Dir1 = steady(new BrowseFolderList(this));
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = steady(new PatternFileList(QStringLiteral("*.htm"), this));
    File1->setObjectName(QStringLiteral("File1"));
    Label2 = steady(new QLabel(QStringLiteral("Choisissez l'image de fond de cadre :"), this));
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont strong = Label2->font();
    strong.setBold(true);
    Label2->setFont(strong);
    Dir2 = steady(new BrowseFolderList(this));
    Dir2->setObjectName(QStringLiteral("Dir2"));
    File2 = steady(new PatternFileList(QStringLiteral("*.jpg"), this));
    File2->setObjectName(QStringLiteral("File2"));
    imgVisu = steady(new QLabel(this));
    imgVisu->setObjectName(QStringLiteral("imgVisu"));
    imgVisu->setFixedSize(200, 150);
    imgVisu->setAlignment(Qt::AlignCenter);
    imgVisu->setFrameShape(QFrame::StyledPanel);
    imgVisu->setBackgroundRole(QPalette::Base);
    imgVisu->setAutoFillBackground(true);

    for (QWidget *list : {static_cast<QWidget *>(Dir1), static_cast<QWidget *>(File1),
                          static_cast<QWidget *>(Dir2), static_cast<QWidget *>(File2)})
        list->setMinimumSize(180, 140);

    imgApercu = steady(new TemplatePreview(this));

    // Left: the template lists and, under them, the preview of the clicked
    // design; right: the frame picture, for "Image.htm" only.
    auto *templates = new QVBoxLayout;
    templates->addWidget(Dir1, 1);
    templates->addWidget(File1, 1);
    templates->addWidget(imgApercu, 0, Qt::AlignHCenter);

    auto *frame = new QGridLayout;
    frame->addWidget(Label2, 0, 0, 1, 2);
    frame->addWidget(Dir2, 1, 0);
    frame->addWidget(File2, 2, 0);
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
    buttons->addWidget(Command1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    resize(sizeHint().expandedTo(QSize(680, 420)));
}

void FrmChangerModele::connectControls()
{
    connect(cmdHelp, &QPushButton::clicked, this, &FrmChangerModele::cmdHelpClicked);
    connect(cmdOpen, &QPushButton::clicked, this, &FrmChangerModele::cmdOpenClicked);
    connect(Dir1, &BrowseFolderList::pathChanged, this, &FrmChangerModele::dir1Changed);
    connect(File1, &PatternFileList::itemSelectionChanged, this, &FrmChangerModele::file1Clicked);
    connect(File1, &PatternFileList::itemDoubleClicked, this, &FrmChangerModele::command1Clicked);
    connect(Dir2, &BrowseFolderList::pathChanged, this, &FrmChangerModele::dir2Changed);
    connect(File2, &PatternFileList::itemSelectionChanged, this, &FrmChangerModele::file2Clicked);
    connect(Command1, &QPushButton::clicked, this, &FrmChangerModele::command1Clicked);
}

void FrmChangerModele::openAtTemplateFolder()
{
    Dir1->setPath(templateFolder());
    File1->setFolder(templateFolder());
    Dir1->hide();
    File1->hide();
    imgApercu->hide();
    Dir2->setPath(templateFolder());
    File2->setFolder(templateFolder());
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

void FrmChangerModele::cmdHelpClicked()
{
    m_platform.openWithShell(m_appDir + QStringLiteral("/Aide_Contextuelle/ChangerModele.htm"));
}

void FrmChangerModele::cmdOpenClicked()
{
    Dir1->show();
    // The file list follows the same rule as when the folder changes, so that
    // a second press after leaving the template folder does not offer files
    // from elsewhere.
    showFile1WhenInTemplateFolder();
}

void FrmChangerModele::dir1Changed(const QString &path)
{
    File1->setFolder(path);
    showFile1WhenInTemplateFolder();
}

void FrmChangerModele::showFile1WhenInTemplateFolder()
{
    // Templates are chosen only inside the template folder or its subfolders.
    File1->setVisible(File1->folder().contains(templateFolder()));
    if (File1->isHidden() || File1->selectedFileName().isEmpty())
        imgApercu->hide();
}

void FrmChangerModele::file1Clicked()
{
    const QString name = File1->selectedFileName();
    if (name.isEmpty())
        return;  // the list was emptied or refilled, nothing was clicked
    m_chosenTemplate = name;
    setFramePickerVisible(name == QLatin1String(TemplateReplacement::FramedTemplate));
    // The design that Command1 would copy: the one of the template folder.
    imgApercu->showTemplate(templateFolder(), name);
    imgApercu->show();
}

void FrmChangerModele::setFramePickerVisible(bool visible)
{
    Label2->setVisible(visible);
    Dir2->setVisible(visible);
    File2->setVisible(visible);
    imgVisu->setVisible(visible);
}

void FrmChangerModele::dir2Changed(const QString &path)
{
    File2->setFolder(path);
    imgVisu->clear();  // the preview always shows the picture that would be used
}

void FrmChangerModele::file2Clicked()
{
    const QString picture = chosenFramePicture();
    if (picture.isEmpty())
        return;
    QImageReader reader(picture);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        imgVisu->clear();
        return;
    }
    const QSize room = imgVisu->contentsRect().size();
    imgVisu->setPixmap(QPixmap::fromImage(
        image.size().boundedTo(room) == image.size()
            ? image
            : image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QString FrmChangerModele::chosenFramePicture() const
{
    const QString name = File2->selectedFileName();
    return name.isEmpty() ? QString() : File2->folder() + QLatin1Char('/') + name;
}

void FrmChangerModele::command1Clicked()
{
    if (File1->selectedFileName().isEmpty() || File1->isHidden()) {
        close();
        return;
    }
    const auto answer = m_platform.message(
        QStringLiteral("Voules-vous remplacer le modèle par défaut\r\n"
                       "pour les présentations \r\n"
                       "par le fichier-modèle ")
            + m_chosenTemplate,
        Platform::Buttons::YesNo, Platform::Icon::None, QString());
    if (answer == Platform::Answer::Yes) {
        const QString picture = chosenFramePicture();
        m_change = TemplateReplacement::replaceTemplate(m_appDir, m_chosenTemplate, picture);
        if (!m_change->succeeded())
            m_platform.message(
                TemplateReplacement::failureText(*m_change, m_chosenTemplate, picture),
                Platform::Buttons::Ok, Platform::Icon::Exclamation, QStringLiteral("ALERTE"));
    }
    close();
}
