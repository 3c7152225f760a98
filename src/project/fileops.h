#pragma once

#include <QFile>
#include <QString>

// The file steps of the project storage. Every step that writes a file writes
// it beside its target first and renames it into place once complete, so a
// target is either its old self or its new self, never half written or missing.
namespace FileOps {

enum class Result {
    Done,           // the step did what was asked
    AlreadyInPlace, // source and target are the same file: nothing to do
    Missing,        // the source (or the file to delete) cannot be opened for reading
    Failed,         // the target could not be written, or the file not removed; nothing changed
    SourceKept,     // move only: the target is in place but the source could not be removed
};

// True when the target now holds the source's content.
bool succeeded(Result result);

// Only regular files (or links to one) are ever read, copied, moved or
// deleted here: a FIFO, a device, a socket or a folder in a file's place
// counts as missing, since opening some of them waits for a writer forever.
bool isRegularFile(const QString &path);

// Opens file (named already) for reading when it is a regular file, without
// ever waiting on anything else; extra adds open flags such as Unbuffered.
bool openForReading(QFile &file, QIODevice::OpenMode extra = {});

// True when both paths name one existing file (through links, or by two names).
bool isSameFile(const QString &a, const QString &b);

// A file exists when it is a regular file that can be opened for reading.
bool exists(const QString &path);

// Copies source over target, replacing it if it exists.
Result copy(const QString &source, const QString &target);

// Copies source straight into target, as cp does: quicker than copy() over an
// existing file, but a failure leaves no target at all (it is deleted). Only
// for targets that nothing relies on while they are written.
Result copyDirect(const QString &source, const QString &target);

// Writes bytes to target through a temporary file beside it. Unlike a save
// through QSaveFile it does not wait for the disk: on a file system that
// orders data, forcing one small file out would wait for every file written
// before it.
Result write(const QString &target, const QByteArray &bytes);

// Deletes a file; never a folder.
Result remove(const QString &path);

// Moves source to target, replacing it if it exists. A rename where possible;
// across file systems a copy beside the target, checked byte for byte against
// the source, renamed into place, and only then the source deleted.
Result move(const QString &source, const QString &target);

// Gives a file a new name in the same file system, never replacing an entry
// that already has that name and never copying: false when the name is taken
// or the rename is refused, and nothing has changed.
bool renameNew(const QString &source, const QString &target);

} // namespace FileOps
