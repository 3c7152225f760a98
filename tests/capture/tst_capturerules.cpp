// The capture rules that need no window: numbers, weights, the hand-over file, the import.
#include "capture/capturefiles.h"
#include "capture/captureimport.h"
#include "capture/integerpart.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

class TestCaptureRules : public QObject
{
    Q_OBJECT
private slots:
    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value"); // integer part, or weight for a "bytes:" row
        QTest::newRow("SpacesAnywhere") << " 6 0 0 " << QString("600");
        QTest::newRow("NegativeFractionDown") << "-3.5" << QString("-4");
        QTest::newRow("BeyondRange") << "123456789012345678901234" << QString("2147483647");
        QTest::newRow("WeightRounds") << "bytes:45678" << QString("46 ko");
        QTest::newRow("WeightHalfToEvenUp") << "bytes:45500" << QString("46 ko");
        QTest::newRow("WeightHalfToEvenDown") << "bytes:46500" << QString("46 ko");
    }

    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        if (text.startsWith("bytes:"))
            QCOMPARE(CaptureFiles::weightText(text.mid(6).toLongLong()), value);
        else
            QCOMPARE(QString::number(IntegerPart(text)), value);
    }

    void prepareHandOver_data()
    {
        QTest::addColumn<QByteArray>("passage"); // "<none>" for no file
        QTest::addColumn<QPoint>("position");
        QTest::newRow("NoFile") << QByteArray("<none>") << QPoint(30, 45);
        QTest::newRow("ShortKeepsTop") << QByteArray("600\r\n350\r\n120\r\n") << QPoint(120, 45);
    }

    // The frame's last position comes back from the file (what cannot be read
    // keeps the position held), and the file proposes the slide's size.
    void prepareHandOver()
    {
        QFETCH(QByteArray, passage);
        QFETCH(QPoint, position);
        TempFolder app;
        if (passage != "<none>")
            app.write("Passage", passage);
        std::int32_t left = 30, top = 45;
        CaptureImport::prepareHandOver(app.path(), QSize(640, 480), left, top);
        QCOMPARE(QPoint(left, top), position);
        QCOMPARE(app.read("Passage"),
                 QStringLiteral("640\r\n480\r\n%1\r\n%2\r\n").arg(left).arg(top).toLatin1());
    }

    void takeOver_data()
    {
        QTest::addColumn<int>("slides");
        QTest::addColumn<QList<int>>("captures");
        QTest::addColumn<int>("taken");
        QTest::addColumn<QString>("message"); // after "Vous venez de capturer " when taken
        QTest::newRow("ThreeIntoFive") << 5 << QList<int>{1, 2, 3} << 3 << "3 nouvelles diapos.";
        QTest::newRow("OneIntoFive") << 5 << QList<int>{1} << 1 << "1 nouvelle diapo.";
        QTest::newRow("ThreeInto198") << 198 << QList<int>{1, 2, 3} << 2 << "2 nouvelles diapos.";
        QTest::newRow("GapAfterTwo") << 5 << QList<int>{1, 2, 4} << 2 << "2 nouvelles diapos.";
        QTest::newRow("NoneFromOne")
            << 5 << QList<int>{2, 3} << 0 << "Aucune capture n'a été effectuée";
        QTest::newRow("Full") << 200 << QList<int>{1} << 0
                              << "Le diaporama est plein! Il contient déjà 200 diapos !\r\n"
                                 "Supprimez des diapos avant de capturer de nouveau.";
    }

    // New slides get the captures' pictures (a leftover file replaced) and empty
    // captions; the first is shown, complete, before the count is raised.
    void takeOver()
    {
        QFETCH(int, slides);
        QFETCH(QList<int>, captures);
        QFETCH(int, taken);
        QFETCH(QString, message);
        TempFolder app, folder;
        for (int n : captures)
            app.write(QStringLiteral("ScreenShot_%1.jpg").arg(n),
                      "capture " + QByteArray::number(n));
        folder.write(QStringLiteral("Vacances%1.jpg").arg(slides), "leftover");
        SlideshowProject project{.name = "Vacances",
                                 .folder = folder.path(),
                                 .slideCount = std::int16_t(slides),
                                 .currentSlide = 1};
        project.updateBasePath();
        project.slideLines.fill("old");

        ScriptedPlatform platform;
        QList<int> counts;
        QStringList shown; // count, current slide and its picture when shown
        const auto picture = [&](int n) {
            return folder.read(QStringLiteral("Vacances%1.jpg").arg(n));
        };
        CaptureImport::Display display;
        display.showCurrentSlide = [&] {
            shown = {QString::number(project.slideCount), QString::number(project.currentSlide),
                     picture(project.currentSlide)};
        };
        display.showSlideCount = [&](int count) { counts.append(count); };
        QCOMPARE(CaptureImport::takeOverCaptures(platform, app.path(), project, display), taken);

        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].text, taken ? "Vous venez de capturer " + message : message);
        QCOMPARE((QList<bool>{project.saved, project.htmlGenerated}), QList<bool>(2, taken == 0));
        for (int i = 1; i <= taken; ++i) {
            QCOMPARE(picture(slides - 1 + i), "capture " + QByteArray::number(i));
            QCOMPARE(project.imageTypes[slides - 1 + i] + project.slideLines[slides - 1 + i],
                     ".jpg");
        }
        QCOMPARE(QDir(app.path()).entryList(QDir::Files).size(), captures.size() - taken);
        const QString before = QString::number(slides);
        QCOMPARE(shown, (taken ? QStringList{before, before, "capture 1"} : QStringList()));
        QCOMPARE(counts.size(), taken ? taken + 1 : 0);
        QCOMPARE(counts.value(taken, slides), slides + taken);
    }
};

QTEST_GUILESS_MAIN(TestCaptureRules)
#include "tst_capturerules.moc"
