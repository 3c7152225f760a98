#pragma once

#include "captions/rtfreader.h"

#include <QList>

#include <optional>

class QMimeData;
class QTextCharFormat;
class QTextCursor;

// What the caption editor puts on the clipboard and how it reads it back.
namespace CaptionClipboard {

// The most text one paste may bring: a caption is a few lines under a picture,
// and every character of it is walked when the caption is stored.
inline constexpr qsizetype MaxCharacters = 20000;
// Clipboard data read at most (markup included) before anything is parsed.
inline constexpr qsizetype MaxBytes = 8 * 1024 * 1024;

// The selection as RTF (text/rtf and application/rtf), as HTML (text/html)
// and as its plain text, for this editor and for any other program.
QMimeData *fromSelection(const QTextCursor &selection);

// The text to paste: RTF if the clipboard holds some (also as plain text, the
// way older clipboards hold it), else HTML, else plain text. Text whose look
// the clipboard does not tell takes base. No data gives no runs; nothing is
// returned when the clipboard holds more than a caption takes.
std::optional<QList<RtfReader::Run>> read(const QMimeData *data, const QTextCharFormat &base);

} // namespace CaptionClipboard
