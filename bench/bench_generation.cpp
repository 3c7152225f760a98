// Times the generation of a 200-slide slideshow (page, script and sound from
// the shipped templates) side by side with a plain copy of the same three
// template files into the same folder, which is the floor any generation
// that writes these files safely has to pay, in alternating pairs (pairs.h).
//   bench_generation [application folder]   (default: the built one)

#include "output/slideshowgeneration.h"
#include "pairs.h"
#include "platform/platform.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kSlides = 200;
constexpr int kRounds = 51;

// Messages would mean a failed generation: the figures would be meaningless.
class FailingPlatform : public Platform
{
public:
    Answer message(const QString &text, Buttons, Icon, const QString &) override
    {
        qFatal("generation failed: %s", qPrintable(text));
    }
    std::optional<QString> inputBox(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    bool openWithShell(const QString &) override { return true; }
    QImage grabScreen(const QRect &) override { return {}; }
};

SlideshowProject makeProject(const QString &folder)
{
    SlideshowProject p;
    p.folder = folder;
    p.name = QStringLiteral("Vacances");
    p.updateBasePath();
    p.header = QStringLiteral("Nos vacances en Bretagne");
    p.slideCount = kSlides;
    for (int i = 0; i < kSlides; ++i) {
        // A formatted caption of a few lines, as the editor writes them.
        p.slideLines[i] = QStringLiteral(
                              "<font face=\"Arial\" size=\"3\" color=\"#1F3F7F\"><b>Diapo %1"
                              "</b></font><br>Le port de \"Saint-Malo\" | la plage<br>"
                              "<i>été</i> %1")
                              .arg(i);
        p.imageTypes[i] = i % 3 ? QStringLiteral(".jpg") : QStringLiteral(".gif");
    }
    p.loaded = true;
    p.saved = true;
    return p;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString appDir = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral(LUMIVUE_BENCH_APPDATA);
    QTemporaryDir folder;
    if (!folder.isValid())
        qFatal("no temporary folder");

    FailingPlatform platform;
    const SlideshowProject pristine = makeProject(folder.path());
    const auto generation = [&] {
        SlideshowProject project = pristine; // fresh captions: padding runs every round
        GenerateSlideshow(project, appDir, platform, AfterGeneration::StayHere);
    };
    const QStringList copied = {QString::fromLatin1(SlideshowFiles::TemplatePage),
                                QString::fromLatin1(SlideshowFiles::TemplateScript),
                                QString::fromLatin1(SlideshowFiles::Sound)};
    const auto atomicCopy = [&] {
        for (const QString &file : copied)
            FileOps::copy(appDir + QLatin1Char('/') + file,
                          folder.path() + QStringLiteral("/copy_") + file);
    };
    const auto plainCopy = [&] {
        for (const QString &file : copied) {
            const QString target = folder.path() + QStringLiteral("/plain_") + file;
            QFile::remove(target);
            QFile::copy(appDir + QLatin1Char('/') + file, target);
        }
    };

    std::printf("%d slides, templates of %s\n", kSlides, qPrintable(appDir));
    Pairs::report("GenerateSlideshow / copy of its 3 files",
                  Pairs::run(
                      kRounds, [&] { return Pairs::wallMs(generation); },
                      [&] { return Pairs::wallMs(atomicCopy); }),
                  "ms");
    Pairs::report("copy through temporary files / QFile::copy",
                  Pairs::run(
                      kRounds, [&] { return Pairs::wallMs(atomicCopy); },
                      [&] { return Pairs::wallMs(plainCopy); }),
                  "ms");
    return 0;
}
