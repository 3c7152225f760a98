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
    void creditColourCycles_data();
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

void TestHelpCommands::creditColourCycles_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("FirstTick") << 1 << QColor(128, 125, 128);
    QTest::newRow("Tick250") << 250 << QColor(127, 129, 2);
}

void TestHelpCommands::creditColourCycles()
{
    QFETCH(int, ticks);
    QFETCH(QColor, colour);
    FrmInfo window(m_appDir.path());
    window.cycleTimer->stop();
    for (int t = 0; t < ticks; ++t)
        window.tick();
    QCOMPARE(window.lblInfo[6]->palette().color(QPalette::WindowText), colour);
}

void TestHelpCommands::contentInsideTheEllipse()
{
    FrmInfo window(m_appDir.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QList<QWidget *> parts{window.novelties, window.closePicture};
    for (QLabel *label : window.lblInfo)
        if (label)
            parts.append(label);
    for (QWidget *part : parts) {
        const QString name = part->objectName() + part->property("index").toString();
        QVERIFY2(window.mask().contains(part->geometry()), qPrintable(name));
        QVERIFY2(part->width() >= part->sizeHint().width(), qPrintable(name));
    }
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
    QTest::newRow("NoveltiesText") << "qt_scrollarea_viewport" << false;
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
    whileAboutShown(
        [&](FrmInfo &about) { QVERIFY(about.tickCount() < ticks); }); // ...and start afresh
}

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
