#include "project/projectlifecycle.h"

#include "platform/platform.h"
#include "project/fileops.h"
#include "project/replacementjournal.h"
#include "project/slideshowproject.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

using Buttons = Platform::Buttons;
using Icon = Platform::Icon;
using Answer = Platform::Answer;

const QString kAlert = QStringLiteral("ALERTE");

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1
           && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder;
}

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

} // namespace

ProjectLifeCycle::ProjectLifeCycle(SlideshowProject &project, Platform &platform,
                                   LifeCycleWindow &window, QString appDir, QString backupRoot)
    : m_project(project)
    , m_platform(platform)
    , m_window(window)
    , m_appDir(withoutTrailingSeparator(std::move(appDir)))
    , m_storage(project, std::move(backupRoot))
{
}

ProjectLifeCycle::Identity ProjectLifeCycle::identity() const
{
    return {m_project.folder, m_project.name, m_project.basePath, m_project.loaded,
            m_project.currentSlide};
}

void ProjectLifeCycle::restore(const Identity &identity)
{
    m_project.folder = identity.folder;
    m_project.name = identity.name;
    m_project.basePath = identity.basePath;
    m_project.loaded = identity.loaded;
    m_project.currentSlide = identity.currentSlide;
}

// ---- operations -----------------------------------------------------------

void ProjectLifeCycle::NewProject()
{
    const Identity previous = identity();
    const Settled settled = settleChangedWork(Question::New);
    if (settled == Settled::Stopped)
        return;

    // A missing default project is restored once, the user asked first; if it
    // is still missing the new slideshow is given up rather than asked again.
    const QString defaultFile = m_appDir + QLatin1Char('/')
        + QLatin1String(SlideshowProject::DefaultName) + QLatin1String(".lmv");
    if (!FileOps::exists(defaultFile)) {
        m_window.restoreDefaultTemplate();
        if (!FileOps::exists(defaultFile)) {
            m_platform.message(
                QStringLiteral("Le diaporama par défaut « %1 » est introuvable et n'a pas été "
                               "restauré.\r\nImpossible de créer un nouveau diaporama.")
                    .arg(shown(defaultFile)),
                Buttons::Ok, Icon::Stop, kAlert);
            backToPrevious(previous, settled);
            return;
        }
    }
    if (!openAt({m_appDir, QLatin1String(SlideshowProject::DefaultName)}))
        backToPrevious(previous, settled);
}

bool ProjectLifeCycle::OpenProject() { return openAt({m_project.folder, m_project.name}); }

bool ProjectLifeCycle::openAt(const ProjectLocation &location)
{
    SlideshowProject &p = m_project;
    const Identity before = identity();
    p.loaded = true;
    p.currentSlide = 0;
    p.folder = withoutTrailingSeparator(location.folder);
    p.name = location.name;
    p.updateBasePath();

    const QString file = shown(p.basePath + QLatin1String(".lmv"));
    switch (m_storage.ReadProjectFile()) {
    case ProjectStorage::ReadResult::Unreadable:
        restore(before);
        m_platform.message(QStringLiteral("Le fichier « %1 » ne peut pas être lu.").arg(file),
                           Buttons::Ok, Icon::Exclamation, kAlert);
        return false;
    case ProjectStorage::ReadResult::NotAProject:
        restore(before);
        m_platform.message(StorageMessages::invalidProject(file), Buttons::Ok, Icon::Exclamation,
                           kAlert);
        return false;
    case ProjectStorage::ReadResult::TooLarge:
        restore(before);
        m_platform.message(StorageMessages::projectTooLarge(file), Buttons::Ok, Icon::Exclamation,
                           kAlert);
        return false;
    case ProjectStorage::ReadResult::LineTooLong:
        restore(before);
        m_platform.message(StorageMessages::projectLineTooLong(file), Buttons::Ok,
                           Icon::Exclamation, kAlert);
        return false;
    case ProjectStorage::ReadResult::NoSlides:
        // A project without slides has nothing to back up or show.
        return true;
    case ProjectStorage::ReadResult::Loaded: break;
    }
    takeBackup();
    m_window.projectChanged();
    m_window.showCurrentSlide();
    return true;
}

bool ProjectLifeCycle::SaveProject()
{
    if (m_storage.SaveProject() == ProjectStorage::SaveResult::Saved)
        return true;
    m_platform.message(m_storage.linesFit() ? StorageMessages::saveFailed()
                                            : StorageMessages::saveFailedLineTooLong(),
                       Buttons::Ok, Icon::Stop, kAlert);
    return false;
}

