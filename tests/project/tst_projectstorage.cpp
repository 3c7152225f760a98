#include "storagefixture.h"

#include "project/projectstorage.h"
#include "project/scripttext.h"
#include "project/textfile.h"

using Read = ProjectStorage::ReadResult;
using Backup = ProjectStorage::BackupResult;
using Revert = ProjectStorage::RevertResult;
using Copy = ProjectStorage::CopyResult;
Q_DECLARE_METATYPE(Read)
Q_DECLARE_METATYPE(Backup)
Q_DECLARE_METATYPE(Revert)
Q_DECLARE_METATYPE(Copy)

namespace {

const QStringList kThreeSlides{".gif", ".jpg", ".jpg"};

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

bool sameFields(const SlideshowProject &a, const SlideshowProject &b)
{
    return a.name == b.name && a.folder == b.folder && a.basePath == b.basePath
        && a.header == b.header && a.slideCount == b.slideCount && a.slideLines == b.slideLines
        && a.imageTypes == b.imageTypes && a.backupImageTypes == b.backupImageTypes
        && a.saved == b.saved && a.loaded == b.loaded;
}

} // namespace

class TestProjectStorage : public QObject
{
    Q_OBJECT
private slots:
    void readProjectFile_data();
    void readProjectFile();
    void imageProbing_data();
    void imageProbing();
    void writeProjectFile_data();
    void writeProjectFile();
    void takeBackup_data();
    void takeBackup();
    void discardBackup_data();
    void discardBackup();
    void revertToBackup_data();
    void revertToBackup();
    void saveProject_data();
    void saveProject();
    void copyProjectTo_data();
    void copyProjectTo();
    void scriptText_data();
    void scriptText();
};

void TestProjectStorage::readProjectFile_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file at all
    QTest::addColumn<Read>("expected");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("lines");

    const QByteArray head = "Nom=Autre\r\nRepertoire=C:\\Ailleurs\r\n";
    QByteArray full = head + "NbSprite=200\r\nTag=T\r\n";
    QStringList fullLines;
    for (int n = 0; n < 200; ++n) {
        full += "s" + QByteArray::number(n) + "\r\n";
        fullLines << QString("s%1").arg(n);
    }

    QTest::newRow("MovedAndRenamed") << head + "NbSprite=2\r\nTag=Nos vacances\r\nun\r\ndeux\r\n"
                                     << Read::Loaded << "Nos vacances" << QStringList{"un", "deux"};
    QTest::newRow("KeysNotChecked") << QByteArray("a\r\nb\r\nNbImages=1\r\nTitre\r\nseule\r\n")
                                    << Read::Loaded << "e" << QStringList{"seule"};
    QTest::newRow("HeaderShorterThanKey") << head + "NbSprite=1\r\nAb\r\nx\r\n"
                                          << Read::Loaded << "" << QStringList{"x"};
    QTest::newRow("CountRoundedUp") << head + "NbSprite=1.6\r\nTag=\r\nx\r\ny\r\n"
                                    << Read::Loaded << "" << QStringList{"x", "y"};
    QTest::newRow("CountRoundedDown") << head + "NbSprite=1.4\r\nTag=\r\nx\r\ny\r\n"
                                      << Read::Loaded << "" << QStringList{"x"};
    QTest::newRow("CountWithSpaces") << head + "NbSprite= 1 \r\nTag=\r\nx\r\n"
                                     << Read::Loaded << "" << QStringList{"x"};
    QTest::newRow("LfOnlyAndPipes") << QByteArray("a\nb\nNbSprite=1\nTag=H\n<b>x</b>|y\n")
                                    << Read::Loaded << "H" << QStringList{"<b>x</b>|y"};
    QTest::newRow("Cp1252") << head + "NbSprite=1\r\nTag=\xC9t\xE9\r\n\x80 \x9C\r\n"
                            << Read::Loaded << "Été" << QStringList{"€ œ"};
    QTest::newRow("Utf8WithBom") << QByteArray(
        "\xEF\xBB\xBFNom\r\nR\r\nNbSprite=1\r\nTag=\xE2\x9C\x93\r\n\xE6\x97\xA5\r\n")
                                 << Read::Loaded << "✓" << QStringList{"日"};
    QTest::newRow("MissingSlideLinesKeepOldValues")
        << head + "NbSprite=3\r\nTag=H\r\nun\r\n"
        << Read::Loaded << "H" << QStringList{"un", "old 1", "old 2"};
    QTest::newRow("TwoHundredSlides") << full << Read::Loaded << "T" << fullLines;
    QTest::newRow("NbSpriteZero") << head + "NbSprite=0\r\nTag=ignored\r\nx\r\n"
                                  << Read::NoSlides << "old header" << QStringList{};
    QTest::newRow("Count201") << full.replace("NbSprite=200", "NbSprite=201") << Read::NotAProject
                              << "" << QStringList{};
    QTest::newRow("CountRoundsTo201") << head + "NbSprite=200.5\r\nTag=\r\n"
                                      << Read::NotAProject << "" << QStringList{};
    QTest::newRow("CountMinus5") << head + "NbSprite=-5\r\nTag=H\r\n"
                                 << Read::NotAProject << "" << QStringList{};
    QTest::newRow("CountAbc") << head + "NbSprite=abc\r\nTag=H\r\nx\r\n"
                              << Read::NotAProject << "" << QStringList{};
    QTest::newRow("CountWithTrailingText") << head + "NbSprite=2x\r\nTag=H\r\nx\r\n"
                                           << Read::NotAProject << "" << QStringList{};
    QTest::newRow("CountEmpty") << head + "NbSprite=\r\nTag=H\r\n"
                                << Read::NotAProject << "" << QStringList{};
    QTest::newRow("NoCountLine") << head << Read::NotAProject << "" << QStringList{};
    QTest::newRow("EmptyFile") << QByteArray("") << Read::NotAProject << "" << QStringList{};
    QTest::newRow("NoFile") << QByteArray() << Read::Unreadable << "" << QStringList{};
}

