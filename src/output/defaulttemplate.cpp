#include "output/defaulttemplate.h"

#include "platform/platform.h"

namespace DefaultTemplate {

const QStringList &restoredFiles()
{
    static const QStringList files = {
        QStringLiteral("Nouveau.lmv"),  QStringLiteral("Nouveau.htm"),
        QStringLiteral("Nouveau.js"),   QStringLiteral("Nouveau0.gif"),
        QStringLiteral("imgFond.jpg"),  QStringLiteral("imgFondTable.jpg"),
        QStringLiteral("sohifrm2.wav"),
    };
    return files;
}

QList<FileResult> restoreFiles(const QString &appDir)
{
    const QString pristine = appDir + QStringLiteral("/Restaurer/");
    QList<FileResult> failures;
    for (const QString &file : restoredFiles()) {
        const auto outcome = FileOps::copy(pristine + file, appDir + QLatin1Char('/') + file);
        if (!FileOps::succeeded(outcome))
            failures.append({file, outcome});
    }
    return failures;
}

QString failureText(const QList<FileResult> &failures)
{
    QStringList lines{QStringLiteral("Certains fichiers n'ont pas pu être restaurés :")};
    for (const FileResult &failure : failures) {
        const QString why = failure.outcome == FileOps::Result::Missing
            ? QStringLiteral("absent du dossier Restaurer")
            : QStringLiteral("copie impossible");
        lines.append(QStringLiteral("- %1 (%2)").arg(failure.fileName, why));
    }
    lines.append(QStringLiteral("Ces fichiers ont gardé leur contenu précédent."));
    return lines.join(QStringLiteral("\r\n"));
}

RestoreResult RestoreDefaultTemplate(Platform &platform, const QString &appDir)
{
    const auto answer = platform.message(
        QStringLiteral("Vous allez restaurer le modèle par défaut.\r\n"
                       "Voulez-vous restaurer le modèle par défaut ?"),
        Platform::Buttons::YesNo, Platform::Icon::Stop, QStringLiteral("ALERTE"));
    if (answer == Platform::Answer::No)
        return {};

    RestoreResult result;
    result.failures = restoreFiles(appDir);
    if (result.failures.isEmpty()) {
        result.outcome = RestoreResult::Outcome::Restored;
        return result;
    }
    result.outcome = RestoreResult::Outcome::PartlyRestored;
    platform.message(failureText(result.failures), Platform::Buttons::Ok,
                     Platform::Icon::Exclamation, QStringLiteral("ALERTE"));
    return result;
}

} // namespace DefaultTemplate
