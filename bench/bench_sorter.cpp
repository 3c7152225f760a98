// The slide sorter on a large show.
//
//   bench_sorter [pairs] [folder]   (default 11 pairs, a temporary folder)
//
// reorder  ApplySlideOrder reversing 200 slides of 2 MB, against copying the
//          same 200 pictures once (the least that a reorder by copies costs).
//          The two sides run in alternating pairs (pairs.h); the figure is
//          the median and spread of the per-pair ratios of clock times.
// sorter   The sorter opened on 200 JPEGs of 12 megapixels: the time until
//          the first three thumbnails are painted, then each step of the
//          scroll bar, painted: to the middle back to back (the decodes ahead
//          cannot keep up), on to the end at a user's pace (each step once the
//          decodes ahead are done), and back to the start (all kept); beside
//          them, one full decode of such a picture.
#include "editor/applyslideorder.h"
#include "editor/frmvisionneuse.h"
#include "pairs.h"
#include "platform/appcontext.h"
#include "platform/consoleplatform.h"
#include "project/slideshowproject.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSlides = 200;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msOf(const std::function<void()> &work) { return Pairs::wallMs(work); }

void project(SlideshowProject &p, const QString &folder)
{
    p.name = QStringLiteral("Bench");
    p.folder = folder;
    p.updateBasePath();
    p.slideCount = kSlides;
    p.loaded = true;
    for (int k = 0; k < kSlides; ++k)
        p.imageTypes[k] = QStringLiteral(".jpg");
}

void reorder(int pairs, const QString &folder)
{
    SlideshowProject p;
    project(p, folder);
    QRandomGenerator random(3);
    QByteArray bytes(2 * 1024 * 1024, Qt::Uninitialized);
    for (int k = 0; k < kSlides; ++k) {
        for (char &b : bytes)
            b = char(random.generate());
        QFile out(p.imagePath(k));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(p.imagePath(k)));
    }
    std::vector<int> reversed;
    for (int k = kSlides - 1; k >= 0; --k)
        reversed.push_back(k);
    QTextStream console(stdout);
    ConsolePlatform platform(console);

    std::printf("reorder: 200 x 2 MB\n");
    Pairs::report("reversed by ApplySlideOrder / copied once",
                  Pairs::run(
                      pairs,
                      [&] {
                          return Pairs::wallMs([&] {
                              if (!ApplySlideOrder(p, reversed, platform))
                                  qFatal("reorder failed");
                          });
                      },
                      [&] {
                          const double ms = Pairs::wallMs([&] {
                              for (int k = 0; k < kSlides; ++k)
                                  QFile::copy(p.imagePath(k),
                                              folder + QStringLiteral("/copy%1.jpg").arg(k));
                          });
                          for (int k = 0; k < kSlides; ++k)
                              QFile::remove(folder + QStringLiteral("/copy%1.jpg").arg(k));
                          return ms;
                      }),
                  "ms");
}

// A photograph-like picture: gradient, shapes and grain.
QImage photo(int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 4000, 3000);
    sky.setColorAt(0, QColor::fromHsv(seed * 40 % 360, 160, 120));
    sky.setColorAt(1, QColor(0xf0, 0xc0, 0x60));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random{quint32(seed)};
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 3000; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate()));
        painter.drawEllipse(random.bounded(4000), random.bounded(3000), 40, 40);
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(25)) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return image;
}

void sorter(const QString &folder)
{
    SlideshowProject p;
    project(p, folder);
    // Eight different photographs, each under 25 slide names (hard links):
    // the sorter decodes by slide, so every slide costs a decode.
    for (int k = 0; k < 8; ++k)
        photo(k).save(p.imagePath(k), "JPEG", 90);
    for (int k = 8; k < kSlides; ++k)
        if (::link(QFile::encodeName(p.imagePath(k % 8)).constData(),
                   QFile::encodeName(p.imagePath(k)).constData())
            != 0)
            qFatal("cannot link");
    const double full = msOf([&] { QImageReader(p.imagePath(0)).read(); });

    QTextStream console(stdout);
    ConsolePlatform platform(console);
    AppContext context{platform, folder, folder};
    FrmVisionneuse window(context);
    QElapsedTimer opened;
    double first = 0;
    std::vector<double> forward, paced, back;
    QTimer::singleShot(0, &window, [&] {
        window.repaint();
        first = double(opened.nsecsElapsed()) / 1e6;
        QScrollBar *bar = window.hscVisio;
        // To the middle one step right after the other, then to the end at a
        // user's pace: each step once the decodes ahead are done.
        while (bar->value() < bar->maximum()) {
            if (bar->value() >= bar->maximum() / 2)
                window.waitForDecodes();
            (bar->value() < bar->maximum() / 2 ? forward : paced).push_back(msOf([&] {
                bar->setValue(bar->value() + 1);
                window.repaint();
            }));
        }
        while (bar->value() > 0)
            back.push_back(msOf([&] {
                bar->setValue(bar->value() - 1);
                window.repaint();
            }));
        window.reject();
    });
    opened.start();
    window.chooseOrder(p);
    std::printf("sorter: 200 JPEGs of 4000 x 3000, %lld bytes each; one full decode %.1f ms\n"
                "        first thumbnails painted after %.1f ms\n"
                "        steps back to back: median %.1f ms, slowest %.1f ms (%zu steps)\n"
                "        steps at a pace: median %.1f ms, slowest %.1f ms (%zu steps)\n"
                "        step back (kept): median %.2f ms, slowest %.2f ms\n",
                QFileInfo(p.imagePath(0)).size(), full, first, median(forward),
                *std::max_element(forward.begin(), forward.end()), forward.size(), median(paced),
                *std::max_element(paced.begin(), paced.end()), paced.size(), median(back),
                *std::max_element(back.begin(), back.end()));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int pairs = argc > 1 ? std::max(1, atoi(argv[1])) : 11;
    QTemporaryDir temporary(argc > 2 ? QString::fromLocal8Bit(argv[2]) + "/bench_sorter-XXXXXX"
                                     : QDir::tempPath() + "/bench_sorter-XXXXXX");
    QDir().mkpath(temporary.path() + "/reorder");
    QDir().mkpath(temporary.path() + "/sorter");
    reorder(pairs, temporary.path() + "/reorder");
    sorter(temporary.path() + "/sorter");
    return 0;
}
