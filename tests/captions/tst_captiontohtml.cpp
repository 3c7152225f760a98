#include "captions/captiontohtml.h"
#include "captions/colourtext.h"
#include "captions/richtextadapter.h"
#include "captiontools.h"
#include "literalcaption.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

// Font starts written out by hand in the expected lines.
static QString font(const QString &face, const QString &size, const QString &colour = "#000000")
{
    return QStringLiteral("<font face='%1' size='%2' color='%3'>").arg(face, size, colour);
}

class TestCaptionToHtml : public QObject
{
    Q_OBJECT
private slots:
    void captions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");

        const QString base = "0,999,face=Arial;size=10;colour=0|";
        const QString a = font("Arial", "2");
        const auto row = [&](const char *name, const QString &text, const QString &format,
                             const QString &expected) {
            // clang-format off
            QTest::newRow(name) << text << base + format << expected;
        };
        row("one font", "Bonjour", "", a + "Bonjour</font>");
        row("last four letters bold", "Bonjour", "3,4,b", a + "Bon<b>jour</b></font>");
        row("coloured word", "un mot", "3,3,colour=ff", a + "un </font>" + font("Arial", "2", "#FF0000") + "mot</font>");
        row("blue is the third pair", "x", "0,1,colour=ff0000", font("Arial", "2", "#0000FF") + "x</font>");
        row("two lines", "ab\r\ncd", "", a + "ab<br>cd</font>");
        row("trailing break dropped", "ab\r\ncd\r\n", "", a + "ab<br>cd</font>");
        row("two breaks at the end keep one", "ab\r\n\r\n", "", a + "ab<br></font>");
        row("bold across a font change", "abcd", "1,2,b|2,2,face=Times", a + "a<b>b</font>" + font("Times", "2") + "c</b>d</font>");
        row("typed markup unescaped", "<b>&'\"", "", a + "<b>&'\"</font>");
        row("styles open and close in their order", "xyz", "1,1,s;u;i;b", a + "x<b><i><u><s>y</b></i></u></s>z</font>");
        row("styles still on closed at the end", "xy", "1,1,offset=40;u", a + "x<u><sup>y</u></sup></font>");
        row("subscript", "H2O", "1,1,offset=-40", a + "H<sub>2</sub>O</font>");
        row("sub straight after sup", "ab", "0,1,offset=40|1,1,offset=-40", a + "<sup>a</sup><sub>b</sub></font>");
        row("offset 80 is no tag", "ab", "1,1,offset=80", a + "ab</font>");
        row("style on a break only", "a\r\nb", "1,2,b", a + "a<b><br></b>b</font>");
        row("size 20 is 7", "x", "0,1,size=20", font("Arial", "7") + "x</font>");
        row("size 4 is -1", "x", "0,1,size=4", font("Arial", "-1") + "x</font>");
        row("size change starts a run", "ab", "1,1,size=12", a + "a</font>" + font("Arial", "3") + "b</font>");
        // clang-format on
    }

    void captions()
    {
        QFETCH(QString, text);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        ed.setPlainText(text);
        applyFormatRecipe(ed, format);
        ed.setSelection(1, 1);
        const QString before = describe(ed);
        QCOMPARE(CaptionToHtml(ed, QLocale::c()), expected);
        QCOMPARE(describe(ed), before); // the editor is only read
    }

    void sizesFollowTheLocale_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        const auto f = [](const char *size) { return font("Arial", size); };
        QTest::newRow("11 pt French") << 11.0 << "fr_FR" << f("2,5") + "ab</font>";
        QTest::newRow("11 pt English") << 11.0 << "en_US" << f("2.5") + "ab</font>";
        QTest::newRow("5 pt French") << 5.0 << "fr_FR" << f("-0,5") + "ab</font>";
        QTest::newRow("10.5 pt is one run of 10") << 10.5 << "fr_FR" << f("2") + "ab</font>";
        // Compared as 11, kept as 12: every position starts a run, the caret's too.
        QTest::newRow("11.5 pt restarts at every position")
            << 11.5 << "fr_FR" << f("3") + "a</font>" + f("3") + "b</font>" + f("3") + "</font>";
    }

    void sizesFollowTheLocale()
    {
        QFETCH(double, points);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        ed.setPlainText("ab");
        applyFormatRecipe(ed, "0,2,face=Arial;size=" + QString::number(points));
        // The default locale is the one used when none is given.
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        const QString withDefault = CaptionToHtml(ed);
        QLocale::setDefault(before);
        QCOMPARE(withDefault, expected);
    }

    void emptyEditorReportsTheCaret()
    {
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        applyFormatRecipe(ed, "0,0,face=Arial;size=12;colour=ffffff;b;i");
        QCOMPARE(CaptionToHtml(ed, QLocale::c()),
                 font("Arial", "3", "#FFFFFF") + "<b><i></b></i></font>");

        // A fresh editor: its default font, black, never an empty line.
        QTextDocument fresh;
        RichTextAdapter plain(&fresh);
        const QString line = CaptionToHtml(plain, QLocale::c());
        QVERIFY(line.startsWith("<font face='" + plain.defaultFontName() + "' size='"));
        QVERIFY(line.endsWith("' color='#000000'></font>"));
    }

    void lineSeparatorsAreBreaks()
    {
        // Shift+Enter in the editor gives a line separator inside the paragraph.
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        QTextCharFormat f;
        f.setFontFamilies({QStringLiteral("Arial")});
        f.setFontPointSize(10);
        const QChar separator(QChar::LineSeparator);
        QTextCursor(&doc).insertText(QString("ab") + separator + "cd" + separator, f);
        QCOMPARE(ed.plainText(), QStringLiteral("ab\r\ncd\r\n"));
        QCOMPARE(ed.textLength(), 8);
        QCOMPARE(CaptionToHtml(ed, QLocale::c()), font("Arial", "2") + "ab<br>cd</font>");
    }

    // Random editors read in one pass and one position at a time: the lines must
    // be the same. The fuzzer goes on where this stops.
    void matchesThePositionWalk()
    {
        RandomCaption random(20240601);
        for (int round = 0; round < 300; ++round) {
            QTextDocument doc;
            RichTextAdapter ed(&doc);
            random.fillEditor(ed);
            const QLocale locale(random.bounded(2) ? QLocale::French : QLocale::English);
            const QString fast = CaptionToHtml(ed, locale);
            QCOMPARE(fast, Literal::captionToHtml(ed, locale));
            QVERIFY(!fast.contains(u'\r') && !fast.contains(u'\n'));
        }
    }

    void colourTexts_data()
    {
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readsBack"); // HtmlToColour of the digits gives the colour back
        QTest::newRow("blue is the last pair") << 0xFF0000u << "#0000FF" << true;
        QTest::newRow("mixed") << 0x123456u << "#563412" << true;
        QTest::newRow("small value padded") << 0xAu << "#0A0000" << true;
        QTest::newRow("seven digits keep positions") << 0x1FF0000u << "#00F01F" << false;
        QTest::newRow("all bits") << 0xFFFFFFFFu << "#FFFFFF" << false;
    }

    void colourTexts()
    {
        QFETCH(quint32, colour);
        QFETCH(QString, text);
        QFETCH(bool, readsBack);
        QCOMPARE(ColourToHtml(colour), text);
        QCOMPARE(HtmlToColour(text.mid(1)) == colour, readsBack);
        QCOMPARE(HtmlToColour(text.mid(1).toLower()), HtmlToColour(text.mid(1)));
    }

    void htmlToColourStopsAtANonDigit()
    {
        // The pairs are read back blue first; what was read before the stop is kept.
        QCOMPARE(HtmlToColour("12345Z"), 0x5u);
        QCOMPARE(HtmlToColour("FFG000"), 0u);
        QCOMPARE(HtmlToColour("12"), 0x12u);
    }
};

QTEST_MAIN(TestCaptionToHtml)
#include "tst_captiontohtml.moc"
