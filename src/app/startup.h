#pragma once

#include "app/appfolders.h"
#include "app/instancelock.h"

class Platform;

// What runs before the main window opens: make sure this is the only Lumivue
// of the user, then fill the application folder from its pristine copy.
// Whatever stops the start is told to the user once, through the platform.
class Startup
{
public:
    Startup(Platform &platform, AppFolders folders, QStringList pristineCandidates);

    // True when the main window may open. The lock stays held as long as
    // this object lives. A second Lumivue is turned away before it touches
    // any file.
    bool prepare();

    const AppFolders &folders() const { return m_folders; }

private:
    bool fillAppDir();

    Platform &m_platform;
    AppFolders m_folders;
    QStringList m_pristineCandidates;
    InstanceLock m_lock;
};
