#include "appdirfixture.h"
#include "templatelines.h"
#include "output/slideshowgeneration.h"
#include "output/slidethumbnails.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>

// The thumbnails made with each generation for the page's strip.
class TestSlideThumbnails : public QObject
{
    Q_OBJECT
private slots:
    void firstGeneration();
    void regeneration_data();
    void regeneration();
    void generationGoesOn_data();
    void generationGoesOn();
};

namespace {

// A JPEG whose EXIF data asks for a quarter turn clockwise, as a camera held
// upright writes it: stored landscape, shown portrait.
QByteArray turnedJpeg(QSize stored)
{
    QImage image(stored, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    const QByteArray exif = QByteArray("\xFF\xE1\x00\x22" "Exif\0\0" "II*\0\x08\0\0\0" "\x01\0"
                                       "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0" "\0\0\0\0", 36);
    return jpeg.insert(2, exif);
}

QByteArray jpeg(QSize size, QColor colour = Qt::darkBlue)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

// 100 x 50, its left half transparent, its right half dark blue; Qt writes
// no GIF.
const QByteArray halfBlueGif = QByteArray(
    "\x47\x49\x46\x38\x39\x61\x64\x00\x32\x00\xF0\x00\x00\x00\x00\x8B\x00\x00\x00\x21\xF9\x04\x01\x00\x00\x01"
    "\x00\x2C\x00\x00\x00\x00\x64\x00\x32\x00\x00\x02\xAC\x8C\x8F\xA9\xCB\x9D\x00\xA3\x9C\xB4\xDA\x3B\x9D\xDE"
    "\x1C\xE1\x0F\x86\x52\x47\x96\x8F\x88\xA6\xA3\xC9\x76\xEA\x8B\xB6\xB2\x06\xD7\xDF\x8C\x2F\xF6\x5E\xE5\xFE"
    "\xC1\x0B\x46\x7E\x3F\xA1\x90\xE8\x33\x06\x91\x39\x25\x8F\x89\x73\xEE\xA0\x33\xA9\x8D\x2A\xB3\xD6\xB0\x2D"
    "\x2D\x8C\xCB\xF2\xBE\xC0\x26\xB1\x8A\x5C\x32\xA7\xD0\x24\x75\x8C\xCD\x71\x8B\xE0\x71\x39\x88\xBE\xB1\xDF"
    "\xF1\x0E\xFD\x8D\xDF\xE0\x87\x01\x18\x28\x68\x41\xC8\x60\x78\x88\xA8\xA0\xD8\xC3\x78\xE2\xB8\x02\x09\x24"
    "\x39\x49\x19\x60\x79\x49\xA9\x39\x84\x69\xD0\x09\xF1\x09\x1A\x3A\x9A\x59\x3A\x1A\x0A\x60\xAA\xCA\x8A\xFA"
    "\xD9\x9A\xFA\x8A\x19\x0B\x3B\xCB\x79\x0B\x59\x4B\x9B\xCB\xB8\x8B\xDB\xE9\x1A\x2C\x3B\x6C\x5B\xCC\x7B\x0C"
    "\xAC\x59\x00\x00\x3B", 213);

// Three slides: a landscape JPEG, a turned camera JPEG and a small GIF with
// a transparent half.
SlideshowProject threeSlides(const AppDirFixture &folder)
{
    SlideshowProject project;
    project.name = "Vacances";
    project.folder = folder.appDir();
    project.updateBasePath();
    project.slideCount = 3;
    project.imageTypes[0] = ".jpg";
    project.imageTypes[1] = ".jpg";
    project.imageTypes[2] = ".gif";
    project.loaded = true;
    project.saved = true;
    folder.write("Vacances0.jpg", jpeg({800, 600}));
    folder.write("Vacances1.jpg", turnedJpeg({640, 480}));
    folder.write("Vacances2.gif", halfBlueGif);
    return project;
}

QString thumb(int slide) { return QStringLiteral("Vacances_vignettes/Vacances%1.jpg").arg(slide); }

// Every thumbnail with its content and time of change.
QMap<QString, QPair<QByteArray, QDateTime>> thumbnails(const AppDirFixture &folder)
{
    QMap<QString, QPair<QByteArray, QDateTime>> found;
    const QDir dir(folder.path("Vacances_vignettes"));
    for (const QString &file : dir.entryList(QDir::Files))
        found.insert(file, {folder.read("Vacances_vignettes/" + file),
                            QFileInfo(dir.filePath(file)).lastModified()});
    return found;
}

} // namespace

void TestSlideThumbnails::firstGeneration()
{
    AppDirFixture folder;
    const SlideshowProject project = threeSlides(folder);

    QCOMPARE(SlideThumbnails::update(project),
             QStringList({folder.path(thumb(0)), folder.path(thumb(1)), folder.path(thumb(2))}));
    const QList<QSize> expected = {{320, 240}, {240, 320}, {100, 50}};
    for (int slide = 0; slide < 3; ++slide) {
        QImageReader reader(folder.path(thumb(slide)));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), expected[slide]);
        if (slide == 2) {
            QVERIFY2(qGray(image.pixel(10, 25)) > 245, "transparent part on white");
            QVERIFY(qBlue(image.pixel(90, 25)) > 100);
        }
    }
}

