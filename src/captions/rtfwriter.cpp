#include "captions/rtfwriter.h"

#include "captions/richtextadapter.h"
#include "project/textfile.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace {

constexpr QChar kLineBreak(0x2028);
constexpr QChar kObject(0xFFFC);
constexpr int kSuperscriptTwips = RichTextAdapter::SuperscriptOffset;

// The vertical offset of a format in twips: our own property when the caption
// editor set one, else the alignment that another source may have given.
int offsetOf(const QTextCharFormat &format)
{
    const QVariant own = format.property(RichTextAdapter::CharOffsetProperty);
    if (own.isValid())
        return own.toInt();
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: return kSuperscriptTwips;
    case QTextCharFormat::AlignSubScript: return -kSuperscriptTwips;
    default: return 0;
    }
}

} // namespace

RtfWriter::RtfWriter(const QTextDocument *document)
    : m_document(document)
{
}

QString RtfWriter::write(const QTextCursor &cursor)
{
    const QTextDocument *doc = cursor.document();
    RtfWriter writer(doc);
    if (!doc)
        return writer.document();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    bool endsWithParagraph = false;
    for (QTextBlock block = doc->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(fragment.position(), start);
            const int to = std::min(fragment.position() + fragment.length(), end);
            if (from < to)
                writer.run(fragment.text().mid(from - fragment.position(), to - from),
                           fragment.charFormat());
        }
        // The block's separator sits at its last position.
        endsWithParagraph = block.position() + block.length() - 1 < end && block.next().isValid();
        if (endsWithParagraph)
            writer.m_body += u"\\par\n"_qs;
    }
    // Readers drop the paragraph mark that ends a document, as word processors
    // end every copied paragraph with one; a selected final break needs its own.
    if (endsWithParagraph)
        writer.m_body += u"\\par\n"_qs;
    return writer.document();
}

void RtfWriter::run(const QString &text, const QTextCharFormat &format)
{
    const QStringList families = format.fontFamilies().toStringList();
    const QString face = families.isEmpty() ? m_document->defaultFont().family() : families.first();
    double points = format.hasProperty(QTextFormat::FontPointSize)
        ? format.fontPointSize()
        : m_document->defaultFont().pointSizeF();
    if (points <= 0)
        points = 12;

    QString words = u"{\\f%1\\fs%2"_qs.arg(fontIndex(face)).arg(std::lround(points * 2));
    if (format.foreground().style() != Qt::NoBrush) {
        const QColor c = format.foreground().color();
        words += u"\\cf%1"_qs.arg(
            colourIndex((std::uint32_t(c.red()) << 16) | (c.green() << 8) | c.blue()));
    }
    if (format.fontWeight() > QFont::Medium) // as the caption editor reads bold
        words += u"\\b"_qs;
    if (format.fontItalic())
        words += u"\\i"_qs;
    if (format.fontUnderline())
        words += u"\\ul"_qs;
    if (format.fontStrikeOut())
        words += u"\\strike"_qs;
    // RTF counts the offset in half-points: 10 twips each.
    const int offset = offsetOf(format);
    if (offset > 0)
        words += u"\\up%1"_qs.arg(std::lround(offset / 10.0));
    else if (offset < 0)
        words += u"\\dn%1"_qs.arg(std::lround(-offset / 10.0));
    m_body += words + u' ' + escaped(text) + u'}';
}

QString RtfWriter::escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += u'\\';
            out += c;
        } else if (u == u'\t') {
            out += u"\\tab "_qs;
        } else if (c == kLineBreak || c == QChar::ParagraphSeparator) {
            out += u"\\line "_qs;
        } else if (u >= 0x20 && u < 0x80) {
            out += c;
        } else if (u < 0x20 || c == kObject) {
            // Control characters and embedded objects have no place in a caption.
        } else if (const auto byte = TextFile::toCp1252(QString(c))) {
            out += u"\\'%1"_qs.arg(uint(static_cast<unsigned char>(byte->at(0))), 2, 16,
                                   QChar(u'0'));
        } else {
            // \uN takes a signed 16-bit number.
            out += u"\\u%1?"_qs.arg(int(static_cast<std::int16_t>(u)));
        }
    }
    return out;
}

int RtfWriter::fontIndex(const QString &face)
{
    qsizetype index = m_fonts.indexOf(face);
    if (index < 0) {
        m_fonts.append(face);
        index = m_fonts.size() - 1;
    }
    return int(index);
}

int RtfWriter::colourIndex(std::uint32_t rgb)
{
    qsizetype index = m_colours.indexOf(rgb);
    if (index < 0) {
        m_colours.append(rgb);
        index = m_colours.size() - 1;
    }
    return int(index) + 1; // entry 0 is the automatic colour
}

QString RtfWriter::document() const
{
    QString out = u"{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl"_qs;
    if (m_fonts.isEmpty())
        out += u"{\\f0\\fnil\\fcharset0 "_qs
            + escaped(m_document ? m_document->defaultFont().family() : QString()) + u";}"_qs;
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        QString name = m_fonts.at(i);
        name.remove(u';'); // a semicolon ends a font table entry
        out += u"{\\f%1\\fnil\\fcharset0 "_qs.arg(i) + escaped(name) + u";}"_qs;
    }
    out += u"}\n{\\colortbl;"_qs;
    for (const std::uint32_t rgb : m_colours)
        out +=
            u"\\red%1\\green%2\\blue%3;"_qs.arg(rgb >> 16).arg((rgb >> 8) & 0xFF).arg(rgb & 0xFF);
    out += u"}\n\\pard\\plain\n"_qs + m_body + u"}\n"_qs;
    return out;
}
