#include "app/appfolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString baseFolder(const QProcessEnvironment &env, const QString &variable, const QString &homeDir,
                   const QString &fallback)
{
    const QString value = env.value(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(homeDir + QLatin1Char('/') + fallback);
}

} // namespace

AppFolders AppFolders::fromEnvironment(const QProcessEnvironment &env, const QString &homeDir)
{
    const QString name = QStringLiteral("/lumivue");
    return {
        baseFolder(env, QStringLiteral("XDG_DATA_HOME"), homeDir, QStringLiteral(".local/share"))
            + name,
        baseFolder(env, QStringLiteral("XDG_STATE_HOME"), homeDir, QStringLiteral(".local/state"))
            + name,
    };
}

QStringList AppFolders::pristineCandidates(const QProcessEnvironment &env,
                                           const QString &executableDir)
{
    // An override names the one folder to use: falling back to another copy
    // would hide a mistake in it.
    const QString overridden = env.value(QStringLiteral("LUMIVUE_APPDATA"));
    if (!overridden.isEmpty())
        return {QDir::cleanPath(overridden)};
    return {
        QDir::cleanPath(executableDir + QStringLiteral("/appdata")),
        QDir::cleanPath(executableDir + QStringLiteral("/../share/lumivue/appdata")),
    };
}

std::optional<QString> AppFolders::findPristine(const QStringList &candidates)
{
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return std::nullopt;
}
