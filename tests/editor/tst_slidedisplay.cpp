#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/picturecache.h"
#include "editor/slidedisplay.h"
#include "editor/slidepicture.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QBuffer>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <memory>

// Showing slides and moving between them in the main window.
class TestSlideDisplay : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void navigation_data();
    void navigation();
    void captionStoredBeforeLeaving();
    void pictureMeasure_data();
    void pictureMeasure();
    void fitChangesOnlyTheView();
    void neighboursDecodedAhead();
    void replacedPictureDecodedAgain();

private:
    // A project "Essai" of `count` slides; slide n is a (20 + n) x (10 + n)
    // picture captioned "Diapo n". Shows `current`.
    void open(int count, int current);
    QString picturePath(int n) const { return m_window->project.imagePath(n); }
    void act(const QString &step);

    std::unique_ptr<TempFolder> m_dir;
    ScriptedPlatform m_platform;
    std::unique_ptr<FrmPrincipal> m_window;
    std::unique_ptr<Features> m_features;
    SlideDisplay *m_display = nullptr;
};

namespace {

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A JPEG whose camera data says "turn a quarter clockwise to view".
QByteArray rotatedJpeg(QSize stored)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    filled(stored, Qt::darkGreen).save(&buffer, "JPEG");
    const QByteArray tiff = QByteArray(
        "MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 26);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(exif.size()) + 2;
    const QByteArray app1 = QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF)
        + exif;
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

} // namespace

void TestSlideDisplay::init()
{
    m_dir = std::make_unique<TempFolder>();
    const AppContext context{m_platform, m_dir->path(), m_dir->path()};
    m_window = std::make_unique<FrmPrincipal>(context);
    m_features = std::make_unique<Features>(*m_window, context);
    m_display = &m_features->slideDisplay();
}

void TestSlideDisplay::cleanup()
{
    m_features.reset();
    m_window.reset();
    m_dir.reset();
}

void TestSlideDisplay::open(int count, int current)
{
    SlideshowProject &project = m_window->project;
    project.name = QStringLiteral("Essai");
    project.folder = m_dir->path();
    project.updateBasePath();
    for (int n = 0; n < count; ++n) {
        project.imageTypes[n] = QStringLiteral(".jpg");
        QVERIFY(filled(QSize(20 + n, 10 + n), Qt::blue).save(picturePath(n), "JPEG"));
        project.slideLines[n] =
            QStringLiteral("<font face='Arial' size='2' color='#000000'>Diapo %1</font>").arg(n);
    }
    project.slideCount = std::int16_t(count);
    project.currentSlide = std::int16_t(current);
    project.loaded = true;
    if (count > 0)
        m_display->ShowCurrentSlide();
}

