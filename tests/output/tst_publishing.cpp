#include "output/finalisation.h"
#include "output/webpictures.h"
#include "project/projectstorage.h"
#include "project/storagefixture.h"
#include "support/scriptedplatform.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFutureWatcher>
#include <QImageReader>
#include <QSignalSpy>
#include <QTest>

using Status = WebPictures::Outcome::Status;
Q_DECLARE_METATYPE(Status)

namespace {

// A JPEG, red on its left half and blue on the right, in Display P3; `turned`
// gives it the orientation of a camera held upright (a quarter turn clockwise).
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
    // An Exif segment with orientation 6, right after the start marker.
    static const char exif[] = "\xFF\xE1\x00\x22"
                               "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12"
                               "\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0";
    return turned ? bytes.insert(2, QByteArray(exif, 36)) : bytes;
}
} // namespace

class TestPublishing : public QObject
{
    Q_OBJECT
private slots:
    void finalise_data()
    {
        QTest::addColumn<QString>("project"); // its name, "stale" page, "unsaved"; or "AppDir"
        QTest::addColumn<QByteArray>("page"); // "" for none
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QStringList>("removed"); // none when nothing is finalised

        const QByteArray table = "<td BackGround=IMGFONDTABLE.JPG>";
        const QByteArray quoted = R"(<td background="imgFondTable.jpg">)";
        const QStringList lmv{"Voyage.lmv"}, both{"Voyage.lmv", "imgFondCadre.jpg"}, none;
        const auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
        // clang-format off
        row("default project") << "Nouveau" << table << "Y" << "" << none;
        row("project in AppDir") << "AppDir" << table << "Y" << "" << none;
        row("No keeps everything") << "Voyage" << table << "N" << "ALERTE" << none;
        row("page names the table") << "Voyage" << table << "Y" << "ALERTE" << lmv;
        row("quote before the file name") << "Voyage" << quoted << "Y" << "ALERTE" << both;
        row("page made first") << "Voyage" << QByteArray() << "YY" << "ATTENTION|ALERTE" << both;
        row("stale page, making declined") << "Voyage stale" << table << "N" << "ATTENTION" << none;
        row("stale, unsaved") << "stale unsaved" << table << "Y" << "ATTENTION|IMPOSSIBILITE" << none;
        // clang-format on
    }

    void finalise()
    {
        QFETCH(QString, project);
        QFETCH(QByteArray, page);
        QFETCH(QString, answers);
        QFETCH(QString, titles);
        QFETCH(QStringList, removed);
        TempFolder folder;
        SlideshowProject p;
        makeProject(p, folder.path(), project == "Nouveau" ? project : "Voyage", {".jpg"});
        folder.write({{"imgFondCadre.jpg", "cadre"}, {"sohifrm2.wav", "son"}});
        page.isEmpty() ? folder.remove(p.name + ".htm") : folder.write(p.name + ".htm", page);
        const Files before = snapshotOf(folder.path());
        p.saved = !project.contains("unsaved");
        p.htmlGenerated = !project.contains("stale");
        ScriptedPlatform platform;
        platform.answer(answers);
        const QString appDir = project == "AppDir" ? folder.path()
                                                   : qEnvironmentVariable("LUMIVUE_APPDATA");

        const bool finalised = FinaliseSlideshow(p, appDir, platform)
            == FinalisationOutcome::Finalised;

        QCOMPARE(platform.titles(), titles);
        QCOMPARE(finalised, !removed.isEmpty());
        QCOMPARE(p.loaded, !finalised);
        QCOMPARE(p.saved, finalised || !project.contains("unsaved"));
        const Files after = snapshotOf(folder.path());
        if (!finalised)
            QCOMPARE(after, before);
        // Only what was to go is gone; a page made on the way names its script.
        for (const QString &file : before.keys())
            QCOMPARE(after.contains(file), !removed.contains(file));
        QVERIFY(page.size() || readFile(folder.path("Voyage.htm")).contains("Voyage.js"));
    }

    void reduce_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QSize>("upright");

        QTest::newRow("4000 x 3000") << photo({4000, 3000}) << Status::Reduced << QSize(1440, 1080);
        QTest::newRow("3000 x 4000 turned by the camera")
            << photo({4000, 3000}, true) << Status::Reduced << QSize(810, 1080);
        QTest::newRow("small photo") << photo({800, 600}) << Status::Untouched << QSize();
        QTest::newRow("not a picture")
            << QByteArray("pas une photo") << Status::Unreadable << QSize();
    }

    void reduce()
    {
        QFETCH(QByteArray, content);
        QFETCH(Status, status);
        QFETCH(QSize, upright);
        TempFolder folder;
        const QString path = folder.path("Voyage0.jpg");
        writeFile(path, content);

        const auto outcome = WebPictures::reduce(path);

        QCOMPARE(outcome.status, status);
        QCOMPARE(outcome.bytesBefore, content.size());
        QCOMPARE(outcome.bytesAfter, QFileInfo(path).size());
        QCOMPARE(readFile(path) == content, status != Status::Reduced);
        if (status != Status::Reduced)
            return;
        QImageReader reader(path);
        QCOMPARE(reader.transformation(), QImageIOHandler::TransformationNone);
        const QImage image = reader.read();
        QCOMPARE(image.size(), upright);
        QCOMPARE(image.colorSpace(), QColorSpace(QColorSpace::DisplayP3));
        // Red stands left, or on top once a portrait is turned upright.
        const bool portrait = upright.height() > upright.width();
        const QRgb red = image.pixel(upright.width() / (portrait ? 2 : 4),
                                     upright.height() / (portrait ? 4 : 2));
        QVERIFY(qRed(red) > 200 && qBlue(red) < 60);
    }

    void cancelThenDeclineToSave()
    {
        TempFolder folder, backupRoot;
        SlideshowProject project;
        QStringList types(24, ".jpg");
        types[1] = ".gif"; // left out
        makeProject(project, folder.path(), "Voyage", types);
        const QStringList paths = WebPictures::jpegSlides(project);
        for (const QString &path : paths)
            writeFile(path, photo({2600, 1500}));
        const Files before = snapshotOf(folder.path());
        ProjectStorage storage(project, backupRoot.path());
        QCOMPARE(storage.TakeBackup(), ProjectStorage::BackupResult::Complete);

        QFutureWatcher<WebPictures::Outcome> watcher;
        QSignalSpy done(&watcher, &QFutureWatcherBase::resultReadyAt);
        watcher.setFuture(WebPictures::reduceAll(paths));
        QVERIFY(done.wait()); // cancelled once the first picture is done
        watcher.cancel();
        watcher.waitForFinished();
        int reduced = 0;
        for (const QString &path : paths) {
            const QSize size = QImageReader(path).size();
            QVERIFY(size == QSize(2600, 1500)
                    || size == WebPictures::fittedSize(QSize(2600, 1500)));
            reduced += size.width() < 2600;
        }
        QVERIFY2(reduced > 0 && reduced < paths.size(), qPrintable(QString::number(reduced)));
        QCOMPARE(snapshotOf(folder.path()).keys(), before.keys()); // no file left behind

        QCOMPARE(storage.RevertToBackup(), ProjectStorage::RevertResult::Reverted);
        QCOMPARE(snapshotOf(folder.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestPublishing)
#include "tst_publishing.moc"
