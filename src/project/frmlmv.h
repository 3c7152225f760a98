#pragma once

#include "platform/appcontext.h"
#include "project/lifecyclewindow.h"

#include <QDialog>

class BrowseFolderList;
class DriveList;
class FolderBrowser;
class HelpButton;
class PatternFileList;
class QPushButton;

// The open dialog: the user picks a project file. Created once and only
// hidden between uses, so that it opens again where it was left; the first
// time it shows the process's current folder.
class FrmLmv : public QDialog
{
    Q_OBJECT
public:
    explicit FrmLmv(const AppContext &context, QWidget *parent = nullptr);

    // Shows the dialog modally and hands back the choice. With a project
    // loaded, a cancel (or OK without a file) means reading it again.
    OpenChoice choose(bool projectLoaded);

    DriveList *drives = nullptr;         // Drive1
    BrowseFolderList *folders = nullptr; // Dir1
    PatternFileList *files = nullptr;    // File1
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdAnnuler = nullptr;
    HelpButton *cmdHelp = nullptr;

public slots:
    void reject() override; // cmdAnnuler, Escape and the window's close button

protected:
    void changeEvent(QEvent *event) override;

private:
    void okPressed();
    OpenChoice unchanged() const;

    FolderBrowser *m_browser = nullptr;
    bool m_projectLoaded = false;
    OpenChoice m_choice;
};
