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

QSize screenSize()
{
    return QGuiApplication::primaryScreen()->size();
}

// A screen of two-coloured stripes, so that each copy tells where it was taken.
QImage stripes(int shade = 90)
{
    QImage image(screenSize(), QImage::Format_RGB32);
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

    // Files named "x/" are made as folders, which no one can write over.
    explicit Window(const QByteArray &passage = "40\r\n30\r\n-999\r\n-999\r\n",
                    const QStringList &files = {})
    {
        if (!passage.isNull())
            app.write("Passage", passage);
        for (const QString &file : files)
            file.endsWith('/') ? app.makeFolder(file) : app.write(file, file.toUtf8());
        platform.screen = stripes();
        frm = std::make_unique<FrmCE>(platform, app.appDir());
        frm->show();
    }
    QStringList captureFiles() const
    {
        return QDir(app.appDir()).entryList({"ScreenShot_*"}, QDir::Files, QDir::Name);
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
    QStringList texts() const
    {
        QStringList all;
        for (const auto &message : platform.messages)
            all.append(message.text);
        return all;
    }
};

} // namespace

class TestFrmCE : public QObject
{
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void sizeCheck_data();
    void sizeCheck();
    void quality_data();
    void quality();
    void captureTypes_data();
    void captureTypes();
    void overwriteToggle();
    void escapeKeepsCount();
    void copyNotSaved_data();
    void copyNotSaved();
    void conversionFailure();
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
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("Saved") << QByteArray("800\r\n500\r\n150\r\n-999\r\n") << "800" << "500" << 150 << -999;
    QTest::newRow("NoFile") << QByteArray() << "600" << "350" << 0 << 0;
    QTest::newRow("FirstLineEmpty") << QByteArray("\r\n70\r\n15\r\n30\r\n") << "600" << "350" << 15 << 30;
}

// Every opening reads the settings and starts without capture files.
void TestFrmCE::load()
{
    QFETCH(QByteArray, passage);
    QFETCH(QString, width);
    QFETCH(QString, height);
    Window w(passage, {shot(1, "bmp"), shot(2, "jpg"), shot(100, "jpg")});
    QCOMPARE(w.frm->txtLargeur->text(), width);
    QCOMPARE(w.frm->txtHauteur->text(), height);
    QCOMPARE(QSize(w.frm->captureWidth, w.frm->captureHeight), QSize(width.toInt(), height.toInt()));
    QFETCH(int, left);
    QFETCH(int, top);
    QCOMPARE(w.frm->captureLeft, left);
    QCOMPARE(w.frm->captureTop, top);
    QCOMPARE(w.captureFiles(), QStringList());
    QCOMPARE(w.texts(), QStringList());
}

void TestFrmCE::sizeCheck_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("message");   // empty: taken through the frame
    const int sw = screenSize().width(), sh = screenSize().height();
    const QString refused = QStringLiteral("Valeurs de HAUTEUR et LARGEUR non valides.");
    QTest::newRow("Smallest") << 10 << 10 << "";
    QTest::newRow("NineWide") << 9 << 10 << refused;
    QTest::newRow("NineHigh") << 10 << 9 << refused;
    QTest::newRow("WiderThanScreen") << sw + 1 << 10 << refused;
    QTest::newRow("ScreenWideOnly") << sw << 10 << "";
    QTest::newRow("WholeScreen") << sw << sh << "Vous avez choisi de capturer l'écran en entier.";
}

