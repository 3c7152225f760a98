// The capture window on the offscreen platform: the screen is a scripted
// picture, the frame window is answered with keys, and the capture files
// are real files of a throw-away application folder.
#include "bmp2jpg/bmp2jpg.h"
#include "capture/frmcapture.h"
#include "capture/frmce.h"
#include "output/appdirfixture.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

using Answer = Platform::Answer;

namespace {

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

struct Window
{
    AppDirFixture app;
    ScriptedPlatform platform;
    std::unique_ptr<FrmCE> frm;

    // Files named "x/" are made as folders, which no file can replace.
    explicit Window(const QByteArray &passage = "40\r\n30\r\n-999\r\n-999\r\n",
                    const QStringList &files = {})
    {
        if (!passage.isNull())
            app.write("Passage", passage);
        for (const QString &file : files)
            file.endsWith('/') ? app.makeFolder(file) : file.isEmpty() ? void() : app.write(file, file.toUtf8());
        platform.screen = stripes();
        frm = std::make_unique<FrmCE>(platform, app.appDir());
        frm->show();
    }
    QStringList files() const { return QDir(app.appDir()).entryList({"ScreenShot_*"}, QDir::Files); }
    QStringList texts() const
    {
        QStringList all;
        for (const auto &message : platform.messages)
            all.append(message.text);
        return all;
    }
    // Command1(0); a frame window that opens is answered with the keys.
    void capture(const QList<QKeyCombination> &keys = {QKeyCombination(Qt::Key_Return)})
    {
        QTimer::singleShot(0, frm.get(), [=] {
            if (auto *frame = qobject_cast<FrmCapture *>(QApplication::activeModalWidget())) {
                for (const QKeyCombination key : keys)
                    QTest::keyClick(frame, key.key(), key.keyboardModifiers());
            }
        });
        frm->Command1[0]->click();
    }
};

} // namespace

class TestFrmCE : public QObject
{
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void capture_data();
    void capture();
    void threeCaptures();
    void failures_data();
    void failures();
    void deleteBmp_data();
    void deleteBmp();
    void leave_data();
    void leave();
    void sizeButtons();
    void waylandNotice();
};

void TestFrmCE::load_data()
{
    QTest::addColumn<QByteArray>("passage");
    QTest::addColumn<QStringList>("expected");   // width, height, left, top
    QTest::newRow("Saved") << QByteArray("800\r\n500\r\n150\r\n-999\r\n")
                           << QStringList{"800", "500", "150", "-999"};
    QTest::newRow("NoFile") << QByteArray() << QStringList{"600", "350", "0", "0"};
    QTest::newRow("FirstLineEmpty") << QByteArray("\r\n70\r\n15\r\n30\r\n")
                                    << QStringList{"600", "350", "15", "30"};
}

// Every opening reads the settings and starts without capture files.
void TestFrmCE::load()
{
    QFETCH(QByteArray, passage);
    QFETCH(QStringList, expected);
    Window w(passage, {shot(1, "bmp"), shot(2, "jpg"), shot(100, "jpg")});
    const FrmCE &f = *w.frm;
    QCOMPARE((QStringList{f.txtLargeur->text(), f.txtHauteur->text(),
                          QString::number(f.captureLeft), QString::number(f.captureTop)}),
             expected);
    QCOMPARE(QSize(f.captureWidth, f.captureHeight), QSize(expected[0].toInt(), expected[1].toInt()));
    QCOMPARE(w.files(), QStringList());
    QCOMPARE(w.texts(), QStringList());
}

void TestFrmCE::capture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("quality");   // typed, then used
    QTest::addColumn<QString>("message");   // empty: taken through the frame
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QString refused = QStringLiteral("Valeurs de HAUTEUR et LARGEUR non valides.");
    QTest::newRow("Smallest") << QSize(10, 10) << 2 << "95 95" << "";
    QTest::newRow("NineWide") << QSize(9, 10) << 1 << "95 95" << refused;
    QTest::newRow("NineHigh") << QSize(10, 9) << 1 << "95 95" << refused;
    QTest::newRow("WiderThanScreen") << QSize(screen.width() + 1, 10) << 1 << "95 95" << refused;
    QTest::newRow("ScreenWideQualityZero") << QSize(screen.width(), 10) << 1 << "0 100" << "";
    QTest::newRow("WholeScreenQualityText") << screen << 1 << "abc 100"
                                            << "Vous avez choisi de capturer l'écran en entier.";
    QTest::newRow("Quality101") << QSize(40, 30) << 1 << "101 100" << "";
    QTest::newRow("QualityBeyond16Bits") << QSize(40, 30) << 1 << "70000 100" << "";
    QTest::newRow("QualityInRange") << QSize(40, 30) << 1 << "40 40" << "";
}

