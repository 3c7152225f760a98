#pragma once

#include "platform/platform.h"

// The desktop seam of the screenshot run: no message box may stop it, so each
// message is written to standard error and answered with its first button
// (OK or Yes); the input box is cancelled and nothing is opened or copied.
class QuietPlatform : public Platform
{
public:
    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &proposed) override;
    bool openWithShell(const QString &filePath) override;
    QImage grabScreen(const QRect &area) override;
};
