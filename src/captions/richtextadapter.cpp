#include "captions/richtextadapter.h"

#include "captions/colourtext.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// Characters that stand for a line break in the document: two plain positions.
bool isBreak(QChar c) { return c == QChar::ParagraphSeparator || c == QChar::LineSeparator; }

// Plain position of a document position.
int toPlain(const QString &raw, int documentPosition)
{
    const int end = std::clamp(documentPosition, 0, int(raw.size()));
    int plain = end;
    for (int d = 0; d < end; ++d)
        plain += isBreak(raw.at(d)) ? 1 : 0;
    return plain;
}

// Document position of a plain position; inside a break rounds down or up.
int toDocument(const QString &raw, int plain, bool roundUp)
{
    int p = 0;
    for (int d = 0; d < raw.size(); ++d) {
        const int width = isBreak(raw.at(d)) ? 2 : 1;
        if (plain < p + width)
            return plain == p || !roundUp ? d : d + 1;
        p += width;
    }
    return int(raw.size());
}

QString withCrLf(const QString &raw)
{
    QString out;
    out.reserve(raw.size() + 16);
    for (const QChar c : raw) {
        if (isBreak(c))
            out += QLatin1String("\r\n");
        else
            out += c;
    }
    return out;
}

void insertNormalised(QTextCursor &cursor, const QString &text, const QTextCharFormat &format)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype br = text.indexOf(QLatin1String("\r\n"), from);
        const qsizetype end = br < 0 ? text.size() : br;
        if (end > from)
            cursor.insertText(text.mid(from, end - from), format);
        if (br < 0)
            break;
        cursor.insertBlock(cursor.blockFormat(), format);
        from = br + 2;
    }
}

} // namespace

RichTextAdapter::RichTextAdapter(QTextDocument *document)
    : m_document(document)
    , m_cursor(document)
{
}

QTextCursor RichTextAdapter::cursor() const { return m_readCursor ? m_readCursor() : m_cursor; }

void RichTextAdapter::setCursor(const QTextCursor &cursor)
{
    if (m_writeCursor)
        m_writeCursor(cursor);
    else
        m_cursor = cursor;
}

QString RichTextAdapter::normalisedText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            out += QLatin1String("\r\n");
        } else if (c == u'\n' || isBreak(c)) {
            out += QLatin1String("\r\n");
        } else if (c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += c;
        }
    }
    return out;
}

// ---- text and selection ----

QString RichTextAdapter::plainText() const { return withCrLf(m_document->toRawText()); }

int RichTextAdapter::textLength() const
{
    const QString raw = m_document->toRawText();
    return toPlain(raw, int(raw.size()));
}

void RichTextAdapter::setSelection(int start, int length)
{
    const QString raw = m_document->toRawText();
    const int total = toPlain(raw, int(raw.size()));
    const int s = std::clamp(start, 0, total);
    const int e = length <= 0 ? s : int(std::min<qint64>(qint64(s) + length, total));
    const int ds = toDocument(raw, s, false);
    const int de = e == s ? ds : toDocument(raw, e, true);
    QTextCursor c(m_document);
    c.setPosition(ds);
    c.setPosition(de, QTextCursor::KeepAnchor);
    setCursor(c);
}

int RichTextAdapter::selectionStart() const
{
    return toPlain(m_document->toRawText(), cursor().selectionStart());
}

int RichTextAdapter::selectionLength() const
{
    const QString raw = m_document->toRawText();
    const QTextCursor c = cursor();
    return toPlain(raw, c.selectionEnd()) - toPlain(raw, c.selectionStart());
}

QString RichTextAdapter::selectedText() const
{
    const QTextCursor c = cursor();
    return withCrLf(
        m_document->toRawText().mid(c.selectionStart(), c.selectionEnd() - c.selectionStart()));
}

void RichTextAdapter::replaceSelection(const QString &text)
{
    QTextCursor c = cursor();
    const bool deleting = c.hasSelection();
    const QTextCharFormat format = insertionFormat();
    c.beginEditBlock();
    c.removeSelectedText();
    insertNormalised(c, normalisedText(text), format);
    // Text typed into an editor emptied this way keeps the deleted text's look.
    if (deleting && m_document->characterCount() <= 1)
        c.setBlockCharFormat(format);
    c.endEditBlock();
    c.clearSelection();
    setCursor(c);
}

QTextCharFormat RichTextAdapter::insertionFormat() const
{
    const QTextCursor c = cursor();
    return c.hasSelection() ? formatAt(c.selectionStart()) : c.charFormat();
}

void RichTextAdapter::clear()
{
    m_document->clear();
    setCursor(QTextCursor(m_document));
}

void RichTextAdapter::setPlainText(const QString &text)
{
    clear();
    QTextCursor c(m_document);
    c.beginEditBlock();
    insertNormalised(c, normalisedText(text), QTextCharFormat());
    c.endEditBlock();
    setCursor(c);
}

// ---- formatting ----

