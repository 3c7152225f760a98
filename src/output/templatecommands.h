#pragma once

#include <QObject>
#include <QString>

class FrmPrincipal;
class Platform;
class QWidget;
struct SlideshowProject;

// The main window's template commands: imgModele puts the default template
// back, cmdChangerModele opens the template chooser.
class TemplateCommands : public QObject
{
    Q_OBJECT
public:
    // Hooks the commands to the main window's controls; owned by the window.
    explicit TemplateCommands(FrmPrincipal &window);
    // The commands alone, for a window that connects them itself.
    TemplateCommands(Platform &platform, QString appDir, const SlideshowProject &project,
                     QWidget *window);

    // Release of imgModele: restores the default template, except while the
    // default project itself is open.
    void restoreRequested();
    // cmdChangerModele: shows the template chooser modally; it is destroyed
    // when it closes.
    void chooseTemplate();

private:
    Platform &m_platform;
    QString m_appDir;
    const SlideshowProject &m_project;
    QWidget *m_window;
};
