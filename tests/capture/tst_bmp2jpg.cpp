// Bitmaps are made here byte by byte, in every layout the converter takes and
// in the ones it must refuse; what it writes is decoded and compared.
#include "bmp2jpg/bmp2jpg.h"
#include "support/tempfolder.h"

#include <QImage>
#include <QPainter>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <sys/stat.h>

using namespace Bmp2Jpg;
using Patches = QList<quint32>; // pairs: byte offset, 32-bit little-endian value

struct Layout
{
    int bits = 24;
    bool topDown = false;
    quint32 headerSize = 40, compression = 0;
};
Q_DECLARE_METATYPE(Layout)

namespace {

// Gradients, hard edges and text, so that a poor encoding shows in the PSNR.
QImage picture()
{
    QImage image(161, 97, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 160, y * 255 / 96, 128 + (x - y) / 2));
    QPainter painter(&image);
    painter.fillRect(20, 10, 40, 30, Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Capture d'écran"));
    return image;
}

QByteArray bmp(const QImage &image, Layout l)
{
    const int bytes = l.bits / 8, pitch = (image.width() * bytes + 3) & ~3;
    const quint32 offset = 14 + l.headerSize + (l.compression == 3 && l.headerSize == 40 ? 12 : 0);
    QByteArray file(offset + pitch * image.height(), '\0');
    const auto put = [&](int at, quint32 value) { qToLittleEndian(value, file.data() + at); };
    put(0, 'B' | 'M' << 8), put(2, quint32(file.size()));
    put(10, offset);
    put(14, l.headerSize);
    put(18, image.width());
    put(22, l.topDown ? -image.height() : image.height());
    put(26, 1 | l.bits << 16);
    put(30, l.compression);
    if (l.compression == 3)
        put(54, 0xFF0000), put(58, 0xFF00), put(62, 0xFF);
    // In memory, these formats are blue, green, red (and a fourth byte) on a little-endian machine.
    const QImage bgr = image.convertToFormat(l.bits == 24 ? QImage::Format_BGR888
                                                          : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        memcpy(file.data() + offset + pitch * (l.topDown ? y : image.height() - 1 - y),
               bgr.constScanLine(y), image.width() * bytes);
    return file;
}

double psnr(const QImage &a, const QImage &b)
{
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : {0, 8, 16})
                squares += std::pow(
                    int(a.pixel(x, y) >> shift & 0xFF) - int(b.pixel(x, y) >> shift & 0xFF), 2);
    return 10 * std::log10(255.0 * 255.0 * 3 * a.width() * a.height() / std::max(squares, 1.0));
}

} // namespace

class TestBmp2Jpg : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void converts_data();
    void converts();
    void refuses_data();
    void refuses();

private:
    std::int16_t convert(const QByteArray &bmpFile, qint16 quality = 95,
                         const QString &bmpName = "in.bmp", const QString &target = "out.jpg");
    std::unique_ptr<TempFolder> dir;
};

void TestBmp2Jpg::init()
{
    dir = std::make_unique<TempFolder>();
    dir->write("out.jpg", "old");
}

// Writes the bitmap as in.bmp and converts bmpName to target, both in the folder.
std::int16_t TestBmp2Jpg::convert(const QByteArray &bmpFile, qint16 quality, const QString &bmpName,
                                  const QString &target)
{
    dir->write("in.bmp", bmpFile);
    const QByteArray to = target.isEmpty() ? QByteArray()
                                           : QFile::encodeName(QDir(dir->path()).filePath(target));
    return BMP2JPGpourVBFrance(QFile::encodeName(dir->path(bmpName)).constData(), to.constData(),
                               quality);
}

void TestBmp2Jpg::converts_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<int>("cut");
    QTest::addColumn<qint16>("quality");
    QTest::addColumn<double>("minPsnr");
    QTest::addColumn<double>("maxPsnr");
    const auto row = [](const char *name, Layout layout, int cut = 0, qint16 quality = 95,
                        double minPsnr = 35, double maxPsnr = 99) {
        QTest::newRow(name) << layout << cut << quality << minPsnr << maxPsnr;
    };
    row("Bits24BottomUp", {24, false});
    row("Bits24TopDown", {24, true});
    row("Bits32BottomUp", {32, false});
    row("Bits32TopDown", {32, true});
    row("Bits24V4Header", {24, false, 108});
    row("Bits32Bitfields", {32, false, 40, 3});
    row("Bits32BitfieldsV5TopDown", {32, true, 124, 3});
    row("LastRowPaddingMissing", {}, 1);
    row("WorstQuality", {}, 0, 1, 15, 25);
    row("BestQuality", {}, 0, 100, 45);
    row("ZeroMeansBest", {}, 0, 0, 45);
    row("AboveRangeMeansBest", {}, 0, 101, 45);
}