void TestProjectStorage::readProjectFile()
{
    QFETCH(QByteArray, file);
    QFETCH(Read, expected);
    QFETCH(QString, header);
    QFETCH(QStringList, lines);

    QTemporaryDir dir;
    SlideshowProject p;
    p.folder = dir.path();
    p.name = "Vacances";
    p.updateBasePath();
    fillWithOldValues(p);
    const SlideshowProject before = p;
    if (!file.isNull())
        put(p.basePath + ".lmv", file);
    const Files filesBefore = snapshot(dir.path());

    QCOMPARE(ProjectStorage(p, dir.filePath("backup")).ReadProjectFile(), expected);

    QCOMPARE(snapshot(dir.path()), filesBefore); // nor the backup root is made
    SlideshowProject wanted = before;
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

void TestProjectStorage::imageProbing_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("type");
    QTest::newRow("GifOnly") << QStringList{"0.gif"} << ".gif";
    QTest::newRow("JpegOnly") << QStringList{"0.jpg"} << ".jpg";
    QTest::newRow("BothGifWins") << QStringList{"0.gif", "0.jpg"} << ".gif";
    QTest::newRow("NeitherIsJpeg") << QStringList{} << ".jpg";
    QTest::newRow("GifIsAFolder") << QStringList{"0.gif/x"} << ".jpg";
    QTest::newRow("OtherSlidesGif") << QStringList{"1.gif", "00.gif"} << ".jpg";
}

void TestProjectStorage::imageProbing()
{
    QFETCH(QStringList, present);
    QFETCH(QString, type);
    QTemporaryDir dir;
    SlideshowProject p;
    p.folder = dir.path();
    p.name = "V";
    p.updateBasePath();
    put(p.basePath + ".lmv", "N\r\nR\r\nNbSprite=1\r\nTag=\r\nx\r\n");
    for (const QString &file : present)
        put(p.basePath + file, "img");
    QCOMPARE(ProjectStorage(p, dir.filePath("b")).ReadProjectFile(), Read::Loaded);
    QCOMPARE(p.imageTypes[0], type);
}

void TestProjectStorage::writeProjectFile_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray head = "Nom=Vacances\r\nRepertoire=D:/Diaporamas\r\n";
    QTest::newRow("NoSlidesStillWritesTag")
        << 0 << "H" << QStringList{"unused"} << head + "NbSprite=0\r\nTag=H\r\n";
    QTest::newRow("TwoSlides") << 2 << "Nos vacances" << QStringList{"<b>Été</b>", "a|b"}
                               << head
            + "NbSprite=2\r\nTag=Nos vacances\r\n<b>\xC9t\xE9</b>\r\na|b\r\n";
    QTest::newRow("LineBreakInFieldKeepsFormat")
        << 1 << "a\nb" << QStringList{"x\r\ny"} << head + "NbSprite=1\r\nTag=a b\r\nx y\r\n";
    QTest::newRow("OutsideCp1252") << 1 << "✓" << QStringList{"日本 €"}
                                   << "\xEF\xBB\xBF" + head
            + "NbSprite=1\r\nTag=\xE2\x9C\x93\r\n\xE6\x97\xA5\xE6\x9C\xAC \xE2\x82\xAC\r\n";
}

