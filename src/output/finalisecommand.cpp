#include "output/finalisecommand.h"

#include "output/finalisation.h"

#include <QPushButton>
#include <QTextEdit>

FinaliseCommand::FinaliseCommand(const Controls &controls, SlideshowProject &project,
                                 const AppContext &context, std::function<void()> projectClosed)
    : m_controls(controls)
    , m_project(project)
    , m_context(context)
    , m_projectClosed(std::move(projectClosed))
{
    connect(controls.cmdFinaliser, &QPushButton::clicked, this, &FinaliseCommand::finalise);
}

void FinaliseCommand::finalise()
{
    if (FinaliseSlideshow(m_project, m_context.appDir, m_context.platform)
        != FinalisationOutcome::Finalised)
        return;
    m_controls.richtxtTexteInfo->clear();
    if (m_projectClosed)
        m_projectClosed();
}
