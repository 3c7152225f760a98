#pragma once

#include "platform/platform.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// A Platform for tests: questions are answered from queues filled by the test,
// and every message, input box and shell request is recorded.
class ScriptedPlatform : public Platform
{
public:
    struct Message
    {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };

    // Answers given to message boxes, in order. With the queue empty the box
    // answers Ok (or No for a Yes/No question) so that a forgotten answer
    // never says Yes to anything.
    QQueue<Answer> answers;
    // Answers given to input boxes; an empty optional is a cancel.
    QQueue<std::optional<QString>> inputs;
    // The picture returned by grabScreen (cropped to the asked area when larger).
    QImage screen;
    bool shellSucceeds = true;

    QList<Message> messages;
    QStringList prompts;
    QStringList shellRequests;
    QList<QRect> grabs;

    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &proposed) override;
    bool openWithShell(const QString &filePath) override;
    QImage grabScreen(const QRect &area) override;
};
