#pragma once

#include "output/webpictures.h"
#include "platform/appcontext.h"

#include <QList>
#include <QObject>

#include <functional>

class PictureButton;
class QWidget;
struct SlideshowProject;

// "Optimiser les photos pour le Web": after a question, reduces the open
// project's large JPEG slides in place, several at a time off the window's
// thread, behind a progress dialog that can cancel; then tells what was
// gained and which pictures were left alone. It is an edit like any other:
// the project is marked unsaved and its backup set keeps the originals until
// the next save.
class WebPicturesCommand : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        PictureButton *imgOptimiser = nullptr;
    };

    // picturesChanged: run when some slide picture was rewritten.
    WebPicturesCommand(const Controls &controls, SlideshowProject &project,
                       const AppContext &context, QWidget *window,
                       std::function<void()> picturesChanged);

    void optimise();

    // The summary of a run: what was reduced, gained and left alone.
    static QString summary(const QList<WebPictures::Outcome> &outcomes, int pictureCount,
                           bool cancelled);

private:
    SlideshowProject &m_project;
    AppContext m_context;
    QWidget *m_window;
    std::function<void()> m_picturesChanged;
};
