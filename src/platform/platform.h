#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

// The few services of the desktop that Lumivue asks of the system: message
// boxes, the one-line input box, the shell's "open" and screen copies.
// The application uses QtPlatform; tests use a scripted stand-in that answers
// questions from a queue and records what was asked.
class Platform
{
public:
    enum class Buttons {
        Ok,
        YesNo,
        OkCancel,
        YesNoCancel
    };
    enum class Icon {
        None,
        Stop,
        Exclamation,
        Question,
        Information
    };
    enum class Answer {
        Ok,
        Yes,
        No,
        Cancel
    };

    virtual ~Platform() = default;

    // A modal message box. An empty title shows the application's title.
    virtual Answer message(const QString &text, Buttons buttons, Icon icon,
                           const QString &title) = 0;

    // A one-line input box; no value when the user cancels.
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                            const QString &proposed) = 0;

    // The shell's "open" of a local file (a page in the browser, a picture).
    // Returns whether the request could be passed on; callers may ignore it.
    virtual bool openWithShell(const QString &filePath) = 0;

    // A copy of the screen area, in device-independent pixels of the desktop.
    virtual QImage grabScreen(const QRect &area) = 0;
};
