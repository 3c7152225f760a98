#include "captions/captiontohtml.h"
#include "captions/htmltocaption.h"
#include "captions/richtextadapter.h"
#include "editorstate.h"
#include "literalcaption.h"

#include <QRandomGenerator>
#include <QTextDocument>
#include <QtTest>

static const QString arial = QStringLiteral("<font face='Arial' size='2' color='#000000'>");

static QString repeated(const QString &s, int n)
{
    QString out;
    for (int k = 0; k < n; ++k)
        out += s;
    return out;
}

class TestHtmlToCaption : public QObject
{
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
    void textOutsideRunsKeepsDefaults();
    void emptyCaptions_data();
    void emptyCaptions();
    void matchesTheStepByStepMethod_data();
    void matchesTheStepByStepMethod();
};

void TestHtmlToCaption::shown_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("values");

    QTest::newRow("bold word") << arial + "Bon<b>jour</b></font>"
                               << "Bonjour"
                               << "bold"
                               << "0,0,0,1,1,1,1";
    QTest::newRow("italic") << "a<i>b</i>c"
                            << "abc"
                            << "italic"
                            << "0,1,0";
    QTest::newRow("underline") << "a<u>b</u>c"
                               << "abc"
                               << "underline"
                               << "0,1,0";
    QTest::newRow("strike") << "a<s>b</s>c"
                            << "abc"
                            << "strike"
                            << "0,1,0";
    QTest::newRow("superscript") << "a<sup>b</sup>c"
                                 << "abc"
                                 << "offset"
                                 << "0,40,0";
    QTest::newRow("subscript") << "a<sub>b</sub>c"
                               << "abc"
                               << "offset"
                               << "0,-40,0";
    QTest::newRow("sub inside sup wins") << "<sup>a<sub>b</sub>c</sup>"
                                         << "abc"
                                         << "offset"
                                         << "40,-40,40";
    QTest::newRow("styles across each other") << "<b>a<i>b</b>c</i>"
                                              << "abc"
                                              << "italic"
                                              << "0,1,1";
    QTest::newRow("nested same kind pairs by order") << "<b>a<b>b</b>c</b>d"
                                                     << "abcd"
                                                     << "bold"
                                                     << "1,1,1,0";
    QTest::newRow("closing before opening") << "a</b>b<b>c"
                                            << "abc"
                                            << "bold"
                                            << "0,0,0";
    QTest::newRow("missing closing tag") << "a<b>bc"
                                         << "abc"
                                         << "bold"
                                         << "0,0,0";
    QTest::newRow("overlapping search") << "<<b>b>x</b>"
                                        << "x"
                                        << "bold"
                                        << "1";
    QTest::newRow("typed tag is a switch") << arial + "a<u>b</u>c</font>"
                                           << "abc"
                                           << "underline"
                                           << "0,1,0";
    QTest::newRow("51st bold pair stays as text")
        << repeated("<b>a</b>", 51) << repeated("a", 50) + "<b>a</b>"
        << "bold" << repeated("1,", 50) + "0,0,0,0,0,0,0,0";

    QTest::newRow("two lines") << arial + "ab<br>cd</font>"
                               << "ab\r\ncd"
                               << ""
                               << "";
    QTest::newRow("break at the end stays") << arial + "ab<br></font>"
                                            << "ab\r\n"
                                            << ""
                                            << "";
    QTest::newRow("51st break stays as text")
        << "x" + repeated("<br>x", 51) << "x" + repeated("\r\nx", 50) + "<br>x"
        << ""
        << "";
    QTest::newRow("upper-case BR is text") << "a<BR>b"
                                           << "a<BR>b"
                                           << ""
                                           << "";
    QTest::newRow("bar and nbsp are text") << "a|b&nbsp;c"
                                           << "a|b&nbsp;c"
                                           << ""
                                           << "";
    QTest::newRow("unknown tag is text") << "<p>a</p>"
                                         << "<p>a</p>"
                                         << ""
                                         << "";
    QTest::newRow("line ends in the line become breaks") << "a\nb\rc\r\nd"
                                                         << "a\r\nb\r\nc\r\nd"
                                                         << ""
                                                         << "";

    QTest::newRow("face") << "<font face='Times New Roman' size='2' color='#000000'>x</font>"
                          << "x"
                          << "face"
                          << "Times New Roman";
    QTest::newRow("face holding a line break is refused")
        << "<font face=\n1es' size='2' color='#000000'>x</font>"
        << "x"
        << "face"
        << "<default>";
    QTest::newRow("empty face reads on to the next apostrophe")
        << "<font face='' size='2' color='#000000'>x</font>"
        << "x"
        << "face"
        << "' size=";
    QTest::newRow("size 2") << "<font face='A' size='2' color='#000000'>x</font>"
                            << "x"
                            << "size"
                            << "10";
    QTest::newRow("size 2.5") << "<font face='A' size='2.5' color='#000000'>x</font>"
                              << "x"
                              << "size"
                              << "11";
    QTest::newRow("size 2,5 reads 2") << "<font face='A' size='2,5' color='#000000'>x</font>"
                                      << "x"
                                      << "size"
                                      << "10";
    QTest::newRow("size 2.25 rounds half to even")
        << "<font face='A' size='2.25' color='#000000'>x</font>"
        << "x"
        << "size"
        << "10";
    QTest::newRow("size 2.75 rounds half to even")
        << "<font face='A' size='2.75' color='#000000'>x</font>"
        << "x"
        << "size"
        << "12";
    QTest::newRow("empty size gives 6") << "<font face='A' size='' color='#000000'>x</font>"
                                        << "x"
                                        << "size"
                                        << "6";
    QTest::newRow("size 7") << "<font face='A' size='7' color='#000000'>x</font>"
                            << "x"
                            << "size"
                            << "20";
    QTest::newRow("size -1") << "<font face='A' size='-1' color='#000000'>x</font>"
                             << "x"
                             << "size"
                             << "4";
    QTest::newRow("size -3 refused keeps 10") << "<font face='A' size='-3' color='#000000'>x</font>"
                                              << "x"
                                              << "size"
                                              << "10";
    QTest::newRow("red") << "<font face='A' size='2' color='#FF0000'>x</font>"
                         << "x"
                         << "colour"
                         << "ff";
    QTest::newRow("blue") << "<font face='A' size='2' color='#0000FF'>x</font>"
                          << "x"
                          << "colour"
                          << "ff0000";
    QTest::newRow("colour stops at a non-digit")
        << "<font face='A' size='2' color='#1G2345'>x</font>"
        << "x"
        << "colour"
        << "452301";
    QTest::newRow("missing colour reads the line's start") << "<font face='A' size='2'>x</font>"
                                                           << "x"
                                                           << "colour"
                                                           << "eac";
    QTest::newRow("51st font run stays as text")
        << repeated(arial + "x</font>", 51) << repeated("x", 50) + arial + "x</font>"
        << "size" << repeated("10,", 50 + int(arial.size()) + 7) + "10";
    QTest::newRow("font start without its end")
        << "<font face='A' size='2' color='#000000'x</font>y"
        << "y"
        << ""
        << "";
    QTest::newRow("font start cut short") << "ab<font"
                                          << "ab<font"
                                          << ""
                                          << "";
    QTest::newRow("lone font word at the start") << "<font"
                                                 << "<font"
                                                 << ""
                                                 << "";
    QTest::newRow("closing font only") << "a</font>b"
                                       << "ab"
                                       << ""
                                       << "";
}

