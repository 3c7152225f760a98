#include "output/webpictures.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"
#include "project/storagefixture.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFutureWatcher>
#include <QImageReader>
#include <QSignalSpy>
#include <QTest>

using Status = WebPictures::Outcome::Status;
Q_DECLARE_METATYPE(Status)

class TestWebPictures : public QObject
{
    Q_OBJECT
private slots:
    void reduce_data();
    void reduce();
    void cancelLeavesWholePictures();
    void decliningToSaveGivesTheOriginalsBack();
};

namespace {

// A JPEG whose left half is red and right half blue, in Display P3; with
// `turned` it carries the orientation of a camera held upright (turn a
// quarter clockwise to show).
QByteArray photo(QSize size, bool turned = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.setColorSpace(QColorSpace::DisplayP3);
    for (int y = 0; y < size.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb *>(image.scanLine(y)), size.width() / 2, qRgb(255, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    if (turned) // an Exif segment with orientation 6, right after the start marker
        bytes.insert(2, QByteArray("\xFF\xE1\x00\x22"
                                   "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0"
                                   "\0\0\0\0",
                                   36));
    return bytes;
}

QImage uprightImage(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace

void TestWebPictures::reduce_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QSize>("upright");
    QTest::addColumn<bool>("redOnTop"); // else red on the left

    QTest::newRow("4000 x 3000") << photo({4000, 3000}) << Status::Reduced << QSize(1440, 1080)
                                 << false;
    QTest::newRow("3000 x 4000 turned by the camera")
        << photo({4000, 3000}, true) << Status::Reduced << QSize(810, 1080) << true;
    QTest::newRow("wide panorama") << photo({6000, 1000}) << Status::Reduced << QSize(1920, 320)
                                   << false;
    QTest::newRow("small photo") << photo({800, 600}) << Status::Untouched << QSize(800, 600)
                                 << false;
    QTest::newRow("not a picture") << QByteArray("pas une photo") << Status::Unreadable << QSize()
                                   << false;
}

void TestWebPictures::reduce()
{
    QFETCH(QByteArray, content);
    QFETCH(Status, status);
    QFETCH(QSize, upright);
    QFETCH(bool, redOnTop);
    TempFolder folder;
    folder.write("Voyage0.jpg", content);
    const QString path = folder.path("Voyage0.jpg");

    const auto outcome = WebPictures::reduce(path);

    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.bytesBefore, content.size());
    QCOMPARE(outcome.bytesAfter, QFileInfo(path).size());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    if (status != Status::Reduced) {
        QCOMPARE(readFile(path), content);
        return;
    }
    QImageReader reader(path);
    QCOMPARE(reader.transformation(), QImageIOHandler::TransformationNone);
    const QImage image = uprightImage(path);
    QCOMPARE(image.size(), upright);
    QCOMPARE(image.colorSpace(), QColorSpace(QColorSpace::DisplayP3));
    const QPoint red = redOnTop ? QPoint(upright.width() / 2, upright.height() / 4)
                                : QPoint(upright.width() / 4, upright.height() / 2);
    QVERIFY(qRed(image.pixel(red)) > 200 && qBlue(image.pixel(red)) < 60);
}

void TestWebPictures::cancelLeavesWholePictures()
{
    TempFolder folder;
    const QByteArray original = photo({2600, 1500});
    QStringList paths;
    for (int n = 0; n < 24; ++n) {
        paths << folder.path(QStringLiteral("Voyage%1.jpg").arg(n));
        writeFile(paths.last(), original);
    }
    QFutureWatcher<WebPictures::Outcome> watcher;
    QSignalSpy done(&watcher, &QFutureWatcherBase::resultReadyAt);
    watcher.setFuture(WebPictures::reduceAll(paths));
    QVERIFY(done.wait()); // cancelled once the first picture is done
    watcher.cancel();
    watcher.waitForFinished();

    int reduced = 0;
    for (const QString &path : paths) {
        const QImage image = uprightImage(path);
        QVERIFY2(image.size() == QSize(2600, 1500)
                     || image.size() == WebPictures::fittedSize(QSize(2600, 1500)),
                 qPrintable(path));
        reduced += image.width() < 2600;
    }
    QVERIFY2(reduced > 0 && reduced < paths.size(), qPrintable(QString::number(reduced)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), paths.size());
}

void TestWebPictures::decliningToSaveGivesTheOriginalsBack()
{
    TempFolder folder, backupRoot;
    SlideshowProject project;
    makeProject(project, folder.path(), "Voyage", {".jpg", ".gif", ".jpg"});
    for (int n : {0, 2})
        writeFile(project.imagePath(n), photo({3000, 2000}));
    const Files original = snapshotOf(folder.path());
    ProjectStorage storage(project, backupRoot.path());
    QCOMPARE(storage.TakeBackup(), ProjectStorage::BackupResult::Complete);

    const QStringList jpegs = WebPictures::jpegSlides(project);
    QCOMPARE(jpegs, QStringList({project.imagePath(0), project.imagePath(2)}));
    for (const QString &path : jpegs)
        QCOMPARE(WebPictures::reduce(path).status, Status::Reduced); // GIF left alone
    QVERIFY(snapshotOf(folder.path()) != original);

    QCOMPARE(storage.RevertToBackup(), ProjectStorage::RevertResult::Reverted);
    QCOMPARE(snapshotOf(folder.path()), original);
}

QTEST_GUILESS_MAIN(TestWebPictures)
#include "tst_webpictures.moc"
