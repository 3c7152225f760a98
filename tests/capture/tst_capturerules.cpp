// The capture rules that need no window: numbers typed or stored, the JPEG
// weight, the hand-over file before a run and the import of captures.
#include "capture/capturefiles.h"
#include "capture/captureimport.h"
#include "capture/integerpart.h"
#include "output/appdirfixture.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"

#include <QTest>

class TestCaptureRules : public QObject
{
    Q_OBJECT
private slots:
    void integerPart_data();
    void integerPart();
    void weightText_data();
    void weightText();
    void prepareHandOver_data();
    void prepareHandOver();
    void takeOver_data();
    void takeOver();
};

void TestCaptureRules::integerPart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("Plain") << "600" << 600;
    QTest::newRow("SpacesAnywhere") << " 6 0 0 " << 600;
    QTest::newRow("FractionDown") << "12.7" << 12;
    QTest::newRow("NegativeFractionDown") << "-3.5" << -4;
    QTest::newRow("NegativeWhole") << "-999" << -999;
    QTest::newRow("TrailingText") << "35px" << 35;
    QTest::newRow("NotANumber") << "abc" << 0;
    QTest::newRow("Empty") << "" << 0;
    QTest::newRow("BeyondRange") << "123456789012345678901234" << 2147483647;
    QTest::newRow("BeyondRangeNegative") << "-99999999999" << -2147483647 - 1;
}

void TestCaptureRules::integerPart()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(IntegerPart(text), value);
}

void TestCaptureRules::weightText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("RoundsUp") << qint64(45678) << "46 ko";
    QTest::newRow("RoundsDown") << qint64(45499) << "45 ko";
    QTest::newRow("HalfToEvenUp") << qint64(45500) << "46 ko";
    QTest::newRow("HalfToEvenDown") << qint64(46500) << "46 ko";
    QTest::newRow("UnderHalfKilo") << qint64(499) << "0 ko";
}

void TestCaptureRules::weightText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(CaptureFiles::weightText(bytes), text);
}

void TestCaptureRules::prepareHandOver_data()
{
    QTest::addColumn<QByteArray>("passage");   // "<none>" for no file
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("NoFile") << QByteArray("<none>") << 30 << 45;
    QTest::newRow("Complete") << QByteArray("1\r\n2\r\n150\r\n-30\r\n") << 150 << -30;
    QTest::newRow("ShortKeepsTop") << QByteArray("600\r\n350\r\n120\r\n") << 120 << 45;
    QTest::newRow("TextLines") << QByteArray("a\nb\nx12\n 7 5\n") << 0 << 75;
}

// The frame's last position comes back from the file (what cannot be read
// keeps the position held), and the file proposes the slide's size.
void TestCaptureRules::prepareHandOver()
{
    QFETCH(QByteArray, passage);
    QFETCH(int, left);
    QFETCH(int, top);
    AppDirFixture app;
    if (passage != "<none>")
        app.write("Passage", passage);
    std::int32_t savedLeft = 30, savedTop = 45;
    CaptureImport::prepareHandOver(app.appDir(), QSize(640, 480), savedLeft, savedTop);
    QCOMPARE(savedLeft, left);
    QCOMPARE(savedTop, top);
    QCOMPARE(app.read("Passage"), QStringLiteral("640\r\n480\r\n%1\r\n%2\r\n").arg(left).arg(top).toLatin1());
}

void TestCaptureRules::takeOver_data()
{
    QTest::addColumn<int>("slides");
    QTest::addColumn<QList<int>>("captures");
    QTest::addColumn<int>("taken");
    QTest::addColumn<QString>("message");
    const QString took = QStringLiteral("Vous venez de capturer %1 ");
    QTest::newRow("ThreeIntoFive") << 5 << QList<int>{1, 2, 3} << 3
                                   << took.arg(3) + "nouvelles diapos.";
    QTest::newRow("OneIntoFive") << 5 << QList<int>{1} << 1 << took.arg(1) + "nouvelle diapo.";
    QTest::newRow("ThreeInto198") << 198 << QList<int>{1, 2, 3} << 2
                                  << took.arg(2) + "nouvelles diapos.";
    QTest::newRow("GapAfterTwo") << 5 << QList<int>{1, 2, 4} << 2
                                 << took.arg(2) + "nouvelles diapos.";
    QTest::newRow("NoneFromOne") << 5 << QList<int>{2, 3} << 0
                                 << "Aucune capture n'a été effectuée";
    QTest::newRow("Full") << 200 << QList<int>{1} << 0
                          << "Le diaporama est plein! Il contient déjà 200 diapos !\r\n"
                             "Supprimez des diapos avant de capturer de nouveau.";
}

void TestCaptureRules::takeOver()
{
    QFETCH(int, slides);
    QFETCH(QList<int>, captures);
    QFETCH(int, taken);
    QFETCH(QString, message);

    AppDirFixture app;
    for (int n : captures)
        app.write(QStringLiteral("ScreenShot_%1.jpg").arg(n), "capture " + QByteArray::number(n));
    AppDirFixture folder;
    SlideshowProject project;
    project.folder = folder.appDir();
    project.name = QStringLiteral("Vacances");
    project.updateBasePath();
    project.slideCount = std::int16_t(slides);
    project.currentSlide = 1;
    project.loaded = true;
    for (int n = 0; n <= SlideshowProject::MaxSlides; ++n)
        project.slideLines[n] = QStringLiteral("old");
    // A picture left behind by a slide deleted earlier.
    folder.write(QStringLiteral("Vacances%1.jpg").arg(slides), "leftover");

    ScriptedPlatform platform;
    QList<int> shownCounts;
    int shownWhenCount = -1;
    QByteArray shownPicture;
    CaptureImport::Display display;
    display.showSlideCount = [&](int count) { shownCounts.append(count); };
    display.showCurrentSlide = [&] {
        shownWhenCount = project.slideCount;
        shownPicture = folder.read(QStringLiteral("Vacances%1.jpg").arg(project.currentSlide));
    };
    QCOMPARE(CaptureImport::takeOverCaptures(platform, app.appDir(), project, display), taken);

    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages[0].text, message);
    QCOMPARE(project.slideCount, slides + taken);
    QCOMPARE(project.saved, taken == 0);
    QCOMPARE(project.htmlGenerated, taken == 0);
    for (int i = 1; i <= taken; ++i) {
        const int n = slides - 1 + i;
        QCOMPARE(folder.read(QStringLiteral("Vacances%1.jpg").arg(n)), "capture " + QByteArray::number(i));
        QCOMPARE(project.imageTypes[n], QStringLiteral(".jpg"));
        QCOMPARE(project.slideLines[n], QString());
        QVERIFY(!CaptureFiles::exists(app.appDir(), i, CaptureFiles::Jpg));
    }
    for (int n : captures) {
        if (n > taken)
            QVERIFY(CaptureFiles::exists(app.appDir(), n, CaptureFiles::Jpg));
    }
    if (taken == 0) {
        QCOMPARE(shownCounts, QList<int>());
        QCOMPARE(project.currentSlide, 1);
        return;
    }
    // The first new slide is shown, complete, before the count is raised.
    QCOMPARE(project.currentSlide, slides);
    QCOMPARE(shownWhenCount, slides);
    QCOMPARE(shownPicture, "capture 1");
    QCOMPARE(shownCounts.last(), slides + taken);
    QCOMPARE(shownCounts.size(), taken + 1);
}

QTEST_GUILESS_MAIN(TestCaptureRules)
#include "tst_capturerules.moc"