// "<<", "<", ">", ">>" click a navigation button; "type:12" selects the number
// box's text and types the keys one by one; "set:abc" replaces it at once.
void TestSlideDisplay::act(const QString &step)
{
    const QStringList arrows{"<<", "<", ">", ">>"};
    if (arrows.contains(step)) {
        QTest::mouseClick(m_window->cmdDiapo.at(arrows.indexOf(step)), Qt::LeftButton);
    } else if (step.startsWith(QLatin1String("type:"))) {
        m_window->txtNumDiapo->selectAll();
        QTest::keyClicks(m_window->txtNumDiapo, step.mid(5));
    } else {
        m_window->txtNumDiapo->setText(step.mid(4));
    }
}

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
    QTest::newRow("NextOnLast") << 10 << 9 << ">" << 9 << "9" << 0;
    QTest::newRow("LastFromFour") << 10 << 4 << ">>" << 9 << "9" << 1;
    QTest::newRow("FirstFromFour") << 10 << 4 << "<<" << 0 << "0" << 1;
    QTest::newRow("NextAndPrevious") << 10 << 4 << "> > <" << 5 << "5" << 3;
    QTest::newRow("SevenWithFiveSlides") << 5 << 3 << "type:7" << 3 << "3" << 0;
    QTest::newRow("OneThenTwoWith13") << 13 << 0 << "type:12" << 12 << "12" << 2;
    QTest::newRow("OneThenTwoWith5") << 5 << 0 << "type:12" << 1 << "1" << 1;
    QTest::newRow("LeadingZero") << 5 << 0 << "set:04" << 4 << "4" << 1;
    QTest::newRow("Letters") << 5 << 3 << "type:a" << 3 << "3" << 0;
    QTest::newRow("Emptied") << 5 << 3 << "set:" << 3 << "3" << 0;
    QTest::newRow("Negative") << 5 << 3 << "set:-1" << 3 << "3" << 0;
    QTest::newRow("Beyond16BitsWrapsToInRange") << 5 << 3 << "set:65537" << 3 << "3" << 0;
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

    open(slides, start);
    QSignalSpy shown(m_display, &SlideDisplay::slideShown);
    for (const QString &step : steps.split(QLatin1Char(' ')))
        act(step);

    QCOMPARE(m_window->project.currentSlide, expected);
    QCOMPARE(m_window->txtNumDiapo->text(), box);
    QCOMPARE(shown.size(), showings);
    if (slides > 0) {
        // The slide on screen is the current one, picture and caption.
        QCOMPARE(m_window->lblLongueur->text(), QStringLiteral("L = %1").arg(20 + expected));
        QCOMPARE(m_window->richtxtTexteInfo->toPlainText(),
                 QStringLiteral("Diapo %1").arg(expected));
    }
}

void TestSlideDisplay::captionStoredBeforeLeaving()
{
    open(3, 0);
    QTextEdit *editor = m_window->richtxtTexteInfo;
    editor->setPlainText(QStringLiteral("Bonjour"));
    QTextCursor cursor(editor->document());
    cursor.setPosition(3);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(bold);

    act(QStringLiteral(">"));
    QVERIFY2(m_window->project.slideLines[0].endsWith(QLatin1String("Bon<b>jour</b></font>")),
             qPrintable(m_window->project.slideLines[0]));
    QCOMPARE(editor->toPlainText(), QStringLiteral("Diapo 1"));

    act(QStringLiteral("type:0"));
    QCOMPARE(editor->toPlainText(), QStringLiteral("Bonjour"));
    cursor = QTextCursor(editor->document());
    cursor.setPosition(2);
    QVERIFY(cursor.charFormat().fontWeight() < QFont::Bold);
    cursor.setPosition(5);
    QCOMPARE(cursor.charFormat().fontWeight(), QFont::Bold);

    // Shown again while the caption field holds its line: the editor gets it.
    editor->setPlainText(QStringLiteral("brouillon"));
    m_display->ShowCurrentSlide();
    QCOMPARE(editor->toPlainText(), QStringLiteral("Bonjour"));
}

void TestSlideDisplay::pictureMeasure_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("bytes"); // the second slide's file; empty: none
    QTest::addColumn<QSize>("measured");
    QTest::addColumn<QSize>("limits");

    QFile gif(qEnvironmentVariable("LUMIVUE_APPDATA") + QStringLiteral("/Nouveau0.gif"));
    QVERIFY(gif.open(QIODevice::ReadOnly));
    const QByteArray gifBytes = gif.readAll();
    const QSize first(20, 10); // slide 0, shown before

    QTest::newRow("Gif") << ".gif" << gifBytes << QSize(600, 350) << QSize(600, 350);
    QTest::newRow("RotatedJpegUpright")
        << ".jpg" << rotatedJpeg(QSize(64, 48)) << QSize(48, 64) << QSize(48, 64);
    QTest::newRow("Missing") << ".jpg" << QByteArray() << QSize(0, 0) << first;
    QTest::newRow("Corrupt") << ".jpg" << QByteArray("\xFF\xD8\xFF not a picture") << QSize(0, 0)
                             << first;
    QTest::newRow("TruncatedGif") << ".gif" << gifBytes.left(13) << QSize(0, 0) << first;
}

