#include "editor/imagechooser.h"
#include "editor/slidecommands.h"
#include "slidefolder.h"
#include "support/scriptedplatform.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturebutton.h"

#include <QLabel>
#include <QMimeData>
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
        // the file picked in src/ ("_": none), the caption typed ("_": none, "-": the
        // proposed text left), and OK pressed, a double-click, the window closed
        // or the file dropped onto the main window instead
        QTest::addColumn<QString>("acts");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QString>("after"); // the project folder
        // clang-format off
        QTest::newRow("add: gives up") << "_ Plage ok" << "Y" << "QUITTER" << "P0.gif:P0.gif";
        QTest::newRow("add: closed") << "PHOTO.GIF Plage close" << "" << "" << "P0.gif:P0.gif";
        QTest::newRow("add: double-click") << "PHOTO.GIF Plage double" << "" << "" << "P0.gif:P0.gif P1.gif:PHOTO.GIF";
        QTest::newRow("add: proposed text kept") << "c.jpeg - ok" << "Y" << "QUITTER" << "P0.gif:P0.gif P1.jpg:c.jpeg";
        QTest::newRow("add: no text, stays") << "c.jpeg _ ok" << "N" << "QUITTER" << "P0.gif:P0.gif";
        QTest::newRow("add: text file") << "t.jpg Plage ok" << "" << "ATTENTION" << "P0.gif:P0.gif";
        QTest::newRow("dropped") << "c.jpeg _ drop" << "" << "" << "P0.gif:P0.gif P1.jpg:c.jpeg";
        QTest::newRow("change: gives up") << "_ _ ok" << "Y" << "QUITTER" << "P0.gif:P0.gif";
        QTest::newRow("change: closed") << "c.jpeg _ close" << "" << "" << "P0.gif:P0.gif";
        QTest::newRow("change: picked") << "c.jpeg _ ok" << "" << "" << "P0.jpg:c.jpeg";
        // clang-format on
    }
    void choose()
    {
        const bool adding = !QByteArray(QTest::currentDataTag()).startsWith("change");
        QFETCH(QString, acts);
        auto [file, caption, how] = std::tuple(acts.section(' ', 0, 0), acts.section(' ', 1, 1),
                                               acts.section(' ', 2));
        QFETCH(QString, answers);
        SlideFolder folder("P0.gif src/PHOTO.GIF src/c.jpeg src/d.png src/t.jpg=text");
        struct
        {
            ScriptedPlatform platform;
            QWidget window;
            PictureButton add, change, remove;
            QLabel count;
            int shown = 0;
        } c;
        c.platform.answer(answers);
        SlideCommands commands({&c.add, &c.change, &c.remove, &c.count, &c.window}, folder.project,
                               {c.platform, folder.temp.path(), folder.temp.path()},
                               {[] {}, [&c] { ++c.shown; }});
        ImageChooser &chooser = adding ? commands.addChooser() : commands.changeChooser();
        chooser.setFolder(folder.temp.path("src"));
        QTimer::singleShot(0, &chooser, [&] {
            QCOMPARE(chooser.File1->count(), 3); // PHOTO.GIF, c.jpeg, t.jpg
            if (file != "_")
                chooser.File1->selectFile(file);
            if (chooser.txtInfo && caption != "-")
                chooser.txtInfo->setPlainText(caption.remove('_'));
            if (how == "double")
                emit chooser.File1->itemActivated(chooser.File1->currentItem());
            else if (how == "ok")
                chooser.cmdStop->click();
            if (chooser.isVisible())
                chooser.close();
        });
        if (how == "drop") { // from a file manager onto the window
            QMimeData files;
            files.setUrls({QUrl::fromLocalFile(folder.temp.path("src/" + file))});
            QDragEnterEvent enter({9, 9}, Qt::CopyAction, &files, Qt::LeftButton, {});
            QDropEvent drop({9, 9}, Qt::CopyAction, &files, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&c.window, &enter);
            QCoreApplication::sendEvent(&c.window, &drop);
            QTRY_COMPARE(c.shown, 1);
        } else {
            emit(adding ? c.add : c.change).released();
        }
        QTEST(c.platform.titles(), "titles");
        QTEST(folder.listing(), "after");
        const bool changed = folder.listing() != "P0.gif:P0.gif";
        QCOMPARE(c.shown, changed ? 1 : 0);
        QCOMPARE(folder.project.saved, !changed);
        QCOMPARE(folder.project.slideCount, adding && changed ? 2 : 1);
        if (adding && changed) {
            QCOMPARE(c.count.text(), "2");
            QCOMPARE(folder.project.slideLines[1],
                     caption == "-" ? ImageChooser::CaptionPrompt : caption);
        }
        // The other chooser opens where this one picked a picture.
        ImageChooser &other = adding ? commands.changeChooser() : commands.addChooser();
        QCOMPARE(other.folder() == folder.temp.path("src"), changed && how != "drop");
    }
};

QTEST_MAIN(TestImageChooser)
#include "tst_imagechooser.moc"
