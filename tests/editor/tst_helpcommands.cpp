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
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

// The help keys of the main window, the help buttons of the dialogs and the
// about window: its colour cycle, its shape and how it closes.
class TestHelpCommands : public QObject
{
    Q_OBJECT
private slots:
    void pageRequested_data();
    void pageRequested();
    void creditColourCycles();
    void contentInsideTheEllipse();
    void closing_data();
    void closing();

private:
    // Releases imgInfo of a main window and runs `inside` on the about window
    // while it is shown modally; returns once the window is closed.
    void whileAboutShown(const std::function<void(FrmInfo &)> &inside);

    TempFolder m_appDir;
    ScriptedPlatform m_platform;
};

void TestHelpCommands::pageRequested_data()
{
    QTest::addColumn<QString>("window"); // "" for the main window
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    const auto row = [](const char *name, const char *window, const char *button,
                        const char *page) {
        QTest::newRow(name) << QString(window) << QString(button) << QString(page);
    };
    row("MainHelp", "", "imgHelp", "/Aide/AideCD.htm");
    row("Tutorial", "", "imgDidact", "/Exemples/Didacticiel.htm");
    row("ColourPicker", "frmCouleur", "cmdHelp", "/Aide_Contextuelle/CouleurTexte.htm");
    row("TemplateChooser", "frmChangerModele", "cmdHelp", "/Aide_Contextuelle/ChangerModele.htm");
}

void TestHelpCommands::pageRequested()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, page);

    m_platform.shellSucceeds = false; // no page, no browser
    const AppContext context{m_platform, m_appDir.path(), m_appDir.path()};
    FrmPrincipal main(context);
    const Features features(main, context);
    QWidget *shown = &main;
    if (window == "frmCouleur")
        shown = new FrmCouleur(context, &main);
    else if (window == "frmChangerModele")
        shown = new FrmChangerModele(context, &main);
    shown->show();
    QTest::mouseClick(shown->findChild<QWidget *>(button), Qt::LeftButton);

    QCOMPARE(m_platform.shellRequests, QStringList(m_appDir.path() + page));
    QVERIFY(m_platform.messages.isEmpty());
    m_platform.shellRequests.clear();
    QVERIFY(shown->isVisible());
}

void TestHelpCommands::creditColourCycles()
{
    FrmInfo window(m_appDir.path());
    window.cycleTimer->stop();
    const auto colour = [&] { return window.lblInfo[6]->palette().color(QPalette::WindowText); };
    window.tick();
    QCOMPARE(colour(), QColor(128, 125, 128));
    for (int t = 2; t <= 250; ++t)
        window.tick();
    QCOMPARE(colour(), QColor(127, 129, 2));
}

void TestHelpCommands::contentInsideTheEllipse()
{
    FrmInfo window(m_appDir.path());
    window.show();
    QList<QWidget *> parts{window.novelties, window.closePicture};
    for (QLabel *label : window.lblInfo)
        if (label)
            parts.append(label);
    for (QWidget *part : parts) // in the shape, and wide enough for its text
        QVERIFY2(window.mask().contains(part->geometry())
                     && part->width() >= part->sizeHint().width(),
                 qPrintable(part->objectName() + part->property("index").toString()));
    QCOMPARE(window.novelties->verticalScrollBar()->maximum(), 0);
}

void TestHelpCommands::whileAboutShown(const std::function<void(FrmInfo &)> &inside)
{
    const AppContext context{m_platform, m_appDir.path(), m_appDir.path()};
    FrmPrincipal main(context);
    const Features features(main, context);
    QTimer::singleShot(0, this, [&] {
        auto *about = qobject_cast<FrmInfo *>(QApplication::activeModalWidget());
        QVERIFY(about);
        inside(*about);
        if (about->isVisible()) // a failed check leaves it open
            about->close();
    });
    QTest::mouseClick(main.imgInfo, Qt::LeftButton);
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
    QPointer<FrmInfo> first;
    int ticks = 0;
    whileAboutShown([&](FrmInfo &about) {
        first = &about;
        QTRY_VERIFY(about.tickCount() >= 10);
        ticks = about.tickCount();
        QWidget *clicked = target.isEmpty() ? &about : about.findChild<QWidget *>(target);
        // The background: left of the content, well inside the ellipse.
        QTest::mouseClick(clicked, Qt::LeftButton, {},
                          target.isEmpty() ? QPoint(60, about.height() / 2)
                                           : clicked->rect().center());
        QCOMPARE(about.isVisible(), !closes);
    });
    QTRY_VERIFY(first.isNull()); // closed windows are destroyed...
    // ...and the next one starts afresh.
    whileAboutShown([&](FrmInfo &about) { QVERIFY(about.tickCount() < ticks); });
}

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
