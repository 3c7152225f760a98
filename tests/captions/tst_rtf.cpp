#include "captions/richtextadapter.h"
#include "captions/rtf.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>

namespace {

// How a stretch of a document looks, one "[face size colour flags]text" per run,
// with "¶" for a paragraph break, so that a wrong format shows in the diff.
QString styleLabel(const QTextDocument &doc, const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    QString label = families.isEmpty() ? doc.defaultFont().family() : families.first();
    const double size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                  : doc.defaultFont().pointSizeF();
    label += u' ' + QString::number(size);
    label += f.foreground().style() == Qt::NoBrush ? u" auto"_qs
                                                   : u' ' + f.foreground().color().name().toUpper();
    if (f.fontWeight() >= QFont::Bold)
        label += u" b"_qs;
    if (f.fontItalic())
        label += u" i"_qs;
    if (f.fontUnderline())
        label += u" u"_qs;
    if (f.fontStrikeOut())
        label += u" s"_qs;
    const int offset = f.property(RichTextAdapter::CharOffsetProperty).toInt();
    if (offset != 0)
        label += u" ^"_qs + QString::number(offset);
    return label;
}

QString describe(const QTextDocument &doc, int from, int to)
{
    QString out;
    QString previous;
    for (QTextBlock block = doc.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int a = std::max(fragment.position(), from);
            const int b = std::min(fragment.position() + fragment.length(), to);
            if (a >= b)
                continue;
            const QString label = styleLabel(doc, fragment.charFormat());
            if (label != previous)
                out += u'[' + label + u']';
            previous = label;
            out += fragment.text().mid(a - fragment.position(), b - a);
        }
        if (block.position() + block.length() - 1 < to && block.next().isValid()) {
            out += u"¶"_qs;
            previous.clear();
        }
    }
    return out;
}

QString describe(const QTextDocument &doc) { return describe(doc, 0, doc.characterCount() - 1); }

QTextCharFormat font(const QString &face, double points, QColor colour = Qt::black)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{face});
    f.setFontPointSize(points);
    f.setForeground(colour);
    return f;
}

QTextCharFormat with(QTextCharFormat f, const std::function<void(QTextCharFormat &)> &change)
{
    change(f);
    return f;
}

// Builds a document from (text, format) pieces; "\n" in a text starts a paragraph.
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

// Counts braces that are not escaped; an RTF document must end at depth 0
// and never go below.
bool bracesBalanced(const QString &rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf.at(i) == u'\\') {
            ++i;
            continue;
        }
        if (rtf.at(i) == u'{')
            ++depth;
        else if (rtf.at(i) == u'}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

QString paste(const QString &rtf)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    if (!Rtf::insert(cursor, rtf))
        return u"<refused>"_qs;
    return describe(doc);
}

