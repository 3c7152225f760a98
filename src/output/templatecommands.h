#pragma once

#include "platform/appcontext.h"

#include <QObject>

class PictureButton;
class QPushButton;
class QWidget;
struct SlideshowProject;

// The main window's template commands: imgModele puts the default template
// back, cmdChangerModele opens the template chooser and puts the chosen
// template in place.
class TemplateCommands : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        PictureButton *imgModele = nullptr;
        QPushButton *cmdChangerModele = nullptr;
    };

    // window: the parent of the chooser.
    TemplateCommands(const Controls &controls, const SlideshowProject &project,
                     const AppContext &context, QWidget *window);

    // Release of imgModele: restores the default template, except while the
    // default project itself is open.
    void restoreRequested();
    // cmdChangerModele: shows the template chooser modally (it is destroyed
    // when it closes), then replaces the template as chosen and tells the
    // user what could not be replaced.
    void chooseTemplate();

signals:
    // The template page changed (restored or replaced), so the page design
    // of every later slideshow did.
    void templateChanged();

private:
    const SlideshowProject &m_project;
    AppContext m_context;
    QWidget *m_window;
};
