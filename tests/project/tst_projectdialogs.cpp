#include "platform/appcontext.h"
#include "project/frmlmv.h"
#include "project/frmsauversous.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/browsefolderlist.h"
#include "widgets/patternfilelist.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUuid>

Q_DECLARE_METATYPE(OpenChoice::Kind)

namespace {

using Answer = Platform::Answer;

// Runs act once the dialog is up; whatever act leaves open is cancelled.
template <typename Dialog> void whileShown(Dialog &dialog, std::function<void()> act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act();
        if (dialog.isVisible())
            dialog.cmdAnnuler->click();
    });
}

QQueue<Answer> answersOf(const QString &letters)
{
    QQueue<Answer> answers;
    for (QChar c : letters)
        answers << (c == 'Y' ? Answer::Yes : c == 'N' ? Answer::No : Answer::Ok);
    return answers;
}

QString titles(const ScriptedPlatform &platform)
{
    QStringList all;
    for (const auto &m : platform.messages)
        all << m.title;
    return all.join('|');
}

} // namespace

class TestProjectDialogs : public QObject
{
    Q_OBJECT
private slots:
    void saveAsName_data();
    void saveAsName();
    void createFolder_data();
    void createFolder();
    void createFolderAtRoot();
    void openChoice_data();
    void openChoice();
    void openReopensWhereLeft();
};

// A fresh folder, platform and context for each case.
struct Fixture
{
    ScriptedPlatform platform;
    TempFolder temp;
    AppContext context{platform, temp.path("app"), temp.path("state")};
};

void TestProjectDialogs::saveAsName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folder"); // below the temporary folder
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QString>("saved"); // the name handed back, "" when cancelled
    // clang-format off
    QTest::newRow("Vacances2007") << "Vacances2007" << "work" << "" << "Nom Invalide" << "";
    QTest::newRow("Mes vacances") << "Mes vacances" << "work" << "" << "Nom Invalide" << "";
    QTest::newRow("Mes_vacances") << "Mes_vacances" << "work" << "" << "" << "Mes_vacances";
    QTest::newRow("Vacances.lmv") << "Vacances.lmv" << "work" << "" << "" << "Vacances";
    QTest::newRow(".lmv") << ".lmv" << "work" << "" << "Nom Invalide" << "";
    QTest::newRow("Accented") << "Été" << "work" << "" << "Nom Invalide" << "";
    QTest::newRow("Nouveau") << "Nouveau" << "work" << "" << "" << "";
    QTest::newRow("aaaa") << "aaaa" << "work" << "" << "" << "";
    QTest::newRow("nouveau") << "nouveau" << "work" << "" << "" << "nouveau";
    QTest::newRow("Empty") << "" << "work" << "" << "" << "";
    QTest::newRow("AppFolder") << "Vacances" << "app" << "" << "Erreur de répertoire" << "";
    QTest::newRow("OverwriteNoThenAnnuler") << "Autre" << "work" << "N" << "ALERTE" << "";
    QTest::newRow("OverwriteYes") << "Autre.lmv" << "work" << "Y" << "ALERTE" << "Autre";
    // clang-format on
}

void TestProjectDialogs::saveAsName()
{
    Fixture f;
    QFETCH(QString, text);
    QFETCH(QString, folder);
    QFETCH(QString, answers);
    f.temp.write("work/Autre.lmv");
    f.temp.write("app/Nouveau.lmv");
    f.platform.answers = answersOf(answers);
    FrmSauverSous dialog(f.context);
    bool stayedOpen = false;
    whileShown(dialog, [&] {
        dialog.folders->setPath(f.temp.path(folder));
        dialog.nameBox->setText(text);
        dialog.cmdOK->click();
        stayedOpen = dialog.isVisible();
    });
    const auto chosen = dialog.choose();
    QTEST(titles(f.platform), "titles");
    // A refusal or a No leaves the dialog open for another choice.
    QCOMPARE(stayedOpen, !chosen && !f.platform.messages.isEmpty());
    QTEST(chosen ? chosen->name : QString(), "saved");
    if (chosen)
        QCOMPARE(chosen->folder, f.temp.path(folder));
}

void TestProjectDialogs::createFolder_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QVariant>("input"); // invalid: the input box is cancelled
    QTest::addColumn<bool>("created");
    // clang-format off
    QTest::newRow("Created") << "Y" << QVariant("Nouveau Dossier") << true;
    QTest::newRow("Declined") << "N" << QVariant("Nouveau Dossier") << false;
    QTest::newRow("InputCancelled") << "Y" << QVariant() << false;
    QTest::newRow("EmptyName") << "Y" << QVariant("") << false;
    QTest::newRow("AlreadyThere") << "Y" << QVariant("Existe") << false;
    // clang-format on
}

