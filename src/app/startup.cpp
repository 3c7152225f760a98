#include "app/startup.h"

#include "app/appdirfill.h"
#include "platform/appinfo.h"
#include "project/backuprecovery.h"
#include "platform/platform.h"

#include <QDir>

Startup::Startup(Platform &platform, AppFolders folders, QStringList pristineCandidates)
    : m_platform(platform)
    , m_folders(std::move(folders))
    , m_pristineCandidates(std::move(pristineCandidates))
    , m_lock(m_folders.backupRoot)
{
}

bool Startup::prepare(const QString &projectFile)
{
    const QString root = QDir::toNativeSeparators(m_folders.backupRoot);
    switch (m_lock.acquire()) {
    case InstanceLock::Result::Acquired:
        // Without the channel a later start only says that Lumivue is open.
        m_channel = std::make_unique<InstanceChannel>(m_folders.backupRoot);
        m_channel->listen();
        recoverBackup();
        return fillAppDir();
    case InstanceLock::Result::HeldElsewhere:
        m_handedOver = !projectFile.isEmpty()
            && InstanceChannel::handOver(m_folders.backupRoot, projectFile);
        if (m_handedOver)
            return false;
        m_platform.message(QStringLiteral("Lumivue est déjà ouvert."), Platform::Buttons::Ok,
                           Platform::Icon::Exclamation, AppInfo::name());
        return false;
    case InstanceLock::Result::FolderUnusable:
        m_platform.message(
            QStringLiteral("Lumivue ne peut pas créer son dossier de sauvegarde :\n%1").arg(root),
            Platform::Buttons::Ok, Platform::Icon::Stop, AppInfo::name());
        return false;
    case InstanceLock::Result::Failed: break;
    }
    m_platform.message(
        QStringLiteral("Lumivue ne peut pas écrire dans son dossier de sauvegarde :\n%1").arg(root),
        Platform::Buttons::Ok, Platform::Icon::Stop, AppInfo::name());
    return false;
}

bool Startup::fillAppDir()
{
    const std::optional<QString> pristine = AppFolders::findPristine(m_pristineCandidates);
    if (!pristine) {
        m_platform.message(AppDirFill::pristineMissingMessage(m_pristineCandidates),
                           Platform::Buttons::Ok, Platform::Icon::Stop, AppInfo::name());
        return false;
    }
    const AppDirFill fill = AppDirFill::run(*pristine, m_folders.appDir);
    switch (fill.outcome) {
    case AppDirFill::Outcome::Complete: return true;
    case AppDirFill::Outcome::Incomplete:
        // Lumivue still runs; only the features behind the missing files lack them.
        m_platform.message(fill.userMessage(), Platform::Buttons::Ok, Platform::Icon::Exclamation,
                           AppInfo::name());
        return true;
    case AppDirFill::Outcome::PristineMissing:
    case AppDirFill::Outcome::AppDirUnusable: break;
    }
    m_platform.message(fill.userMessage(), Platform::Buttons::Ok, Platform::Icon::Stop,
                       AppInfo::name());
    return false;
}

void Startup::recoverBackup()
{
    // Only now, with the lock held, is the set surely no running Lumivue's.
    const QString text = BackupRecovery::message(BackupRecovery::run(m_folders.backupRoot));
    if (!text.isEmpty())
        m_platform.message(text, Platform::Buttons::Ok, Platform::Icon::Exclamation,
                           AppInfo::name());
}