// Bytes on disk, then a fresh project reads back what was written.
void TestProjectStorage::writeProjectFile()
{
    QFETCH(int, count);
    QFETCH(QString, header);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    SlideshowProject p;
    p.slideCount = std::int16_t(count);
    p.header = header;
    for (int n = 0; n < lines.size(); ++n)
        p.slideLines[n] = lines[n];
    const QString path = dir.filePath("Vacances.lmv");
    put(path, "previous file");

    QCOMPARE(
        ProjectStorage(p, dir.filePath("b")).WriteProjectFile(path, "Vacances", "D:/Diaporamas"),
        ProjectStorage::WriteResult::Written);
    QCOMPARE(snapshot(dir.path()), (Files{{"Vacances.lmv", bytes}}));

    SlideshowProject fresh;
    fresh.folder = dir.path();
    fresh.name = "Vacances";
    fresh.updateBasePath();
    ProjectStorage(fresh, dir.filePath("b")).ReadProjectFile();
    QCOMPARE(fresh.slideCount, p.slideCount);
    if (count > 0) {
        QCOMPARE(fresh.header, QString(header).replace('\n', ' '));
        QCOMPARE(fresh.slideLines[0], QString(lines[0]).replace("\r\n", " "));
    }
}

void TestProjectStorage::takeBackup_data()
{
    QTest::addColumn<QStringList>("rootBefore"); // "name=content", or "name/" for a folder
    QTest::addColumn<Backup>("expected");
    QTest::addColumn<int>("imagesBackedUp");
    QTest::newRow("Complete") << QStringList{} << Backup::Complete << 3;
    QTest::newRow("StaleSetOfALargerProject")
        << QStringList{"aaaa0.jpg=stale", "aaaa3.jpg=stale", "aaaa7.gif=stale",
                       "aaaa.owner=/other/P\r\n9\r\n", "aaaa.htm=stale"}
        << Backup::Complete << 3;
    QTest::newRow("ImageCannotBeCopied") << QStringList{"aaaa1.jpg/"} << Backup::Partial << 1;
    QTest::newRow("RootIsPlainFile") << QStringList{"."} << Backup::Failed << 0;
}

void TestProjectStorage::takeBackup()
{
    QFETCH(QStringList, rootBefore);
    QFETCH(Backup, expected);
    QFETCH(int, imagesBackedUp);
    QTemporaryDir dir;
    const QString root = dir.filePath("backup");
    SlideshowProject p;
    fillWithOldValues(p);
    makeProject(p, dir.filePath("projet"), "P", kThreeSlides);
    const Files project = snapshot(p.folder);
    put(root + "/notes.txt", "unrelated");
    for (const QString &entry : rootBefore) {
        if (entry == ".") {
            QVERIFY(QDir(root).removeRecursively());
            put(root, "plain file");
        } else if (entry.endsWith('/'))
            QVERIFY(QDir(root).mkpath(entry));
        else
            put(root + '/' + entry.section('=', 0, 0), entry.section('=', 1).toUtf8());
    }
    const Files rootFiles = snapshot(root);

    ProjectStorage storage(p, root);
    QCOMPARE(storage.TakeBackup(), expected);

    QCOMPARE(snapshot(p.folder), project);
    for (int n = 0; n < 4; ++n)
        QCOMPARE(p.backupImageTypes[n], n < imagesBackedUp ? kThreeSlides[n] : QString("old"));
    if (expected == Backup::Failed) {
        QCOMPARE(contentOf(root), QByteArray("plain file"));
        QVERIFY(!storage.hasOwnBackup());
        return;
    }
    Files wanted{{"notes.txt", "unrelated"},
                 {"aaaa.lmv", project["P.lmv"]},
                 {"aaaa.htm", project["P.htm"]},
                 {"aaaa.js", project["P.js"]},
                 {"aaaa.owner", p.basePath.toUtf8() + "\r\n3\r\n"}};
    for (int n = 0; n < imagesBackedUp; ++n)
        wanted.insert(QString("aaaa%1%2").arg(n).arg(kThreeSlides[n]),
                      project[QString("P%1%2").arg(n).arg(kThreeSlides[n])]);
    if (rootFiles.contains("aaaa1.jpg"))
        wanted.insert("aaaa1.jpg", "<folder>");
    QCOMPARE(snapshot(root), wanted);
    QVERIFY(storage.hasOwnBackup());
}

