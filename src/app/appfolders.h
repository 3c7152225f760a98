#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

// The two folders Lumivue keeps per user: its application folder (default
// project, templates, textures, help pages) and the backup root (backup set of
// the open project, single-instance lock). Both follow the XDG base
// directories; nothing here reads the environment behind the caller's back.
struct AppFolders
{
    QString appDir;     // $XDG_DATA_HOME/lumivue, default ~/.local/share/lumivue
    QString backupRoot; // $XDG_STATE_HOME/lumivue, default ~/.local/state/lumivue

    // A variable that is unset, empty or relative is ignored in favour of the
    // default under homeDir, as the XDG rules ask.
    static AppFolders fromEnvironment(const QProcessEnvironment &env, const QString &homeDir);

    // Where the pristine application folder may be, best first: the
    // LUMIVUE_APPDATA override, the copy next to the built executable, the
    // installed copy under <prefix>/share/lumivue/appdata.
    static QStringList pristineCandidates(const QProcessEnvironment &env,
                                          const QString &executableDir);

    // The first candidate that is a folder.
    static std::optional<QString> findPristine(const QStringList &candidates);
};