// The JPEG replaces the old file, has the bitmap's size and is as close to it
// as the quality asks.
void TestBmp2Jpg::converts()
{
    QFETCH(Layout, layout);
    QFETCH(int, cut);
    QFETCH(qint16, quality);
    QFETCH(double, minPsnr);
    QFETCH(double, maxPsnr);
    QCOMPARE(convert(bmp(picture(), layout).chopped(cut), quality), Ok);
    QCOMPARE(dir->snapshot().keys(), QStringList({"in.bmp", "out.jpg"}));
    const QImage decoded = QImage::fromData(dir->read("out.jpg"), "JPEG");
    QCOMPARE(decoded.size(), picture().size());
    const double db = psnr(decoded, picture());
    QVERIFY2(db > minPsnr && db < maxPsnr, qPrintable(QString::number(db)));
}

void TestBmp2Jpg::refuses_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<Patches>("patches");
    QTest::addColumn<int>("keep"); // bytes kept; negative: bytes cut from the end
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QString>("bmpName");
    QTest::addColumn<QString>("target");
    const auto row = [](const char *name, Status status, Patches patches, int keep = INT_MAX,
                        Layout layout = {}, const QString &bmpName = "in.bmp",
                        const QString &target = "out.jpg") {
        QTest::newRow(name) << int(status) << patches << keep << layout << bmpName << target;
    };
    row("EmptyFile", NotBmp, {}, 0);
    row("Gif", NotBmp, {0, 0x38464947});
    row("HeaderCut", Truncated, {}, 30);
    row("V5HeaderPastEnd", Truncated, {14, 124}, 100);
    row("PixelsCut", Truncated, {}, -2);
    row("MasksCut", Truncated, {}, 60, {32, false, 40, 3});
    row("OversizedHeader", BadHeader, {14, 0x7FFFFFFF});
    row("PixelsInsideHeader", BadHeader, {10, 20});
    row("PixelsPastEnd", Truncated, {10, 0xFFFFFFF0});
    row("Bits8", UnsupportedDepth, {28, 8});
    row("TwoPlanes", UnsupportedDepth, {26, 2 | 24 << 16});
    row("Rle8", Compressed, {28, 8 | 1 << 16});
    row("Bitfields24", Compressed, {}, INT_MAX, {24, false, 40, 3});
    row("RgbxMasks", Compressed, {54, 0xFF000000}, INT_MAX, {32, false, 40, 3});
    row("ZeroWidth", BadDimensions, {18, 0});
    row("NegativeWidth", BadDimensions, {18, quint32(-5)});
    row("ZeroHeight", BadDimensions, {22, 0});
    row("TallestHeight", BadDimensions, {22, 0x7FFFFFFF});
    row("MostNegativeHeight", BadDimensions, {22, 0x80000000});
    row("AreaTooLarge", BadDimensions, {18, 65500, 22, 65500}, INT_MAX, {32});
    row("WidestRowPastEnd", Truncated, {18, 65500, 22, 1}, INT_MAX, {32});
    row("BmpMissing", CannotReadBmp, {}, INT_MAX, {}, "none.bmp");
    row("BmpIsFolder", CannotReadBmp, {}, INT_MAX, {}, "folder");
    row("BmpIsFifo", CannotReadBmp, {}, INT_MAX, {}, "fifo"); // no writer ever comes
    row("NoTarget", BadArguments, {}, INT_MAX, {}, "in.bmp", "");
    row("TargetFolderMissing", CannotWriteJpg, {}, INT_MAX, {}, "in.bmp", "missing/out.jpg");
    row("TargetFolderIsFile", CannotWriteJpg, {}, INT_MAX, {}, "in.bmp", "in.bmp/out.jpg");
    row("TargetIsFolder", CannotWriteJpg, {}, INT_MAX, {}, "in.bmp", "folder");
    row("TargetFolderReadOnlyEvenForRoot", CannotWriteJpg, {}, INT_MAX, {}, "in.bmp",
        "/proc/out.jpg");
}

// Every failure has its own status and leaves the old JPEG and nothing else.
void TestBmp2Jpg::refuses()
{
    QFETCH(int, status);
    QFETCH(Patches, patches);
    QFETCH(int, keep);
    QFETCH(Layout, layout);
    QFETCH(QString, bmpName);
    QFETCH(QString, target);
    dir->write("folder/");
    QCOMPARE(::mkfifo(QFile::encodeName(dir->path("fifo")).constData(), 0600), 0);
    QByteArray file = bmp(picture(), layout);
    for (qsizetype i = 0; i + 1 < patches.size(); i += 2)
        qToLittleEndian(patches[i + 1], file.data() + patches[i]);
    file.truncate(keep < 0 ? file.size() + keep : keep);
    QCOMPARE(convert(file, 95, bmpName, target), status);
    QCOMPARE(dir->snapshot(),
             (Files{{"folder/", "<folder>"}, {"in.bmp", file}, {"out.jpg", "old"}}));
}

QTEST_MAIN(TestBmp2Jpg)
#include "tst_bmp2jpg.moc"
