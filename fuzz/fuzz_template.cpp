// Reads arbitrary bytes as a template page or script, as generation does, and
// makes a page and a script from it. Any input must go through without a
// fault; the lines read from the file must be those of the whole file, and a
// template with enough lines must give a page and a script.
#include "output/generatedpage.h"
#include "output/generatedscript.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"

#include "fileinput.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FileInput::folder(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString file = FileInput::folder().filePath("Nouveau.js");
    const QByteArray bytes = FileInput::write(file, data, size);
    const TextFile::Lines read = TextFile::readLinesWithin(file);
    if (read.status != TextFile::ReadStatus::Read)
        FileInput::fail("a small template does not read");
    if (read.lines != TextFile::splitLines(TextFile::decode(bytes)))
        FileInput::fail("the lines read differ from the file's");

    SlideshowProject project;
    project.name = QStringLiteral("Essai");
    project.folder = FileInput::folder().path();
    project.updateBasePath();
    project.slideCount = 2;
    project.slideLines[0] = QStringLiteral("<font face='Arial'>un</font>");
    project.slideLines[1] = QStringLiteral("deux \" \\");
    const auto page = GeneratedPage::fromTemplate(read.lines, project.name);
    const auto script = GeneratedScript::fromTemplate(read.lines, project);
    if (bool(page) != (read.lines.size() >= GeneratedPage::MinTemplateLines)
        || bool(script) != (read.lines.size() >= GeneratedScript::MinTemplateLines))
        FileInput::fail("a template was refused for the wrong number of lines");
    return 0;
}
