#include "app/appdirfill.h"
#include "app/appfolders.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"
#include "support/tempfolder.h"

#include <QImageReader>
#include <QTest>

Q_DECLARE_METATYPE(AppDirFill::Outcome)

namespace {

// A pristine folder with files at several depths; each file's content names it.
const Files pristineTree = {
    {"Nouveau.lmv", "pristine Nouveau.lmv"},
    {"Nouveau0.gif", "pristine Nouveau0.gif"},
    {"Aide/AideCD.htm", "pristine AideCD.htm"},
    {"Modeles/Sous/Profond.htm", "pristine Profond.htm"},
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
        const QString share = "/home/ana/.local/share/lumivue";
        // clang-format off
        QTest::newRow("Unset") << QString() << QString() << share << "/home/ana/.local/state/lumivue";
        QTest::newRow("TrailingSlashes") << "/srv/d/" << "/srv/s//" << "/srv/d/lumivue" << "/srv/s/lumivue";
        QTest::newRow("RelativeIgnored") << "data" << "/run/s" << share << "/run/s/lumivue";
        // clang-format on
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
        QTest::addColumn<Files>("present"); // folders end in "/"
        QTest::addColumn<QString>("found"); // relative to the temp dir, "" for none
        const QString installed = "share/lumivue/appdata";
        QTest::newRow("BesideExecutable")
            << "" << Files{{"bin/appdata/", ""}, {installed + "/", ""}} << "bin/appdata";
        QTest::newRow("PlainFileSkipped")
            << "" << Files{{"bin/appdata", "x"}, {installed + "/", ""}} << installed;
        QTest::newRow("Override") << "mine" << Files{{"mine/", ""}, {"bin/appdata/", ""}} << "mine";
        QTest::newRow("OverrideMissingNoFallback") << "mine" << Files{{"bin/appdata/", ""}} << "";
    }
    void findPristine()
    {
        QFETCH(QString, override);
        QFETCH(Files, present);
        QFETCH(QString, found);
        TempFolder temp;
        temp.write(present);
        QProcessEnvironment env;
        if (!override.isEmpty())
            env.insert("LUMIVUE_APPDATA", temp.path(override));
        const auto result = AppFolders::findPristine(
            AppFolders::pristineCandidates(env, temp.path("bin")));
        QCOMPARE(result.value_or(QString()), found.isEmpty() ? QString() : temp.path(found));
    }

    void fill_data()
    {
        QTest::addColumn<Files>("user"); // the application folder before the fill
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("failed");
        QTest::addColumn<AppDirFill::Outcome>("outcome");
        const QStringList all = pristineTree.keys(); // in the order they are filled
        const auto but = [&](const QStringList &left) {
            QStringList rest = all;
            for (const QString &name : left)
                rest.removeOne(name);
            return rest;
        };
        // clang-format off
        QTest::newRow("FreshFolder") << Files{} << all << QStringList{} << AppDirFill::Outcome::Complete;
        QTest::newRow("UserChangedFilesSurvive") << Files{{"Nouveau.lmv", "my project"},
                                                          {"Aide/AideCD.htm", "my help"},
                                                          {"Aide/notes.txt", "my notes"}}
                                                 << but({"Nouveau.lmv", "Aide/AideCD.htm"})
                                                 << QStringList{} << AppDirFill::Outcome::Complete;
        QTest::newRow("EmptyFileIsTheUsers") << Files{{"Nouveau0.gif", ""}} << but({"Nouveau0.gif"}) << QStringList{} << AppDirFill::Outcome::Complete;
        QTest::newRow("FileWhereFolderBelongs")
            << Files{{"Textures", "mine"}} << but({"Textures/Ciel.jpg"}) << QStringList{"Textures/"}
            << AppDirFill::Outcome::Incomplete;
        QTest::newRow("FolderWhereFileBelongs")
            << Files{{"Nouveau0.gif/inside.txt", "mine"}} << but({"Nouveau0.gif"})
            << QStringList{"Nouveau0.gif"} << AppDirFill::Outcome::Incomplete;
        // clang-format on
    }
    void fill()
    {
        QFETCH(Files, user);
        QFETCH(QStringList, added);
        QFETCH(QStringList, failed);
        TempFolder temp;
        temp.write(pristineTree);
        TempFolder app; // the application folder is made inside it when missing
        for (auto it = user.cbegin(); it != user.cend(); ++it)
            app.write("lumivue/" + it.key(), it.value());
        const Files before = snapshotOf(app.path("lumivue"));
        const Files pristineBefore = temp.snapshot();

        const AppDirFill result = AppDirFill::run(temp.path(), app.path("lumivue"));
        QTEST(result.outcome, "outcome");
        QCOMPARE(QSet<QString>(result.added.begin(), result.added.end()),
                 QSet<QString>(added.begin(), added.end()));
        QCOMPARE(result.failed, failed);
        for (const QString &name : failed)
            QVERIFY2(result.userMessage().contains(name), qPrintable(result.userMessage()));
        // Everything that was there is unchanged; each added file is the pristine one.
        const Files after = snapshotOf(app.path("lumivue"));
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(after.value(it.key()), it.value());
        for (const QString &name : added)
            QCOMPARE(after.value(name), pristineTree.value(name));
        QCOMPARE(temp.snapshot(), pristineBefore);

        // A second start finds nothing more to do and changes nothing.
        const AppDirFill again = AppDirFill::run(temp.path(), app.path("lumivue"));
        QVERIFY(again.added.isEmpty());
        QCOMPARE(again.failed, failed);
        QCOMPARE(snapshotOf(app.path("lumivue")), after);
    }

