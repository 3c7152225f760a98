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

using namespace Bmp2Jpg;
using Patches = QList<quint32>; // pairs: byte offset, 32-bit little-endian value

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

QByteArray bmp(const QImage &image, int bits, bool topDown, quint32 headerSize, quint32 compression)
{
    const int bytes = bits / 8, pitch = (image.width() * bytes + 3) & ~3;
    const quint32 offset = 14 + headerSize + (compression == 3 && headerSize == 40 ? 12 : 0);
    QByteArray file(offset + pitch * image.height(), '\0');
    const auto put = [&](int at, quint32 value) { qToLittleEndian(value, file.data() + at); };
    put(0, 'B' | 'M' << 8 | file.size() << 16);
    put(10, offset);
    put(14, headerSize);
    put(18, image.width());
    put(22, topDown ? -image.height() : image.height());
    put(26, 1 | bits << 16);
    put(30, compression);
    if (compression == 3)
        put(54, 0xFF0000), put(58, 0xFF00), put(62, 0xFF);
    for (int y = 0; y < image.height(); ++y) {
        char *row = file.data() + offset + pitch * (topDown ? y : image.height() - 1 - y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y);
            row[x * bytes] = char(qBlue(rgb)), row[x * bytes + 1] = char(qGreen(rgb));
            row[x * bytes + 2] = char(qRed(rgb));
        }
    }
    return file;
}

double psnr(const QImage &a, const QImage &b)
{
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                squares += d * d;
        }
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
    void quality_data();
    void quality();
    void cannotReadOrWrite_data();
    void cannotReadOrWrite();

private:
    std::int16_t convert(const QByteArray &bmpFile, qint16 quality = 95);
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

std::int16_t TestBmp2Jpg::convert(const QByteArray &bmpFile, qint16 quality)
{
    QFile in(dir->filePath("in.bmp"));
    if (!in.open(QIODevice::WriteOnly) || in.write(bmpFile) != bmpFile.size())
        qFatal("cannot write the bitmap");
    in.close();
    return BMP2JPGpourVBFrance(QFile::encodeName(in.fileName()).constData(),
                               QFile::encodeName(dir->filePath("out.jpg")).constData(), quality);
}

