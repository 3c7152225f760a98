#include "project/frmlmv.h"

#include "project/choosergrid.h"
#include "project/slideshowproject.h"
#include "widgets/browsefolderlist.h"
#include "widgets/drivelist.h"
#include "widgets/folderbrowser.h"
#include "widgets/helpbutton.h"
#include "widgets/patternfilelist.h"

#include <QDir>
#include <QEvent>
#include <QPushButton>

FrmLmv::FrmLmv(const AppContext &context, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLmv"));
    setWindowTitle(QStringLiteral("Ouvrir un projet"));
    setModal(true);

    ChooserGrid grid(this, context, QStringLiteral("Aide_Contextuelle/OuvrirProjet.htm"));
    ChooserControls::operator=(grid.controls);

    m_browser = new FolderBrowser(drives, folders, files, this);
    m_browser->setFolder(QDir::currentPath());
    connect(files, &PatternFileList::itemActivated, this, &FrmLmv::okPressed);
    connect(cmdOK, &QPushButton::clicked, this, &FrmLmv::okPressed);
    connect(cmdAnnuler, &QPushButton::clicked, this, &FrmLmv::reject);
}

OpenChoice FrmLmv::choose(bool projectLoaded)
{
    m_projectLoaded = projectLoaded;
    m_choice = unchanged();
    m_browser->refreshFiles();
    exec();
    return m_choice;
}

OpenChoice FrmLmv::unchanged() const
{
    return {m_projectLoaded ? OpenChoice::Kind::Reopen : OpenChoice::Kind::Nothing, {}};
}

void FrmLmv::changeEvent(QEvent *event)
{
    // Project files made meanwhile appear when the dialog comes back to the front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_browser->refreshFiles();
    QDialog::changeEvent(event);
}

void FrmLmv::okPressed()
{
    const QString file = files->selectedFileName();
    // The backup set's project file is never opened: it is as a cancel.
    if (file == QLatin1String(SlideshowProject::BackupStem) + QLatin1String(".lmv")) {
        reject();
        return;
    }
    m_choice = file.isEmpty()
        ? unchanged()
        : OpenChoice{OpenChoice::Kind::Project, {files->folder(), file.chopped(4)}};
    accept();
}

void FrmLmv::reject()
{
    m_choice = unchanged();
    QDialog::reject();
}
