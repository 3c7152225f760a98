#pragma once

#include <QString>
#include <QStringList>

// Fills the application folder from its pristine copy: creates it when it is
// missing and copies in every pristine file that it lacks, in subfolders too.
// A file already there is the user's and is never overwritten, whatever its
// content. The result says exactly what was added and what could not be.
class AppDirFill
{
public:
    enum class Outcome {
        Complete,        // every pristine file is now present in the application folder
        PristineMissing, // no pristine folder to fill from; nothing was touched
        AppDirUnusable,  // the application folder is not a folder or cannot be created
        Incomplete,      // some files or folders could not be filled in (see failed)
    };

    static AppDirFill run(const QString &pristineDir, const QString &appDir);

    bool complete() const { return outcome == Outcome::Complete; }
    // The French text that tells the user what went wrong; empty when complete.
    QString userMessage() const;
    // The text for a pristine folder found in none of the places searched.
    static QString pristineMissingMessage(const QStringList &searched);

    Outcome outcome = Outcome::Complete;
    QString pristineDir;
    QString appDir;
    QStringList added;  // paths relative to appDir of the files copied in, in order
    QStringList failed; // relative paths that could not be filled in; folders end in "/"
};
