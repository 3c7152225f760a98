#include "captions/captiontohtml.h"
#include "captions/colourtext.h"
#include "captions/richtextadapter.h"
#include "formatrecipe.h"
#include "literalcaption.h"

#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

// Font starts written out by hand in the expected lines.
static QString font(const QString &face, const QString &size, const QString &colour)
{
    return QStringLiteral("<font face='%1' size='%2' color='%3'>").arg(face, size, colour);
}

class TestCaptionToHtml : public QObject
{
    Q_OBJECT
private slots:
    void captions_data();
    void captions();
    void sizesFollowTheLocale_data();
    void sizesFollowTheLocale();
    void emptyEditorReportsTheCaret_data();
    void emptyEditorReportsTheCaret();
    void lineSeparatorsAreBreaks();
    void leavesTheEditorAlone();
    void matchesThePositionWalk();
    void colourToHtml_data();
    void colourToHtml();
    void htmlToColour_data();
    void htmlToColour();
    void colourTextsRoundTrip();
};

void TestCaptionToHtml::captions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    const QString base = QStringLiteral("0,999,face=Arial;size=10;colour=0|");
    const QString a2 = font("Arial", "2", "#000000");
    QTest::newRow("one font") << "Bonjour" << base << a2 + "Bonjour</font>";
    QTest::newRow("last four letters bold")
        << "Bonjour" << base + "3,4,b" << a2 + "Bon<b>jour</b></font>";
    QTest::newRow("coloured word in the middle")
        << "un mot rouge" << base + "3,3,colour=ff"
        << a2 + "un </font>" + font("Arial", "2", "#FF0000") + "mot</font>" + a2 + " rouge</font>";
    QTest::newRow("blue is the third pair")
        << "x" << base + "0,1,colour=ff0000" << font("Arial", "2", "#0000FF") + "x</font>";
    QTest::newRow("two lines") << "ab\r\ncd" << base << a2 + "ab<br>cd</font>";
    QTest::newRow("trailing break dropped") << "ab\r\ncd\r\n" << base << a2 + "ab<br>cd</font>";
    QTest::newRow("break only") << "\r\n" << base << a2 + "</font>";
    QTest::newRow("two breaks at the end keep one") << "ab\r\n\r\n" << base << a2 + "ab<br></font>";
    QTest::newRow("bold across a font change")
        << "abcd" << base + "1,2,b|2,2,face=Times"
        << a2 + "a<b>b</font>" + font("Times", "2", "#000000") + "c</b>d</font>";
    QTest::newRow("typed markup unescaped") << "<b>&'\"" << base << a2 + "<b>&'\"</font>";
    QTest::newRow("styles open and close in their order")
        << "xyz" << base + "1,1,s;u;i;b" << a2 + "x<b><i><u><s>y</b></i></u></s>z</font>";
    QTest::newRow("styles still on closed at the end")
        << "xy" << base + "1,1,offset=40;u;b" << a2 + "x<b><u><sup>y</b></u></sup></font>";
    QTest::newRow("superscript") << "x2" << base + "1,1,offset=40" << a2 + "x<sup>2</sup></font>";
    QTest::newRow("subscript") << "H2O" << base + "1,1,offset=-40" << a2 + "H<sub>2</sub>O</font>";
    QTest::newRow("sub straight after sup")
        << "ab" << base + "0,1,offset=40|1,1,offset=-40" << a2 + "<sup>a</sup><sub>b</sub></font>";
    QTest::newRow("offset 80 is no tag") << "ab" << base + "1,1,offset=80" << a2 + "ab</font>";
    QTest::newRow("style on a break only")
        << "a\r\nb" << base + "1,2,b" << a2 + "a<b><br></b>b</font>";
    QTest::newRow("size 20 is 7") << "x" << base + "0,1,size=20"
                                  << font("Arial", "7", "#000000") + "x</font>";
    QTest::newRow("size 8 is 1") << "x" << base + "0,1,size=8"
                                 << font("Arial", "1", "#000000") + "x</font>";
    QTest::newRow("size 6 is 0") << "x" << base + "0,1,size=6"
                                 << font("Arial", "0", "#000000") + "x</font>";
    QTest::newRow("size 4 is -1") << "x" << base + "0,1,size=4"
                                  << font("Arial", "-1", "#000000") + "x</font>";
    QTest::newRow("size change starts a run")
        << "ab" << base + "1,1,size=12"
        << a2 + "a</font>" + font("Arial", "3", "#000000") + "b</font>";
    QTest::newRow("non-breaking space and accents")
        << QString::fromUtf8("é\u00a0à") << base << a2 + QString::fromUtf8("é\u00a0à</font>");
}

