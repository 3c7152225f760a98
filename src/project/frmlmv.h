#pragma once

#include "platform/appcontext.h"
#include "project/choosergrid.h"
#include "project/lifecyclewindow.h"

#include <QDialog>

class FolderBrowser;

// The open dialog: the user picks a project file. Created once and only
// hidden between uses, so that it opens again where it was left; the first
// time it shows the process's current folder.
class FrmLmv : public QDialog, public ChooserControls
{
    Q_OBJECT
public:
    explicit FrmLmv(const AppContext &context, QWidget *parent = nullptr);

    // Shows the dialog modally and hands back the choice. With a project
    // loaded, a cancel (or OK without a file) means reading it again.
    OpenChoice choose(bool projectLoaded);

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
