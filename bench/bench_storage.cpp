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

namespace {

constexpr int kSlides = 200;
constexpr qsizetype kImageSize = 2 * 1024 * 1024;
constexpr int kRounds = 5;

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

// Best of kRounds, each run starting from the state `reset` leaves.
double bestSeconds(const std::function<void()> &reset, const std::function<void()> &run)
{
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        reset();
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    return *std::min_element(times.begin(), times.end());
}

void report(const char *what, double ours, double cp)
{
    std::printf("%-34s %8.3f s   cp %8.3f s   ratio %.2f\n", what, ours, cp, ours / cp);
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
    const auto empty = [](const QString &folder) { return [folder] { QDir(folder).removeRecursively(); }; };
    const auto keep = [] {};

    std::printf("%d slides of %lld bytes in %s\n", kSlides, qlonglong(kImageSize), qPrintable(base));
    report("TakeBackup, empty backup root",
           bestSeconds(empty(storage.backupSet().root()), [&] { storage.TakeBackup(); }),
           bestSeconds(empty(cpTarget), [&] { copyWithCp(files, cpTarget); }));
    report("TakeBackup over the previous set",
           bestSeconds(keep, [&] { storage.TakeBackup(); }),
           bestSeconds(keep, [&] { copyWithCp(files, cpTarget); }));
    report("CopyProjectTo, empty folder",
           bestSeconds([&] { empty(copyTarget)(); QDir().mkpath(copyTarget); },
                       [&] { storage.CopyProjectTo(copyTarget, QStringLiteral("Copie")); }),
           bestSeconds(empty(cpTarget), [&] { copyWithCp(files, cpTarget); }));
    return 0;
}