// An accepted size gives a BMP of exactly that size, copied from where the
// frame's hole (or the whole screen) was, and its JPEG at the box's quality.
void TestFrmCE::capture()
{
    QFETCH(QSize, size);
    QFETCH(int, option);
    QFETCH(QString, quality);
    QFETCH(QString, message);
    Window w;
    FrmCE &f = *w.frm;
    f.Option1[option]->click();
    f.txtLargeur->setText(QString::number(size.width()));
    f.txtHauteur->setText(QString::number(size.height()));
    f.txtQualite->setText(quality.section(' ', 0, 0));
    w.capture();
    const bool taken = !message.startsWith("Valeurs");
    QCOMPARE(w.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.captureCount, taken ? 1 : 0);
    QVERIFY(f.isVisible());
    if (!taken) {
        QCOMPARE(w.files(), QStringList());
        return;
    }

    const bool keptBmp = option == 1;
    QCOMPARE(w.files().size(), keptBmp ? 2 : 1);
    QVERIFY(w.files().contains(shot(1, "jpg")));
    QCOMPARE(f.cmdBMP->isVisible(), keptBmp);
    QCOMPARE(f.cmdRefaire->isVisible(), keptBmp);
    QVERIFY(f.cmdVisu->isVisible() && f.lblRefaire->isVisible());
    const qint64 bytes = QFileInfo(w.app.path(shot(1, "jpg"))).size();
    QCOMPARE(f.lblRefaire->text(), QStringLiteral("%1 ko").arg(qRound(bytes / 1000.0)));
    f.cmdVisu->click();
    QCOMPARE(w.platform.shellRequests, QStringList{w.app.path(shot(1, "jpg"))});
    if (!keptBmp)
        return;

    QCOMPARE(w.platform.grabs.size(), 1);
    const QImage bmp(w.app.path(shot(1, "bmp")));
    QCOMPARE(bmp.convertToFormat(QImage::Format_RGB32),
             w.platform.screen.copy(QRect(w.platform.grabs[0].topLeft(), size)));
    QCOMPARE(f.txtQualite->text(), quality.section(' ', 1));
    const QByteArray expected = QFile::encodeName(w.app.path("expected.jpg"));
    QCOMPARE(BMP2JPGpourVBFrance(QFile::encodeName(w.app.path(shot(1, "bmp"))).constData(),
                                 expected.constData(), std::int16_t(f.txtQualite->text().toInt())),
             0);
    QCOMPARE(w.app.read(shot(1, "jpg")), w.app.read("expected.jpg"));
}

// After three captures: Escape (after Ctrl+Left moved the frame 10 pixels)
// gives the number back; the armed toggle makes the next capture number 3
// again; clicked twice it goes back to 3.
void TestFrmCE::threeCaptures()
{
    Window w;
    FrmCE &f = *w.frm;
    f.cmdNumero->click();
    QCOMPARE(f.cmdNumero->text(), "0");
    for (int i = 0; i < 3; ++i)
        w.capture();
    const int left = f.captureLeft;
    w.capture({QKeyCombination(Qt::ControlModifier, Qt::Key_Left), QKeyCombination(Qt::Key_Escape)});
    QCOMPARE(f.captureCount, 3);
    QCOMPARE(f.captureLeft, left - 150);
    QCOMPARE(w.files().size(), 6);

    const QByteArray third = w.app.read(shot(3, "jpg"));
    f.cmdNumero->click();
    QCOMPARE(f.cmdNumero->text(), "2");
    QCOMPARE(f.cmdNumero->toolTip(), "ALERTE!!!La prochaine capture va effacer la dernière capture effectuée !");
    QCOMPARE(f.cmdNumero->property("tint").toString(), "red");
    w.platform.screen = stripes(200);
    w.capture();
    QCOMPARE(f.cmdNumero->text(), "3");
    QCOMPARE(f.cmdNumero->property("tint").toString(), "green");
    QCOMPARE(w.files().size(), 6);
    QVERIFY(w.app.read(shot(3, "jpg")) != third);
    f.cmdNumero->click();
    f.cmdNumero->click();
    QCOMPARE(f.cmdNumero->text(), "3");
    QCOMPARE(f.cmdNumero->toolTip(), "indique le nombre de captures effectuées");
    w.capture();
    QVERIFY(w.files().contains(shot(4, "jpg")));
}