void TestProjectStorage::discardBackup_data()
{
    QTest::addColumn<QByteArray>("owner"); // null: no owner file
    QTest::addColumn<bool>("discarded");
    QTest::newRow("OwnSet") << QByteArray("") << true;
    QTest::newRow("OtherProjectsSet") << QByteArray("/ailleurs/Autre\r\n3\r\n") << false;
    QTest::newRow("SetWithoutOwner") << QByteArray() << false;
    QTest::newRow("OwnerUnreadable") << QByteArray("garbage") << false;
}

void TestProjectStorage::discardBackup()
{
    QFETCH(QByteArray, owner);
    QFETCH(bool, discarded);
    QTemporaryDir dir;
    const QString root = dir.filePath("backup");
    SlideshowProject p;
    makeProject(p, dir.filePath("projet"), "P", kThreeSlides);
    put(root + "/notes.txt", "unrelated");
    ProjectStorage storage(p, root);
    QCOMPARE(storage.TakeBackup(), Backup::Complete);
    if (owner.isNull())
        QVERIFY(QFile::remove(root + "/aaaa.owner"));
    else if (!owner.isEmpty())
        put(root + "/aaaa.owner", owner);
    const Files project = snapshot(p.folder);
    const Files backup = snapshot(root);

    QCOMPARE(storage.DiscardBackup(),
             discarded ? ProjectStorage::DiscardResult::Discarded
                       : ProjectStorage::DiscardResult::NotOwnBackup);
    QCOMPARE(snapshot(p.folder), project);
    QCOMPARE(snapshot(root), discarded ? (Files{{"notes.txt", "unrelated"}}) : backup);
}

void TestProjectStorage::revertToBackup_data()
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
void TestProjectStorage::revertToBackup()
{
    QFETCH(QString, scenario);
    QFETCH(Revert, expected);
    QTemporaryDir dir;
    std::unique_ptr<QTemporaryDir> shm;
    QString root = dir.filePath("backup");
    if (scenario == "shm") {
        if (!(shm = folderOnOtherDevice(dir.path())))
            QSKIP("no second file system (tmpfs at /dev/shm) on this machine");
        root = shm->filePath("backup");
    }
    SlideshowProject p;
    makeProject(p, dir.filePath("projet"), "P", kThreeSlides);
    put(root + "/notes.txt", "unrelated");
    if (scenario == "rootfile") {
        QVERIFY(QDir(root).removeRecursively());
        put(root, "plain file");
    }
    if (scenario == "partial")
        QVERIFY(QDir(root).mkpath("aaaa1.jpg"));
    ProjectStorage storage(p, root);
    storage.TakeBackup();
    Files wanted = snapshot(p.folder);

    put(p.basePath + ".lmv", "edited project file");
    put(p.basePath + "0.gif", "edited 0");
    put(p.basePath + "1.jpg", "edited 1");
    for (int n : {3, 4}) {
        p.imageTypes[n] = n == 3 ? ".gif" : ".jpg";
        put(p.imagePath(n), "added");
    }
    p.slideCount = 5;
    p.saved = false;
    if (scenario == "retype") {
        QFile::remove(p.basePath + "0.gif");
        p.imageTypes[0] = ".jpg";
        put(p.basePath + "0.jpg", "new jpeg 0");
    } else if (scenario == "delete") {
        p.slideCount = 1;
        for (const char *gone : {"1.jpg", "2.jpg", "3.gif", "4.jpg"})
            QFile::remove(p.basePath + gone);
    } else if (scenario == "unloaded") {
        p.loaded = false;
    } else if (scenario == "other") {
        put(root + "/aaaa.owner", "/ailleurs/P\r\n3\r\n");
    } else if (scenario == "pagefolder") {
        QFile::remove(p.basePath + ".htm");
        QDir().mkpath(p.basePath + ".htm");
    }
    const Files edited = snapshot(p.folder);
    const Files backup = snapshot(root);

    QCOMPARE(storage.RevertToBackup(), expected);

    if (expected == Revert::NoProject || expected == Revert::NotOwnBackup) {
        QCOMPARE(snapshot(p.folder), edited);
        QCOMPARE(snapshot(root), backup);
        QCOMPARE(p.saved, false);
        return;
    }
    QCOMPARE(p.saved, true);
    Files rootAfter{{"notes.txt", "unrelated"}};
    if (scenario == "partial") {
        // Slides 1 and 2 have no backup to take their place: their images stay.
        wanted["P1.jpg"] = "edited 1";
        rootAfter.insert("aaaa1.jpg", "<folder>");
    } else if (scenario == "pagefolder") {
        wanted["P.htm"] = "<folder>";
        rootAfter.insert("aaaa.htm", backup["aaaa.htm"]);
        rootAfter.insert("aaaa.owner", backup["aaaa.owner"]);
    }
    QCOMPARE(snapshot(p.folder), wanted);
    QCOMPARE(snapshot(root), rootAfter);
}

