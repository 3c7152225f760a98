#pragma once

#include "platform/appcontext.h"
#include "project/lifecyclewindow.h"
#include "project/projectlifecycle.h"

#include <QObject>
#include <QPointer>

#include <functional>

class FrmLmv;
class FrmSauverSous;
class PictureButton;
class QLabel;
class QLineEdit;
class QProgressDialog;
class QWidget;
struct SlideshowProject;

// The main window's project commands: imgNew, imgFichier, imgSave,
// imgSaveSous and imgQuitter, the header box, and the open and save-as
// dialogs, which are created on first use and only hidden between uses.
// What belongs to other features reaches it through the hooks.
class LifeCycleCommands : public QObject, private LifeCycleWindow
{
    Q_OBJECT
public:
    struct Controls
    {
        PictureButton *imgNew, *imgFichier, *imgSave, *imgSaveSous, *imgQuitter;
        QLineEdit *txtEntete;
        QLabel *lblNomDiapo, *lblNbDiapo;
        QWidget *window; // parent of the dialogs
    };
    struct Hooks
    {
        std::function<void()> storeCaption; // the caption being edited into its slide line
        std::function<void()> showCurrentSlide;
        std::function<void()> restoreDefaultTemplate; // asks first
        std::function<void()> endProcess;             // no revert after it
        std::function<void()> projectChanged;         // loaded, name or count changed
    };

    LifeCycleCommands(const Controls &controls, SlideshowProject &project,
                      const AppContext &context, Hooks hooks);
    ~LifeCycleCommands() override;

    ProjectLifeCycle &lifeCycle() { return m_life; }
    FrmLmv &openDialog();
    FrmSauverSous &saveAsDialog();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    OpenChoice chooseProjectToOpen(bool projectLoaded) override;
    std::optional<ProjectLocation> chooseSaveAsTarget() override;
    void storeEdits() override;
    void showCurrentSlide() override;
    void projectChanged() override;
    void restoreDefaultTemplate() override;
    void endProcess() override;
    void copyProgress(const QString &label, int done, int total) override;

    Controls m_controls;
    SlideshowProject &m_project;
    AppContext m_context;
    Hooks m_hooks;
    ProjectLifeCycle m_life;
    QPointer<FrmLmv> m_openDialog;
    QPointer<FrmSauverSous> m_saveAsDialog;
    QPointer<QProgressDialog> m_progress;
    bool m_copying = false;
};
