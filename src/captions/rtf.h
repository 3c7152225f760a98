#pragma once

#include "captions/rtfreader.h"

#include <QString>

class QTextCursor;

// Rich Text Format for the caption editor's copy and paste: a writer for the
// formatting captions use (fonts, sizes, colours, bold, italic, underline,
// strike, super/subscript offsets, paragraphs, characters outside ASCII) and
// a tolerant reader that skips what it does not know.
namespace Rtf {

// The selection of cursor as a complete RTF document.
QString fromSelection(const QTextCursor &cursor);

// Replaces the selection of cursor with the content of an RTF document.
// Returns false (and changes nothing) when the text is not RTF.
bool insert(QTextCursor &cursor, const QString &rtf);

// Replaces the selection of cursor with runs of text (U+2029 is a paragraph
// break), as one step of the undo history.
void insertRuns(QTextCursor &cursor, const QList<RtfReader::Run> &runs);

// Whether text looks like an RTF document ("{\rtf").
bool isRtf(const QString &text);

} // namespace Rtf
