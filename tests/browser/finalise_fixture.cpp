// Finalises a project as the finalisation button does, answering Yes to each
// question (the offer to make the page first included), so that the browser
// tests can play what is left. Arguments: the project file, the application
// folder. Prints the titles of the questions asked.
#include "output/finalisation.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QFileInfo file(QString::fromLocal8Bit(argv[1]));
    SlideshowProject project;
    project.name = file.completeBaseName();
    project.folder = file.absolutePath();
    project.updateBasePath();
    project.loaded = true;
    project.htmlGenerated = false; // nothing was made from it yet
    if (ProjectStorage(project, QString()).ReadProjectFile() != ProjectStorage::ReadResult::Loaded)
        return 3;
    ScriptedPlatform platform;
    platform.answer(QStringLiteral("YY"));
    const auto outcome = FinaliseSlideshow(project, QString::fromLocal8Bit(argv[2]), platform);
    std::puts(qPrintable(platform.titles()));
    return outcome == FinalisationOutcome::Finalised ? 0 : 1;
}
