#pragma once

#include <QString>

struct AppContext;
class BrowseFolderList;
class DriveList;
class HelpButton;
class PatternFileList;
class QDialog;
class QPushButton;
class QVBoxLayout;

// The controls the open and save-as dialogs share. Each dialog derives from
// it, so that its controls carry the same names in both.
struct ChooserControls
{
    DriveList *drives = nullptr;         // Drive1
    BrowseFolderList *folders = nullptr; // Dir1
    PatternFileList *files = nullptr;    // File1, "*.lmv"
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdAnnuler = nullptr;
    HelpButton *cmdHelp = nullptr;
};

// The shared controls laid out in the dialog: the drive list over the folder
// tree and the project files, then the help, OK and Annuler buttons. A
// dialog adds rows of its own above them.
struct ChooserGrid
{
    ChooserGrid(QDialog *dialog, const AppContext &context, const QString &helpPage);

    QVBoxLayout *rows = nullptr;
    ChooserControls controls;
};
