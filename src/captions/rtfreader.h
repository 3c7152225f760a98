#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QTextCharFormat>

#include <vector>

// Reads the text of an RTF document with the character formatting captions
// use: fonts, sizes, colours, bold, italic, underline, strike and vertical
// offsets. Tolerant by design: unknown control words, ignorable destinations
// and groups that carry no text (style sheet, document info, pictures...) are
// skipped, and broken input (unbalanced braces, truncated escapes) reads as far
// as it makes sense instead of failing.
class RtfReader
{
public:
    // A stretch of text in one format; a paragraph break is U+2029 in text.
    struct Run
    {
        QString text;
        QTextCharFormat format;
    };

    // The runs of rtf in order. A paragraph mark that ends the document is
    // dropped: word processors end every copied paragraph with one.
    static QList<Run> read(const QString &rtf);

private:
    enum class Destination {
        Text,
        FontTable,
        ColourTable,
        Skip
    };

    struct CharState
    {
        int font = -1;       // font table number; -1 = the default font
        int halfPoints = 24; // RTF's default size, 12 points
        int colour = 0;      // colour table index; 0 = automatic
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        int offsetTwips = 0;
    };

    struct Group
    {
        CharState chars;
        Destination destination = Destination::Text;
        int unicodeSkip = 1; // \ucN: fallback characters after each \uN
    };

    struct Colour
    {
        int red = -1, green = -1, blue = -1;
    };

    explicit RtfReader(const QString &rtf);
    void parse();
    void controlWord(const QString &word, bool hasParam, int param);
    void controlSymbol(QChar symbol);
    void text(QChar c);
    void openGroup();
    void closeGroup();
    void storeFontName();
    void paragraph();
    CharState plainState() const;
    QTextCharFormat formatOf(const CharState &state) const;
    bool consumesFallback();

    Group &group() { return m_groups.back(); }

    const QString &m_in;
    qsizetype m_pos = 0;
    std::vector<Group> m_groups;
    bool m_done = false;
    int m_defaultFont = 0;
    int m_pendingFallback = 0; // fallback characters still to skip after \uN

    // Font table being read.
    QHash<int, QString> m_fonts;
    int m_fontNumber = 0;
    QString m_fontName;

    QList<Colour> m_colours;
    Colour m_colour; // colour table entry being read

    QList<Run> m_runs;
};