// An accepted size gives a BMP of exactly that size, copied from where the
// frame's hole (or the whole screen) was.
void TestFrmCE::sizeCheck()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, message);
    Window w;
    w.frm->Option1[1]->click();
    w.frm->txtLargeur->setText(QString::number(width));
    w.frm->txtHauteur->setText(QString::number(height));
    w.capture();
    const bool taken = !message.startsWith("Valeurs");
    QCOMPARE(w.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(w.frm->captureCount, taken ? 1 : 0);
    QVERIFY(w.frm->isVisible());
    if (!taken) {
        QCOMPARE(w.captureFiles(), QStringList());
        return;
    }
    QCOMPARE(w.captureFiles(), (QStringList{shot(1, "bmp"), shot(1, "jpg")}));
    QCOMPARE(w.platform.grabs.size(), 1);
    const QRect grab = w.platform.grabs[0];
    QCOMPARE(QImage(w.app.path(shot(1, "bmp"))).convertToFormat(QImage::Format_RGB32),
             w.platform.screen.copy(QRect(grab.topLeft(), QSize(width, height))));
}

void TestFrmCE::quality_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("used");
    QTest::newRow("InRange") << "40" << "40";
    QTest::newRow("Zero") << "0" << "100";
    QTest::newRow("AboveHundred") << "101" << "100";
    QTest::newRow("BeyondSixteenBits") << "70000" << "100";
    QTest::newRow("NotANumber") << "abc" << "100";
}

void TestFrmCE::quality()
{
    QFETCH(QString, typed);
    QFETCH(QString, used);
    Window w;
    w.frm->Option1[1]->click();
    w.frm->txtQualite->setText(typed);
    w.capture();
    QCOMPARE(w.frm->txtQualite->text(), used);
    // The JPEG is the one the converter makes at that quality.
    const QByteArray bmp = QFile::encodeName(w.app.path(shot(1, "bmp")));
    const QByteArray expected = QFile::encodeName(w.app.path("expected.jpg"));
    QCOMPARE(BMP2JPGpourVBFrance(bmp, expected, std::int16_t(used.toInt())), 0);
    QCOMPARE(w.app.read(shot(1, "jpg")), w.app.read("expected.jpg"));
}

void TestFrmCE::captureTypes_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("JpegAndBmp") << 1 << QStringList{shot(1, "bmp"), shot(1, "jpg")};
    QTest::newRow("JpegOnly") << 2 << QStringList{shot(1, "jpg")};
}

void TestFrmCE::captureTypes()
{
    QFETCH(int, option);
    QFETCH(QStringList, files);
    Window w;
    w.frm->Option1[option]->click();
    w.capture();
    QCOMPARE(w.captureFiles(), files);
    const bool keptBmp = option == 1;
    QCOMPARE(w.frm->cmdBMP->isVisible(), keptBmp);
    QCOMPARE(w.frm->cmdRefaire->isVisible(), keptBmp);
    QVERIFY(w.frm->cmdVisu->isVisible());
    QVERIFY(w.frm->lblRefaire->isVisible());
    const qint64 bytes = QFileInfo(w.app.path(shot(1, "jpg"))).size();
    QCOMPARE(w.frm->lblRefaire->text(), QStringLiteral("%1 ko").arg(qRound(bytes / 1000.0)));

    // The view buttons open the files through the desktop.
    w.frm->cmdVisu->click();
    QCOMPARE(w.platform.shellRequests, QStringList{w.app.path(shot(1, "jpg"))});
}

// Armed after three captures, the toggle makes the next capture number 3
// again; clicked twice it goes back to 3.
void TestFrmCE::overwriteToggle()
{
    Window w;
    w.frm->cmdNumero->click();
    QCOMPARE(w.frm->cmdNumero->text(), "0");
    QCOMPARE(w.frm->overwriteLast, false);
    for (int i = 0; i < 3; ++i)
        w.capture();
    const QByteArray third = w.app.read(shot(3, "jpg"));
    w.frm->cmdNumero->click();
    QCOMPARE(w.frm->cmdNumero->text(), "2");
    QCOMPARE(w.frm->cmdNumero->toolTip(),
             "ALERTE!!!La prochaine capture va effacer la dernière capture effectuée !");
    QCOMPARE(w.frm->cmdNumero->property("tint").toString(), "red");
    w.platform.screen = stripes(200);
    w.capture();
    QCOMPARE(w.frm->cmdNumero->text(), "3");
    QCOMPARE(w.frm->cmdNumero->property("tint").toString(), "green");
    QVERIFY(!w.captureFiles().contains(shot(4, "jpg")));
    QVERIFY(w.app.read(shot(3, "jpg")) != third);
    w.frm->cmdNumero->click();
    w.frm->cmdNumero->click();
    QCOMPARE(w.frm->cmdNumero->text(), "3");
    QCOMPARE(w.frm->cmdNumero->toolTip(), "indique le nombre de captures effectuées");
}