void TestFrmCE::failures_data()
{
    QTest::addColumn<QString>("folder");   // made where a capture file is to go
    QTest::addColumn<bool>("emptyCopy");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("message");
    QTest::newRow("RefusedCopy") << "" << true << QStringList{}
                                 << "Le bureau a refusé la copie de l'écran : elle est revenue vide, aucun "
                                    "fichier de capture n'a été écrit.\r\n"
                                    "Dans une session Wayland, ouvrez une session X11 pour capturer.";
    QTest::newRow("BmpCannotBeWritten") << shot(1, "bmp/") << false << QStringList{}
                                        << "Impossible d'enregistrer la capture dans le dossier :\r\n%1\r\n"
                                           "La capture est annulée.";
    QTest::newRow("ConversionFails") << shot(1, "jpg/") << false << QStringList{shot(1, "bmp")}
                                     << "Désolé, la conversion JPG vient d'échouer...\r\n"
                                        "Le fichier BMP a été sauvegardé.";
}

// A capture that cannot be kept is reported and takes its number back; a
// failed conversion keeps the BMP whatever the type, and cmdRefaire tries again.
void TestFrmCE::failures()
{
    QFETCH(QString, folder);
    QFETCH(bool, emptyCopy);
    QFETCH(QStringList, files);
    QFETCH(QString, message);
    Window w("40\r\n30\r\n-999\r\n-999\r\n", {folder});
    FrmCE &f = *w.frm;
    if (emptyCopy)
        w.platform.screen = QImage();
    f.Option1[2]->click();
    w.capture();
    QCOMPARE(w.texts(), QStringList{message.contains("%1") ? message.arg(QDir::toNativeSeparators(w.app.appDir()))
                                                           : message});
    QCOMPARE(f.captureCount, files.size());
    QCOMPARE(w.files(), files);
    QVERIFY(f.isVisible() && !f.cmdVisu->isVisible());
    QCOMPARE(f.lblRefaire->text(), files.isEmpty() ? "0 ko" : "OUT");
    if (files.isEmpty())
        return;
    QVERIFY(QDir(w.app.path(shot(1, "jpg"))).removeRecursively());
    f.cmdRefaire->click();
    QCOMPARE(w.files().size(), 2);
    QVERIFY(f.lblRefaire->text().endsWith(" ko") && f.cmdVisu->isVisible());
    w.app.remove(shot(1, "bmp"));
    f.cmdRefaire->click();
    QCOMPARE(w.texts().last(), "Le fichier BMP n'existe plus !");
}

void TestFrmCE::deleteBmp_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("jpegs");   // contents of 1, 2, 3 afterwards
    QTest::addColumn<int>("failures");
    QTest::newRow("GapClosed") << QStringList{} << QStringList{"one", "three", "four"} << 0;
    // 3 cannot become 2, so 4 cannot become 3 either: each failure is told.
    QTest::newRow("RenameRefused") << QStringList{shot(2, "jpg/")} << QStringList{"one", "<missing>", "three"}
                                   << 2;
}

