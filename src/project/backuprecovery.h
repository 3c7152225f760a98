#pragma once

#include "project/replacementjournal.h"

#include <QString>

// What a start does with a backup set that a previous run left behind. A run
// that ends normally either discards its set (save) or puts it back (revert),
// so a set that still names its project means that run was cut short (killed,
// power lost) while the project folder may hold half-made, unsaved changes.
// Run only while holding the single-instance lock: the set must not be that
// of a Lumivue still running.
namespace BackupRecovery {

enum class Outcome {
    Nothing,  // no set with an owner, or its project is gone: nothing touched
    Reverted, // the project was put back as it was last opened or saved
    Partial,  // some files could not be put back; the set keeps them
    SaveKept, // the run was cut short after writing a save: the save stands
};

struct Result
{
    Outcome outcome = Outcome::Nothing;
    QString projectFile; // the project concerned
    // A save as or a change of page design cut short, settled first.
    ReplacementJournal::Recovered journal;
};

Result run(const QString &backupRoot);

// The text that tells the user what was done, the journal's first; empty when nothing was.
QString message(const Result &result);

} // namespace BackupRecovery