// Escape gives the number back; Ctrl+arrow moved the frame 10 pixels first,
// and the next frame opens where this one was left.
void TestFrmCE::escapeKeepsCount()
{
    Window w;
    for (int i = 0; i < 3; ++i)
        w.capture();
    const int left = w.frm->captureLeft;
    w.capture({QKeyCombination(Qt::ControlModifier, Qt::Key_Left), QKeyCombination(Qt::Key_Escape)});
    QCOMPARE(w.frm->captureCount, 3);
    QCOMPARE(w.frm->captureLeft, left - 150);
    QCOMPARE(w.captureFiles().size(), 6);
    w.capture();
    QVERIFY(w.captureFiles().contains(shot(4, "jpg")));
}

void TestFrmCE::copyNotSaved_data()
{
    QTest::addColumn<bool>("emptyCopy");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("message");
    QTest::newRow("RefusedCopy") << true << QStringList{}
                                 << "Le bureau a refusé la copie de l'écran : elle est revenue vide, "
                                    "aucun fichier de capture n'a été écrit.\r\n"
                                    "Dans une session Wayland, ouvrez une session X11 pour capturer.";
    QTest::newRow("BmpCannotBeWritten") << false << QStringList{shot(1, "bmp/")}
                                        << "Impossible d'enregistrer la capture dans le dossier :\r\n%1\r\n"
                                           "La capture est annulée.";
}

// A copy that cannot be kept is reported, takes its number back and leaves
// the window ready for the next one.
void TestFrmCE::copyNotSaved()
{
    QFETCH(bool, emptyCopy);
    QFETCH(QStringList, files);
    QFETCH(QString, message);
    Window w("40\r\n30\r\n-999\r\n-999\r\n", files);
    if (emptyCopy)
        w.platform.screen = QImage();
    w.capture();
    if (message.contains("%1"))
        message = message.arg(QDir::toNativeSeparators(w.app.appDir()));
    QCOMPARE(w.texts(), QStringList{message});
    QCOMPARE(w.frm->captureCount, 0);
    QCOMPARE(w.captureFiles(), QStringList());
    QVERIFY(w.frm->isVisible());
    QVERIFY(!w.frm->cmdVisu->isVisible());
}

// A failed conversion keeps the BMP whatever the type; cmdRefaire tries again.
void TestFrmCE::conversionFailure()
{
    Window w("40\r\n30\r\n-999\r\n-999\r\n", {shot(1, "jpg/")});
    w.capture();
    QCOMPARE(w.texts(), QStringList{"Désolé, la conversion JPG vient d'échouer...\r\n"
                                    "Le fichier BMP a été sauvegardé."});
    QCOMPARE(w.frm->lblRefaire->text(), "OUT");
    QVERIFY(!w.frm->cmdVisu->isVisible());
    QVERIFY(w.frm->cmdRefaire->isVisible());
    QCOMPARE(w.captureFiles(), QStringList{shot(1, "bmp")});

    QVERIFY(QDir(w.app.path(shot(1, "jpg"))).removeRecursively());
    w.frm->cmdRefaire->click();
    QCOMPARE(w.captureFiles(), (QStringList{shot(1, "bmp"), shot(1, "jpg")}));
    QVERIFY(w.frm->lblRefaire->text().endsWith(" ko"));
    QVERIFY(w.frm->cmdVisu->isVisible());
    w.app.remove(shot(1, "bmp"));
    w.frm->cmdRefaire->click();
    QCOMPARE(w.texts().last(), "Le fichier BMP n'existe plus !");
}

