#pragma once

#include "captions/rtfreader.h"

#include <QList>
#include <QString>

class QTextCharFormat;

// Reads HTML from the clipboard (a browser's, a word processor's) into text
// runs with only the formatting a caption can hold: face, whole point size,
// colour, bold, italic, underline, strikethrough, superscript and subscript.
// Everything else (pictures, links, tables, backgrounds, margins) leaves just
// its text; paragraphs and <br> become line breaks, empty lines at either end
// are dropped. What the HTML does not tell is taken from base. Nothing outside
// the HTML itself is read (no style sheets, no pictures).
namespace HtmlPaste {

QList<RtfReader::Run> read(const QString &html, const QTextCharFormat &base);

} // namespace HtmlPaste
