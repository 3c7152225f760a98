#include "editor/helpcommands.h"

#include "platform/helppage.h"
#include "project/frminfo.h"
#include "widgets/picturebutton.h"

HelpCommands::HelpCommands(const Controls &controls, const AppContext &context, QWidget *window)
    : m_context(context)
    , m_window(window)
{
    connect(controls.imgHelp, &PictureButton::released, this,
            [this] { OpenHelpPage(m_context, QStringLiteral("Aide/AideCD.htm")); });
    connect(controls.imgDidact, &PictureButton::released, this,
            [this] { OpenHelpPage(m_context, QStringLiteral("Exemples/Didacticiel.htm")); });
    connect(controls.imgInfo, &PictureButton::released, this, &HelpCommands::showAbout);
}

void HelpCommands::showAbout()
{
    // It deletes itself when closed.
    (new FrmInfo(m_context.appDir, m_window))->exec();
}
