// Times the backup and the copy of a large project (200 slides of 2 MB) side
// by side with /bin/cp of the same files on the same disk.
//   bench_storage [pairs] [folder on the disk to measure]   (default 7, temp folder)
//
// Both sides run as a fresh process launched from here, so that both start
// from the same state: cp copies the project's files, and a child of this
// program (--child) rebuilds the project in memory, as an open project holds
// it, and calls TakeBackup or CopyProjectTo. The clock starts where the wait
// starts: for cp at its launch (starting is part of what cp costs), for the
// program at the call (it is running already when the user asks for a copy;
// the child prints the call's wall-clock time). The whole child process,
// launch to exit, is given beside it. The sides run in alternating pairs
// (pairs.h) with a sync before each, so that neither pays for the other's
// dirty pages.

#include "pairs.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include <sys/resource.h>

namespace {

constexpr int kSlides = 200;
constexpr qsizetype kImageSize = 2 * 1024 * 1024;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The project as an open project holds it; write puts its files on disk.
QStringList makeProject(SlideshowProject &p, const QString &folder, bool write)
{
    p.folder = folder;
    p.name = QStringLiteral("Vacances");
    p.updateBasePath();
    p.slideCount = kSlides;
    p.loaded = true;
    QStringList files;
    if (write)
        QDir().mkpath(folder);
    QByteArray image(kImageSize, Qt::Uninitialized);
    for (int n = 0; n < kSlides; ++n) {
        p.imageTypes[n] = n % 2 ? QStringLiteral(".jpg") : QStringLiteral(".gif");
        p.slideLines[n] = QStringLiteral("Légende %1").arg(n);
        files << p.imagePath(n);
        if (!write)
            continue;
        for (qsizetype i = 0; i < image.size(); i += 4096)
            image[i] = char(n + i);
        writeFile(p.imagePath(n), image);
    }
    for (const char *extension : {".htm", ".js"}) {
        files << p.basePath + QLatin1String(extension);
        if (write)
            writeFile(p.basePath + QLatin1String(extension), QByteArray(20000, 'x'));
    }
    files << p.basePath + ".lmv";
    if (write)
        ProjectStorage(p, QString()).WriteProjectFile(p.basePath + ".lmv", p.name, p.folder);
    return files;
}

// What a child does: "backup" into the backup root target, or "copy" into
// the folder target.
int child(const QString &what, const QString &projectFolder, const QString &target)
{
    SlideshowProject p;
    makeProject(p, projectFolder, false);
    ProjectStorage storage(p, target);
    const double ms = Pairs::wallMs([&] {
        if (what == QLatin1String("backup"))
            storage.TakeBackup();
        else
            storage.CopyProjectTo(target, QStringLiteral("Copie"));
    });
    std::printf("%.3f\n", ms);
    return 0;
}

double childrenCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return (double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e6 + double(u.ru_utime.tv_usec)
            + double(u.ru_stime.tv_usec))
        / 1e3;
}

// Launches a program and waits for its end; adds its wall-clock and
// processor ms, launch to exit, to wall and cpu. Returns what it printed.
QByteArray launch(const QString &program, const QStringList &arguments, std::vector<double> &wall,
                  std::vector<double> &cpu)
{
    const double cpuBefore = childrenCpuMs();
    QProcess run;
    wall.push_back(Pairs::wallMs([&] {
        run.start(program, arguments);
        if (!run.waitForFinished(600000) || run.exitCode() != 0)
            qFatal("%s failed", qPrintable(program));
    }));
    cpu.push_back(childrenCpuMs() - cpuBefore);
    return run.readAllStandardOutput();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--child") == 0)
        return child(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                     QString::fromLocal8Bit(argv[4]));
    QCoreApplication app(argc, argv);
    const int pairs = argc > 1 ? std::max(2, atoi(argv[1])) : 7;
    const QString base = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath();
    QTemporaryDir dir(base + QStringLiteral("/bench_storage-XXXXXX"));
    if (!dir.isValid())
        qFatal("cannot make a folder in %s", qPrintable(base));

    SlideshowProject p;
    const QString projectFolder = dir.filePath(QStringLiteral("projet"));
    const QStringList files = makeProject(p, projectFolder, true);
    const QString self = QCoreApplication::applicationFilePath();
    const QString cpTarget = dir.filePath(QStringLiteral("cp"));
    const QString ourTarget = dir.filePath(QStringLiteral("nous"));
    std::printf("%d slides of %lld bytes in %s, wall-clock ms\n", kSlides,
                qlonglong(kImageSize), qPrintable(base));

    for (const auto &[name, what, fresh] :
         {std::tuple{"TakeBackup, empty backup root", "backup", true},
          std::tuple{"TakeBackup over the previous set", "backup", false},
          std::tuple{"CopyProjectTo, empty folder", "copy", true}}) {
        QDir(cpTarget).removeRecursively();
        QDir(ourTarget).removeRecursively();
        std::vector<double> ourCpu, cpCpu, ourProcess, cpProcess;
        const auto prepare = [fresh](const QString &target) {
            if (fresh)
                QDir(target).removeRecursively();
            QDir().mkpath(target);
            sync();
        };
        const Pairs::Result r = Pairs::run(
            pairs,
            [&] {
                prepare(ourTarget);
                return launch(self,
                              {QStringLiteral("--child"), QLatin1String(what), projectFolder,
                               ourTarget},
                              ourProcess, ourCpu)
                    .trimmed()
                    .toDouble();
            },
            [&] {
                prepare(cpTarget);
                launch(QStringLiteral("/bin/cp"), QStringList(files) << cpTarget, cpProcess, cpCpu);
                return cpProcess.back();
            });
        Pairs::report(name, r, "ms", 1.1);
        Pairs::report("  whole processes, launch to exit", {ourProcess, cpProcess}, "ms");
        Pairs::report("  processor time of the whole processes", {ourCpu, cpCpu}, "ms");
    }
    return 0;
}
