#pragma once

#include "platform/appcontext.h"
#include "project/choosergrid.h"
#include "project/lifecyclewindow.h"

#include <QDialog>

#include <optional>

class FolderBrowser;
class QLineEdit;

// The save-as dialog: the user names the project and picks its folder. It
// checks the name, refuses the application folder and the reserved names,
// asks before an existing project is written over, and creates a folder on
// a right click in the folder tree. Created once and only hidden between
// uses, so that it opens again where it was left.
class FrmSauverSous : public QDialog, public ChooserControls
{
    Q_OBJECT
public:
    explicit FrmSauverSous(const AppContext &context, QWidget *parent = nullptr);

    // Shows the dialog modally; the name (without extension) and the folder
    // chosen, or nothing when the save-as was cancelled.
    std::optional<ProjectLocation> choose();

    QLineEdit *nameBox = nullptr; // Text1

public slots:
    void reject() override; // cmdAnnuler, Escape and the window's close button

protected:
    void changeEvent(QEvent *event) override;

private:
    void okPressed();
    void createFolder();

    AppContext m_context;
    FolderBrowser *m_browser = nullptr;
    std::optional<ProjectLocation> m_result;
};
