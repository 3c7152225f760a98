#include "project/lifecyclecommands.h"

#include "project/frmlmv.h"
#include "project/frmsauversous.h"
#include "project/slideshowproject.h"
#include "widgets/picturebutton.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>

LifeCycleCommands::LifeCycleCommands(const Controls &controls, SlideshowProject &project,
                                     const AppContext &context, Hooks hooks)
    : QObject(controls.window)
    , m_controls(controls)
    , m_project(project)
    , m_context(context)
    , m_hooks(std::move(hooks))
    , m_life(project, context.platform, *this, context.appDir, context.backupRoot)
{
    connect(controls.imgNew, &PictureButton::released, this, [this] { m_life.NewProject(); });
    connect(controls.imgFichier, &PictureButton::released, this, [this] { m_life.openPressed(); });
    connect(controls.imgSave, &PictureButton::released, this, [this] { m_life.savePressed(); });
    connect(controls.imgSaveSous, &PictureButton::released, this,
            [this] { m_life.saveAsPressed(); });
    connect(controls.imgQuitter, &PictureButton::released, this, [this] { m_life.quitPressed(); });
    controls.txtEntete->installEventFilter(this);
}

LifeCycleCommands::~LifeCycleCommands() = default;

bool LifeCycleCommands::eventFilter(QObject *watched, QEvent *event)
{
    // The header is taken, and the project marked changed, whenever the box
    // loses the focus, whether its text changed or not.
    // A message box or another window taking the front is no leaving: the
    // box gets the focus back when it returns (a save's own message would
    // otherwise mark the project changed again).
    if (watched == m_controls.txtEntete && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_life.headerLeft(m_controls.txtEntete->text());
    }
    return QObject::eventFilter(watched, event);
}

FrmLmv &LifeCycleCommands::openDialog()
{
    if (!m_openDialog)
        m_openDialog = new FrmLmv(m_context, m_controls.window);
    return *m_openDialog;
}

FrmSauverSous &LifeCycleCommands::saveAsDialog()
{
    if (!m_saveAsDialog)
        m_saveAsDialog = new FrmSauverSous(m_context, m_controls.window);
    return *m_saveAsDialog;
}

OpenChoice LifeCycleCommands::chooseProjectToOpen(bool projectLoaded)
{
    return openDialog().choose(projectLoaded);
}

std::optional<ProjectLocation> LifeCycleCommands::chooseSaveAsTarget()
{
    return saveAsDialog().choose();
}

void LifeCycleCommands::storeEdits()
{
    if (m_hooks.storeCaption)
        m_hooks.storeCaption();
    m_project.header = m_controls.txtEntete->text();
}

void LifeCycleCommands::showCurrentSlide()
{
    if (m_hooks.showCurrentSlide)
        m_hooks.showCurrentSlide();
}

void LifeCycleCommands::projectChanged()
{
    m_controls.lblNomDiapo->setText(m_project.name);
    m_controls.lblNbDiapo->setText(QString::number(m_project.slideCount));
    m_controls.txtEntete->setText(m_project.header);
    if (m_hooks.projectChanged)
        m_hooks.projectChanged();
}

void LifeCycleCommands::restoreDefaultTemplate()
{
    if (m_hooks.restoreDefaultTemplate)
        m_hooks.restoreDefaultTemplate();
}

void LifeCycleCommands::endProcess()
{
    if (m_hooks.endProcess)
        m_hooks.endProcess();
}

void LifeCycleCommands::copyProgress(const QString &label, int done, int total)
{
    // Shown only when the copy is expected to last more than half a second;
    // once shown, each step lets the windows repaint.
    if (!m_progress) {
        m_progress = new QProgressDialog(m_controls.window);
        m_progress->setWindowTitle(QStringLiteral("Lumivue"));
        m_progress->setMinimumWidth(420);
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setCancelButton(nullptr);
        m_progress->setMinimumDuration(500);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
    }
    if (!m_copying) {
        // A new copy: the half second counts from here.
        m_copying = true;
        m_progress->setLabelText(label);
        m_progress->setRange(0, total);
        m_progress->setValue(0);
    }
    m_progress->setValue(done);
    if (done >= total) {
        m_copying = false;
        m_progress->reset();
        m_progress->hide();
    }
}
