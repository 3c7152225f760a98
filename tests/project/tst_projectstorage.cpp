#include "project/projectstorage.h"
#include "project/textfile.h"
#include "storagefixture.h"

using Read = ProjectStorage::ReadResult;
using Backup = ProjectStorage::BackupResult;
using Revert = ProjectStorage::RevertResult;
using Copy = ProjectStorage::CopyResult;
Q_DECLARE_METATYPE(Read)
Q_DECLARE_METATYPE(Backup)
Q_DECLARE_METATYPE(Revert)
Q_DECLARE_METATYPE(Copy)

namespace {

const QStringList threeSlides{".gif", ".jpg", ".jpg"};

// A project named name in folder.
SlideshowProject at(const QString &folder, const QString &name)
{
    SlideshowProject p;
    p.folder = folder;
    p.name = name;
    p.updateBasePath();
    return p;
}

// A project whose every field holds a recognisable old value.
void fillWithOldValues(SlideshowProject &p)
{
    p.slideCount = 7;
    p.header = "old header";
    for (int n = 0; n < SlideshowProject::Capacity; ++n) {
        p.slideLines[n] = QString("old %1").arg(n);
        p.imageTypes[n] = p.backupImageTypes[n] = "old";
    }
}

// The three-slide project "P" and an unrelated file in the backup root.
struct Stored
{
    TempFolder dir;
    QString root = dir.path("backup");
    SlideshowProject p;
    std::unique_ptr<ProjectStorage> storage;
    // With backup, its backup set taken.
    explicit Stored(bool backup = false)
    {
        makeProject(p, dir.path("projet"), "P", threeSlides);
        writeFile(root + "/notes.txt", "unrelated");
        storage = std::make_unique<ProjectStorage>(p, root);
        if (backup)
            QCOMPARE(storage->TakeBackup(), Backup::Complete);
    }
};

bool sameFields(const SlideshowProject &a, const SlideshowProject &b)
{
    return a.name == b.name && a.folder == b.folder && a.header == b.header
        && a.slideCount == b.slideCount && a.slideLines == b.slideLines
        && a.imageTypes == b.imageTypes && a.backupImageTypes == b.backupImageTypes
        && a.saved == b.saved && a.loaded == b.loaded;
}

} // namespace

class TestProjectStorage : public QObject
{
    Q_OBJECT
private slots:
    void readProjectFile_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no file at all
        QTest::addColumn<Read>("expected");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<qint64>("sparseSize"); // the file grown to this size, without writing