void TestCaptionToHtml::captions()
{
    QFETCH(QString, text);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    ed.setPlainText(text);
    applyFormatRecipe(ed, format);
    QCOMPARE(CaptionToHtml(ed, QLocale::c()), expected);
}

void TestCaptionToHtml::sizesFollowTheLocale_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    const auto f = [](const char *size) { return font("Arial", size, "#000000"); };
    QTest::newRow("11 pt French") << 11.0 << "fr_FR" << f("2,5") + "ab</font>";
    QTest::newRow("11 pt English") << 11.0 << "en_US" << f("2.5") + "ab</font>";
    QTest::newRow("5 pt French") << 5.0 << "fr_FR" << f("-0,5") + "ab</font>";
    QTest::newRow("10.5 pt is one run of 10") << 10.5 << "fr_FR" << f("2") + "ab</font>";
    QTest::newRow("9.5 pt compared as 9, kept as 10")
        << 9.5 << "fr_FR" << f("2") + "a</font>" + f("2") + "b</font>" + f("2") + "</font>";
    // Compared as 11, kept as 12: every position starts a run, the caret's too.
    QTest::newRow("11.5 pt restarts at every position")
        << 11.5 << "fr_FR" << f("3") + "a</font>" + f("3") + "b</font>" + f("3") + "</font>";
    QTest::newRow("12.5 pt is one run of 12") << 12.5 << "fr_FR" << f("3") + "ab</font>";
}

void TestCaptionToHtml::sizesFollowTheLocale()
{
    QFETCH(double, points);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    ed.setPlainText(QStringLiteral("ab"));
    ed.setSelection(0, 2);
    ed.setFontName(QStringLiteral("Arial"));
    ed.setFontSize(points);
    QCOMPARE(CaptionToHtml(ed, QLocale(locale)), expected);

    // The default locale is the one used when none is given.
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    const QString withDefault = CaptionToHtml(ed);
    QLocale::setDefault(before);
    QCOMPARE(withDefault, expected);
}

void TestCaptionToHtml::emptyEditorReportsTheCaret_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("white caret") << "0,0,face=Arial;size=10;colour=ffffff"
                                 << font("Arial", "2", "#FFFFFF") + "</font>";
    QTest::newRow("bold italic caret")
        << "0,0,face=Arial;size=12;b;i" << font("Arial", "3", "#000000") + "<b><i></b></i></font>";
}

void TestCaptionToHtml::emptyEditorReportsTheCaret()
{
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    applyFormatRecipe(ed, format);
    QCOMPARE(CaptionToHtml(ed, QLocale::c()), expected);

    // A fresh editor: its default font, black, never an empty line.
    QTextDocument fresh;
    RichTextAdapter plain(&fresh);
    const QString line = CaptionToHtml(plain, QLocale::c());
    QVERIFY(line.startsWith(QStringLiteral("<font face='") + plain.defaultFontName() + u'\''));
    QVERIFY(line.endsWith(QStringLiteral("color='#000000'></font>")));
}

void TestCaptionToHtml::lineSeparatorsAreBreaks()
{
    // Shift+Enter in the editor gives a line separator inside the paragraph.
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    QTextCursor c(&doc);
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Arial")});
    f.setFontPointSize(10);
    c.insertText(QStringLiteral("ab") + QChar(QChar::LineSeparator) + QStringLiteral("cd")
                     + QChar(QChar::LineSeparator),
                 f);
    QCOMPARE(ed.plainText(), QStringLiteral("ab\r\ncd\r\n"));
    QCOMPARE(ed.textLength(), 8);
    QCOMPARE(CaptionToHtml(ed, QLocale::c()), font("Arial", "2", "#000000") + "ab<br>cd</font>");
}

void TestCaptionToHtml::leavesTheEditorAlone()
{
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    ed.setPlainText(QStringLiteral("abc\r\ndef"));
    ed.setSelection(1, 4);
    const QString before = ed.plainText();
    CaptionToHtml(ed, QLocale::c());
    QCOMPARE(ed.plainText(), before);
    QCOMPARE(ed.selectionStart(), 1);
    QCOMPARE(ed.selectionLength(), 4);
}

