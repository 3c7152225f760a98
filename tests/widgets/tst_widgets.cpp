#include "platform/appcontext.h"
#include "support/listed.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/browsefolderlist.h"
#include "widgets/drivelist.h"
#include "widgets/folderbrowser.h"
#include "widgets/helpbutton.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturebutton.h"
#include "widgets/picturepreview.h"

#include <QImageWriter>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

QPixmap solid(Qt::GlobalColor colour)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(colour);
    return pixmap;
}

// The user picks a drive in the list.
void choose(DriveList &drives, const QString &drive)
{
    const int index = drives.findData(drive);
    drives.setCurrentIndex(index);
    emit drives.activated(index);
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void pictureButtonActsOnRelease_data()
    {
        QTest::addColumn<int>("mouseButton");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QPoint>("releaseAt"); // relative to the button
        QTest::newRow("left, released far outside") << int(Qt::LeftButton) << 0 << QPoint(600, 400);
        QTest::newRow("right with control, released above")
            << int(Qt::RightButton) << int(Qt::ControlModifier) << QPoint(-20, -500);
        QTest::newRow("middle with shift and alt, released inside")
            << int(Qt::MiddleButton) << int(Qt::ShiftModifier | Qt::AltModifier) << QPoint(5, 5);
    }

    void pictureButtonActsOnRelease()
    {
        QFETCH(int, mouseButton);
        QFETCH(int, modifiers);
        QFETCH(QPoint, releaseAt);
        PictureButton button;
        button.setPictures(solid(Qt::red), solid(Qt::blue));
        button.showNormalPicture();
        const auto mouse = Qt::MouseButton(mouseButton);
        const auto keys = Qt::KeyboardModifiers(modifiers);

        // The action finds the normal picture already back.
        QList<QImage> shownWhenActing;
        connect(&button, &PictureButton::released, this,
                [&] { shownWhenActing.append(button.shownPicture().toImage()); });
        QTest::mousePress(&button, mouse, keys, button.rect().center());
        QCOMPARE(button.shownPicture().toImage(), solid(Qt::blue).toImage());
        QVERIFY(shownWhenActing.isEmpty());
        QTest::mouseRelease(&button, mouse, keys, releaseAt);
        QCOMPARE(shownWhenActing, QList<QImage>{solid(Qt::red).toImage()});
    }

    void pictureButtonKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("actions");
        QTest::newRow("space") << int(Qt::Key_Space) << 1;
        QTest::newRow("return") << int(Qt::Key_Return) << 1;
        QTest::newRow("enter") << int(Qt::Key_Enter) << 1;
        QTest::newRow("letter does nothing") << int(Qt::Key_A) << 0;
    }

    void pictureButtonKeys()
    {
        QFETCH(int, key);
        QFETCH(int, actions);
        PictureButton button;
        button.setPictures(solid(Qt::red), solid(Qt::blue));
        // Clicking leaves the focus where it was, so the caption editor keeps its selection.
        QVERIFY(!(button.focusPolicy() & Qt::ClickFocus));
        QSignalSpy spy(&button, &PictureButton::released);
        QTest::keyPress(&button, Qt::Key(key));
        QCOMPARE(spy.count(), 0);
        QTest::keyRelease(&button, Qt::Key(key));
        QCOMPARE(spy.count(), actions);
    }

    // A drive that cannot be read (here, one whose root has vanished) is set
    // back silently; a readable one moves the folder and file lists to its root.
    void folderBrowser()
    {
        TempFolder temp;
        temp.write("Photos/a.jpg");
        temp.write("Photos/b.JPG");
        temp.write("Photos/notes.txt");
        temp.write("Cle/c.jpg");
        temp.write("Cle/Vacances/");
        DriveList drives;
        BrowseFolderList folders;
        PatternFileList files(QStringLiteral("*.jpg"));
        FolderBrowser browser(&drives, &folders, &files, nullptr);
        QSignalSpy moved(&browser, &FolderBrowser::folderChanged);
        drives.setDrives({temp.path("Cle"), temp.path("Retiree")});

        browser.setFolder(temp.path("Photos"));
        const QString photosDrive = drives.driveOf(temp.path("Photos"));
        QCOMPARE(drives.drive(), photosDrive);
        QCOMPARE(listed(&files), (QStringList{"a.jpg", "b.JPG"}));
        QCOMPARE(moved.count(), 1);

        choose(drives, temp.path("Retiree"));
        QCOMPARE(drives.drive(), photosDrive);
        QCOMPARE(browser.folder(), temp.path("Photos"));
        QCOMPARE(listed(&files), (QStringList{"a.jpg", "b.JPG"}));
        QCOMPARE(moved.count(), 1);

        choose(drives, temp.path("Cle"));
        QCOMPARE(browser.folder(), temp.path("Cle"));
        QCOMPARE(listed(&files), QStringList{"c.jpg"});
        QCOMPARE(folders.subfolders(), QStringList{"Vacances"});
        QCOMPARE(moved.count(), 2);

        // Entering a folder lists its files, and the drive list stays as chosen.
        QVERIFY(folders.enter("Vacances"));
        QCOMPARE(browser.folder(), temp.path("Cle/Vacances"));
        QVERIFY(listed(&files).isEmpty());
        QCOMPARE(drives.drive(), temp.path("Cle"));
    }

    // The folder tree as a file dialog's: Enter goes in, Backspace up, Ctrl+H
    // shows hidden folders and files.
    void folderTreeByKeyboard()
    {
        TempFolder temp;
        temp.write("Album/Plage/");
        temp.write("Album/.cache/");
        temp.write("Album/.vue.jpg");
        DriveList drives;
        BrowseFolderList folders;
        PatternFileList files(QStringLiteral("*.jpg"));
        FolderBrowser browser(&drives, &folders, &files, nullptr);
        browser.setFolder(temp.path("Album"));
        folders.show();
        folders.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&folders));
        QCOMPARE(folders.subfolders(), QStringList{"Plage"});
        QTest::keyClick(folders.tree(), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(folders.subfolders(), (QStringList{".cache", "Plage"}));
        QCOMPARE(listed(&files), QStringList{".vue.jpg"});

        folders.tree()->setCurrentItem(folders.tree()->currentItem()->child(1));
        QTest::keyClick(folders.tree(), Qt::Key_Return);
        QCOMPARE(browser.folder(), temp.path("Album/Plage"));
        QTest::keyClick(folders.tree(), Qt::Key_Backspace);
        QCOMPARE(browser.folder(), temp.path("Album"));
    }

    // The drives offered start with the root and the home folder; a folder
    // belongs to the deepest drive that holds it.
    void drivesAreTheUsersVolumes()
    {
        const auto drives = DriveList::mountedDrives();
        QCOMPARE(drives.value(0).root + drives.value(1).root, QDir::rootPath() + QDir::homePath());
        DriveList list;
        TempFolder temp;
        list.setDrives(QStringList{QDir::rootPath(), temp.path()});
        QCOMPARE(list.driveOf(temp.path("a/b")), temp.path());
    }

    void helpButtonOpensItsPage()
    {
        ScriptedPlatform platform;
        const AppContext context{platform, QStringLiteral("/app"), QString()};
        HelpButton help(context, QStringLiteral("Aide_Contextuelle/Page.htm"));
        QTest::mousePress(&help, Qt::LeftButton);
        QVERIFY(platform.shellRequests.isEmpty());
        QTest::mouseRelease(&help, Qt::LeftButton);
        QCOMPARE(platform.shellRequests, QStringList{"/app/Aide_Contextuelle/Page.htm"});
        QVERIFY(platform.messages.isEmpty());
    }

    void picturePreview_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("turn");    // QImageIOHandler::Transformation written with it
        QTest::addColumn<QSize>("shown"); // empty: nothing shown
        QTest::newRow("large photo fits the frame") << QSize(2000, 1000) << 0 << QSize(200, 100);
        QTest::newRow("small picture keeps its size") << QSize(40, 30) << 0 << QSize(40, 30);
        QTest::newRow("turned photo shown upright")
            << QSize(60, 30) << int(QImageIOHandler::TransformationRotate90) << QSize(30, 60);
        QTest::newRow("large turned photo, upright and fitted")
            << QSize(1200, 400) << int(QImageIOHandler::TransformationRotate90) << QSize(50, 150);
        QTest::newRow("not a picture") << QSize() << 0 << QSize();
    }

    void picturePreview()
    {
        QFETCH(QSize, stored);
        QFETCH(int, turn);
        QFETCH(QSize, shown);
        TempFolder temp;
        const QString file = temp.path("photo.jpg");
        if (stored.isValid()) {
            // Red on the left half as stored, so that the turn shows where it went.
            QImage image(stored, QImage::Format_RGB32);
            image.fill(Qt::white);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width() / 2; ++x)
                    image.setPixelColor(x, y, Qt::red);
            QImageWriter writer(file, "jpeg");
            writer.setTransformation(QImageIOHandler::Transformations(turn));
            QVERIFY(writer.write(image));
        } else {
            temp.write("photo.jpg", "not a picture");
        }
        PicturePreview preview;
        preview.setFixedSize(200, 150);
        preview.setPixmap(QPixmap(10, 10));

        QCOMPARE(preview.showPicture(file), shown.isValid());
        QCOMPARE(preview.pixmap().deviceIndependentSize().toSize(),
                 shown.isValid() ? shown : QSize(0, 0));
        if (turn != 0) {
            // Turned a quarter clockwise, the stored left half is the top.
            const QImage picture = preview.pixmap().toImage();
            QVERIFY(picture.pixelColor(picture.width() / 2, 2).red() > 200);
            QVERIFY(picture.pixelColor(picture.width() / 2, picture.height() - 3).green() > 200);
        }
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