void ProjectLifeCycle::SaveProjectAs()
{
    const std::optional<ProjectLocation> target = m_window.chooseSaveAsTarget();
    if (!target) {
        reportCancelledSave();
        return;
    }
    SlideshowProject &p = m_project;
    const QString folder = withoutTrailingSeparator(target->folder);
    const QString newBase = folder + QLatin1Char('/') + target->name;

    // The project's own place: putting the backup back afterwards would
    // throw away the work just written, so this is a plain save.
    if (QDir::cleanPath(newBase) == QDir::cleanPath(p.basePath)) {
        if (SaveProject())
            takeBackup();
        return;
    }
    if (!copyProjectAs({folder, target->name}))
        return;
    m_storage.RevertToBackup();
    p.folder = folder;
    p.name = target->name;
    p.updateBasePath();
    p.saved = true;
    m_window.projectChanged();
    takeBackup();
}

void ProjectLifeCycle::QuitApplication()
{
    if (m_platform.message(QStringLiteral("Voulez-vous vraiment quitter ?"), Buttons::YesNo,
                           Icon::None, QStringLiteral("QUITTER"))
        == Answer::No)
        return;
    if (m_project.loaded && !m_project.saved) {
        const Answer save = m_platform.message(
            QStringLiteral("Voulez-vous enregistrer votre travail ?"), Buttons::YesNo, Icon::Stop,
            QStringLiteral("ENREGISTRER"));
        if (save == Answer::No) {
            m_storage.RevertToBackup();
        } else if (m_project.isDefaultProject()) {
            m_platform.message(
                QStringLiteral("Il est impossible de sauvegarder un fichier sans nom.\r\n"
                               "Utilisez la méthode ENREGISTRER SOUS..."),
                Buttons::Ok, Icon::Stop, kAlert);
            return;
        } else if (!SaveProject()) {
            return; // the work stays, unsaved, and the program goes on
        }
    }
    m_window.endProcess();
}

// ---- commands ---------------------------------------------------------------

void ProjectLifeCycle::openPressed()
{
    const Identity previous = identity();
    const Settled settled = settleChangedWork(Question::Open);
    if (settled == Settled::Stopped)
        return;
    const OpenChoice choice = m_window.chooseProjectToOpen(m_project.loaded);
    switch (choice.kind) {
    case OpenChoice::Kind::Project:
        if (!openAt(choice.project))
            backToPrevious(previous, settled);
        break;
    case OpenChoice::Kind::Reopen:
        if (m_project.loaded)
            OpenProject();
        break;
    case OpenChoice::Kind::Nothing:
        if (!m_project.loaded)
            m_project.name.clear();
        break;
    }
}

void ProjectLifeCycle::savePressed()
{
    if (!m_project.loaded)
        return;
    m_window.storeEdits();
    if (m_project.isDefaultProject()) {
        m_platform.message(QStringLiteral("Choisissez un nom de diaporama !\r\n"
                                          "Utilisez la commande ENREGISTRER SOUS..."),
                           Buttons::Ok, Icon::Exclamation,
                           QStringLiteral("ENREGISTREMENT IMPOSSIBLE"));
        return;
    }
    if (!SaveProject())
        return;
    takeBackup();
    m_project.saved = true;
    m_platform.message(QStringLiteral("Enregistrement réussi."), Buttons::Ok, Icon::None,
                       QStringLiteral("SAUVEGARDE"));
}

void ProjectLifeCycle::saveAsPressed()
{
    if (!m_project.loaded)
        return;
    m_window.storeEdits();
    SaveProjectAs();
}

void ProjectLifeCycle::quitPressed()
{
    m_project.saved = false;
    QuitApplication();
}

void ProjectLifeCycle::headerLeft(const QString &text)
{
    m_project.header = text;
    m_project.saved = false;
}

void ProjectLifeCycle::openFile(const QString &filePath)
{
    const QFileInfo file(filePath);
    // The backup set's own file is never a project to open.
    if (file.suffix().compare(QLatin1String("lmv"), Qt::CaseInsensitive) != 0
        || file.fileName() == QLatin1String(SlideshowProject::BackupStem) + QLatin1String(".lmv")) {
        m_platform.message(StorageMessages::invalidProject(shown(file.absoluteFilePath())),
                           Buttons::Ok, Icon::Exclamation, kAlert);
        return;
    }
    openAt({file.absolutePath(), file.fileName().chopped(4)});
}

// ---- steps ----------------------------------------------------------------