QByteArray TestBmp2Jpg::jpg() const
{
    QFile file(dir->filePath("out.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestBmp2Jpg::converts_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("topDown");
    QTest::addColumn<quint32>("headerSize");
    QTest::addColumn<quint32>("compression");
    QTest::addColumn<int>("cut");
    QTest::newRow("Bits24BottomUp") << 24 << false << 40u << 0u << 0;
    QTest::newRow("Bits24TopDown") << 24 << true << 40u << 0u << 0;
    QTest::newRow("Bits32BottomUp") << 32 << false << 40u << 0u << 0;
    QTest::newRow("Bits32TopDown") << 32 << true << 40u << 0u << 0;
    QTest::newRow("Bits24V4Header") << 24 << false << 108u << 0u << 0;
    QTest::newRow("Bits32Bitfields") << 32 << false << 40u << 3u << 0;
    QTest::newRow("Bits32BitfieldsV5TopDown") << 32 << true << 124u << 3u << 0;
    QTest::newRow("LastRowPaddingMissing") << 24 << false << 40u << 0u << 1;
}

// The JPEG replaces the old file, has the bitmap's size and is close to it.
void TestBmp2Jpg::converts()
{
    QFETCH(int, bits);
    QFETCH(bool, topDown);
    QFETCH(quint32, headerSize);
    QFETCH(quint32, compression);
    QFETCH(int, cut);
    QCOMPARE(convert(bmp(picture(), bits, topDown, headerSize, compression).chopped(cut)), Ok);
    QCOMPARE(files(), QStringList({"in.bmp", "out.jpg"}));
    const QImage decoded = QImage::fromData(jpg(), "JPEG");
    QCOMPARE(decoded.size(), picture().size());
    const double db = psnr(decoded, picture());
    QVERIFY2(db > 35, qPrintable(QString::number(db)));
}

void TestBmp2Jpg::refuses_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<quint32>("compression");
    QTest::addColumn<Patches>("patches");
    QTest::addColumn<int>("keep"); // bytes kept; negative: bytes cut from the end
    QTest::addColumn<int>("status");
    const int all = INT_MAX;
    QTest::newRow("EmptyFile") << 24 << 0u << Patches{} << 0 << int(NotBmp);
    QTest::newRow("Gif") << 24 << 0u << Patches{0, 0x38464947} << all << int(NotBmp);
    QTest::newRow("HeaderCut") << 24 << 0u << Patches{} << 30 << int(Truncated);
    QTest::newRow("V5HeaderPastEnd") << 24 << 0u << Patches{14, 124} << 100 << int(Truncated);
    QTest::newRow("PixelsCut") << 24 << 0u << Patches{} << -2 << int(Truncated);
    QTest::newRow("MasksCut") << 32 << 3u << Patches{} << 60 << int(Truncated);
    QTest::newRow("OversizedHeader") << 24 << 0u << Patches{14, 0x7FFFFFFF} << all << int(BadHeader);
    QTest::newRow("CoreHeader") << 24 << 0u << Patches{14, 12} << all << int(BadHeader);
    QTest::newRow("PixelsInsideHeader") << 24 << 0u << Patches{10, 20} << all << int(BadHeader);
    QTest::newRow("PixelsPastEnd") << 24 << 0u << Patches{10, 0xFFFFFFF0} << all << int(Truncated);
    QTest::newRow("Bits8") << 24 << 0u << Patches{28, 8} << all << int(UnsupportedDepth);
    QTest::newRow("Bits16") << 24 << 0u << Patches{28, 16} << all << int(UnsupportedDepth);
    QTest::newRow("TwoPlanes") << 24 << 0u << Patches{26, 2 | 24 << 16} << all << int(UnsupportedDepth);
    QTest::newRow("Rle8") << 24 << 0u << Patches{28, 8 | 1 << 16} << all << int(Compressed);
    QTest::newRow("Rle24") << 24 << 1u << Patches{} << all << int(Compressed);
    QTest::newRow("EmbeddedPng") << 32 << 5u << Patches{} << all << int(Compressed);
    QTest::newRow("Bitfields24") << 24 << 3u << Patches{} << all << int(Compressed);
    QTest::newRow("RgbxMasks") << 32 << 3u << Patches{54, 0xFF000000} << all << int(Compressed);
    QTest::newRow("ZeroWidth") << 24 << 0u << Patches{18, 0} << all << int(BadDimensions);
    QTest::newRow("NegativeWidth") << 24 << 0u << Patches{18, quint32(-5)} << all << int(BadDimensions);
    QTest::newRow("ZeroHeight") << 24 << 0u << Patches{22, 0} << all << int(BadDimensions);
    QTest::newRow("TallestHeight") << 24 << 0u << Patches{22, 0x7FFFFFFF} << all << int(BadDimensions);
    QTest::newRow("MostNegativeHeight") << 24 << 0u << Patches{22, 0x80000000} << all << int(BadDimensions);
    QTest::newRow("AreaTooLarge") << 32 << 0u << Patches{18, 65500, 22, 65500} << all << int(BadDimensions);
    QTest::newRow("WidestRowPastEnd") << 32 << 0u << Patches{18, 65500, 22, 1} << all << int(Truncated);
}

// Every refusal has its own status and leaves the old JPEG and nothing else.
void TestBmp2Jpg::refuses()
{
    QFETCH(int, bits);
    QFETCH(quint32, compression);
    QFETCH(Patches, patches);
    QFETCH(int, keep);
    QFETCH(int, status);
    QByteArray file = bmp(picture(), bits, false, 40, compression);
    for (qsizetype i = 0; i + 1 < patches.size(); i += 2)
        qToLittleEndian(patches[i + 1], file.data() + patches[i]);
    file.truncate(keep < 0 ? file.size() + keep : keep);
    QCOMPARE(convert(file), status);
    QCOMPARE(files(), QStringList({"in.bmp", "out.jpg"}));
    QCOMPARE(jpg(), QByteArray("old"));
}

void TestBmp2Jpg::quality_data()
{
    QTest::addColumn<qint16>("quality");
    QTest::addColumn<double>("minPsnr");
    QTest::addColumn<double>("maxPsnr");
    QTest::newRow("Worst") << qint16(1) << 15.0 << 25.0;
    QTest::newRow("Best") << qint16(100) << 45.0 << 99.0;
    QTest::newRow("ZeroMeansBest") << qint16(0) << 45.0 << 99.0;
    QTest::newRow("AboveRangeMeansBest") << qint16(101) << 45.0 << 99.0;
    QTest::newRow("NegativeMeansBest") << qint16(-32768) << 45.0 << 99.0;
}

void TestBmp2Jpg::quality()
{
    QFETCH(qint16, quality);
    QFETCH(double, minPsnr);
    QFETCH(double, maxPsnr);
    QCOMPARE(convert(bmp(picture(), 24, false, 40, 0), quality), Ok);
    const double db = psnr(QImage::fromData(jpg(), "JPEG"), picture());
    QVERIFY2(db > minPsnr && db < maxPsnr, qPrintable(QString::number(db)));
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
    const QByteArray file = bmp(picture(), 24, false, 40, 0);
    QCOMPARE(convert(file), Ok);
    const QByteArray old = jpg();
    const QByteArray to = target.isEmpty() ? QByteArray() : QFile::encodeName(QDir(dir->path()).filePath(target));
    QCOMPARE(BMP2JPGpourVBFrance(QFile::encodeName(dir->filePath(bmpName)).constData(), to.constData(), 95), status);
    QCOMPARE(files(), QStringList({"folder", "in.bmp", "out.jpg"}));
    QVERIFY(QDir(dir->filePath("folder")).isEmpty());
    QCOMPARE(jpg(), old);
}

QTEST_MAIN(TestBmp2Jpg)
#include "tst_bmp2jpg.moc"