QString sample(const QString &name)
{
    QFile file(QFINDTESTDATA(u"rtf/"_qs + name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll());
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void writtenDocument_data();
    void writtenDocument();
    void wordProcessorDocuments_data();
    void wordProcessorDocuments();
    void brokenInput_data();
    void brokenInput();
    void randomBytesNeverCrash();
    void pasteReplacesOnlyTheSelection();
    void textThatIsNotRtfChangesNothing();
};

void TestRtf::roundTrip_data()
{
    QTest::addColumn<Pieces>("pieces");
    QTest::addColumn<int>("from"); // selection; -1 = to the end
    QTest::addColumn<int>("to");

    const QTextCharFormat arial = font(u"Arial"_qs, 10);
    auto offset = [&](int twips) {
        return with(arial,
                    [twips](QTextCharFormat &f) { RichTextAdapter::applyCharOffset(f, twips); });
    };

    QTest::newRow("plain") << Pieces{{u"Bonjour"_qs, arial}} << 0 << -1;
    QTest::newRow("bold word")
        << Pieces{{u"Bon"_qs, arial},
                  {u"jour"_qs, with(arial, [](auto &f) { f.setFontWeight(QFont::Bold); })}}
        << 0 << -1;
    QTest::newRow("italic underline strike together") << Pieces{
        {u"tout"_qs, with(arial, [](auto &f) {
             f.setFontItalic(true);
             f.setFontUnderline(true);
             f.setFontStrikeOut(true);
         })}} << 0 << -1;
    QTest::newRow("superscript") << Pieces{{u"m"_qs, arial}, {u"2"_qs, offset(40)}} << 0 << -1;
    QTest::newRow("subscript") << Pieces{{u"H"_qs, arial}, {u"2"_qs, offset(-40)}, {u"O"_qs, arial}}
                               << 0 << -1;
    QTest::newRow("offset that is neither")
        << Pieces{{u"x"_qs, offset(80)}, {u"y"_qs, offset(-80)}} << 0 << -1;
    QTest::newRow("colours, one repeated") << Pieces{{u"rouge "_qs, font(u"Arial"_qs, 10, Qt::red)},
                                                     {u"bleu "_qs, font(u"Arial"_qs, 10, Qt::blue)},
                                                     {u"rouge"_qs, font(u"Arial"_qs, 10, Qt::red)}}
                                           << 0 << -1;
    QTest::newRow("near-black colour")
        << Pieces{{u"x"_qs, font(u"Arial"_qs, 10, QColor(1, 0, 0))}} << 0 << -1;
    QTest::newRow("fonts and sizes") << Pieces{{u"a"_qs, font(u"Courier New"_qs, 8)},
                                               {u"b"_qs, font(u"Times New Roman"_qs, 20)},
                                               {u"c"_qs, font(u"Arial"_qs, 11)},
                                               {u"d"_qs, font(u"Arial"_qs, 10.5)}}
                                     << 0 << -1;
    QTest::newRow("font name outside ASCII")
        << Pieces{{u"x"_qs, font(u"Ménagère"_qs, 10)}} << 0 << -1;
    QTest::newRow("Windows-1252 characters")
        << Pieces{{u"Café crème à 5 € – « oui »"_qs, arial}} << 0 << -1;
    QTest::newRow("characters beyond Windows-1252") << Pieces{{u"Ω 漢字 😀 ő"_qs, arial}} << 0 << -1;
    QTest::newRow("RTF's own characters") << Pieces{{u"{a} \\b \\'e9 ;"_qs, arial}} << 0 << -1;
    QTest::newRow("tab") << Pieces{{u"a\tb"_qs, arial}} << 0 << -1;
    QTest::newRow("two paragraphs") << Pieces{{u"un\ndeux"_qs, arial}} << 0 << -1;
    QTest::newRow("empty paragraph between") << Pieces{{u"un\n\ntrois"_qs, arial}} << 0 << -1;
    QTest::newRow("selection inside a word") << Pieces{{u"Bonjour"_qs, arial}} << 1 << 4;
    QTest::newRow("selection ending with a break") << Pieces{{u"un\ndeux"_qs, arial}} << 0 << 3;
    QTest::newRow("selection across a break, mid words")
        << Pieces{{u"un\ndeux"_qs, with(arial, [](auto &f) { f.setFontItalic(true); })}} << 1 << 5;
    QTest::newRow("empty selection") << Pieces{{u"Bonjour"_qs, arial}} << 2 << 2;
}

void TestRtf::roundTrip()
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

    QTextDocument target;
    QTextCursor cursor(&target);
    QVERIFY(Rtf::insert(cursor, rtf));
    QCOMPARE(describe(target), describe(source, from, to));
}

void TestRtf::writtenDocument_data()
{
    QTest::addColumn<Pieces>("pieces");
    QTest::addColumn<QStringList>("expected"); // fragments the document must hold

    const QTextCharFormat arial = font(u"Arial"_qs, 10);
    auto offset = [&](int twips) {
        return with(arial,
                    [twips](QTextCharFormat &f) { RichTextAdapter::applyCharOffset(f, twips); });
    };
    QTest::newRow("header and tables")
        << Pieces{{u"x"_qs, font(u"Arial"_qs, 12, QColor(255, 0, 0))}}
        << QStringList{u"{\\rtf1\\ansi\\ansicpg1252\\deff0"_qs,
                       u"{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"_qs,
                       u"{\\colortbl;\\red255\\green0\\blue0;}"_qs, u"{\\f0\\fs24\\cf1 x}"_qs};
    QTest::newRow("styles") << Pieces{
        {u"x"_qs, with(arial, [](auto &f) {
             f.setFontWeight(QFont::Bold);
             f.setFontItalic(true);
             f.setFontUnderline(true);
             f.setFontStrikeOut(true);
         })}} << QStringList{u"\\b\\i\\ul\\strike x}"_qs};
    QTest::newRow("superscript is up 2 points")
        << Pieces{{u"2"_qs, offset(40)}} << QStringList{u"\\up4 2}"_qs};
    QTest::newRow("subscript is down 2 points")
        << Pieces{{u"2"_qs, offset(-40)}} << QStringList{u"\\dn4 2}"_qs};
    QTest::newRow("double offset") << Pieces{{u"2"_qs, offset(80)}} << QStringList{u"\\up8 2}"_qs};
    QTest::newRow("alignment without our offset") << Pieces{
        {u"2"_qs, with(arial, [](auto &f) {
             f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
         })}} << QStringList{u"\\up4 2}"_qs};
    QTest::newRow("half-point size")
        << Pieces{{u"x"_qs, font(u"Arial"_qs, 10.5)}} << QStringList{u"{\\f0\\fs21\\cf1 x}"_qs};
    QTest::newRow("Windows-1252 as hex")
        << Pieces{{u"é€"_qs, arial}} << QStringList{u"\\'e9\\'80"_qs};
    QTest::newRow("Unicode with fallback")
        << Pieces{{u"Ω😀"_qs, arial}} << QStringList{u"\\u937?\\u-10179?\\u-8704?"_qs};
    QTest::newRow("escapes") << Pieces{{u"{\\}"_qs, arial}} << QStringList{u" \\{\\\\\\}}"_qs};
    QTest::newRow("paragraph") << Pieces{{u"a\nb"_qs, arial}} << QStringList{u"a}\\par\n{"_qs};
    QTest::newRow("two fonts numbered in order")
        << Pieces{{u"a"_qs, font(u"Arial"_qs, 10)}, {u"b"_qs, font(u"Verdana"_qs, 10)}}
        << QStringList{u"{\\f1\\fnil\\fcharset0 Verdana;}"_qs, u"{\\f1\\fs20\\cf1 b}"_qs};
}

