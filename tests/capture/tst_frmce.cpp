// The capture window on the offscreen platform, with a scripted screen and real capture files.
#include "capture/captureconversion.h"
#include "capture/frmcapture.h"
#include "capture/frmce.h"
#include "capture/screencapture.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/picturebutton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

namespace {

const QByteArray Centred = "40\r\n30\r\n-999\r\n-999\r\n";

QString shot(int n, const char *extension)
{
    return QStringLiteral("ScreenShot_%1.%2").arg(n).arg(QLatin1String(extension));
}

// A screen of stripes, so that each copy tells where it was taken.
QImage stripes(int shade = 90)
{
    QImage image(QGuiApplication::primaryScreen()->size(), QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, qRgb(x % 256, y % 256, shade));
    return image;
}

// Answers a frame window that opens with the keys.
void answerFrame(QObject *context,
                 const QList<QKeyCombination> &keys = {QKeyCombination(Qt::Key_Return)})
{
    QTimer::singleShot(0, context, [=] {
        if (auto *frame = qobject_cast<FrmCapture *>(QApplication::activeModalWidget())) {
            for (const QKeyCombination key : keys)
                QTest::keyClick(frame, key.key(), key.keyboardModifiers());
        }
    });
}

struct Window
{
    TempFolder app;
    ScriptedPlatform platform;
    std::unique_ptr<FrmCE> frm;

    explicit Window(const QByteArray &passage = Centred, const QStringList &files = {})
    {
        if (!passage.isNull())
            app.write("Passage", passage);
        for (const QString &file : files) // "x/" makes a folder, which no file can replace
            app.write(file, file.toUtf8());
        platform.screen = stripes();
        frm = std::make_unique<FrmCE>(AppContext{platform, app.path(), {}});
        frm->show();
    }
    QStringList files() const { return QDir(app.path()).entryList({"ScreenShot_*"}, QDir::Files); }
    QStringList texts() const
    {
        QStringList all;
        for (const auto &message : platform.messages)
            all.append(message.text);
        return all;
    }
    void capture(const QList<QKeyCombination> &keys = {QKeyCombination(Qt::Key_Return)})
    {
        answerFrame(frm.get(), keys);
        frm->takeButton->click();
    }
};

} // namespace

