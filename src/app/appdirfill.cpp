#include "app/appdirfill.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A copy must stay editable: an installed pristine tree may be read-only,
// and the default project and templates are rewritten in the application folder.
void makeOwnerWritable(const QString &path)
{
    QFile::setPermissions(path,
                          QFile::permissions(path) | QFile::ReadOwner | QFile::WriteOwner
                              | QFile::ReadUser | QFile::WriteUser);
}

void fillFolder(const QString &from, const QString &to, const QString &relative, AppDirFill &result)
{
    const QFileInfoList entries = QDir(from).entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
        QDir::Name | QDir::DirsLast);
    for (const QFileInfo &entry : entries) {
        const QString name = relative + entry.fileName();
        const QString target = to + QLatin1Char('/') + entry.fileName();
        const QFileInfo present(target);
        const bool taken = present.exists() || present.isSymLink();
        if (entry.isDir()) {
            // Something of the user's in the way of a folder is left as it is.
            if ((taken && !present.isDir()) || (!taken && !QDir().mkdir(target))) {
                result.failed.append(name + QLatin1Char('/'));
                continue;
            }
            fillFolder(entry.filePath(), target, name + QLatin1Char('/'), result);
        } else if (taken) {
            if (!present.isFile())
                result.failed.append(name);
        } else if (QFile::copy(entry.filePath(), target)) {
            makeOwnerWritable(target);
            result.added.append(name);
        } else {
            result.failed.append(name);
        }
    }
}

} // namespace

AppDirFill AppDirFill::run(const QString &pristineDir, const QString &appDir)
{
    AppDirFill result;
    result.pristineDir = pristineDir;
    result.appDir = appDir;
    if (!QFileInfo(pristineDir).isDir()) {
        result.outcome = Outcome::PristineMissing;
        return result;
    }
    const QFileInfo app(appDir);
    if ((app.exists() && !app.isDir()) || !QDir().mkpath(appDir)) {
        result.outcome = Outcome::AppDirUnusable;
        return result;
    }
    fillFolder(pristineDir, appDir, QString(), result);
    if (!result.failed.isEmpty())
        result.outcome = Outcome::Incomplete;
    return result;
}

QString AppDirFill::userMessage() const
{
    switch (outcome) {
    case Outcome::Complete: return {};
    case Outcome::PristineMissing: return pristineMissingMessage({pristineDir});
    case Outcome::AppDirUnusable:
        return QStringLiteral("Lumivue ne peut pas créer son dossier :\n%1")
            .arg(QDir::toNativeSeparators(appDir));
    case Outcome::Incomplete: break;
    }
    // A long list helps nobody: the first few name the problem.
    constexpr qsizetype shown = 8;
    QStringList lines = failed.mid(0, shown);
    if (failed.size() > shown)
        lines.append(QStringLiteral("… et %1 autres").arg(failed.size() - shown));
    return QStringLiteral("Lumivue n'a pas pu recopier ces fichiers dans son dossier\n%1 :\n%2")
        .arg(QDir::toNativeSeparators(appDir), lines.join(QLatin1Char('\n')));
}

QString AppDirFill::pristineMissingMessage(const QStringList &searched)
{
    QStringList paths;
    for (const QString &path : searched)
        paths.append(QDir::toNativeSeparators(path));
    return QStringLiteral("Les fichiers d'origine de Lumivue sont introuvables :\n%1\n"
                          "Réinstallez Lumivue.")
        .arg(paths.join(QLatin1Char('\n')));
}
