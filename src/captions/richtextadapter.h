#pragma once

#include <QString>

#include <cstdint>

class QTextDocument;
class QTextEdit;

// The caption editor as the caption conversions see it: a rich-text control
// whose plain text counts every line break as two positions (CR LF), with a
// selection and the formatting of that selection. It works on the document of
// a QTextEdit (or on a bare QTextDocument in the core and in tests); the
// conversions are written against it, so that this class is the one place
// where the platform's rich-text control differs from what they expect.
//
// Colours are 32-bit values with red in the lowest byte (0x00BBGGRR).
// The vertical character offset is in twips: +40 shows as superscript,
// -40 as subscript, any other value as normal text.
class RichTextAdapter
{
public:
    explicit RichTextAdapter(QTextDocument *document);
    // Works on the editor's document and keeps the editor's own caret and
    // selection in step with the adapter's selection.
    explicit RichTextAdapter(QTextEdit *editor);

    // ---- text and selection (positions count CR LF as two) ----
    QString plainText() const;
    int textLength() const;
    void setSelection(int start, int length);
    int selectionStart() const;
    int selectionLength() const;
    QString selectedText() const;
    void replaceSelection(const QString &text);   // CR LF in text becomes a line break
    void clear();                                 // content and formatting
    void setPlainText(const QString &text);

    // ---- formatting of the selection ----
    QString fontName() const;
    double fontSize() const;           // points
    std::uint32_t colour() const;
    bool bold() const;
    bool italic() const;
    bool underline() const;
    bool strikethrough() const;
    int charOffset() const;            // twips

    void setFontName(const QString &face);
    void setFontSize(double points);
    void setColour(std::uint32_t colour);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    void setStrikethrough(bool on);
    void setCharOffset(int twips);

    // ---- the selection in rich-text form ----
    QString selectedRtf() const;
    void replaceSelectionWithRtf(const QString &rtf);

private:
    QTextDocument *m_document = nullptr;
    QTextEdit *m_editor = nullptr;
    int m_start = 0;    // document positions of the selection
    int m_end = 0;
};
