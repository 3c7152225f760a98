#pragma once

#include "platform/platform.h"

// Platform on top of Qt: QMessageBox, QInputDialog, QDesktopServices, QScreen.
class QtPlatform : public Platform
{
public:
    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &proposed) override;
    bool openWithShell(const QString &filePath) override;
    QImage grabScreen(const QRect &area) override;
};
