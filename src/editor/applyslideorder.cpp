#include "editor/applyslideorder.h"

#include "platform/platform.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("IMPOSSIBILITE");
const QString kUnchanged = QStringLiteral("L'ordre des diapositives n'a pas été modifié.");

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

// Any entry of that name: a file, a folder, a broken link.
bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool isPermutation(std::vector<int> order, int count)
{
    if (int(order.size()) != count)
        return false;
    std::sort(order.begin(), order.end());
    for (int i = 0; i < count; ++i)
        if (order[std::size_t(i)] != i)
            return false;
    return true;
}

struct Move
{
    QString source;
    QString temporary;
    QString target;
};

// Renames a batch of files one after the other; on a refusal puts back those
// already renamed, newest first, and keeps the names it could not put back.
struct Renamer
{
    const RenameStep &rename;
    QString failedSource;
    QString failedTarget;
    QStringList stranded;

    bool run(const std::vector<std::pair<QString, QString>> &steps)
    {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (rename(steps[i].first, steps[i].second))
                continue;
            failedSource = steps[i].first;
            failedTarget = steps[i].second;
            undo(steps, i);
            return false;
        }
        return true;
    }
    void undo(const std::vector<std::pair<QString, QString>> &steps, std::size_t done)
    {
        // A file whose earlier step could not be undone is not where this
        // step left it, and is already counted.
        while (done-- > 0)
            if (taken(steps[done].second) && !rename(steps[done].second, steps[done].first))
                stranded << steps[done].second;
    }
};

QString failureText(const Renamer &renamer)
{
    QString text = QStringLiteral("Le fichier %1 n'a pas pu être renommé en %2.")
                       .arg(shown(renamer.failedSource), shown(renamer.failedTarget));
    if (renamer.stranded.isEmpty())
        return text + QStringLiteral("\r\n\r\nToutes les images ont été remises en place. ")
            + kUnchanged;
    QStringList names;
    for (const QString &path : renamer.stranded)
        names << shown(path);
    return text
        + QStringLiteral("\r\n\r\nCes fichiers n'ont pas pu reprendre leur nom et doivent être "
                         "renommés à la main :\r\n")
        + names.join(QStringLiteral("\r\n"));
}

} // namespace

bool ApplySlideOrder(SlideshowProject &project, const std::vector<int> &order, Platform &platform,
                     const RenameStep &rename)
{
    const int count = project.boundedSlideCount();
    if (!isPermutation(order, count))
        return false;
    const RenameStep step = rename ? rename : RenameStep(&FileOps::renameNew);
    const auto refuse = [&](const QString &text) {
        platform.message(text + QStringLiteral("\r\n\r\n") + kUnchanged, Platform::Buttons::Ok,
                         Platform::Icon::Exclamation, kTitle);
        return false;
    };

    // A slide that keeps its position keeps its file as it is.
    std::vector<Move> moves;
    for (int p = 0; p < count; ++p) {
        const int k = order[std::size_t(p)];
        if (k == p)
            continue;
        const QString &type = project.imageTypes[std::size_t(k)];
        moves.push_back({project.imagePath(k),
                         project.basePath + QStringLiteral("_temp_") + QString::number(p) + type,
                         SlideshowProject::imagePathOf(project.basePath, p, type)});
    }

    // Everything is checked before the first rename, so that the usual
    // failures change nothing at all.
    QStringList leaving;
    for (const Move &move : moves) {
        if (!FileOps::exists(move.source))
            return refuse(QStringLiteral("L'image %1 est introuvable.").arg(shown(move.source)));
        leaving << move.source;
    }
    for (const Move &move : moves) {
        if (taken(move.temporary) || (taken(move.target) && !leaving.contains(move.target)))
            return refuse(QStringLiteral("Le fichier %1 occupe un nom dont le classement des "
                                         "images a besoin.")
                              .arg(shown(taken(move.temporary) ? move.temporary : move.target)));
    }

    // Through temporary names, as a picture's new name may still be another's.
    std::vector<std::pair<QString, QString>> toTemporary, toTarget;
    for (const Move &move : moves) {
        toTemporary.emplace_back(move.source, move.temporary);
        toTarget.emplace_back(move.temporary, move.target);
    }
    Renamer renamer{step, {}, {}, {}};
    if (!renamer.run(toTemporary)) {
        platform.message(failureText(renamer), Platform::Buttons::Ok, Platform::Icon::Exclamation,
                         kTitle);
        return false;
    }
    if (!renamer.run(toTarget)) {
        renamer.undo(toTemporary, toTemporary.size());
        platform.message(failureText(renamer), Platform::Buttons::Ok, Platform::Icon::Exclamation,
                         kTitle);
        return false;
    }

    const auto lines = project.slideLines;
    const auto types = project.imageTypes;
    for (int p = 0; p < count; ++p) {
        const auto k = std::size_t(order[std::size_t(p)]);
        project.slideLines[std::size_t(p)] = lines[k];
        project.imageTypes[std::size_t(p)] = types[k];
    }
    project.saved = false;
    project.htmlGenerated = false;
    return true;
}
