#include "captions/captiontohtml.h"
#include "captions/htmltocaption.h"
#include "captions/richtextadapter.h"

#include <QRandomGenerator>
#include <QTextDocument>
#include <QtTest>

// Captions written from editors within the limits (at most 50 runs, tags and
// breaks of each kind, whole even sizes, text after the last break, no tag-like
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
    QTest::addColumn<bool>("oddSizes");
    QTest::newRow("even sizes, French") << "fr_FR" << false;
    QTest::newRow("even sizes, English") << "en_US" << false;
    // With "." as the separator half sizes survive too.
    QTest::newRow("odd sizes, C locale") << "C" << true;
}

void TestCaptionRoundTrip::showThenStoreGivesTheLineBack()
{
    QFETCH(QString, locale);
    QFETCH(bool, oddSizes);
    const QLocale loc(locale);
    QRandomGenerator rng(quint32(qHash(locale)) + oddSizes);
    const QStringList faces{"Arial", "Times New Roman", "Comic Sans MS", "Verdana"};
    const QString alphabet = QStringLiteral("abcXYZ 012>&'\"|\u00e9\u00e8\u00a0;.");
    int tested = 0;
    for (int round = 0; round < 2500; ++round) {
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        QString text;
        const int n = 1 + rng.bounded(60);
        for (int k = 0; k < n; ++k) {
            const bool lineBreak = k > 0 && k < n - 1 && rng.bounded(8) == 0;
            text += lineBreak ? QStringLiteral("\r\n")
                              : QString(alphabet.at(rng.bounded(alphabet.size())));
        }
        ed.setPlainText(text);
        ed.setSelection(0, ed.textLength());
        ed.setFontName(faces.at(0));
        ed.setFontSize(10);
        const int ops = rng.bounded(12);
        for (int k = 0; k < ops; ++k) {
            const int L = ed.textLength();
            const int start = rng.bounded(L);
            ed.setSelection(start, 1 + rng.bounded(L - start));
            switch (rng.bounded(8)) {
            case 0: ed.setFontName(faces.at(rng.bounded(faces.size()))); break;
            case 1:
                ed.setFontSize(oddSizes ? 1 + rng.bounded(30) : 2 * (1 + rng.bounded(12)));
                break;
            case 2: ed.setColour(rng.bounded(0x1000000)); break;
            case 3: ed.setBold(rng.bounded(2)); break;
            case 4: ed.setItalic(rng.bounded(2)); break;
            case 5: ed.setUnderline(rng.bounded(2)); break;
            case 6: ed.setStrikethrough(rng.bounded(2)); break;
            case 7: ed.setCharOffset(QList<int>{40, -40, 0, 80}.at(rng.bounded(4))); break;
            }
        }
        const QString line = CaptionToHtml(ed, loc);
        if (line.count(QStringLiteral("<font")) > 50 || line.count(QStringLiteral("<br>")) > 50)
            continue;
        QTextDocument shownDoc;
        RichTextAdapter shown(&shownDoc);
        HtmlToCaption(shown, line);
        QCOMPARE(CaptionToHtml(shown, loc), line);
        ++tested;
    }
    QVERIFY(tested > 2000);
}

void TestCaptionRoundTrip::trailingBreakGoesOnePerCycle()
{
    const QString start = QStringLiteral("<font face='Arial' size='2' color='#000000'>");
    QString line = start + QStringLiteral("ab<br><br></font>");
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    HtmlToCaption(ed, line);
    QCOMPARE(ed.plainText(), QStringLiteral("ab\r\n\r\n"));
    line = CaptionToHtml(ed, QLocale::c());
    QCOMPARE(line, start + QStringLiteral("ab<br></font>"));
    HtmlToCaption(ed, line);
    QCOMPARE(CaptionToHtml(ed, QLocale::c()), start + QStringLiteral("ab</font>"));
}

QTEST_MAIN(TestCaptionRoundTrip)
#include "tst_captionroundtrip.moc"