class TestFrmCE : public QObject
{
    Q_OBJECT
private slots:
    void capture_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("quality"); // typed, then used
        QTest::addColumn<QString>("message"); // empty: taken through the frame
        const QSize screen = QGuiApplication::primaryScreen()->size();
        const QString refused = QStringLiteral("Valeurs de HAUTEUR et LARGEUR non valides.");
        QTest::newRow("Smallest") << QSize(10, 10) << 2 << "95 95" << QString();
        QTest::newRow("NineWide") << QSize(9, 10) << 1 << "95 95" << refused;
        QTest::newRow("WiderThanScreen")
            << QSize(screen.width() + 1, 10) << 1 << "95 95" << refused;
        QTest::newRow("ScreenWideQualityZero")
            << QSize(screen.width(), 10) << 1 << "0 100" << QString();
        QTest::newRow("WholeScreenQualityText")
            << screen << 1 << "abc 100"
            << "Vous avez choisi de capturer l'écran en entier.";
        QTest::newRow("Quality101") << QSize(40, 30) << 1 << "101 100" << QString();
        QTest::newRow("QualityBeyond16Bits") << QSize(40, 30) << 1 << "70000 100" << QString();
        QTest::newRow("QualityInRange") << QSize(40, 30) << 1 << "40 40" << QString();
    }

    // An accepted size gives a BMP of exactly that size, copied from where the
    // frame's hole (or the whole screen) was, and its JPEG at the box's quality.
    void capture()
    {
        QFETCH(QSize, size);
        QFETCH(int, option);
        QFETCH(QString, quality);
        QFETCH(QString, message);
        Window w;
        FrmCE &f = *w.frm;
        f.captureType[option]->click();
        f.txtLargeur->setText(QString::number(size.width()));
        f.txtHauteur->setText(QString::number(size.height()));
        f.txtQualite->setText(quality.section(' ', 0, 0));
        w.capture();
        const bool taken = !message.startsWith("Valeurs"), keptBmp = taken && option == 1;
        QCOMPARE(w.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(w.files().size(), taken + keptBmp);
        QCOMPARE((QList<bool>{f.isVisible(), f.cmdBMP->isVisible(), f.cmdRefaire->isVisible(),
                              f.cmdVisu->isVisible(), f.lblRefaire->isVisible()}),
                 (QList<bool>{true, keptBmp, keptBmp, taken, taken}));
        if (!taken)
            return;
        QCOMPARE(f.lblRefaire->text(),
                 QStringLiteral("%1 ko").arg(
                     qRound(QFileInfo(w.app.path(shot(1, "jpg"))).size() / 1000.0)));
        if (!keptBmp)
            return;
        QCOMPARE(QImage(w.app.path(shot(1, "bmp"))).convertToFormat(QImage::Format_RGB32),
                 w.platform.screen.copy(QRect(w.platform.grabs.value(0).topLeft(), size)));
        QCOMPARE(f.txtQualite->text(), quality.section(' ', 1));
        const QByteArray made = w.app.read(
            shot(1, "jpg")); // the same as a conversion at that quality
        QCOMPARE(CaptureConversion::convert(w.app.path(), 1, f.txtQualite->text().toShort()).status,
                 0);
        QCOMPARE(w.app.read(shot(1, "jpg")), made);
    }

    // After three captures: Escape (after Ctrl+Left moved the frame 10 pixels)
    // gives the number back; the armed toggle makes the next capture number 3
    // again; clicked twice it goes back to 3. Leaving without keeping the
    // settings resets the hand-over file and keeps only the JPEG captures.
    void threeCaptures()
    {
        Window w;
        FrmCE &f = *w.frm;
        f.cmdNumero->click();
        QCOMPARE(f.cmdNumero->text(), "0");
        for (int i = 0; i < 3; ++i)
            w.capture();
        const int left = f.captureLeft;
        w.capture(
            {QKeyCombination(Qt::ControlModifier, Qt::Key_Left), QKeyCombination(Qt::Key_Escape)});
        QCOMPARE(QPoint(f.captureCount, f.captureLeft), QPoint(3, left - 150));
        QCOMPARE(w.files().size(), 6);
        const QByteArray third = w.app.read(shot(3, "jpg"));
        f.cmdNumero->click();
        QCOMPARE(f.cmdNumero->text() + f.cmdNumero->property("tint").toString(), "2red");
        w.platform.screen = stripes(200);
        w.capture();
        QCOMPARE(f.cmdNumero->text() + f.cmdNumero->property("tint").toString(), "3green");
        QVERIFY(w.files().size() == 6 && w.app.read(shot(3, "jpg")) != third);
        f.cmdNumero->click();
        f.cmdNumero->click();
        QCOMPARE(f.cmdNumero->text() + f.cmdNumero->property("tint").toString(), "3green");

        QSignalSpy unloaded(&f, &FrmCE::unloaded);
        w.platform.answers.enqueue(Platform::Answer::No);
        f.leaveButton->click();
        QCOMPARE(w.app.read("Passage"), "600\r\n350\r\n-999\r\n-999\r\n");
        QCOMPARE(w.files(), (QStringList{shot(1, "jpg"), shot(2, "jpg"), shot(3, "jpg")}));
        QVERIFY(unloaded.size() == 1 && !f.isVisible());
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("folder"); // made where a capture file is to go
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("RefusedCopy")
            << QStringList{} << QStringList{}
            << "Le bureau a refusé la copie de l'écran : elle est revenue vide, aucun "
               "fichier de capture n'a été écrit.\r\n"
               "Dans une session Wayland, ouvrez une session X11 pour capturer.";
        QTest::newRow("BmpCannotBeWritten")
            << QStringList{shot(1, "bmp/")} << QStringList{}
            << "Impossible d'enregistrer la capture dans le dossier :\r\n%1\r\n"
               "La capture est annulée.";
        QTest::newRow("ConversionFails") << QStringList{shot(1, "jpg/")} << QStringList{shot(1, "bmp")}
                                         << "Désolé, la conversion JPG vient d'échouer...\r\n"
                                            "Le fichier BMP a été sauvegardé.";
        // clang-format on
    }

    // A capture that cannot be kept is reported and takes its number back; a
    // failed conversion keeps the BMP whatever the type, and cmdRefaire tries again.
    void failures()
    {
        QFETCH(QStringList, folder);
        QFETCH(QStringList, files);
        QFETCH(QString, message);
        Window w(Centred, folder);
        FrmCE &f = *w.frm;
        if (folder.isEmpty())
            w.platform.screen = QImage();
        f.captureType[2]->click();
        w.capture();
        QCOMPARE(w.texts(),
                 QStringList{message.replace("%1", QDir::toNativeSeparators(w.app.path()))});
        QCOMPARE(f.captureCount, files.size());
        QCOMPARE(w.files(), files);
        QVERIFY(f.isVisible() && !f.cmdVisu->isVisible());
        QCOMPARE(f.lblRefaire->text(), files.isEmpty() ? "0 ko" : "OUT");
        if (files.isEmpty())
            return;
        QVERIFY(QDir(w.app.path(shot(1, "jpg"))).removeRecursively());
        f.cmdRefaire->click();
        QVERIFY(w.files().size() == 2 && f.lblRefaire->text().endsWith(" ko")
                && f.cmdVisu->isVisible());
        w.app.remove(shot(1, "bmp"));
        f.cmdRefaire->click();
        QCOMPARE(w.texts().last(), "Le fichier BMP n'existe plus !");
    }

    void deleteBmp_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("jpegs"); // contents of 1, 2, 3 afterwards
        QTest::newRow("GapClosed") << QStringList{} << QStringList{"one", "three", "four"};
        // 3 cannot become 2, so 4 cannot become 3 either: each failure is told.
        QTest::newRow("RenameRefused")
            << QStringList{shot(2, "jpg/")} << QStringList{"one", "<missing>", "three"};
    }

    // JPEG files 1, 3 and 4 become 1, 2 and 3; a rename that fails is reported
    // and the renumbering goes on.
    void deleteBmp()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, jpegs);
        Window w(Centred, folders);
        FrmCE &f = *w.frm;
        for (const auto &[n, text] : {std::pair(1, "one"), {3, "three"}, {4, "four"}})
            w.app.write(shot(n, "jpg"), text);
        w.app.write(shot(4, "bmp"), "bitmap");
        f.captureCount = 4;
        w.platform.answers.enqueue(Platform::Answer::Yes);
        f.deleteBmpButton->click();
        QCOMPARE(w.texts().mid(1),
                 QStringList(2 * folders.size(), "Erreur de transformation de fichier"));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(w.app.read(shot(n, "jpg")), jpegs[n - 1].toUtf8());
        QCOMPARE(f.cmdNumero->text() + f.lblRefaire->text(), "30 ko");
        QVERIFY(f.captureType[2]->isChecked() && f.cmdVisu->isVisible()
                && !f.cmdRefaire->isVisible());
    }

    // An opening without a hand-over file proposes 600 x 350 and deletes earlier
    // captures; in a Wayland session it says that copies will be refused.
    void opening()
    {
        qputenv("XDG_SESSION_TYPE", "wayland");
        Window w(QByteArray(), {shot(1, "bmp"), shot(2, "jpg"), shot(100, "jpg")});
        qunsetenv("XDG_SESSION_TYPE");
        const FrmCE &f = *w.frm;
        QCOMPARE(QRect(f.captureLeft, f.captureTop, f.captureWidth, f.captureHeight),
                 QRect(0, 0, 600, 350));
        QCOMPARE(w.files(), QStringList());
        QVERIFY(w.texts().size() == 1 && w.texts()[0].contains("Wayland")
                && w.texts()[0].contains("session X11"));
    }

    // The main window's command: the capture window runs while the main window
    // is hidden, and its captures become slides.
    void captureCommand()
    {
        TempFolder app, folder;
        app.write("Passage", "600\r\n350\r\n1500\r\n3000\r\n");
        ScriptedPlatform platform;
        platform.screen = stripes();
        SlideshowProject project{
            .name = "Vacances", .folder = folder.path(), .slideCount = 2, .loaded = true};
        project.updateBasePath();
        int shown = -1;
        bool mainHidden = false;
        QWidget mainWindow;
        PictureButton imgCapturer(&mainWindow);
        QLabel lblNbDiapo(&mainWindow);
        mainWindow.show();
        ScreenCapture command(
            {&imgCapturer, &lblNbDiapo}, project, {platform, app.path(), {}}, mainWindow,
            {[&] { shown = project.currentSlide; }, [] { return QSize(64, 48); }});
        // Proposed the slide's size: one capture, then leave keeping the settings.
        QTimer::singleShot(0, &mainWindow, [&] {
            auto *frm = qobject_cast<FrmCE *>(QApplication::activeModalWidget());
            QVERIFY(frm && frm->captureWidth == 64);
            mainHidden = !mainWindow.isVisible();
            answerFrame(frm);
            frm->takeButton->click();
            platform.answers.enqueue(Platform::Answer::Yes);
            frm->leaveButton->click();
        });
        QTest::mouseClick(&imgCapturer, Qt::LeftButton);
        QVERIFY(mainHidden && mainWindow.isVisible());
        QCOMPARE(QPoint(project.slideCount, shown), QPoint(3, 2));
        QCOMPARE(lblNbDiapo.text(), "3");
        QCOMPARE(QImage(folder.path("Vacances2.jpg")).size(), QSize(64, 48));
        QCOMPARE(app.read("Passage"), "64\r\n48\r\n1500\r\n3000\r\n");
        project.loaded = false; // without an open project the command does nothing
        command.ImportCaptures();
    }
};

QTEST_MAIN(TestFrmCE)
#include "tst_frmce.moc"
