#include "support/tempfolder.h"
#include "output/slidethumbnails.h"
#include "project/slideshowproject.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTest>

// The thumbnails each generation makes for the page's strip.
namespace {

// A picture of one colour; with halfClear, its left half transparent.
QByteArray encoded(QSize size, const char *format, QColor colour = Qt::blue, bool halfClear = false)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(halfClear ? QColor(Qt::transparent) : colour);
    QPainter(&image).fillRect(QRect(QPoint(size.width() / 2, 0), size), colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Slide 0: landscape JPEG; slide 1: a camera held upright (stored landscape,
// EXIF asks for a quarter turn); slide 2: a small picture whose left half is
// transparent (PNG bytes, found by content: Qt writes no GIF).
SlideshowProject threeSlides(const TempFolder &folder)
{
    SlideshowProject project;
    project.name = "Vacances";
    project.folder = folder.path();
    project.updateBasePath();
    project.slideCount = 3;
    project.imageTypes[0] = project.imageTypes[1] = ".jpg";
    project.imageTypes[2] = ".gif";
    project.loaded = project.saved = true;
    folder.write("Vacances0.jpg", encoded({800, 600}, "JPEG"));
    const QByteArray turn("\xFF\xE1\x00\x22" "Exif\0\0" "II*\0\x08\0\0\0" "\x01\0"
                          "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0" "\0\0\0\0", 36);
    folder.write("Vacances1.jpg", encoded({640, 480}, "JPEG").insert(2, turn));
    folder.write("Vacances2.gif", encoded({100, 50}, "PNG", Qt::blue, true));
    return project;
}

QString thumb(int slide) { return QStringLiteral("Vacances_vignettes/Vacances%1.jpg").arg(slide); }

} // namespace

class TestSlideThumbnails : public QObject
{
    Q_OBJECT
private slots:
    void firstGeneration()
    {
        TempFolder folder;
        QCOMPARE(SlideThumbnails::update(threeSlides(folder)),
                 QStringList({folder.path(thumb(0)), folder.path(thumb(1)), folder.path(thumb(2))}));
        const QList<QSize> upright = {{320, 240}, {240, 320}, {100, 50}};
        for (int slide = 0; slide < 3; ++slide) {
            QImageReader reader(folder.path(thumb(slide)));
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            QCOMPARE(reader.read().size(), upright[slide]);
        }
        const QImage flattened(folder.path(thumb(2)));
        QVERIFY2(qGray(flattened.pixel(10, 25)) > 245, "transparent part on white");
        QVERIFY(qBlue(flattened.pixel(90, 25)) > 200);
    }

    void regeneration_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("rewritten");
        QTest::addColumn<QStringList>("gone");

        QTest::newRow("NothingChanged") << "" << QStringList() << QStringList();
        QTest::newRow("PictureReplaced") << "replace" << QStringList{thumb(1)} << QStringList();
        QTest::newRow("SamePicturePutBackOlder") << "older" << QStringList{thumb(1)} << QStringList();
        QTest::newRow("PictureMissing") << "remove" << QStringList() << QStringList{thumb(1)};
        QTest::newRow("PictureUnreadable") << "garbage" << QStringList() << QStringList{thumb(1)};
        QTest::newRow("LastSlideDeleted") << "fewer" << QStringList() << QStringList{thumb(2)};
    }

    void regeneration()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, rewritten);
        QFETCH(QStringList, gone);

        TempFolder folder;
        SlideshowProject project = threeSlides(folder);
        SlideThumbnails::update(project);
        const auto before = folder.snapshot();
        QMap<QString, QDateTime> times;
        for (const QString &file : before.keys())
            times[file] = QFileInfo(folder.path(file)).lastModified();

        QFile slide1(folder.path("Vacances1.jpg"));
        if (change == "replace")
            folder.write("Vacances1.jpg", encoded({300, 500}, "JPEG", Qt::red));
        else if (change == "older")
            QVERIFY(slide1.open(QIODevice::ReadWrite)
                    && slide1.setFileTime(QDateTime::currentDateTime().addYears(-2),
                                          QFileDevice::FileModificationTime));
        else if (change == "remove")
            folder.remove("Vacances1.jpg");
        else if (change == "garbage")
            folder.write("Vacances1.jpg", "not a picture");
        else if (change == "fewer")
            project.slideCount = 2;

        QStringList written;
        for (const QString &file : rewritten)
            written << folder.path(file);
        QCOMPARE(SlideThumbnails::update(project), written);
        for (const QString &file : before.keys()) {
            // The folder's own entry changes as thumbnails come and go.
            if (!file.startsWith("Vacances_vignettes/") || file.endsWith('/')
                || rewritten.contains(file))
                continue;
            const bool kept = QFileInfo(folder.path(file)).lastModified() == times[file]
                              && folder.read(file) == before[file];
            QVERIFY2(gone.contains(file) ? !QFile::exists(folder.path(file)) : kept, qPrintable(file));
        }
        if (change == "replace")
            QCOMPARE(QImage(folder.path(thumb(1))).size(), QSize(192, 320));
    }

    // A thumbnail that cannot be written is left out; nothing is reported, and
    // generation, which only collects the names, goes on.
    void blocked_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QStringList>("made");

        QTest::newRow("FileWhereTheFolderGoes") << "Vacances_vignettes" << QStringList();
        QTest::newRow("FolderWhereOneThumbnailGoes") << thumb(1) + "/x" << QStringList{thumb(0), thumb(2)};
    }

    void blocked()
    {
        QFETCH(QString, obstacle);
        QFETCH(QStringList, made);

        TempFolder folder;
        const SlideshowProject project = threeSlides(folder);
        folder.write(obstacle, "in the way");
        QStringList expected;
        for (const QString &file : made)
            expected << folder.path(file);
        QCOMPARE(SlideThumbnails::update(project), expected);
        QCOMPARE(folder.read(obstacle), QByteArray("in the way"));
    }
};

QTEST_GUILESS_MAIN(TestSlideThumbnails)
#include "tst_slidethumbnails.moc"
