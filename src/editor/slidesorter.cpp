#include "editor/slidesorter.h"

#include "captions/captioncontroller.h"
#include "editor/applyslideorder.h"
#include "editor/frmvisionneuse.h"
#include "editor/slidedisplay.h"
#include "project/slideshowproject.h"
#include "widgets/picturebutton.h"

SlideSorter::SlideSorter(PictureButton *imgVisionneuse, SlideshowProject &project,
                         const AppContext &context, CaptionController &captions,
                         SlideDisplay &display, QWidget *window)
    : m_project(project)
    , m_context(context)
    , m_captions(captions)
    , m_display(display)
    , m_window(window)
{
    connect(imgVisionneuse, &PictureButton::released, this, &SlideSorter::OpenSlideSorter);
}

SlideSorter::~SlideSorter() { delete m_sorter; }

FrmVisionneuse &SlideSorter::sorter()
{
    if (!m_sorter)
        m_sorter = new FrmVisionneuse(m_context, m_window);
    return *m_sorter;
}

void SlideSorter::OpenSlideSorter()
{
    if (!m_project.loaded)
        return;
    m_captions.storeCaption();
    const auto order = sorter().chooseOrder(m_project);
    if (order && ApplySlideOrder(m_project, *order, m_context.platform))
        m_display.ShowCurrentSlide();
}
