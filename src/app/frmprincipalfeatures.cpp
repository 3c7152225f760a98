// The feature controllers of the main window. Each feature folder provides a
// controller that connects itself to the window's public controls; it is
// created here, once, after the window's start-up, and owned by the window.
#include "app/frmprincipal.h"
#include "captions/captioncontroller.h"
#include "captions/captioncommands.h"
#include "editor/helpcommands.h"
#include "editor/slidedisplay.h"
#include "output/outputcommands.h"
#include "output/templatecommands.h"

#include <QCheckBox>

void FrmPrincipal::connectFeatures()
{
    auto *captions = new CaptionController(*this);
    new SlideDisplay({imgDiapo, txtNumDiapo, cmdDiapo, lblLongueur, lblLargeur, chkAjuster, txtTexteInfo},
                     {&project, &showingCaption, &slideNumberArmed, &displayWidthLimit,
                      &displayHeightLimit},
                     [captions] { captions->storeCaption(); }, this);
    new HelpCommands({imgHelp, imgDidact, imgInfo}, m_platform, m_appDir, this);
    new OutputCommands(*this);
    new CaptionCommands(*this);
    new TemplateCommands(*this);
}
