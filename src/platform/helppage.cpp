#include "platform/helppage.h"

#include "platform/appcontext.h"
#include "platform/platform.h"

void OpenHelpPage(const AppContext &context, const QString &page)
{
    context.platform.openWithShell(context.appDir + QLatin1Char('/') + page);
}
