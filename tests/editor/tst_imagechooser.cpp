#include "editor/imagechooser.h"
#include "editor/slidecommands.h"
#include "slidefolder.h"
#include "support/scriptedplatform.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturebutton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The two choosers as the slide commands use them: what the user does in
// them and what the slideshow becomes.
class TestImageChooser : public QObject
{
    Q_OBJECT
private slots:
    void choose_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("file");    // picked in src/, "" for none
        QTest::addColumn<QString>("caption"); // typed; "-" leaves the proposed text
        QTest::addColumn<QString>("how");     // OK pressed, double-click or window closed
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QString>("after"); // the project folder
        // clang-format off
        QTest::newRow("add: gives up") << true << "" << "Plage" << "ok" << "Y" << "QUITTER" << "P0.gif:P0.gif";
        QTest::newRow("add: closed") << true << "PHOTO.GIF" << "Plage" << "close" << "" << "" << "P0.gif:P0.gif";
        QTest::newRow("add: double-click") << true << "PHOTO.GIF" << "Plage" << "double" << "" << "" << "P0.gif:P0.gif P1.gif:PHOTO.GIF";
        QTest::newRow("add: proposed text kept") << true << "c.jpeg" << "-" << "ok" << "Y" << "QUITTER" << "P0.gif:P0.gif P1.jpg:c.jpeg";
        QTest::newRow("add: no text, stays") << true << "c.jpeg" << "" << "ok" << "N" << "QUITTER" << "P0.gif:P0.gif";
        QTest::newRow("add: text file") << true << "t.jpg" << "Plage" << "ok" << "" << "ATTENTION" << "P0.gif:P0.gif";
        QTest::newRow("change: gives up") << false << "" << "" << "ok" << "Y" << "QUITTER" << "P0.gif:P0.gif";
        QTest::newRow("change: closed") << false << "c.jpeg" << "" << "close" << "" << "" << "P0.gif:P0.gif";
        QTest::newRow("change: picked") << false << "c.jpeg" << "" << "ok" << "" << "" << "P0.jpg:c.jpeg";
        // clang-format on
    }
    void choose()
    {
        QFETCH(bool, adding);
        QFETCH(QString, file);
        QFETCH(QString, caption);
        QFETCH(QString, how);
        QFETCH(QString, answers);
        SlideFolder folder("P0.gif src/PHOTO.GIF src/c.jpeg src/d.png src/t.jpg=text");
        ScriptedPlatform platform;
        platform.answer(answers);
        QWidget window;
        PictureButton add, change, remove;
        QLabel count;
        int shown = 0;
        SlideCommands commands({&add, &change, &remove, &count, &window}, folder.project,
                               {platform, folder.temp.path(), folder.temp.path()},
                               {[] {}, [&shown] { ++shown; }});
        ImageChooser &chooser = adding ? commands.addChooser() : commands.changeChooser();
        chooser.setFolder(folder.temp.path("src"));
        QTimer::singleShot(0, &chooser, [&] {
            QCOMPARE(chooser.File1->count(), 3); // PHOTO.GIF, c.jpeg, t.jpg
            if (!file.isEmpty())
                chooser.File1->selectFile(file);
            if (chooser.txtInfo && caption != "-")
                chooser.txtInfo->setPlainText(caption);
            if (how == "double")
                emit chooser.File1->itemActivated(chooser.File1->currentItem());
            else if (how == "ok")
                chooser.cmdStop->click();
            if (chooser.isVisible())
                chooser.close();
        });
        emit(adding ? add : change).released();
        QTEST(platform.titles(), "titles");
        QTEST(folder.listing(), "after");
        const bool changed = folder.listing() != "P0.gif:P0.gif";
        QCOMPARE(shown, changed ? 1 : 0);
        QCOMPARE(folder.project.saved, !changed);
        QCOMPARE(folder.project.slideCount, adding && changed ? 2 : 1);
        if (adding && changed) {
            QCOMPARE(count.text(), "2");
            QCOMPARE(folder.project.slideLines[1],
                     caption == "-" ? ImageChooser::CaptionPrompt : caption);
        }
        // The other chooser opens where this one picked a picture.
        ImageChooser &other = adding ? commands.changeChooser() : commands.addChooser();
        QCOMPARE(other.folder() == folder.temp.path("src"), changed);
    }
};

QTEST_MAIN(TestImageChooser)
#include "tst_imagechooser.moc"
