#include "output/headlessgeneration.h"

#include "output/slideshowgeneration.h"
#include "platform/platform.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace HeadlessGeneration {

namespace {

ExitCode refuse(Platform &platform, ExitCode code, const QString &text)
{
    platform.message(text, Platform::Buttons::Ok, Platform::Icon::Stop, QStringLiteral("ALERTE"));
    return code;
}

ExitCode exitCodeOf(GenerationResult::Outcome outcome)
{
    using Outcome = GenerationResult::Outcome;
    switch (outcome) {
    case Outcome::Generated: return Generated;
    case Outcome::RefusedUnnamed: return RefusedUnnamed;
    case Outcome::TemplateMissing:
    case Outcome::TemplateTooShort:
    case Outcome::TemplateTooLarge: return TemplateProblem;
    case Outcome::SoundMissing: return SoundMissing;
    case Outcome::WriteFailed:
    case Outcome::NotLoaded:
    case Outcome::RefusedUnsaved: break;
    }
    return WriteFailed;
}

} // namespace

ExitCode run(const QString &projectFile, const QString &appDir, Platform &platform,
             QTextStream &out)
{
    const QFileInfo file(projectFile);
    const QString shown = QDir::toNativeSeparators(projectFile);
    if (!file.isFile())
        return refuse(platform, NoSuchFile,
                      QStringLiteral("Le fichier %1 est introuvable !").arg(shown));
    if (file.suffix() != QLatin1String("lmv"))
        return refuse(platform, NotAProject,
                      QStringLiteral("%1 n'est pas un projet Lumivue (.lmv) !").arg(shown));

    SlideshowProject project;
    project.folder = file.absolutePath();
    project.name = file.completeBaseName();
    project.updateBasePath();
    // Only the project file is read; the backup root is never used.
    switch (ProjectStorage(project, QString()).ReadProjectFile()) {
    case ProjectStorage::ReadResult::Loaded: break;
    case ProjectStorage::ReadResult::Unreadable:
        return refuse(platform, NoSuchFile,
                      QStringLiteral("Le fichier %1 ne peut pas être lu !").arg(shown));
    case ProjectStorage::ReadResult::NotAProject:
        return refuse(platform, NotAProject, StorageMessages::invalidProject(shown));
    case ProjectStorage::ReadResult::TooLarge:
        return refuse(platform, NotAProject, StorageMessages::projectTooLarge(shown));
    case ProjectStorage::ReadResult::LineTooLong:
        return refuse(platform, NotAProject, StorageMessages::projectLineTooLong(shown));
    case ProjectStorage::ReadResult::NoSlides:
        return refuse(platform, NotAProject,
                      QStringLiteral("Le projet %1 ne contient aucune diapositive !").arg(shown));
    }
    // A project read from disk is saved by definition.
    project.loaded = true;
    project.saved = true;

    const GenerationResult result = GenerateSlideshow(project, appDir, platform,
                                                      AfterGeneration::StayHere);
    for (const QString &written : result.writtenFiles)
        out << QStringLiteral("Écrit : ") << QDir::toNativeSeparators(written) << Qt::endl;
    return exitCodeOf(result.outcome);
}

} // namespace HeadlessGeneration
