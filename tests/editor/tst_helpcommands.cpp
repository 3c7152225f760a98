#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/frmcouleur.h"
#include "output/frmchangermodele.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/helpbutton.h"

#include <QTest>

// Every help button asks the shell for exactly its page, and only that; a
// page or browser that is missing brings no message and leaves the window open.
class TestHelpCommands : public QObject
{
    Q_OBJECT
private slots:
    void pageRequested_data();
    void pageRequested();
};

void TestHelpCommands::pageRequested_data()
{
    QTest::addColumn<QString>("window"); // "" for the main window
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::newRow("MainHelp") << ""
                              << "imgHelp"
                              << "/Aide/AideCD.htm";
    QTest::newRow("Tutorial") << ""
                              << "imgDidact"
                              << "/Exemples/Didacticiel.htm";
    QTest::newRow("ColourPicker") << "frmCouleur"
                                  << "cmdHelp"
                                  << "/Aide_Contextuelle/CouleurTexte.htm";
    QTest::newRow("TemplateChooser") << "frmChangerModele"
                                     << "cmdHelp"
                                     << "/Aide_Contextuelle/ChangerModele.htm";
}

void TestHelpCommands::pageRequested()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, page);

    TempFolder appDir;
    ScriptedPlatform platform;
    platform.shellSucceeds = false;
    const AppContext context{platform, appDir.path(), appDir.path()};
    FrmPrincipal main(context);
    const Features features(main, context);
    QWidget *shown = &main;
    if (window == "frmCouleur")
        shown = new FrmCouleur(context, &main);
    else if (window == "frmChangerModele")
        shown = new FrmChangerModele(context, &main);
    shown->show();
    QTest::mouseClick(shown->findChild<QWidget *>(button), Qt::LeftButton);

    QCOMPARE(platform.shellRequests, QStringList(appDir.path() + page));
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(shown->isVisible());
}

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
