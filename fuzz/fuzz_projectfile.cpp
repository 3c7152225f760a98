// Reads arbitrary bytes as a project file, as opening a project does, then
// makes the slideshow script of what was read and writes the project again.
// Any input must go through without a fault; a project that reads must read
// back the same from the file written for it.
#include "output/captionbreaks.h"
#include "output/generatedscript.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"

#include "fileinput.h"

namespace {

SlideshowProject projectIn(const QString &name)
{
    SlideshowProject project;
    project.folder = FileInput::folder().path();
    project.name = name;
    project.updateBasePath();
    return project;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FileInput::folder(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FileInput::write(FileInput::folder().filePath("Lu.lmv"), data, size);

    SlideshowProject read = projectIn("Lu");
    if (ProjectStorage(read, QString()).ReadProjectFile() != ProjectStorage::ReadResult::Loaded)
        return 0;

    SlideshowProject padded = read;
    PadCaptionBreaks(padded);
    QStringList script;
    for (int line = 1; line <= GeneratedScript::MinTemplateLines; ++line)
        script << QString::number(line);
    if (!GeneratedScript::fromTemplate(script, padded))
        FileInput::fail("no script from a full template");

    const QTemporaryDir &folder = FileInput::folder();
    if (ProjectStorage(read, QString()).WriteProjectFile(folder.filePath("Ecrit.lmv"), "Ecrit",
                                                         folder.path())
        != ProjectStorage::WriteResult::Written)
        FileInput::fail("the project could not be written");
    SlideshowProject again = projectIn("Ecrit");
    if (ProjectStorage(again, QString()).ReadProjectFile() != ProjectStorage::ReadResult::Loaded)
        FileInput::fail("the written project does not read");
    if (again.slideCount != read.slideCount || again.header != read.header)
        FileInput::fail("count or header changed on the way back");
    for (int n = 0; n < read.slideCount; ++n) {
        if (again.slideLines[n] != read.slideLines[n])
            FileInput::fail("a caption changed on the way back");
    }
    return 0;
}
