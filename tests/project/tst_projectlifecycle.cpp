#include "storagefixture.h"

#include "project/projectlifecycle.h"
#include "support/scriptedplatform.h"

Q_DECLARE_METATYPE(Platform::Buttons)
Q_DECLARE_METATYPE(Platform::Icon)

namespace {

// The window side, answered by the test; what it was asked is logged.
struct ScriptedWindow : LifeCycleWindow
{
    OpenChoice open;
    std::optional<ProjectLocation> saveAs;
    std::function<void()> restore;
    QStringList log;
    QList<QPair<int, int>> progress;

    OpenChoice chooseProjectToOpen(bool) override
    {
        log << "open dialog";
        return open;
    }
    std::optional<ProjectLocation> chooseSaveAsTarget() override
    {
        log << "save-as dialog";
        return saveAs;
    }
    void storeEdits() override { log << "store"; }
    void showCurrentSlide() override { log << "show"; }
    void projectChanged() override {}
    void restoreDefaultTemplate() override
    {
        log << "restore";
        if (restore)
            restore();
    }
    void endProcess() override { log << "end"; }
    void copyProgress(const QString &, int done, int total) override
    {
        progress.append({done, total});
    }
};

// An application folder with its default project, a work folder with two
// projects and a file that is not one, and the backup root.
struct Bench
{
    QTemporaryDir dir;
    QString appDir = dir.filePath("app"), work = dir.filePath("work");
    SlideshowProject p;
    ScriptedPlatform platform;
    ScriptedWindow window;
    ProjectLifeCycle life{p, platform, window, appDir, dir.filePath("backup")};

    Bench()
    {
        SlideshowProject scratch;
        makeProject(scratch, appDir, "Nouveau", {".gif"});
        makeProject(scratch, appDir + "/Restaurer", "Nouveau", {".gif"});
        for (const char *name : {"Vacances", "nouveau", "Autre"})
            makeProject(scratch, work, name, {".gif", ".jpg"});
        writeFile(work + "/Invalide.lmv", "Nom=I\r\nRepertoire=X\r\nNbSprite=201\r\nTag=\r\n");
        window.restore = [this] {
            QFile::copy(appDir + "/Restaurer/Nouveau.lmv", appDir + "/Nouveau.lmv");
        };
    }
    QString folderOf(const QString &name) const { return name == "Nouveau" ? appDir : work; }
};

using Answer = Platform::Answer;

// A changed picture large enough for a write limit to stop its copy half way.
const QByteArray kEditedImage = QByteArray("edited image ").repeated(100);

QQueue<Answer> answersOf(const QString &letters)
{
    QQueue<Answer> answers;
    for (QChar c : letters)
        answers << (c == 'Y' ? Answer::Yes : c == 'N' ? Answer::No : Answer::Ok);
    return answers;
}

QStringList titlesOf(const ScriptedPlatform &platform)
{
    QStringList titles;
    for (const auto &m : platform.messages)
        titles << m.title;
    return titles;
}

} // namespace

class TestProjectLifeCycle : public QObject
{
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void texts_data();
    void texts();
    void saveAs_data();
    void saveAs();
    void defaultProjectMissing_data();
    void defaultProjectMissing();
};

