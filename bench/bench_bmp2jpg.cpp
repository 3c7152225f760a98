// Whole-process time of the converter command against cjpeg on the same
// 1920 x 1080 screen-like bitmap at quality 95.
//   bench_bmp2jpg [pairs]      (default 31)
// Each pair runs both commands once, the first of the pair alternating
// (pairs.h); the ratio of the pair is converter / cjpeg, for wall-clock time
// and for processor time (user + system), which other load on the machine
// disturbs less.
#include "pairs.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

// Windows, lines of text, gradients and a grainy photograph: what a screen holds.
QImage screen()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 1080);
    sky.setColorAt(0, QColor(40, 90, 160));
    sky.setColorAt(1, QColor(230, 200, 150));
    p.fillRect(image.rect(), sky);
    QRandomGenerator random(1);
    for (int y = 540; y < 1000; ++y)
        for (int x = 980; x < 1860; ++x) {
            const int grain = random.bounded(24);
            image.setPixel(x, y, qRgb(90 + x % 97 + grain, 120 + y % 61 + grain, 60 + grain));
        }
    p.fillRect(60, 60, 860, 940, Qt::white);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    for (int line = 0; line < 44; ++line) {
        p.setPen(line % 7 == 0 ? QColor(200, 0, 0) : Qt::black);
        p.drawText(80, 90 + line * 21, QStringLiteral("Ligne %1 : le diaporama des vacances, été 2023, "
                                                     "avec ses légendes et ses couleurs").arg(line));
    }
    p.fillRect(980, 60, 880, 440, QColor(250, 250, 245));
    p.setPen(QPen(QColor(0, 120, 215), 3));
    for (int i = 0; i < 12; ++i)
        p.drawRoundedRect(1000 + i * 70, 80 + (i % 3) * 130, 60, 110, 8, 8);
    return image;
}

struct Run {
    double wall = 0; // seconds
    double cpu = 0;  // seconds of user and system time
};

Run run(const std::vector<const char *> &argv)
{
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char *const *>(argv.data()), environ) != 0)
        qFatal("cannot start %s", argv[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("%s failed", argv[0]);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return {wall.count(), usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
                              + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6};
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    QTemporaryDir dir;
    const QByteArray bmp = QFile::encodeName(dir.filePath(QStringLiteral("screen.bmp")));
    const QByteArray ours = QFile::encodeName(dir.filePath(QStringLiteral("ours.jpg")));
    const QByteArray theirs = QFile::encodeName(dir.filePath(QStringLiteral("cjpeg.jpg")));
    if (!screen().save(QString::fromLocal8Bit(bmp), "BMP"))
        qFatal("cannot write the bitmap");

    const std::vector<const char *> converter{BMP2JPG_CLI, bmp.constData(), ours.constData(), "95", nullptr};
    // cjpeg as it comes halves the colour resolution; at this quality the
    // converter keeps it whole, so the second rival does the same work.
    struct Rival {
        const char *label;
        std::vector<const char *> argv;
    };
    const std::vector<Rival> rivals{
        {"cjpeg -quality 95", {"cjpeg", "-quality", "95", "-outfile", theirs.constData(), bmp.constData(), nullptr}},
        {"cjpeg -quality 95 -sample 1x1",
         {"cjpeg", "-quality", "95", "-sample", "1x1", "-outfile", theirs.constData(), bmp.constData(), nullptr}}};
    std::printf("converter / cjpeg, 1920 x 1080 24-bit bitmap, quality 95, %d pairs\n", pairs);
    for (const auto &rival : rivals) {
        run(converter), run(rival.argv); // warm the page cache and the loader
        std::vector<double> cpuA, cpuB;
        const Pairs::Result wall = Pairs::run(
            pairs,
            [&] {
                const Run r = run(converter);
                cpuA.push_back(r.cpu * 1e3);
                return r.wall * 1e3;
            },
            [&] {
                const Run r = run(rival.argv);
                cpuB.push_back(std::max(r.cpu, 1e-6) * 1e3);
                return r.wall * 1e3;
            });
        std::printf("against %s\n", rival.label);
        Pairs::report("  wall", wall);
        Pairs::report("  processor", {cpuA, cpuB});
        std::printf("  JPEG bytes: converter %lld, cjpeg %lld\n", QFileInfo(QString::fromLocal8Bit(ours)).size(),
                    QFileInfo(QString::fromLocal8Bit(theirs)).size());
    }
    return 0;
}