void TestHtmlToCaption::shown()
{
    QFETCH(QString, html);
    QFETCH(QString, text);
    QFETCH(QString, property);
    QFETCH(QString, values);
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    HtmlToCaption(ed, html);
    QCOMPARE(ed.plainText(), text);
    if (!property.isEmpty())
        QCOMPARE(propertyAt(ed, property),
                 values.replace(QStringLiteral("<default>"), ed.defaultFontName()));
}

void TestHtmlToCaption::textOutsideRunsKeepsDefaults()
{
    QTextDocument doc;
    RichTextAdapter ed(&doc);
    HtmlToCaption(ed, QStringLiteral("a<font face='Arial' size='3' color='#FF0000'>b</font>c"));
    QCOMPARE(ed.plainText(), QStringLiteral("abc"));
    const QString d = ed.defaultFontName();
    QCOMPARE(propertyAt(ed, QStringLiteral("face")), d + ",Arial," + d);
    QCOMPARE(propertyAt(ed, QStringLiteral("size")), QStringLiteral("10,12,10"));
    QCOMPARE(propertyAt(ed, QStringLiteral("colour")), QStringLiteral("0,ff,0"));
}

void TestHtmlToCaption::emptyCaptions_data()
{
    QTest::addColumn<QString>("html");
    QTest::newRow("empty line") << "";
    QTest::newRow("tags only") << "<b></b><i></i>";
    QTest::newRow("empty font run") << arial + "</font>";
}

