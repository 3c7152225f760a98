#include "app/frmprincipal.h"
#include "app/picturebutton.h"
#include "editor/frmcouleur.h"
#include "output/frmchangermodele.h"
#include "support/scriptedplatform.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Every help button asks the shell for exactly its page, and only that.
class TestHelpCommands : public QObject
{
    Q_OBJECT
private slots:
    void pageRequested_data();
    void pageRequested();
};

using Press = std::function<QWidget *(Platform &, const QString &, QWidget &)>;
Q_DECLARE_METATYPE(Press)

void TestHelpCommands::pageRequested_data()
{
    QTest::addColumn<Press>("press");   // presses the button, returns the dialog shown
    QTest::addColumn<QString>("page");

    const auto mainKey = [](PictureButton *FrmPrincipal::*key) {
        return Press([key](Platform &, const QString &, QWidget &main) {
            QTest::mouseClick(static_cast<FrmPrincipal &>(main).*key, Qt::LeftButton);
            return nullptr;
        });
    };
    QTest::newRow("MainHelp") << mainKey(&FrmPrincipal::imgHelp) << "/Aide/AideCD.htm";
    QTest::newRow("Tutorial") << mainKey(&FrmPrincipal::imgDidact) << "/Exemples/Didacticiel.htm";
    QTest::newRow("ColourPicker")
        << Press([](Platform &platform, const QString &appDir, QWidget &main) -> QWidget * {
               static QString colour;
               auto *dialog = new FrmCouleur(platform, appDir, colour, &main);
               dialog->show();
               QTest::mouseClick(dialog->cmdHelp, Qt::LeftButton);
               return dialog;
           })
        << "/Aide_Contextuelle/CouleurTexte.htm";
    QTest::newRow("TemplateChooser")
        << Press([](Platform &platform, const QString &appDir, QWidget &main) -> QWidget * {
               auto *dialog = new FrmChangerModele(platform, appDir, &main);
               dialog->show();
               QTest::mouseClick(dialog->cmdHelp, Qt::LeftButton);
               return dialog;
           })
        << "/Aide_Contextuelle/ChangerModele.htm";
}

void TestHelpCommands::pageRequested()
{
    QFETCH(Press, press);
    QFETCH(QString, page);

    // No page and no browser: the request fails, and Lumivue says nothing.
    QTemporaryDir appDir;
    ScriptedPlatform platform;
    platform.shellSucceeds = false;
    FrmPrincipal main(platform, appDir.path(), appDir.path());
    QWidget *dialog = press(platform, appDir.path(), main);

    QCOMPARE(platform.shellRequests, QStringList(appDir.path() + page));
    QVERIFY(platform.messages.isEmpty());
    if (dialog)
        QVERIFY(dialog->isVisible());
}

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
