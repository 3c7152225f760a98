#include "output/backgroundcommands.h"

#include "output/backgroundtexture.h"
#include "output/frmfondecran.h"
#include "platform/platform.h"
#include "project/slideshowproject.h"
#include "widgets/picturebutton.h"

BackgroundCommands::BackgroundCommands(const Controls &controls, const SlideshowProject &project,
                                       const AppContext &context, QWidget *window)
    : m_project(project)
    , m_context(context)
    , m_window(window)
{
    connect(controls.imgChangerFond, &PictureButton::released, this,
            &BackgroundCommands::ChangeBackground);
}

void BackgroundCommands::ChangeBackground()
{
    if (!m_project.loaded || m_project.isDefaultProject())
        return;
    std::optional<QString> choice;
    {
        FrmFondEcran chooser(m_context, m_project.folder, m_chosenTexture, m_window);
        chooser.exec();
        choice = chooser.choice();
    }
    m_chosenTexture = choice.value_or(QString());
    if (!choice) {
        m_context.platform.message(QStringLiteral("Opération annulée."), Platform::Buttons::Ok,
                                   Platform::Icon::None, QString());
        return;
    }
    const auto result = BackgroundTexture::apply(m_context.appDir, *choice, m_project.folder);
    // A background that could not be written is said, not passed over as done.
    if (!FileOps::succeeded(result))
        m_context.platform.message(BackgroundTexture::failureText(result, *choice),
                                   Platform::Buttons::Ok, Platform::Icon::Exclamation,
                                   QStringLiteral("ALERTE"));
}