void TestSlideThumbnails::regeneration_data()
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

void TestSlideThumbnails::regeneration()
{
    QFETCH(QString, change);
    QFETCH(QStringList, rewritten);
    QFETCH(QStringList, gone);

    AppDirFixture folder;
    SlideshowProject project = threeSlides(folder);
    SlideThumbnails::update(project);
    const auto before = thumbnails(folder);

    const QString slide1 = folder.path("Vacances1.jpg");
    if (change == "replace") {
        folder.write("Vacances1.jpg", jpeg({300, 500}, Qt::red));
    } else if (change == "older") {
        QFile file(slide1);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addYears(-2),
                                 QFileDevice::FileModificationTime));
    } else if (change == "remove") {
        folder.remove("Vacances1.jpg");
    } else if (change == "garbage") {
        folder.write("Vacances1.jpg", "not a picture");
    } else if (change == "fewer") {
        project.slideCount = 2;
    }

    QStringList expectedWritten;
    for (const QString &file : rewritten)
        expectedWritten << folder.path(file);
    QCOMPARE(SlideThumbnails::update(project), expectedWritten);

    const auto after = thumbnails(folder);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QString relative = "Vacances_vignettes/" + it.key();
        if (gone.contains(relative))
            QVERIFY2(!after.contains(it.key()), qPrintable(relative));
        else if (!rewritten.contains(relative))
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(relative + " untouched"));
    }
    if (change == "replace")
        QCOMPARE(QImage(folder.path(thumb(1))).size(), QSize(192, 320));
}

void TestSlideThumbnails::generationGoesOn_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QStringList>("made");

    QTest::newRow("FileWhereTheFolderGoes") << "Vacances_vignettes" << QStringList();
    QTest::newRow("FolderWhereOneThumbnailGoes") << thumb(1) + "/x" << QStringList{thumb(0), thumb(2)};
}

void TestSlideThumbnails::generationGoesOn()
{
    QFETCH(QString, obstacle);
    QFETCH(QStringList, made);

    AppDirFixture app, folder;
    app.write("Nouveau.htm", crlf(numbered("page ", 12)));
    app.write("Nouveau.js", crlf(numbered("script ", 18)));
    app.write("sohifrm2.wav", "RIFF");
    SlideshowProject project = threeSlides(folder);
    folder.write(obstacle, "in the way");
    ScriptedPlatform platform;

    const GenerationResult result =
        GenerateSlideshow(project, app.appDir(), platform, AfterGeneration::StayHere);
    QCOMPARE(result.outcome, GenerationResult::Outcome::Generated);
    QVERIFY(platform.messages.isEmpty());
    QStringList expected = {folder.path("Vacances.htm"), folder.path("Vacances.js"),
                            folder.path("sohifrm2.wav")};
    for (const QString &file : made)
        expected << folder.path(file);
    QCOMPARE(result.writtenFiles, expected);
    QCOMPARE(folder.read(obstacle), QByteArray("in the way"));
}

QTEST_GUILESS_MAIN(TestSlideThumbnails)
#include "tst_slidethumbnails.moc"
