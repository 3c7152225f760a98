#pragma once

#include "project/fileops.h"

#include <QList>
#include <QString>
#include <QStringList>

class Platform;

// Puts the first page design back: the default project and its companions are
// copied from the pristine set in AppDir/Restaurer over those of AppDir.
namespace DefaultTemplate {

// The pristine files, in the order they are restored.
const QStringList &restoredFiles();

struct FileResult
{
    QString fileName;
    FileOps::Result outcome;
};

struct RestoreResult
{
    enum class Outcome {
        Declined,       // the user answered No: nothing changed
        Restored,       // every pristine file is back in AppDir
        PartlyRestored, // some files could not be restored; they kept their old content
    };
    Outcome outcome = Outcome::Declined;
    QList<FileResult> failures; // the files that could not be restored, in order
};

// The file step alone: copies every pristine file over its AppDir namesake,
// each through a temporary file so that a failure keeps the old one.
// Returns the files that could not be restored.
QList<FileResult> restoreFiles(const QString &appDir);

// The text telling the user which files could not be restored.
QString failureText(const QList<FileResult> &failures);

// Asks for confirmation, restores, and tells the user about any file that
// could not be restored.
RestoreResult RestoreDefaultTemplate(Platform &platform, const QString &appDir);

} // namespace DefaultTemplate
