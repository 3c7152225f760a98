// Showing a slide, against a bare decode of the same picture file.
//
//   bench_slidedisplay [pairs] [jpeg|gif]   (default 15 pairs per figure, both)
//
// Pictures: a 12-megapixel camera-like JPEG and a 1-megapixel GIF, made here.
// Figures per picture, each the median and spread of per-pair ratios of the
// window thread's processor time (the two sides run in turns, the first side
// alternating, see pairs.h), with page faults per call beside them:
//   cold  ShowCurrentSlide of a slide no picture of which is held, against
//         QImageReader::read() of its file (called from outside the
//         navigation, it shows the slide a second time from the number box);
//   jump  the same slide reached by typing its number: shown once;
//   next  the ">" button when the next picture was decoded in the background,
//         against the same bare decode;
//   fit   "next" with the picture fitted to the view and painted.
#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/slidedisplay.h"
#include "editor/slidepicture.h"
#include "platform/consoleplatform.h"
#include "pairs.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <functional>
#include <unordered_map>
#include <vector>

namespace {

// Shapes, gradients and sensor-like grain, so that the JPEG compresses and
// decodes like a photograph rather than like a flat drawing.
QImage scene(QSize size, bool grain)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(0x1d, 0x3b, 0x6e));
    sky.setColorAt(1, QColor(0xf0, 0xc0, 0x60));
    p.fillRect(image.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator random(7);
    for (int i = 0; i < size.width() * size.height() / 4000; ++i) {
        p.setBrush(QColor::fromRgb(random.generate()));
        p.setPen(Qt::NoPen);
        const int r = random.bounded(size.width() / 12) + 4;
        p.drawEllipse(random.bounded(size.width()), random.bounded(size.height()), r, r);
    }
    p.end();
    if (grain) {
        for (int y = 0; y < size.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < size.width(); ++x) {
                const int n = random.bounded(25) - 12;
                const QRgb c = line[x];
                line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                               std::clamp(qBlue(c) + n, 0, 255));
            }
        }
    }
    return image;
}

// Qt reads GIF but does not write it: a plain GIF89a writer, 3-3-2 palette,
// standard variable-width LZW.
QByteArray gif(const QImage &image)
{
    QByteArray out("GIF89a");
    const auto le16 = [&out](int v) {
        out += char(v & 0xFF);
        out += char(v >> 8);
    };
    le16(image.width());
    le16(image.height());
    out += char(0xF7);
    out += char(0);
    out += char(0);
    for (int i = 0; i < 256; ++i) {
        out += char((i >> 5) * 255 / 7);
        out += char(((i >> 2) & 7) * 255 / 7);
        out += char((i & 3) * 255 / 3);
    }
    out += char(0x2C);
    le16(0), le16(0), le16(image.width()), le16(image.height());
    out += char(0);
    out += char(8);

    QByteArray data;
    quint32 bits = 0;
    int bitCount = 0, width = 9, next = 258;
    const auto emitCode = [&](int code) {
        bits |= quint32(code) << bitCount;
        for (bitCount += width; bitCount >= 8; bitCount -= 8, bits >>= 8)
            data += char(bits & 0xFF);
        if (next >= (1 << width) && width < 12)
            ++width;
    };
    std::unordered_map<quint32, int> table;
    const auto index = [&image](int x, int y) {
        const QRgb c = image.pixel(x, y);
        return int((qRed(c) >> 5) << 5 | (qGreen(c) >> 5) << 2 | qBlue(c) >> 6);
    };
    emitCode(256);
    int prefix = index(0, 0);
    for (int k = 1; k < image.width() * image.height(); ++k) {
        const int pixel = index(k % image.width(), k / image.width());
        const quint32 key = quint32(prefix) << 8 | quint32(pixel);
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        emitCode(prefix);
        if (next == 4095) {
            emitCode(256);
            table.clear();
            next = 258;
            width = 9;
        } else {
            table.emplace(key, next++);
        }
        prefix = pixel;
    }
    emitCode(prefix);
    emitCode(257);
    if (bitCount > 0)
        data += char(bits & 0xFF);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out += char(block.size());
        out += block;
    }
    out += char(0);
    out += char(0x3B);
    return out;
}

// Minor page faults of the calling thread: fresh memory costs more than a
// small picture's decode, so they are shown beside the times.
long faults()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

