#pragma once

#include "platform/appcontext.h"

#include <QObject>

#include <functional>

class QPushButton;
class QTextEdit;
struct SlideshowProject;

// cmdFinaliser: finalises the open slideshow. Afterwards no project is open:
// the caption editor is emptied and the window is told, the last slide
// staying in view.
class FinaliseCommand : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QPushButton *cmdFinaliser = nullptr;
        QTextEdit *richtxtTexteInfo = nullptr;
    };

    // projectClosed: run once a finalisation has closed the project.
    FinaliseCommand(const Controls &controls, SlideshowProject &project, const AppContext &context,
                    std::function<void()> projectClosed);

    void finalise();

private:
    Controls m_controls;
    SlideshowProject &m_project;
    AppContext m_context;
    std::function<void()> m_projectClosed;
};
