#include "output/slideshowgeneration.h"

#include "output/captionbreaks.h"
#include "output/generatedpage.h"
#include "output/generatedscript.h"
#include "output/slidethumbnails.h"
#include "platform/platform.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <memory>
#include <vector>

using Outcome = GenerationResult::Outcome;

namespace {

const QString kAlert = QStringLiteral("ALERTE");

GenerationResult failure(Outcome outcome, const QString &path)
{
    GenerationResult result;
    result.outcome = outcome;
    result.failedPath = path;
    return result;
}

// The slides whose picture file is not there (or is no regular file).
QList<int> slidesWithoutPicture(const SlideshowProject &project)
{
    QList<int> missing;
    for (int n = 0; n < project.boundedSlideCount(); ++n) {
        if (!FileOps::exists(project.imagePath(n)))
            missing << n;
    }
    return missing;
}

QString failureText(const GenerationResult &result)
{
    const QString path = result.failedPath;
    QString text;
    switch (result.outcome) {
    case Outcome::TemplateMissing:
        text = QStringLiteral("Le modèle %1 est introuvable !").arg(path);
        break;
    case Outcome::TemplateTooShort:
        text = QStringLiteral("Le modèle %1 est incomplet !").arg(path);
        break;
    case Outcome::TemplateTooLarge:
        text = QStringLiteral(u"Le modèle %1 est trop volumineux (plus de 64\u00A0Mo, ou une "
                              u"ligne de plus de 1\u00A0Mo) !")
                   .arg(path);
        break;
    case Outcome::SoundMissing:
        text = QStringLiteral("Le fichier son %1 est introuvable !").arg(path);
        break;
    case Outcome::WriteFailed:
        text = QStringLiteral("Impossible d'écrire le fichier %1 !").arg(path);
        break;
    default: return {};
    }
    return QStringLiteral("Le diaporama n'a pas pu être créé.\r\n") + text
        + QStringLiteral("\r\nLes fichiers du diaporama déjà présents sont conservés.");
}

// A template's lines, or the failure that keeps it from being used.
struct TemplateRead
{
    QStringList lines;
    Outcome problem = Outcome::Generated;
};

TemplateRead readTemplate(const QString &path, int minLines)
{
    TextFile::Lines read = TextFile::readLinesWithin(path);
    switch (read.status) {
    case TextFile::ReadStatus::Read: break;
    case TextFile::ReadStatus::Unreadable: return {{}, Outcome::TemplateMissing};
    case TextFile::ReadStatus::TooLarge:
    case TextFile::ReadStatus::LineTooLong: return {{}, Outcome::TemplateTooLarge};
    }
    if (read.lines.size() < minLines)
        return {{}, Outcome::TemplateTooShort};
    return {std::move(read.lines), Outcome::Generated};
}

QByteArray textOf(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    return TextFile::encode(text);
}

// New contents of project files, each written to a temporary file beside its
// target; only commitAll() puts them in place, so an abandoned set leaves
// every target untouched.
class PendingFiles
{
public:
    // False, with failedPath set, when the file cannot be prepared.
    bool add(const QString &path, const QByteArray &content)
    {
        auto file = open(path);
        if (!file)
            return false;
        if (file->write(content) != content.size())
            return fail(path);
        m_files.push_back(std::move(file));
        return true;
    }

    bool addCopy(const QString &path, QFile &source)
    {
        auto file = open(path);
        if (!file)
            return false;
        constexpr qint64 chunkSize = 64 * 1024;
        while (!source.atEnd()) {
            const QByteArray chunk = source.read(chunkSize);
            if (chunk.isEmpty() || file->write(chunk) != chunk.size())
                return fail(path);
        }
        m_files.push_back(std::move(file));
        return true;
    }

    bool commitAll()
    {
        for (const auto &file : m_files) {
            if (!file->commit())
                return fail(file->fileName());
            m_committed << file->fileName();
        }
        return true;
    }

    QStringList committed() const { return m_committed; }
    QString failedPath() const { return m_failedPath; }

private:
    std::unique_ptr<QSaveFile> open(const QString &path)
    {
        auto file = std::make_unique<QSaveFile>(path);
        if (!file->open(QIODevice::WriteOnly)) {
            fail(path);
            return nullptr;
        }
        return file;
    }

    bool fail(const QString &path)
    {
        m_failedPath = path;
        return false;
    }

