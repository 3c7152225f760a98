#include "captions/captiontohtml.h"
#include "captions/htmltocaption.h"
#include "captions/richtextadapter.h"
#include "captiontools.h"
#include "literalcaption.h"

#include <QTextDocument>
#include <QtTest>

namespace {

const QString arial = "<font face='Arial' size='2' color='#000000'>";

QString font(const char *face, const char *size, const char *colour)
{
    return QStringLiteral("<font face='%1' size='%2' color='%3'>").arg(face, size, colour);
}

} // namespace

class TestHtmlToCaption : public QObject
{
    Q_OBJECT
private slots:
    // Expected looks as describe() writes them; "D" is the editor's default face.
    void shown_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *name, const QString &html, const QString &shown) {
            // clang-format off
            QTest::newRow(name) << html << shown;
        };
        const QString p = "[D 10 auto]";
        const QString a = "[Arial 10 #000000]";
        row("bold word", arial + "Bon<b>jour</b></font>", a + "Bon[Arial 10 #000000 b]jour");
        row("each style", "a<i>b</i><u>c</u><s>d</s>e", p + "a[D 10 auto i]b[D 10 auto u]c[D 10 auto s]d" + p + "e");
        row("sub inside sup wins", "<sup>a<sub>b</sub>c</sup>", "[D 10 auto ^40]a[D 10 auto ^-40]b[D 10 auto ^40]c");
        row("styles across each other", "<b>a<i>b</b>c</i>", "[D 10 auto b]a[D 10 auto b i]b[D 10 auto i]c");
        row("same kind pairs by order", "<b>a<b>b</b>c</b>d", "[D 10 auto b]abc" + p + "d");
        row("closing before opening", "a</b>b<b>c", p + "abc");
        row("overlapping search", "<<b>b>x</b>", "[D 10 auto b]x");
        row("51st bold pair stays as text", QString("<b>a</b>").repeated(51), "[D 10 auto b]" + QString(50, 'a') + p + "<b>a</b>");
        row("two lines, break at the end kept", arial + "ab<br>cd<br></font>", a + "ab¶{Arial 10 #000000}" + a + "cd¶{Arial 10 #000000}");
        row("51st break stays as text", "x" + QString("<br>x").repeated(51), p + "x" + QString("¶{D 10 auto}" + p + "x").repeated(50) + "<br>x");
        row("markup that is not a tag stays text", "a<BR>b|c&nbsp;<p>d</p>", p + "a<BR>b|c&nbsp;<p>d</p>");
        row("line ends become breaks", "a\nb\r\nc", p + "a¶{D 10 auto}" + p + "b¶{D 10 auto}" + p + "c");
        row("text outside runs keeps defaults", "a" + font("Arial", "3", "#FF0000") + "b</font>c", p + "a[Arial 12 #FF0000]b" + p + "c");
        row("face holding a line break is refused", "<font face=\n1es' size='2' color='#000000'>x</font>", "[D 10 #000000]x");
        row("empty face reads on to the next apostrophe", font("", "2", "#000000") + "x</font>", "[' size= 10 #000000]x");
        row("half size", font("A", "2.5", "#000000") + "x</font>", "[A 11 #000000]x");
        row("size 2.75 rounds half to even", font("A", "2.75", "#000000") + "x</font>", "[A 12 #000000]x");
        row("empty size gives 6", font("A", "", "#000000") + "x</font>", "[A 6 #000000]x");
        row("size -1", font("A", "-1", "#000000") + "x</font>", "[A 4 #000000]x");
        row("size -3 refused keeps 10", font("A", "-3", "#000000") + "x</font>", "[A 10 #000000]x");
        row("missing colour reads the line's start", "<font face='A' size='2'>x</font>", "[A 10 #AC0E00]x");
        row("51st font run stays as text", (arial + "x</font>").repeated(51), a + QString(50, 'x') + "[D 10 auto]" + arial + "x</font>");
        row("font start without its end", "<font face='A' size='2' color='#000000'x</font>y", p + "y");
        // clang-format on
    }

    void shown()
    {
        QFETCH(QString, html);
        QFETCH(QString, shown);
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        HtmlToCaption(ed, html);
        QCOMPARE(describe(doc),
                 shown.replace("[D ", "[" + ed.defaultFontName() + ' ')
                     .replace("{D ", "{" + ed.defaultFontName() + ' '));
    }

    void emptyCaptions_data()
    {
        QTest::addColumn<QString>("html");
        QTest::newRow("empty line") << "";
        QTest::newRow("tags only") << "<b></b><i></i>";
        QTest::newRow("empty font run") << arial + "</font>";
    }

    void emptyCaptions()
    {
        QFETCH(QString, html);
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        ed.setPlainText(QStringLiteral("old text"));
        HtmlToCaption(ed, html);
        QCOMPARE(ed.plainText(), QString());
        QCOMPARE(ed.fontSize(), 10.0);
        // Stored again, an empty editor is a font start of the default face.
        QCOMPARE(CaptionToHtml(ed, QLocale::c()),
                 QStringLiteral("<font face='%1' size='2' color='#000000'></font>")
                     .arg(ed.defaultFontName()));
    }

    // Generated and malformed captions: the one-pass conversion must leave the
    // editor exactly as the step-by-step method does. The fuzzer goes on where
    // these rows stop.
    void matchesTheStepByStepMethod_data()
    {
        QTest::addColumn<QString>("html");
        RandomCaption random(424242);
        for (int k = 0; k < 300; ++k)
            QTest::addRow("random %d", k) << random.line();
        for (int k = 0; k < 60; ++k) // past the limits: many of one or two kinds
            QTest::addRow("many %d", k) << random.line(true);
        QTest::newRow("round runs") << (arial + "x<b>y</b><br>").repeated(55) + "</font>";
        // Deleting a tag joins the text around it into another tag.
        QTest::newRow("tag made by a deletion") << arial + "<<i>i>a</<i>i>b</i>c</i></font>";
        QTest::newRow("break made by a deletion") << arial + "a<br<b>>b</b>" + "<<u>br>c</font>";
        QTest::newRow("font made by a deletion")
            << arial + "<fo<s>nt face='Verdana' size='4' color='#102030'>x</s></font></font>";
        QTest::newRow("breaks only, long") << arial + QString("ab<br>").repeated(400) + "</font>";
    }

    void matchesTheStepByStepMethod()
    {
        QFETCH(QString, html);
        QTextDocument fastDoc, slowDoc;
        RichTextAdapter fast(&fastDoc), slow(&slowDoc);
        HtmlToCaption(fast, html);
        Literal::htmlToCaption(slow, html);
        QCOMPARE(describe(fast), describe(slow));
        QCOMPARE(CaptionToHtml(fast, QLocale::c()), Literal::captionToHtml(slow, QLocale::c()));
    }

    // Captions written from editors within the limits (at most 50 runs, tags and
    // breaks of each kind, whole sizes, text after the last break, no tag-like
    // text) come back unchanged when shown and stored again.
    void showThenStoreGivesTheLineBack_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("halfSizes");
        QTest::newRow("even sizes, French") << "fr_FR" << false;
        // With "." as the separator half sizes survive too.
        QTest::newRow("any size, C locale") << "C" << true;
    }

    void showThenStoreGivesTheLineBack()
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
};

QTEST_MAIN(TestHtmlToCaption)
#include "tst_htmltocaption.moc"
