#pragma once

#include <QString>
#include <QStringList>

// Lumivue's command line. Started from the desktop it takes no argument and
// opens its window; options are for scripts. Parsing needs no application
// object, so that an option can be answered without a display.
// To add an option: declare it in parse(), give it an Action and the fields
// it needs, and describe it in both languages.
class CommandLine
{
public:
    enum class Action {
        OpenWindow, // no option: the usual start
        ShowHelp,   // --help: print text on standard output
        Invalid,    // unknown option or stray argument: print text on standard error
        Generate,   // --generate FILE: write a project's slideshow, no window
    };

    // arguments: as QCoreApplication::arguments() would give them, the
    // program's path first.
    static CommandLine parse(const QStringList &arguments);

    // The process exit code that goes with the action when it ends the run.
    int exitCode() const { return action == Action::Invalid ? 2 : 0; }

    Action action = Action::OpenWindow;
    QString text;
    QString projectFile; // with Generate: the project file, as given
};
