// Times the reduction of camera photos for the web (scaled decoding, several
// pictures at a time) side by side with the same reduction done one picture
// at a time with a plain QImage load, smooth scale and save, in alternating
// pairs on fresh copies of the same photos.
//   bench_webpictures PHOTO.jpg [count=200] [pairs=3]
// PHOTO is a 4000 x 3000 JPEG (see tools or ImageMagick's convert); it is
// copied count times for each run.

#include "output/webpictures.h"
#include "pairs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QStringList freshCopies(const QString &photo, const QString &folder, int count)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QStringList paths;
    for (int n = 0; n < count; ++n) {
        paths << folder + QStringLiteral("/Voyage%1.jpg").arg(n);
        if (!QFile::copy(photo, paths.last()))
            qFatal("cannot copy %s", qPrintable(photo));
    }
    return paths;
}

qint64 weight(const QStringList &paths)
{
    qint64 bytes = 0;
    for (const QString &path : paths)
        bytes += QFileInfo(path).size();
    return bytes;
}

void reduceAll(const QStringList &paths) { WebPictures::reduceAll(paths).waitForFinished(); }

void plainOneByOne(const QStringList &paths)
{
    for (const QString &path : paths) {
        const QImage image(path);
        image
            .scaled(WebPictures::fittedSize(image.size()), Qt::KeepAspectRatio,
                    Qt::SmoothTransformation)
            .save(path, "JPEG", WebPictures::Quality);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_webpictures PHOTO.jpg [count] [pairs]\n");
        return 2;
    }
    const QString photo = QString::fromLocal8Bit(argv[1]);
    const int count = argc > 2 ? std::atoi(argv[2]) : 200;
    const int pairs = argc > 3 ? std::atoi(argv[3]) : 3;
    QTemporaryDir work;
    const QString folder = work.path() + QStringLiteral("/projet");

    qint64 before = 0, after = 0;
    // Each side reduces fresh copies of the photo, made untimed before it.
    QStringList paths;
    const Pairs::Result r = Pairs::run(
        pairs,
        [&] {
            const double ms = Pairs::wallMs([&] { reduceAll(paths); });
            after = weight(paths);
            return ms;
        },
        [&] { return Pairs::wallMs([&] { plainOneByOne(paths); }); },
        [&] {
            paths = freshCopies(photo, folder, count);
            before = weight(paths);
        });
    std::printf("%d photos:\n", count);
    Pairs::report("reduction / plain QImage one by one", r, "ms");
    std::printf("folder weight: %.1f MB before, %.1f MB after\n", before / 1e6, after / 1e6);
    return 0;
}
