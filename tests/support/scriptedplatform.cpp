#include "support/scriptedplatform.h"

Platform::Answer ScriptedPlatform::message(const QString &text, Buttons buttons, Icon icon,
                                           const QString &title)
{
    messages.append({text, buttons, icon, title});
    if (!answers.isEmpty())
        return answers.dequeue();
    return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::No : Answer::Ok;
}

std::optional<QString> ScriptedPlatform::inputBox(const QString &prompt, const QString &,
                                                  const QString &)
{
    prompts.append(prompt);
    if (inputs.isEmpty())
        return std::nullopt;
    return inputs.dequeue();
}

bool ScriptedPlatform::openWithShell(const QString &filePath)
{
    shellRequests.append(filePath);
    return shellSucceeds;
}

QImage ScriptedPlatform::grabScreen(const QRect &area)
{
    grabs.append(area);
    if (screen.isNull())
        return {};
    return screen.copy(area);
}
