// Reads arbitrary bytes as a template page or script, as generation does, and
// makes a page and a script from it. Any input must go through without a
// fault; the lines read from the file must be those of the whole file, and a
// template with enough lines must give a page and a script.
#include "output/generatedpage.h"
#include "output/generatedscript.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"

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
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QFile file(folder->filePath("Nouveau.js"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("the input could not be written");
    file.close();
    const TextFile::Lines read = TextFile::readLinesWithin(file.fileName());
    if (read.status != TextFile::ReadStatus::Read)
        fail("a small template does not read");
    if (read.lines != TextFile::splitLines(TextFile::decode(bytes)))
        fail("the lines read differ from the file's");

    SlideshowProject project;
    project.name = QStringLiteral("Essai");
    project.folder = folder->path();
    project.updateBasePath();
    project.slideCount = 2;
    project.slideLines[0] = QStringLiteral("<font face='Arial'>un</font>");
    project.slideLines[1] = QStringLiteral("deux \" \\");
    const auto page = GeneratedPage::fromTemplate(read.lines, project.name);
    const auto script = GeneratedScript::fromTemplate(read.lines, project);
    if (bool(page) != (read.lines.size() >= GeneratedPage::MinTemplateLines)
        || bool(script) != (read.lines.size() >= GeneratedScript::MinTemplateLines))
        fail("a template was refused for the wrong number of lines");
    return 0;
}
