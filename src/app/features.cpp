#include "app/features.h"

#include "app/frmprincipal.h"
#include "captions/captioncommands.h"
#include "captions/captioncontroller.h"
#include "capture/screencapture.h"
#include "editor/frmcouleur.h"
#include "output/outputcommands.h"
#include "output/templatecommands.h"

Features::Features(FrmPrincipal &window, const AppContext &context)
    : m_window(window)
    , m_context(context)
{
    FrmPrincipal &w = window;
    m_captions = std::make_unique<CaptionController>(
        CaptionController::Controls{w.richtxtTexteInfo, w.txtTexteInfo}, w.project);
    m_captionCommands = std::make_unique<CaptionCommands>(
        CaptionCommands::Controls{w.richtxtTexteInfo, w.txtTexteInfo, w.cmdRich, w.comboPolice,
                                  w.comboTaille, w.CopierColler, w.Copier, w.Coller},
        w.project, *m_captions, [this] { return colourPicker().choose(); });
    m_outputCommands = std::make_unique<OutputCommands>(
        OutputCommands::Controls{w.imgVisual, w.imgVisuHTML}, w.project, m_context);
    m_templateCommands = std::make_unique<TemplateCommands>(
        TemplateCommands::Controls{w.imgModele, w.cmdChangerModele}, w.project, m_context, &w);
    // Until the slide display is wired, no slide is shown after an import and
    // the capture size proposed is 600 x 350.
    m_screenCapture = std::make_unique<ScreenCapture>(
        ScreenCapture::Controls{w.imgCapturer, w.lblNbDiapo}, w.project, m_context, w,
        ScreenCapture::SlideView{});
}

Features::~Features() { delete m_colourPicker; }

FrmCouleur &Features::colourPicker()
{
    if (!m_colourPicker)
        m_colourPicker = new FrmCouleur(m_context, &m_window);
    return *m_colourPicker;
}
