#include "editor/helpcommands.h"

#include "app/picturebutton.h"
#include "editor/helppages.h"
#include "project/frminfo.h"

HelpCommands::HelpCommands(const Buttons &buttons, Platform &platform, QString appDir,
                           QWidget *window)
    : QObject(window), m_platform(platform), m_appDir(std::move(appDir)), m_window(window)
{
    connect(buttons.imgHelp, &PictureButton::released, this,
            [this] { OpenHelpPage(m_platform, m_appDir, QLatin1String(HelpPage::Contents)); });
    connect(buttons.imgDidact, &PictureButton::released, this,
            [this] { OpenHelpPage(m_platform, m_appDir, QLatin1String(HelpPage::Tutorial)); });
    connect(buttons.imgInfo, &PictureButton::released, this, &HelpCommands::showAbout);
}

void HelpCommands::showAbout()
{
    // Deletes itself when closed.
    (new FrmInfo(m_appDir, m_window))->exec();
}