void TestProjectStorage::saveProject_data()
{
    QTest::addColumn<QString>("trick");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Saves") << "" << true;
    QTest::newRow("ProjectFileIsFolder") << "folder" << false;
    QTest::newRow("BrokenHalfWay") << "limit" << false;
}

// A failed save keeps the previous project file and the backup set.
void TestProjectStorage::saveProject()
{
    QFETCH(QString, trick);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString root = dir.filePath("backup");
    SlideshowProject p;
    makeProject(p, dir.filePath("projet"), "P", kThreeSlides);
    ProjectStorage storage(p, root);
    QCOMPARE(storage.TakeBackup(), Backup::Complete);
    if (trick == "folder")
        QVERIFY(QFile::remove(p.basePath + ".lmv") && QDir().mkpath(p.basePath + ".lmv/x"));
    p.header = QString(4000, 'h');
    p.saved = false;
    Files project = snapshot(p.folder);
    const Files backup = snapshot(root);

    ProjectStorage::SaveResult result;
    {
        FileSizeLimit limit(trick == "limit" ? 1000 : RLIM_INFINITY);
        result = storage.SaveProject();
    }
    QCOMPARE(result,
             saved ? ProjectStorage::SaveResult::Saved : ProjectStorage::SaveResult::WriteFailed);
    QCOMPARE(p.saved, saved);
    if (saved)
        project["P.lmv"] = TextFile::encode("Nom=P\r\nRepertoire=" + p.folder
                                            + "\r\nNbSprite=3\r\nTag=" + p.header
                                            + "\r\nLégende 0\r\nLégende 1\r\nLégende 2\r\n");
    QCOMPARE(snapshot(p.folder), project);
    QCOMPARE(snapshot(root), saved ? Files{} : backup);
    QVERIFY(!StorageMessages::saveFailed().isEmpty());
}

void TestProjectStorage::copyProjectTo_data()
{
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QString>("missingImage");
    QTest::addColumn<bool>("targetIsPlainFile");
    QTest::addColumn<Copy>("expected");
    QTest::addColumn<int>("imagesCopied");
    QTest::newRow("Complete") << kThreeSlides << "" << false << Copy::Complete << 3;
    QTest::newRow("StopsAtMissingImage") << QStringList{".jpg", ".gif", ".jpg", ".jpg", ".jpg"}
                                         << "P3.jpg" << false << Copy::Partial << 3;
    QTest::newRow("TargetFolderIsPlainFile") << kThreeSlides << "" << true << Copy::Failed << 0;
}

void TestProjectStorage::copyProjectTo()
{
    QFETCH(QStringList, types);
    QFETCH(QString, missingImage);
    QFETCH(bool, targetIsPlainFile);
    QFETCH(Copy, expected);
    QFETCH(int, imagesCopied);
    QTemporaryDir dir;
    SlideshowProject p;
    makeProject(p, dir.filePath("projet"), "P", types);
    if (!missingImage.isEmpty())
        QVERIFY(QFile::remove(p.folder + '/' + missingImage));
    const Files project = snapshot(p.folder);
    const QString target = dir.filePath("Nouveau dossier");
    if (targetIsPlainFile)
        put(target, "plain file");
    else
        QDir().mkpath(target);

    QCOMPARE(ProjectStorage(p, dir.filePath("b")).CopyProjectTo(target, "Été"), expected);

    QCOMPARE(snapshot(p.folder), project);
    if (targetIsPlainFile) {
        QCOMPARE(contentOf(target), QByteArray("plain file"));
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
    QCOMPARE(snapshot(target), wanted);
}

void TestProjectStorage::scriptText_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("script");
    QTest::newRow("Plain") << "<b>Été</b>"
                           << "<b>Été</b>";
    QTest::newRow("Empty") << ""
                           << "";
    QTest::newRow("Pipes") << "a||b|"
                           << "a<BR>&nbsp;<BR>&nbsp;b<BR>&nbsp;";
    QTest::newRow("Quotes") << "<font face=\"Arial\">"
                            << "<font face=\\\"Arial\\\">";
    QTest::newRow("Backslashes") << "C:\\dossier\\"
                                 << "C:\\\\dossier\\\\";
    QTest::newRow("BackslashBeforeQuote") << "\\\""
                                          << "\\\\\\\"";
}

void TestProjectStorage::scriptText()
{
    QFETCH(QString, line);
    QFETCH(QString, script);
    QCOMPARE(ScriptTextOfLine(line), script);
}

QTEST_GUILESS_MAIN(TestProjectStorage)
#include "tst_projectstorage.moc"
