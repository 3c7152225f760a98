#pragma once

#include "project/lifecyclewindow.h"
#include "project/projectstorage.h"

#include <QString>

#include <cstdint>

class Platform;
struct SlideshowProject;

// The life of the open slideshow: new, open, save, save as and quit, with the
// questions about unsaved work. The project is edited in place in its folder
// and the backup set holds it as it was last opened or saved: saving discards
// the backup and writes the project file, declining to save puts the backup
// back. Every question and message goes through the platform; everything else
// the window does (dialogs, slide display, caption editor) through
// LifeCycleWindow.
class ProjectLifeCycle
{
public:
    ProjectLifeCycle(SlideshowProject &project, Platform &platform, LifeCycleWindow &window,
                     QString appDir, QString backupRoot);

    // Starts a new slideshow from the default project "Nouveau" of the
    // application folder, restoring that project first when it is missing.
    void NewProject();
    // Loads the project given by the project's name and folder. A file that
    // cannot be read or is not a project is reported and opens nothing: the
    // project's fields stay as they were. True when the file was read.
    bool OpenProject();
    // Writes the open project over its project file and discards its backup
    // set. A file that cannot be written is reported; the backup stays and
    // the project stays unsaved. True when written.
    bool SaveProject();
    // Asks for a new name and folder and moves the work there.
    void SaveProjectAs();
    // Asks for confirmation and about unsaved work, then ends the program.
    void QuitApplication();

    // The main window's commands.
    void openPressed();
    void savePressed();
    void saveAsPressed();
    void quitPressed();
    void headerLeft(const QString &text);

    // Opens a project file named when the program starts, as if it had been
    // chosen in the open dialog.
    void openFile(const QString &filePath);

    ProjectStorage &storage() { return m_storage; }

private:
    // Who the open project is; what a switch to another project puts back when it fails.
    struct Identity
    {
        QString folder, name, basePath;
        bool loaded = false;
        std::int16_t currentSlide = 0;
    };
    // What became of changed work before a switch to another project.
    enum class Settled {
        Kept,
        Saved,
        Reverted,
        Stopped
    };
    enum class Question {
        New,
        Open
    };

    Settled settleChangedWork(Question question);
    bool openAt(const ProjectLocation &location);
    void backToPrevious(const Identity &previous, Settled settled);
    bool copyProjectAs(const ProjectLocation &target);
    void takeBackup();
    void reportCancelledSave();
    Identity identity() const;
    void restore(const Identity &identity);

    SlideshowProject &m_project;
    Platform &m_platform;
    LifeCycleWindow &m_window;
    QString m_appDir;
    ProjectStorage m_storage;
};
