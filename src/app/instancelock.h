#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps Lumivue to one running copy per user: a lock file in the backup root,
// held for the whole run. The backup set in that folder belongs to the one
// open project, so a second copy must not start at all.
class InstanceLock
{
public:
    enum class Result {
        Acquired,       // this process holds the lock
        HeldElsewhere,  // another running Lumivue holds it
        FolderUnusable, // the backup root cannot be created, or is not a folder
        Failed,         // the lock file cannot be written (permissions, full disk)
    };

    explicit InstanceLock(QString backupRoot);

    // Takes the lock without waiting. A lock left by a copy that crashed
    // (its process is gone, or the file is unreadable and unheld) is taken over.
    Result acquire();

    QString lockFilePath() const;

private:
    QString m_backupRoot;
    std::unique_ptr<QLockFile> m_lock;
};
