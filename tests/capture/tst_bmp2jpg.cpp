// Bitmaps are made here byte by byte, in every layout the converter takes and
// in the ones it must refuse; what it writes is decoded and compared.
#include "bmp2jpg/bmp2jpg.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <cstring>

using namespace Bmp2Jpg;
using Patches = QList<quint32>; // pairs: byte offset, 32-bit little-endian value

struct Layout { int bits = 24; bool topDown = false; quint32 headerSize = 40, compression = 0; };
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
    put(0, 'B' | 'M' << 8 | file.size() << 16);
    put(10, offset);
    put(14, l.headerSize);
    put(18, image.width());
    put(22, l.topDown ? -image.height() : image.height());
    put(26, 1 | l.bits << 16);
    put(30, l.compression);
    if (l.compression == 3)
        put(54, 0xFF0000), put(58, 0xFF00), put(62, 0xFF);
    // In memory, these formats are blue, green, red (and a fourth byte) on a little-endian machine.
    const QImage bgr = image.convertToFormat(l.bits == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        memcpy(file.data() + offset + pitch * (l.topDown ? y : image.height() - 1 - y), bgr.constScanLine(y),
               image.width() * bytes);
    return file;
}

double psnr(const QImage &a, const QImage &b)
{
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : {0, 8, 16})
                squares += std::pow(int(a.pixel(x, y) >> shift & 0xFF) - int(b.pixel(x, y) >> shift & 0xFF), 2);
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
    void cannotReadOrWrite_data();
    void cannotReadOrWrite();

private:
    std::int16_t convert(const QByteArray &bmpFile, qint16 quality = 95, const QString &bmpName = "in.bmp",
                         const QString &target = "out.jpg");
    QByteArray jpg() const;
    QStringList files() const { return QDir(dir->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }

    std::unique_ptr<QTemporaryDir> dir;
};

