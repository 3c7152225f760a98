#include "output/filereplace.h"

#include "project/fileops.h"

namespace FileReplace {

Outcome copyOver(const QString &source, const QString &destination)
{
    // The storage's copy already writes beside the target and renames it
    // into place, and leaves a file copied onto itself alone.
    switch (FileOps::copy(source, destination)) {
    case FileOps::Result::Done: return Outcome::Replaced;
    case FileOps::Result::AlreadyInPlace: return Outcome::AlreadyInPlace;
    case FileOps::Result::Missing: return Outcome::SourceMissing;
    default: return Outcome::WriteFailed;
    }
}

} // namespace FileReplace