        const QByteArray head = "Nom=Autre\r\nRepertoire=C:\\Ailleurs\r\n";
        QByteArray full = head + "NbSprite=200\r\nTag=T\r\n";
        QStringList fullLines;
        for (int n = 0; n < 200; ++n) {
            full += "s" + QByteArray::number(n) + "\r\n";
            fullLines << QString("s%1").arg(n);
        }
        const auto row = [](const char *name, const QByteArray &file, Read expected,
                            const QString &header = {}, const QStringList &lines = {},
                            qint64 sparseSize = 0) {
            // clang-format off
            QTest::newRow(name) << file << expected << header << lines << sparseSize;
        };
        const QByteArray oneSlide = head + "NbSprite=1\r\nTag=\r\n";
        const qint64 mb = 1024 * 1024;
        row("LineOf1MB", oneSlide + QByteArray(mb, '|') + "\r\n", Read::Loaded, "", {QString(mb, '|')});
        row("LineOver1MB", oneSlide + QByteArray(mb + 1, '|') + "\r\n", Read::LineTooLong);
        row("LastLineOver1MB", oneSlide + QByteArray(mb + 1, '|'), Read::LineTooLong);
        row("FileOver64MB", oneSlide + "x\r\n", Read::TooLarge, "", {}, 64 * mb + 1);
        row("MovedAndRenamed", head + "NbSprite=2\r\nTag=\xC9t\xE9\r\nun\r\ndeux\r\n", Read::Loaded, "Été", {"un", "deux"});
        row("KeysNotChecked", "a\r\nb\r\nNbImages=1\r\nTitre\r\nseule\r\n", Read::Loaded, "e", {"seule"});
        row("CountRoundedUp", head + "NbSprite= 1.6\r\nTag=\r\nx\r\ny\r\n", Read::Loaded, "", {"x", "y"});
        row("MissingSlideLinesKeepOldValues", head + "NbSprite=3\r\nTag=H\r\nun\r\n", Read::Loaded, "H", {"un", "old 1", "old 2"});
        row("TwoHundredSlides", full, Read::Loaded, "T", fullLines);
        row("NbSpriteZero", head + "NbSprite=0\r\nTag=ignored\r\nx\r\n", Read::NoSlides, "old header");
        row("Count201", QByteArray(full).replace("NbSprite=200", "NbSprite=201"), Read::NotAProject);
        row("CountRoundsTo201", head + "NbSprite=200.5\r\nTag=\r\n", Read::NotAProject);
        row("CountMinus5", head + "NbSprite=-5\r\nTag=H\r\n", Read::NotAProject);
        row("CountWithTrailingText", head + "NbSprite=2x\r\nTag=H\r\nx\r\n", Read::NotAProject);
        row("CountEmpty", head + "NbSprite=\r\nTag=H\r\n", Read::NotAProject);
        row("EmptyFile", "", Read::NotAProject);
        row("NoFile", QByteArray(), Read::Unreadable);
        // clang-format on
    }

    // Nothing of the project changes unless the whole file reads; the folder and
    // the backup root are left alone.
    void readProjectFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(Read, expected);
        QFETCH(QString, header);
        QFETCH(QStringList, lines);
        QFETCH(qint64, sparseSize);
        TempFolder dir;
        SlideshowProject p = at(dir.path(), "Vacances");
        fillWithOldValues(p);
        SlideshowProject wanted = p;
        if (!file.isNull())
            dir.write("Vacances.lmv", file);
        if (sparseSize) // a hole: large on paper, nothing on disk, quick to make
            QVERIFY(QFile::resize(dir.path("Vacances.lmv"), sparseSize));
        const Files filesBefore = sparseSize ? Files{} : dir.snapshot();

        QCOMPARE(ProjectStorage(p, dir.path("backup")).ReadProjectFile(), expected);
        if (!sparseSize)
            QCOMPARE(dir.snapshot(), filesBefore);
        if (expected == Read::NoSlides)
            wanted.slideCount = 0;
        if (expected == Read::Loaded) {
            wanted.slideCount = std::int16_t(lines.size());
            wanted.header = header;
            for (int n = 0; n < lines.size(); ++n) {
                wanted.slideLines[n] = lines[n];
                wanted.imageTypes[n] = ".jpg";
            }
        }
        QVERIFY(sameFields(p, wanted));
    }

    void imageProbing_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("type");
        QTest::newRow("GifOnly") << QStringList{"0.gif"} << ".gif";
        QTest::newRow("BothGifWins") << QStringList{"0.gif", "0.jpg"} << ".gif";
        QTest::newRow("GifIsAFolder") << QStringList{"0.gif/x"} << ".jpg";
        QTest::newRow("OtherSlidesGif") << QStringList{"1.gif", "00.gif"} << ".jpg";
    }

    void imageProbing()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, type);
        TempFolder dir;
        SlideshowProject p = at(dir.path(), "V");
        dir.write("V.lmv", "N\r\nR\r\nNbSprite=1\r\nTag=\r\nx\r\n");
        for (const QString &file : present)
            dir.write("V" + file, "img");
        QCOMPARE(ProjectStorage(p, dir.path("b")).ReadProjectFile(), Read::Loaded);
        QCOMPARE(p.imageTypes[0], type);
    }

    // A line break inside a field would cut the file's lines and becomes a space.
    void writeProjectFile()
    {
        TempFolder dir;
        SlideshowProject p;
        p.slideCount = 2;
        p.header = "Nos\nvacances";
        p.slideLines[0] = "<b>Été</b>";
        p.slideLines[1] = "a|b\r\nc";
        dir.write("Vacances.lmv", "previous file");
        QCOMPARE(ProjectStorage(p, dir.path("b"))
                     .WriteProjectFile(dir.path("Vacances.lmv"), "Vacances", "D:/Dia"),
                 ProjectStorage::WriteResult::Written);
        QCOMPARE(dir.snapshot(),
                 (Files{{"Vacances.lmv",
                         "Nom=Vacances\r\nRepertoire=D:/Dia\r\nNbSprite=2\r\n"
                         "Tag=Nos vacances\r\n<b>\xC9t\xE9</b>\r\na|b c\r\n"}}));
    }

    void takeBackup_data()
    {
        QTest::addColumn<Files>("rootBefore"); // "." -> a plain file where the root goes
        QTest::addColumn<Backup>("expected");
        QTest::addColumn<int>("imagesBackedUp");
        // clang-format off
        QTest::newRow("Complete") << Files{} << Backup::Complete << 3;
        QTest::newRow("StaleSetOfALargerProject") << Files{{"aaaa0.jpg", "stale"},
                                                           {"aaaa3.jpg", "stale"},
                                                           {"aaaa7.gif", "stale"},
                                                           {"aaaa.owner", "/other/P\r\n9\r\n"},
                                                           {"aaaa.htm", "stale"}}
                                                  << Backup::Complete << 3;
        // The picture of slide 1 has no place; those after it are still kept.
        QTest::newRow("ImageCannotBeCopied") << Files{{"aaaa1.jpg/", ""}} << Backup::Partial << 3;
        QTest::newRow("RootIsPlainFile") << Files{{".", ""}} << Backup::Failed << 0;
        // clang-format on
    }

    void takeBackup()
    {
        QFETCH(Files, rootBefore);
        QFETCH(Backup, expected);
        QFETCH(int, imagesBackedUp);
        Stored s;
        auto &[dir, root, p, storage] = s;
        p.backupImageTypes.fill("old");
        const Files project = snapshotOf(p.folder);
        if (rootBefore.contains(".")) {
            QVERIFY(QDir(root).removeRecursively());
            writeFile(root, "plain file");
        } else {
            for (auto it = rootBefore.cbegin(); it != rootBefore.cend(); ++it)
                it.key().endsWith('/') ? void(QDir().mkpath(root + '/' + it.key()))
                                       : writeFile(root + '/' + it.key(), it.value());
        }
        QCOMPARE(storage->TakeBackup(), expected);

        QCOMPARE(snapshotOf(p.folder), project);
        for (int n = 0; n < 4; ++n)
            QCOMPARE(p.backupImageTypes[n], n < imagesBackedUp ? threeSlides[n] : QString("old"));
        QCOMPARE(storage->hasOwnBackup(), expected != Backup::Failed);
        if (expected == Backup::Failed) {
            QCOMPARE(readFile(root), "plain file");
            return;
        }
        Files wanted{{"notes.txt", "unrelated"},
                     {"aaaa.lmv", project["P.lmv"]},
                     {"aaaa.htm", project["P.htm"]},
                     {"aaaa.js", project["P.js"]},
                     {"aaaa.owner", p.basePath.toUtf8() + "\r\n3\r\n"}};
        for (int n = 0; n < imagesBackedUp; ++n)
            wanted.insert(QString("aaaa%1%2").arg(n).arg(threeSlides[n]),
                          project[QString("P%1%2").arg(n).arg(threeSlides[n])]);
        if (rootBefore.contains("aaaa1.jpg/"))
            wanted.insert("aaaa1.jpg/", "<folder>"), wanted.remove("aaaa1.jpg");
        QCOMPARE(snapshotOf(root), wanted);
    }

    void discardBackup_data()
    {
        QTest::addColumn<QByteArray>("owner"); // null: no owner file
        QTest::addColumn<bool>("discarded");
        QTest::newRow("OwnSet") << QByteArray("") << true;
        QTest::newRow("OtherProjectsSet") << QByteArray("/ailleurs/Autre\r\n3\r\n") << false;
        QTest::newRow("SetWithoutOwner") << QByteArray() << false;
    }

    void discardBackup()
    {
        QFETCH(QByteArray, owner);
        QFETCH(bool, discarded);
        Stored s(true);
        auto &[dir, root, p, storage] = s;
        if (owner.isNull())
            QVERIFY(QFile::remove(root + "/aaaa.owner"));
        else if (!owner.isEmpty())
            writeFile(root + "/aaaa.owner", owner);
        const Files project = snapshotOf(p.folder);
        const Files backup = snapshotOf(root);
        QCOMPARE(storage->DiscardBackup(),
                 discarded ? ProjectStorage::DiscardResult::Discarded
                           : ProjectStorage::DiscardResult::NotOwnBackup);
        QCOMPARE(snapshotOf(p.folder), project);
        QCOMPARE(snapshotOf(root), discarded ? (Files{{"notes.txt", "unrelated"}}) : backup);
    }

    void revertToBackup_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<Revert>("expected");
        QTest::newRow("AfterAddingTwoSlides") << "" << Revert::Reverted;
        QTest::newRow("ImageTypeChanged") << "retype" << Revert::Reverted;
        QTest::newRow("SlidesDeleted") << "delete" << Revert::Reverted;
        QTest::newRow("AcrossFileSystems") << "shm" << Revert::Reverted;
        QTest::newRow("NothingLoaded") << "unloaded" << Revert::NoProject;
        QTest::newRow("OtherProjectsSet") << "other" << Revert::NotOwnBackup;
        QTest::newRow("RootCannotBeWritten") << "rootfile" << Revert::NotOwnBackup;
        QTest::newRow("PartialBackup") << "partial" << Revert::Partial;
        QTest::newRow("PageCannotBePutBack") << "pagefolder" << Revert::Partial;
    }

    // Backup of three slides, then edits: images 0 and 1 changed, project file
    // rewritten, slides 3 and 4 added; each scenario adds its twist.
    void revertToBackup()
    {
        QFETCH(QString, scenario);
        QFETCH(Revert, expected);
        TempFolder dir;
        std::unique_ptr<QTemporaryDir> shm;
        QString root = dir.path("backup");
        if (scenario == "shm") {
            if (!(shm = folderOnOtherDevice(dir.path())))
                QSKIP("no second file system (tmpfs at /dev/shm) on this machine");
            root = shm->filePath("backup");
        }
        SlideshowProject p;
        makeProject(p, dir.path("projet"), "P", threeSlides);
        writeFile(root + "/notes.txt", "unrelated");
        if (scenario == "rootfile") {
            QVERIFY(QDir(root).removeRecursively());
            writeFile(root, "plain file");
        }
        if (scenario == "partial")
            QVERIFY(QDir(root).mkpath("aaaa1.jpg"));
        ProjectStorage storage(p, root);
        storage.TakeBackup();
        Files wanted = snapshotOf(p.folder);

        writeFile(p.basePath + ".lmv", "edited project file");
        writeFile(p.basePath + "0.gif", "edited 0");
        writeFile(p.basePath + "1.jpg", "edited 1");
        for (int n : {3, 4}) {
            p.imageTypes[n] = n == 3 ? ".gif" : ".jpg";
            writeFile(p.imagePath(n), "added");
        }
        p.slideCount = 5;
        p.saved = false;
        if (scenario == "retype") {
            QFile::remove(p.basePath + "0.gif");
            p.imageTypes[0] = ".jpg";
            writeFile(p.basePath + "0.jpg", "new jpeg 0");
        } else if (scenario == "delete") {
            p.slideCount = 1;
            for (const char *gone : {"1.jpg", "2.jpg", "3.gif", "4.jpg"})
                QFile::remove(p.basePath + gone);
        } else if (scenario == "unloaded") {
            p.loaded = false;
        } else if (scenario == "other") {
            writeFile(root + "/aaaa.owner", "/ailleurs/P\r\n3\r\n");
        } else if (scenario == "pagefolder") {
            QFile::remove(p.basePath + ".htm");
            QDir().mkpath(p.basePath + ".htm");
        }
        const Files edited = snapshotOf(p.folder);
        const Files backup = snapshotOf(root);

        QCOMPARE(storage.RevertToBackup(), expected);
        if (expected == Revert::NoProject || expected == Revert::NotOwnBackup) {
            QCOMPARE(snapshotOf(p.folder), edited);
            QCOMPARE(snapshotOf(root), backup);
            QVERIFY(!p.saved);
            return;
        }
        QVERIFY(p.saved);
        Files rootAfter{{"notes.txt", "unrelated"}};
        if (scenario == "partial") {
            // Slides 1 and 2 have no backup to take their place: their images stay.
            wanted["P1.jpg"] = "edited 1";
            rootAfter.insert("aaaa1.jpg/", "<folder>");
        } else if (scenario == "pagefolder") {
            wanted.remove("P.htm");
            wanted.insert("P.htm/", "<folder>");
            rootAfter.insert("aaaa.htm", backup["aaaa.htm"]);
            rootAfter.insert("aaaa.owner", backup["aaaa.owner"]);
        }
        QCOMPARE(snapshotOf(p.folder), wanted);
        QCOMPARE(snapshotOf(root), rootAfter);
    }

    void saveProject_data()
    {
        QTest::addColumn<QString>("trick");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Saves") << "" << true;
        QTest::newRow("ProjectFileIsFolder") << "folder" << false;
        QTest::newRow("BrokenHalfWay") << "limit" << false;
        QTest::newRow("CaptionOver1MB") << "long" << false; // it would not open again
    }

    // A failed save keeps the previous project file and the backup set.
    void saveProject()
    {
        QFETCH(QString, trick);
        QFETCH(bool, saved);
        Stored s(true);
        auto &[dir, root, p, storage] = s;
        if (trick == "folder")
            QVERIFY(QFile::remove(p.basePath + ".lmv") && QDir().mkpath(p.basePath + ".lmv/x"));
        p.header = QString(4000, 'h');
        if (trick == "long")
            p.slideLines[1] = QString(1024 * 1024, QChar(0xE9));
        p.saved = false;
        Files project = snapshotOf(p.folder);
        const Files backup = snapshotOf(root);
        ProjectStorage::SaveResult result;
        {
            FileSizeLimit limit(trick == "limit" ? 1000 : RLIM_INFINITY);
            result = storage->SaveProject();
        }
        QCOMPARE(result,
                 saved ? ProjectStorage::SaveResult::Saved
                       : ProjectStorage::SaveResult::WriteFailed);
        QCOMPARE(p.saved, saved);
        if (saved)
            project["P.lmv"] = TextFile::encode("Nom=P\r\nRepertoire=" + p.folder
                                                + "\r\nNbSprite=3\r\nTag=" + p.header
                                                + "\r\nLégende 0\r\nLégende 1\r\nLégende 2\r\n");
        QCOMPARE(snapshotOf(p.folder), project);
        QCOMPARE(snapshotOf(root), saved ? (Files{{"notes.txt", "unrelated"}}) : backup);
    }

    void copyProjectTo_data()
    {
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QString>("missingImage");
        QTest::addColumn<bool>("targetIsPlainFile");
        QTest::addColumn<Copy>("expected");
        QTest::addColumn<int>("imagesCopied");
        QTest::newRow("Complete") << threeSlides << "" << false << Copy::Complete << 3;
        QTest::newRow("StopsAtMissingImage") << QStringList{".jpg", ".gif", ".jpg", ".jpg", ".jpg"}
                                             << "P3.jpg" << false << Copy::Partial << 3;
        QTest::newRow("TargetFolderIsPlainFile") << threeSlides << "" << true << Copy::Failed << 0;
    }

    void copyProjectTo()
    {
        QFETCH(QStringList, types);
        QFETCH(QString, missingImage);
        QFETCH(bool, targetIsPlainFile);
        QFETCH(Copy, expected);
        QFETCH(int, imagesCopied);
        TempFolder dir;
        SlideshowProject p;
        makeProject(p, dir.path("projet"), "P", types);
        if (!missingImage.isEmpty())
            QVERIFY(QFile::remove(p.folder + '/' + missingImage));
        const Files project = snapshotOf(p.folder);
        const QString target = dir.path("Nouveau dossier");
        dir.write(targetIsPlainFile ? "Nouveau dossier" : "Nouveau dossier/", "plain file");

        QCOMPARE(ProjectStorage(p, dir.path("b")).CopyProjectTo(target, "Été"), expected);
        QCOMPARE(snapshotOf(p.folder), project);
        if (targetIsPlainFile) {
            QCOMPARE(readFile(target), "plain file");
            return;
        }
        QByteArray lmv = TextFile::encode("Nom=Été\r\nRepertoire=" + target + "\r\nNbSprite="
                                          + QString::number(types.size()) + "\r\nTag=Entête\r\n");
        for (int n = 0; n < types.size(); ++n)
            lmv += TextFile::encode(QString("Légende %1\r\n").arg(n));
        Files wanted{{"Été.lmv", lmv}, {"Été.htm", "page P"}, {"Été.js", "script P"}};
        for (int n = 0; n < imagesCopied; ++n)
            wanted.insert(QString("Été%1%2").arg(n).arg(types[n]),
                          project[QString("P%1%2").arg(n).arg(types[n])]);
        QCOMPARE(snapshotOf(target), wanted);
    }
};

QTEST_GUILESS_MAIN(TestProjectStorage)
#include "tst_projectstorage.moc"