void TestRtf::writtenDocument()
{
    QFETCH(Pieces, pieces);
    QFETCH(QStringList, expected);

    QTextDocument doc;
    fill(doc, pieces);
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    const QString rtf = Rtf::fromSelection(all);

    for (const QString &fragment : expected)
        QVERIFY2(rtf.contains(fragment), qPrintable(fragment + u"\n  not in\n"_qs + rtf));
    QVERIFY2(bracesBalanced(rtf), qPrintable(rtf));
    for (const QChar c : rtf)
        QVERIFY2(c.unicode() < 0x80, qPrintable(rtf));
    QVERIFY(rtf.endsWith(u"}\n"_qs));
}

void TestRtf::wordProcessorDocuments_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");

    QTest::newRow("LibreOffice Writer")
        << u"libreoffice.rtf"_qs
        << u"[Liberation Serif 12 #FF0000 b]Café crème[Liberation Serif 12 auto] et "
           "[Liberation Serif 16 auto i]thé¶[Liberation Sans 12 auto]x[Liberation Sans 12 auto "
           "^40]2"
           "[Liberation Sans 12 auto ^-40]3"_qs;
    QTest::newRow("Word")
        << u"word.rtf"_qs
        << u"[Arial 14 #0000FF]Bonjour [Arial 14 #00B050 b u]à tous[Arial 14 auto s] € fin"_qs;
    QTest::newRow("WordPad")
        << u"wordpad.rtf"_qs
        << u"[Calibri 11 #FF0000 b]Rouge gras¶[Calibri 11 auto]Normal [Calibri 11 auto i]italique"
           "[Calibri 11 auto]\u2028ligne"_qs;
    QTest::newRow("field, table, hidden text and a picture")
        << u"fields.rtf"_qs
        << u"[Arial 10 auto]Voir [Arial 10 #0000FF u]le site[Arial 10 auto] .¶"
           "[Arial 10 auto]A\tB\t¶[Arial 10 auto]fin"_qs;
}

void TestRtf::wordProcessorDocuments()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);

    const QString rtf = sample(file);
    QVERIFY2(!rtf.isEmpty(), qPrintable(file));
    QCOMPARE(paste(rtf), expected);
}

