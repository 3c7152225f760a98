#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/slidedisplay.h"
#include "editor/slidepicture.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QBuffer>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

// Showing slides and moving between them in the main window.
class TestSlideDisplay : public QObject
{
    Q_OBJECT
private slots:
    void navigation_data();
    void navigation();
    void captionStoredBeforeLeaving();
    void pictureMeasure_data();
    void pictureMeasure();
    void fitChangesOnlyTheView();
    void neighboursDecodedAhead();
};

namespace {

QByteArray jpeg(QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(&buffer, "JPEG");
    return bytes;
}

// The same JPEG with camera data saying "turn a quarter clockwise to view".
QByteArray rotatedJpeg(QSize stored)
{
    const QByteArray exif("Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0",
                          32);
    const QByteArray plain = jpeg(stored);
    return plain.left(2) + "\xFF\xE1" + char(0) + char(exif.size() + 2) + exif + plain.mid(2);
}

// A main window with a project "Essai" of `count` slides, slide n a
// (20 + n) x (10 + n) JPEG captioned "Diapo n", showing slide `current`.
struct Window
{
    TempFolder dir;
    ScriptedPlatform platform;
    AppContext context{platform, dir.path(), dir.path()};
    FrmPrincipal main{context};
    Features features{main, context};
    SlideDisplay &display = features.slideDisplay();
    SlideshowProject &project = main.project;

    Window(int count, int current)
    {
        project.name = QStringLiteral("Essai");
        project.folder = dir.path();
        project.updateBasePath();
        for (int n = 0; n < count; ++n) {
            project.imageTypes[n] = QStringLiteral(".jpg");
            writeFile(picture(n), jpeg(QSize(20 + n, 10 + n)));
            project.slideLines[n] =
                QStringLiteral("<font face='Arial' size='2' color='#000000'>Diapo %1</font>")
                    .arg(n);
        }
        project.slideCount = std::int16_t(count);
        project.currentSlide = std::int16_t(current);
        project.loaded = true;
        if (count > 0)
            display.ShowCurrentSlide();
    }
    QString picture(int n) const { return project.imagePath(n); }
    QString caption() const { return main.richtxtTexteInfo->toPlainText(); }

    // "<<", "<", ">", ">>" click a navigation button; "type:12" selects the
    // number box's text and types the keys one by one; "set:x" replaces it.
    void act(const QString &steps)
    {
        const QStringList arrows{"<<", "<", ">", ">>"};
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            if (arrows.contains(step)) {
                QTest::mouseClick(main.cmdDiapo.at(arrows.indexOf(step)), Qt::LeftButton);
            } else if (step.startsWith(QLatin1String("type:"))) {
                main.txtNumDiapo->selectAll();
                QTest::keyClicks(main.txtNumDiapo, step.mid(5));
            } else {
                main.txtNumDiapo->setText(step.mid(4));
            }
        }
    }
};

} // namespace

void TestSlideDisplay::navigation_data()
{
    QTest::addColumn<int>("slides");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("showings");

    QTest::newRow("OneSlideAllFourButtons") << 1 << 0 << "<< < > >>" << 0 << "0" << 2;
    QTest::newRow("PreviousOnFirstThenTyping") << 10 << 0 << "< type:3" << 3 << "3" << 1;
    QTest::newRow("NextOnLastThenTyping") << 10 << 9 << "> type:4" << 4 << "4" << 1;
    QTest::newRow("LastFromFourThenFirst") << 10 << 4 << ">> <<" << 0 << "0" << 2;
    QTest::newRow("SevenWithFiveSlides") << 5 << 3 << "type:7" << 3 << "3" << 0;
    QTest::newRow("OneThenTwoWith13") << 13 << 0 << "type:12" << 12 << "12" << 2;
    QTest::newRow("OneThenTwoWith5") << 5 << 0 << "type:12" << 1 << "1" << 1;
    QTest::newRow("Letters") << 5 << 3 << "type:a" << 3 << "3" << 0;
    QTest::newRow("Negative") << 5 << 3 << "set:-1" << 3 << "3" << 0;
    QTest::newRow("Beyond16BitsWrapsIntoRange") << 5 << 3 << "set:65537" << 3 << "3" << 0;
    QTest::newRow("NoSlides") << 0 << 0 << ">> type:1" << 0 << "1" << 0;
}

void TestSlideDisplay::navigation()
{
    QFETCH(int, slides);
    QFETCH(int, start);
    QFETCH(QString, steps);
    QFETCH(int, expected);
    QFETCH(QString, box);
    QFETCH(int, showings);

    Window w(slides, start);
    QSignalSpy shown(&w.display, &SlideDisplay::slideShown);
    w.act(steps);
    QCOMPARE(w.project.currentSlide, expected);
    QCOMPARE(w.main.txtNumDiapo->text(), box);
    QCOMPARE(shown.size(), showings);
    // The slide on screen is the current one, picture and caption.
    if (slides > 0) {
        QCOMPARE(w.main.lblLongueur->text(), QStringLiteral("L = %1").arg(20 + expected));
        QCOMPARE(w.caption(), QStringLiteral("Diapo %1").arg(expected));
    }
}

