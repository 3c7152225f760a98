#include "output/webpicturescommand.h"

#include "platform/platform.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"
#include "widgets/picturebutton.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QProgressDialog>

using Status = WebPictures::Outcome::Status;

namespace {

const QString kTitle = QStringLiteral("OPTIMISATION");

QString question(int pictureCount)
{
    const QString photos = pictureCount == 1 ? QStringLiteral("1 photo JPEG")
                                             : QStringLiteral("%1 photos JPEG").arg(pictureCount);
    // Non-breaking spaces keep the size on one line.
    return QStringLiteral("Le diaporama compte %1.\r\nCelles qui dépassent %2\u00a0×\u00a0%3 "
                          "vont être réduites pour le Web, sur place dans le dossier du projet "
                          "(proportions gardées, qualité %4).\r\n"
                          "Pour retrouver les originaux, il suffira de ne pas enregistrer "
                          "le diaporama.\r\n"
                          "Voulez-vous réduire les photos ?")
        .arg(photos)
        .arg(WebPictures::Limit.width())
        .arg(WebPictures::Limit.height())
        .arg(WebPictures::Quality);
}

QString namesOf(const QList<WebPictures::Outcome> &outcomes, Status status)
{
    QStringList names;
    for (const auto &outcome : outcomes)
        if (outcome.status == status)
            names << QStringLiteral("  ") + QFileInfo(outcome.path).fileName();
    return names.join(QLatin1String("\r\n"));
}

} // namespace

WebPicturesCommand::WebPicturesCommand(const Controls &controls, SlideshowProject &project,
                                       const AppContext &context, QWidget *window,
                                       std::function<void()> picturesChanged)
    : m_project(project)
    , m_context(context)
    , m_window(window)
    , m_picturesChanged(std::move(picturesChanged))
{
    connect(controls.imgOptimiser, &PictureButton::released, this, &WebPicturesCommand::optimise);
}

void WebPicturesCommand::optimise()
{
    Platform &platform = m_context.platform;
    if (!m_project.loaded)
        return;
    if (m_project.isDefaultProject()) {
        platform.message(QStringLiteral("Vous devez d'abord donner un nom au projet !"),
                         Platform::Buttons::Ok, Platform::Icon::Stop, QStringLiteral("ALERTE"));
        return;
    }
    // Without its backup set the originals could not be given back.
    if (!ProjectStorage(m_project, m_context.backupRoot).hasOwnBackup()) {
        platform.message(QStringLiteral("La sauvegarde du diaporama est introuvable : sans elle, "
                                        "les photos d'origine ne pourraient pas être rendues.\r\n"
                                        "Enregistrez d'abord le diaporama."),
                         Platform::Buttons::Ok, Platform::Icon::Exclamation, kTitle);
        return;
    }
    const QStringList paths = WebPictures::jpegSlides(m_project);
    if (paths.isEmpty()) {
        platform.message(QStringLiteral("Le diaporama n'a aucune photo JPEG à réduire."),
                         Platform::Buttons::Ok, Platform::Icon::Information, kTitle);
        return;
    }
    if (platform.message(question(int(paths.size())), Platform::Buttons::YesNo,
                         Platform::Icon::Question, kTitle)
        != Platform::Answer::Yes)
        return;

    QProgressDialog progress(QStringLiteral("Réduction des photos pour le Web..."),
                             QStringLiteral("Annuler"), 0, int(paths.size()), m_window);
    progress.setObjectName(QStringLiteral("frmOptimiser"));
    progress.setWindowTitle(QStringLiteral("Optimiser les photos pour le Web"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumWidth(420);

    QFutureWatcher<WebPictures::Outcome> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcherBase::progressValueChanged, &progress,
            &QProgressDialog::setValue);
    connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    connect(&progress, &QProgressDialog::canceled, &watcher, [&] {
        progress.setLabelText(QStringLiteral("Arrêt après les photos en cours..."));
        watcher.cancel();
    });
    watcher.setFuture(WebPictures::reduceAll(paths));
    progress.show();
    if (!watcher.isFinished())
        loop.exec();
    watcher.waitForFinished();
    progress.hide();

    const bool cancelled = watcher.isCanceled();
    QList<WebPictures::Outcome> outcomes;
    // After a cancel only the pictures that were reached have a result.
    for (int i = 0; i < watcher.future().resultCount(); ++i)
        if (watcher.future().isResultReadyAt(i))
            outcomes << watcher.future().resultAt(i);
    const bool changed = std::any_of(outcomes.cbegin(), outcomes.cend(),
                                     [](const auto &o) { return o.status == Status::Reduced; });
    if (changed) {
        m_project.saved = false;
        if (m_picturesChanged)
            m_picturesChanged();
    }
    platform.message(summary(outcomes, int(paths.size()), cancelled), Platform::Buttons::Ok,
                     Platform::Icon::Information, kTitle);
}

QString WebPicturesCommand::summary(const QList<WebPictures::Outcome> &outcomes, int pictureCount,
                                    bool cancelled)
{
    int reduced = 0;
    qint64 before = 0, after = 0;
    for (const auto &outcome : outcomes) {
        before += outcome.bytesBefore;
        after += outcome.bytesAfter;
        reduced += outcome.status == Status::Reduced;
    }
    QString text = QStringLiteral("Photos réduites : %1 sur %2.\r\n").arg(reduced).arg(pictureCount)
        + QStringLiteral("Place gagnée : %1 (%2 avant, %3 après).")
              .arg(WebPictures::sizeText(before - after), WebPictures::sizeText(before),
                   WebPictures::sizeText(after));
    if (cancelled)
        text += QStringLiteral("\r\n\r\nLa réduction a été interrompue : les photos qu'elle "
                               "n'a pas atteintes sont inchangées.");
    const QString unreadable = namesOf(outcomes, Status::Unreadable);
    if (!unreadable.isEmpty())
        text += QStringLiteral("\r\n\r\nPhotos illisibles, laissées telles quelles :\r\n")
            + unreadable;
    const QString unwritten = namesOf(outcomes, Status::WriteFailed);
    if (!unwritten.isEmpty())
        text += QStringLiteral("\r\n\r\nPhotos qui n'ont pas pu être réécrites (les originales "
                               "sont gardées) :\r\n")
            + unwritten;
    return text;
}
