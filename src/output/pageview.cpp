#include "output/pageview.h"

#include "output/slideshowgeneration.h"
#include "platform/platform.h"
#include "project/slideshowproject.h"

void viewGeneratedPage(const SlideshowProject &project, Platform &platform)
{
    if (!project.loaded)
        return;
    if (!project.htmlGenerated)
        platform.message(QStringLiteral("Vous allez visualiser un fichier HTML créé\r\n"
                                        "avec une ancienne version du projet !"),
                         Platform::Buttons::Ok, Platform::Icon::Exclamation,
                         QStringLiteral("ATTENTION"));
    platform.openWithShell(SlideshowFiles::pagePath(project));
}
