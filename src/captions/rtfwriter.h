#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;

// Writes the selection of a text cursor as a complete RTF document with the
// character formatting captions use. The document is plain ASCII: characters
// of Windows-1252 as \'hh, every other one as \uN with a '?' fallback.
class RtfWriter
{
public:
    static QString write(const QTextCursor &cursor);

private:
    explicit RtfWriter(const QTextDocument *document);
    void run(const QString &text, const QTextCharFormat &format);
    QString document() const;
    int fontIndex(const QString &face);
    int colourIndex(std::uint32_t rgb);
    static QString escaped(const QString &text);

    const QTextDocument *m_document;
    QStringList m_fonts;
    QList<std::uint32_t> m_colours; // 0xRRGGBB; table index = position + 1
    QString m_body;
};
