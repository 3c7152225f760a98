// The feature controllers of the main window. Each feature folder provides a
// controller that connects itself to the window's public controls; it is
// created here, once, after the window's start-up, and owned by the window.
#include "app/frmprincipal.h"
#include "captions/captioncontroller.h"
#include "captions/captioncommands.h"
#include "output/outputcommands.h"
#include "output/templatecommands.h"

void FrmPrincipal::connectFeatures()
{
    new CaptionController(*this);
    new OutputCommands(*this);
    new CaptionCommands(*this);
    new TemplateCommands(*this);
}