void TestSlideDisplay::pictureMeasure()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, measured);
    QFETCH(QSize, limits);

    open(2, 0);
    QFile::remove(picturePath(1));
    m_window->project.imageTypes[1] = type;
    QFile file(picturePath(1));
    QVERIFY(bytes.isEmpty()
            || (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()));
    file.close();
    act(QStringLiteral(">"));

    QCOMPARE(m_window->lblLongueur->text(), QStringLiteral("L = %1").arg(measured.width()));
    QCOMPARE(m_window->lblLargeur->text(), QStringLiteral("H = %1").arg(measured.height()));
    QCOMPARE(QSize(m_display->displayWidthLimit(), m_display->displayHeightLimit()), limits);
    QCOMPARE(m_window->imgDiapo->picture().size(), measured);
    // The rest of the slide is shown all the same.
    QCOMPARE(m_window->richtxtTexteInfo->toPlainText(), QStringLiteral("Diapo 1"));
}

void TestSlideDisplay::fitChangesOnlyTheView()
{
    open(2, 0);
    QVERIFY(filled(QSize(3000, 2000), Qt::darkCyan).save(picturePath(0), "JPEG"));
    m_display->ShowCurrentSlide();
    m_window->resize(1200, 800);
    m_window->show();
    QScrollArea *area = m_window->imageArea;
    QTRY_VERIFY(area->horizontalScrollBar()->maximum() > 0);
    QVERIFY(area->verticalScrollBar()->maximum() > 0);

    m_window->chkAjuster->click();
    QTRY_COMPARE(area->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(area->verticalScrollBar()->maximum(), 0);
    const QRect shown = m_window->imgDiapo->pictureRect();
    QVERIFY(area->viewport()->rect().contains(shown));
    QVERIFY(qAbs(shown.width() * 2 - shown.height() * 3) <= 3);
    QCOMPARE(m_window->lblLongueur->text(), QStringLiteral("L = 3000"));
    QCOMPARE(m_display->displayHeightLimit(), 2000);

    // A small picture is not enlarged.
    act(QStringLiteral(">"));
    QCOMPARE(m_window->imgDiapo->pictureRect().size(), QSize(21, 11));
    act(QStringLiteral("<"));
    m_window->chkAjuster->click();
    QTRY_VERIFY(area->horizontalScrollBar()->maximum() > 0);
}

void TestSlideDisplay::neighboursDecodedAhead()
{
    open(6, 2);
    const PictureCache &pictures = m_display->pictures();
    QTRY_VERIFY(pictures.isReady(picturePath(1)) && pictures.isReady(picturePath(3)));
    QCOMPARE(pictures.decodesStarted(), 3);

    // Each step takes its picture ready-made and decodes only the new
    // neighbour (none past the last slide).
    const int decodes[] = {4, 5, 5};
    for (int n = 3; n <= 5; ++n) {
        act(QStringLiteral(">"));
        QVERIFY(pictures.heldCount() <= 3);
        QCOMPARE(pictures.decodesStarted(), decodes[n - 3]);
        QTRY_VERIFY(pictures.isReady(picturePath(n - 1))
                    && pictures.isReady(picturePath(std::min(n + 1, 5))));
    }
    // A jump decodes the slide and its one neighbour, and lets the rest go.
    const int before = pictures.decodesStarted();
    act(QStringLiteral("<<"));
    QCOMPARE(pictures.decodesStarted(), before + 2);
    QVERIFY(!pictures.holds(picturePath(4)) && !pictures.holds(picturePath(5)));
}

void TestSlideDisplay::replacedPictureDecodedAgain()
{
    open(3, 0);
    QTRY_VERIFY(m_display->pictures().isReady(picturePath(1)));
    QVERIFY(filled(QSize(77, 33), Qt::yellow).save(picturePath(1), "JPEG"));
    act(QStringLiteral(">"));
    QCOMPARE(m_window->lblLongueur->text(), QStringLiteral("L = 77"));
}

QTEST_MAIN(TestSlideDisplay)
#include "tst_slidedisplay.moc"