void TestProjectLifeCycle::commands_data()
{
    QTest::addColumn<QString>("setup"); // project open at the start, "+" when changed
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("answers"); // Y, N, O(k) in the order asked
    QTest::addColumn<QString>("chosen");  // the open dialog's answer
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QString>("openAfter");
    QTest::addColumn<QString>("work"); // the first project's files: saved, reverted, untouched
    QTest::addColumn<bool>("ended");

    // clang-format off
    QTest::newRow("QuitWithNothingOpen") << "" << "quit" << "Y" << "" << false << "QUITTER" << "" << "" << true;
    QTest::newRow("QuitAnsweredNo") << "Vacances+" << "quit" << "N" << "" << false << "QUITTER" << "Vacances" << "untouched" << false;
    QTest::newRow("QuitAlwaysAsksAfterSave") << "Vacances+" << "save quit" << "OYY" << "" << false << "SAUVEGARDE|QUITTER|ENREGISTRER" << "Vacances" << "saved" << true;
    QTest::newRow("QuitNoReverts") << "Vacances+" << "quit" << "YN" << "" << false << "QUITTER|ENREGISTRER" << "Vacances" << "reverted" << true;
    QTest::newRow("QuitYesYesOnNouveau") << "Nouveau+" << "quit" << "YYO" << "" << false << "QUITTER|ENREGISTRER|ALERTE" << "Nouveau" << "untouched" << false;
    QTest::newRow("QuitSaveFails") << "Vacances+" << "quit" << "YYO" << "" << true << "QUITTER|ENREGISTRER|ALERTE" << "Vacances" << "untouched" << false;
    QTest::newRow("NewFromNothing") << "" << "new" << "" << "" << false << "" << "Nouveau" << "" << false;
    QTest::newRow("NewOverChangedDefaultYes") << "Nouveau+" << "new" << "Y" << "" << false << "Projet en cours" << "Nouveau" << "saved" << false;
    QTest::newRow("NewAnsweredNo") << "Vacances+" << "new" << "N" << "" << false << "Projet en cours" << "Nouveau" << "reverted" << false;
    QTest::newRow("NewSaveFails") << "Vacances+" << "new" << "YO" << "" << true << "Projet en cours|ALERTE" << "Vacances" << "untouched" << false;
    QTest::newRow("OpenCancelWithProject") << "Vacances" << "open" << "" << "reopen" << false << "" << "Vacances" << "untouched" << false;
    QTest::newRow("OpenCancelWithoutProject") << "" << "open" << "" << "nothing" << false << "" << "" << "" << false;
    QTest::newRow("OpenOther") << "Vacances+" << "open" << "N" << "Autre" << false << "ENREGISTRER" << "Autre" << "reverted" << false;
    QTest::newRow("OpenChangedNouveauYes") << "Nouveau+" << "open" << "YO" << "Autre" << false << "ENREGISTRER|ALERTE" << "Nouveau" << "untouched" << false;
    QTest::newRow("OpenSaveFails") << "Vacances+" << "open" << "YO" << "Autre" << true << "ENREGISTRER|ALERTE" << "Vacances" << "untouched" << false;
    QTest::newRow("OpenNotAProject") << "Vacances" << "open" << "O" << "Invalide" << false << "ALERTE" << "Vacances" << "untouched" << false;
    QTest::newRow("OpenNotAProjectAfterRevert") << "Vacances+" << "open" << "NO" << "Invalide" << false << "ENREGISTRER|ALERTE" << "Vacances" << "reverted" << false;
    QTest::newRow("OpenMissingFile") << "" << "open" << "O" << "Absent" << false << "ALERTE" << "" << "" << false;
    QTest::newRow("SaveNamed") << "Vacances+" << "save" << "O" << "" << false << "SAUVEGARDE" << "Vacances" << "saved" << false;
    QTest::newRow("SaveLowerCaseNouveau") << "nouveau+" << "save" << "O" << "" << false << "SAUVEGARDE" << "nouveau" << "saved" << false;
    QTest::newRow("SaveNouveauRefused") << "Nouveau+" << "save" << "O" << "" << false << "ENREGISTREMENT IMPOSSIBLE" << "Nouveau" << "untouched" << false;
    QTest::newRow("SaveFails") << "Vacances+" << "save" << "O" << "" << true << "ALERTE" << "Vacances" << "untouched" << false;
    QTest::newRow("SaveWithNothingOpen") << "" << "save saveas" << "" << "" << false << "" << "" << "" << false;
    // clang-format on
}