    void readOnlyPristineGivesWritableCopies()
    {
        TempFolder temp;
        temp.write("pristine/Nouveau.lmv", "x");
        QVERIFY(QFile::setPermissions(temp.path("pristine/Nouveau.lmv"),
                                      QFile::ReadOwner | QFile::ReadOther));
        QVERIFY(AppDirFill::run(temp.path("pristine"), temp.path("app")).complete());
        QVERIFY(QFile::permissions(temp.path("app/Nouveau.lmv")) & QFile::WriteOwner);
    }

    // The assembled pristine folder holds what the program reads: the pristine
    // set beside the working files, a default project that opens, pictures and
    // a sound that can be read.
    void shippedFolder()
    {
        const QString root = qEnvironmentVariable("LUMIVUE_APPDATA");
        for (const QString name : {"Nouveau.lmv", "Nouveau.htm", "Nouveau.js", "Nouveau0.gif",
                                   "imgFond.jpg", "imgFondTable.jpg", "sohifrm2.wav"})
            QVERIFY2(readFile(root + "/" + name) == readFile(root + "/Restaurer/" + name),
                     qPrintable(name));
        QCOMPARE(readFile(root + "/Modeles/imgFondTable.jpg"),
                 readFile(root + "/imgFondTable.jpg"));
        for (const QString folder :
             {"Textures", "Modeles", "Aide", "Aide_Contextuelle", "AideCapture", "Exemples"})
            QVERIFY2(!QDir(root + "/" + folder).isEmpty(), qPrintable(folder));

        SlideshowProject project;
        project.folder = root;
        project.name = SlideshowProject::DefaultName;
        project.updateBasePath();
        QCOMPARE(ProjectStorage(project, QString()).ReadProjectFile(),
                 ProjectStorage::ReadResult::Loaded);
        QCOMPARE(project.slideCount, 1);
        QVERIFY(project.slideLines[0].startsWith("<font face='")
                && project.slideLines[0].endsWith("</font>"));
        QCOMPARE(project.imageTypes[0], ".gif");
        for (const char *picture : {"/Nouveau0.gif", "/imgFond.jpg", "/imgFondTable.jpg"})
            QVERIFY2(QImageReader(root + picture).canRead(), picture);
        QVERIFY(readFile(root + "/sohifrm2.wav").startsWith("RIFF"));
    }
};

QTEST_GUILESS_MAIN(TestAppFolders)
#include "tst_appfolders.moc"