// Pairs of (work, bare) in the window thread's processor time. prepare() runs
// untimed before work, and settle() after it, so that the background decodes
// work starts never overlap the bare side. Each timed side follows an untimed
// bare decode, so that both find the memory in the same state.
void compare(const char *what, int pairs, const std::function<void()> &prepare,
             const std::function<void()> &work, const std::function<void()> &bare,
             const std::function<void()> &settle, double target)
{
    long workFaults = 0, bareFaults = 0;
    const auto counted = [](long &total, const std::function<void()> &f) {
        const long before = faults();
        const double ms = Pairs::threadCpuMs(f);
        total += faults() - before;
        return ms;
    };
    const Pairs::Result r = Pairs::run(
        pairs,
        [&] {
            prepare();
            bare();
            const double ms = counted(workFaults, work);
            settle();
            return ms;
        },
        [&] {
            bare();
            return counted(bareFaults, bare);
        });
    Pairs::report(what, r, "ms", target);
    std::printf("    page faults per call: %ld vs %ld\n", workFaults / pairs, bareFaults / pairs);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int pairs = argc > 1 ? std::max(3, atoi(argv[1])) : 15;

    QTemporaryDir folder;
    QTextStream err(stderr);
    ConsolePlatform platform(err);
    const AppContext context{platform, QStringLiteral(LUMIVUE_BENCH_APPDATA), folder.path()};
    FrmPrincipal window(context);
    Features features(window, context);
    window.resize(1400, 900);
    window.show();
    SlideDisplay *display = &features.slideDisplay();

    // Ten slides of each picture: slides 0..9 the JPEG, 10..19 the GIF.
    SlideshowProject &project = window.project;
    project.name = QStringLiteral("Banc");
    project.folder = folder.path();
    project.updateBasePath();
    project.slideCount = 20;
    project.loaded = true;
    QImageWriter jpeg(folder.filePath(QStringLiteral("photo.jpg")));
    jpeg.setQuality(90);
    jpeg.write(scene(QSize(4000, 3000), true));
    QFile gifFile(folder.filePath(QStringLiteral("dessin.gif")));
    gifFile.open(QIODevice::WriteOnly);
    gifFile.write(gif(scene(QSize(1000, 1000), false)));
    gifFile.close();
    for (int n = 0; n < 20; ++n) {
        project.imageTypes[n] = n < 10 ? QStringLiteral(".jpg") : QStringLiteral(".gif");
        project.slideLines[n] =
            QStringLiteral(
                "<font face='DejaVu Sans' size='3' color='#203040'>Diapo <b>%1</b></font>")
                .arg(n);
        QFile::copy(
            folder.filePath(n < 10 ? QStringLiteral("photo.jpg") : QStringLiteral("dessin.gif")),
            project.imagePath(n));
    }
    const auto settle = [&] {
        // Background decodes finish before anything is timed; they start once
        // the window's events are seen to after a slide is shown.
        app.processEvents();
        const int n = project.currentSlide;
        const auto ready = [&](int k) {
            if (k < 0 || k >= project.slideCount)
                return true;
            const QString path = project.imagePath(k);
            return !display->pictures().holds(path) || display->pictures().isReady(path);
        };
        while (!ready(n - 1) || !ready(n + 1))
            QThread::msleep(1);
        app.processEvents();
    };

    for (const auto &[name, first] :
         {std::pair{"12-megapixel JPEG", 0}, std::pair{"1-megapixel GIF", 10}}) {
        if (argc > 2 && !QString::fromLatin1(name).contains(QLatin1String(argv[2]), Qt::CaseInsensitive))
            continue;
        const QString file = project.imagePath(first);
        const auto bare = [&file] { QImageReader(file).read(); };
        const QSize size = QImageReader(file).size();
        std::printf("%s, %d x %d, %lld bytes:\n", name, size.width(), size.height(),
                    QFileInfo(file).size());
        // Cold: jump between slides first + 2 and first + 6, never neighbours.
        int target = first + 2;
        compare("  cold ShowCurrentSlide / decode", pairs,
                  [&] {
                      target = target == first + 2 ? first + 6 : first + 2;
                      settle();
                  },
                  [&] {
                      project.currentSlide = std::int16_t(target);
                      display->ShowCurrentSlide();
                  },
                  bare, settle, 1.2);
        compare("  jump by number / decode", pairs,
                  [&] {
                      target = target == first + 2 ? first + 6 : first + 2;
                      settle();
                  },
                  [&] { window.txtNumDiapo->setText(QString::number(target)); }, bare, settle, 1.2);
        // Next: from slide first + 1 to first + 2, the latter decoded ahead.
        const auto toSecond = [&] {
            project.currentSlide = std::int16_t(first + 1);
            display->ShowCurrentSlide();
            settle();
        };
        compare("  next, decoded ahead / decode", pairs, toSecond, [&] { display->navigate(2); },
                bare, settle, 0.2);
        window.chkAjuster->setChecked(true);
        compare("  next fitted and painted / decode", pairs, toSecond,
                  [&] {
                      display->navigate(2);
                      window.imgDiapo->repaint();
                  },
                  bare, settle, 0);
        window.chkAjuster->setChecked(false);
    }
    return 0;
}