void TestSlideDisplay::captionStoredBeforeLeaving()
{
    Window w(3, 0);
    QTextEdit *editor = w.main.richtxtTexteInfo;
    editor->setHtml(QStringLiteral("Bon<b>jour</b>"));
    w.act(QStringLiteral(">"));
    QVERIFY(w.project.slideLines[0].endsWith(QLatin1String("Bon<b>jour</b></font>")));
    QCOMPARE(w.caption(), QStringLiteral("Diapo 1"));

    w.act(QStringLiteral("type:0"));
    QTextCursor cursor(editor->document());
    cursor.setPosition(5);
    QCOMPARE(w.caption(), QStringLiteral("Bonjour"));
    QCOMPARE(cursor.charFormat().fontWeight(), QFont::Bold);
    // Shown again while the caption field holds its line: the editor gets it.
    editor->setPlainText(QStringLiteral("brouillon"));
    w.display.ShowCurrentSlide();
    QCOMPARE(w.caption(), QStringLiteral("Bonjour"));
}

void TestSlideDisplay::pictureMeasure_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("bytes"); // the second slide's file; empty: none
    QTest::addColumn<QSize>("measured");
    QTest::addColumn<QSize>("limits");

    const QByteArray gif = readFile(qEnvironmentVariable("LUMIVUE_APPDATA") + "/Nouveau0.gif");
    const QSize before(20, 10), upright(48, 64); // slide 0's, shown first; the turned JPEG's
    QTest::newRow("Gif") << ".gif" << gif << QSize(600, 350) << QSize(600, 350);
    QTest::newRow("RotatedJpeg") << ".jpg" << rotatedJpeg(QSize(64, 48)) << upright << upright;
    QTest::newRow("Missing") << ".jpg" << QByteArray() << QSize(0, 0) << before;
    QTest::newRow("Corrupt") << ".jpg" << QByteArray("\xFF\xD8\xFF junk") << QSize(0, 0) << before;
}

void TestSlideDisplay::pictureMeasure()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, measured);
    QFETCH(QSize, limits);

    Window w(2, 0);
    QFile::remove(w.picture(1));
    w.project.imageTypes[1] = type;
    if (!bytes.isEmpty())
        writeFile(w.picture(1), bytes);
    w.act(QStringLiteral(">"));
    QCOMPARE(w.main.lblLongueur->text(), QStringLiteral("L = %1").arg(measured.width()));
    QCOMPARE(w.main.lblLargeur->text(), QStringLiteral("H = %1").arg(measured.height()));
    QCOMPARE(QSize(w.display.displayWidthLimit(), w.display.displayHeightLimit()), limits);
    QCOMPARE(w.caption(), QStringLiteral("Diapo 1")); // the rest goes on
}

void TestSlideDisplay::fitChangesOnlyTheView()
{
    Window w(2, 1);
    writeFile(w.picture(0), jpeg(QSize(3000, 2000)));
    w.main.resize(1200, 800);
    w.main.show();
    const QScrollBar *bar = w.main.imageArea->horizontalScrollBar();
    w.act(QStringLiteral("<"));
    QTRY_VERIFY(bar->maximum() > 0);

    w.main.chkAjuster->click();
    QTRY_COMPARE(bar->maximum(), 0);
    const QRect shown = w.main.imgDiapo->pictureRect();
    QVERIFY(w.main.imageArea->viewport()->rect().contains(shown));
    QVERIFY(qAbs(shown.width() * 2 - shown.height() * 3) <= 3);
    QCOMPARE(w.main.lblLongueur->text(), QStringLiteral("L = 3000"));
    QCOMPARE(w.display.displayHeightLimit(), 2000);
    w.act(QStringLiteral(">")); // a small picture is not enlarged
    QCOMPARE(w.main.imgDiapo->pictureRect().size(), QSize(21, 11));
}

void TestSlideDisplay::neighboursDecodedAhead()
{
    Window w(6, 2);
    const PictureCache &pictures = w.display.pictures();
    const auto ready = [&](int a, int b) {
        return pictures.isReady(w.picture(a)) && pictures.isReady(w.picture(b));
    };
    QTRY_VERIFY(ready(1, 3));
    QCOMPARE(pictures.decodesStarted(), 3);
    // Each step takes its picture ready-made and decodes only the new
    // neighbour (none past the last slide), holding three pictures at most.
    for (int n = 3; n <= 5; ++n) {
        w.act(QStringLiteral(">"));
        QCOMPARE(pictures.decodesStarted(), std::min(n + 1, 5));
        QVERIFY(pictures.heldCount() <= 3);
        QTRY_VERIFY(ready(n - 1, std::min(n + 1, 5)));
    }
    // A jump decodes the slide and its one neighbour, and lets the rest go.
    w.act(QStringLiteral("<<"));
    QCOMPARE(pictures.decodesStarted(), 7);
    QVERIFY(!pictures.holds(w.picture(4)) && !pictures.holds(w.picture(5)));
    // A picture replaced on disk is decoded again.
    QTRY_VERIFY(ready(0, 1));
    writeFile(w.picture(1), jpeg(QSize(77, 33)));
    w.act(QStringLiteral(">"));
    QCOMPARE(w.main.lblLongueur->text(), QStringLiteral("L = 77"));
}

QTEST_MAIN(TestSlideDisplay)
#include "tst_slidedisplay.moc"
