#include "editor/imagechooser.h"

#include "editor/slideedits.h"
#include "editor/slidefiles.h"
#include "platform/platform.h"
#include "project/fileops.h"
#include "widgets/browsefolderlist.h"
#include "widgets/centreonscreen.h"
#include "widgets/drivelist.h"
#include "widgets/folderbrowser.h"
#include "widgets/helpbutton.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturepreview.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>

const QString ImageChooser::CaptionPrompt = QStringLiteral(
    "Insérez ici le texte accompagnant la photo");

namespace {

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *titleOf(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

QString weightText(qint64 bytes)
{
    const QLocale french(QLocale::French, QLocale::France);
    if (bytes < 1024)
        return QStringLiteral("%1 octets").arg(bytes);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 Ko").arg(french.toString(bytes / 1024.0, 'f', 0));
    return QStringLiteral("%1 Mo").arg(french.toString(bytes / (1024.0 * 1024.0), 'f', 1));
}

// The size of the picture as it is seen, upright, from its header alone.
QString describe(const QString &path)
{
    QFile file(path);
    if (!FileOps::openForReading(file))
        return QStringLiteral("Image illisible");
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid())
        return QStringLiteral("Image illisible");
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return QStringLiteral("%1 × %2 pixels — %3")
        .arg(size.width())
        .arg(size.height())
        .arg(weightText(QFileInfo(path).size()));
}

// A slide line holds no line end: the caption's line breaks become <br>.
QString oneLine(QString caption)
{
    caption.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    caption.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return caption.replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

} // namespace

ImageChooser::ImageChooser(Kind kind, const AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_kind(kind)
    , m_context(context)
{
    const bool adding = kind == Kind::Add;
    setObjectName(adding ? QStringLiteral("frmFichierImage") : QStringLiteral("frmChangerImage"));
    setWindowTitle(adding ? QStringLiteral("Ajouter une image")
                          : QStringLiteral("Changer une image"));
    setModal(true);
    buildLayout();

    m_browser = new FolderBrowser(Drive1, Dir1, File1, this);
    m_browser->setFolder(QDir::homePath());
    connect(File1, &PatternFileList::itemSelectionChanged, this, &ImageChooser::fileClicked);
    connect(File1, &PatternFileList::itemActivated, this, &ImageChooser::okPressed);
    connect(cmdStop, &QPushButton::clicked, this, &ImageChooser::okPressed);
}

void ImageChooser::buildLayout()
{
    Drive1 = named(new DriveList(this), "Drive1");
    Dir1 = named(new BrowseFolderList(this), "Dir1");
    // ".jpeg" is a JPEG picture too; the list matches without regard to case.
    File1 = named(new PatternFileList(QStringLiteral("*.jpg;*.gif;*.jpeg"), this), "File1");
    imgDiapo = named(new PicturePreview(this), "imgDiapo");
    imgDiapo->setFixedSize(360, 270);
    imgDiapo->setFrameShape(QFrame::StyledPanel);
    lblImage = named(new QLabel(this), "lblImage");
    lblImage->setAlignment(Qt::AlignCenter);
    cmdStop = named(new QPushButton(QStringLiteral("OK"), this), "cmdStop");
    cmdStop->setDefault(true);
    cmdStop->setMinimumWidth(96);
    const bool adding = m_kind == Kind::Add;
    cmdHelp = named(new HelpButton(m_context,
                                   adding ? QStringLiteral("Aide_Contextuelle/AjouterImage.htm")
                                          : QStringLiteral("Aide_Contextuelle/ChangerImage.htm"),
                                   this),
                    "cmdHelp");
    cmdHelp->setCaption(QStringLiteral("Aide contextuelle"));

    auto *grid = new QGridLayout(this);
    grid->setSpacing(8);
    auto *driveRow = new QHBoxLayout;
    driveRow->addWidget(titleOf(QStringLiteral("&Lecteur :"), Drive1));
    driveRow->addWidget(Drive1, 1);
    grid->addLayout(driveRow, 0, 0, 1, 2);
    grid->addWidget(titleOf(QStringLiteral("&Dossiers :"), Dir1), 1, 0);
    grid->addWidget(titleOf(QStringLiteral("&Images :"), File1), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Aperçu :"), this), 1, 2);
    grid->addWidget(Dir1, 2, 0, 2, 1);
    grid->addWidget(File1, 2, 1, 2, 1);
    grid->addWidget(imgDiapo, 2, 2);
    grid->addWidget(lblImage, 3, 2, Qt::AlignTop);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(3, 1);
    int row = 4;
    if (adding) {
        txtInfo = named(new QPlainTextEdit(CaptionPrompt + QLatin1Char('\n'), this), "txtInfo");
        txtInfo->setFixedHeight(txtInfo->fontMetrics().lineSpacing() * 4);
        grid->addWidget(titleOf(QStringLiteral("&Texte de la diapo :"), txtInfo), row++, 0, 1, 3);
        grid->addWidget(txtInfo, row++, 0, 1, 3);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdStop);
    grid->addLayout(buttons, row, 0, 1, 3);
    resize(980, adding ? 600 : 500);
}

std::optional<ImageChooser::Pick> ImageChooser::choose()
{
    m_pick.reset();
    exec();
    return m_pick;
}

QString ImageChooser::folder() const { return m_browser->folder(); }

void ImageChooser::setFolder(const QString &folder) { m_browser->setFolder(folder); }

void ImageChooser::showEvent(QShowEvent *event)
{
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

void ImageChooser::changeEvent(QEvent *event)
{
    // Pictures made meanwhile appear when the chooser comes to the front; the
    // file picked stays picked.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        const QString picked = File1->selectedFileName();
        m_browser->refreshFiles();
        if (!picked.isEmpty())
            File1->selectFile(picked);
    }
    QDialog::changeEvent(event);
}

void ImageChooser::fileClicked()
{
    const QString name = File1->selectedFileName();
    if (name.isEmpty()) {
        imgDiapo->clear();
        lblImage->clear();
        return;
    }
    const QString path = QDir(File1->folder()).filePath(name);
    imgDiapo->showPicture(path);
    lblImage->setText(describe(path));
}

bool ImageChooser::wantsToQuit(const QString &reason)
{
    return m_context.platform.message(reason + QStringLiteral("\r\nVoulez-vous quitter ?"),
                                      Platform::Buttons::YesNo, Platform::Icon::None,
                                      QStringLiteral("QUITTER"))
        == Platform::Answer::Yes;
}

void ImageChooser::okPressed()
{
    const QString name = File1->selectedFileName();
    if (name.isEmpty()) {
        if (wantsToQuit(QStringLiteral("Vous n'avez pas sélectionné d'image.")))
            reject();
        return;
    }
    QString caption;
    if (txtInfo) {
        caption = txtInfo->toPlainText();
        const QString typed = caption.trimmed();
        if ((typed.isEmpty() || typed == CaptionPrompt)
            && !wantsToQuit(QStringLiteral("Vous n'avez pas entré de texte.")))
            return;
    }
    const QString path = QDir(File1->folder()).filePath(name);
    if (SlideFiles::pictureType(path).isEmpty()) {
        SlideEdits::refuseNotAPicture(m_context.platform, path);
        return;
    }
    m_pick = Pick{path, oneLine(caption)};
    accept();
}
