#pragma once

#include <QString>

class Platform;
class QTextStream;

// Generation of a project's slideshow from the command line, without a
// window: the project file is read, the page, script and sound are written by
// the same code as the main window's command, and the browser is not opened.
// The backup set is never touched, so a running Lumivue is not disturbed.
namespace HeadlessGeneration {

// Process exit codes, one per kind of failure.
enum ExitCode : int {
    Generated = 0,
    // 1 and 2 are the command line's own (start failed, bad option).
    NoSuchFile = 3,      // the file does not exist or cannot be read
    NotAProject = 4,     // not a .lmv project, one without slides, or one too large
    RefusedUnnamed = 5,  // the default project "Nouveau"
    TemplateProblem = 6, // a template of appDir is missing or incomplete
    SoundMissing = 7,    // the sound of appDir is missing
    WriteFailed = 8,     // the project folder cannot be written
};

// Generates the slideshow of projectFile with the templates of appDir.
// Failures go to the platform's message boxes; the files written are listed
// on out, one "Écrit : path" line each. Slides whose picture is missing are
// named in a warning through the platform too, and the run still counts as
// Generated: the page is written, only those pictures will not show.
ExitCode run(const QString &projectFile, const QString &appDir, Platform &platform,
             QTextStream &out);

} // namespace HeadlessGeneration
