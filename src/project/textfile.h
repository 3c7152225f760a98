#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Lumivue's text files (project file, pages, scripts, hand-over file) are
// Windows-1252 with CR LF line ends. A text that Windows-1252 cannot hold is
// written as UTF-8 with a byte-order mark instead, and a file that starts with
// that mark is read as UTF-8, so that no character is ever lost.
namespace TextFile {

// Decodes bytes: UTF-8 when they start with the UTF-8 byte-order mark, else Windows-1252.
QString decode(const QByteArray &bytes);

// Encodes text as Windows-1252 when every character fits, else as UTF-8 with a BOM.
QByteArray encode(const QString &text);

// Windows-1252 bytes of text, or nothing when a character does not fit.
std::optional<QByteArray> toCp1252(const QString &text);
QString fromCp1252(const QByteArray &bytes);

// Splits decoded text into lines, accepting CR LF, LF or a lone CR as line end.
// A final line end does not start another line.
QStringList splitLines(const QString &text);

// What reading a text file found. Files are bounded so that a file of any
// size read by mistake costs neither all the memory nor minutes.
enum class ReadStatus {
    Read,
    Unreadable,  // missing, not a regular file, or a read failed
    TooLarge,    // more bytes than the file may hold
    LineTooLong, // a line holds more bytes than a line may
};
inline constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
inline constexpr qint64 MaxLineBytes = 1024 * 1024;

struct Lines
{
    QStringList lines; // empty unless status is Read
    ReadStatus status = ReadStatus::Read;
};

// Reads a text file into lines, line by line, giving up as soon as the file
// or one of its lines is over its bound.
Lines readLinesWithin(const QString &path, qint64 maxFileBytes = MaxFileBytes,
                      qint64 maxLineBytes = MaxLineBytes);

// Reads a whole text file into lines within the usual bounds; nothing when it
// cannot be opened or is over a bound.
std::optional<QStringList> readLines(const QString &path);

// Writes every line followed by CR LF, through a temporary file beside the
// target that is renamed over it only once complete: a write that fails
// leaves the previous file as it was. Returns false on any failure.
bool writeLines(const QString &path, const QStringList &lines);

} // namespace TextFile
