// Finalises the project file argv[1] with the application folder argv[2] as
// the finalisation button does, answering Yes to each question (the offer to
// make the page first included), and prints the titles of the questions.
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
    const QFileInfo file(app.arguments().value(1));
    SlideshowProject project;
    project.name = file.completeBaseName();
    project.folder = file.absolutePath();
    project.updateBasePath();
    project.loaded = true;
    project.htmlGenerated = false; // nothing was made from it yet
    ProjectStorage(project, QString()).ReadProjectFile();
    ScriptedPlatform platform;
    platform.answer(QStringLiteral("YY"));
    const auto outcome = FinaliseSlideshow(project, app.arguments().value(2), platform);
    std::puts(qPrintable(platform.titles()));
    return outcome == FinalisationOutcome::Finalised ? 0 : 1;
}
