#include "output/templatereplacement.h"

#include <QStringList>

namespace TemplateReplacement {

namespace {

Result::Frame replaceFramePicture(const QString &appDir, const QString &framePicture)
{
    if (framePicture.isEmpty())
        return Result::Frame::NotChosen;
    // The chosen picture may itself be one of the two destinations; copyOver
    // leaves that one alone instead of deleting it before the copy.
    const QString destinations[] = {
        appDir + QStringLiteral("/imgFondTable.jpg"),
        appDir + QStringLiteral("/Modeles/imgFondTable.jpg"),
    };
    Result::Frame frame = Result::Frame::Replaced;
    for (const QString &destination : destinations) {
        switch (FileReplace::copyOver(framePicture, destination)) {
        case FileReplace::Outcome::Replaced:
        case FileReplace::Outcome::AlreadyInPlace:
            break;
        case FileReplace::Outcome::SourceMissing:
            return Result::Frame::SourceMissing;
        case FileReplace::Outcome::WriteFailed:
            frame = Result::Frame::WriteFailed;
            break;
        }
    }
    return frame;
}

} // namespace

Result replaceTemplate(const QString &appDir, const QString &templateName,
                       const QString &framePicture)
{
    Result result;
    switch (FileReplace::copyOver(appDir + QStringLiteral("/Modeles/") + templateName,
                                  appDir + QStringLiteral("/Nouveau.htm"))) {
    case FileReplace::Outcome::Replaced:
    case FileReplace::Outcome::AlreadyInPlace:
        break;
    case FileReplace::Outcome::SourceMissing:
        result.page = Result::Page::SourceMissing;
        return result;
    case FileReplace::Outcome::WriteFailed:
        result.page = Result::Page::WriteFailed;
        return result;
    }
    if (templateName == QLatin1String(FramedTemplate))
        result.frame = replaceFramePicture(appDir, framePicture);
    return result;
}

QString failureText(const Result &result, const QString &templateName,
                    const QString &framePicture)
{
    const QString crlf = QStringLiteral("\r\n");
    switch (result.page) {
    case Result::Page::Replaced:
        break;
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
    case Result::Frame::Replaced:
        return {};
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
