#pragma once

#include "captions/rtfreader.h"

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <cstdint>
#include <functional>

class QTextDocument;
class QTextEdit;

// The caption editor as the caption conversions see it: a rich-text control
// whose plain text counts every line break as two positions (CR LF), with a
// selection and the formatting of that selection. It works on the document of
// a QTextEdit (or on a bare QTextDocument in the core and in tests); the
// conversions are written against it, so that this class is the one place
// where the platform's rich-text control differs from what they expect.
//
// Positions: QTextDocument has one position per paragraph separator (and per
// U+2028 line separator); here each of them is two (CR, LF). A position in the
// middle of a break rounds down for a selection start and up for its end, so
// a selection never holds half a break.
//
// Formatting read from a non-empty selection is that of its first character;
// a break has the char format of the block that follows it. An empty
// selection reports the caret's formatting (QTextCursor::charFormat()).
// Setting formatting on an empty selection changes only what the caret types
// next, except in an empty paragraph, whose own format takes it as well (so
// an emptied editor keeps the colour chosen for it).
//
// Colours are 32-bit values with red in the lowest byte (0x00BBGGRR).
// The vertical character offset is in twips, kept in a property of our own:
// +40 shows as superscript, -40 as subscript, any other value as normal text.
// Sizes are points; a size outside 1..1638 is refused (nothing changes), and
// so is a font name that is empty or holds a line break.
class RichTextAdapter
{
public:
    static constexpr int CharOffsetProperty = QTextFormat::UserProperty + 1;
    // The offset of superscript text, in twips; subscript is its negative.
    static constexpr int SuperscriptOffset = 40;
    static constexpr double MinFontSize = 1.0;
    static constexpr double MaxFontSize = 1638.0;

    // Everything the conversions read of one character or of the caret.
    struct Style
    {
        QString face;
        double size = 0;
        std::uint32_t colour = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
        int offset = 0; // twips
        bool operator==(const Style &) const = default;
    };

    explicit RichTextAdapter(QTextDocument *document);
    // Works on the editor's document and keeps the editor's own caret and
    // selection in step with the adapter's selection (widget library only).
    explicit RichTextAdapter(QTextEdit *editor);

    QTextDocument *document() const { return m_document; }

    // ---- text and selection (positions count CR LF as two) ----
    QString plainText() const;
    int textLength() const;
    void setSelection(int start, int length); // clamped; length <= 0 is a caret at start
    int selectionStart() const;
    int selectionLength() const;
    QString selectedText() const;
    // Replaces the selection; CR LF, CR, LF, U+2028 and U+2029 in text each
    // become one line break. The new text takes the formatting of the first
    // replaced character (of the caret when nothing was selected), and the
    // caret ends after it.
    void replaceSelection(const QString &text);
    void clear();                           // content and formatting
    void setPlainText(const QString &text); // clear, then the text as replaceSelection puts it

    // ---- formatting of the selection ----
    Style style() const;
    QString fontName() const;
    double fontSize() const; // points
    std::uint32_t colour() const;
    bool bold() const;
    bool italic() const;
    bool underline() const;
    bool strikethrough() const;
    int charOffset() const; // twips

    void setFontName(const QString &face);
    void setFontSize(double points);
    void setColour(std::uint32_t colour);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    void setStrikethrough(bool on);
    void setCharOffset(int twips);

    // ---- pasting formatted text ----
    // Replaces the selection with runs of formatted text (U+2029 is a line
    // break), as one step of the undo history; an editor emptied this way
    // types on with the look of what it held.
    void replaceSelectionWithRuns(const QList<RtfReader::Run> &runs);
    // The look text takes in place of the selection: that of its first
    // character, or the caret's when nothing is selected.
    QTextCharFormat insertionFormat() const;

    // ---- for the conversions' one-pass walks ----
    // What a selection of a character with this char format reports.
    Style styleOf(const QTextCharFormat &format) const;
    // The caret's formatting at the end of the text, as a fresh selection there reads it.
    Style styleAtEnd() const;
    // Puts the offset into a char format the way setCharOffset() does.
    static void applyCharOffset(QTextCharFormat &format, int twips);
    // text as the editor stores it: each kind of line break becomes CR LF;
    // the two frame marker characters of QTextDocument become U+FFFD.
    static QString normalisedText(const QString &text);
    // The editor's current selection as a cursor on the document.
    QTextCursor cursor() const;
    void setCursor(const QTextCursor &cursor);

    // Whether setFontName() takes the name.
    static bool isUsableFontName(const QString &face);

    // The font name reported for text that has none of its own.
    QString defaultFontName() const;
    // The colour reported for text that has none of its own: the one the
    // editor shows it in (black unless set).
    void setDefaultColour(std::uint32_t colour) { m_defaultColour = colour; }

private:
    QTextCharFormat formatAt(int documentPosition) const;
    void merge(const QTextCharFormat &modifier);

    QTextDocument *m_document = nullptr;
    std::uint32_t m_defaultColour = 0;
    QTextCursor m_cursor;                      // the selection without an editor
    std::function<QTextCursor()> m_readCursor; // with an editor: its own cursor
    std::function<void(const QTextCursor &)> m_writeCursor;
};
