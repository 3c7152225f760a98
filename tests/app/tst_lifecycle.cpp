#include "app/appdirfill.h"
#include "app/features.h"
#include "app/frmprincipal.h"
#include "project/frmsauversous.h"
#include "project/lifecyclecommands.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/browsefolderlist.h"
#include "widgets/picturebutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

namespace {

void click(PictureButton *button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

bool holds(const QString &file, const QByteArray &part) { return readFile(file).contains(part); }

} // namespace

// A user's first slideshow, from an empty start to leaving the program, with
// the files on disk checked after each step.
class TestLifeCycle : public QObject
{
    Q_OBJECT
private slots:
    void firstSlideshow()
    {
        TempFolder temp;
        ScriptedPlatform platform;
        const AppContext context{platform, temp.path("app"), temp.path("state")};
        QVERIFY(
            AppDirFill::run(qEnvironmentVariable("LUMIVUE_APPDATA"), context.appDir).complete());
        const Files pristine = snapshotOf(context.appDir);
        const QString backup = context.backupRoot + "/aaaa.lmv";
        FrmPrincipal w(context);
        Features features(w, context);
        w.show();

        // Start: the picture area says how to begin; what needs a slideshow is dimmed.
        QVERIFY(w.lblAccueil->isVisible() && w.imgSave->isDimmed() && !w.imgNew->isDimmed());
        click(w.imgNew);
        QVERIFY(!w.lblAccueil->isVisible() && !w.imgSave->isDimmed());
        QVERIFY(w.lblNomDiapo->text() == "Nouveau" && holds(backup, "Nom=Nouveau"));

        // Save as "Vacances" in a folder made from the dialog.
        FrmSauverSous &saveAs = features.lifeCycle().saveAsDialog();
        platform.answer("Y");
        platform.inputs.enqueue(QString("Diaporamas"));
        QTimer::singleShot(0, &saveAs, [&] {
            saveAs.folders->setPath(temp.path());
            emit saveAs.folders->tree()->customContextMenuRequested({5, 5});
            saveAs.nameBox->setText("Vacances");
            saveAs.cmdOK->click();
        });
        click(w.imgSaveSous);
        const QString base = temp.path("Diaporamas/Vacances");
        for (const char *file : {".lmv", ".htm", ".js", "0.gif"})
            QVERIFY2(QFile::exists(base + file), file);
        QCOMPARE(snapshotOf(context.appDir), pristine);
        QVERIFY(w.lblNomDiapo->text() == "Vacances" && holds(backup, "Nom=Vacances"));

        // The header and a caption are edited, then saved.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtEntete->setFocus();
        QTRY_VERIFY(w.txtEntete->hasFocus());
        w.txtEntete->setText("Bretagne 2007");
        w.richtxtTexteInfo->setFocus();
        QTRY_VERIFY(!w.project.saved);
        w.richtxtTexteInfo->setPlainText("Plage de Carnac");
        click(w.imgSave);
        QCOMPARE(platform.messages.last().text, "Enregistrement réussi.");
        QVERIFY(holds(base + ".lmv", "\r\nTag=Bretagne 2007\r\n")
                && holds(backup, "Plage de Carnac"));

        // Quit asks twice, saves, and ends without putting anything back.
        platform.answer("YY");
        click(w.imgQuitter);
        QCOMPARE(platform.messages.last().title, "ENREGISTRER");
        QVERIFY(!w.isVisible() && !QFile::exists(backup)
                && holds(base + ".lmv", "Plage de Carnac"));
        QCOMPARE(snapshotOf(context.appDir), pristine);
    }
};

QTEST_MAIN(TestLifeCycle)
#include "tst_lifecycle.moc"
