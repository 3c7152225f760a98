#pragma once

#include "platform/platform.h"

#include <QTextStream>

// Platform for runs without a window: every message box is printed to the
// given stream (standard error) as "TITLE : text", questions get the answer
// that changes nothing (No, Cancel or Ok), input boxes are cancelled and
// nothing is opened or grabbed.
class ConsolePlatform : public Platform
{
public:
    explicit ConsolePlatform(QTextStream &out);

    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &proposed) override;
    bool openWithShell(const QString &filePath) override;
    QImage grabScreen(const QRect &area) override;

private:
    QTextStream &m_out;
};
