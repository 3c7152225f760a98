// The main window's capture command on the offscreen platform: the capture
// window runs while the main window is hidden, and its captures become slides.
#include "capture/frmce.h"
#include "capture/importcaptures.h"
#include "output/appdirfixture.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

class TestImportCaptures : public QObject
{
    Q_OBJECT
private slots:
    void captureRun();
};

void TestImportCaptures::captureRun()
{
    AppDirFixture app, folder;
    app.write("Passage", "600\r\n350\r\n1500\r\n3000\r\n");
    ScriptedPlatform platform;
    platform.screen = QImage(QGuiApplication::primaryScreen()->size(), QImage::Format_RGB32);
    platform.screen.fill(Qt::darkCyan);
    SlideshowProject project;
    project.folder = folder.appDir();
    project.name = "Vacances";
    project.updateBasePath();
    project.slideCount = 2;
    project.loaded = true;
    std::int32_t width = 64, height = 48, left = -999, top = -999;
    bool closed = true;
    int shown = -1;
    QWidget mainWindow;
    mainWindow.show();
    ImportCaptures command(platform, app.appDir(), {&project, &width, &height, &left, &top, &closed},
                           mainWindow, {[&] { shown = project.currentSlide; }, {}});

    // In the capture window, proposed the slide's size: one capture, then
    // leave keeping the settings.
    bool mainHidden = false;
    QTimer::singleShot(0, &mainWindow, [&] {
        auto *frm = qobject_cast<FrmCE *>(QApplication::activeModalWidget());
        QVERIFY(frm && frm->captureWidth == 64);
        mainHidden = !mainWindow.isVisible() && !closed;
        QTimer::singleShot(0, frm, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        frm->Command1[0]->click();
        platform.answers.enqueue(Platform::Answer::Yes);
        frm->Command1[1]->click();
    });
    command.run();

    QVERIFY(mainHidden && mainWindow.isVisible() && closed);
    QCOMPARE(QPoint(left, top), QPoint(1500, 3000));
    QCOMPARE(project.slideCount, 3);
    QCOMPARE(shown, 2);
    QCOMPARE(QImage(folder.path("Vacances2.jpg")).size(), QSize(64, 48));
    QCOMPARE(app.read("Passage"), "64\r\n48\r\n1500\r\n3000\r\n");

    // Without an open project the command does nothing.
    project.loaded = false;
    command.run();
    QCOMPARE(app.read("Passage"), "64\r\n48\r\n1500\r\n3000\r\n");
}

QTEST_MAIN(TestImportCaptures)
#include "tst_importcaptures.moc"
