#include "output/templatecommands.h"

#include "app/frmprincipal.h"
#include "widgets/picturebutton.h"
#include "output/defaulttemplate.h"
#include "output/frmchangermodele.h"

#include <QPushButton>

TemplateCommands::TemplateCommands(FrmPrincipal &window)
    : TemplateCommands(window.platform(), window.appDir(), window.project, &window)
{
    connect(window.imgModele, &PictureButton::released, this, &TemplateCommands::restoreRequested);
    connect(window.cmdChangerModele, &QPushButton::clicked, this,
            &TemplateCommands::chooseTemplate);
}

TemplateCommands::TemplateCommands(Platform &platform, QString appDir,
                                   const SlideshowProject &project, QWidget *window)
    : QObject(window), m_platform(platform), m_appDir(std::move(appDir)), m_project(project),
      m_window(window)
{
}

void TemplateCommands::restoreRequested()
{
    if (m_project.isDefaultProject())
        return;
    DefaultTemplate::RestoreDefaultTemplate(m_platform, m_appDir);
}

void TemplateCommands::chooseTemplate()
{
    FrmChangerModele chooser(m_platform, m_appDir, m_window);
    chooser.exec();
}
