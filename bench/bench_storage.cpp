// Times the backup and the copy of a large project (200 slides of 2 MB) side
// by side with /bin/cp of the same files on the same disk.
//   bench_storage [folder on the disk to measure]   (default: the temp folder)

#include "project/projectstorage.h"
#include "project/slideshowproject.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kSlides = 200;
constexpr qsizetype kImageSize = 2 * 1024 * 1024;
constexpr int kRounds = 7;

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList makeProject(SlideshowProject &p, const QString &folder)
{
    QDir().mkpath(folder);
    p.folder = folder;
    p.name = QStringLiteral("Vacances");
    p.updateBasePath();
    p.slideCount = kSlides;
    p.loaded = true;
    QStringList files;
    QByteArray image(kImageSize, Qt::Uninitialized);
    for (int n = 0; n < kSlides; ++n) {
        for (qsizetype i = 0; i < image.size(); i += 4096)
            image[i] = char(n + i);
        p.imageTypes[n] = n % 2 ? QStringLiteral(".jpg") : QStringLiteral(".gif");
        p.slideLines[n] = QStringLiteral("Légende %1").arg(n);
        write(p.imagePath(n), image);
        files << p.imagePath(n);
    }
    for (const char *extension : {".htm", ".js"}) {
        write(p.basePath + QLatin1String(extension), QByteArray(20000, 'x'));
        files << p.basePath + QLatin1String(extension);
    }
    ProjectStorage(p, QString()).WriteProjectFile(p.basePath + ".lmv", p.name, p.folder);
    files << p.basePath + ".lmv";
    return files;
}

void copyWithCp(const QStringList &files, const QString &target)
{
    QDir().mkpath(target);
    if (QProcess::execute(QStringLiteral("/bin/cp"), QStringList(files) << target) != 0)
        qFatal("cp failed");
}

struct Times
{
    double wall = 1e9; // best wall-clock seconds
    double cpu =
        1e9; // best processor seconds (user + system), which load on the machine disturbs less
};

double cpuSeconds()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
            + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

void time(Times &times, const std::function<void()> &reset, const std::function<void()> &run)
{
    reset();
    QElapsedTimer timer;
    const double cpuBefore = cpuSeconds();
    timer.start();
    run();
    times.wall = std::min(times.wall, timer.nsecsElapsed() / 1e9);
    times.cpu = std::min(times.cpu, cpuSeconds() - cpuBefore);
}

// Ours and cp take turns, round after round, so that both see the same load.
void compare(const char *what, const std::function<void()> &reset,
             const std::function<void()> &ours, const std::function<void()> &resetCp,
             const std::function<void()> &cp)
{
    Times a, b;
    for (int round = 0; round < kRounds; ++round) {
        time(a, reset, ours);
        time(b, resetCp, cp);
    }
    std::printf(
        "%-34s wall %6.3f s, cp %6.3f s, ratio %.2f | cpu %6.3f s, cp %6.3f s, ratio %.2f\n", what,
        a.wall, b.wall, a.wall / b.wall, a.cpu, b.cpu, a.cpu / b.cpu);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(base + QStringLiteral("/bench_storage-XXXXXX"));
    if (!dir.isValid())
        qFatal("cannot make a folder in %s", qPrintable(base));

    SlideshowProject p;
    const QStringList files = makeProject(p, dir.filePath(QStringLiteral("projet")));
    ProjectStorage storage(p, dir.filePath(QStringLiteral("backup")));
    const QString cpTarget = dir.filePath(QStringLiteral("cp"));
    const QString copyTarget = dir.filePath(QStringLiteral("copie"));
    const auto empty = [](const QString &folder) {
        return [folder] { QDir(folder).removeRecursively(); };
    };
    const auto keep = [] {};

    std::printf("%d slides of %lld bytes in %s\n", kSlides, qlonglong(kImageSize),
                qPrintable(base));
    compare(
        "TakeBackup, empty backup root", empty(storage.backupSet().root()),
        [&] { storage.TakeBackup(); }, empty(cpTarget), [&] { copyWithCp(files, cpTarget); });
    compare(
        "TakeBackup over the previous set", keep, [&] { storage.TakeBackup(); }, keep,
        [&] { copyWithCp(files, cpTarget); });
    compare(
        "CopyProjectTo, empty folder",
        [&] {
            empty(copyTarget)();
            QDir().mkpath(copyTarget);
        },
        [&] { storage.CopyProjectTo(copyTarget, QStringLiteral("Copie")); }, empty(cpTarget),
        [&] { copyWithCp(files, cpTarget); });
    return 0;
}
