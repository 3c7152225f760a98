#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/frmcouleur.h"
#include "output/frmchangermodele.h"
#include "project/frminfo.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/picturebutton.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

// The help keys of the main window, the help buttons of the dialogs and the
// about window: its colour cycle and how it closes.
class TestHelpCommands : public QObject
{
    Q_OBJECT
private slots:
    void pageRequested_data();
    void pageRequested();
    void creditColourCycles();
    void closing_data();
    void closing();

private:
    TempFolder m_appDir;
    ScriptedPlatform m_platform;
    const AppContext m_context{m_platform, m_appDir.path(), m_appDir.path()};
};

void TestHelpCommands::pageRequested_data()
{
    QTest::addColumn<QString>("window"); // "" for the main window
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::newRow("MainHelp") << "" << "imgHelp" << "/Aide/AideCD.htm";
    QTest::newRow("Tutorial") << "" << "imgDidact" << "/Exemples/Didacticiel.htm";
    QTest::newRow("ColourPicker") << "frmCouleur" << "cmdHelp" << "/Aide_Contextuelle/CouleurTexte.htm";
    QTest::newRow("TemplateChooser") << "frmChangerModele" << "cmdHelp" << "/Aide_Contextuelle/ChangerModele.htm";
}

void TestHelpCommands::pageRequested()
{
    QFETCH(QString, window);
    m_platform.shellRequests.clear();
    m_platform.shellSucceeds = false; // no page, no browser
    FrmPrincipal main(m_context);
    const Features features(main, m_context);
    QWidget *shown = window.isEmpty() ? static_cast<QWidget *>(&main)
                     : window == "frmCouleur" ? static_cast<QWidget *>(new FrmCouleur(m_context, &main))
                                              : new FrmChangerModele(m_context, &main);
    shown->show();
    QFETCH(QString, button);
    QTest::mouseClick(shown->findChild<QWidget *>(button), Qt::LeftButton);
    QFETCH(QString, page);
    QCOMPARE(m_platform.shellRequests, QStringList(m_appDir.path() + page));
    QVERIFY(m_platform.messages.isEmpty());
    QVERIFY(shown->isVisible());
}

void TestHelpCommands::creditColourCycles()
{
    FrmInfo window(m_appDir.path());
    window.cycleTimer->stop();
    const auto colour = [&] { return window.lblInfo[6]->palette().color(QPalette::WindowText); };
    window.tick();
    QCOMPARE(colour(), QColor(128, 125, 128));
    while (window.tickCount() < 250)
        window.tick();
    QCOMPARE(colour(), QColor(127, 129, 2));
}

void TestHelpCommands::closing_data()
{
    QTest::addColumn<QString>("target"); // "" for the background
    QTest::addColumn<bool>("closes");
    QTest::newRow("Label") << "lblInfo" << false;
    QTest::newRow("Background") << "" << true;
    QTest::newRow("ClosePicture") << "Image1" << true;
}

void TestHelpCommands::closing()
{
    QFETCH(QString, target);
    QFETCH(bool, closes);
    FrmPrincipal main(m_context);
    const Features features(main, m_context);
    // Runs `inside` on the about window while it is shown modally.
    const auto whileShown = [&](const std::function<void(FrmInfo &)> &inside) {
        QTimer::singleShot(0, this, [&] {
            auto *about = qobject_cast<FrmInfo *>(QApplication::activeModalWidget());
            QVERIFY(about);
            inside(*about);
            if (about->isVisible()) // a failed check leaves it open
                about->close();
        });
        QTest::mouseClick(main.imgInfo, Qt::LeftButton);
    };
    QPointer<FrmInfo> first;
    whileShown([&](FrmInfo &about) {
        first = &about;
        QTRY_VERIFY(about.tickCount() >= 10);
        QWidget *clicked = target.isEmpty() ? &about : about.findChild<QWidget *>(target);
        // The background: left of the content, well inside the ellipse.
        QTest::mouseClick(clicked, Qt::LeftButton, {},
                          target.isEmpty() ? QPoint(60, about.height() / 2) : clicked->rect().center());
        QCOMPARE(about.isVisible(), !closes);
    });
    QTRY_VERIFY(first.isNull()); // closed windows are destroyed, and the next starts afresh
    whileShown([&](FrmInfo &about) { QVERIFY(about.tickCount() <= 1); });
}

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
