#include "storagefixture.h"

#include "project/projectlifecycle.h"
#include "support/scriptedplatform.h"

namespace {

// The window side, answered by the test.
struct ScriptedWindow : LifeCycleWindow
{
    OpenChoice open;
    std::optional<ProjectLocation> saveAs;
    std::function<void()> restore;
    int restores = 0;
    bool ended = false;
    QPair<int, int> progress; // the last one reported

    OpenChoice chooseProjectToOpen(bool) override { return open; }
    std::optional<ProjectLocation> chooseSaveAsTarget() override { return saveAs; }
    void storeEdits() override {}
    void showCurrentSlide() override {}
    void projectChanged() override {}
    void restoreDefaultTemplate() override { ++restores, restore(); }
    void endProcess() override { ended = true; }
    void copyProgress(const QString &, int done, int total) override { progress = {done, total}; }
};

// An application folder with its default project and its pristine copy, a
// work folder with three projects and a file that is not one, the backup root.
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
        const QByteArray oneSlide = "Nom=I\r\nRepertoire=X\r\nNbSprite=1\r\nTag=\r\n";
        writeFile(work + "/Longue.lmv", oneSlide + QByteArray(1024 * 1024 + 1, 'x'));
        writeFile(work + "/Enorme.lmv", oneSlide + "x\r\n");
        QFile::resize(work + "/Enorme.lmv", 64 * 1024 * 1024 + 1);
        window.restore = [&] {
            QFile::copy(appDir + "/Restaurer/Nouveau.lmv", appDir + "/Nouveau.lmv");
        };
    }
    QString baseOf(const QString &name) const
    {
        return (name == "Nouveau" ? appDir : work) + "/" + name;
    }
    // Opens a project, then changes a caption and a picture of it without saving.
    void openChanged(const QString &name, bool changed = true)
    {
        life.openFile(baseOf(name) + ".lmv");
        if (changed) {
            p.slideLines[0] = "edited";
            p.saved = false;
            writeFile(baseOf(name) + "0.gif", kEditedImage);
        }
    }
    // Large enough for a write limit to stop its copy half way.
    inline static const QByteArray kEditedImage = QByteArray("edited image ").repeated(100);
};

// A message as "buttons icon: text".
QString described(const ScriptedPlatform::Message &m)
{
    static const char *icons[] = {"none", "stop", "exclamation", "question", "information"};
    return QString(m.buttons == Platform::Buttons::YesNo ? "YesNo " : "Ok ") + icons[int(m.icon)]
        + ": " + m.text;
}

} // namespace