void TestHtmlToCaption::emptyCaptions()
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
// editor exactly as the step-by-step method does.
void TestHtmlToCaption::matchesTheStepByStepMethod_data()
{
    QTest::addColumn<QString>("html");
    const QStringList tokens{"<i>",
                             "</i>",
                             "<u>",
                             "</u>",
                             "<b>",
                             "</b>",
                             "<s>",
                             "</s>",
                             "<sup>",
                             "</sup>",
                             "<sub>",
                             "</sub>",
                             "<font",
                             "<font face='Arial' size='2' color='#FF0000'>",
                             "<font face='Times' size='2.5' color='#00ff00'>",
                             "<font face='' size='' color=''>",
                             "</font>",
                             "face=",
                             "size=",
                             "color=",
                             "'",
                             "#",
                             ">",
                             "<",
                             "<br>",
                             "<BR>",
                             "\r\n",
                             "\n",
                             "\r",
                             "a",
                             "b",
                             "Z",
                             " ",
                             "2",
                             "2.5",
                             "2,5",
                             "-",
                             "FF",
                             "0a",
                             "\u00e9",
                             "&nbsp;",
                             "|",
                             "\u2028",
                             "\u2029",
                             "1e3",
                             "99999999999999999999",
                             "\uFDD0"};
    QRandomGenerator rng(424242);
    for (int k = 0; k < 1500; ++k) {
        QString html;
        const int n = rng.bounded(40);
        for (int t = 0; t < n; ++t)
            html += tokens.at(rng.bounded(tokens.size()));
        QTest::addRow("random %d", k) << html;
    }
    // Past the limits: many of one or two kinds.
    for (int k = 0; k < 150; ++k) {
        QString html;
        const QString a = tokens.at(rng.bounded(tokens.size()));
        const QString b = tokens.at(rng.bounded(tokens.size()));
        const int n = 40 + rng.bounded(25);
        for (int t = 0; t < n; ++t)
            html += (rng.bounded(3) ? a : b) + (rng.bounded(4) ? QString() : QStringLiteral("x"));
        QTest::addRow("many %d", k) << html;
    }
    QTest::newRow("round runs") << repeated(arial + "x<b>y</b><br>", 55) + "</font>";
}

void TestHtmlToCaption::matchesTheStepByStepMethod()
{
    QFETCH(QString, html);
    QTextDocument fastDoc, slowDoc;
    RichTextAdapter fast(&fastDoc), slow(&slowDoc);
    HtmlToCaption(fast, html);
    Literal::htmlToCaption(slow, html);
    QCOMPARE(editorState(fast), editorState(slow));
    QCOMPARE(CaptionToHtml(fast, QLocale::c()), Literal::captionToHtml(slow, QLocale::c()));
}

QTEST_MAIN(TestHtmlToCaption)
#include "tst_htmltocaption.moc"
