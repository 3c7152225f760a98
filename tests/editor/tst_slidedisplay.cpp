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
};

namespace {

QByteArray jpeg(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return buffer.data();
}

// A main window with a project of `count` slides, slide n a (20 + n) x
// (10 + n) JPEG captioned "Diapo n", showing slide `current`.
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
            writeFile(project.imagePath(n), jpeg(QSize(20 + n, 10 + n)));
            project.slideLines[n] =
                QStringLiteral("<font face='Arial' size='2' color='#000000'>Diapo %1</font>").arg(n);
        }
        project.slideCount = std::int16_t(count);
        project.currentSlide = std::int16_t(current);
        project.loaded = true;
        if (count > 0)
            display.ShowCurrentSlide();
    }

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

    Window w(slides, start);
    QSignalSpy shown(&w.display, &SlideDisplay::slideShown);
    w.act(steps);
    QCOMPARE(w.project.currentSlide, expected);
    QTEST(w.main.txtNumDiapo->text(), "box");
    QTEST(int(shown.size()), "showings");
    if (slides > 0) { // the slide on screen is the current one, picture and caption
        QCOMPARE(w.main.lblLongueur->text(), QStringLiteral("L = %1").arg(20 + expected));
        QCOMPARE(w.main.richtxtTexteInfo->toPlainText(), QStringLiteral("Diapo %1").arg(expected));
    }
}

void TestSlideDisplay::captionStoredBeforeLeaving()
{
    Window w(3, 0);
    w.main.richtxtTexteInfo->setHtml(QStringLiteral("Bon<b>jour</b>"));
    w.act(QStringLiteral(">"));
    QVERIFY(w.project.slideLines[0].endsWith(QLatin1String("Bon<b>jour</b></font>")));
    QCOMPARE(w.main.richtxtTexteInfo->toPlainText(), QStringLiteral("Diapo 1"));

    w.act(QStringLiteral("type:0"));
    QTextCursor cursor(w.main.richtxtTexteInfo->document());
    cursor.setPosition(5);
    QCOMPARE(w.main.richtxtTexteInfo->toPlainText(), QStringLiteral("Bonjour"));
    QCOMPARE(cursor.charFormat().fontWeight(), QFont::Bold);
}

void TestSlideDisplay::pictureMeasure_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("bytes"); // the second slide's file; empty: none
    QTest::addColumn<QSize>("measured");
    QTest::addColumn<QSize>("limits");

    // A JPEG stored 64 x 48 whose camera data asks for a quarter turn.
    const QByteArray plain = jpeg(QSize(64, 48));
    const QByteArray turned = plain.left(2) + QByteArray("\xFF\xE1\0\x22" "Exif\0\0MM\0*\0\0\0\x08\0\x01"
                                                         "\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 36)
        + plain.mid(2);
    const QByteArray gif = readFile(qEnvironmentVariable("LUMIVUE_APPDATA") + "/Nouveau0.gif");
    const QSize before(20, 10), upright(48, 64); // slide 0's, shown first; the turned JPEG's
    QTest::newRow("Gif") << ".gif" << gif << QSize(600, 350) << QSize(600, 350);
    QTest::newRow("RotatedJpeg") << ".jpg" << turned << upright << upright;
    QTest::newRow("Missing") << ".jpg" << QByteArray() << QSize(0, 0) << before;
    QTest::newRow("Corrupt") << ".jpg" << QByteArray("\xFF\xD8\xFF junk") << QSize(0, 0) << before;
}

void TestSlideDisplay::pictureMeasure()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, measured);

    Window w(2, 0);
    // The file changes after the next slide was decoded ahead: it is read again.
    QTRY_VERIFY(w.display.pictures().isReady(w.project.imagePath(1)));
    QFile::remove(w.project.imagePath(1));
    w.project.imageTypes[1] = type;
    if (!bytes.isEmpty())
        writeFile(w.project.imagePath(1), bytes);
    w.act(QStringLiteral(">"));
    QCOMPARE(w.main.lblLongueur->text(), QStringLiteral("L = %1").arg(measured.width()));
    QCOMPARE(w.main.lblLargeur->text(), QStringLiteral("H = %1").arg(measured.height()));
    QTEST(QSize(w.display.displayWidthLimit(), w.display.displayHeightLimit()), "limits");
    QCOMPARE(w.main.richtxtTexteInfo->toPlainText(), QStringLiteral("Diapo 1")); // the rest goes on
}

void TestSlideDisplay::fitChangesOnlyTheView()
{
    Window w(2, 1);
    writeFile(w.project.imagePath(0), jpeg(QSize(3000, 2000)));
    w.main.resize(1200, 800);
    w.main.show();
    w.act(QStringLiteral("<"));
    w.main.chkAjuster->click();
    QTRY_COMPARE(w.main.imageArea->horizontalScrollBar()->maximum(), 0);
    const QRect shown = w.main.imgDiapo->pictureRect();
    QVERIFY(w.main.imageArea->viewport()->rect().contains(shown));
    QVERIFY(qAbs(shown.width() * 2 - shown.height() * 3) <= 3);
    QCOMPARE(w.main.lblLongueur->text(), QStringLiteral("L = 3000"));
    w.act(QStringLiteral(">")); // a small picture is not enlarged
    QCOMPARE(w.main.imgDiapo->pictureRect().size(), QSize(21, 11));
}

QTEST_MAIN(TestSlideDisplay)
#include "tst_slidedisplay.moc"