ProjectLifeCycle::Settled ProjectLifeCycle::settleChangedWork(Question question)
{
    if (!m_project.loaded || m_project.saved)
        return Settled::Kept;
    const bool isNew = question == Question::New;
    const Answer answer = m_platform.message(
        isNew
            ? QStringLiteral("Un projet est en cours\r\nVoulez-vous l'enregistrer ?")
            : QStringLiteral("Un projet est en cours.\r\nVoulez-vous enregistrer votre travail ?"),
        Buttons::YesNo, Icon::Stop,
        isNew ? QStringLiteral("Projet en cours") : QStringLiteral("ENREGISTRER"));
    if (answer == Answer::No) {
        m_storage.RevertToBackup();
        return Settled::Reverted;
    }
    // A new slideshow saves even the default project, in the application folder.
    if (!isNew && m_project.isDefaultProject()) {
        m_platform.message(
            QStringLiteral("Il est impossible de sauvegarder un fichier sans nom.\r\n"
                           "Utilisez la méthode ENREGISTRER SOUS..."),
            Buttons::Ok, Icon::Stop, kAlert);
        return Settled::Stopped;
    }
    return SaveProject() ? Settled::Saved : Settled::Stopped;
}

void ProjectLifeCycle::backToPrevious(const Identity &previous, Settled settled)
{
    // The project that was open stays open. Once saved or reverted it has no
    // backup set any more and its folder may differ from what is shown, so it
    // is read again, as a cancelled open does.
    restore(previous);
    if (previous.loaded && settled != Settled::Kept)
        OpenProject();
}

bool ProjectLifeCycle::copyProjectAs(const ProjectLocation &target)
{
    const QString label = QStringLiteral("Enregistrement de « %1 »…").arg(target.name);
    const auto failed = [&] {
        m_platform.message(
            QStringLiteral("Le diaporama n'a pas pu être enregistré sous « %1 » dans le dossier "
                           "« %2 » : un fichier n'a pas pu y être écrit (disque plein ou dossier "
                           "protégé).\r\nLe diaporama ouvert reste tel qu'il était.")
                .arg(target.name, shown(target.folder)),
            Buttons::Ok, Icon::Stop, kAlert);
        return false;
    };

    // The copy is made in a hidden folder beside its target and moved into
    // place only once complete, so that a copy that fails half way leaves
    // nothing behind, and an older project of that name is not half replaced.
    // The journal lets the next start finish or undo a copy cut short.
    ReplacementJournal journal(m_storage.backupSet().root(), ReplacementJournal::Kind::SaveAs,
                               target.folder + QLatin1Char('/') + target.name);
    const QString staging = ReplacementJournal::newStaging(target.folder);
    if (!journal.begin(staging, {}))
        return failed();
    const auto abandoned = [&] {
        journal.abandon();
        return failed();
    };
    int total = 0;
    m_storage.setProgress([&](int done, int all) {
        total = all;
        m_window.copyProgress(label, done, all);
    });
    const auto copied = m_storage.CopyProjectTo(staging, target.name);
    m_storage.setProgress({});
    if (total > 0)
        m_window.copyProgress(label, total, total);
    if (copied == ProjectStorage::CopyResult::Failed)
        return abandoned();
    // The project file names the folder it lives in, not the staging folder.
    const QString projectFile = target.name + QLatin1String(".lmv");
    if (m_storage.WriteProjectFile(staging + QLatin1Char('/') + projectFile, target.name,
                                   target.folder)
        != ProjectStorage::WriteResult::Written)
        return abandoned();

    // The project file goes last: the folder holds the project only once it is whole.
    QStringList files = QDir(staging).entryList(QDir::Files | QDir::Hidden);
    files.removeOne(projectFile);
    files.append(projectFile);
    for (QString &file : files)
        file.prepend(target.folder + QLatin1Char('/'));
    if (!journal.commit(files) || !journal.finish().isEmpty())
        return abandoned();
    return true;
}

void ProjectLifeCycle::takeBackup()
{
    const QString label = QStringLiteral("Copie de sécurité de « %1 »…").arg(m_project.name);
    int total = 0;
    m_storage.setProgress([&](int done, int all) {
        total = all;
        m_window.copyProgress(label, done, all);
    });
    m_storage.TakeBackup();
    m_storage.setProgress({});
    if (total > 0)
        m_window.copyProgress(label, total, total);
}

void ProjectLifeCycle::reportCancelledSave()
{
    m_platform.message(QStringLiteral("L'opération a été annulée."), Buttons::Ok, Icon::None,
                       QStringLiteral("ANNULATION"));
}
