// Times the reduction of camera photos for the web (scaled decoding, several
// pictures at a time) side by side with the same reduction done one picture
// at a time with a plain QImage load, smooth scale and save, in alternating
// pairs on fresh copies of the same photos.
//   bench_webpictures PHOTO.jpg [count=200] [pairs=3]
// PHOTO is a 4000 x 3000 JPEG (see tools or ImageMagick's convert); it is
// copied count times for each run.

#include "output/webpictures.h"

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

double reduceAll(const QStringList &paths)
{
    QElapsedTimer timer;
    timer.start();
    WebPictures::reduceAll(paths).waitForFinished();
    return timer.nsecsElapsed() / 1e9;
}

double plainOneByOne(const QStringList &paths)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString &path : paths) {
        const QImage image(path);
        image
            .scaled(WebPictures::fittedSize(image.size()), Qt::KeepAspectRatio,
                    Qt::SmoothTransformation)
            .save(path, "JPEG", WebPictures::Quality);
    }
    return timer.nsecsElapsed() / 1e9;
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

    std::vector<double> ratios;
    qint64 before = 0, after = 0;
    for (int pair = 0; pair < pairs; ++pair) {
        double ours = 0, plain = 0;
        // Which side goes first alternates from pair to pair.
        for (int side = 0; side < 2; ++side) {
            const bool oursNow = (side == 0) == (pair % 2 == 0);
            const QStringList paths = freshCopies(photo, folder, count);
            before = weight(paths);
            if (oursNow) {
                ours = reduceAll(paths);
                after = weight(paths);
            } else {
                plain = plainOneByOne(paths);
            }
        }
        ratios.push_back(ours / plain);
        std::printf("pair %d: reduction %.2f s, plain QImage %.2f s, ratio %.3f\n", pair + 1, ours,
                    plain, ours / plain);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("%d photos, %d pairs: median ratio %.3f (min %.3f, max %.3f)\n", count, pairs,
                ratios[ratios.size() / 2], ratios.front(), ratios.back());
    std::printf("folder weight: %.1f MB before, %.1f MB after\n", before / 1e6, after / 1e6);
    return 0;
}
