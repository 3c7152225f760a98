#pragma once

#include <QString>
#include <QStringList>

// Several files that one operation replaces as one: a save as (every file of
// the copy) or a change of page design (the page and its frame pictures).
// Each new file is first written whole where no one looks (a hidden staging
// folder beside the targets, or a hidden name beside each target), then
// renamed over its target. A record in the backup root says where the new
// files are and which targets they replace, so that a run cut short is
// settled at the next start: before every new file was whole, they are
// deleted and the targets stay as they were; after, the renames are finished.
// Nothing but the record, the staging folder and the hidden new files is ever
// deleted, and a target is only ever replaced by its new file.
class ReplacementJournal
{
public:
    enum class Kind {
        SaveAs,   // about: the base path of the project being saved
        Template, // about: the name of the template being put in place
    };

    ReplacementJournal(const QString &backupRoot, Kind kind, QString about);

    // A new name for a staging folder in folder, not yet created.
    static QString newStaging(const QString &folder);
    // Where the new file for target is written when there is no staging folder.
    static QString besideTarget(const QString &target);

    // Before the first new file is written: the staging folder (empty when
    // none), made here, and the targets known so far, whose new files a start
    // cut short deletes. False when the record cannot be written or the folder
    // made: then write nothing.
    bool begin(const QString &staging, const QStringList &targets);
    // Once every new file is whole: from now on the targets are to be replaced.
    bool commit(const QStringList &targets);
    // Renames every new file over its target, then deletes the staging folder
    // and the record. The targets that could not be replaced are returned.
    QStringList finish();
    // Deletes every new file not yet in place, the staging folder and the record.
    void abandon();

    enum class Outcome {
        Nothing,       // no record: no operation was cut short
        RolledBack,    // the new files were deleted; the targets are as before
        RolledForward, // every target now holds its new file
        Partial,       // some new files could not be put in place; the record stays
        Refused,       // a record naming files Lumivue did not make: only it was deleted
    };
    struct Recovered
    {
        Outcome outcome = Outcome::Nothing;
        Kind kind = Kind::SaveAs;
        QString about;
    };
    // Settles an operation that a previous run left unfinished.
    static Recovered recover(const QString &backupRoot);
    // The text that tells the user what was done; empty when nothing was.
    static QString message(const Recovered &recovered);

private:
    bool write(const char *phase, const QStringList &targets);

    QString m_path;
    Kind m_kind;
    QString m_about;
    QString m_staging;
    QStringList m_targets;
};