void TestRtf::brokenInput_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("expected");

    const QString plain = u"[Times New Roman 12 auto]"_qs;
    const QString header = u"{\\rtf1{\\fonttbl{\\f0 Times New Roman;}}"_qs;
    QTest::newRow("header only") << u"{\\rtf1"_qs << QString();
    QTest::newRow("unclosed document") << header + u"abc"_qs << plain + u"abc"_qs;
    QTest::newRow("unclosed groups") << header + u"{{{{abc"_qs << plain + u"abc"_qs;
    QTest::newRow("text after the end is not read")
        << header + u"abc}}}}def"_qs << plain + u"abc"_qs;
    QTest::newRow("truncated hex escape") << header + u"a\\'"_qs << plain + u"a"_qs;
    QTest::newRow("hex escape with one digit") << header + u"a\\'4}"_qs << plain + u"a"_qs;
    QTest::newRow("hex escape with no digit") << header + u"a\\'zz}"_qs << plain + u"azz"_qs;
    QTest::newRow("backslash at the end") << header + u"a\\"_qs << plain + u"a"_qs;
    QTest::newRow("Unicode zero is dropped") << header + u"\\u0 ab}"_qs << plain + u"b"_qs;
    QTest::newRow("fallback count larger than the text")
        << header + u"\\uc9\\u233 ab}c"_qs << plain + u"é"_qs;
    QTest::newRow("binary data with braces") << header + u"\\bin4 {}{}ok}"_qs << plain + u"ok"_qs;
    QTest::newRow("binary length beyond the end")
        << header + u"x\\bin99999 }"_qs << plain + u"x"_qs;
    QTest::newRow("negative size") << header + u"\\fs-50 x}"_qs << u"[Times New Roman 1 auto]x"_qs;
    QTest::newRow("enormous size")
        << header + u"\\fs99999999999 x}"_qs << u"[Times New Roman 1638 auto]x"_qs;
    QTest::newRow("colour beyond the table") << header + u"\\cf99 x}"_qs << plain + u"x"_qs;
    QTest::newRow("colour components out of range")
        << header + u"{\\colortbl;\\red300\\green-5;}\\cf1 x}"_qs
        << u"[Times New Roman 12 #FF0000]x"_qs;
    QTest::newRow("unknown font number") << header + u"\\f7 x}"_qs << plain + u"x"_qs;
    QTest::newRow("font entry without semicolon")
        << u"{\\rtf1{\\fonttbl{\\f0 Arial}}x}"_qs << u"[Arial 12 auto]x"_qs;
    QTest::newRow("control characters in a font name")
        << u"{\\rtf1{\\fonttbl{\\f0 Ar\\'09i\\'01al;}}x}"_qs << u"[Arial 12 auto]x"_qs;
    QTest::newRow("enormous offset")
        << header + u"\\up999999999 x}"_qs << plain.chopped(1) + u" ^32760]x"_qs;
    QTest::newRow("control word too long")
        << header + u"\\"_qs + QString(100, u'a') + u" x}"_qs << plain + u"x"_qs;
    QTest::newRow("frame markers and objects dropped")
        << header + u"\\uc0 a\\u-560 \\u65532 b}"_qs << plain + u"ab"_qs;
    QTest::newRow("lone surrogate kept as written")
        << header + u"\\u-10179 x}"_qs << plain + QChar(0xD83D);
    QString deep = header;
    for (int i = 0; i < 200000; ++i)
        deep += u'{';
    QTest::newRow("very deep nesting") << deep + u"x"_qs << plain + u"x"_qs;
}

void TestRtf::brokenInput()
{
    QFETCH(QString, rtf);
    QFETCH(QString, expected);
    QCOMPARE(paste(rtf), expected);
}

void TestRtf::randomBytesNeverCrash()
{
    // Random RTF-ish noise: mostly the characters that drive the reader.
    QRandomGenerator random(20240305);
    const QString alphabet = u"{}\\'*;ubinfscf0123456789-abcdefuc rtf\r\n\u00e9"_qs;
    for (int round = 0; round < 300; ++round) {
        QString noise = u"{\\rtf1"_qs;
        const int length = random.bounded(400);
        for (int i = 0; i < length; ++i)
            noise += alphabet.at(random.bounded(alphabet.size()));
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QVERIFY(Rtf::insert(cursor, noise));
        QVERIFY(doc.characterCount() >= 1);
    }
}

void TestRtf::pasteReplacesOnlyTheSelection()
{
    QTextDocument doc;
    fill(doc, {{u"Hello world!"_qs, font(u"Arial"_qs, 10)}});
    QTextCursor cursor(&doc);
    cursor.setPosition(6);
    cursor.setPosition(11, QTextCursor::KeepAnchor);

    QVERIFY(Rtf::insert(cursor, u"{\\rtf1{\\fonttbl{\\f0 Verdana;}}\\f0\\fs40\\b Monde\\par}"_qs));
    QCOMPARE(describe(doc),
             u"[Arial 10 #000000]Hello [Verdana 20 auto b]Monde[Arial 10 #000000]!"_qs);
    QCOMPARE(cursor.position(), 11);
}

void TestRtf::textThatIsNotRtfChangesNothing()
{
    QTextDocument doc;
    fill(doc, {{u"Hello"_qs, font(u"Arial"_qs, 10)}});
    QTextCursor cursor(&doc);
    cursor.select(QTextCursor::Document);

    for (const QString &text :
         {u"plain text"_qs, u"{\\rtf"_qs.mid(1), QString(), u"{\\RTF1 x}"_qs}) {
        QVERIFY(!Rtf::isRtf(text));
        QVERIFY(!Rtf::insert(cursor, text));
        QCOMPARE(doc.toPlainText(), u"Hello"_qs);
    }
    QVERIFY(Rtf::isRtf(u"\r\n  {\\rtf1}"_qs));
}

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
