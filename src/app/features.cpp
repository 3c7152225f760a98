#include "app/features.h"

#include "app/frmprincipal.h"
#include "captions/captioncommands.h"
#include "captions/captioncontroller.h"
#include "editor/frmcouleur.h"
#include "editor/helpcommands.h"
#include "editor/slidedisplay.h"
#include "output/outputcommands.h"
#include "output/templatecommands.h"

#include <QCheckBox>

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
    m_slideDisplay = std::make_unique<SlideDisplay>(
        SlideDisplay::Controls{w.imgDiapo, w.txtNumDiapo, w.cmdDiapo, w.lblLongueur, w.lblLargeur,
                               w.chkAjuster},
        w.project, *m_captions);
    m_helpCommands = std::make_unique<HelpCommands>(
        HelpCommands::Controls{w.imgHelp, w.imgDidact, w.imgInfo}, m_context, &w);
    m_outputCommands = std::make_unique<OutputCommands>(
        OutputCommands::Controls{w.imgVisual, w.imgVisuHTML}, w.project, m_context);
    m_templateCommands = std::make_unique<TemplateCommands>(
        TemplateCommands::Controls{w.imgModele, w.cmdChangerModele}, w.project, m_context, &w);
}

Features::~Features() { delete m_colourPicker; }

FrmCouleur &Features::colourPicker()
{
    if (!m_colourPicker)
        m_colourPicker = new FrmCouleur(m_context, &m_window);
    return *m_colourPicker;
}
