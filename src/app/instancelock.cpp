#include "app/instancelock.h"

#include <QDir>
#include <QFileInfo>

InstanceLock::InstanceLock(QString backupRoot)
    : m_backupRoot(std::move(backupRoot))
{
}

QString InstanceLock::lockFilePath() const
{
    return m_backupRoot + QStringLiteral("/lumivue.lock");
}

InstanceLock::Result InstanceLock::acquire()
{
    if (m_lock && m_lock->isLocked())
        return Result::Acquired;

    const QFileInfo root(m_backupRoot);
    if ((root.exists() && !root.isDir()) || !QDir().mkpath(m_backupRoot))
        return Result::FolderUnusable;

    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // A running Lumivue holds its lock for hours: age alone must never make
    // the lock stale, only a holder that is gone.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            return Result::Failed;
        // A lock file without readable holder (cut short by a crash) never
        // turns stale by itself; remove it unless some process still holds
        // it open and locked.
        qint64 pid = 0;
        QString host;
        QString app;
        if (lock->getLockInfo(&pid, &host, &app) || !lock->removeStaleLockFile()
            || !lock->tryLock(0))
            return lock->error() == QLockFile::LockFailedError ? Result::HeldElsewhere
                                                               : Result::Failed;
    }
    m_lock = std::move(lock);
    return Result::Acquired;
}
