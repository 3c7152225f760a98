#include "platform/appcontext.h"
#include "project/frmlmv.h"
#include "project/frmsauversous.h"
#include "support/listed.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/browsefolderlist.h"
#include "widgets/patternfilelist.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUuid>

Q_DECLARE_METATYPE(OpenChoice::Kind)

namespace {

// Runs act once the dialog is up; whatever act leaves open is cancelled.
template <typename Dialog> void whileShown(Dialog &dialog, std::function<void()> act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act();
        if (dialog.isVisible())
            dialog.cmdAnnuler->click();
    });
}

// A fresh folder, platform and context for each case.
struct Fixture
{
    ScriptedPlatform platform;
    TempFolder temp;
    AppContext context{platform, temp.path("app"), temp.path("state")};
};

} // namespace

class TestProjectDialogs : public QObject
{
    Q_OBJECT
private slots:
    void saveAsName_data()
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
    void saveAsName()
    {
        QFETCH(QString, text);
        QFETCH(QString, folder);
        QFETCH(QString, answers);
        Fixture f;
        f.temp.write(Files{{"work/Autre.lmv", ""}, {"app/Nouveau.lmv", ""}});
        f.platform.answer(answers);
        FrmSauverSous dialog(f.context);
        bool stayedOpen = false;
        whileShown(dialog, [&] {
            dialog.folders->setPath(f.temp.path(folder));
            dialog.nameBox->setText(text);
            dialog.cmdOK->click();
            stayedOpen = dialog.isVisible();
        });
        const auto chosen = dialog.choose();
        QTEST(f.platform.titles(), "titles");
        QTEST(chosen ? chosen->name : QString(), "saved");
        if (chosen)
            QCOMPARE(chosen->folder, f.temp.path(folder));
        // A refusal or a No leaves the dialog open for another choice.
        QCOMPARE(stayedOpen, !chosen && !f.platform.messages.isEmpty());
    }

    void createFolder_data()
    {
        QTest::addColumn<QString>("folder"); // below the temporary folder, or "/"
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QVariant>("input"); // invalid: the input box is cancelled
        QTest::addColumn<bool>("created");
        const QString unique = "lumivue-essai-" + QUuid::createUuid().toString(QUuid::Id128);
        // clang-format off
        QTest::newRow("Created") << "work" << "Y" << QVariant("Nouveau Dossier") << true;
        QTest::newRow("Declined") << "work" << "N" << QVariant("Nouveau Dossier") << false;
        QTest::newRow("InputCancelled") << "work" << "Y" << QVariant() << false;
        QTest::newRow("EmptyName") << "work" << "Y" << QVariant("") << false;
        QTest::newRow("AlreadyThere") << "work" << "Y" << QVariant("Existe") << false;
        // Right under the root, without a doubled separator (the folder goes again at once).
        QTest::newRow("AtRoot") << "/" << "Y" << QVariant(unique) << true;
        // clang-format on
    }
    void createFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QVariant, input);
        QFETCH(bool, created);
        if (folder == "/" && !QFileInfo(folder).isWritable())
            QSKIP("the root folder cannot be written here");
        Fixture f;
        f.temp.write("work/Existe/");
        const QString where = folder == "/" ? folder : f.temp.path(folder);
        QFETCH(QString, answers);
        f.platform.answer(answers);
        f.platform.inputs.enqueue(input.isValid() ? std::optional(input.toString()) : std::nullopt);
        FrmSauverSous dialog(f.context);
        dialog.folders->setPath(where);
        dialog.nameBox->setText("Nom");
        const Files before = f.temp.snapshot();
        emit dialog.folders->tree()->customContextMenuRequested({5, 5});
        QCOMPARE(f.platform.messages.value(0).text,
                 "Voulez-vous créer un nouveau dossier dans le répertoire\r\n" + where + " ?");
        if (created) {
            const QString made = (folder == "/" ? "/" : where + "/") + input.toString();
            QVERIFY(QFileInfo(made).isDir()
                    && (folder != "/" || QDir("/").rmdir(input.toString())));
            QCOMPARE(dialog.files->folder() + dialog.nameBox->text(), made); // Text1 emptied
        } else {
            QCOMPARE(f.temp.snapshot(), before);
            QCOMPARE(dialog.folders->path(), where);
        }
    }

    void openChoice_data()
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
    void openChoice()
    {
        QFETCH(QString, selected);
        QFETCH(QString, button);
        QFETCH(bool, loaded);
        Fixture f;
        f.temp.write(Files{{"work/Vacances.lmv", ""}, {"work/aaaa.lmv", ""}});
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

    // Kept between uses, the dialog opens again in the folder left, and lists
    // the project files made meanwhile.
    void openReopensWhereLeft()
    {
        Fixture f;
        f.temp.write("work/Vacances.lmv");
        FrmLmv dialog(f.context);
        QCOMPARE(dialog.folders->path(), QDir::currentPath());
        whileShown(dialog, [&] { dialog.folders->setPath(f.temp.path("work")); });
        dialog.choose(false);
        f.temp.write("work/Neuf.lmv");
        QStringList shown;
        whileShown(dialog, [&] { shown << dialog.folders->path() << listed(dialog.files); });
        dialog.choose(true);
        QCOMPARE(shown, (QStringList{f.temp.path("work"), "Neuf.lmv", "Vacances.lmv"}));
    }
};

QTEST_MAIN(TestProjectDialogs)
#include "tst_projectdialogs.moc"
