#pragma once

#include <QString>

#include <optional>

// A project's place on disk: its folder (no trailing separator needed) and its
// name, the stem of its files.
struct ProjectLocation
{
    QString folder;
    QString name;
};

// What the open dialog hands back.
struct OpenChoice
{
    enum class Kind {
        Project, // a project file was chosen: open it
        Reopen,  // nothing new was chosen and a project is open: read it again
        Nothing, // nothing was chosen and no project is open
    };
    Kind kind = Kind::Nothing;
    ProjectLocation project; // with Project only
};

// What the project life cycle asks of the window around it. The window owns
// the dialogs, the slide display and the caption editor; the life cycle owns
// the project's files.
class LifeCycleWindow
{
public:
    virtual ~LifeCycleWindow() = default;

    // Shows the open dialog. projectLoaded decides what a cancel means.
    virtual OpenChoice chooseProjectToOpen(bool projectLoaded) = 0;
    // Shows the save-as dialog; nothing when it was cancelled.
    virtual std::optional<ProjectLocation> chooseSaveAsTarget() = 0;

    // Stores the caption being edited into its slide line and the header
    // box's text into the project's header.
    virtual void storeEdits() = 0;
    // Shows the slide at the project's currentSlide.
    virtual void showCurrentSlide() = 0;
    // The project's name, slide count or loaded state changed: labels and
    // the hint of an empty window follow.
    virtual void projectChanged() = 0;
    // Puts the default project back from its pristine copy, asking first.
    virtual void restoreDefaultTemplate() = 0;
    // Ends the program at once: nothing more is done to the project.
    virtual void endProcess() = 0;

    // A copy of many files is under way: done of total files are handled.
    // Called with done == total when it ends.
    virtual void copyProgress(const QString &label, int done, int total) = 0;
};
