#include "project/frmsauversous.h"

#include "platform/platform.h"
#include "project/choosergrid.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "widgets/browsefolderlist.h"
#include "widgets/drivelist.h"
#include "widgets/folderbrowser.h"
#include "widgets/helpbutton.h"
#include "widgets/patternfilelist.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using Buttons = Platform::Buttons;
using Icon = Platform::Icon;

// Letters A to Z, a to z and "_" only; a final ".lmv" is allowed when
// something stands before it.
bool isValidName(const QString &text)
{
    const QString name = text.size() > 4 && text.endsWith(QLatin1String(".lmv")) ? text.chopped(4)
                                                                                 : text;
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == QLatin1Char('_') || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
    });
}

bool isReserved(const QString &text)
{
    const QString backup = QLatin1String(SlideshowProject::BackupStem);
    const QString unnamed = QLatin1String(SlideshowProject::DefaultName);
    return text == backup || text == backup + QLatin1String(".lmv") || text == unnamed
        || text == unnamed + QLatin1String(".lmv");
}

// The same folder, also when reached through another spelling or a link.
bool sameFolder(const QString &a, const QString &b)
{
    if (QDir::cleanPath(a) == QDir::cleanPath(b))
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

FrmSauverSous::FrmSauverSous(const AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmSauverSous"));
    setWindowTitle(QStringLiteral("EnregistrerSous"));
    setModal(true);

    ChooserGrid grid(this, context, QStringLiteral("Aide_Contextuelle/EnregistrerSous.htm"));
    ChooserControls::operator=(grid.controls);

    nameBox = new QLineEdit(this);
    nameBox->setObjectName(QStringLiteral("Text1"));
    auto *nameRow = new QHBoxLayout;
    auto *nameLabel = new QLabel(QStringLiteral("&Nom du diaporama :"), this);
    nameLabel->setBuddy(nameBox);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(nameBox, 1);
    grid.rows->insertLayout(0, nameRow);

    const QString createTip = QStringLiteral("Click souris droit pour créer un dossier");
    folders->setToolTip(createTip);
    folders->tree()->setToolTip(createTip);
    folders->tree()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(folders->tree(), &QWidget::customContextMenuRequested, this,
            &FrmSauverSous::createFolder);

    m_browser = new FolderBrowser(drives, folders, files, this);
    m_browser->setFolder(QDir::currentPath());
    // Another drive or folder starts the name afresh; a file gives its name.
    connect(drives, &DriveList::driveChosen, nameBox, &QLineEdit::clear);
    connect(m_browser, &FolderBrowser::folderChanged, nameBox, &QLineEdit::clear);
    connect(files, &PatternFileList::itemSelectionChanged, this, [this] {
        if (const QString file = files->selectedFileName(); !file.isEmpty())
            nameBox->setText(file);
    });
    connect(files, &PatternFileList::itemActivated, this, &FrmSauverSous::okPressed);
    connect(cmdOK, &QPushButton::clicked, this, &FrmSauverSous::okPressed);
    connect(cmdAnnuler, &QPushButton::clicked, this, &FrmSauverSous::reject);
    nameBox->setFocus();
}

std::optional<ProjectLocation> FrmSauverSous::choose()
{
    m_result.reset();
    m_browser->refreshFiles();
    nameBox->clear();
    nameBox->setFocus();
    exec();
    return m_result;
}

void FrmSauverSous::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_browser->refreshFiles();
    QDialog::changeEvent(event);
}

void FrmSauverSous::okPressed()
{
    Platform &platform = m_context.platform;
    const QString folder = files->folder();
    if (sameFolder(folder, m_context.appDir)) {
        platform.message(
            QStringLiteral("Il est impossible de sauvegarder dans le répertoire de travail.\r\n"
                           "Pour créer un répertoire, cliquez sur la zone répertoire."),
            Buttons::Ok, Icon::Exclamation, QStringLiteral("Erreur de répertoire"));
        return;
    }
    const QString text = nameBox->text();
    if (!isValidName(text)) {
        platform.message(
            QStringLiteral(
                "Le nom choisi doit comporter uniquement des caractères alphabétiques\r\n"
                "non accentués ou le caractère _."),
            Buttons::Ok, Icon::Exclamation, QStringLiteral("Nom Invalide"));
        return;
    }
    if (isReserved(text) || text.isEmpty()) {
        reject();
        return;
    }
    const QString name = text.section(QLatin1Char('.'), 0, 0);
    if (FileOps::exists(joined(folder, name) + QLatin1String(".lmv"))
        && platform.message(QStringLiteral("Le projet existe déjà.\r\nVoulez-vous le réécrire ?"),
                            Buttons::YesNo, Icon::Stop, QStringLiteral("ALERTE"))
            != Platform::Answer::Yes)
        return;
    m_result = ProjectLocation{folder, name};
    accept();
}

void FrmSauverSous::reject()
{
    m_result.reset();
    QDialog::reject();
}

void FrmSauverSous::createFolder()
{
    Platform &platform = m_context.platform;
    const QString folder = folders->path();
    if (platform.message(
            QStringLiteral("Voulez-vous créer un nouveau dossier dans le répertoire\r\n%1 ?")
                .arg(QDir::toNativeSeparators(folder)),
            Buttons::YesNo, Icon::Exclamation, QStringLiteral("CREER UN REPERTOIRE"))
        != Platform::Answer::Yes)
        return;
    const auto name = platform.inputBox(QStringLiteral("Entrez le nom du nouveau répertoire :"),
                                        QStringLiteral("NOUVEAU REPERTOIRE"),
                                        QStringLiteral("Nouveau Dossier"));
    if (!name || name->isEmpty())
        return;
    // One new folder in this one, or nothing: a name that leads elsewhere is not made.
    const QString created = joined(folder, *name);
    if (name->contains(QLatin1Char('/')) || *name == QLatin1String(".")
        || *name == QLatin1String("..") || !QDir().mkdir(created))
        return;
    m_browser->setFolder(created);
}