void TestFrmCE::deleteBmp_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("jpegs");     // contents of 1, 2, 3 afterwards
    QTest::addColumn<int>("failures");
    QTest::newRow("GapClosed") << QStringList{} << QStringList{"one", "three", "four"} << 0;
    // 3 cannot become 2, so 4 cannot become 3 either: each failure is told.
    QTest::newRow("RenameRefused") << QStringList{shot(2, "jpg/")}
                                   << QStringList{"one", "<missing>", "three"} << 2;
}

// JPEG files 1, 3 and 4 become 1, 2 and 3; a rename that fails is reported
// and the renumbering goes on.
void TestFrmCE::deleteBmp()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, jpegs);
    QFETCH(int, failures);
    Window w("40\r\n30\r\n-999\r\n-999\r\n", folders);
    w.app.write(shot(1, "jpg"), "one");
    w.app.write(shot(3, "jpg"), "three");
    w.app.write(shot(4, "jpg"), "four");
    w.app.write(shot(4, "bmp"), "bitmap");
    w.frm->captureCount = 4;
    w.platform.answers.enqueue(Answer::Yes);
    w.frm->Command1[3]->click();

    QCOMPARE(w.texts().size(), 1 + failures);
    if (failures)
        QCOMPARE(w.texts().last(), "Erreur de transformation de fichier");
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(w.app.read(shot(n, "jpg")), jpegs[n - 1].toUtf8());
    QVERIFY(!QFile::exists(w.app.path(shot(4, "bmp"))));
    QCOMPARE(w.frm->cmdNumero->text(), "3");
    QCOMPARE(w.frm->lblRefaire->text(), "0 ko");
    QVERIFY(w.frm->Option1[2]->isChecked());
    QVERIFY(w.frm->cmdVisu->isVisible() && !w.frm->cmdRefaire->isVisible());

    // With no JPEG left the window starts afresh.
    for (int n = 1; n <= 4; ++n)
        QFile::remove(w.app.path(shot(n, "jpg")));
    w.platform.answers.enqueue(Answer::Yes);
    w.frm->Command1[3]->click();
    QCOMPARE(w.frm->cmdNumero->text(), "0");
    QVERIFY(!w.frm->cmdVisu->isVisible() && !w.frm->lblRefaire->isVisible());
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
    w.frm->Option1[1]->click();
    w.frm->txtLargeur->setText("41");
    w.capture();
    QSignalSpy unloaded(w.frm.get(), &FrmCE::unloaded);
    w.platform.answers.enqueue(answer);
    w.frm->Command1[1]->click();
    QCOMPARE(w.platform.messages.last().title, "QUITTER");
    QCOMPARE(w.app.read("Passage"), passage);
    QCOMPARE(w.captureFiles(), QStringList{shot(1, "jpg")});
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
    const int sw = screenSize().width();
    box->setText(QString::number(sw - 3));
    QTest::mousePress(w.frm->cmdLargeur[2], Qt::LeftButton);
    QTRY_COMPARE(box->text(), QString::number(sw));
    const qsizetype held = ticks.size();
    QTRY_VERIFY(ticks.size() >= held + 2);
    QCOMPARE(box->text(), QString::number(sw));
    QTest::mouseRelease(w.frm->cmdLargeur[2], Qt::LeftButton);
    QTRY_VERIFY(!w.frm->Timer2->isActive());
    QTest::mouseClick(w.frm->cmdHauteur[0], Qt::LeftButton);
    QTRY_COMPARE(w.frm->txtHauteur->text(), "10");
    QCOMPARE(w.frm->captureHeight, 10);
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
