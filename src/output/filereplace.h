#pragma once

#include <QString>

// Copies one file over another without ever leaving the destination half
// written or missing: the bytes go to a temporary file beside the destination,
// which is renamed over it only once complete. Whatever goes wrong, the
// previous destination file stays as it was.
namespace FileReplace {

enum class Outcome {
    Replaced,        // the destination now holds a copy of the source
    AlreadyInPlace,  // source and destination are the same file: nothing to do
    SourceMissing,   // the source could not be opened for reading
    WriteFailed,     // the copy could not be written; the destination is untouched
};

Outcome copyOver(const QString &source, const QString &destination);

// True when the outcome leaves the destination holding the source's content.
inline bool succeeded(Outcome outcome)
{
    return outcome == Outcome::Replaced || outcome == Outcome::AlreadyInPlace;
}

} // namespace FileReplace
