// Long use of the real main window, run by hand (also under valgrind or a
// sanitizer build): slide changes through the navigation buttons' command,
// then open/save cycles of the same project, with the resident memory
// sampled along the run. Memory that keeps growing once every slide has
// been shown is a leak or an unbounded cache.
//   soak_longuse [changes=10000] [cycles=1000] [megapixels=0] [slides=200]
// megapixels 0 makes small 640x480 pictures; 12 makes camera-sized ones.
#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/slidedisplay.h"
#include "platform/consoleplatform.h"
#include "project/lifecyclecommands.h"
#include "project/projectlifecycle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Resident and peak resident memory of this process, in MB.
double memoryMb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Prints the memory now; returns the resident memory.
double sample(const char *phase, int step)
{
    const double rss = memoryMb("VmRSS:");
    std::printf("%-8s %6d  rss %8.1f MB  peak %8.1f MB\n", phase, step, rss, memoryMb("VmHWM:"));
    std::fflush(stdout);
    return rss;
}

// Growth of the resident memory from the first sample taken once the caches
// are full (every slide shown twice, a first cycle done) to the last one.
void growth(const char *phase, double settled, double last, int steps)
{
    std::printf("%s: %+.1f MB after the caches filled, over %d steps\n", phase, last - settled,
                steps);
}

// A picture per slide, each different, as a camera would give them.
void writePictures(const QString &base, int slides, int megapixels)
{
    const int width = megapixels > 0 ? int(std::sqrt(megapixels * 1e6 * 4 / 3)) : 640;
    QImage picture(width, width * 3 / 4, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgb(x * 255 / width, y * 255 / picture.height(), (x * y) & 255);
    }
    for (int n = 0; n < slides; ++n) {
        QPainter(&picture).fillRect(n * 8 % width, 0, 8 + n % 40, picture.height() / 2,
                                    QColor::fromHsv(n * 37 % 360, 200, 220));
        QImageWriter writer(base + QString::number(n) + QStringLiteral(".jpg"));
        writer.setQuality(90);
        writer.write(picture);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto arg = [&](int i, int fallback) { return argc > i ? std::atoi(argv[i]) : fallback; };
    const int changes = arg(1, 10000), cycles = arg(2, 1000), megapixels = arg(3, 0),
              slides = std::clamp(arg(4, 200), 2, 200);

    QTemporaryDir folder;
    QFile sink(QStringLiteral("/dev/null"));
    sink.open(QIODevice::WriteOnly);
    QTextStream quiet(&sink);
    ConsolePlatform platform(quiet);
    const AppContext context{platform, QStringLiteral(LUMIVUE_BENCH_APPDATA),
                             folder.filePath(QStringLiteral("state"))};
    const QString base = folder.filePath(QStringLiteral("Longue"));
    writePictures(base, slides, megapixels);
    QFile project(base + QStringLiteral(".lmv"));
    project.open(QIODevice::WriteOnly);
    project.write(QStringLiteral("Nom=Longue\r\nRepertoire=%1\r\nNbSprite=%2\r\nTag=Essai\r\n")
                      .arg(folder.path())
                      .arg(slides)
                      .toUtf8());
    for (int n = 0; n < slides; ++n)
        project.write(QStringLiteral("<font face=\"DejaVu Sans\" size=\"3\" color=\"#203040\">"
                                     "Diapo <b>%1</b> <i>en italique</i>|deuxième ligne</font>\r\n")
                          .arg(n)
                          .toUtf8());
    project.close();

    FrmPrincipal window(context);
    Features features(window, context);
    window.resize(1400, 900);
    window.show();
    features.openAtStart(project.fileName());
    if (window.project.slideCount != slides) {
        std::fprintf(stderr, "the project did not open\n");
        return 1;
    }
    sample("start", 0);
    QElapsedTimer clock;
    clock.start();

    SlideDisplay &display = features.slideDisplay();
    double settled = 0, last = 0;
    for (int i = 1; i <= changes; ++i) {
        // Next slide, and from the last back to the first.
        display.navigate(window.project.currentSlide + 1 < slides ? 2 : 0);
        app.processEvents();
        // Every slide shown twice: the picture and caption caches are full.
        if (i % 500 == 0 || i == changes || i == 2 * slides)
            last = sample("change", i);
        if (i == 2 * slides)
            settled = last;
    }
    growth("slide changes", settled, last, changes - 2 * slides);
    std::printf("%d slide changes: %.1f s\n", changes, clock.restart() / 1000.0);

    ProjectLifeCycle &life = features.lifeCycle().lifeCycle();
    for (int i = 1; i <= cycles; ++i) {
        window.project.header = QStringLiteral("Essai %1").arg(i);
        window.project.saved = false;
        if (!life.SaveProject() || !life.OpenProject()) {
            std::fprintf(stderr, "cycle %d failed\n", i);
            return 1;
        }
        app.processEvents();
        if (i % 50 == 0 || i == cycles || i == 1)
            last = sample("cycle", i);
        if (i == 1)
            settled = last;
    }
    growth("open/save cycles", settled, last, cycles - 1);
    std::printf("%d open/save cycles: %.1f s\n", cycles, clock.restart() / 1000.0);
    return 0;
}