void TestProjectLifeCycle::commands()
{
    QFETCH(QString, setup);
    QFETCH(QString, steps);
    QFETCH(QString, answers);
    QFETCH(QString, chosen);
    QFETCH(bool, diskFull);
    Bench b;
    const QString first = QString(setup).remove('+');
    const QString firstBase = b.folderOf(first) + "/" + first;
    const QByteArray pristineFile = readFile(firstBase + ".lmv");
    const QByteArray pristineImage = readFile(firstBase + "0.gif");
    if (!first.isEmpty())
        b.life.openFile(firstBase + ".lmv");
    if (setup.endsWith('+')) { // a caption and a picture changed since the last save
        b.p.slideLines[0] = "edited";
        b.p.saved = false;
        writeFile(firstBase + "0.gif", kEditedImage);
    }
    b.window.open = chosen == "reopen" ? OpenChoice{OpenChoice::Kind::Reopen, {}}
        : chosen == "nothing"          ? OpenChoice{}
                                       : OpenChoice{OpenChoice::Kind::Project, {b.work, chosen}};
    b.platform.answers = answersOf(answers);
    const Files backupBefore = snapshotOf(b.dir.filePath("backup"));
    {
        std::unique_ptr<FileSizeLimit> full(diskFull ? new FileSizeLimit(8) : nullptr);
        for (const QString &step : steps.split(' ')) {
            if (step == "quit")
                b.life.quitPressed();
            if (step == "new")
                b.life.NewProject();
            if (step == "open")
                b.life.openPressed();
            if (step == "save")
                b.life.savePressed();
            if (step == "saveas")
                b.life.saveAsPressed();
        }
    }
    QTEST(titlesOf(b.platform).join('|'), "titles");
    QTEST(b.p.loaded ? b.p.name : QString(), "openAfter");
    QTEST(b.window.log.contains("end"), "ended");
    QCOMPARE(b.platform.answers.size(), 0);
    // The open project always has its backup set, unless it was just saved or
    // reverted on the way out.
    const bool ended = b.window.log.contains("end");
    QCOMPARE(b.life.storage().hasOwnBackup(), b.p.loaded && !(ended && b.p.saved));
    if (diskFull) // nothing was discarded for a save that did not happen
        QCOMPARE(snapshotOf(b.dir.filePath("backup")), backupBefore);

    QFETCH(QString, work);
    const bool edited = setup.endsWith('+');
    if (work == "saved") {
        QVERIFY(readFile(firstBase + ".lmv").contains("\r\nedited\r\n"));
        QCOMPARE(readFile(firstBase + "0.gif"), kEditedImage);
    } else if (!work.isEmpty()) {
        QCOMPARE(readFile(firstBase + ".lmv"), pristineFile);
        QCOMPARE(readFile(firstBase + "0.gif"),
                 work == "untouched" && edited ? kEditedImage : pristineImage);
    }
    // A new slideshow after a Yes starts from what was saved in the default project.
    if (QTest::currentDataTag() == QLatin1String("NewOverChangedDefaultYes"))
        QCOMPARE(b.p.slideLines[0], QString("edited"));
}

void TestProjectLifeCycle::texts_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Platform::Buttons>("buttons");
    QTest::addColumn<Platform::Icon>("icon");
    using B = Platform::Buttons;
    using I = Platform::Icon;
    // clang-format off
    QTest::newRow("Quit") << "" << "quit" << "Voulez-vous vraiment quitter ?" << B::YesNo << I::None;
    QTest::newRow("QuitSave") << "Vacances" << "quit" << "Voulez-vous enregistrer votre travail ?" << B::YesNo << I::Stop;
    QTest::newRow("NoName") << "Nouveau" << "quit" << "Il est impossible de sauvegarder un fichier sans nom.\r\nUtilisez la méthode ENREGISTRER SOUS..." << B::Ok << I::Stop;
    QTest::newRow("New") << "Vacances" << "new" << "Un projet est en cours\r\nVoulez-vous l'enregistrer ?" << B::YesNo << I::Stop;
    QTest::newRow("Open") << "Vacances" << "open" << "Un projet est en cours.\r\nVoulez-vous enregistrer votre travail ?" << B::YesNo << I::Stop;
    QTest::newRow("Saved") << "Vacances" << "save" << "Enregistrement réussi." << B::Ok << I::None;
    QTest::newRow("SaveNouveau") << "Nouveau" << "save" << "Choisissez un nom de diaporama !\r\nUtilisez la commande ENREGISTRER SOUS..." << B::Ok << I::Exclamation;
    QTest::newRow("Cancelled") << "Vacances" << "saveas" << "L'opération a été annulée." << B::Ok << I::None;
    // clang-format on
}

void TestProjectLifeCycle::texts()
{
    QFETCH(QString, setup);
    QFETCH(QString, step);
    Bench b;
    if (!setup.isEmpty()) {
        b.life.openFile(b.folderOf(setup) + "/" + setup + ".lmv");
        b.p.saved = false;
    }
    b.platform.answers = answersOf("YY");
    step == "quit"       ? b.life.quitPressed()
        : step == "new"  ? b.life.NewProject()
        : step == "open" ? b.life.openPressed()
        : step == "save" ? b.life.savePressed()
                         : b.life.saveAsPressed();
    const auto &m = b.platform.messages.last();
    QTEST(m.text, "text");
    QTEST(m.buttons, "buttons");
    QTEST(m.icon, "icon");
}

