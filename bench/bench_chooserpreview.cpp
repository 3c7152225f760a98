// Previewing a large photo in the add chooser, against a full decode of the
// same file.
//
//   bench_chooserpreview [pairs] [picture.jpg]   (default 15 pairs; without
//                                                 a file, a 24-megapixel JPEG
//                                                 is made here)
//
// The chooser side is a click on the file in the chooser's file list: the
// preview decodes the picture at the preview's size and the size and weight
// under it are read. The other side is QImageReader::read() of the whole
// picture. The two run in turns, the first side alternating; the figure is
// the median and spread of the per-pair ratios of the thread's processor
// time (pairs.h).
#include "editor/imagechooser.h"
#include "platform/consoleplatform.h"
#include "widgets/patternfilelist.h"
#include "pairs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// Gradients, discs and grain, so that the JPEG decodes like a photograph.
void makePhoto(const QString &path)
{
    QImage image(6000, 4000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, image.width(), image.height());
    sky.setColorAt(0, QColor(0x1d, 0x3b, 0x6e));
    sky.setColorAt(1, QColor(0xf0, 0xc0, 0x60));
    p.fillRect(image.rect(), sky);
    QRandomGenerator random(7);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5000; ++i) {
        p.setBrush(QColor::fromRgb(random.generate()));
        p.drawEllipse(random.bounded(6000), random.bounded(4000), 80, 60);
    }
    p.end();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] ^= random.bounded(16) * 0x010101;
    }
    image.save(path, "JPEG", 90);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int pairs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    QTemporaryDir dir;
    QString photo = argc > 2 ? QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath()
                             : dir.filePath(QStringLiteral("photo.jpg"));
    if (argc <= 2)
        makePhoto(photo);
    const QImageReader probe(photo);
    std::printf("picture: %d x %d, %.1f MB\n", probe.size().width(), probe.size().height(),
                double(QFileInfo(photo).size()) / 1e6);

    QTextStream err(stderr);
    ConsolePlatform platform(err);
    ImageChooser chooser(ImageChooser::Kind::Add, {platform, dir.path(), dir.path()});
    chooser.show();
    chooser.setFolder(QFileInfo(photo).absolutePath());
    const QString name = QFileInfo(photo).fileName();

    const auto preview = [&] {
        chooser.File1->clearSelection();
        chooser.File1->selectFile(name);
    };
    const auto full = [&] {
        QImageReader reader(photo);
        reader.setAutoTransform(true);
        if (reader.read().isNull())
            std::printf("full decode failed\n");
    };
    preview(); // warms the file cache and the handlers alike
    full();

    Pairs::report("preview / full decode, processor time",
                  Pairs::run(
                      pairs, [&] { return Pairs::threadCpuMs(preview); },
                      [&] { return Pairs::threadCpuMs(full); }),
                  "ms");
    return 0;
}
