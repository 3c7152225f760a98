#include "output/outputcommands.h"

#include "output/pageview.h"
#include "output/slideshowgeneration.h"
#include "widgets/picturebutton.h"

OutputCommands::OutputCommands(const Controls &controls, SlideshowProject &project,
                               const AppContext &context)
    : m_project(project)
    , m_context(context)
{
    connect(controls.imgVisual, &PictureButton::released, this, &OutputCommands::generate);
    connect(controls.imgVisuHTML, &PictureButton::released, this, &OutputCommands::viewPage);
}

void OutputCommands::generate()
{
    GenerateSlideshow(m_project, m_context.appDir, m_context.platform);
}

void OutputCommands::viewPage() { viewGeneratedPage(m_project, m_context.platform); }
