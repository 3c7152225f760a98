#include "output/outputcommands.h"

#include "app/frmprincipal.h"
#include "widgets/picturebutton.h"
#include "output/pageview.h"
#include "output/slideshowgeneration.h"

OutputCommands::OutputCommands(FrmPrincipal &window)
    : QObject(&window)
    , m_window(window)
{
    connect(window.imgVisual, &PictureButton::released, this, &OutputCommands::generate);
    connect(window.imgVisuHTML, &PictureButton::released, this, &OutputCommands::viewPage);
}

void OutputCommands::generate()
{
    GenerateSlideshow(m_window.project, m_window.appDir(), m_window.platform());
}

void OutputCommands::viewPage()
{
    ViewGeneratedPage(m_window.project, m_window.platform());
}
