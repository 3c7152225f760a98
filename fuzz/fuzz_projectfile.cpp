// Reads arbitrary bytes as a project file, as opening a project does, then
// makes the slideshow script of what was read and writes the project again.
// Any input must go through without a fault; a project that reads must read
// back the same from the file written for it.
#include "output/captionbreaks.h"
#include "output/generatedscript.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir *folder = nullptr;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

SlideshowProject projectIn(const QString &name)
{
    SlideshowProject project;
    project.folder = folder->path();
    project.name = name;
    project.updateBasePath();
    return project;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    folder = &dir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QFile file(folder->filePath("Lu.lmv"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        fail("the input could not be written");
    file.close();

    SlideshowProject read = projectIn("Lu");
    if (ProjectStorage(read, QString()).ReadProjectFile() != ProjectStorage::ReadResult::Loaded)
        return 0;

    SlideshowProject padded = read;
    PadCaptionBreaks(padded);
    QStringList script;
    for (int line = 1; line <= GeneratedScript::MinTemplateLines; ++line)
        script << QString::number(line);
    if (!GeneratedScript::fromTemplate(script, padded))
        fail("no script from a full template");

    if (ProjectStorage(read, QString()).WriteProjectFile(folder->filePath("Ecrit.lmv"), "Ecrit",
                                                         folder->path())
        != ProjectStorage::WriteResult::Written)
        fail("the project could not be written");
    SlideshowProject again = projectIn("Ecrit");
    if (ProjectStorage(again, QString()).ReadProjectFile() != ProjectStorage::ReadResult::Loaded)
        fail("the written project does not read");
    if (again.slideCount != read.slideCount || again.header != read.header)
        fail("count or header changed on the way back");
    for (int n = 0; n < read.slideCount; ++n) {
        if (again.slideLines[n] != read.slideLines[n])
            fail("a caption changed on the way back");
    }
    return 0;
}
