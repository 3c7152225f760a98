#include "app/appdirfill.h"
#include "app/appfolders.h"
#include "foldertree.h"
#include "project/textfile.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using Tree = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(AppDirFill::Outcome)

namespace {

// A pristine folder with files at several depths; each file's content names it.
const Tree pristineTree = {
    {"Nouveau.lmv", "pristine Nouveau.lmv"},
    {"Nouveau0.gif", "pristine Nouveau0.gif"},
    {"Aide/AideCD.htm", "pristine AideCD.htm"},
    {"Modeles/Sous/Profond.htm", "pristine Profond.htm"},
    {"Restaurer/Nouveau.lmv", "pristine Restaurer/Nouveau.lmv"},
    {"Textures/Ciel.jpg", "pristine Ciel.jpg"},
};

} // namespace

class TestAppFolders : public QObject
{
    Q_OBJECT
private slots:
    void fromEnvironment_data()
    {
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("stateHome");
        QTest::addColumn<QString>("appDir");
        QTest::addColumn<QString>("backupRoot");
        QTest::newRow("Unset") << QString() << QString() << "/home/ana/.local/share/lumivue"
                               << "/home/ana/.local/state/lumivue";
        QTest::newRow("BothSet") << "/srv/d"
                                 << "/srv/s"
                                 << "/srv/d/lumivue"
                                 << "/srv/s/lumivue";
        QTest::newRow("TrailingSlash") << "/srv/d/"
                                       << "/srv/s//"
                                       << "/srv/d/lumivue"
                                       << "/srv/s/lumivue";
        QTest::newRow("RelativeIgnored") << "data"
                                         << "./state"
                                         << "/home/ana/.local/share/lumivue"
                                         << "/home/ana/.local/state/lumivue";
        QTest::newRow("OnlyStateSet") << ""
                                      << "/run/s"
                                      << "/home/ana/.local/share/lumivue"
                                      << "/run/s/lumivue";
    }
    void fromEnvironment()
    {
        QFETCH(QString, dataHome);
        QFETCH(QString, stateHome);
        QProcessEnvironment env;
        if (!dataHome.isNull())
            env.insert("XDG_DATA_HOME", dataHome);
        if (!stateHome.isNull())
            env.insert("XDG_STATE_HOME", stateHome);
        const AppFolders folders = AppFolders::fromEnvironment(env, "/home/ana");
        QTEST(folders.appDir, "appDir");
        QTEST(folders.backupRoot, "backupRoot");
    }

    void findPristine_data()
    {
        QTest::addColumn<QString>("override");
        QTest::addColumn<QStringList>("present"); // made as folders, "=file" as a plain file
        QTest::addColumn<QString>("found");       // relative to the temp dir, "" for none
        QTest::newRow("BesideExecutable")
            << "" << QStringList{"bin/appdata", "share/lumivue/appdata"} << "bin/appdata";
        QTest::newRow("InstalledCopy")
            << "" << QStringList{"share/lumivue/appdata"} << "share/lumivue/appdata";
        QTest::newRow("PlainFileSkipped")
            << "" << QStringList{"bin/appdata=file", "share/lumivue/appdata"}
            << "share/lumivue/appdata";
        QTest::newRow("Override") << "mine" << QStringList{"mine", "bin/appdata"} << "mine";
        QTest::newRow("OverrideMissingNoFallback") << "mine" << QStringList{"bin/appdata"} << "";
        QTest::newRow("Nowhere") << "" << QStringList{} << "";
    }
    void findPristine()
    {
        QFETCH(QString, override);
        QFETCH(QStringList, present);
        QFETCH(QString, found);
        QTemporaryDir temp;
        for (const QString &entry : std::as_const(present)) {
            if (entry.endsWith("=file"))
                QVERIFY(FolderTree::write(temp.path(), {{entry.chopped(5), "x"}}));
            else
                QVERIFY(QDir().mkpath(temp.filePath(entry)));
        }
        QProcessEnvironment env;
        if (!override.isEmpty())
            env.insert("LUMIVUE_APPDATA", temp.filePath(override));
        const auto result = AppFolders::findPristine(
            AppFolders::pristineCandidates(env, temp.filePath("bin")));
        QCOMPARE(result.value_or(QString()), found.isEmpty() ? QString() : temp.filePath(found));
    }