void TestBmp2Jpg::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QFile old(dir->filePath("out.jpg"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
}

// Writes the bitmap as in.bmp and converts bmpName to target, both in the folder.
std::int16_t TestBmp2Jpg::convert(const QByteArray &bmpFile, qint16 quality, const QString &bmpName,
                                  const QString &target)
{
    QFile in(dir->filePath("in.bmp"));
    if (!in.open(QIODevice::WriteOnly) || in.write(bmpFile) != bmpFile.size())
        qFatal("cannot write the bitmap");
    in.close();
    const QByteArray to = target.isEmpty() ? QByteArray() : QFile::encodeName(QDir(dir->path()).filePath(target));
    return BMP2JPGpourVBFrance(QFile::encodeName(dir->filePath(bmpName)).constData(), to.constData(), quality);
}

QByteArray TestBmp2Jpg::jpg() const
{
    QFile file(dir->filePath("out.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    row("NegativeMeansBest", {}, 0, -32768, 45);
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
    QCOMPARE(files(), QStringList({"in.bmp", "out.jpg"}));
    const QImage decoded = QImage::fromData(jpg(), "JPEG");
    QCOMPARE(decoded.size(), picture().size());
    const double db = psnr(decoded, picture());
    QVERIFY2(db > minPsnr && db < maxPsnr, qPrintable(QString::number(db)));
}

void TestBmp2Jpg::refuses_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<Patches>("patches");
    QTest::addColumn<int>("keep"); // bytes kept; negative: bytes cut from the end
    QTest::addColumn<int>("status");
    const int all = INT_MAX;
    QTest::newRow("EmptyFile") << Layout{} << Patches{} << 0 << int(NotBmp);
    QTest::newRow("Gif") << Layout{} << Patches{0, 0x38464947} << all << int(NotBmp);
    QTest::newRow("HeaderCut") << Layout{} << Patches{} << 30 << int(Truncated);
    QTest::newRow("V5HeaderPastEnd") << Layout{} << Patches{14, 124} << 100 << int(Truncated);
    QTest::newRow("PixelsCut") << Layout{} << Patches{} << -2 << int(Truncated);
    QTest::newRow("MasksCut") << Layout{32, false, 40, 3} << Patches{} << 60 << int(Truncated);
    QTest::newRow("OversizedHeader") << Layout{} << Patches{14, 0x7FFFFFFF} << all << int(BadHeader);
    QTest::newRow("CoreHeader") << Layout{} << Patches{14, 12} << all << int(BadHeader);
    QTest::newRow("PixelsInsideHeader") << Layout{} << Patches{10, 20} << all << int(BadHeader);
    QTest::newRow("PixelsPastEnd") << Layout{} << Patches{10, 0xFFFFFFF0} << all << int(Truncated);
    QTest::newRow("Bits8") << Layout{} << Patches{28, 8} << all << int(UnsupportedDepth);
    QTest::newRow("TwoPlanes") << Layout{} << Patches{26, 2 | 24 << 16} << all << int(UnsupportedDepth);
    QTest::newRow("Rle8") << Layout{} << Patches{28, 8 | 1 << 16} << all << int(Compressed);
    QTest::newRow("EmbeddedPng") << Layout{32, false, 40, 5} << Patches{} << all << int(Compressed);
    QTest::newRow("Bitfields24") << Layout{24, false, 40, 3} << Patches{} << all << int(Compressed);
    QTest::newRow("RgbxMasks") << Layout{32, false, 40, 3} << Patches{54, 0xFF000000} << all << int(Compressed);
    QTest::newRow("ZeroWidth") << Layout{} << Patches{18, 0} << all << int(BadDimensions);
    QTest::newRow("NegativeWidth") << Layout{} << Patches{18, quint32(-5)} << all << int(BadDimensions);
    QTest::newRow("ZeroHeight") << Layout{} << Patches{22, 0} << all << int(BadDimensions);
    QTest::newRow("TallestHeight") << Layout{} << Patches{22, 0x7FFFFFFF} << all << int(BadDimensions);
    QTest::newRow("MostNegativeHeight") << Layout{} << Patches{22, 0x80000000} << all << int(BadDimensions);
    QTest::newRow("AreaTooLarge") << Layout{32} << Patches{18, 65500, 22, 65500} << all << int(BadDimensions);
    QTest::newRow("WidestRowPastEnd") << Layout{32} << Patches{18, 65500, 22, 1} << all << int(Truncated);
}

// Every refusal has its own status and leaves the old JPEG and nothing else.
void TestBmp2Jpg::refuses()
{
    QFETCH(Layout, layout);
    QFETCH(Patches, patches);
    QFETCH(int, keep);
    QFETCH(int, status);
    QByteArray file = bmp(picture(), layout);
    for (qsizetype i = 0; i + 1 < patches.size(); i += 2)
        qToLittleEndian(patches[i + 1], file.data() + patches[i]);
    file.truncate(keep < 0 ? file.size() + keep : keep);
    QCOMPARE(convert(file), status);
    QCOMPARE(files(), QStringList({"in.bmp", "out.jpg"}));
    QCOMPARE(jpg(), QByteArray("old"));
}

void TestBmp2Jpg::cannotReadOrWrite_data()
{
    QTest::addColumn<QString>("bmpName");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("status");
    QTest::newRow("BmpMissing") << "none.bmp" << "out.jpg" << int(CannotReadBmp);
    QTest::newRow("BmpIsFolder") << "folder" << "out.jpg" << int(CannotReadBmp);
    QTest::newRow("NoTarget") << "in.bmp" << "" << int(BadArguments);
    QTest::newRow("TargetFolderMissing") << "in.bmp" << "missing/out.jpg" << int(CannotWriteJpg);
    QTest::newRow("TargetFolderIsFile") << "in.bmp" << "in.bmp/out.jpg" << int(CannotWriteJpg);
    QTest::newRow("TargetIsFolder") << "in.bmp" << "folder" << int(CannotWriteJpg);
    // Not even root may create files there.
    QTest::newRow("TargetFolderReadOnly") << "in.bmp" << "/proc/out.jpg" << int(CannotWriteJpg);
}

void TestBmp2Jpg::cannotReadOrWrite()
{
    QFETCH(QString, bmpName);
    QFETCH(QString, target);
    QFETCH(int, status);
    QVERIFY(QDir(dir->path()).mkdir("folder"));
    QCOMPARE(convert(bmp(picture(), {}), 95, bmpName, target), status);
    QCOMPARE(files(), QStringList({"folder", "in.bmp", "out.jpg"}));
    QCOMPARE(jpg(), QByteArray("old"));
}

QTEST_MAIN(TestBmp2Jpg)
#include "tst_bmp2jpg.moc"
