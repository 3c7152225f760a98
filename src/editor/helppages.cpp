#include "editor/helppages.h"

#include "app/platform.h"

void OpenHelpPage(Platform &platform, const QString &appDir, const QString &relativePath)
{
    platform.openWithShell(appDir + relativePath);
}