    void fill_data()
    {
        QTest::addColumn<Tree>("user"); // the application folder before the fill
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("failed");
        QTest::addColumn<AppDirFill::Outcome>("outcome");
        const QStringList all = {"Nouveau.lmv",           "Nouveau0.gif",
                                 "Aide/AideCD.htm",       "Modeles/Sous/Profond.htm",
                                 "Restaurer/Nouveau.lmv", "Textures/Ciel.jpg"};
        QTest::newRow("FreshFolder")
            << Tree{} << all << QStringList{} << AppDirFill::Outcome::Complete;
        QTest::newRow("AlreadyComplete")
            << pristineTree << QStringList{} << QStringList{} << AppDirFill::Outcome::Complete;
        QTest::newRow("UserChangedFilesSurvive")
            << Tree{{"Nouveau.lmv", "my project"},
                    {"Restaurer/Nouveau.lmv", "my copy"},
                    {"Aide/AideCD.htm", "my help"},
                    {"Aide/notes.txt", "my notes"}}
            << QStringList{"Nouveau0.gif", "Modeles/Sous/Profond.htm", "Textures/Ciel.jpg"}
            << QStringList{} << AppDirFill::Outcome::Complete;
        QTest::newRow("MissingDeepFileFilledIn")
            << Tree{{"Modeles/Sous/", {}}, {"Modeles/Autre.htm", "my template"}} << all
            << QStringList{} << AppDirFill::Outcome::Complete;
        QTest::newRow("EmptyFileIsTheUsers")
            << Tree{{"Nouveau0.gif", ""}} << QStringList(all.mid(0, 1) + all.mid(2))
            << QStringList{} << AppDirFill::Outcome::Complete;
        QTest::newRow("FileWhereFolderBelongs")
            << Tree{{"Textures", "a file of mine"}} << QStringList(all.mid(0, 5))
            << QStringList{"Textures/"} << AppDirFill::Outcome::Incomplete;
        QTest::newRow("FolderWhereFileBelongs")
            << Tree{{"Nouveau0.gif/", {}}, {"Nouveau0.gif/inside.txt", "mine"}}
            << QStringList(all.mid(0, 1) + all.mid(2)) << QStringList{"Nouveau0.gif"}
            << AppDirFill::Outcome::Incomplete;
    }
    void fill()
    {
        QFETCH(Tree, user);
        QFETCH(QStringList, added);
        QFETCH(QStringList, failed);
        QTemporaryDir temp;
        const QString pristine = temp.filePath("pristine");
        const QString appDir = temp.filePath("data/lumivue");
        QVERIFY(FolderTree::write(pristine, pristineTree));
        if (!user.isEmpty())
            QVERIFY(FolderTree::write(appDir, user));
        const Tree before = FolderTree::read(appDir);
        const Tree pristineBefore = FolderTree::read(pristine);

        const AppDirFill result = AppDirFill::run(pristine, appDir);
        QTEST(result.outcome, "outcome");
        QCOMPARE(result.added, added);
        QCOMPARE(result.failed, failed);
        for (const QString &name : std::as_const(failed))
            QVERIFY2(result.userMessage().contains(name), qPrintable(result.userMessage()));

        // Everything that was there is unchanged; each added file is the pristine one.
        const Tree after = FolderTree::read(appDir);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(after.value(it.key()), it.value());
        for (const QString &name : std::as_const(added))
            QCOMPARE(after.value(name), pristineTree.value(name));
        QCOMPARE(FolderTree::read(pristine), pristineBefore);

        // A second start finds nothing more to do and changes nothing.
        const AppDirFill again = AppDirFill::run(pristine, appDir);
        QVERIFY(again.added.isEmpty());
        QCOMPARE(again.failed, failed);
        QCOMPARE(FolderTree::read(appDir), after);
    }

    void readOnlyPristineGivesWritableCopies()
    {
        QTemporaryDir temp;
        const QString pristine = temp.filePath("pristine");
        QVERIFY(FolderTree::write(pristine, {{"Nouveau.lmv", "x"}}));
        QVERIFY(
            QFile::setPermissions(pristine + "/Nouveau.lmv", QFile::ReadOwner | QFile::ReadOther));
        QVERIFY(AppDirFill::run(pristine, temp.filePath("app")).complete());
        QVERIFY(QFile::permissions(temp.filePath("app/Nouveau.lmv")) & QFile::WriteOwner);
    }

    // The shipped pristine folder holds what the program reads, in the formats it expects.
    void shippedFolder()
    {
        const QString root = qEnvironmentVariable("LUMIVUE_APPDATA");
        QVERIFY(QFileInfo(root).isDir());
        for (const QString name :
             {"Nouveau.lmv", "Nouveau0.gif", "imgFond.jpg", "imgFondTable.jpg", "sohifrm2.wav"}) {
            QFile original(root + "/" + name), restored(root + "/Restaurer/" + name);
            QVERIFY2(original.open(QIODevice::ReadOnly) && restored.open(QIODevice::ReadOnly),
                     qPrintable(name));
            QVERIFY2(original.readAll() == restored.readAll(), qPrintable(name));
        }
        for (const QString folder :
             {"Textures", "Modeles", "Aide", "Aide_Contextuelle", "AideCapture", "Exemples"})
            QVERIFY2(!QDir(root + "/" + folder).isEmpty(), qPrintable(folder));

        QFile raw(root + "/Nouveau.lmv");
        QVERIFY(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        QVERIFY(bytes.endsWith("\r\n") && bytes.count("\r\n") == bytes.count('\n'));
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF")); // fits Windows-1252
        const QStringList lines = TextFile::splitLines(TextFile::decode(bytes));
        QCOMPARE(lines.mid(0, 3), QStringList({"Nom=Nouveau", "Repertoire=", "NbSprite=1"}));
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[3].startsWith("Tag=") && lines[3].size() > 4);
        QVERIFY(lines[4].startsWith("<font face='") && lines[4].endsWith("</font>"));

        QCOMPARE(QImageReader(root + "/Nouveau0.gif").size(), QSize(600, 350));
        QVERIFY(QImageReader(root + "/imgFond.jpg").canRead());
        QVERIFY(QImageReader(root + "/imgFondTable.jpg").canRead());

        QFile wav(root + "/sohifrm2.wav");
        QVERIFY(wav.open(QIODevice::ReadOnly));
        const QByteArray header = wav.read(44);
        const auto u16 = [&](int at) { return quint8(header[at]) | quint8(header[at + 1]) << 8; };
        const auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
        QVERIFY(header.startsWith("RIFF") && header.mid(8, 4) == "WAVE");
        QCOMPARE(u16(22), 1);             // mono
        QCOMPARE(u32(24), 22050);         // samples per second
        QCOMPARE(u16(34), 16);            // bits per sample
        QVERIFY(u32(40) / 2 < 22050 / 2); // fewer samples than half a second holds
    }
};

QTEST_GUILESS_MAIN(TestAppFolders)
#include "tst_appfolders.moc"
