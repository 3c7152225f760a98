#include "captions/richtextadapter.h"
#include "captions/rtf.h"
#include "captiontools.h"

#include <QFile>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>

namespace {

QTextCharFormat font(const QString &face, double points, QColor colour = Qt::black,
                     const std::function<void(QTextCharFormat &)> &change = {})
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{face});
    f.setFontPointSize(points);
    f.setForeground(colour);
    if (change)
        change(f);
    return f;
}

QTextCharFormat arial(const std::function<void(QTextCharFormat &)> &change = {})
{
    return font("Arial", 10, Qt::black, change);
}

QTextCharFormat offset(int twips)
{
    return arial([twips](QTextCharFormat &f) { RichTextAdapter::applyCharOffset(f, twips); });
}

// A document from (text, format) pieces; "\n" in a text starts a paragraph.
using Pieces = QList<QPair<QString, QTextCharFormat>>;

void fill(QTextDocument &doc, const Pieces &pieces)
{
    QTextCursor cursor(&doc);
    for (const auto &[text, format] : pieces) {
        const QStringList parts = text.split(u'\n');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            cursor.insertText(parts.at(i), format);
        }
    }
}

QString paste(const QString &rtf)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    return Rtf::insert(cursor, rtf) ? describe(doc) : QStringLiteral("<refused>");
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<Pieces>("pieces");
        QTest::addColumn<int>("from"); // selection; -1 = to the end
        QTest::addColumn<int>("to");

        const auto bold = arial([](auto &f) { f.setFontWeight(QFont::Bold); });
        // clang-format off
        QTest::newRow("bold word") << Pieces{{"Bon", arial()}, {"jour", bold}} << 0 << -1;
        QTest::newRow("sub- and superscript") << Pieces{{"H", arial()}, {"2", offset(-40)}, {"O", offset(40)}} << 0 << -1;
        QTest::newRow("offset that is neither") << Pieces{{"x", offset(80)}, {"y", offset(-80)}} << 0 << -1;
        QTest::newRow("colours, one repeated, one near black")
            << Pieces{{"rouge ", font("Arial", 10, Qt::red)},
                      {"bleu ", font("Arial", 10, Qt::blue)},
                      {"rouge", font("Arial", 10, Qt::red)},
                      {"x", font("Arial", 10, QColor(1, 0, 0))}}
            << 0 << -1;
        QTest::newRow("fonts and sizes") << Pieces{{"a", font("Courier New", 8)}, {"b", font("Ménagère", 20)}, {"d", font("Arial", 10.5)}} << 0 << -1;
        QTest::newRow("Windows-1252 characters") << Pieces{{"Café à 5 € – « oui »", arial()}} << 0 << -1;
        QTest::newRow("characters beyond Windows-1252") << Pieces{{"Ω 漢字 😀 ő", arial()}} << 0 << -1;
        QTest::newRow("RTF's own characters and a tab") << Pieces{{"{a} \\b \\'e9 ;\t", arial()}} << 0 << -1;
        QTest::newRow("empty paragraph between") << Pieces{{"un\n\ntrois", arial()}} << 0 << -1;
        QTest::newRow("selection ending with a break") << Pieces{{"un\ndeux", arial()}} << 0 << 3;
        QTest::newRow("selection across a break, mid words") << Pieces{{"un\ndeux", arial([](auto &f) { f.setFontItalic(true); })}} << 1 << 5;
        QTest::newRow("empty selection") << Pieces{{"Bonjour", arial()}} << 2 << 2;
        // clang-format on
    }

    void roundTrip()
    {
        QFETCH(Pieces, pieces);
        QFETCH(int, from);
        QFETCH(int, to);

        QTextDocument source;
        fill(source, pieces);
        if (to < 0)
            to = source.characterCount() - 1;
        QTextCursor selection(&source);
        selection.setPosition(from);
        selection.setPosition(to, QTextCursor::KeepAnchor);
        const QString rtf = Rtf::fromSelection(selection);
        QVERIFY(Rtf::isRtf(rtf));
        // Plain ASCII, as an RTF reader of any code page takes it.
        QVERIFY2(std::all_of(rtf.cbegin(), rtf.cend(), [](QChar c) { return c.unicode() < 0x80; }),
                 qPrintable(rtf));
        QCOMPARE(paste(rtf), describe(source, from, to));
    }

    void wordProcessorDocuments_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");

        // clang-format off
        // A break keeps the look of the text it ends, as typed in the word processor.
        QTest::newRow("LibreOffice Writer")
            << "libreoffice.rtf"
            << "[Liberation Serif 12 #FF0000 b]Café crème[Liberation Serif 12 auto] et "
               "[Liberation Serif 16 auto i]thé¶{Liberation Serif 16 auto i}[Liberation Sans 12 "
               "auto]x"
               "[Liberation Sans 12 auto ^40]2[Liberation Sans 12 auto ^-40]3";
        QTest::newRow("Word") << "word.rtf" << "[Arial 14 #0000FF]Bonjour [Arial 14 #00B050 b u]à tous" "[Arial 14 auto s] € fin";
        QTest::newRow("WordPad")
            << "wordpad.rtf"
            << "[Calibri 11 #FF0000 b]Rouge gras¶{Calibri 11 #FF0000 b}[Calibri 11 auto]"
               "Normal [Calibri 11 auto i]italique[Calibri 11 auto]\u2028ligne";
        QTest::newRow("field, table, hidden text and a picture")
            << "fields.rtf"
            << "[Arial 10 auto]Voir [Arial 10 #0000FF u]le site[Arial 10 auto] .¶{Arial 10 auto}"
               "[Arial 10 auto]A\tB\t¶{Arial 10 auto}[Arial 10 auto]fin";
        // clang-format on
    }

    void wordProcessorDocuments()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QFile sample(QFINDTESTDATA("rtf/" + file));
        QVERIFY2(sample.open(QIODevice::ReadOnly), qPrintable(file));
        QCOMPARE(paste(QString::fromLatin1(sample.readAll())), expected);
    }

    void brokenInput_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");

        const QString plain = "[Times New Roman 12 auto]";
        const QString header = "{\\rtf1{\\fonttbl{\\f0 Times New Roman;}}";
        const auto row = [&](const char *name, const QString &rtf, const QString &expected) {
            QTest::newRow(name) << rtf << expected;
        };
        row("header only", "{\\rtf1", "");
        row("unclosed groups", header + "{{{{abc", plain + "abc");
        row("truncated hex escape", header + "a\\'", plain + "a");
        row("backslash at the end", header + "a\\", plain + "a");
        row("binary data with braces", header + "\\bin4 {}{}ok}", plain + "ok");
        row("binary length beyond the end", header + "x\\bin99999 }", plain + "x");
        row("negative size", header + "\\fs-50 x}", "[Times New Roman 1 auto]x");
        row("enormous size", header + "\\fs99999999999 x}", "[Times New Roman 1638 auto]x");
        row("colour components out of range", header + "{\\colortbl;\\red300\\green-5;}\\cf1 x}",
            "[Times New Roman 12 #FF0000]x");
        row("control characters in a font name", "{\\rtf1{\\fonttbl{\\f0 Ar\\'09i\\'01al}}x}",
            "[Arial 12 auto]x");
        row("enormous offset", header + "\\up999999999 x}", "[Times New Roman 12 auto ^32760]x");
        row("control word too long", header + "\\" + QString(100, 'a') + " x}", plain + "x");
        row("very deep nesting", header + QString(200000, '{') + "x", plain + "x");
    }

    void brokenInput()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, expected);
        QCOMPARE(paste(rtf), expected);
    }

    void pasteReplacesOnlyTheSelection()
    {
        QTextDocument doc;
        fill(doc, {{"Hello world!", arial()}});
        QTextCursor cursor(&doc);
        cursor.setPosition(6);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        QVERIFY(Rtf::insert(cursor, "{\\rtf1{\\fonttbl{\\f0 Verdana;}}\\f0\\fs40\\b Monde\\par}"));
        QCOMPARE(describe(doc),
                 "[Arial 10 #000000]Hello [Verdana 20 auto b]Monde[Arial 10 #000000]!");
        QCOMPARE(cursor.position(), 11);
    }

    void textThatIsNotRtfChangesNothing()
    {
        QTextDocument doc;
        fill(doc, {{"Hello", arial()}});
        QTextCursor cursor(&doc);
        cursor.select(QTextCursor::Document);
        for (const QString &text :
             {QString("plain text"), QString("\\rtf"), QString(), QString("{\\RTF1 x}")}) {
            QVERIFY(!Rtf::isRtf(text));
            QVERIFY(!Rtf::insert(cursor, text));
            QCOMPARE(doc.toPlainText(), "Hello");
        }
        QVERIFY(Rtf::isRtf("\r\n  {\\rtf1}"));
    }
};

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
