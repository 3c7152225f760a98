#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTest>

#include <cstdlib>

// The background textures delivered in appdata/Textures are repeated over the
// whole page, so each must tile: where one copy meets the next, the last
// column must follow on from the first (and the last row from the first) as
// smoothly as any two neighbouring columns inside the picture do.
namespace {

QDir texturesFolder()
{
    return QDir(qEnvironmentVariable("LUMIVUE_APPDATA") + QStringLiteral("/Textures"));
}

struct EdgeMeasure
{
    double seam = 0;     // mean grey difference between the last and the first line
    double typical = 0;  // the same between neighbouring lines inside the picture
};

// Along columns (or rows, with the picture turned). JPEG codes 8 x 8 blocks on
// their own, so neighbours across a block boundary differ more than inside a
// block; the tile's own edges are block boundaries, so they are compared with
// the boundaries inside.
EdgeMeasure measure(const QImage &grey, bool columns)
{
    const int length = columns ? grey.width() : grey.height();
    const int across = columns ? grey.height() : grey.width();
    const auto at = [&](int line, int i) {
        return columns ? grey.constScanLine(i)[line] : grey.constScanLine(line)[i];
    };
    const auto difference = [&](int a, int b) {
        double sum = 0;
        for (int i = 0; i < across; ++i)
            sum += std::abs(int(at(a, i)) - int(at(b, i)));
        return sum / across;
    };
    const int step = (length % 8 == 0 && length >= 32) ? 8 : 1;
    EdgeMeasure m;
    m.seam = difference(length - 1, 0);
    int pairs = 0;
    for (int line = step; line < length; line += step, ++pairs)
        m.typical += difference(line - 1, line);
    m.typical /= pairs;
    return m;
}

} // namespace

class TestTextureFiles : public QObject
{
    Q_OBJECT
private slots:
    void enoughTextures()
    {
        const QStringList textures = texturesFolder().entryList({QStringLiteral("*.jpg")}, QDir::Files);
        QVERIFY2(textures.size() >= 12, qPrintable(textures.join(QLatin1Char(' '))));
    }

    void tilesWithoutSeam_data()
    {
        QTest::addColumn<QImage>("texture");
        QTest::addColumn<bool>("tiles");

        const QDir folder = texturesFolder();
        for (const QString &name : folder.entryList({QStringLiteral("*.jpg")}, QDir::Files)) {
            const QImage texture(folder.filePath(name));
            QVERIFY2(!texture.isNull(), qPrintable(name));
            QTest::newRow(qPrintable(name)) << texture << true;
        }

        // A picture that does not tile, to show that the measure finds a seam.
        QImage gradient(256, 256, QImage::Format_RGB32);
        QPainter painter(&gradient);
        QLinearGradient ramp(0, 0, 256, 256);
        ramp.setColorAt(0, QColor(0x2b, 0x58, 0x76));
        ramp.setColorAt(1, QColor(0xe8, 0xd5, 0xb0));
        painter.fillRect(gradient.rect(), ramp);
        painter.end();
        QTest::newRow("DiagonalGradientDoesNotTile") << gradient << false;
    }

    void tilesWithoutSeam()
    {
        QFETCH(QImage, texture);
        QFETCH(bool, tiles);

        const QImage grey = texture.convertToFormat(QImage::Format_Grayscale8);
        for (const bool columns : {true, false}) {
            const EdgeMeasure m = measure(grey, columns);
            // One and a half times the usual step, and one grey level for
            // near-flat pictures, leave room for the JPEG coding of each edge.
            const bool seamless = m.seam <= 1.5 * m.typical + 1.0;
            QVERIFY2(seamless == tiles,
                     qPrintable(QString::asprintf("%s: seam %.2f, inside %.2f",
                                                  columns ? "columns" : "rows", m.seam, m.typical)));
        }
    }
};

QTEST_GUILESS_MAIN(TestTextureFiles)
#include "tst_texturefiles.moc"
