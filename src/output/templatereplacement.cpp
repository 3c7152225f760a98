#include "output/templatereplacement.h"

#include "project/fileops.h"

#include <QStringList>

namespace TemplateReplacement {

namespace {

Result::Frame replaceFramePicture(const QString &appDir, const QString &framePicture)
{
    if (framePicture.isEmpty())
        return Result::Frame::NotChosen;
    // The chosen picture may itself be one of the two destinations; the copy
    // leaves that one alone instead of deleting it first.
    const QString destinations[] = {
        appDir + QStringLiteral("/imgFondTable.jpg"),
        appDir + QStringLiteral("/Modeles/imgFondTable.jpg"),
    };
    Result::Frame frame = Result::Frame::Replaced;
    for (const QString &destination : destinations) {
        switch (FileOps::copy(framePicture, destination)) {
        case FileOps::Result::Done:
        case FileOps::Result::AlreadyInPlace: break;
        case FileOps::Result::Missing: return Result::Frame::SourceMissing;
        default: frame = Result::Frame::WriteFailed; break;
        }
    }
    return frame;
}

} // namespace

Result replaceTemplate(const QString &appDir, const QString &templateName,
                       const QString &framePicture)
{
    Result result;
    switch (FileOps::copy(appDir + QStringLiteral("/Modeles/") + templateName,
                          appDir + QStringLiteral("/Nouveau.htm"))) {
    case FileOps::Result::Done:
    case FileOps::Result::AlreadyInPlace: break;
    case FileOps::Result::Missing: result.page = Result::Page::SourceMissing; return result;
    default: result.page = Result::Page::WriteFailed; return result;
    }
    if (templateName == QLatin1String(FramedTemplate))
        result.frame = replaceFramePicture(appDir, framePicture);
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
