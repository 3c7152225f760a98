#include "output/templatereplacement.h"

#include "project/fileops.h"
#include "project/replacementjournal.h"

#include <QFile>
#include <QStringList>

namespace TemplateReplacement {

namespace {

// Writes a copy of source where target's new file goes, with source's permissions.
FileOps::Result writeNew(const QString &source, const QString &target)
{
    const QString newFile = ReplacementJournal::besideTarget(target);
    const FileOps::Result result = FileOps::copyDirect(source, newFile);
    if (result == FileOps::Result::Done)
        QFile::setPermissions(newFile, QFile::permissions(source));
    return result;
}

// Writes the new frame pictures and adds those written to targets.
Result::Frame writeFramePictures(const QString &appDir, const QString &framePicture,
                                 QStringList &targets)
{
    if (framePicture.isEmpty())
        return Result::Frame::NotChosen;
    const QString destinations[] = {
        appDir + QStringLiteral("/imgFondTable.jpg"),
        appDir + QStringLiteral("/Modeles/imgFondTable.jpg"),
    };
    Result::Frame frame = Result::Frame::Replaced;
    QStringList written;
    for (const QString &destination : destinations) {
        // The chosen picture may itself be one of the two destinations: that one stays.
        if (FileOps::isSameFile(framePicture, destination))
            continue;
        switch (writeNew(framePicture, destination)) {
        case FileOps::Result::Done: written << destination; break;
        case FileOps::Result::AlreadyInPlace: break;
        case FileOps::Result::Missing:
            for (const QString &target : std::as_const(written))
                FileOps::remove(ReplacementJournal::besideTarget(target));
            return Result::Frame::SourceMissing;
        default: frame = Result::Frame::WriteFailed; break;
        }
    }
    targets << written;
    return frame;
}

} // namespace

Result replaceTemplate(const QString &appDir, const QString &templateName,
                       const QString &framePicture, const QString &backupRoot)
{
    // The page and its frame pictures change together: every new file is
    // written aside first, and the journal lets the next start finish the
    // change or undo it if this run is cut short.
    const bool framed = templateName == QLatin1String(FramedTemplate);
    const QString page = appDir + QStringLiteral("/Nouveau.htm");
    QStringList planned{page};
    if (framed && !framePicture.isEmpty())
        planned << appDir + QStringLiteral("/imgFondTable.jpg")
                << appDir + QStringLiteral("/Modeles/imgFondTable.jpg");
    ReplacementJournal journal(backupRoot, ReplacementJournal::Kind::Template, templateName);
    Result result;
    if (!journal.begin({}, planned)) {
        result.page = Result::Page::WriteFailed;
        return result;
    }

    // A page that is the template itself (a link to it) has nothing to change.
    const QString source = appDir + QStringLiteral("/Modeles/") + templateName;
    QStringList targets;
    if (!FileOps::isSameFile(source, page)) {
        switch (writeNew(source, page)) {
        case FileOps::Result::Done: targets << page; break;
        case FileOps::Result::Missing: result.page = Result::Page::SourceMissing; break;
        default: result.page = Result::Page::WriteFailed; break;
        }
    }
    if (result.page != Result::Page::Replaced) {
        journal.abandon();
        return result;
    }
    if (framed)
        result.frame = writeFramePictures(appDir, framePicture, targets);
    const QStringList failed = journal.commit(targets) ? journal.finish() : targets;
    if (failed.contains(page)) {
        journal.abandon();
        return Result{Result::Page::WriteFailed, Result::Frame::NotNeeded};
    }
    if (!failed.isEmpty()) {
        journal.abandon();
        result.frame = Result::Frame::WriteFailed;
    }
    return result;
}

QString failureText(const Result &result, const QString &templateName, const QString &framePicture)
{
    const QString crlf = QStringLiteral("\r\n");
    switch (result.page) {
    case Result::Page::Replaced: break;
    case Result::Page::SourceMissing:
        return QStringLiteral("Le fichier-modèle %1 est introuvable dans le dossier Modeles.")
                   .arg(templateName)
            + crlf + QStringLiteral("Le modèle actuel est conservé.");
    case Result::Page::WriteFailed:
        return QStringLiteral("Le fichier-modèle %1 n'a pas pu être copié.").arg(templateName)
            + crlf + QStringLiteral("Le modèle actuel est conservé.");
    }
    const QString kept = QStringLiteral("L'image de fond de cadre actuelle est conservée.");
    switch (result.frame) {
    case Result::Frame::NotNeeded:
    case Result::Frame::Replaced: return {};
    case Result::Frame::NotChosen:
        return QStringLiteral("Le modèle %1 est installé, mais aucune image de fond de cadre "
                              "n'a été choisie.")
                   .arg(templateName)
            + crlf + kept;
    case Result::Frame::SourceMissing:
        return QStringLiteral("Le modèle %1 est installé, mais l'image %2 est introuvable.")
                   .arg(templateName, framePicture)
            + crlf + kept;
    case Result::Frame::WriteFailed:
        return QStringLiteral("Le modèle %1 est installé, mais l'image de fond de cadre "
                              "n'a pas pu être copiée partout.")
                   .arg(templateName)
            + crlf + QStringLiteral("Les images qui n'ont pas pu être remplacées sont conservées.");
    }
    return {};
}

} // namespace TemplateReplacement
