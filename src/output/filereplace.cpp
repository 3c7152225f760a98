#include "output/filereplace.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileReplace {

namespace {

bool isSameFile(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

} // namespace

Outcome copyOver(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return Outcome::SourceMissing;
    // Copying a file onto itself through a temporary file would work, but it
    // is pointless and would needlessly rewrite the only copy.
    if (isSameFile(source, destination))
        return Outcome::AlreadyInPlace;

    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return Outcome::WriteFailed;
    constexpr qint64 chunkSize = 64 * 1024;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(chunkSize);
        // Short of the end, an empty read can only be a read error.
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            break;
        }
    }
    return out.commit() ? Outcome::Replaced : Outcome::WriteFailed;
}

} // namespace FileReplace
