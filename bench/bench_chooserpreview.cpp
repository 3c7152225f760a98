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
// time, with the clock's medians beside them.
#include "editor/imagechooser.h"
#include "platform/consoleplatform.h"
#include "widgets/patternfilelist.h"

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

double threadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Timing
{
    double clock, cpu;
};

Timing timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    const double cpu = threadMs();
    clock.start();
    work();
    return {double(clock.nsecsElapsed()) / 1e6, threadMs() - cpu};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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

    std::vector<double> ratios, previewCpu, fullCpu, previewClock, fullClock;
    for (int i = 0; i < pairs; ++i) {
        Timing a{}, b{};
        if (i % 2 == 0) {
            a = timed(preview);
            b = timed(full);
        } else {
            b = timed(full);
            a = timed(preview);
        }
        ratios.push_back(a.cpu / b.cpu);
        previewCpu.push_back(a.cpu);
        fullCpu.push_back(b.cpu);
        previewClock.push_back(a.clock);
        fullClock.push_back(b.clock);
    }
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    std::printf("preview / full decode, processor time, %d pairs: median %.3f (%.3f .. %.3f)\n",
                pairs, median(ratios), *low, *high);
    std::printf("medians: preview %.1f ms cpu, %.1f ms clock; full %.1f ms cpu, %.1f ms clock\n",
                median(previewCpu), median(previewClock), median(fullCpu), median(fullClock));
    return 0;
}
