#include "captions/captiontohtml.h"
#include "captions/htmltocaption.h"
#include "captions/richtextadapter.h"
#include "captiontools.h"

#include <QTextDocument>
#include <QtTest>

// Captions written from editors within the limits (at most 50 runs, tags and
// breaks of each kind, whole sizes, text after the last break, no tag-like
// text) come back unchanged when shown and stored again.
class TestCaptionRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void showThenStoreGivesTheLineBack_data();
    void showThenStoreGivesTheLineBack();
    void trailingBreakGoesOnePerCycle();
};

void TestCaptionRoundTrip::showThenStoreGivesTheLineBack_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("halfSizes");
    QTest::newRow("even sizes, French") << "fr_FR" << false;
    // With "." as the separator half sizes survive too.
    QTest::newRow("any size, C locale") << "C" << true;
}

void TestCaptionRoundTrip::showThenStoreGivesTheLineBack()
{
    QFETCH(QString, locale);
    QFETCH(bool, halfSizes);
    const QLocale loc(locale);
    RandomCaption random(halfSizes ? 17 : 29);
    int tested = 0;
    for (int round = 0; round < 300; ++round) {
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        random.fillEditor(ed, true, halfSizes);
        const QString line = CaptionToHtml(ed, loc);
        if (line.count(QStringLiteral("<font")) > 50 || line.count(QStringLiteral("<br>")) > 50)
            continue;
        QTextDocument shownDoc;
        RichTextAdapter shown(&shownDoc);
        HtmlToCaption(shown, line);
        QCOMPARE(CaptionToHtml(shown, loc), line);
        ++tested;
    }
    QVERIFY(tested > 250);
}

void TestCaptionRoundTrip::trailingBreakGoesOnePerCycle()
{
    const QString start = QStringLiteral("<font face='Arial' size='2' color='#000000'>");
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    HtmlToCaption(ed, start + "ab<br><br></font>");
    QCOMPARE(ed.plainText(), QStringLiteral("ab\r\n\r\n"));
    const QString line = CaptionToHtml(ed, QLocale::c());
    QCOMPARE(line, start + "ab<br></font>");
    HtmlToCaption(ed, line);
    QCOMPARE(CaptionToHtml(ed, QLocale::c()), start + "ab</font>");
}

QTEST_MAIN(TestCaptionRoundTrip)
#include "tst_captionroundtrip.moc"
