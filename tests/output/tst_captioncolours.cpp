#include "output/captioncolours.h"
#include "project/textfile.h"
#include "support/tempfolder.h"

#include <QRegularExpression>
#include <QTest>

using namespace CaptionColours;

class TestCaptionColours : public QObject
{
    Q_OBJECT

private slots:
    void pageDeclarations_data()
    {
        QTest::addColumn<QByteArray>("page"); // empty: no file at all
        QTest::addColumn<QString>("background");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("declared");
        QTest::newRow("either attribute order, any case")
            << QByteArray("<head><META content=\"#102030\" name=\"lumivue-caption-background\">"
                          "<meta name='lumivue-caption-color' content='#A0B0C0'></head>")
            << "#102030"
            << "#a0b0c0" << true;
        QTest::newRow("older page without declarations")
            << QByteArray("<html><head><title>x</title></head><body>") << "#ffffff"
            << "#000000" << false;
        QTest::newRow("declaration in the body is not the page's") << QByteArray(
            "<head></head><meta name=\"lumivue-caption-background\" content=\"#102030\">")
                                                                   << "#ffffff"
                                                                   << "#000000" << false;
        QTest::newRow("a value that is no colour")
            << QByteArray("<head><meta name=\"lumivue-caption-background\" content=\"red\">"
                          "<meta name=\"lumivue-caption-color\" content=\"#eeeeee\">")
            << "#ffffff"
            << "#eeeeee" << false;
        QTest::newRow("missing page") << QByteArray() << "#ffffff"
                                      << "#000000" << false;
    }

    void pageDeclarations()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, background);
        QFETCH(QString, text);
        QFETCH(bool, declared);
        QTemporaryDir dir;
        const QString path = dir.filePath("Nouveau.htm");
        if (!page.isEmpty())
            writeFile(path, page);
        const Colours got = fromPageFile(path);
        QCOMPARE(got.background.name(), background);
        QCOMPARE(got.text.name(), text);
        QCOMPARE(got.declared, declared);
    }

    void contrast_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("same colour") << QColor("#808080") << QColor("#808080") << 1.0;
        QTest::newRow("grey 77 on white, either way")
            << QColor(Qt::white) << QColor("#777777") << 4.48;
    }

    void contrast()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        const double got = contrastRatio(a, b);
        QVERIFY2(std::abs(got - ratio) < 0.01, qPrintable(QString::number(got)));
    }

    // Every delivered design says how its captions look, in colours that
    // read well; the default project's welcome caption reads well on the
    // default design.
    void deliveredDesigns_data()
    {
        QTest::addColumn<QString>("page");
        const QDir modeles(qEnvironmentVariable("LUMIVUE_APPDATA") + "/Modeles");
        const QStringList designs = modeles.entryList({"*.htm"}, QDir::Files);
        QVERIFY(designs.size() >= 4);
        for (const QString &design : designs)
            QTest::newRow(qPrintable(design)) << modeles.filePath(design);
    }

    void deliveredDesigns()
    {
        QFETCH(QString, page);
        const Colours colours = fromPageFile(page);
        QVERIFY(colours.declared);
        QVERIFY(contrastRatio(colours.text, colours.background) >= 4.5);
    }

    void welcomeCaptionReadsOnTheDefaultDesign()
    {
        const QString appData = qEnvironmentVariable("LUMIVUE_APPDATA");
        const Colours colours = fromPageFile(appData + "/Nouveau.htm");
        QVERIFY(colours.declared);
        const QStringList project = TextFile::readLines(appData + "/Nouveau.lmv").value();
        QVERIFY(project.size() >= 5);
        static const QRegularExpression fontColour("color='(#[0-9A-Fa-f]{6})'");
        int runs = 0;
        for (auto it = fontColour.globalMatch(project[4]); it.hasNext(); ++runs) {
            const QColor colour(it.next().captured(1));
            QVERIFY2(contrastRatio(colour, colours.background) >= 4.5, qPrintable(colour.name()));
        }
        QVERIFY(runs > 0);
    }
};

QTEST_GUILESS_MAIN(TestCaptionColours)
#include "tst_captioncolours.moc"
