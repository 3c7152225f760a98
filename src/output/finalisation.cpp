#include "output/finalisation.h"

#include "output/slideshowgeneration.h"
#include "platform/platform.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"

#include <QFileInfo>

namespace {

bool isAppDir(const QString &folder, const QString &appDir)
{
    if (folder == appDir)
        return true;
    // The same folder reached by another spelling (a link, a trailing
    // separator) is the application's folder all the same.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(appDir).canonicalFilePath();
}

// Whether the folder already holds a page and script made from the project
// as it stands; otherwise the user may have them made now.
bool pageIsReady(const SlideshowProject &project)
{
    return project.htmlGenerated && FileOps::exists(SlideshowFiles::pagePath(project))
        && FileOps::exists(project.basePath + QStringLiteral(".js"));
}

bool offerToMakePage(SlideshowProject &project, const QString &appDir, Platform &platform)
{
    const QString state = FileOps::exists(SlideshowFiles::pagePath(project))
        ? QStringLiteral("La page du diaporama date d'une version "
                         "antérieure du projet.")
        : QStringLiteral("La page du diaporama n'a pas encore été créée.");
    const auto answer = platform.message(
        state
            + QStringLiteral("\r\nUn diaporama finalisé doit pouvoir être lu dans le navigateur."
                             "\r\nVoulez-vous créer la page maintenant ?"
                             "\r\n(Non : la finalisation est abandonnée.)"),
        Platform::Buttons::YesNo, Platform::Icon::Question, QStringLiteral("ATTENTION"));
    if (answer != Platform::Answer::Yes)
        return false;
    // The generation tells the user itself why it could not make the page.
    return GenerateSlideshow(project, appDir, platform, AfterGeneration::StayHere).generated();
}

} // namespace

FinalisationOutcome FinaliseSlideshow(SlideshowProject &project, const QString &appDir,
                                      Platform &platform)
{
    if (!project.loaded)
        return FinalisationOutcome::NotLoaded;
    if (project.isDefaultProject() || isAppDir(project.folder, appDir))
        return FinalisationOutcome::NotAllowed;
    if (!pageIsReady(project) && !offerToMakePage(project, appDir, platform))
        return FinalisationOutcome::PageNotMade;

    const auto answer = platform.message(
        QStringLiteral("La finalisation du diaporama va détruire les fichiers nécéssaires à "
                       "l'édition sur Tessaria.\r\n"
                       "Vont rester les fichiers nécessaires au fonctionnement sur le "
                       "navigateur.\r\n"
                       "Voulez-vous effacer les fichiers d'édition ?"),
        Platform::Buttons::YesNo, Platform::Icon::Exclamation, QStringLiteral("ALERTE"));
    if (answer != Platform::Answer::Yes)
        return FinalisationOutcome::Declined;

    // From here a step that fails is passed over and the next one runs.
    FileOps::remove(project.basePath + QStringLiteral(".lmv"));
    const auto page = TextFile::readLines(SlideshowFiles::pagePath(project));
    const bool namesTable = page
        && page->join(QLatin1Char('\n'))
               .contains(QLatin1String(FinalisationFiles::TableBackground), Qt::CaseInsensitive);
    if (!namesTable)
        FileOps::remove(project.folder + QLatin1Char('/')
                        + QLatin1String(FinalisationFiles::FramePicture));

    project.saved = true;
    project.loaded = false;
    return FinalisationOutcome::Finalised;
}
