#include "output/templatecommands.h"

#include "output/defaulttemplate.h"
#include "output/frmchangermodele.h"
#include "output/templatereplacement.h"
#include "platform/platform.h"
#include "project/slideshowproject.h"
#include "widgets/picturebutton.h"

#include <QPushButton>

TemplateCommands::TemplateCommands(const Controls &controls, const SlideshowProject &project,
                                   const AppContext &context, QWidget *window)
    : m_project(project)
    , m_context(context)
    , m_window(window)
{
    connect(controls.imgModele, &PictureButton::released, this,
            &TemplateCommands::restoreRequested);
    connect(controls.cmdChangerModele, &QPushButton::clicked, this,
            &TemplateCommands::chooseTemplate);
}

void TemplateCommands::restoreRequested()
{
    if (m_project.isDefaultProject())
        return;
    const auto restored = DefaultTemplate::RestoreDefaultTemplate(m_context.platform,
                                                                  m_context.appDir);
    if (restored.outcome != DefaultTemplate::RestoreResult::Outcome::Declined)
        emit templateChanged();
}

void TemplateCommands::chooseTemplate()
{
    std::optional<FrmChangerModele::Choice> choice;
    {
        FrmChangerModele chooser(m_context, m_window);
        chooser.exec();
        choice = chooser.choice();
    }
    if (!choice)
        return;
    const auto result = TemplateReplacement::replaceTemplate(
        m_context.appDir, choice->templateName, choice->framePicture, m_context.backupRoot);
    if (result.page == TemplateReplacement::Result::Page::Replaced)
        emit templateChanged();
    if (!result.succeeded())
        m_context.platform.message(
            TemplateReplacement::failureText(result, choice->templateName, choice->framePicture),
            Platform::Buttons::Ok, Platform::Icon::Exclamation, QStringLiteral("ALERTE"));
}