void TestProjectDialogs::createFolder()
{
    Fixture f;
    QFETCH(QString, answers);
    QFETCH(QVariant, input);
    QFETCH(bool, created);
    f.temp.write("work/Existe/");
    f.platform.answers = answersOf(answers);
    f.platform.inputs.clear();
    f.platform.inputs.enqueue(input.isValid() ? std::optional<QString>(input.toString())
                                              : std::nullopt);
    FrmSauverSous dialog(f.context);
    dialog.folders->setPath(f.temp.path("work"));
    dialog.nameBox->setText("Nom");
    const Files before = f.temp.snapshot();
    emit dialog.folders->tree()->customContextMenuRequested({5, 5});
    QCOMPARE(f.platform.messages.value(0).text,
             "Voulez-vous créer un nouveau dossier dans le répertoire\r\n" + f.temp.path("work")
                 + " ?");
    if (created) {
        QVERIFY(QFileInfo(f.temp.path("work/Nouveau Dossier")).isDir());
        QCOMPARE(dialog.folders->path(), f.temp.path("work/Nouveau Dossier"));
        QCOMPARE(dialog.files->folder(), dialog.folders->path());
        QVERIFY(dialog.nameBox->text().isEmpty());
    } else {
        QCOMPARE(f.temp.snapshot(), before);
        QCOMPARE(dialog.folders->path(), f.temp.path("work"));
    }
}

// A folder made in the root of the file system is made right under it,
// without a doubled separator. (Needs a writable root; it goes again at once.)
void TestProjectDialogs::createFolderAtRoot()
{
    if (!QFileInfo(QDir::rootPath()).isWritable())
        QSKIP("the root folder cannot be written here");
    Fixture f;
    const QString name = "lumivue-essai-" + QUuid::createUuid().toString(QUuid::Id128);
    f.platform.answers = answersOf("Y");
    f.platform.inputs.enqueue(name);
    FrmSauverSous dialog(f.context);
    dialog.folders->setPath(QDir::rootPath());
    emit dialog.folders->tree()->customContextMenuRequested({5, 5});
    const bool made = QDir(QDir::rootPath()).rmdir(name);
    QVERIFY(made);
    QCOMPARE(dialog.folders->path(), "/" + name);
    QCOMPARE(f.platform.messages.value(0).text,
             "Voulez-vous créer un nouveau dossier dans le répertoire\r\n/ ?");
}

void TestProjectDialogs::openChoice_data()
{
    QTest::addColumn<QString>("selected"); // file selected before the button
    QTest::addColumn<QString>("button");   // "ok", "double", "cancel"
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<OpenChoice::Kind>("kind");
    using K = OpenChoice::Kind;
    // clang-format off
    QTest::newRow("Chosen") << "Vacances.lmv" << "ok" << false << K::Project;
    QTest::newRow("DoubleClick") << "Vacances.lmv" << "double" << true << K::Project;
    QTest::newRow("BackupFileWithProject") << "aaaa.lmv" << "ok" << true << K::Reopen;
    QTest::newRow("BackupFileWithout") << "aaaa.lmv" << "ok" << false << K::Nothing;
    QTest::newRow("NothingSelected") << "" << "ok" << true << K::Reopen;
    QTest::newRow("CancelWithProject") << "Vacances.lmv" << "cancel" << true << K::Reopen;
    QTest::newRow("CancelWithout") << "Vacances.lmv" << "cancel" << false << K::Nothing;
    // clang-format on
}

void TestProjectDialogs::openChoice()
{
    Fixture f;
    QFETCH(QString, selected);
    QFETCH(QString, button);
    QFETCH(bool, loaded);
    f.temp.write("work/Vacances.lmv");
    f.temp.write("work/aaaa.lmv");
    FrmLmv dialog(f.context);
    whileShown(dialog, [&] {
        dialog.folders->setPath(f.temp.path("work"));
        if (!selected.isEmpty())
            QVERIFY(dialog.files->selectFile(selected));
        if (button == "ok")
            dialog.cmdOK->click();
        else if (button == "double")
            emit dialog.files->itemActivated(dialog.files->currentItem());
    });
    const OpenChoice choice = dialog.choose(loaded);
    QTEST(choice.kind, "kind");
    if (choice.kind == OpenChoice::Kind::Project) {
        QCOMPARE(choice.project.folder, f.temp.path("work"));
        QCOMPARE(choice.project.name, QString("Vacances"));
    }
}

// The dialog is kept between uses: it opens again in the folder left, and
// lists the project files made meanwhile.
void TestProjectDialogs::openReopensWhereLeft()
{
    Fixture f;
    f.temp.write("work/Vacances.lmv");
    FrmLmv dialog(f.context);
    QCOMPARE(dialog.folders->path(), QDir::currentPath());
    whileShown(dialog, [&] {
        dialog.folders->setPath(f.temp.path("work"));
        dialog.files->selectFile("Vacances.lmv");
        dialog.cmdOK->click();
    });
    dialog.choose(false);
    f.temp.write("work/Neuf.lmv");
    QString shownFolder;
    QStringList shownFiles;
    whileShown(dialog, [&] {
        shownFolder = dialog.folders->path();
        for (int i = 0; i < dialog.files->count(); ++i)
            shownFiles << dialog.files->item(i)->text();
    });
    dialog.choose(true);
    QCOMPARE(shownFolder, f.temp.path("work"));
    QCOMPARE(shownFiles, (QStringList{"Neuf.lmv", "Vacances.lmv"}));
}

QTEST_MAIN(TestProjectDialogs)
#include "tst_projectdialogs.moc"