// JPEG files 1, 3 and 4 become 1, 2 and 3; a rename that fails is reported
// and the renumbering goes on.
void TestFrmCE::deleteBmp()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, jpegs);
    QFETCH(int, failures);
    Window w("40\r\n30\r\n-999\r\n-999\r\n", folders);
    FrmCE &f = *w.frm;
    w.app.write(shot(1, "jpg"), "one");
    w.app.write(shot(3, "jpg"), "three");
    w.app.write(shot(4, "jpg"), "four");
    w.app.write(shot(4, "bmp"), "bitmap");
    f.captureCount = 4;
    w.platform.answers.enqueue(Answer::Yes);
    f.Command1[3]->click();

    QCOMPARE(w.texts().size(), 1 + failures);
    QCOMPARE(w.texts().count("Erreur de transformation de fichier"), failures);
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(w.app.read(shot(n, "jpg")), jpegs[n - 1].toUtf8());
    QVERIFY(!QFile::exists(w.app.path(shot(4, "bmp"))));
    QCOMPARE(f.cmdNumero->text(), "3");
    QCOMPARE(f.lblRefaire->text(), "0 ko");
    QVERIFY(f.Option1[2]->isChecked() && f.cmdVisu->isVisible() && !f.cmdRefaire->isVisible());

    // With no JPEG left the window starts afresh.
    for (int n = 1; n <= 4; ++n)
        QFile::remove(w.app.path(shot(n, "jpg")));
    w.platform.answers.enqueue(Answer::Yes);
    f.Command1[3]->click();
    QVERIFY(f.cmdNumero->text() == "0" && !f.cmdVisu->isVisible() && !f.lblRefaire->isVisible());
}

void TestFrmCE::leave_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QByteArray>("passage");
    QTest::newRow("KeepSettings") << Answer::Yes << QByteArray("41\r\n30\r\n-1500\r\n3000\r\n");
    QTest::newRow("Reset") << Answer::No << QByteArray("600\r\n350\r\n-999\r\n-999\r\n");
}

// Leaving writes the hand-over file and keeps only the JPEG captures.
void TestFrmCE::leave()
{
    QFETCH(Answer, answer);
    QFETCH(QByteArray, passage);
    Window w("40\r\n30\r\n-1500\r\n3000\r\n");
    w.frm->txtLargeur->setText("41");
    w.capture();
    QSignalSpy unloaded(w.frm.get(), &FrmCE::unloaded);
    w.platform.answers.enqueue(answer);
    w.frm->Command1[1]->click();
    QCOMPARE(w.platform.messages.last().title, "QUITTER");
    QCOMPARE(w.app.read("Passage"), passage);
    QCOMPARE(w.files(), QStringList{shot(1, "jpg")});
    QCOMPARE(unloaded.size(), 1);
    QVERIFY(!w.frm->isVisible());
}

// A click gives one step after 50 ms; held, a step every 50 ms up to the limit.
void TestFrmCE::sizeButtons()
{
    Window w;
    QLineEdit *box = w.frm->txtLargeur;
    QSignalSpy ticks(w.frm->Timer2, &QTimer::timeout);
    box->setText("11");
    for (const QString after : {"10", "10"}) {
        QTest::mouseClick(w.frm->cmdLargeur[1], Qt::LeftButton);
        QVERIFY(ticks.wait());
        QCOMPARE(box->text(), after);
        QVERIFY(!w.frm->Timer2->isActive());
    }
    const QString screenWidth = QString::number(w.frm->screenWidthPx);
    box->setText(QString::number(w.frm->screenWidthPx - 3));
    QTest::mousePress(w.frm->cmdLargeur[2], Qt::LeftButton);
    QTRY_COMPARE(box->text(), screenWidth);
    const qsizetype held = ticks.size();
    QTRY_VERIFY(ticks.size() >= held + 2);
    QCOMPARE(box->text(), screenWidth);
    QTest::mouseRelease(w.frm->cmdLargeur[2], Qt::LeftButton);
    QTRY_VERIFY(!w.frm->Timer2->isActive());
    QTest::mouseClick(w.frm->cmdHauteur[0], Qt::LeftButton);
    QTRY_COMPARE(w.frm->captureHeight, 10);
}

void TestFrmCE::waylandNotice()
{
    qputenv("XDG_SESSION_TYPE", "wayland");
    Window w;
    qunsetenv("XDG_SESSION_TYPE");
    QCOMPARE(w.platform.messages.size(), 1);
    QVERIFY(w.texts()[0].contains("Wayland") && w.texts()[0].contains("session X11"));
    QCOMPARE(w.platform.messages[0].title, "ALERTE");
}

QTEST_MAIN(TestFrmCE)
#include "tst_frmce.moc"
