#include "editor/slideedits.h"

#include "platform/platform.h"
#include "project/slideshowproject.h"

#include <QFileInfo>

namespace SlideEdits {

namespace {

const QString Attention = QStringLiteral("ATTENTION");

// Files are named without their folder: the user has just picked or dropped
// them, and a long path would break the message's lines.
QString quoted(const QString &path)
{
    return QStringLiteral("« %1 »").arg(QFileInfo(path).fileName());
}

QString quotedNames(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names << QLatin1String("   ") + quoted(path);
    return names.join(QLatin1String("\r\n"));
}

} // namespace

void refuseNotAPicture(Platform &platform, const QString &source)
{
    platform.message(QStringLiteral("Le fichier %1 n'est pas une image GIF ou JPEG lisible.\r\n"
                                    "Choisissez une autre image.")
                         .arg(quoted(source)),
                     Platform::Buttons::Ok, Platform::Icon::Exclamation, Attention);
}

void report(Platform &platform, SlideFiles::Outcome outcome, const QString &source, int slide,
            bool adding)
{
    using SlideFiles::Outcome;
    if (outcome == Outcome::NotAPicture) {
        refuseNotAPicture(platform, source);
    } else if (outcome == Outcome::CopyFailed) {
        const QString after = adding
            ? QStringLiteral("La diapo %1 a été ajoutée sans image : changez son image ou "
                             "supprimez-la.")
            : QStringLiteral("La diapo %1 garde son image.");
        platform.message(QStringLiteral("L'image %1 n'a pas pu être copiée dans le dossier du "
                                        "projet.\r\n")
                                 .arg(quoted(source))
                             + after.arg(slide),
                         Platform::Buttons::Ok, Platform::Icon::Exclamation, Attention);
    }
}

bool DeleteCurrentSlide(Platform &platform, SlideshowProject &project)
{
    if (!project.loaded)
        return false;
    if (project.slideCount <= 1) {
        platform.message(QStringLiteral("Impossible de supprimer la dernière diapo !"),
                         Platform::Buttons::Ok, Platform::Icon::Stop, QStringLiteral("ALERTE"));
        return false;
    }
    if (platform.message(QStringLiteral("Voulez-vous supprimer la diapo en cours ?"),
                         Platform::Buttons::YesNo, Platform::Icon::Stop, Attention)
        != Platform::Answer::Yes)
        return false;
    const SlideFiles::Deletion deletion = SlideFiles::deleteCurrentSlide(project);
    if (!deletion.unreadable.isEmpty()) {
        platform.message(
            QStringLiteral("L'image %1 ne peut pas être lue : si la diapo était supprimée, "
                           "elle ne pourrait plus être remise en place en quittant sans "
                           "enregistrer.\r\nLa diapo n'a pas été supprimée. Rendez l'image "
                           "lisible, puis recommencez.")
                .arg(quoted(deletion.unreadable)),
            Platform::Buttons::Ok, Platform::Icon::Exclamation, Attention);
        return false;
    }
    if (deletion.pictureless >= 0) {
        const int n = deletion.pictureless;
        platform.message(
            QStringLiteral("L'image %1 n'a pas pu prendre le nom %2.\r\n"
                           "La diapo %3 est restée sans image et sans texte ; les suivantes "
                           "n'ont pas changé.\r\nChangez son image ou supprimez-la.")
                .arg(quoted(deletion.stuckFile),
                     quoted(SlideshowProject::imagePathOf(project.basePath, n,
                                                          project.imageTypes[n + 1])))
                .arg(n),
            Platform::Buttons::Ok, Platform::Icon::Exclamation, Attention);
    }
    return deletion.done;
}

int dropPictures(Platform &platform, SlideshowProject &project, const QStringList &files)
{
    if (!project.loaded || project.isDefaultProject()) {
        platform.message(
            project.loaded
                ? QStringLiteral("Le diaporama « Nouveau » n'a pas encore de nom.\r\n"
                                 "Enregistrez-le d'abord sous un nom à vous (« Enregistrer "
                                 "sous... »),\r\npuis déposez-y vos images.")
                : QStringLiteral("Aucun diaporama n'est ouvert.\r\n"
                                 "Créez un nouveau diaporama ou ouvrez-en un,\r\n"
                                 "puis déposez-y vos images."),
            Platform::Buttons::Ok, Platform::Icon::Exclamation, Attention);
        return 0;
    }
    using SlideFiles::Outcome;
    const int first = project.slideCount;
    QStringList refused;
    QStringList uncopied;
    int leftOut = 0;
    for (const QString &file : files) {
        switch (SlideFiles::appendSlide(project, file, QString())) {
        case Outcome::Done: break;
        case Outcome::CopyFailed: uncopied << file; break;
        case Outcome::NotAPicture: refused << file; break;
        case Outcome::Full: ++leftOut; break;
        }
    }
    const int added = project.slideCount - first;
    if (added > 0)
        project.currentSlide = std::int16_t(first);
    if (refused.isEmpty() && uncopied.isEmpty() && leftOut == 0)
        return added;

    QStringList text;
    text << (added == 0       ? QStringLiteral("Aucune diapo n'a été ajoutée.")
                 : added == 1 ? QStringLiteral("1 diapo a été ajoutée.")
                              : QStringLiteral("%1 diapos ont été ajoutées.").arg(added));
    if (!refused.isEmpty())
        text << (refused.size() == 1
                     ? QStringLiteral("Ce fichier, ni GIF ni JPEG, n'a pas été ajouté :")
                     : QStringLiteral("Ces fichiers, ni GIF ni JPEG, n'ont pas été ajoutés :"))
             << quotedNames(refused);
    if (!uncopied.isEmpty())
        text << QStringLiteral("Ces images n'ont pas pu être copiées dans le dossier du projet ; "
                               "leurs diapos sont sans image :")
             << quotedNames(uncopied);
    if (leftOut > 0)
        text << QStringLiteral("Le diaporama est plein (200 diapos) : %1 %2 pas été %3.")
                    .arg(leftOut)
                    .arg(leftOut == 1 ? QStringLiteral("fichier n'a")
                                      : QStringLiteral("fichiers n'ont"))
                    .arg(leftOut == 1 ? QStringLiteral("ajouté") : QStringLiteral("ajoutés"));
    platform.message(text.join(QLatin1String("\r\n")), Platform::Buttons::Ok,
                     Platform::Icon::Exclamation, Attention);
    return added;
}

} // namespace SlideEdits