QString RichTextAdapter::defaultFontName() const
{
    const QString family = m_document->defaultFont().family();
    return family.isEmpty() ? QStringLiteral("Sans Serif") : family;
}

bool RichTextAdapter::isUsableFontName(const QString &face)
{
    return !face.isEmpty() && !face.contains(u'\r') && !face.contains(u'\n');
}

RichTextAdapter::Style RichTextAdapter::styleOf(const QTextCharFormat &f) const
{
    Style s;
    if (f.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = f.fontFamilies().toStringList();
        s.face = families.value(0);
    } else if (f.hasProperty(QTextFormat::FontFamily)) {
        s.face = f.stringProperty(QTextFormat::FontFamily);
    }
    if (s.face.isEmpty())
        s.face = defaultFontName();

    if (f.hasProperty(QTextFormat::FontPointSize)) {
        s.size = f.fontPointSize();
    } else {
        const double def = m_document->defaultFont().pointSizeF();
        s.size = def > 0 ? def : 10.0;
    }

    const QBrush brush = f.foreground();
    s.colour = brush.style() != Qt::NoBrush ? colourValue(brush.color()) : m_defaultColour;
    s.bold = f.fontWeight() > QFont::Medium;
    s.italic = f.fontItalic();
    s.underline = f.fontUnderline();
    s.strikethrough = f.fontStrikeOut();
    if (f.hasProperty(CharOffsetProperty)) {
        s.offset = f.intProperty(CharOffsetProperty);
    } else {
        switch (f.verticalAlignment()) {
        case QTextCharFormat::AlignSuperScript: s.offset = SuperscriptOffset; break;
        case QTextCharFormat::AlignSubScript: s.offset = -SuperscriptOffset; break;
        default: s.offset = 0; break;
        }
    }
    return s;
}

QTextCharFormat RichTextAdapter::formatAt(int pos) const
{
    const QTextBlock block = m_document->findBlock(pos);
    if (!block.isValid())
        return QTextCharFormat();
    // The break at the end of a block: its format is the next block's own.
    if (pos == block.position() + block.length() - 1) {
        const QTextBlock next = block.next();
        return next.isValid() ? next.charFormat() : block.charFormat();
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.contains(pos))
            return fragment.charFormat();
    }
    return block.charFormat();
}

RichTextAdapter::Style RichTextAdapter::style() const
{
    const QTextCursor c = cursor();
    return styleOf(c.hasSelection() ? formatAt(c.selectionStart()) : c.charFormat());
}

RichTextAdapter::Style RichTextAdapter::styleAtEnd() const
{
    QTextCursor c(m_document);
    c.movePosition(QTextCursor::End);
    return styleOf(c.charFormat());
}

QString RichTextAdapter::fontName() const { return style().face; }
double RichTextAdapter::fontSize() const { return style().size; }
std::uint32_t RichTextAdapter::colour() const { return style().colour; }
bool RichTextAdapter::bold() const { return style().bold; }
bool RichTextAdapter::italic() const { return style().italic; }
bool RichTextAdapter::underline() const { return style().underline; }
bool RichTextAdapter::strikethrough() const { return style().strikethrough; }
int RichTextAdapter::charOffset() const { return style().offset; }

void RichTextAdapter::merge(const QTextCharFormat &modifier)
{
    QTextCursor c = cursor();
    c.mergeCharFormat(modifier);
    if (!c.hasSelection() && c.block().length() == 1)
        c.mergeBlockCharFormat(modifier);
    setCursor(c);
}

void RichTextAdapter::setFontName(const QString &face)
{
    if (!isUsableFontName(face))
        return;
    QTextCharFormat f;
    f.setFontFamilies(QStringList{face});
    merge(f);
}

void RichTextAdapter::setFontSize(double points)
{
    if (!(points >= MinFontSize && points <= MaxFontSize))
        return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    merge(f);
}

void RichTextAdapter::setColour(std::uint32_t colour)
{
    QTextCharFormat f;
    f.setForeground(colourOf(colour));
    merge(f);
}

void RichTextAdapter::setBold(bool on)
{
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    merge(f);
}

void RichTextAdapter::setItalic(bool on)
{
    QTextCharFormat f;
    f.setFontItalic(on);
    merge(f);
}

void RichTextAdapter::setUnderline(bool on)
{
    QTextCharFormat f;
    f.setFontUnderline(on);
    merge(f);
}

void RichTextAdapter::setStrikethrough(bool on)
{
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    merge(f);
}

void RichTextAdapter::applyCharOffset(QTextCharFormat &format, int twips)
{
    format.setProperty(CharOffsetProperty, twips);
    format.setVerticalAlignment(twips == SuperscriptOffset ? QTextCharFormat::AlignSuperScript
                                    : twips == -SuperscriptOffset ? QTextCharFormat::AlignSubScript
                                                                  : QTextCharFormat::AlignNormal);
}

void RichTextAdapter::setCharOffset(int twips)
{
    QTextCharFormat f;
    applyCharOffset(f, twips);
    merge(f);
}