// Random editors built with every kind of formatting, read in one pass and
// one position at a time: the lines must be the same.
void TestCaptionToHtml::matchesThePositionWalk()
{
    QRandomGenerator rng(20240601);
    const QStringList faces{"Arial", "Times New Roman", "Courier"};
    const QList<double> sizes{8, 10, 10.5, 11, 11.5, 12, 20, 4, 1};
    const QString alphabet = QStringLiteral("ab <>&'\"x\u00e9\r\n");
    for (int round = 0; round < 400; ++round) {
        QTextDocument doc;
        RichTextAdapter ed(&doc);
        QString text;
        const int n = rng.bounded(30);
        for (int k = 0; k < n; ++k) {
            const int pick = rng.bounded(alphabet.size() + 1);
            text += pick == alphabet.size() ? QStringLiteral("\r\n") : QString(alphabet.at(pick));
        }
        ed.setPlainText(text);
        if (rng.bounded(4) == 0) { // a line separator typed inside a paragraph
            QTextCursor c(&doc);
            c.setPosition(rng.bounded(doc.characterCount()));
            c.insertText(QString(QChar(QChar::LineSeparator)));
        }
        const int ops = rng.bounded(8);
        for (int k = 0; k < ops; ++k) {
            const int L = ed.textLength();
            ed.setSelection(rng.bounded(L + 1), rng.bounded(L + 1));
            switch (rng.bounded(8)) {
            case 0: ed.setFontName(faces.at(rng.bounded(faces.size()))); break;
            case 1: ed.setFontSize(sizes.at(rng.bounded(sizes.size()))); break;
            case 2: ed.setColour(rng.bounded(0x1000000)); break;
            case 3: ed.setBold(rng.bounded(2)); break;
            case 4: ed.setItalic(rng.bounded(2)); break;
            case 5: ed.setUnderline(rng.bounded(2)); break;
            case 6: ed.setStrikethrough(rng.bounded(2)); break;
            case 7: ed.setCharOffset(QList<int>{40, -40, 0, 80}.at(rng.bounded(4))); break;
            }
        }
        const QLocale locale(rng.bounded(2) ? QLocale::French : QLocale::English);
        const QString fast = CaptionToHtml(ed, locale);
        QCOMPARE(fast, Literal::captionToHtml(ed, locale));
        QVERIFY(!fast.contains(u'\r') && !fast.contains(u'\n'));
    }
}

void TestCaptionToHtml::colourToHtml_data()
{
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("expected");
    QTest::newRow("black") << 0u << "#000000";
    QTest::newRow("pure red") << 0xFFu << "#FF0000";
    QTest::newRow("pure green") << 0xFF00u << "#00FF00";
    QTest::newRow("pure blue") << 0xFF0000u << "#0000FF";
    QTest::newRow("mixed") << 0x123456u << "#563412";
    QTest::newRow("small value padded") << 0xAu << "#0A0000";
    QTest::newRow("seven digits keep positions") << 0x1FF0000u << "#00F01F";
    QTest::newRow("eight digits keep positions") << 0x80000008u << "#000080";
    QTest::newRow("all bits") << 0xFFFFFFFFu << "#FFFFFF";
}

void TestCaptionToHtml::colourToHtml()
{
    QFETCH(quint32, colour);
    QFETCH(QString, expected);
    QCOMPARE(ColourToHtml(colour), expected);
}

void TestCaptionToHtml::htmlToColour_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("red") << "FF0000" << 0xFFu;
    QTest::newRow("blue") << "0000FF" << 0xFF0000u;
    QTest::newRow("mixed") << "563412" << 0x123456u;
    QTest::newRow("lower case") << "ff8000" << 0x80FFu;
    QTest::newRow("stops at a non-digit") << "FFG000" << 0u;
    QTest::newRow("stops inside the green pair") << "12345Z" << 0x5u;
    QTest::newRow("two digits are red only") << "12" << 0x12u;
    QTest::newRow("four digits") << "1234" << 0x3412u;
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("no digit") << "zz" << 0u;
    QTest::newRow("longer text uses six characters") << "123456789" << 0x563412u;
}

void TestCaptionToHtml::htmlToColour()
{
    QFETCH(QString, text);
    QFETCH(quint32, expected);
    QCOMPARE(HtmlToColour(text), expected);
}

void TestCaptionToHtml::colourTextsRoundTrip()
{
    QRandomGenerator rng(7);
    for (int k = 0; k < 2000; ++k) {
        const quint32 c = rng.bounded(0x1000000);
        QCOMPARE(HtmlToColour(ColourToHtml(c).mid(1)), c);
    }
}

QTEST_MAIN(TestCaptionToHtml)
#include "tst_captiontohtml.moc"