    std::vector<std::unique_ptr<QSaveFile>> m_files;
    QStringList m_committed;
    QString m_failedPath;
};

// Background pictures named by the page and missing from the project folder
// are copied from appDir; the project's own are never replaced. A picture
// that cannot be copied only leaves the page without its background.
QStringList copyMissingBackgrounds(const QStringList &page, const QString &appDir,
                                   const QString &folder)
{
    const QString pageText = page.join(QLatin1Char('\n'));
    QStringList copied;
    for (const QString &picture : SlideshowFiles::backgroundPictures()) {
        const QString target = folder + QLatin1Char('/') + picture;
        if (!pageText.contains(picture) || QFileInfo::exists(target))
            continue;
        if (FileOps::copy(appDir + QLatin1Char('/') + picture, target) == FileOps::Result::Done)
            copied << target;
    }
    return copied;
}

GenerationResult writeSlideshow(SlideshowProject &project, const QString &appDir)
{
    const QString pageTemplate = appDir + QLatin1Char('/') + SlideshowFiles::TemplatePage;
    const QString scriptTemplate = appDir + QLatin1Char('/') + SlideshowFiles::TemplateScript;
    const QString soundSource = appDir + QLatin1Char('/') + SlideshowFiles::Sound;

    const TemplateRead pageRead = readTemplate(pageTemplate, GeneratedPage::MinTemplateLines);
    if (pageRead.problem != Outcome::Generated)
        return failure(pageRead.problem, pageTemplate);
    const TemplateRead scriptRead = readTemplate(scriptTemplate, GeneratedScript::MinTemplateLines);
    if (scriptRead.problem != Outcome::Generated)
        return failure(scriptRead.problem, scriptTemplate);
    QFile sound(soundSource);
    if (!FileOps::openForReading(sound))
        return failure(Outcome::SoundMissing, soundSource);

    // The captions are padded on a copy: a failed generation keeps them as they were.
    SlideshowProject padded = project;
    PadCaptionBreaks(padded);
    const QStringList page = *GeneratedPage::fromTemplate(pageRead.lines, project.name);
    const QStringList script = *GeneratedScript::fromTemplate(scriptRead.lines, padded);

    PendingFiles files;
    const bool prepared = files.add(SlideshowFiles::pagePath(project), textOf(page))
        && files.add(project.basePath + QStringLiteral(".js"), textOf(script))
        && files.addCopy(project.folder + QLatin1Char('/') + SlideshowFiles::Sound, sound);
    if (!prepared || !files.commitAll())
        return failure(Outcome::WriteFailed, files.failedPath());

    project.slideLines = padded.slideLines;
    project.htmlGenerated = true;
    GenerationResult result;
    result.outcome = Outcome::Generated;
    result.writtenFiles = files.committed()
                          + copyMissingBackgrounds(page, appDir, project.folder)
                          + SlideThumbnails::update(project);
    result.missingPictures = slidesWithoutPicture(project);
    return result;
}

} // namespace

namespace SlideshowFiles {

QStringList backgroundPictures()
{
    return {QStringLiteral("imgFond.jpg"), QStringLiteral("imgFondTable.jpg")};
}

QString pagePath(const SlideshowProject &project)
{
    return project.folder + QLatin1Char('/') + project.name + QStringLiteral(".htm");
}

} // namespace SlideshowFiles

GenerationResult GenerateSlideshow(SlideshowProject &project, const QString &appDir,
                                   Platform &platform, AfterGeneration after)
{
    if (!project.loaded)
        return {};
    if (project.isDefaultProject()) {
        platform.message(QStringLiteral("Vous devez d'abord donner un nom au projet !"),
                         Platform::Buttons::Ok, Platform::Icon::Stop, kAlert);
        return failure(Outcome::RefusedUnnamed, {});
    }
    if (!project.saved) {
        platform.message(QStringLiteral("Il faut d'abord enregistrer le diaporama !"),
                         Platform::Buttons::Ok, Platform::Icon::Exclamation,
                         QStringLiteral("IMPOSSIBILITE"));
        return failure(Outcome::RefusedUnsaved, {});
    }

    const GenerationResult result = writeSlideshow(project, appDir);
    if (!result.generated()) {
        platform.message(failureText(result), Platform::Buttons::Ok, Platform::Icon::Stop, kAlert);
        return result;
    }
    if (!result.missingPictures.isEmpty())
        platform.message(missingPicturesText(result.missingPictures), Platform::Buttons::Ok,
                         Platform::Icon::Exclamation, QStringLiteral("ATTENTION"));
    if (after == AfterGeneration::OpenPage)
        platform.openWithShell(SlideshowFiles::pagePath(project));
    return result;
}

QString missingPicturesText(const QList<int> &slides)
{
    if (slides.size() == 1)
        return QStringLiteral(u"Le diaporama a été créé, mais l'image de la diapositive %1 est "
                              u"introuvable\u00A0: la page n'en montrera pas pour elle.")
            .arg(slides.first());
    // Numbers as the slide number box shows them; a long list is cut short.
    constexpr int shown = 10;
    QStringList numbers;
    for (int i = 0; i < std::min<int>(shown, slides.size()); ++i)
        numbers << QString::number(slides[i]);
    if (slides.size() > shown)
        numbers << QStringLiteral(u"…");
    return QStringLiteral(u"Le diaporama a été créé, mais les images de %1 diapositives sont "
                          u"introuvables\u00A0: la page n'en montrera pas pour elles.\r\n"
                          u"Diapositives\u00A0: %2")
        .arg(slides.size())
        .arg(numbers.join(QStringLiteral(", ")));
}
