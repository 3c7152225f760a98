#pragma once

#include "app/appfolders.h"
#include "app/instancechannel.h"
#include "app/instancelock.h"

#include <memory>

class Platform;

// What runs before the main window opens: make sure this is the only Lumivue
// of the user, put back a project that a run cut short left changed, then
// fill the application folder from its pristine copy.
// Whatever stops the start is told to the user once, through the platform.
class Startup
{
public:
    Startup(Platform &platform, AppFolders folders, QStringList pristineCandidates);

    // True when the main window may open. The lock stays held as long as
    // this object lives. A second Lumivue is turned away before it touches
    // any file; given a project file, it hands the file to the running one
    // (see handedOver()) instead of saying that Lumivue is already open.
    bool prepare(const QString &projectFile = {});

    // The running Lumivue took the project file: this start ends quietly.
    bool handedOver() const { return m_handedOver; }
    // Once prepared: where later starts hand over their project files.
    InstanceChannel *channel() const { return m_channel.get(); }

    const AppFolders &folders() const { return m_folders; }

private:
    bool fillAppDir();
    // Puts back the project a previous run left with unsaved changes.
    void recoverBackup();

    Platform &m_platform;
    AppFolders m_folders;
    QStringList m_pristineCandidates;
    InstanceLock m_lock;
    bool m_handedOver = false;
    std::unique_ptr<InstanceChannel> m_channel;
};