void TestProjectLifeCycle::saveAs_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("target"); // folder below the temporary folder, "/", name
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("openAfter");
    // clang-format off
    QTest::newRow("FromDefault") << "Nouveau" << "work/Vacances2" << false << "Vacances2";
    QTest::newRow("OverAnOlderProject") << "Nouveau" << "work/Autre" << false << "Autre";
    QTest::newRow("OntoItself") << "Vacances" << "work/Vacances" << false << "Vacances";
    QTest::newRow("CopyFails") << "Nouveau" << "work/Vacances2" << true << "Nouveau";
    QTest::newRow("FolderMissing") << "Nouveau" << "absent/Vacances2" << false << "Nouveau";
    // clang-format on
}

void TestProjectLifeCycle::saveAs()
{
    QFETCH(QString, setup);
    QFETCH(QString, target);
    QFETCH(bool, diskFull);
    Bench b;
    const Files appBefore = snapshotOf(b.appDir);
    const QString setupBase = b.folderOf(setup) + "/" + setup;
    b.life.openFile(setupBase + ".lmv");
    b.p.slideLines[0] = "edited";
    b.p.saved = false;
    writeFile(setupBase + "0.gif", kEditedImage);
    const Files workBefore = snapshotOf(b.work);
    const QString folder = b.dir.filePath(target.section('/', 0, 0));
    const QString name = target.section('/', 1);
    b.window.saveAs = ProjectLocation{folder, name};
    {
        std::unique_ptr<FileSizeLimit> full(diskFull ? new FileSizeLimit(1000) : nullptr);
        b.life.saveAsPressed();
    }
    QTEST(b.p.name, "openAfter");
    const QString newBase = folder + "/" + name;
    if (b.p.name == name) {
        // The new folder holds the work; the default project is as it was.
        QVERIFY(readFile(newBase + ".lmv").contains("Repertoire=" + folder.toUtf8() + "\r\n"));
        QVERIFY(readFile(newBase + ".lmv").contains("\r\nedited\r\n"));
        QCOMPARE(readFile(newBase + "0.gif"), kEditedImage);
        QCOMPARE(readFile(newBase + ".htm"), readFile(setupBase + ".htm"));
        if (setup == "Nouveau")
            QCOMPARE(snapshotOf(b.appDir), appBefore);
        QCOMPARE(b.p.basePath, newBase);
        QVERIFY(b.p.saved && b.life.storage().hasOwnBackup());
        QCOMPARE(b.platform.messages.size(), 0);
    } else {
        // Told, nothing left behind, the open project as it was, still unsaved.
        QCOMPARE(b.platform.messages.size(), 1);
        QVERIFY(b.platform.messages[0].text.contains(name));
        QCOMPARE(snapshotOf(b.work), workBefore);
        QCOMPARE(readFile(setupBase + "0.gif"), kEditedImage);
        QVERIFY(!b.p.saved && b.life.storage().hasOwnBackup());
    }
    if (!diskFull && b.p.name == name) // every file was reported, the last one closing the copy
        QCOMPARE(b.window.progress.last().first, b.window.progress.last().second);
}

void TestProjectLifeCycle::defaultProjectMissing_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<bool>("restorable");
    QTest::addColumn<QString>("openAfter");
    // clang-format off
    QTest::newRow("Restored") << "" << true << "Nouveau";
    QTest::newRow("NotRestored") << "O" << false << "Vacances";
    // clang-format on
}

void TestProjectLifeCycle::defaultProjectMissing()
{
    QFETCH(QString, answers);
    QFETCH(bool, restorable);
    Bench b;
    b.life.openFile(b.work + "/Vacances.lmv");
    QFile::remove(b.appDir + "/Nouveau.lmv");
    if (!restorable)
        QFile::remove(b.appDir + "/Restaurer/Nouveau.lmv");
    b.platform.answers = answersOf(answers);
    b.life.NewProject();
    QTEST(b.p.name, "openAfter");
    QCOMPARE(b.window.log.count("restore"), 1); // asked once, never again without end
    QCOMPARE(b.platform.messages.size(), restorable ? 0 : 1);
}

QTEST_GUILESS_MAIN(TestProjectLifeCycle)
#include "tst_projectlifecycle.moc"