class TestProjectLifeCycle : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<QString>("setup"); // project open at the start, "+" when changed
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("answers"); // Y, N, O(k) in the order asked
        // The open dialog's project; the save-as folder/name; "missing" or
        // "lost" for a default project missing, restorable or not.
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("sizeLimit"); // bytes a file may be written, 0 for no limit
        QTest::addColumn<QString>("titles");
        // The start of the last message, described; a "*" stands for the path of a file.
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("openAfter");
        QTest::addColumn<QString>("work"); // the first project's files: saved, reverted, untouched
        QTest::addColumn<bool>("ended");

        const QString failed = "Ok stop: L'enregistrement du diaporama a échoué";
        // clang-format off
        QTest::newRow("QuitWithNothingOpen") << "" << "quit" << "Y" << "" << 0 << "QUITTER" << "YesNo none: Voulez-vous vraiment quitter ?" << "" << "" << true;
        QTest::newRow("QuitAnsweredNo") << "Vacances+" << "quit" << "N" << "" << 0 << "QUITTER" << "" << "Vacances" << "untouched" << false;
        QTest::newRow("QuitAlwaysAsksAfterSave") << "Vacances+" << "save quit" << "OYY" << "" << 0 << "SAUVEGARDE|QUITTER|ENREGISTRER" << "" << "Vacances" << "saved" << true;
        QTest::newRow("QuitNoReverts") << "Vacances+" << "quit" << "YN" << "" << 0 << "QUITTER|ENREGISTRER" << "YesNo stop: Voulez-vous enregistrer votre travail ?" << "Vacances" << "reverted" << true;
        QTest::newRow("QuitYesYesOnNouveau") << "Nouveau+" << "quit" << "YYO" << "" << 0 << "QUITTER|ENREGISTRER|ALERTE" << "Ok stop: Il est impossible de sauvegarder un fichier sans nom.\r\nUtilisez la méthode ENREGISTRER SOUS..." << "Nouveau" << "untouched" << false;
        QTest::newRow("QuitSaveFails") << "Vacances+" << "quit" << "YYO" << "" << 8 << "QUITTER|ENREGISTRER|ALERTE" << failed << "Vacances" << "untouched" << false;
        QTest::newRow("NewFromNothing") << "" << "new" << "" << "" << 0 << "" << "" << "Nouveau" << "" << false;
        QTest::newRow("NewOverChangedDefaultYes") << "Nouveau+" << "new" << "Y" << "" << 0 << "Projet en cours" << "YesNo stop: Un projet est en cours\r\nVoulez-vous l'enregistrer ?" << "Nouveau" << "saved" << false;
        QTest::newRow("NewAnsweredNo") << "Vacances+" << "new" << "N" << "" << 0 << "Projet en cours" << "" << "Nouveau" << "reverted" << false;
        QTest::newRow("NewSaveFails") << "Vacances+" << "new" << "YO" << "" << 8 << "Projet en cours|ALERTE" << failed << "Vacances" << "untouched" << false;
        QTest::newRow("NewDefaultRestored") << "Vacances" << "new" << "" << "missing" << 0 << "" << "" << "Nouveau" << "untouched" << false;
        QTest::newRow("NewDefaultLost") << "Vacances" << "new" << "O" << "lost" << 0 << "ALERTE" << "Ok stop: Le diaporama par défaut" << "Vacances" << "untouched" << false;
        QTest::newRow("OpenCancelWithProject") << "Vacances" << "open" << "" << "reopen" << 0 << "" << "" << "Vacances" << "untouched" << false;
        QTest::newRow("OpenCancelWithoutProject") << "" << "open" << "" << "nothing" << 0 << "" << "" << "" << "" << false;
        QTest::newRow("OpenOther") << "Vacances+" << "open" << "N" << "Autre" << 0 << "ENREGISTRER" << "YesNo stop: Un projet est en cours.\r\nVoulez-vous enregistrer votre travail ?" << "Autre" << "reverted" << false;
        QTest::newRow("OpenChangedNouveauYes") << "Nouveau+" << "open" << "YO" << "Autre" << 0 << "ENREGISTRER|ALERTE" << "Ok stop: Il est impossible" << "Nouveau" << "untouched" << false;
        QTest::newRow("OpenSaveFails") << "Vacances+" << "open" << "YO" << "Autre" << 8 << "ENREGISTRER|ALERTE" << failed << "Vacances" << "untouched" << false;
        QTest::newRow("OpenNotAProject") << "Vacances" << "open" << "O" << "Invalide" << 0 << "ALERTE" << "Ok exclamation: Le fichier «" << "Vacances" << "untouched" << false;
        QTest::newRow("OpenNotAProjectAfterRevert") << "Vacances+" << "open" << "NO" << "Invalide" << 0 << "ENREGISTRER|ALERTE" << "" << "Vacances" << "reverted" << false;
        QTest::newRow("OpenLineTooLong") << "Vacances+" << "open" << "NO" << "Longue" << 0 << "ENREGISTRER|ALERTE" << "Ok exclamation: Le fichier «*Longue.lmv\u00A0» n'est pas un projet Lumivue valide\u00A0: une de ses lignes dépasse 1\u00A0Mo" << "Vacances" << "reverted" << false;
        QTest::newRow("OpenTooLarge") << "Vacances" << "open" << "O" << "Enorme" << 0 << "ALERTE" << "Ok exclamation: Le fichier «*Enorme.lmv\u00A0» n'est pas un projet Lumivue valide\u00A0: il dépasse 64\u00A0Mo" << "Vacances" << "untouched" << false;
        QTest::newRow("OpenMissingFile") << "" << "open" << "O" << "Absent" << 0 << "ALERTE" << "" << "" << "" << false;
        QTest::newRow("SaveNamed") << "Vacances+" << "save" << "O" << "" << 0 << "SAUVEGARDE" << "Ok none: Enregistrement réussi." << "Vacances" << "saved" << false;
        QTest::newRow("SaveLowerCaseNouveau") << "nouveau+" << "save" << "O" << "" << 0 << "SAUVEGARDE" << "" << "nouveau" << "saved" << false;
        QTest::newRow("SaveNouveauRefused") << "Nouveau+" << "save" << "O" << "" << 0 << "ENREGISTREMENT IMPOSSIBLE" << "Ok exclamation: Choisissez un nom de diaporama !\r\nUtilisez la commande ENREGISTRER SOUS..." << "Nouveau" << "untouched" << false;
        QTest::newRow("SaveFails") << "Vacances+" << "save" << "O" << "" << 8 << "ALERTE" << failed << "Vacances" << "untouched" << false;
        QTest::newRow("SaveAsCancelled") << "Vacances+" << "saveas" << "O" << "" << 0 << "ANNULATION" << "Ok none: L'opération a été annulée." << "Vacances" << "untouched" << false;
        QTest::newRow("SaveAsFromDefault") << "Nouveau+" << "saveas" << "" << "work/Vacances2" << 0 << "" << "" << "Vacances2" << "reverted" << false;
        QTest::newRow("SaveAsOverOlder") << "Nouveau+" << "saveas" << "" << "work/Autre" << 0 << "" << "" << "Autre" << "reverted" << false;
        QTest::newRow("SaveAsOntoItself") << "Vacances+" << "saveas" << "" << "work/Vacances" << 0 << "" << "" << "Vacances" << "saved" << false;
        QTest::newRow("SaveAsCopyFails") << "Nouveau+" << "saveas" << "O" << "work/Vacances2" << 1000 << "ALERTE" << "Ok stop: Le diaporama n'a pas pu être enregistré sous « Vacances2 »" << "Nouveau" << "untouched" << false;
        QTest::newRow("SaveAsFolderMissing") << "Nouveau+" << "saveas" << "O" << "absent/Vacances2" << 0 << "ALERTE" << "Ok stop: Le diaporama n'a pas pu" << "Nouveau" << "untouched" << false;
        QTest::newRow("SaveWithNothingOpen") << "" << "save saveas" << "" << "" << 0 << "" << "" << "" << "" << false;
        // clang-format on
    }
    void commands()
    {
        QFETCH(QString, setup);
        QFETCH(QString, chosen);
        QFETCH(QString, work);
        Bench b;
        const QString first = QString(setup).remove('+');
        const QString base = b.baseOf(first);
        const Files pristine{{"lmv", readFile(base + ".lmv")}, {"gif", readFile(base + "0.gif")}};
        if (!first.isEmpty())
            b.openChanged(first, setup.endsWith('+'));
        b.window.open = chosen == "reopen" ? OpenChoice{OpenChoice::Kind::Reopen, {}}
            : chosen == "nothing"          ? OpenChoice{}
                                  : OpenChoice{OpenChoice::Kind::Project, {b.work, chosen}};
        if (chosen.contains('/'))
            b.window.saveAs = {b.dir.filePath(chosen.section('/', 0, 0)), chosen.section('/', 1)};
        if (chosen == "missing" || chosen == "lost")
            QFile::remove(b.appDir + "/Nouveau.lmv");
        if (chosen == "lost")
            QFile::remove(b.appDir + "/Restaurer/Nouveau.lmv");
        QFETCH(QString, answers);
        b.platform.answer(answers);
        QFETCH(int, sizeLimit);
        const QStringList before = sizeLimit ? snapshotOf(b.dir.path()).keys() : QStringList();
        {
            std::unique_ptr<FileSizeLimit> full(sizeLimit ? new FileSizeLimit(sizeLimit) : nullptr);
            const QHash<QString, std::function<void()>> press{
                {"quit", [&] { b.life.quitPressed(); }},
                {"new", [&] { b.life.NewProject(); }},
                {"open", [&] { b.life.openPressed(); }},
                {"save", [&] { b.life.savePressed(); }},
                {"saveas", [&] { b.life.saveAsPressed(); }}};
            QFETCH(QString, steps);
            for (const QString &step : steps.split(' '))
                press[step]();
        }
        QTEST(b.platform.titles(), "titles");
        QFETCH(QString, last);
        const QString shown = b.platform.messages.isEmpty() ? ""
                                                            : described(b.platform.messages.last());
        const QStringList around = last.split('*');
        QVERIFY2(shown.startsWith(around.first()) && shown.contains(around.last()),
                 qPrintable(shown));
        QTEST(b.p.loaded ? b.p.name : QString(), "openAfter");
        QTEST(b.window.ended, "ended");
        QCOMPARE(b.platform.answers.size(), 0);
        QVERIFY(b.window.restores <= 1); // a missing default project is restored once at most
        QCOMPARE(b.window.progress.first, b.window.progress.second); // each copy told its end
        // The open project always has its backup set, unless it was just saved
        // or reverted on the way out. A write that fails leaves nothing behind
        // and discards nothing.
        QCOMPARE(b.life.storage().hasOwnBackup(), b.p.loaded && !(b.window.ended && b.p.saved));
        if (sizeLimit)
            QCOMPARE(snapshotOf(b.dir.path()).keys(), before);
        // Another project now open: its files are what it shows; one saved
        // under a new name names its own folder.
        const QString file = QString::fromLatin1(readFile(b.p.basePath + ".lmv"));
        if (b.p.loaded && b.p.basePath != base)
            QVERIFY(file.contains("\r\n" + b.p.slideLines[0] + "\r\n"));
        if (chosen.contains('/') && b.p.basePath != base)
            QVERIFY(file.contains("\r\nRepertoire=" + b.p.folder + "\r\n"));
        const bool edited = setup.endsWith('+');
        if (work == "saved") {
            QVERIFY(readFile(base + ".lmv").contains("\r\nedited\r\n"));
            QCOMPARE(readFile(base + "0.gif"), Bench::kEditedImage);
        } else if (!work.isEmpty()) {
            QCOMPARE(readFile(base + ".lmv"), pristine["lmv"]);
            QCOMPARE(readFile(base + "0.gif"),
                     work == "untouched" && edited ? Bench::kEditedImage : pristine["gif"]);
        }
    }
};

QTEST_GUILESS_MAIN(TestProjectLifeCycle)
#include "tst_projectlifecycle.moc"
